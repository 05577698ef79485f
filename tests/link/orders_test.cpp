// Every order of the command set against the virtual sensor: what goes out
// and the shape of what comes back.
#include "com232/orders.h"

#include <gtest/gtest.h>

#include "com232/link.h"
#include "support/app_fixture.h"

namespace {

class Orders : public AppFixture {};

TEST_F(Orders, EachOrderWithItsArgumentDataAndReply) {
  StartWithTcpSensor();
  ClearLog();
  struct Case {
    uint8_t order;
    uint16_t arg;
    int words;         // data words sent
    int replyBytes;    // data bytes expected back
    bool toDataWords;  // parameter-type replies land in DataWords, live-type in ReplyWords
  };
  const Case cases[] = {
      {kOrderWriteParameters, 0, 17, 0, true},
      {kOrderWriteParameters, 2, 248, 0, true},
      {kOrderReadParameters, 1, 0, 34, true},
      {kOrderReadParameters, 3, 0, 496, true},
      {kOrderStoreEeprom, 0, 0, 0, true},
      {kOrderLoadEeprom, 0, 0, 0, true},
      {kOrderLiveFrame, 0, 0, 40, false},
      {kOrderReadFactors, 0, 0, 12, true},
      {kOrderWriteFactors, 0, 3, 0, true},
      {kOrderWriteFactors, 1, 3, 0, true},
      {kOrderSelfCalibration, 0, 0, 10, true},
      {kOrderCycleTime, 0, 0, 8, false},
      {kOrderDetectOffsets, 1, 0, 0, true},
      {kOrderHardwareInfo, kHardwareAccessValue, 0, 512, false},
      {kOrderStream, 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int(c.order) << " arg " << c.arg);
    sensor.ClearRequests();
    for (int i = 0; i < c.words; ++i)
      gLink.DataWords[i] = static_cast<uint16_t>(c.order == kOrderWriteFactors ? 1024 : 1);
    ASSERT_EQ(ExchangeOrder(c.order, c.arg, c.words), 1);
    EXPECT_EQ(gLink.replyCode, c.order);
    EXPECT_EQ(gLink.dataLength, c.replyBytes);
    auto requests = sensor.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].arg, c.arg);
    EXPECT_EQ(static_cast<int>(requests[0].data.size()), 2 * c.words);
    // The frame that went out had the total size 8 + data.
    EXPECT_EQ(gLink.RequestFrame[4] | gLink.RequestFrame[5] << 8, 2 * c.words);
  }
  EXPECT_EQ(Log(), "");
}

TEST_F(Orders, WrongServiceValueIsAnInvalidOrder) {
  StartWithTcpSensor();
  ClearLog();
  ASSERT_EQ(ExchangeOrder(kOrderHardwareInfo, 0x1234), 1);
  EXPECT_EQ(gLink.replyCode, 0);
  EXPECT_EQ(gLink.statusWord, 1);
  EXPECT_EQ(Log(), "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!\n\n");
}

}  // namespace
