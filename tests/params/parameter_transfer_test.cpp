// The parameter block on the wire: SEND and GET with RAM, EEPROM and both
// parameter sets, word for word.
#include "gui/params/parameter_transfer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

using Order = std::tuple<int, int, size_t>;  // order, argument, data bytes

// A consistent parameter set as a sensor might hold it; spare words carry marks.
std::vector<uint16_t> SensorWords() {
  std::vector<uint16_t> w(kHeadWords + kTeachTableWords);
  const uint16_t head[kHeadWords] = {640, 0, 40000, 1,    25, 7, 6, 1, 0,
                                     0,   0, 3100,  3500, 0,  0, 3, 12};
  std::copy(head, head + kHeadWords, w.begin());
  for (int r = 0; r < 31; ++r)
    for (int k = 0; k < kTeachRowWords; ++k)
      w[kHeadWords + r * kTeachRowWords + k] =
          static_cast<uint16_t>(k == kRowSpare   ? 0xA500 + r
                                : k == kRowGroup ? r % 31
                                                 : 1000 * k + r);
  return w;
}

class Parameters : public AppFixture {
 protected:
  void Start() {
    StartWithTcpSensor();
    ClearLog();
    sensor.ClearRequests();
  }
  void Press(int ctrl) { ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_COMMIT); }
  void Select(int ctrl) { ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_VAL_CHANGED); }
  std::vector<Order> Orders() {
    std::vector<Order> out;
    for (const auto& r : sensor.Requests()) out.emplace_back(r.order, r.arg, r.data.size());
    sensor.ClearRequests();
    return out;
  }
  static std::vector<uint16_t> Words(const sim::Request& r) {
    std::vector<uint16_t> w(r.data.size() / 2);
    for (size_t i = 0; i < w.size(); ++i)
      w[i] = static_cast<uint16_t>(r.data[2 * i] | r.data[2 * i + 1] << 8);
    return w;
  }
};

TEST_F(Parameters, StartUpFetchesTheSelectedSet) {
  sensor.SetParameterWords(0, SensorWords());
  StartWithTcpSensor();
  EXPECT_EQ(Orders(), (std::vector<Order>{{0x07, 0, 0}, {0x02, 0, 0}, {0x02, 2, 0}}));
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_SLIDE_POWER), 640);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_NUM_AVERAGE), 40000);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO), 6);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageParameters), TABPARA_RING_GAIN), "AMP3");
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE), "BINARY");
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_NUM_DYNWINHI), 3500);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 1, 1), 25);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 1, 1), 0);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 5, 31), 4030);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 4), 3);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 1, 3), 6001);
  EXPECT_EQ(gParameterBlock.Row(5, kRowSpare), 0xA505);
}

TEST_F(Parameters, OrderSequences) {
  Start();
  struct Case {
    int target;
    int set;
    bool send;
    std::vector<Order> orders;
  };
  const Case cases[] = {
      {MAINP_RADIO_RAM, 0, true, {{0x01, 0, 34}, {0x01, 2, 496}}},
      {MAINP_RADIO_RAM, 1, true, {{0x01, 1, 34}, {0x01, 3, 496}}},
      {MAINP_RADIO_EEPROM, 0, true, {{0x01, 0, 34}, {0x01, 2, 496}, {0x03, 0, 0}}},
      {MAINP_RADIO_EEPROM, 1, true, {{0x01, 1, 34}, {0x01, 3, 496}, {0x03, 0, 0}}},
      {MAINP_RADIO_RAM, 0, false, {{0x02, 0, 0}, {0x02, 2, 0}}},
      {MAINP_RADIO_RAM, 1, false, {{0x02, 1, 0}, {0x02, 3, 0}}},
      {MAINP_RADIO_EEPROM, 0, false, {{0x04, 0, 0}, {0x02, 0, 0}, {0x02, 2, 0}}},
      {MAINP_RADIO_EEPROM, 1, false, {{0x04, 0, 0}, {0x02, 1, 0}, {0x02, 3, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target << " set " << c.set << (c.send ? " SEND" : " GET"));
    Select(c.target);
    Select(c.set ? MAINP_RADIO_PARASET1 : MAINP_RADIO_PARASET0);
    EXPECT_EQ(ui::GetCtrlInt(gShell.mainp, c.target), 1);
    Press(c.send ? MAINP_BUTTON_SEND : MAINP_BUTTON_GET);
    EXPECT_EQ(Orders(), c.orders);
    EXPECT_EQ(Log(), "");
    EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_SEND));
  }
  EXPECT_EQ(gTransfer.target, kTargetEeprom);
  Select(MAINP_RADIO_FILE);
  EXPECT_EQ(gTransfer.target, kTargetFile);
  EXPECT_EQ(ui::GetCtrlInt(gShell.mainp, MAINP_RADIO_EEPROM), 0);
  EXPECT_EQ(ui::GetCtrlInt(gShell.mainp, MAINP_RADIO_RAM), 0);
}

TEST_F(Parameters, PlausibilityCountsAreReportedAndTheTransferGoesOn) {
  Start();
  const std::string ram =
      " PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n\n";
  sensor.InjectPlausibilityCount(3, 0x01, 2);
  Select(MAINP_RADIO_EEPROM);
  Press(MAINP_BUTTON_SEND);
  EXPECT_EQ(Orders(), (std::vector<Order>{{0x01, 0, 34}, {0x01, 2, 496}, {0x03, 0, 0}}));
  EXPECT_EQ(Log(), "INFO!\n3" + ram + "INFO!\n3" + ram);
  EXPECT_EQ(ActiveMainPage(), kPageComm);

  ClearLog();
  sensor.InjectPlausibilityCount(2, 0x04, 1);
  Press(MAINP_BUTTON_GET);
  EXPECT_EQ(Orders(), (std::vector<Order>{{0x04, 0, 0}, {0x02, 0, 0}, {0x02, 2, 0}}));
  EXPECT_EQ(Log(),
            "INFO!\n2 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO "
            "DEFAULT VALUE!\n\n");
}

TEST_F(Parameters, ExternTeachLeavesTriggerOnlyContAndSelf) {
  std::vector<uint16_t> w = SensorWords();
  w[kExternTeach] = 1;
  w[kTrigger] = 3;
  sensor.SetParameterWords(0, w);
  Start();
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 0);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageParameters), TABPARA_RING_TRIGGER), "CONT");
  EXPECT_EQ(ui::GetNumListItems(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 2);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_EXTEACH), 1);
}

TEST_F(Parameters, TeachBlockAndHoldFailTravelInWireOrder) {
  Start();
  const int cells[] = {100, 200, 300, 400, 500};
  for (int c = 0; c < 5; ++c)
    ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c + 1, 1, cells[c]);
  ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 1, 2);
  ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 1, 2, 10);
  ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 1, 1, 77);  // HOLD FAIL
  ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 1, 2, 111);
  Press(MAINP_BUTTON_SEND);
  auto requests = sensor.Requests();
  ASSERT_EQ(requests.size(), 2u);
  auto head = Words(requests[0]), teach = Words(requests[1]);
  ASSERT_EQ(head.size(), 17u);
  ASSERT_EQ(teach.size(), 248u);
  EXPECT_EQ(head[kHoldFail], 77);
  EXPECT_EQ(std::vector<uint16_t>(teach.begin(), teach.begin() + 7),
            (std::vector<uint16_t>{100, 200, 300, 400, 500, 2, 10}));
  EXPECT_EQ(teach[8], 111);  // word 7 lies between
}

TEST_F(Parameters, GetThenSendReturnsEveryWordUnchanged) {
  std::vector<uint16_t> w = SensorWords();
  w[kGain] = 0;     // a stage the ring does not name
  w[kTrigger] = 6;  // PARA keeps the second parameter set selectable
  sensor.SetParameterWords(1, w);
  Start();
  Select(MAINP_RADIO_PARASET1);
  Press(MAINP_BUTTON_GET);
  ASSERT_EQ(gTransfer.parameterSet, 1);
  sensor.ClearRequests();
  Press(MAINP_BUTTON_SEND);
  auto requests = sensor.Requests();
  ASSERT_EQ(requests.size(), 2u);
  std::vector<uint16_t> sent = Words(requests[0]);
  auto teach = Words(requests[1]);
  sent.insert(sent.end(), teach.begin(), teach.end());
  EXPECT_EQ(sent, w);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageParameters), TABPARA_RING_GAIN), "? 0");
  // A later GET of a named stage takes the stray item away again.
  w[kGain] = 4;
  sensor.SetParameterWords(1, w);
  Press(MAINP_BUTTON_GET);
  EXPECT_EQ(ui::GetNumListItems(MainTab(kPageParameters), TABPARA_RING_GAIN), 8);
}

TEST_F(Parameters, FailedGetKeepsThePanels) {
  Start();
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_SLIDE_POWER, 321);
  ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 2, 3, 4321);
  sensor.SetParameterWords(0, SensorWords());
  sensor.InjectFault(sim::Fault::BadDataCrc, 0x02, 1, 1);  // the teach block arrives broken
  Press(MAINP_BUTTON_GET);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_SLIDE_POWER), 321);
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 2, 3), 4321);
  EXPECT_EQ(Log(), "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!\n\n");
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_GET));
}

TEST_F(Parameters, HelpTexts) {
  Start();
  const std::pair<int, const char*> cases[] = {
      {MAINP_BUTTON_SEND,
       "All the parameters of the PC-User-Interface are transferred to the sensor or to a "
       "selectable file. \nThe target of the parameter transfer is determined by the select "
       "button (RAM, EEPROM, FILE). \n\nShortcut Key: F9. "},
      {MAINP_BUTTON_GET,
       "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the "
       "parameter transfer is determined by the select button (RAM, EEPROM, FILE). "
       "\n\nShortcut Key: F10. "},
      {MAINP_RADIO_EEPROM, "Select source respectively the target for the parameter transfer."},
      {MAINP_RADIO_PARASET1, "Select parameter set which should be transfered."},
  };
  for (auto [ctrl, text] : cases) {
    ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + text});
  }
}

}  // namespace
