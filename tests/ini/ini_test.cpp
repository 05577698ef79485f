// The INI object: the exact bytes written, the tolerant reader, and the
// all-or-nothing replacement of a file on disk.
#include "ui/ini.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each line with its CR LF.
std::string CrLf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> DirectoryEntries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  return names;
}

TEST(IniWrite, ExactBytes) {
  ui::IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Parameter File");
  ini.PutString("GENERAL INFO", "PATH", "C:\\data\\\"x\"\tA\rB\nC\x01\x7f\xe4");
  ini.PutInt("TEACH VECTOR 0", "GROUP ", -12);
  std::string longValue;
  for (int i = 0; i < 1024; ++i) longValue += static_cast<char>('A' + i / 80);
  ini.PutString("TEACH VECTOR 0", "Row specification", longValue);

  std::string expected =
      "[GENERAL INFO]\r\n"
      "FILE TYPE: = \"Parameter File\"\r\n"
      "PATH = \"C:\\\\data\\\\\\\"x\\\"\\tA\\rB\\nC\\x01\\x7f\xe4\"\r\n"
      "\r\n"
      "[TEACH VECTOR 0]\r\n"
      "GROUP  = -12\r\n";
  for (int line = 1; line <= 13; ++line) {
    char key[32];
    std::snprintf(key, sizeof key, "Row specification Line%04d = ", line);
    const size_t width = line < 13 ? 80 : 64;
    expected += key + ("\"" + std::string(width, static_cast<char>('A' + line - 1)) + "\"\r\n");
  }
  expected += "\r\n";
  EXPECT_EQ(ini.Serialize(), expected);
}

TEST(IniWrite, LengthCountsEscapesAndPiecesMaySplitOne) {
  ui::IniText ini;
  // 80 characters once escaped: stays on one line.
  ini.PutString("S", "FITS", std::string(76, 'a') + "\x02");
  // 84 characters once escaped; the cut after 80 falls inside "\x01".
  const std::string split = std::string(79, 'a') + "\x01" + "b";
  ini.PutString("S", "CUT", split);
  const std::string bytes = ini.Serialize();
  EXPECT_EQ(bytes, CrLf({"[S]", "FITS = \"" + std::string(76, 'a') + "\\x02\"",
                         "CUT Line0001 = \"" + std::string(79, 'a') + "\\\"",
                         "CUT Line0002 = \"x01b\"", ""}));

  ui::IniText back;
  back.Parse(bytes);
  std::string value;
  ASSERT_TRUE(back.GetString("S", "CUT", value));
  EXPECT_EQ(value, split);
  EXPECT_EQ(back.Serialize(), bytes);
}

TEST(IniWrite, PutReplacesAnItemAndKeepsOrder) {
  ui::IniText ini;
  ini.PutInt("B", "one", 1);
  ini.PutInt("A", "x", 1);
  ini.PutInt("b", "two", 2);
  ini.PutString(" B ", "ONE ", "again");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(ini.Serialize(), "[B]\r\nONE  = \"again\"\r\ntwo = 2\r\n\r\n[A]\r\nx = 1\r\n\r\n");
}

// A file as people and other tools leave it: comments, odd spacing, mixed
// line ends, letters in another case.
const char kHandWritten[] =
    "ORPHAN = 1\r\n"
    "; a comment\r\n"
    "  [General Info]   \r\n"
    "file type: = \"Parameter File\"\n"
    "   ; indented comment = \"no\"\r\n"
    "no equals sign here\r\n"
    " = \"no key\"\r\n"
    "EMPTY =   \r\n"
    "[TEACH VECTOR 3]\r"
    "CELL 0 = 17\r"
    "GROUP  = 4\r\n"
    "HOLD  = 70000\r\n"
    "POWER = 5OO\r\n"
    "\tSPACED   =    -42   \r\n"
    "QUOTED = \"a = b ; c\"\r\n"
    "EMPTY STRING = \"\"\r\n"
    "NOTE Line0001 = \"split \\\"\r\n"
    "; a comment between the pieces\r\n"
    "note line0002 = \"\"quoted\\\" \\x4\"\r\n"
    "NOTE Line0003 = \"1 end\"\r\n"
    "[ Other ]\r\n"
    "A=1\r\n";

TEST(IniRead, FindsWhatTheLinesSay) {
  ui::IniText ini;
  ini.Parse(kHandWritten);
  EXPECT_EQ(ini.SectionNames(),
            (std::vector<std::string>{"General Info", "TEACH VECTOR 3", " Other "}));
  EXPECT_TRUE(ini.HasSection("GENERAL INFO"));
  EXPECT_TRUE(ini.HasSection("other"));
  EXPECT_FALSE(ini.HasSection("ORPHAN"));

  struct Case {
    const char* section;
    const char* key;
    bool present;
    std::string value;
  };
  const Case cases[] = {
      {"GENERAL INFO", "FILE TYPE:", true, "Parameter File"},
      {" general info ", "File Type: ", true, "Parameter File"},
      {"GENERAL INFO", "; indented comment", false, ""},
      {"GENERAL INFO", "", false, ""},
      {"GENERAL INFO", "EMPTY", false, ""},
      {"GENERAL INFO", "ORPHAN", false, ""},
      {"TEACH VECTOR 3", "GROUP", true, "4"},
      {"TEACH VECTOR 3", "group ", true, "4"},
      {"TEACH VECTOR 3", "SPACED", true, "-42"},
      {"TEACH VECTOR 3", "QUOTED", true, "a = b ; c"},
      {"TEACH VECTOR 3", "EMPTY STRING", true, ""},
      // The last cut falls inside "\x41".
      {"TEACH VECTOR 3", "NOTE", true, "split \"quoted\" A end"},
      {"TEACH VECTOR 3", "NOTE Line0002", false, ""},
      {"OTHER", "a", true, "1"},
  };
  for (const Case& c : cases) {
    std::string value = "untouched";
    EXPECT_EQ(ini.GetString(c.section, c.key, value), c.present) << c.section << "/" << c.key;
    EXPECT_EQ(value, c.present ? c.value : "untouched") << c.section << "/" << c.key;
  }

  std::string cut;
  ASSERT_TRUE(ini.GetString("GENERAL INFO", "FILE TYPE:", cut, 9));
  EXPECT_EQ(cut, "Parameter");
}

TEST(IniRead, Integers) {
  ui::IniText ini;
  ini.Parse(kHandWritten);
  struct Case {
    const char* key;
    bool read;
    long long value;
  };
  const Case cases[] = {
      {"CELL 0", true, 17}, {"SPACED", true, -42},      {"HOLD", true, 70000}, {"POWER", false, 0},
      {"QUOTED", false, 0}, {"EMPTY STRING", false, 0}, {"MISSING", false, 0},
  };
  for (const Case& c : cases) {
    long long value = -1;
    EXPECT_EQ(ini.GetInt("TEACH VECTOR 3", c.key, value), c.read) << c.key;
    EXPECT_EQ(value, c.read ? c.value : -1) << c.key;
  }
  // A 16-bit parameter word keeps the low 16 bits of what was read.
  long long hold = 0;
  ASSERT_TRUE(ini.GetInt("TEACH VECTOR 3", "HOLD", hold));
  EXPECT_EQ(static_cast<uint16_t>(hold), 4464);

  const std::pair<const char*, bool> forms[] = {
      {"+7", true},
      {"\"12\"", true},
      {"0x10", false},
      {"1e3", false},
      {"12abc", false},
      {"+-1", false},
      {"-", false},
      {"99999999999999999999", false},
      {"-9223372036854775808", true},
  };
  for (const auto& [text, read] : forms) {
    ui::IniText one;
    one.Parse(std::string("[S]\r\nK = ") + text + "\r\n");
    long long value = 0;
    EXPECT_EQ(one.GetInt("S", "K", value), read) << text;
  }
}

TEST(IniRead, RoundTripKeepsValuesAndForm) {
  ui::IniText ini;
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  ini.PutString("GENERAL INFO", "EVERY BYTE", everyByte);
  ini.PutString("DIRECTORIES", "PARAMETER FILE", "C:\\Colmira\\Parameter.ini");
  ini.PutString("DIRECTORIES", "NUMBER AS TEXT", "10001");
  ini.PutInt("TEACH VECTOR 30", "HOLD ", 10);
  ini.PutInt("TEACH VECTOR 30", "MIN", -9223372036854775807LL - 1);
  const std::string bytes = ini.Serialize();

  ui::IniText back;
  back.Parse(bytes);
  EXPECT_EQ(back.Serialize(), bytes);
  std::string value;
  ASSERT_TRUE(back.GetString("GENERAL INFO", "EVERY BYTE", value));
  EXPECT_EQ(value, everyByte);

  // Sections taken over from a file read are written back as they were read:
  // the quoted number stays quoted, the integer stays bare.
  ui::IniText rewritten;
  rewritten.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  rewritten.CopySection(back, "directories");
  rewritten.CopySection(back, "TEACH VECTOR 30");
  rewritten.CopySection(back, "NOT THERE");
  EXPECT_EQ(rewritten.Serialize(),
            "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n\r\n"
            "[DIRECTORIES]\r\n"
            "PARAMETER FILE = \"C:\\\\Colmira\\\\Parameter.ini\"\r\n"
            "NUMBER AS TEXT = \"10001\"\r\n\r\n"
            "[TEACH VECTOR 30]\r\nHOLD  = 10\r\nMIN = -9223372036854775808\r\n\r\n");

  // Copying over a section that is there replaces it where it stands.
  ui::IniText other;
  other.Parse("[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n");
  rewritten.CopySection(other, "GENERAL INFO");
  EXPECT_EQ(rewritten.SectionNames().front(), "GENERAL INFO");
  ASSERT_TRUE(rewritten.GetString("GENERAL INFO", "FILE TYPE:", value));
  EXPECT_EQ(value, "Table Attributes");
}

TEST(IniRead, GarbageIsReadAsFarAsItGoes) {
  std::mt19937 random(1234);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random() % 4 == 0 ? 0 : random() & 0xFF);
  ui::IniText ini;
  ini.Parse(noise);
  ini.Parse(std::string(5'000'000, 'x'));
  EXPECT_TRUE(ini.SectionNames().empty());
  ini.Parse(std::string(5'000'000, '['));
  ini.Parse(std::string(5'000'000, '='));
  ini.Parse(std::string(5'000'000, '\r'));
  ini.Parse("K = 1\r\nL = \"x\"\r\n");
  EXPECT_TRUE(ini.SectionNames().empty());

  // A value of several megabytes goes past line 9999 when written back.
  const std::string huge = "[S]\r\nBIG = \"" + std::string(5'000'000, 'v') + "\"\r\n";
  ini.Parse(huge);
  std::string value;
  ASSERT_TRUE(ini.GetString("S", "BIG", value));
  EXPECT_EQ(value.size(), 5'000'000u);
  ui::IniText back;
  back.Parse(ini.Serialize());
  ASSERT_TRUE(back.GetString("S", "BIG", value));
  EXPECT_EQ(value.size(), 5'000'000u);

  // Line ends of other systems, a byte-order mark, a NUL inside a value.
  const char* variants[] = {"\xEF\xBB\xBF[S]\r\nK = 5\r\n", "[S]\rK = 5\r", "[S]\nK = 5\n",
                            "[S]\n\n\r\r\n\nK = 5"};
  for (const char* text : variants) {
    ini.Parse(text);
    long long k = 0;
    EXPECT_TRUE(ini.GetInt("S", "K", k)) << text;
    EXPECT_EQ(k, 5) << text;
  }
  ini.Parse(std::string("[S]\r\nK = \"a\0b\"\r\n", 17));
  ASSERT_TRUE(ini.GetString("S", "K", value));
  EXPECT_EQ(value, std::string("a\0b", 3));
}

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/ini_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }

  static ui::IniText Sample(size_t textSize) {
    ui::IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Parameter File");
    ini.PutString("TEXT", "T", std::string(textSize, 't'));
    return ini;
  }

  fs::path dir_;
};

TEST_F(IniFile, WritesReadsAndReplaces) {
  const fs::path path = dir_ / "Parameter.ini";
  ui::IniText ini = Sample(10);
  ASSERT_TRUE(ini.WriteFile(path));
  EXPECT_EQ(ReadBytes(path), ini.Serialize());

  ui::IniText back;
  ASSERT_TRUE(back.ReadFile(path));
  EXPECT_EQ(back.Serialize(), ini.Serialize());

  // Replacing keeps the file's permissions, and a link stays a link.
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = dir_ / "link.ini";
  fs::create_symlink(path, link);
  ASSERT_TRUE(Sample(20).WriteFile(link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(path), Sample(20).Serialize());
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(DirectoryEntries(dir_).size(), 2u);
}

TEST_F(IniFile, MissingOrUnreadableReadsEmpty) {
  ui::IniText ini = Sample(10);
  EXPECT_FALSE(ini.ReadFile(dir_ / "missing.ini"));
  EXPECT_TRUE(ini.SectionNames().empty());
  ini = Sample(10);
  EXPECT_FALSE(ini.ReadFile(dir_));
  EXPECT_TRUE(ini.SectionNames().empty());
}

TEST_F(IniFile, FailedWriteLeavesTheOldFile) {
  const fs::path path = dir_ / "PanelSettings.cfg";
  const std::string old = "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n\r\n";
  WriteBytes(path, old);

  EXPECT_FALSE(Sample(10).WriteFile(dir_ / "no such directory" / "x.ini"));

  // The file system refuses to let the new file grow past 4 KiB halfway through.
  const ui::IniText big = Sample(64 * 1024);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    _exit(big.WriteFile(path) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(DirectoryEntries(dir_), std::vector<std::string>{"PanelSettings.cfg"});
}

}  // namespace
