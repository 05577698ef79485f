// The table attributes page: row colours by hand and from the live colour,
// reset, and the table-attributes file with its dialog and popups.
#include "gui/teach/table_attributes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Colmira3V42_uir.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_state.h"
#include "gui/settings/panel_settings.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

const std::string kNoFile = "ATTENTION!|No file was selected!";
const std::string kNotRead = "ATTENTION!|No parameter where read!";
const std::string kAskType =
    "ATTENTION!|Selected file is not a table attributes file! \nDo you want to proceed anyway?";
const std::string kAskVersion =
    "ATTENTION!|Selected file and scope version do not match! \nDo you want to proceed anyway?";
const std::string kAskReset = "ATTENTION!|Do you really want to reset the table?";
const std::string kMissingRows =
    "Attention!|Following teach vectors could not be read \nand where set to default value:\n\n";

const std::string kHeader =
    "[GENERAL INFO]\r\n"
    "FILE TYPE: = \"Table Attributes\"\r\n"
    "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n"
    "\r\n";

// The 31 row sections as the file format describes them, written by hand;
// `specs` holds each row's text as it appears between the quotes.
std::string RowSections(const std::vector<int>& colors, const std::vector<std::string>& specs) {
  std::string s;
  for (int r = 0; r < 31; ++r)
    s += "[TABLE ATTR OF TEACH VECTOR " + std::to_string(r) +
         "]\r\nRow color = " + std::to_string(colors[r]) + "\r\nRow specification = \"" + specs[r] +
         "\"\r\n\r\n";
  return s;
}

std::vector<int> DefaultColors() {
  return std::vector<int>(kDefaultRowColors, kDefaultRowColors + 31);
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

class TableAttributes : public AppFixture {
 protected:
  void Start() {
    ASSERT_TRUE(StartApp());
    ClearLog();
    Popups();  // the start-up's failed connect
  }
  int Attr() const { return MainTab(kPageTableAttributes); }
  void Commit(int ctrl) { ui::FireCtrlEvent(Attr(), ctrl, ui::EVENT_COMMIT); }
  void SetMode(int mode) {
    ui::SetCtrlVal(Attr(), TABATTR_RING_COLORMODE, mode);
    Commit(TABATTR_RING_COLORMODE);
  }
  void Set(int row, int color) {
    ui::SetCtrlVal(Attr(), TABATTR_NUM_ROW, row);
    ui::SetCtrlVal(Attr(), TABATTR_COLORNUM_COLOR, color);
    Commit(TABATTR_COLORNUM_COLOR);
    Commit(TABATTR_BUTTON_SET);
  }
  void SetSpec(int row, const std::string& text) {
    ui::SetTableCellVal(Attr(), TABATTR_TABLE_ATTR, 1, row + 1, text);
  }
  std::string RowText(int row) const {
    return ui::GetTableCellString(Attr(), TABATTR_TABLE_ATTR, 1, row + 1);
  }
  // The colour of row r in each of its four cells.
  std::vector<int> Cells(int r) const {
    int teach = MainTab(kPageTeachTable), gh = MainTab(kPageGroupHold);
    return {ui::GetTableCellColor(teach, TABTEACH_TABLE_TEACH, 6, r + 1),
            ui::GetTableCellColor(Attr(), TABATTR_TABLE_ATTR, 2, r + 1),
            ui::GetTableCellColor(gh, TABGRPHOLD_TABLE_GROUP, 2, r + 1),
            ui::GetTableCellColor(gh, TABGRPHOLD_TABLE_HOLD, 2, r + 2)};
  }
  void ExpectRow(int r, int color) {
    SCOPED_TRACE("row " + std::to_string(r));
    EXPECT_EQ(Cells(r), std::vector<int>(4, color));
    EXPECT_EQ(gRowColors[r], color);
  }
  // The colour of row r's tolerance figure in the 2D colour graph.
  static int Overlay(int r) {
    auto plane = ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_PLANE);
    return plane.size() == 31u ? plane[static_cast<size_t>(r)].color : -1;
  }
  std::string Path(const std::string& name) const { return dir + "/" + name; }

  // SAVE or LOAD with the dialog answering `result` and `path` and the confirm
  // popups that follow answered in turn; returns the popups after the dialog.
  std::vector<std::string> FileAction(int button, int result, const std::string& path,
                                      const std::vector<int>& confirms = {}) {
    dialogs.QueueFile(result, path);
    for (int answer : confirms) dialogs.QueueConfirm(answer);
    Commit(button);
    std::vector<std::string> popups = Popups();
    EXPECT_FALSE(popups.empty());
    if (popups.empty()) return popups;
    EXPECT_EQ(popups.front().rfind("TableAttributes|", 0), 0u) << popups.front();
    popups.erase(popups.begin());
    return popups;
  }
  std::vector<std::string> Save(const std::string& name) {
    return FileAction(TABATTR_BUTTON_SAVE, ui::VAL_NEW_FILE_SELECTED, Path(name));
  }
  std::vector<std::string> Load(const std::string& name, const std::vector<int>& confirms = {}) {
    return FileAction(TABATTR_BUTTON_LOAD, ui::VAL_EXISTING_FILE_SELECTED, Path(name), confirms);
  }
};

TEST_F(TableAttributes, SetColoursTheFourCellsAndTheOverlay) {
  Start();
  ExpectRow(0, 0xFF0000);
  ExpectRow(3, 0x000000);
  ExpectRow(30, 0xFF0000);

  ExpectRow(15, 0xFF0000);

  Set(4, 0x00FF00);
  ExpectRow(4, 0x00FF00);
  EXPECT_EQ(Overlay(4), 0x00FF00);
  ExpectRow(3, 0x000000);  // its neighbours keep theirs
  ExpectRow(5, 0xFFFF00);
  EXPECT_EQ(Overlay(5), 0xFFFF00);
  Set(30, 0x123456);  // the last row: hold-table row 32
  ExpectRow(30, 0x123456);
  EXPECT_EQ(Overlay(30), 0x123456);
  Set(0, 0xFFFFFF);
  ExpectRow(0, 0xFFFFFF);
  EXPECT_EQ(Popups(), std::vector<std::string>{});
}

TEST_F(TableAttributes, AutomaticModeDimsTheManualControlsAndShowsTheLiveColour) {
  Start();
  const int manual[] = {TABATTR_NUM_ROW, TABATTR_COLORNUM_COLOR, TABATTR_BUTTON_SET};
  auto liveShown = [] {
    return ui::GetCtrlAttribute(gShell.datap, DATAP_COLORNUM_LIVE, ui::ATTR_VISIBLE) == 1;
  };
  EXPECT_FALSE(liveShown());
  for (int mode : {1, 0, 1}) {
    SCOPED_TRACE(mode);
    SetMode(mode);
    for (int c : manual) EXPECT_EQ(Dimmed(Attr(), c), mode == 1);
    EXPECT_EQ(liveShown(), mode == 1);
    EXPECT_EQ(RowColorsFollowLive(), mode == 1);
  }

  // Every frame brings its colour into the field; a taught row takes it.
  gLive.frame[kLiveRed] = 4095;
  gLive.frame[kLiveGreen] = 2048;
  gLive.frame[kLiveBlue] = 16;
  ShowLiveFrame();
  EXPECT_EQ(ui::GetCtrlInt(gShell.datap, DATAP_COLORNUM_LIVE), 0xFF8001);
  ColorTaughtRow(7);
  ExpectRow(7, 0xFF8001);
  SetMode(0);
  ColorTaughtRow(8);  // manual: the row keeps its colour
  EXPECT_EQ(gRowColors[8], kDefaultRowColors[8]);
  EXPECT_EQ(Popups(), std::vector<std::string>{});
}

TEST_F(TableAttributes, ResetAsksThenRestoresDefaultsAndClearsTheTexts) {
  Start();
  Set(2, 0x111111);
  for (int r = 0; r < 31; ++r) SetSpec(r, "row " + std::to_string(r));
  gRowColors[40] = 0x222222;  // beyond the teach rows, the table is restored too

  dialogs.QueueConfirm(0);
  Commit(TABATTR_BUTTON_RESET);
  EXPECT_EQ(Popups(), std::vector<std::string>{kAskReset});
  ExpectRow(2, 0x111111);
  EXPECT_EQ(RowText(30), "row 30");

  dialogs.QueueConfirm(1);
  Commit(TABATTR_BUTTON_RESET);
  EXPECT_EQ(Popups(), std::vector<std::string>{kAskReset});
  for (int r = 0; r < 31; ++r) {
    ExpectRow(r, kDefaultRowColors[r]);
    EXPECT_EQ(Overlay(r), kDefaultRowColors[r]);
    EXPECT_EQ(RowText(r), "") << r;
  }
  EXPECT_EQ(gRowColors[40], kDefaultRowColors[40]);
}

TEST_F(TableAttributes, SaveWritesTheRowSectionsAfterTheHeader) {
  Start();
  std::vector<int> colors = DefaultColors();
  std::vector<std::string> specs(31);
  Set(4, 0x00FF00);
  colors[4] = 0x00FF00;
  SetSpec(0, "red caps");
  specs[0] = "red caps";
  SetSpec(12, "say \"green\"\\ok");
  specs[12] = "say \\\"green\\\"\\\\ok";

  EXPECT_EQ(Save("TableAttributes.ini"), std::vector<std::string>{});
  const std::string file = ReadProjectFile("TableAttributes.ini");
  EXPECT_EQ(file, kHeader + RowSections(colors, specs));
  EXPECT_NE(file.find("[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 16711680\r\n"),
            std::string::npos);

  // The chosen file is remembered, proposed again and kept in the settings.
  EXPECT_EQ(gRemembered.tableAttributesFile, Path("TableAttributes.ini"));
  WritePanelSettings();
  EXPECT_NE(ReadProjectFile("PanelSettings.cfg")
                .find("TABLE ATTRIBUTES FILE = \"" + Path("TableAttributes.ini") + "\"\r\n"),
            std::string::npos);
}

TEST_F(TableAttributes, DialogStartsWhereTheLastFileWasAndWriteFailuresAreReported) {
  Start();
  std::filesystem::create_directory(Path("sets"));
  ASSERT_EQ(Save("sets/line 4.ini"), std::vector<std::string>{});
  EXPECT_EQ(Load("sets/line 4.ini"), std::vector<std::string>{});
  const auto& requests = dialogs.FileRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].defaultDirectory, dir);
  EXPECT_EQ(requests[1].defaultDirectory, Path("sets"));
  for (const auto& r : requests) {
    EXPECT_EQ(r.defaultFileSpec, "TableAttributes.ini");
    EXPECT_EQ(r.filterList, "*.ini");
    EXPECT_EQ(r.title, "TableAttributes");
    EXPECT_TRUE(r.allowCancel);
    EXPECT_TRUE(r.allowMakeDirectory);
  }
  EXPECT_EQ(requests[0].mode, ui::VAL_SAVE_BUTTON);
  EXPECT_EQ(requests[1].mode, ui::VAL_LOAD_BUTTON);

  const std::string nowhere = Path("no such dir/TableAttributes.ini");
  EXPECT_EQ(FileAction(TABATTR_BUTTON_SAVE, ui::VAL_NEW_FILE_SELECTED, nowhere),
            std::vector<std::string>{"ATTENTION!|The file could not be written!\n" + nowhere});
}

TEST_F(TableAttributes, SavedFileLoadsBack) {
  Start();
  Set(9, 0x0A0B0C);
  SetSpec(9, "nine");
  SetSpec(30, std::string(120, 'x'));  // longer than a line of the file
  ASSERT_EQ(Save("a.ini"), std::vector<std::string>{});

  dialogs.QueueConfirm(1);
  Commit(TABATTR_BUTTON_RESET);
  Popups();
  ASSERT_EQ(Load("a.ini"), std::vector<std::string>{});
  ExpectRow(9, 0x0A0B0C);
  EXPECT_EQ(Overlay(9), 0x0A0B0C);
  ExpectRow(10, kDefaultRowColors[10]);
  EXPECT_EQ(RowText(9), "nine");
  EXPECT_EQ(RowText(30), std::string(99, 'x'));  // a loaded text keeps 99 characters

  // No more can be typed, so what the user sees is what a file brings back.
  auto* table = qobject_cast<QTableWidget*>(FindWidget("TABATTR_TABLE_ATTR"));
  ASSERT_NE(table, nullptr);
  table->openPersistentEditor(table->item(9, 0));
  auto* editor = table->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->maxLength(), 99);
  table->closePersistentEditor(table->item(9, 0));
}

TEST_F(TableAttributes, LoadWarnsOnlyAboutMissingColours) {
  Start();
  std::vector<int> colors(31, 0x010203);
  std::vector<std::string> specs(31, "from file");
  const std::string text = kHeader + RowSections(colors, specs);
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;
    std::vector<std::string> popups;
    std::vector<int> defaulted;  // rows whose colour falls back to the default
    int clearedRow;              // row whose text is empty afterwards, or -1
  };
  const std::string row3 = "[TABLE ATTR OF TEACH VECTOR 3]\r\nRow color = 66051\r\n";
  const Case cases[] = {
      {"a row without its row specification",
       {{row3 + "Row specification = \"from file\"\r\n", row3}},
       {},
       {},
       3},
      {"rows without a readable colour",
       {{"[TABLE ATTR OF TEACH VECTOR 5]\r\nRow color = 66051\r\n",
         "[TABLE ATTR OF TEACH VECTOR 5]\r\n"},
        {"[TABLE ATTR OF TEACH VECTOR 7]\r\nRow color = 66051",
         "[TABLE ATTR OF TEACH VECTOR 7]\r\nRow color = 0x10203"}},
       {kMissingRows + "TABLE ATTR OF TEACH VECTOR 5\nTABLE ATTR OF TEACH VECTOR 7\n"},
       {5, 7},
       -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string edited = text;
    for (const auto& [from, to] : c.edits) Replace(edited, from, to);
    WriteProjectFile("edited.ini", edited);
    for (int r = 0; r < 31; ++r) SetSpec(r, "before");
    EXPECT_EQ(Load("edited.ini"), c.popups);
    for (int r = 0; r < 31; ++r) {
      bool defaulted = std::find(c.defaulted.begin(), c.defaulted.end(), r) != c.defaulted.end();
      ExpectRow(r, defaulted ? kDefaultRowColors[r] : 0x010203);
      EXPECT_EQ(RowText(r), r == c.clearedRow ? "" : "from file") << r;
    }
  }
}

TEST_F(TableAttributes, ForeignOrMissingFilesChangeNothingUnlessAccepted) {
  Start();
  const std::string own =
      kHeader + RowSections(std::vector<int>(31, 0x0000AA), std::vector<std::string>(31, "file"));
  const std::string rows = own.substr(kHeader.size());
  struct Case {
    const char* name;
    std::string header;
    std::vector<int> answers;
    std::vector<std::string> popups;
    bool read;
  };
  const Case cases[] = {
      {"no header, both accepted", "", {1, 1}, {kAskType, kAskVersion}, true},
      {"no header, type declined", "", {0}, {kAskType, kNotRead}, false},
      {"parameter file, accepted",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
       "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n\r\n",
       {1},
       {kAskType},
       true},
      {"other version, declined",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
       "SCOPE VERSION: = \"COLMIRA3-Rarev V4.1\"\r\n\r\n",
       {0},
       {kAskVersion, kNotRead},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.QueueConfirm(1);
    Commit(TABATTR_BUTTON_RESET);
    Popups();
    WriteProjectFile("foreign.ini", c.header + rows);
    EXPECT_EQ(Load("foreign.ini", c.answers), c.popups);
    ExpectRow(6, c.read ? 0x0000AA : kDefaultRowColors[6]);
    EXPECT_EQ(RowText(6), c.read ? "file" : "");
  }

  struct NoFile {
    const char* name;
    int button, result;
    std::string path;
  };
  const NoFile none[] = {
      {"save cancelled", TABATTR_BUTTON_SAVE, ui::VAL_NO_FILE_SELECTED, ""},
      {"load cancelled", TABATTR_BUTTON_LOAD, ui::VAL_NO_FILE_SELECTED, ""},
      {"load of a new name", TABATTR_BUTTON_LOAD, ui::VAL_NEW_FILE_SELECTED, Path("new.ini")},
  };
  for (const auto& c : none) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FileAction(c.button, c.result, c.path), std::vector<std::string>{kNoFile});
    ExpectRow(6, kDefaultRowColors[6]);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("new.ini")));
  EXPECT_FALSE(std::filesystem::exists(Path("TableAttributes.ini")));
}

TEST_F(TableAttributes, RightClickShowsTheHelpTitledInfo) {
  Start();
  const std::pair<int, const char*> helps[] = {
      {TABATTR_RING_COLORMODE,
       "Set mode for the row indicator colors. \n\nManually: Indicator colors can be set "
       "manually. \n\nAutomatically: Indicator colors will be set automatically, \naccording to "
       "the color detected from the sensor."},
      {TABATTR_NUM_ROW, "Select a row, which should be set."},
      {TABATTR_COLORNUM_COLOR, "Select a indicator color."},
      {TABATTR_BUTTON_SET, "Assign selected color to row."},
      {TABATTR_BUTTON_SAVE,
       "Indicator colors and row specifications \nwill be saved to a selectable file. "
       "\nAttention! The table attributes will be stored \nat the hard disk and NOT in the "
       "sensor."},
      {TABATTR_BUTTON_LOAD,
       "Indicator colors and row specifications will be \nread from a selectable file from the "
       "hard disk \nand assigned to the teach table and specification table."},
      {TABATTR_BUTTON_RESET, "Set default row colors."},
  };
  for (const auto& [ctrl, text] : helps) {
    ui::FireCtrlEvent(Attr(), ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("Info|") + text}) << ctrl;
  }
}

// The real dialog, once: what it offers before the user does anything.
TEST_F(TableAttributes, RealDialogProposesTheFileInTheRememberedDirectory) {
  Start();
  std::filesystem::create_directory(Path("attr"));
  gRemembered.tableAttributesFile = Path("attr/old.ini");
  QString title, directory, proposed;
  QStringList filters;
  QString selectedFilter;
  std::vector<std::string> others;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      others.push_back(box->text().toStdString());
      box->reject();
    } else if (auto* dlg = qobject_cast<QFileDialog*>(modal)) {
      title = dlg->windowTitle();
      directory = dlg->directory().absolutePath();
      filters = dlg->nameFilters();
      selectedFilter = dlg->selectedNameFilter();
      if (auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit")) proposed = edit->text();
      static_cast<QDialog*>(dlg)->accept();  // as the OK button does
    }
  });
  poll.start(20);
  ui::SetDialogProvider(nullptr);
  Commit(TABATTR_BUTTON_SAVE);
  ui::SetDialogProvider(&dialogs);
  poll.stop();

  EXPECT_EQ(title.toStdString(), "TableAttributes");
  EXPECT_EQ(directory.toStdString(), Path("attr"));
  EXPECT_EQ(proposed.toStdString(), "TableAttributes.ini");
  EXPECT_EQ(selectedFilter.toStdString(), "*.ini");
  EXPECT_EQ(filters, QStringList{"*.ini"});
  EXPECT_EQ(others, std::vector<std::string>{});
  // Accepting the proposal saves there.
  EXPECT_TRUE(std::filesystem::exists(Path("attr/TableAttributes.ini")));
  EXPECT_EQ(gRemembered.tableAttributesFile, Path("attr/TableAttributes.ini"));
}

}  // namespace
