// Parameter files through SEND and GET with the FILE target: the bytes a save
// writes, the way back into the panels, and the popups of foreign, incomplete
// and missing files.
#include "gui/params/parameter_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Colmira3V42_uir.h"
#include "gui/params/parameter_block.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

using Words = std::vector<uint16_t>;  // 17 head words, then the 248 teach words

constexpr int kSpareWordMark = 0xA500;

// Index of a word of teach row `row` in Words.
size_t At(int row, int word) {
  return static_cast<size_t>(kHeadWords + row * kTeachRowWords + word);
}

// A consistent set (BINARY outputs, no colour groups, CONT trigger) that the
// editing rules leave as it is; the spare word of each row carries a mark.
Words SensorWords() {
  Words w(kHeadWords + kTeachTableWords);
  const uint16_t head[kHeadWords] = {640, 0, 40000, 1,    25, 7, 6, 1, 0,
                                     0,   0, 3100,  3500, 0,  0, 3, 12};
  std::copy(head, head + kHeadWords, w.begin());
  for (int r = 0; r < 31; ++r)
    for (int k = 0; k < kTeachRowWords; ++k)
      w[At(r, k)] = static_cast<uint16_t>(k == kRowSpare   ? kSpareWordMark + r
                                          : k == kRowGroup ? r % 31
                                                           : 1000 * k + r);
  return w;
}

Words BlockWords() {
  Words w(gParameterBlock.head, gParameterBlock.head + kHeadWords);
  w.insert(w.end(), gParameterBlock.teach, gParameterBlock.teach + kTeachTableWords);
  return w;
}

void ShowWords(const Words& w) {
  std::copy(w.begin(), w.begin() + kHeadWords, gParameterBlock.head);
  std::copy(w.begin() + kHeadWords, w.end(), gParameterBlock.teach);
  WriteParameterBlockToPanels();
}

// The file as the format describes it, written out by hand.
std::string FileText(const Words& w) {
  const char* keys[kHeadWords] = {
      "POWER",     "POWER MODE",   "AVERAGE",          "EVALUATION MODE",
      "HOLD FAIL", "INTLIM",       "MAX VEC NO",       "DIGITAL OUTMODE",
      "TRIGGER",   "EXTERN TEACH", "CALCULATION MODE", "DYNWIN LO",
      "DYNWIN HI", "COLOR GROUP",  "LED MODE",         "GAIN",
      "INTEGRAL"};
  std::string s =
      "[GENERAL INFO]\r\n"
      "FILE TYPE: = \"Parameter File\"\r\n"
      "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n"
      "\r\n"
      "[PARAMETER]\r\n";
  for (int i = 0; i < kHeadWords; ++i)
    s += std::string(keys[i]) + " = " + std::to_string(w[i]) + "\r\n";
  s += "\r\n";
  for (int r = 0; r < 31; ++r) {
    s += "[TEACH VECTOR " + std::to_string(r) + "]\r\n";
    for (int c = 0; c < 5; ++c)
      s += "CELL " + std::to_string(c) + " = " + std::to_string(w[At(r, c)]) + "\r\n";
    s += "GROUP  = " + std::to_string(w[At(r, kRowGroup)]) + "\r\n";
    s += "HOLD  = " + std::to_string(w[At(r, kRowHold)]) + "\r\n";
    s += "\r\n";
  }
  return s;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

const std::string kNoFile = "ATTENTION!|No file was selected!";
const std::string kNotRead = "ATTENTION!|No parameter where read!";
const std::string kAskType =
    "ATTENTION!|Selected file is not a parameter file! \nDo you want to proceed anyway?";
const std::string kAskVersion =
    "ATTENTION!|Selected file and scope version do not match! \nDo you want to proceed anyway?";
const std::string kMissingParameters =
    "Attention!|Following parameter could not be read \nand where set to default value:\n\n";
const std::string kMissingVectors =
    "Attention!|Following teach vectors could not be read \nand where set to default value:\n\n";

class ParameterFile : public AppFixture {
 protected:
  void Start() {
    sensor.SetParameterWords(0, SensorWords());
    StartWithTcpSensor();
    ClearLog();
    Popups();
    Select(MAINP_RADIO_FILE);
    sensor.ClearRequests();
  }
  void Press(int ctrl) { ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_COMMIT); }
  void Select(int ctrl) { ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_VAL_CHANGED); }
  std::string Path(const std::string& name) const { return dir + "/" + name; }

  // SEND or GET with the dialog answering `result` and `path`, and the
  // confirm popups that follow answered in turn; returns the popups after the
  // dialog.
  std::vector<std::string> Transfer(int button, int result, const std::string& path,
                                    const std::vector<int>& confirms = {}) {
    dialogs.QueueFile(result, path);
    for (int answer : confirms) dialogs.QueueConfirm(answer);
    Press(button);
    std::vector<std::string> popups = Popups();
    EXPECT_FALSE(popups.empty());
    if (popups.empty()) return popups;
    EXPECT_EQ(popups.front().rfind("Parameter|", 0), 0u) << popups.front();
    popups.erase(popups.begin());
    return popups;
  }
  std::vector<std::string> Save(const std::string& name) {
    return Transfer(MAINP_BUTTON_SEND, ui::VAL_NEW_FILE_SELECTED, Path(name));
  }
  std::vector<std::string> Load(const std::string& name, const std::vector<int>& confirms = {}) {
    return Transfer(MAINP_BUTTON_GET, ui::VAL_EXISTING_FILE_SELECTED, Path(name), confirms);
  }
  // The words the panels hold, as a SEND to RAM puts them on the wire.
  Words SentWords() {
    sensor.ClearRequests();
    Select(MAINP_RADIO_RAM);
    Press(MAINP_BUTTON_SEND);
    Select(MAINP_RADIO_FILE);
    auto requests = sensor.Requests();
    sensor.ClearRequests();
    Words w;
    if (requests.size() != 2u) {
      ADD_FAILURE() << requests.size() << " requests";
      return w;
    }
    for (const auto& r : requests)
      for (size_t i = 0; i + 1 < r.data.size(); i += 2)
        w.push_back(static_cast<uint16_t>(r.data[i] | r.data[i + 1] << 8));
    return w;
  }
};

TEST_F(ParameterFile, SaveWritesTheFixedLayout) {
  Start();
  EXPECT_EQ(Save("Parameter.ini"), std::vector<std::string>{});
  EXPECT_EQ(ReadProjectFile("Parameter.ini"), FileText(SensorWords()));
  EXPECT_TRUE(sensor.Requests().empty());

  // Edits on the panels are read before the file is written.
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_SLIDE_POWER, 123);
  ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 1, 32, 77);
  EXPECT_EQ(Save("Parameter.ini"), std::vector<std::string>{});
  Words edited = SensorWords();
  edited[kPower] = 123;
  edited[At(30, kRowHold)] = 77;
  EXPECT_EQ(ReadProjectFile("Parameter.ini"), FileText(edited));
}

TEST_F(ParameterFile, SavedFileLoadsBackIntoBlockAndPanels) {
  Start();
  ASSERT_EQ(Save("set.ini"), std::vector<std::string>{});
  Words other = SensorWords();
  for (auto& word : other) ++word;
  ShowWords(other);

  EXPECT_EQ(Load("set.ini"), std::vector<std::string>{});
  // The spare words are not in the file and keep what the block held.
  Words expected = SensorWords();
  for (int r = 0; r < 31; ++r) expected[At(r, kRowSpare)] = other[At(r, kRowSpare)];
  EXPECT_EQ(BlockWords(), expected);
  EXPECT_EQ(SentWords(), expected);
}

TEST_F(ParameterFile, ForeignHeaderAsksBeforeReading) {
  Start();
  Words fileWords = SensorWords();
  fileWords[kPower] = 777;
  const std::string full = FileText(fileWords);
  const std::string general =
      "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
      "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n\r\n";
  struct Case {
    const char* name;
    std::string header;  // replaces the GENERAL INFO section
    std::vector<int> answers;
    std::vector<std::string> popups;
    bool read;
  };
  const Case cases[] = {
      {"no header, both accepted", "", {1, 1}, {kAskType, kAskVersion}, true},
      {"no header, type declined", "", {0}, {kAskType, kNotRead}, false},
      {"other type, accepted",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
       "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n\r\n",
       {1},
       {kAskType},
       true},
      {"other version, declined",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
       "SCOPE VERSION: = \"COLMIRA3-Rarev V4.1\"\r\n\r\n",
       {0},
       {kAskVersion, kNotRead},
       false},
      {"own header in other case and spacing",
       "[ general info ]\r\n  file type:=\"Parameter File\"\r\nScope Version:   =  "
       "\"COLMIRA3-Rarev V4.2\"\r\n\r\n",
       {},
       {},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = full;
    Replace(text, general, c.header);
    WriteProjectFile("foreign.ini", text);
    ShowWords(SensorWords());
    // An edit that never reached the block is replaced either way.
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_NUM_INTLIM, 99);
    EXPECT_EQ(Load("foreign.ini", c.answers), c.popups);
    EXPECT_EQ(gParameterBlock.head[kPower], c.read ? 777 : 640);
    EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_SLIDE_POWER), c.read ? 777 : 640);
    EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_NUM_INTLIM), 7);
  }
}

TEST_F(ParameterFile, MissingOrUnreadableItemsTakeDefaults) {
  Start();
  // What the panels held before: every word differs from the file and from
  // the defaults where a case expects one of them.
  Words before = SensorWords();
  before[kPower] = 900;
  before[kExternTeach] = 1;
  before[kHoldFail] = 44;
  for (int r = 0; r < 31; ++r)
    for (int k = 0; k < kRowSpare; ++k)
      before[At(r, k)] = static_cast<uint16_t>(k == kRowGroup ? 1 : 50 + k);
  const Words fileWords = SensorWords();
  const std::string fileText = FileText(fileWords);
  const uint16_t defaults[kHeadWords] = {500, 0, 1,    1,    10, 0, 1, 0, 0,
                                         0,   0, 3200, 3300, 0,  0, 5, 1};

  struct Change {
    size_t word;  // index into Words
    uint16_t value;
  };
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;
    std::vector<std::string> popups;
    std::vector<Change> changes;  // against the file's words
  };
  std::vector<Change> allDefaults;
  for (int w = 0; w < kHeadWords; ++w) allDefaults.push_back({static_cast<size_t>(w), defaults[w]});
  const size_t from = fileText.find("[PARAMETER]");
  const std::string parameterSection =
      fileText.substr(from, fileText.find("[TEACH VECTOR 0]") - from);

  const Case cases[] = {
      {"EXTERN TEACH missing",
       {{"EXTERN TEACH = 0\r\n", ""}},
       {kMissingParameters + "EXTEACH\n"},
       {{kExternTeach, 0}}},
      {"POWER not a number, HOLD FAIL blank",
       {{"POWER = 640", "POWER = 64O"}, {"HOLD FAIL = 25", "HOLD FAIL = "}},
       {kMissingParameters + "POWER\nHOLD FAIL\n"},
       {{kPower, 500}, {kHoldFail, 10}}},
      {"numbers keep their low 16 bits",
       {{"POWER = 640", "POWER = 70000"}, {"INTLIM = 7", "INTLIM = -1"}},
       {},
       {{kPower, 4464}, {kIntlim, 65535}}},
      {"no PARAMETER section",
       {{parameterSection, ""}},
       {kMissingParameters +
        "POWER\nPOWER MODE\nAVERAGE\nEVALUATION MODE\nHOLD FAIL\nINTLIM\nMAX VEC NO\n"
        "DIGITAL OUTMODE\nTRIGGER\nEXTEACH\nCALCULATION MODE\nDYNWIN LO\nDYNWIN HI\n"
        "COLOR GROUP\nLED MODE\nGAIN\nINTEGRAL\n"},
       allDefaults},
      {"keys and sections in other case and spacing",
       {{"[PARAMETER]", "  [ parameter ]  "},
        {"POWER = 640", "  power=333  "},
        {"[TEACH VECTOR 3]", "[teach vector 3]  "},
        {"[TEACH VECTOR 4]", "[ Teach Vector 4 ]"},
        {"GROUP  = 4\r\nHOLD  = 6004", "group=12\r\n   hold   = 9"},
        {"CELL 0 = 4\r\n", "cell 0 = 8\r\n"}},
       {},
       {{kPower, 333}, {At(4, kRowGroup), 12}, {At(4, kRowHold), 9}, {At(4, 0), 8}}},
      {"incomplete teach vectors",
       {{"CELL 2 = 2004\r\n", ""},
        {"HOLD  = 6004", "HOLD  = x"},
        {"GROUP  = 30\r\n", ""},
        {"CELL 1 = 1030\r\n", ""}},
       {kMissingVectors + "TEACH VECTOR 4\nTEACH VECTOR 30\n"},
       {{At(4, 2), 1}, {At(4, kRowHold), 10}, {At(30, kRowGroup), 0}, {At(30, 1), 1}}},
      {"both lists",
       {{"GAIN = 3\r\n", ""}, {"[TEACH VECTOR 0]", "[TEACH VECTOR O]"}},
       {kMissingParameters + "GAIN\n", kMissingVectors + "TEACH VECTOR 0\n"},
       {{kGain, 5},
        {At(0, 0), 1},
        {At(0, 1), 1},
        {At(0, 2), 1},
        {At(0, 3), 1},
        {At(0, 4), 1},
        {At(0, kRowGroup), 0},
        {At(0, kRowHold), 10}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = fileText;
    for (const auto& [from, to] : c.edits) Replace(text, from, to);
    WriteProjectFile("edited.ini", text);
    ShowWords(before);
    EXPECT_EQ(Load("edited.ini"), c.popups);
    Words expected = fileWords;
    for (int r = 0; r < 31; ++r) expected[At(r, kRowSpare)] = before[At(r, kRowSpare)];
    for (const auto& ch : c.changes) expected[ch.word] = ch.value;
    EXPECT_EQ(BlockWords(), expected);
  }
}

TEST_F(ParameterFile, NoFileChosenChangesNothing) {
  Start();
  struct Case {
    const char* name;
    int button;
    int result;
    std::string path;
  };
  const Case cases[] = {
      {"save cancelled", MAINP_BUTTON_SEND, ui::VAL_NO_FILE_SELECTED, ""},
      {"load cancelled", MAINP_BUTTON_GET, ui::VAL_NO_FILE_SELECTED, ""},
      {"load of a file that does not exist", MAINP_BUTTON_GET, ui::VAL_NEW_FILE_SELECTED,
       Path("missing.ini")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_SLIDE_POWER, 123);  // not in the block
    const Words block = BlockWords();
    EXPECT_EQ(Transfer(c.button, c.result, c.path), std::vector<std::string>{kNoFile});
    EXPECT_EQ(BlockWords(), block);
    EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_SLIDE_POWER), 123);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("Parameter.ini")));
  EXPECT_FALSE(std::filesystem::exists(Path("missing.ini")));
  EXPECT_TRUE(sensor.Requests().empty());
}

TEST_F(ParameterFile, DialogStartsWhereTheLastFileWas) {
  Start();
  std::filesystem::create_directory(Path("sets"));
  // Without a remembered file the settings leave the project directory.
  ASSERT_EQ(gRemembered.parameterFile, dir);
  ASSERT_EQ(Save("sets/line 4.ini"), std::vector<std::string>{});
  EXPECT_EQ(gRemembered.parameterFile, Path("sets/line 4.ini"));
  EXPECT_EQ(Load("sets/line 4.ini"), std::vector<std::string>{});
  dialogs.QueueFile(ui::VAL_NO_FILE_SELECTED, "");
  Press(MAINP_BUTTON_GET);
  EXPECT_EQ(Popups(), (std::vector<std::string>{"Parameter|" + Path("sets"), kNoFile}));
  EXPECT_EQ(gRemembered.parameterFile, Path("sets/line 4.ini"));

  const auto& requests = dialogs.FileRequests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].defaultDirectory, dir);
  EXPECT_EQ(requests[1].defaultDirectory, Path("sets"));
  for (const auto& r : requests) {
    EXPECT_EQ(r.defaultFileSpec, "Parameter.ini");
    EXPECT_EQ(r.filterList, "*.ini");
    EXPECT_EQ(r.title, "Parameter");
    EXPECT_TRUE(r.allowCancel);
    EXPECT_TRUE(r.allowMakeDirectory);
  }

  // A path too long to remember is cut; the file cannot be written there,
  // and the user is told so rather than left believing it was saved.
  const std::string longPath = Path(std::string(300, 'd') + "/Parameter.ini");
  EXPECT_EQ(Transfer(MAINP_BUTTON_SEND, ui::VAL_NEW_FILE_SELECTED, longPath),
            std::vector<std::string>{"ATTENTION!|The file could not be written!\n" + longPath});
  EXPECT_EQ(gRemembered.parameterFile, longPath.substr(0, kPathChars));
}

}  // namespace
