// White calibration: the factor arithmetic, the measurement against the
// virtual sensor (also when frames are lost or the sensor falls silent), the
// transfers of the factors and the sensor's own calibration.
#include "gui/calib/white_calibration.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/calib/calibration_values.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

TEST(CalibrationFactors, ChecksSpreadAndRange) {
  struct Case {
    const char* what;
    RawMeans means;
    uint16_t setValue, maxDelta;
    CalibrationVerdict verdict;
    uint16_t factor[3];
  };
  using V = CalibrationVerdict;
  const Case cases[] = {
      {"example", {{2048, 1024, 4000}, 10}, 1000, 100, V::kPassed, {500, 1000, 256}},
      {"delta equal to the maximum",
       {{2000, 2000, 2000}, 400},
       2000,
       400,
       V::kPassed,
       {1024, 1024, 1024}},
      {"delta one above", {{2000, 2000, 2000}, 401}, 2000, 400, V::kDeltaTooHigh, {}},
      {"factor 4096", {{1000, 1000, 1000}, 0}, 4000, 0, V::kPassed, {4096, 4096, 4096}},
      {"factor 4097 on blue only", {{1000, 1000, 1000 - 1}, 0}, 4001, 0, V::kFactorOutOfRange, {}},
      // 64 * 1024 / 1 = 65536 would read as 0 if it were cut to 16 bits first.
      {"quotient 65536", {{1, 1, 1}, 0}, 64, 0, V::kFactorOutOfRange, {}},
      {"mean 0 counts as 1", {{0, 0, 0}, 0}, 4, 0, V::kPassed, {4096, 4096, 4096}},
      {"mean 0, set value 5", {{0, 0, 0}, 0}, 5, 0, V::kFactorOutOfRange, {}},
      {"set value 0", {{1500, 1200, 900}, 600}, 0, 600, V::kPassed, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CalibrationResult r = ComputeCalibrationFactors(c.means, c.setValue, c.maxDelta);
    EXPECT_EQ(r.verdict, c.verdict);
    if (c.verdict != V::kPassed) continue;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.factor[i], c.factor[i]) << i;
  }
}

// Stops GO as soon as a loop enters it, so that a CALC CF returns.
class GoStopper {
 public:
  GoStopper() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [] { gLive.goRunning = 0; });
    timer_.start();
  }

 private:
  QTimer timer_;
};

class WhiteCalibration : public AppFixture {
 protected:
  void Start() {
    StartWithTcpSensor();
    sensor.HoldColour({1800, 1400, 1000});
    sensor.SetNoise(0);
    ClearLog();
    sensor.ClearRequests();
  }
  int Calib() const { return MainTab(kPageCalibration); }
  int Offset() const { return MainTab(kPageOffset); }
  void Press(int page, int ctrl) { ui::FireCtrlEvent(page, ctrl, ui::EVENT_COMMIT); }
  void SetBoxes(uint16_t red, uint16_t green, uint16_t blue) {
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_CFRED, red);
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_CFGREEN, green);
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_CFBLUE, blue);
  }
  std::vector<int> Boxes() {
    return {ui::GetCtrlInt(Calib(), TABCALIB_NUM_CFRED),
            ui::GetCtrlInt(Calib(), TABCALIB_NUM_CFGREEN),
            ui::GetCtrlInt(Calib(), TABCALIB_NUM_CFBLUE)};
  }
  std::vector<int> OrdersSent() {
    std::vector<int> out;
    for (const auto& r : sensor.Requests()) out.push_back(r.order);
    return out;
  }
  // The words of the first request with that order, or nothing.
  std::vector<int> FirstWords(int order) {
    for (const auto& r : sensor.Requests()) {
      if (r.order != order) continue;
      std::vector<int> w;
      for (size_t i = 0; i + 1 < r.data.size(); i += 2) w.push_back(r.data[i] | r.data[i + 1] << 8);
      return w;
    }
    return {};
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> out;
    for (const std::string& p : Popups()) out.push_back(p.substr(0, p.find('|')));
    return out;
  }
  // The raw values the held colour gives, without noise.
  std::array<int, 3> Raw() {
    auto f = sensor.LiveFrameNow();
    return {f[kLiveRawRed], f[kLiveRawGreen], f[kLiveRawBlue]};
  }
  // Runs CALC CF with both confirmations answered yes; GO that follows is stopped.
  void CalcCF() {
    dialogs.QueueConfirm(1);
    dialogs.QueueConfirm(1);
    GoStopper stopper;
    Press(Calib(), TABCALIB_BUTTON_CALCCF);
  }
  // How many frames were requested before the factors went out.
  long FramesBeforeSend() {
    auto o = OrdersSent();
    auto send = std::find(o.begin(), o.end(), 0x65);
    return std::count(o.begin(), send, 0x08);
  }
};

TEST_F(WhiteCalibration, MeasuresSendsTheFactorsAndStartsGo) {
  // A frame spoiled on the line is skipped: the means are those of the frames
  // that arrived, so the factors are the same as without the loss.
  Start();
  for (bool loseOne : {false, true}) {
    SCOPED_TRACE(loseOne ? "one frame with a bad CRC" : "every frame arrives");
    ClearLog();
    sensor.ClearRequests();
    SetBoxes(1024, 1024, 1024);
    auto raw = Raw();
    const int setValue = 3000;
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_SETVALUE, setValue);
    if (loseOne) sensor.InjectFault(sim::Fault::BadDataCrc, 0x08, 1, 40);
    CalcCF();

    std::vector<int> expected;
    for (int c : raw) expected.push_back(setValue * 1024 / c);
    EXPECT_EQ(FramesBeforeSend(), 100);
    EXPECT_EQ(FirstWords(0x65), expected);
    EXPECT_EQ(Boxes(), expected);
    auto o = OrdersSent();
    EXPECT_GT(std::count(std::find(o.begin(), o.end(), 0x65), o.end(), 0x08), 0) << "GO ran";
    EXPECT_EQ(Titles(), (std::vector<std::string>{"SEND POWER", "CONFIRM CALCULATION!",
                                                  "CALIBRATION PASSED!"}));
    EXPECT_EQ(ui::GetCtrlAttribute(Calib(), TABCALIB_BUTTON_CALCCF, ui::ATTR_CMD_BUTTON_COLOR),
              0xE0E0E0);
    EXPECT_EQ(ui::GetCtrlInt(Calib(), TABCALIB_DISP_RAWRED), raw[0]);
    EXPECT_EQ(Log().find("RECEIVED DATA FRAME IS INCORRECT") != std::string::npos, loseOne);
    EXPECT_FALSE(Dimmed(Calib(), TABCALIB_BUTTON_CALCCF));
  }
}

TEST_F(WhiteCalibration, RefusalsSendTheUnchangedBoxesAndStartGo) {
  struct Case {
    const char* what;
    int confirmCalculation;
    int setValue, maxDelta;
    std::vector<std::string> titles;
    const char* textStart;
  };
  const Case cases[] = {
      {"no to the confirmation",
       0,
       3000,
       4095,
       {"SEND POWER", "CONFIRM CALCULATION!", "INFO!"},
       "Please insert the right values"},
      {"spread too high",
       1,
       3000,
       10,
       {"SEND POWER", "CONFIRM CALCULATION!", "ATTENTION!"},
       "The maximum delta of the raw data"},
      {"factor out of range",
       1,
       4095,
       4095,
       {"SEND POWER", "CONFIRM CALCULATION!", "ATTENTION!"},
       "One of the calibration factor is out of range"},
  };
  Start();
  sensor.HoldColour({600, 1400, 900});  // red far below the others
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sensor.ClearRequests();
    SetBoxes(1100, 1200, 1300);
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_SETVALUE, c.setValue);
    ui::SetCtrlVal(Calib(), TABCALIB_NUM_MAXDELTA, c.maxDelta);
    dialogs.QueueConfirm(1);
    dialogs.QueueConfirm(c.confirmCalculation);
    {
      GoStopper stopper;
      Press(Calib(), TABCALIB_BUTTON_CALCCF);
    }
    auto popups = Popups();
    ASSERT_EQ(popups.size(), c.titles.size());
    for (size_t i = 0; i < popups.size(); ++i)
      EXPECT_EQ(popups[i].substr(0, popups[i].find('|')), c.titles[i]);
    EXPECT_EQ(popups.back().find(c.textStart), popups.back().find('|') + 1);
    EXPECT_EQ(FirstWords(0x65), (std::vector<int>{1100, 1200, 1300}));
    EXPECT_EQ(Boxes(), (std::vector<int>{1100, 1200, 1300}));
    auto o = OrdersSent();
    EXPECT_GT(std::count(std::find(o.begin(), o.end(), 0x65), o.end(), 0x08), 0);
  }
}

TEST_F(WhiteCalibration, NoToTheTargetQuestionDoesNothing) {
  Start();
  dialogs.QueueConfirm(0);
  Press(Calib(), TABCALIB_BUTTON_CALCCF);
  dialogs.QueueConfirm(0);
  Press(Calib(), TABCALIB_BUTTON_SELFCALIB);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"SEND POWER", "SEND POWER"}));
  EXPECT_TRUE(sensor.Requests().empty());
}

TEST_F(WhiteCalibration, SilentSensorEndsTheMeasurementAtOnce) {
  Start();
  SetBoxes(1000, 1000, 1000);
  sensor.InjectFault(sim::Fault::Silence, 0x08, sim::kUntilCleared);
  double start = ui::Timer();
  CalcCF();
  EXPECT_LT(ui::Timer() - start, 8.0);
  EXPECT_EQ(OrdersSent(), std::vector<int>{0x08});  // no factors sent, no GO
  EXPECT_EQ(Boxes(), (std::vector<int>{1000, 1000, 1000}));
  EXPECT_EQ(Titles(),
            (std::vector<std::string>{"SEND POWER", "CONFIRM CALCULATION!", "ATTENTION!"}));
  EXPECT_NE(Log().find("NO LIVE FRAME WAS RECEIVED"), std::string::npos) << Log();
  EXPECT_EQ(Log().rfind("TIMEOUT!", 0), 0u);
  EXPECT_FALSE(Dimmed(Calib(), TABCALIB_BUTTON_CALCCF));
}

TEST_F(WhiteCalibration, TimeoutAfterSomeFramesUsesThoseFrames) {
  Start();
  auto raw = Raw();
  ui::SetCtrlVal(Calib(), TABCALIB_NUM_SETVALUE, 2500);
  sensor.InjectFault(sim::Fault::Silence, 0x08, 1, 30);
  CalcCF();
  EXPECT_EQ(FramesBeforeSend(), 31);
  std::vector<int> expected;
  for (int c : raw) expected.push_back(2500 * 1024 / c);
  EXPECT_EQ(FirstWords(0x65), expected);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"SEND POWER", "CONFIRM CALCULATION!",
                                                "CALIBRATION PASSED!"}));
}

TEST_F(WhiteCalibration, SendAndGetFactors) {
  Start();
  SetBoxes(900, 1024, 2000);
  Press(Calib(), TABCALIB_BUTTON_SENDCF);
  auto words = sensor.CalibrationWords();
  EXPECT_EQ(std::vector<int>(words.begin(), words.begin() + 3),
            (std::vector<int>{900, 1024, 2000}));
  EXPECT_EQ(sensor.Requests().at(0).arg, 0);
  EXPECT_EQ(Log(), "");

  // The sensor's plausibility count is reported.
  sensor.InjectPlausibilityCount(2, 0x65);
  Press(Calib(), TABCALIB_BUTTON_SENDCF);
  EXPECT_EQ(Log(),
            "INFO!\n2 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
            "VALUE!\n\n");

  // GET CF fills the factor boxes and the offset boxes of the offset page.
  sensor.SetCalibrationWords({1111, 1222, 1333, 17, 28, 39});
  Press(Calib(), TABCALIB_BUTTON_GETCF);
  EXPECT_EQ(Boxes(), (std::vector<int>{1111, 1222, 1333}));
  EXPECT_EQ(ui::GetCtrlInt(Offset(), TABOFFSET_NUM_RED), 17);
  EXPECT_EQ(ui::GetCtrlInt(Offset(), TABOFFSET_NUM_GREEN), 28);
  EXPECT_EQ(ui::GetCtrlInt(Offset(), TABOFFSET_NUM_BLUE), 39);

  // A failed read changes nothing.
  sensor.SetCalibrationWords({1, 2, 3, 4, 5, 6});
  sensor.InjectFault(sim::Fault::BadDataCrc, 0x66);
  Press(Calib(), TABCALIB_BUTTON_GETCF);
  EXPECT_EQ(Boxes(), (std::vector<int>{1111, 1222, 1333}));
  EXPECT_EQ(ui::GetCtrlInt(Offset(), TABOFFSET_NUM_RED), 17);
}

TEST_F(WhiteCalibration, SelfCalibrationFillsTheBoxesForTheUserToSend) {
  Start();
  ui::SetCtrlVal(Calib(), TABCALIB_NUM_SETVALUE, 1234);
  ui::SetCtrlVal(Calib(), TABCALIB_NUM_MAXDELTA, 567);
  auto raw = Raw();
  dialogs.QueueConfirm(1);
  Press(Calib(), TABCALIB_BUTTON_SELFCALIB);
  // The virtual sensor calibrates to 3000 with a maximum delta of 400.
  std::vector<int> expected;
  for (int c : raw) expected.push_back(3000 * 1024 / c);
  EXPECT_EQ(Boxes(), expected);
  EXPECT_EQ(ui::GetCtrlInt(Calib(), TABCALIB_NUM_SETVALUE), 3000);
  EXPECT_EQ(ui::GetCtrlInt(Calib(), TABCALIB_NUM_MAXDELTA), 400);
  EXPECT_EQ(OrdersSent(), std::vector<int>{0x67});
  EXPECT_EQ(Popups().back(), "ATTENTION!|Confirm calibration factors with SEND CF.");
}

TEST_F(WhiteCalibration, CalibratedAndRawDisplaysShowTheLastFrame) {
  Start();
  sensor.SetCalibrationWords({1024, 1100, 1033, 0, 0, 0});
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageCalibration);
  QTimer::singleShot(300, [] { gLive.goRunning = 0; });
  ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_GO, ui::EVENT_COMMIT);
  Pump(0.5);  // the screen catches up
  const uint16_t* f = gLive.frame;
  EXPECT_EQ(f[kLiveBlue], f[kLiveRawBlue] * 1033 / 1024);
  struct Shown {
    const char* bar;
    int word;
  };
  for (Shown s :
       {Shown{"TABCALIB_BAR_RED", kLiveRed}, Shown{"TABCALIB_BAR_GREEN", kLiveGreen},
        Shown{"TABCALIB_BAR_BLUE", kLiveBlue}, Shown{"TABCALIB_BAR_RAWBLUE", kLiveRawBlue}}) {
    auto* bar = static_cast<QProgressBar*>(FindWidget(s.bar));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), f[s.word]) << s.bar;
  }
  EXPECT_EQ(ui::GetCtrlInt(gShell.datap, DATAP_DISP_BLUE), f[kLiveBlue]);
  EXPECT_EQ(ui::GetCtrlInt(Calib(), TABCALIB_DISP_RAWBLUE), f[kLiveRawBlue]);
  EXPECT_EQ(static_cast<QProgressBar*>(FindWidget("TABCALIB_BAR_BLUE"))->text().toInt(),
            f[kLiveBlue]);
}

}  // namespace
