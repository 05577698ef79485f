#include "ui/ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace ui {

namespace {

constexpr size_t kMaxPieceChars = 80;
constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// The form in which names and keys are compared: trimmed, ASCII letters in
// lower case. Bytes of the upper half of the 8-bit set stay as they are.
std::string Fold(std::string_view s) {
  std::string folded(Trim(s));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool IsQuoted(std::string_view value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 0x0F];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Sequences that the writer never produces (an unknown letter, "\x" without two
// hex digits, a lone backslash at the end) are kept as they stand.
std::string Unescape(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\' || i + 1 == raw.size()) {
      out += raw[i];
      continue;
    }
    const char next = raw[i + 1];
    switch (next) {
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 'x': {
        const int high = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
        const int low = i + 3 < raw.size() ? HexDigit(raw[i + 3]) : -1;
        if (high < 0 || low < 0) {
          out += '\\';
          continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        out += '\\';
        continue;
    }
    ++i;
  }
  return out;
}

// "key Line0007" -> ("key", 7); number 0 when the key is no continuation key.
// The key as read keeps its own trailing blank, so "GROUP  Line0001" gives "GROUP ".
// Numbers have four digits or, past line 9999, more.
std::pair<std::string_view, long> SplitContinuationKey(std::string_view key) {
  constexpr std::string_view kLine = " line";
  size_t digits = 0;
  while (digits < key.size() && digits < 9 && key[key.size() - 1 - digits] >= '0' &&
         key[key.size() - 1 - digits] <= '9') {
    ++digits;
  }
  if (digits < 4 || key.size() <= kLine.size() + digits) return {key, 0};
  long number = 0;
  for (const char c : key.substr(key.size() - digits)) number = number * 10 + (c - '0');
  const std::string_view word = key.substr(key.size() - digits - kLine.size(), kLine.size());
  for (size_t i = 0; i < kLine.size(); ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kLine[i]) return {key, 0};
  }
  const std::string_view base = key.substr(0, key.size() - digits - kLine.size());
  if (Trim(base).empty()) return {key, 0};
  return {base, number};
}

void AppendValue(std::string& out, std::string_view raw, bool quoted) {
  if (quoted) out += '"';
  out += raw;
  if (quoted) out += '"';
}

mode_t CurrentUmask() {
  // umask() cannot be read without setting it, which would race with other
  // threads creating files; the kernel reports it here instead.
  mode_t mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
      unsigned value = 0;
      if (std::sscanf(line, "Umask: %o", &value) == 1) {
        mask = static_cast<mode_t>(value);
        break;
      }
    }
    std::fclose(status);
  }
  return mask;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

IniText::Section* IniText::FindSection(const std::string& name) {
  const auto it = sectionIndex_.find(Fold(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniText::Section* IniText::FindSection(const std::string& name) const {
  const auto it = sectionIndex_.find(Fold(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniText::Item* IniText::FindItem(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  const auto it = s->index.find(Fold(key));
  return it == s->index.end() ? nullptr : &s->items[it->second];
}

IniText::Section& IniText::SectionForPut(const std::string& name) {
  if (Section* s = FindSection(name)) return *s;
  sectionIndex_.emplace(Fold(name), sections_.size());
  sections_.push_back(Section{name, {}, {}});
  return sections_.back();
}

size_t IniText::Store(Section& section, Item item) {
  const auto [it, added] = section.index.emplace(Fold(item.key), section.items.size());
  if (added) {
    section.items.push_back(std::move(item));
  } else {
    section.items[it->second] = std::move(item);
  }
  return it->second;
}

void IniText::PutString(const std::string& section, const std::string& key,
                        const std::string& value) {
  Store(SectionForPut(section), Item{key, Escape(value), true});
}

void IniText::PutInt(const std::string& section, const std::string& key, long long value) {
  Store(SectionForPut(section), Item{key, std::to_string(value), false});
}

bool IniText::HasSection(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool IniText::GetString(const std::string& section, const std::string& key, std::string& out,
                        size_t maxChars) const {
  const Item* item = FindItem(section, key);
  if (!item) return false;
  out = item->quoted ? Unescape(item->raw) : item->raw;
  if (out.size() > maxChars) out.resize(maxChars);
  return true;
}

bool IniText::GetInt(const std::string& section, const std::string& key, long long& out) const {
  std::string text;
  if (!GetString(section, key, text)) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  // from_chars takes a minus sign but no plus sign.
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  long long value = 0;
  const auto [end, error] = std::from_chars(first, last, value, 10);
  if (error != std::errc() || end != last) return false;
  out = value;
  return true;
}

std::vector<std::string> IniText::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

void IniText::CopySection(const IniText& from, const std::string& section) {
  if (&from == this) return;
  const Section* source = from.FindSection(section);
  if (!source) return;
  if (Section* target = FindSection(section)) {
    *target = *source;
  } else {
    sectionIndex_.emplace(Fold(source->name), sections_.size());
    sections_.push_back(*source);
  }
}

void IniText::Clear() {
  sections_.clear();
  sectionIndex_.clear();
}

std::string IniText::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    out += '[';
    out += s.name;
    out += "]\r\n";
    for (const Item& item : s.items) {
      // A bare value this long can only come from a file written elsewhere; cut
      // into pieces it would lose blanks at the cuts, so it keeps its one line.
      if (item.raw.size() <= kMaxPieceChars || !item.quoted) {
        out += item.key;
        out += " = ";
        AppendValue(out, item.raw, item.quoted);
        out += "\r\n";
        continue;
      }
      // Pieces are cut by count alone, even inside an escape sequence: the
      // reader joins the pieces before it undoes the escapes.
      char number[16];
      for (size_t at = 0, line = 1; at < item.raw.size(); at += kMaxPieceChars, ++line) {
        std::snprintf(number, sizeof number, " Line%04zu = ", line);
        out += item.key;
        out += number;
        AppendValue(out, std::string_view(item.raw).substr(at, kMaxPieceChars), item.quoted);
        out += "\r\n";
      }
    }
    out += "\r\n";
  }
  return out;
}

void IniText::Parse(const std::string& bytes) {
  Clear();
  std::string_view text(bytes);
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }

  Section* section = nullptr;
  // The item that numbered continuation lines are being joined into.
  struct {
    size_t item = 0;
    std::string foldedBase;
    long nextNumber = 0;  // 0: none open
  } joining;

  size_t pos = 0;
  while (pos < text.size()) {
    // A line ends at CR LF, at a lone CR or at a lone LF.
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;

    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) continue;
    line.remove_prefix(start);
    if (line.front() == ';') continue;

    const std::string_view trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      section = &SectionForPut(std::string(trimmed.substr(1, trimmed.size() - 2)));
      joining.nextNumber = 0;
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !section) continue;
    std::string_view key = line.substr(0, equals);
    // The writer puts one blank before "="; whatever precedes it belongs to the
    // key, so "GROUP  = 0" is written back the same way.
    if (!key.empty() && key.back() == ' ') key.remove_suffix(1);
    const std::string_view value = Trim(line.substr(equals + 1));
    if (Trim(key).empty() || value.empty()) continue;

    const bool quoted = IsQuoted(value);
    const std::string_view raw = quoted ? value.substr(1, value.size() - 2) : value;
    const auto [base, number] = SplitContinuationKey(key);
    if (number > 0 && number == joining.nextNumber && Fold(base) == joining.foldedBase) {
      section->items[joining.item].raw += raw;
      ++joining.nextNumber;
      continue;
    }
    if (number == 1) {
      joining.item = Store(*section, Item{std::string(base), std::string(raw), quoted});
      joining.foldedBase = Fold(base);
      joining.nextNumber = 2;
      continue;
    }
    Store(*section, Item{std::string(key), std::string(raw), quoted});
    joining.nextNumber = 0;
  }
}

bool IniText::ReadFile(const std::string& path) {
  Clear();
  // Non-blocking so that a FIFO given by mistake is refused instead of waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  std::string bytes;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) {
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      bytes.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(fd);
  if (!ok) return false;
  Parse(bytes);
  return true;
}

bool IniText::WriteFile(const std::string& path) const {
  if (path.empty()) return false;

  // A settings file that is a link to elsewhere stays a link: the file it
  // points to is the one replaced.
  std::string target = path;
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target = resolved;
      std::free(resolved);
    }
  }
  const bool exists = ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  const mode_t mode = exists ? (info.st_mode & 07777) : (0666 & ~CurrentUmask());

  // The temporary file must sit in the target's directory: rename() replaces
  // atomically only within one file system.
  const size_t slash = target.rfind('/');
  const std::string directory =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.empty()) return false;
  std::string temporary = directory + "/." + name.substr(0, 200) + ".XXXXXX";

  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, Serialize()) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  // close() can be the first to report a failed write-back.
  if (::close(fd) != 0) ok = false;
  if (!ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }

  // The new name is durable only once the directory entry is on disk.
  const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return false;
  // Some file systems cannot sync a directory at all; that is no failure.
  const bool synced = ::fsync(dirFd) == 0 || errno == EINVAL;
  ::close(dirFd);
  return synced;
}

}  // namespace ui
