// The hardware information file: what is asked of the sensor and in which
// order, the file written from it, and every way the operation ends early.
#include "gui/params/hardware_file.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

using Order = std::pair<int, int>;  // order, argument

std::vector<uint16_t> HardwareBlock() {
  std::vector<uint16_t> w(kHardwareInfoWords);
  for (int i = 0; i < kHardwareInfoWords; ++i) w[i] = static_cast<uint16_t>(i * 0x0101 + 0x20);
  w[0] = 0x0001;
  w[1] = 0xABCD;
  w[255] = 0xFFFF;
  return w;
}

// The file as it must be: header, hardware block in thirteen pieces, factors,
// offsets, the parameter set.
std::string ExpectedFile(const std::string& ident, const std::vector<uint16_t>& hardware,
                         const std::array<uint16_t, 6>& calibration,
                         const std::vector<uint16_t>& parameters) {
  static const char* const kKeys[kHeadWords] = {
      "POWER",     "POWER MODE",   "AVERAGE",          "EVALUATION MODE",
      "HOLD FAIL", "INTLIM",       "MAX VEC NO",       "DIGITAL OUTMODE",
      "TRIGGER",   "EXTERN TEACH", "CALCULATION MODE", "DYNWIN LO",
      "DYNWIN HI", "COLOR GROUP",  "LED MODE",         "GAIN",
      "INTEGRAL"};
  std::string hex;
  char digits[8];
  for (uint16_t w : hardware) {
    std::snprintf(digits, sizeof digits, "%04X", w);
    hex += digits;
  }
  std::string s =
      "[GENERAL INFO]\r\n"
      "FILE TYPE: = \"Hardware Initial File\"\r\n"
      "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n"
      "FIRMWARE VERSION: = \"" +
      ident + "\"\r\n\r\n[HARDWARE INFO]\r\n";
  for (int line = 0; line < 13; ++line) {
    std::snprintf(digits, sizeof digits, "%04d", line + 1);
    s += std::string("DATA Line") + digits + " = \"" + hex.substr(80 * line, 80) + "\"\r\n";
  }
  const char* rgb[3] = {"RED", "GREEN", "BLUE"};
  s += "\r\n[CALIBRATION FACTOR]\r\n";
  for (int c = 0; c < 3; ++c)
    s += std::string(rgb[c]) + " = " + std::to_string(calibration[c]) + "\r\n";
  s += "\r\n[OFFSET]\r\n";
  for (int c = 0; c < 3; ++c)
    s += std::string(rgb[c]) + " = " + std::to_string(calibration[3 + c]) + "\r\n";
  s += "\r\n[PARAMETER]\r\n";
  for (int i = 0; i < kHeadWords; ++i)
    s += std::string(kKeys[i]) + " = " + std::to_string(parameters[i]) + "\r\n";
  s += "\r\n";
  for (int r = 0; r < 31; ++r) {
    auto word = [&](int k) {
      return std::to_string(parameters[kHeadWords + r * kTeachRowWords + k]);
    };
    s += "[TEACH VECTOR " + std::to_string(r) + "]\r\n";
    for (int c = 0; c < 5; ++c) s += "CELL " + std::to_string(c) + " = " + word(c) + "\r\n";
    s += "GROUP  = " + word(kRowGroup) + "\r\n";
    s += "HOLD  = " + word(kRowHold) + "\r\n\r\n";
  }
  return s;
}

class HardwareFile : public AppFixture {
 protected:
  void Start() {
    sensor.SetHardwareWords(HardwareBlock());
    sensor.SetCalibrationWords({1000, 1100, 1200, 7, 8, 9});
    sensor.TeachDemoColours(0);
    StartWithTcpSensor();
    ClearLog();
    Popups();
    sensor.ClearRequests();
  }
  void Press() { ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_BUTTON_HWFILE, ui::EVENT_COMMIT); }
  std::vector<Order> Orders() {
    std::vector<Order> out;
    for (const auto& r : sensor.Requests()) out.emplace_back(r.order, r.arg);
    return out;
  }
  std::string Path(const std::string& name) const { return dir + "/" + name; }
};

TEST(HardwareData, FourUpperCaseDigitsPerWord) {
  auto w = HardwareBlock();
  std::string text = HardwareDataText(w.data());
  EXPECT_EQ(text.size(), 1024u);
  EXPECT_EQ(text.substr(0, 12), "0001ABCD0222");
  EXPECT_EQ(text.substr(1020), "FFFF");
}

TEST_F(HardwareFile, WritesWhatTheSensorHoldsReadFromRam) {
  Start();
  ui::FireCtrlEvent(gShell.mainp, MAINP_RADIO_EEPROM, ui::EVENT_VAL_CHANGED);
  ui::SetCtrlVal(MainTab(kPageCalibration), TABCALIB_NUM_CFRED, 1);  // replaced by the read
  dialogs.QueueFile(ui::VAL_NEW_FILE_SELECTED, Path("support.ini"));
  Press();

  EXPECT_EQ(Orders(), (std::vector<Order>{{0x02, 0}, {0x02, 2}, {0x66, 0}, {0xC2, 0x5E17}}));
  EXPECT_EQ(gTransfer.target, kTargetEeprom);
  EXPECT_EQ(ui::GetCtrlInt(gShell.mainp, MAINP_RADIO_EEPROM), 1);
  EXPECT_EQ(ReadProjectFile("support.ini"),
            ExpectedFile("COLOR SENSOR SIM V1.0 SN 000001", HardwareBlock(),
                         sensor.CalibrationWords(), sensor.ParameterWords(0)));
  EXPECT_EQ(Log(), "HARDWARE INI FILE HAS BEEN SAVED TO:\n" + Path("support.ini") + "\n\n");
  EXPECT_EQ(gRemembered.hardwareFile, Path("support.ini"));

  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  const ui::FileSelectRequest& r = dialogs.FileRequests()[0];
  EXPECT_EQ(r.title, "HardwareInitialFile");
  EXPECT_EQ(r.defaultFileSpec, "HardwareInitialFile.ini");
  EXPECT_EQ(r.filterList, "*.ini");
  EXPECT_EQ(r.defaultDirectory, dir);
  EXPECT_EQ(r.mode, ui::VAL_SAVE_BUTTON);
  Popups();
}

TEST_F(HardwareFile, CancelWritesNothingButKeepsWhatWasRead) {
  Start();
  ui::SetCtrlVal(MainTab(kPageOffset), TABOFFSET_NUM_GREEN, 0);
  dialogs.QueueFile(ui::VAL_NO_FILE_SELECTED, "");
  Press();
  Popups();
  EXPECT_EQ(Log(), "ATTENTION!   NO FILE WAS SELECTED!\n\n");
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageCalibration), TABCALIB_NUM_CFBLUE), 1200);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageOffset), TABOFFSET_NUM_GREEN), 8);
  EXPECT_FALSE(ui::FileExists(Path("HardwareInitialFile.ini")));
}

TEST_F(HardwareFile, AFailedExchangeEndsBeforeTheDialog) {
  struct Case {
    int order;
    sim::Fault fault;
    const char* logStart;
  };
  const Case cases[] = {
      {0x02, sim::Fault::BadDataCrc, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"},
      {0x66, sim::Fault::BadHeaderCrc, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!"},
      {0xC2, sim::Fault::BadDataCrc, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"},
      {0xC2, sim::Fault::Status1, "INVALIDE ORDER NUMBER!"},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    ClearLog();
    sensor.ClearRequests();
    sensor.InjectFault(c.fault, c.order);
    Press();
    EXPECT_EQ(Log().rfind(c.logStart, 0), 0u) << Log();
    EXPECT_EQ(Orders().back().first, c.order) << "nothing asked after the failure";
  }
  EXPECT_TRUE(dialogs.FileRequests().empty());
}

TEST_F(HardwareFile, AFileThatCannotBeWrittenIsReported) {
  Start();
  const std::string path = Path("missing/dir/support.ini");
  dialogs.QueueFile(ui::VAL_NEW_FILE_SELECTED, path);
  Press();
  EXPECT_EQ(Log(), "ATTENTION!   HARDWARE INI FILE COULD NOT BE WRITTEN TO:\n" + path + "\n\n");
  auto popups = Popups();
  ASSERT_FALSE(popups.empty());
  EXPECT_EQ(popups.back(), "ATTENTION!|The file could not be written!\n" + path);
}

// The real dialog: it starts in the remembered directory, proposes the
// default name and offers the INI files.
TEST_F(HardwareFile, TheRealDialogIsBuiltForTheFile) {
  Start();
  ui::SetDialogProvider(nullptr);
  QString title, directory;
  QStringList filters, selected;
  QTimer::singleShot(200, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    title = dlg->windowTitle();
    directory = dlg->directory().absolutePath();
    filters = dlg->nameFilters();
    selected = dlg->selectedFiles();
    dlg->reject();
  });
  Press();
  EXPECT_EQ(title, "HardwareInitialFile");
  EXPECT_EQ(directory.toStdString(), dir);
  EXPECT_EQ(filters, QStringList{"*.ini"});
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0].toStdString(), Path("HardwareInitialFile.ini"));
  EXPECT_EQ(Log(), "ATTENTION!   NO FILE WAS SELECTED!\n\n");
}

}  // namespace
