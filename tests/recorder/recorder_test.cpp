// The recorder page against the virtual sensor: the controls of each mode, the
// file dialog and header, interval, triggered and manual recording, and the
// recorded-value graphs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_file.h"
#include "gui/recorder/record_graphs.h"
#include "gui/recorder/record_loops.h"
#include "gui/recorder/recorder_state.h"
#include "gui/settings/panel_settings.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

const char* const kRightFile =
    "ATTENTION!|Are you sure, that you have selected the right file name?";
const char* const kMakeSure =
    "ATTENTION!| Make sure, that the file is not opened by any other program. \n Otherwise it can "
    "not be saved.";
const char* const kSaved = "INFO!|File has been saved!";

using Fields = std::vector<std::string>;

class Recorder : public AppFixture {
 protected:
  int Page() const { return MainTab(kPageRecorder); }
  void Fire(int ctrl, int event = ui::EVENT_COMMIT) { ui::FireCtrlEvent(Page(), ctrl, event); }
  void SetMode(int mode) {
    ui::SetCtrlVal(Page(), TABREC_RING_MODE, mode);
    Fire(TABREC_RING_MODE);
  }
  void RecordTo(const std::string& name) { gRemembered.recordFile = dir + "/" + name; }
  // The data lines of a file without a header, split into their fields.
  std::vector<Fields> Lines(const std::string& name) {
    std::string text = ReadProjectFile(name);
    std::vector<Fields> out;
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find("\r\n", at);
      EXPECT_NE(end, std::string::npos) << "a line without CR LF";
      if (end == std::string::npos) break;
      std::stringstream line(text.substr(at, end - at));
      Fields f;
      for (std::string s; std::getline(line, s, '\t');) f.push_back(s);
      out.push_back(f);
      at = end + 2;
    }
    return out;
  }
  // Fields 2.. of a line as the frame gives them.
  static Fields Expected(const uint16_t* frame) {
    Fields f;
    for (int w = 0; w <= kLiveTemp; ++w)
      f.push_back(std::to_string(w == kLiveDeltaC ? static_cast<int16_t>(frame[w]) : frame[w]));
    return f;
  }
  static void ExpectLineOf(const Fields& line, const uint16_t* frame) {
    ASSERT_EQ(line.size(), 13u);
    static const std::regex date(R"(\d\d-\d\d-\d{4})"), time(R"(\d\d:\d\d:\d\d)");
    EXPECT_TRUE(std::regex_match(line[0], date)) << line[0];
    EXPECT_TRUE(std::regex_match(line[1], time)) << line[1];
    EXPECT_EQ(Fields(line.begin() + 2, line.end()), Expected(frame));
  }
  int Requests(int order, int arg) {
    int n = 0;
    for (const auto& r : sensor.Requests()) n += r.order == order && r.arg == arg;
    return n;
  }
  bool Visible(int ctrl) { return ui::GetCtrlAttribute(Page(), ctrl, ui::ATTR_VISIBLE) == 1; }
  int Shown(int ctrl) { return ui::GetCtrlInt(Page(), ctrl); }
  // Runs an interval recording of N frames; `during` runs once it is under way.
  void RecordInterval(int frames, double interval, std::function<void()> during = {}) {
    SetMode(0);
    ui::SetCtrlVal(Page(), TABREC_NUM_NUMBER, frames);
    ui::SetCtrlVal(Page(), TABREC_NUM_INTERVAL, interval);
    dialogs.QueueConfirm(1);
    if (during) QTimer::singleShot(100, during);
    Fire(TABREC_BUTTON_START);
  }
};

TEST_F(Recorder, EachModeShowsItsControls) {
  StartWithTcpSensor();
  ClearLog();
  const int ctrls[] = {TABREC_NUM_INTERVAL,   TABREC_NUM_NUMBER,      TABREC_DISP_DAYS,
                       TABREC_DISP_SECONDS,   TABREC_DISP_RECORDED,   TABREC_DISP_RUNNING,
                       TABREC_DISP_REMAINING, TABREC_BUTTON_START,    TABREC_BUTTON_STOP,
                       TABREC_BUTTON_MANUAL,  TABREC_BUTTON_STARTTRIG};
  const char* shown[4] = {"11111011100", "10000101100", "00001000010", "00000100101"};
  auto visibleNow = [&] {
    std::string got;
    for (int c : ctrls) got += Visible(c) ? '1' : '0';
    return got;
  };
  EXPECT_EQ(visibleNow(), shown[0]) << "the layout starts in mode 0";
  for (int mode : {3, 1, 2, 0}) {
    SetMode(mode);
    EXPECT_EQ(visibleNow(), shown[mode]) << "mode " << mode;
    for (int c : {TABREC_RING_MODE, TABREC_BUTTON_SELFILE, TABREC_TEXTBOX_FILE, TABREC_STR_ID})
      EXPECT_TRUE(Visible(c));
  }
  // The page applies the ring's mode and the record time when it becomes active.
  ui::SetCtrlVal(Page(), TABREC_RING_MODE, 3);
  ui::FireCtrlEvent(gShell.mainp, MAINP_TAB, ui::EVENT_ACTIVE_TAB_CHANGE, 1, kPageRecorder);
  EXPECT_TRUE(Visible(TABREC_BUTTON_STARTTRIG));
  EXPECT_FALSE(Visible(TABREC_BUTTON_START));
  ui::SetCtrlVal(Page(), TABREC_RING_MODE, 0);
  ui::SetCtrlVal(Page(), TABREC_NUM_NUMBER, 1000);
  ui::SetCtrlVal(Page(), TABREC_NUM_INTERVAL, 0.25);
  ui::FireCtrlEvent(gShell.mainp, MAINP_TAB, ui::EVENT_ACTIVE_TAB_CHANGE, 1, kPageRecorder);
  EXPECT_TRUE(Visible(TABREC_BUTTON_START));
  EXPECT_EQ(Shown(TABREC_DISP_MINUTES), 4);
  EXPECT_EQ(ui::GetCtrlDouble(Page(), TABREC_DISP_SECONDS), 10.0);
  EXPECT_EQ(Shown(TABREC_DISP_REMAINING), 1000);
  // The number box offers no N of 0, which would record until a counter wraps.
  ui::SetCtrlVal(Page(), TABREC_NUM_NUMBER, 0);
  EXPECT_EQ(Shown(TABREC_NUM_NUMBER), 1);
}

TEST_F(Recorder, ShortIntervalIsRaisedBeforeTheTimeIsShown) {
  StartWithTcpSensor();
  ClearLog();
  ui::SetCtrlVal(Page(), TABREC_NUM_NUMBER, 1000);
  ui::SetCtrlVal(Page(), TABREC_NUM_INTERVAL, 0.1);
  Fire(TABREC_NUM_INTERVAL);
  EXPECT_EQ(ui::GetCtrlDouble(Page(), TABREC_NUM_INTERVAL), 0.25);
  EXPECT_EQ(Shown(TABREC_DISP_DAYS), 0);
  EXPECT_EQ(Shown(TABREC_DISP_HOURS), 0);
  EXPECT_EQ(Shown(TABREC_DISP_MINUTES), 4);
  EXPECT_EQ(ui::GetCtrlDouble(Page(), TABREC_DISP_SECONDS), 10.0);
}

TEST_F(Recorder, ChoosingTheFile) {
  StartWithTcpSensor();
  ClearLog();
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, "LINE 7");
  const std::string fresh = dir + "/fresh.dat", old = dir + "/old.dat";
  WriteProjectFile("old.dat", "keep me");
  auto path = [&] { return ui::GetCtrlString(Page(), TABREC_TEXTBOX_FILE); };

  // A new name: header, path shown and remembered.
  dialogs.QueueFile(ui::VAL_NEW_FILE_SELECTED, fresh);
  Fire(TABREC_BUTTON_SELFILE);
  EXPECT_EQ(ReadProjectFile("fresh.dat"), RecordHeaderText("LINE 7"));
  EXPECT_EQ(path(), fresh);
  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  const auto& r = dialogs.FileRequests()[0];
  EXPECT_EQ(r.defaultDirectory, dir);
  EXPECT_EQ(r.defaultFileSpec, "RecordFile.dat");
  EXPECT_EQ(r.filterList, "*.dat");
  EXPECT_EQ(r.title, "FILENAME!");

  // An existing file and No: neither the file nor the path change.
  dialogs.QueueFile(ui::VAL_EXISTING_FILE_SELECTED, old);
  dialogs.QueueConfirm(0);
  Fire(TABREC_BUTTON_SELFILE);
  const std::string dialog = "FILENAME!|" + dir;
  EXPECT_EQ(Popups(),
            (std::vector<std::string>{
                dialog, dialog,
                "ATTENTION!|File already exist! \nDo you want to select existing file?"}));
  EXPECT_EQ(ReadProjectFile("old.dat"), "keep me");
  EXPECT_EQ(path(), fresh);
  EXPECT_EQ(gRemembered.recordFile, fresh);

  // Nothing chosen.
  dialogs.QueueFile(ui::VAL_NO_FILE_SELECTED, "");
  Fire(TABREC_BUTTON_SELFILE);
  EXPECT_EQ(Popups(),
            (std::vector<std::string>{
                dialog, "ATTENTION!|No filename was selected! \nRecording will not be done! "}));
  EXPECT_EQ(gRemembered.recordFile, fresh);

  // An existing file and Yes: it starts again with a header.
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, "");
  dialogs.QueueFile(ui::VAL_EXISTING_FILE_SELECTED, old);
  dialogs.QueueConfirm(1);
  Fire(TABREC_BUTTON_SELFILE);
  EXPECT_EQ(Popups(),
            (std::vector<std::string>{
                dialog, "ATTENTION!|File already exist! \nDo you want to select existing file?",
                kMakeSure}));
  EXPECT_EQ(ReadProjectFile("old.dat"), RecordHeaderText(""));
  EXPECT_EQ(path(), old);

  // The path chosen last is written back to the settings.
  WritePanelSettings();
  EXPECT_NE(ReadProjectFile("PanelSettings.cfg").find("RECORDER FILE = \"" + old + "\"\r\n"),
            std::string::npos);
}

TEST_F(Recorder, TheFileDialogIsBuiltRight) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("sub/rec.dat");
  std::filesystem::create_directory(dir + "/sub");
  ui::SetDialogProvider(nullptr);
  QStringList filters;
  QString directory, proposed, title, message;
  std::function<void()> answer = [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (auto* d = qobject_cast<QFileDialog*>(w)) {
      filters = d->nameFilters();
      directory = d->directory().absolutePath();
      proposed = d->selectedFiles().value(0);
      title = d->windowTitle();
      d->reject();
    } else if (auto* m = qobject_cast<QMessageBox*>(w)) {
      message = m->text();
      m->accept();
      return;
    }
    QTimer::singleShot(20, answer);
  };
  QTimer::singleShot(20, answer);
  Fire(TABREC_BUTTON_SELFILE);
  ui::SetDialogProvider(&dialogs);
  EXPECT_EQ(filters, QStringList{"*.dat"});
  EXPECT_EQ(directory.toStdString(), dir + "/sub");
  EXPECT_EQ(proposed.toStdString(), dir + "/sub/RecordFile.dat");
  EXPECT_EQ(title.toStdString(), "FILENAME!");
  EXPECT_EQ(message.toStdString(), "No filename was selected! \nRecording will not be done! ");
}

TEST_F(Recorder, ModeZeroRecordsExactlyNFrames) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("rec.dat");
  sensor.ClearRequests();
  int startColorDuring = 0, intervalMode = 0;
  bool ringDimmed = false, stopDimmed = true;
  size_t onDisk = 0;
  int recordedThen = -1;
  RecordInterval(3, 0.25, [&] {
    // Each line is on disk once its cycle is done.
    onDisk = Lines("rec.dat").size();
    recordedThen = Shown(TABREC_DISP_RECORDED);
    startColorDuring = ui::GetCtrlAttribute(Page(), TABREC_BUTTON_START, ui::ATTR_CMD_BUTTON_COLOR);
    intervalMode = ui::GetCtrlAttribute(Page(), TABREC_NUM_INTERVAL, ui::ATTR_CTRL_MODE);
    ringDimmed = Dimmed(Page(), TABREC_RING_MODE);
    stopDimmed = Dimmed(Page(), TABREC_BUTTON_STOP);
  });
  EXPECT_EQ(Popups(), (std::vector<std::string>{kRightFile, kMakeSure, kSaved}));
  EXPECT_EQ(Requests(0x08, 0), 3);
  auto lines = Lines("rec.dat");
  ASSERT_EQ(lines.size(), 3u);
  ExpectLineOf(lines.back(), gLive.frame);
  EXPECT_EQ(Shown(TABREC_DISP_RECORDED), 3);
  EXPECT_EQ(Shown(TABREC_DISP_REMAINING), 0);
  EXPECT_EQ(onDisk, 1u);
  EXPECT_EQ(recordedThen, 1);
  EXPECT_EQ(startColorDuring, 0xFF0000);
  EXPECT_EQ(intervalMode, ui::VAL_INDICATOR);
  EXPECT_TRUE(ringDimmed);
  EXPECT_FALSE(stopDimmed);
  EXPECT_EQ(ui::GetCtrlAttribute(Page(), TABREC_BUTTON_START, ui::ATTR_CMD_BUTTON_COLOR), 0xE0E0E0);
  EXPECT_EQ(ui::GetCtrlAttribute(Page(), TABREC_NUM_INTERVAL, ui::ATTR_CTRL_MODE), ui::VAL_NORMAL);
  EXPECT_FALSE(Dimmed(Page(), TABREC_RING_MODE));
  // The graphs got one sample per frame.
  auto plots = ui::GetGraphPlots(gShell.graphp, GRAPHP_GRAPH_RED);
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(plots[0].x2, 2);
  EXPECT_EQ(Log(), "");
}

TEST_F(Recorder, FailedRequestEndsTheRecordingAndStillCounts) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("rec.dat");
  sensor.InjectFault(sim::Fault::Silence, 0x08, 1, 2);
  RecordInterval(5, 0.25);
  EXPECT_EQ(Popups(), (std::vector<std::string>{kRightFile, kMakeSure, kSaved}));
  EXPECT_EQ(Lines("rec.dat").size(), 2u);
  EXPECT_EQ(Shown(TABREC_DISP_RECORDED), 3);
  EXPECT_EQ(Shown(TABREC_DISP_REMAINING), 2);
  EXPECT_EQ(Log().rfind(kTimeoutText, 0), 0u) << Log();
}

TEST_F(Recorder, UnwritableFileIsReportedInsteadOfSaved) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("missing/rec.dat");
  RecordInterval(2, 0.25);
  EXPECT_EQ(Popups(), (std::vector<std::string>{
                          kRightFile, kMakeSure,
                          "ATTENTION!|2 lines could not be written to the file \n" + dir +
                              "/missing/rec.dat \nMake sure, that the file is not opened by "
                              "any other program."}));
}

TEST_F(Recorder, StopRecordGoStopAndTheModeRingEndTheWaitAtOnce) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("rec.dat");
  struct Case {
    const char* name;
    std::function<void()> stop;
  } cases[] = {
      {"STOP RECORD", [&] { Fire(TABREC_BUTTON_STOP); }},
      {"STOP", [&] { ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_STOP, ui::EVENT_COMMIT); }},
      {"mode ring", [&] { Fire(TABREC_RING_MODE); }},
  };
  for (const auto& c : cases) {
    SetMode(1);
    ui::SetCtrlVal(Page(), TABREC_NUM_INTERVAL, 30.0);
    dialogs.QueueConfirm(1);
    QTimer::singleShot(300, c.stop);
    double start = ui::Timer();
    Fire(TABREC_BUTTON_START);
    EXPECT_LT(ui::Timer() - start, 2.0) << c.name;
    EXPECT_EQ(Shown(TABREC_DISP_RUNNING), 1) << c.name;
    EXPECT_EQ(Popups(), (std::vector<std::string>{kRightFile, kMakeSure, kSaved})) << c.name;
  }
}

class TriggeredRecording : public Recorder {
 protected:
  // Records the sensor's triggered stream for `seconds`, then presses STOP RECORD.
  void RecordStream(double seconds) {
    SetMode(3);
    RecordTo("trig.dat");
    std::filesystem::remove(gRemembered.recordFile);
    sensor.ClearRequests();
    sensor.ClearStreamFrames();
    dialogs.QueueConfirm(1);
    QTimer::singleShot(static_cast<int>(seconds * 1000), [this] {
      busyWhileRunning =
          Dimmed(Page(), TABREC_BUTTON_STARTTRIG) && Dimmed(Page(), TABREC_RING_MODE);
      colorWhileRunning =
          ui::GetCtrlAttribute(Page(), TABREC_BUTTON_STARTTRIG, ui::ATTR_CMD_BUTTON_COLOR);
      Fire(TABREC_BUTTON_STOP);
    });
    Fire(TABREC_BUTTON_STARTTRIG);
  }
  // Every recorded line is the frame the sensor sent at that place in the stream.
  void ExpectTheStreamRecorded(size_t atLeast) {
    EXPECT_EQ(Popups(), (std::vector<std::string>{kRightFile, kMakeSure, kSaved}));
    EXPECT_EQ(Requests(0x1E, 1), 1);
    EXPECT_EQ(Requests(0x1E, 0), 1);
    ASSERT_FALSE(sensor.StreamRunning());
    auto sent = sensor.StreamFrames();
    auto lines = Lines("trig.dat");
    EXPECT_GE(lines.size(), atLeast);
    // Only the frames still on their way when STOP RECORD was pressed are not
    // recorded: the lines are the stream's first frames, in order, none skipped.
    // How many were on their way depends on the machine's load, so it is not bounded here.
    ASSERT_LE(lines.size(), sent.size());
    for (size_t i = 0; i < lines.size(); ++i) ExpectLineOf(lines[i], sent[i].data());
    EXPECT_EQ(ui::GetCtrlDouble(Page(), TABREC_DISP_RUNNING), static_cast<double>(lines.size()));
    EXPECT_TRUE(busyWhileRunning);
    EXPECT_EQ(colorWhileRunning, 0xFF0000);
    EXPECT_EQ(ui::GetCtrlAttribute(Page(), TABREC_BUTTON_STARTTRIG, ui::ATTR_CMD_BUTTON_COLOR),
              0xE0E0E0);
    EXPECT_FALSE(Dimmed(Page(), TABREC_BUTTON_STARTTRIG));
    EXPECT_EQ(Log(), "");
  }
  bool busyWhileRunning = false;
  int colorWhileRunning = 0;
};

TEST_F(TriggeredRecording, OverTcp) {
  StartWithTcpSensor();
  ClearLog();
  sensor.SetStreamIntervalMs(2);
  // A pause of the program lets more frames pile up than the receive buffer holds.
  QTimer::singleShot(300, [] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); });
  RecordStream(1.0);
  ExpectTheStreamRecorded(100);
}

// 48 bytes a frame take 4.2 ms at 115200 baud: a frame every 5 ms keeps the
// line busy most of the time, so STOP RECORD mostly falls into a frame.
TEST_F(TriggeredRecording, OverAPseudoTerminalAtTheLineLimit) {
  StartWithPtySensor(7, 115200);
  ClearLog();
  sensor.SetStreamIntervalMs(5);
  for (double seconds : {0.8, 0.413, 0.207}) {
    RecordStream(seconds);
    ExpectTheStreamRecorded(static_cast<size_t>(seconds * 50));
  }
}

TEST_F(TriggeredRecording, PortErrorWhileWaiting) {
  StartWithPtySensor();
  ClearLog();
  SetMode(3);
  RecordTo("trig.dat");
  sensor.SetStreamIntervalMs(100);
  // The reply to the start goes through; the sensor's port goes away with its first frame.
  sensor.InjectFault(sim::Fault::CloseConnection, 0x1E, 1, 1);
  dialogs.QueueConfirm(1);
  Fire(TABREC_BUTTON_STARTTRIG);
  EXPECT_EQ(Popups(), (std::vector<std::string>{kRightFile, kMakeSure, kSaved}));
  EXPECT_EQ(Log().rfind(std::string(kTriggerPortErrorText) + "\n\n", 0), 0u) << Log();
  EXPECT_EQ(ActiveMainPage(), kPageComm);
  EXPECT_EQ(ReadProjectFile("trig.dat"), "");
}

TEST_F(Recorder, ManualRecordDuringGo) {
  StartWithTcpSensor();
  ClearLog();
  RecordTo("manual.dat");
  SetMode(2);
  std::vector<std::vector<uint16_t>> pressed;
  for (int ms : {150, 300, 450})
    QTimer::singleShot(ms, [&] {
      EXPECT_FALSE(Dimmed(Page(), TABREC_BUTTON_MANUAL));
      pressed.emplace_back(gLive.frame, gLive.frame + kLiveFrameWords);
      Fire(TABREC_BUTTON_MANUAL);
    });
  QTimer::singleShot(600,
                     [] { ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_STOP, ui::EVENT_COMMIT); });
  sensor.ClearRequests();
  ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_GO, ui::EVENT_COMMIT);
  auto lines = Lines("manual.dat");
  ASSERT_EQ(lines.size(), 3u);
  for (size_t i = 0; i < 3; ++i) ExpectLineOf(lines[i], pressed[i].data());
  EXPECT_EQ(Shown(TABREC_DISP_RECORDED), 3);
  for (const auto& r : sensor.Requests()) EXPECT_EQ(r.order, 0x08);
}

TEST_F(Recorder, FirstSampleAfterClearingIsOnePointAtZero) {
  StartWithTcpSensor();
  ClearLog();
  const int graphs[] = {GRAPHP_GRAPH_RED, GRAPHP_GRAPH_GREEN, GRAPHP_GRAPH_BLUE, GRAPHP_GRAPH_X,
                        GRAPHP_GRAPH_Y,   GRAPHP_GRAPH_INT,   GRAPHP_GRAPH_TEMP};
  const int displays[] = {GRAPHP_DISP_RED, GRAPHP_DISP_GREEN, GRAPHP_DISP_BLUE, GRAPHP_DISP_X,
                          GRAPHP_DISP_Y,   GRAPHP_DISP_INT,   GRAPHP_DISP_TEMP};
  const int words[] = {0, 1, 2, 3, 4, 5, 10};
  const int colors[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000, 0x00FF00, 0x008080, 0x008080};
  for (int w = 0; w < kLiveFrameWords; ++w) gLive.frame[w] = static_cast<uint16_t>(100 + w);
  PlotRecordedValues();
  for (int w = 0; w < kLiveFrameWords; ++w) gLive.frame[w] = static_cast<uint16_t>(500 + w);
  ClearRecordGraphs();
  for (int g : graphs) EXPECT_TRUE(ui::GetGraphPlots(gShell.graphp, g).empty());
  for (int w = 0; w < kLiveFrameWords; ++w) gLive.frame[w] = static_cast<uint16_t>(1000 + w);
  PlotRecordedValues();
  for (int i = 0; i < 7; ++i) {
    auto plots = ui::GetGraphPlots(gShell.graphp, graphs[i]);
    ASSERT_EQ(plots.size(), 1u);
    EXPECT_EQ(plots[0].x1, 0);
    EXPECT_EQ(plots[0].x2, 0);
    EXPECT_EQ(plots[0].y1, 1000 + words[i]);
    EXPECT_EQ(plots[0].y2, 1000 + words[i]);
    EXPECT_EQ(plots[0].color, colors[i]);
    EXPECT_EQ(ui::GetCtrlInt(gShell.graphp, displays[i]), 1000 + words[i]);
  }
  // The next sample joins on: one line from (0, first) to (1, second).
  gLive.frame[0] = 7;
  PlotRecordedValues();
  auto red = ui::GetGraphPlots(gShell.graphp, GRAPHP_GRAPH_RED);
  ASSERT_EQ(red.size(), 1u);
  EXPECT_EQ(red[0].x2, 1);
  EXPECT_EQ(red[0].y1, 7);
  EXPECT_EQ(red[0].y2, 1000);
  EXPECT_EQ(gRecorder.plot.sampleIndex, 2);
}

TEST_F(Recorder, HelpTexts) {
  StartWithTcpSensor();
  ClearLog();
  struct Case {
    int ctrl;
    const char* text;
  } cases[] = {
      {TABREC_BUTTON_SELFILE, "Select a record file for data save. "},
      {TABREC_TEXTBOX_FILE, "Shows the path of the record file. "},
      {TABREC_BUTTON_START, "Start data record."},
      {TABREC_BUTTON_STOP, "Stop data record."},
      {TABREC_BUTTON_STARTTRIG, "Start data record."},
      {TABREC_BUTTON_MANUAL, "Record one frame manually \nand append to existing file. "},
      {TABREC_RING_MODE, "Select how to record data frame. "},
      {TABREC_NUM_INTERVAL,
       "Choose a interval in secondes for recording. \nMinimum interval is 0,25 second."},
      {TABREC_NUM_NUMBER, "Choose how many data frames should be recorded. "},
      {TABREC_DISP_DAYS, "Displays the time for recording \nwhen all VALUES will be recorded."},
      {TABREC_DISP_SECONDS, "Displays the time for recording \nwhen all VALUES will be recorded."},
      {TABREC_DISP_RECORDED, "Displays how many values are already recorded."},
      {TABREC_DISP_REMAINING, "Displays how many values remain to be recorded."},
  };
  for (const auto& c : cases) {
    Fire(c.ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + c.text});
  }
}

}  // namespace
