// The INI object behind every INI file of the program (parameter file, panel
// settings, table attributes, hardware information): one content of sections
// and items, with the one on-disk syntax that all these files share.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

// One INI content: sections of items, in the order they were put or read.
//
// On disk: CR LF line ends; "[name]" headers; items "key = value"; integers
// decimal and unquoted; strings quoted with backslash escapes; values longer
// than 80 characters (escaped, quotes not counted) split over "key Line0001",
// "key Line0002", ... lines; one empty line after every section.
//
// Sections and keys are written exactly as given but found without regard to
// case and surrounding white space, so "GROUP " is found as "GROUP".
class IniText {
 public:
  // A section is created on first use; putting a key that the section already
  // holds replaces that item in place.
  void PutString(const std::string& section, const std::string& key, const std::string& value);
  void PutInt(const std::string& section, const std::string& key, long long value);

  bool HasSection(const std::string& section) const;
  // True when the item is present; out gets the value unquoted, with escapes
  // undone and continuation lines joined, cut to maxChars characters.
  bool GetString(const std::string& section, const std::string& key, std::string& out,
                 size_t maxChars = std::string::npos) const;
  // True only when the item is present, not blank and a decimal integer with
  // an optional sign that fits; out is left alone otherwise.
  bool GetInt(const std::string& section, const std::string& key, long long& out) const;
  std::vector<std::string> SectionNames() const;

  // Takes over a whole section of another content, items in the form they were
  // read (a quoted string stays quoted, a number stays unquoted). A section of
  // the same name here is replaced where it stands; otherwise it is appended.
  void CopySection(const IniText& from, const std::string& section);
  void Clear();

  std::string Serialize() const;
  // Replaces the content by what the bytes hold. Takes whatever it can make
  // sense of: any line ends, a leading byte-order mark, binary garbage.
  void Parse(const std::string& bytes);
  // False, and the content empty, when the file is missing or unreadable.
  bool ReadFile(const std::string& path);
  // Replaces the file as a whole: either the new content is there complete or
  // the old file is untouched. False on any failure.
  bool WriteFile(const std::string& path) const;

 private:
  struct Item {
    std::string key;  // as given or read
    std::string raw;  // escaped text without the quotes, or the literal value
    bool quoted = false;
  };
  struct Section {
    std::string name;
    std::vector<Item> items;
    std::unordered_map<std::string, size_t> index;  // folded key -> position in items
  };

  Section* FindSection(const std::string& name);
  const Section* FindSection(const std::string& name) const;
  const Item* FindItem(const std::string& section, const std::string& key) const;
  Section& SectionForPut(const std::string& name);
  // Sets the item of that key (found by its folded form), appending it when new.
  static size_t Store(Section& section, Item item);

  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;  // folded name -> position
};

}  // namespace ui
