// The offset compensation page: unlocked only by the service password, the
// offset transfers and the sensor's offset detection, and locked again by
// its close button.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "Colmira3V42_uir.h"
#include "gui/shell/offset_lock.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class OffsetPage : public AppFixture {
 protected:
  int Calib() const { return MainTab(kPageCalibration); }
  int Offset() const { return MainTab(kPageOffset); }
  bool PageShown() const { return ui::IsTabPageVisible(gShell.mainp, MAINP_TAB, kPageOffset); }
  bool PasswordShown() const {
    return ui::GetPanelAttribute(gShell.passwordp, ui::ATTR_PANEL_VISIBLE) == 1;
  }
  std::string Field() const { return ui::GetCtrlString(gShell.passwordp, PASSWORDP_STR_PASSWORD); }
  void OpenPassword() {
    ui::FireCtrlEvent(Calib(), TABCALIB_DECO_CALIBRATE, ui::EVENT_RIGHT_DOUBLE_CLICK);
  }
  void Type(const std::string& text) {
    ui::SetCtrlVal(gShell.passwordp, PASSWORDP_STR_PASSWORD, text);
    ui::FireCtrlEvent(gShell.passwordp, PASSWORDP_STR_PASSWORD, ui::EVENT_COMMIT);
  }
  void Press(int ctrl) { ui::FireCtrlEvent(Offset(), ctrl, ui::EVENT_COMMIT); }
  std::vector<int> Triple(int page, int red, int green, int blue) {
    return {ui::GetCtrlInt(page, red), ui::GetCtrlInt(page, green), ui::GetCtrlInt(page, blue)};
  }
  std::vector<int> EditBoxes() {
    return Triple(Offset(), TABOFFSET_NUM_RED, TABOFFSET_NUM_GREEN, TABOFFSET_NUM_BLUE);
  }
  std::vector<int> Displays() {
    return Triple(Offset(), TABOFFSET_DISP_RED, TABOFFSET_DISP_GREEN, TABOFFSET_DISP_BLUE);
  }
};

TEST(ServicePassword, OnlyTheExactWordPasses) {
  EXPECT_TRUE(IsServicePassword("vortag"));
  for (const char* wrong : {"Vortag", "vortag ", "vortagx", " vortag", "", "VORTAG"})
    EXPECT_FALSE(IsServicePassword(wrong)) << '"' << wrong << '"';
}

TEST_F(OffsetPage, PasswordPanelUnlocksThePage) {
  ASSERT_TRUE(StartApp());
  Popups();
  auto* field = static_cast<QLineEdit*>(FindWidget("PASSWORDP_STR_PASSWORD"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->maxLength(), 20);
  EXPECT_EQ(field->echoMode(), QLineEdit::Password);
  QStyleOptionFrame option;
  option.initFrom(field);
  EXPECT_EQ(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, &option, field), '*');
  EXPECT_FALSE(PageShown());
  EXPECT_FALSE(PasswordShown());

  // Wrong tries: refused, the field emptied, the popup stays for another try.
  OpenPassword();
  EXPECT_TRUE(PasswordShown());
  for (const char* wrong : {"Vortag", "vortag ", "vortagx"}) {
    Type(wrong);
    EXPECT_EQ(Popups(), std::vector<std::string>{"ATTENTION!|Wrong password. \nPlease try again."});
    EXPECT_EQ(Field(), "");
    EXPECT_TRUE(PasswordShown());
    EXPECT_FALSE(PageShown());
  }

  // The close box leaves the page locked; the next opening starts empty.
  ui::SetCtrlVal(gShell.passwordp, PASSWORDP_STR_PASSWORD, "vorta");
  ui::FirePanelEvent(gShell.passwordp, ui::EVENT_CLOSE);
  EXPECT_FALSE(PasswordShown());
  EXPECT_FALSE(PageShown());
  OpenPassword();
  EXPECT_EQ(Field(), "");

  Type("vortag");
  EXPECT_TRUE(Popups().empty());
  EXPECT_FALSE(PasswordShown());
  EXPECT_TRUE(PageShown());
  EXPECT_EQ(ActiveMainPage(), kPageOffset);

  // CLOSE locks it again and returns to the parameter page.
  Press(TABOFFSET_BUTTON_CLOSE);
  EXPECT_FALSE(PageShown());
  EXPECT_EQ(ActiveMainPage(), kPageParameters);

  // Only a right double click on the frame asks for the password.
  ui::FireCtrlEvent(Calib(), TABCALIB_DECO_CALIBRATE, ui::EVENT_RIGHT_CLICK);
  ui::FireCtrlEvent(Calib(), TABCALIB_DECO_CALIBRATE, ui::EVENT_LEFT_DOUBLE_CLICK);
  EXPECT_FALSE(PasswordShown());
  EXPECT_TRUE(Popups().empty());
}

TEST_F(OffsetPage, SendGetAndDetectOffsets) {
  StartWithTcpSensor();
  ClearLog();
  sensor.SetCalibrationWords({1000, 1100, 1200, 5, 6, 7});

  // SEND OFFSET: the edit boxes with argument 1; the factors stay.
  ui::SetCtrlVal(Offset(), TABOFFSET_NUM_RED, 11);
  ui::SetCtrlVal(Offset(), TABOFFSET_NUM_GREEN, 22);
  ui::SetCtrlVal(Offset(), TABOFFSET_NUM_BLUE, 33);
  sensor.ClearRequests();
  Press(TABOFFSET_BUTTON_SEND);
  ASSERT_EQ(sensor.Requests().size(), 1u);
  EXPECT_EQ(sensor.Requests()[0].order, 0x65);
  EXPECT_EQ(sensor.Requests()[0].arg, 1);
  EXPECT_EQ(sensor.CalibrationWords(), (std::array<uint16_t, 6>{1000, 1100, 1200, 11, 22, 33}));

  // GET OFFSET also overwrites the factor boxes; the displays stay.
  ui::SetCtrlVal(Offset(), TABOFFSET_NUM_RED, 0);
  Press(TABOFFSET_BUTTON_GET);
  EXPECT_EQ(EditBoxes(), (std::vector<int>{11, 22, 33}));
  EXPECT_EQ(Triple(Calib(), TABCALIB_NUM_CFRED, TABCALIB_NUM_CFGREEN, TABCALIB_NUM_CFBLUE),
            (std::vector<int>{1000, 1100, 1200}));
  EXPECT_EQ(Displays(), (std::vector<int>{0, 0, 0}));

  // No to the question: nothing is sent.
  sensor.ClearRequests();
  dialogs.QueueConfirm(0);
  Press(TABOFFSET_BUTTON_CALC);
  EXPECT_TRUE(sensor.Requests().empty());
  EXPECT_EQ(Popups(),
            std::vector<std::string>{
                "CALCULATE OFFSET|Make sure, that the receiver of the sensor is covered!"});

  // CALC OFFSET: the sensor detects, then boxes and displays show its values.
  dialogs.QueueConfirm(1);
  Press(TABOFFSET_BUTTON_CALC);
  Popups();
  ASSERT_EQ(sensor.Requests().size(), 2u);
  EXPECT_EQ(sensor.Requests()[0].order, 0x64);
  EXPECT_EQ(sensor.Requests()[0].arg, 1);
  EXPECT_EQ(sensor.Requests()[1].order, 0x66);
  auto words = sensor.CalibrationWords();
  std::vector<int> detected(words.begin() + 3, words.end());
  EXPECT_NE(detected, (std::vector<int>{11, 22, 33}));
  EXPECT_EQ(EditBoxes(), detected);
  EXPECT_EQ(Displays(), detected);
  EXPECT_EQ(Log(), "");

  // A read that fails after the detection leaves the displays at the values held.
  sensor.InjectFault(sim::Fault::BadDataCrc, 0x66);
  sensor.SetCalibrationWords({1000, 1100, 1200, 1, 2, 3});
  dialogs.QueueConfirm(1);
  Press(TABOFFSET_BUTTON_CALC);
  Popups();
  EXPECT_EQ(Displays(), detected);
  EXPECT_EQ(EditBoxes(), detected);
  EXPECT_EQ(Log().rfind("ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!", 0), 0u) << Log();
}

}  // namespace
