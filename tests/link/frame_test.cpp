// Request frames and the CRC, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "com232/crc8.h"
#include "com232/link.h"

namespace {

std::vector<uint8_t> Request(uint8_t order, uint16_t arg, std::vector<uint16_t> words) {
  gLink = Link{};
  for (size_t i = 0; i < words.size(); ++i) gLink.DataWords[i] = words[i];
  BuildRequest(order, arg, static_cast<uint16_t>(2 * words.size()));
  return {gLink.RequestFrame, gLink.RequestFrame + 8 + 2 * words.size()};
}

TEST(Crc8, KnownValues) {
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(Crc8(abc, 0, 0), 0xAA);
  EXPECT_EQ(Crc8(abc, 0, 3), 0xDE);
  // Over a header with its own CRC byte the result is 0.
  auto f = Request(0x08, 0, {});
  EXPECT_EQ(Crc8(f.data(), 0, 8), 0);
}

TEST(BuildRequest, FramesOfTheCommandSet) {
  struct Case {
    uint8_t order;
    uint16_t arg;
    std::vector<uint16_t> words;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {0x08, 0, {}, {0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}},
      {0x07, 0, {}, {0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}},
      {0xBE, 4, {}, {0x55, 0xBE, 0x04, 0x00, 0x00, 0x00, 0xAA, 0xDC}},
      {0x65,
       0,
       {1024, 1024, 1024},
       {0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0x73, 0xE5, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order);
    EXPECT_EQ(Request(c.order, c.arg, c.words), c.bytes);
  }
}

TEST(BuildRequest, ArgumentAndLengthLowByteFirst) {
  std::vector<uint16_t> words(248, 0x1234);
  auto f = Request(0x01, 0x0302, words);
  EXPECT_EQ(f[2], 0x02);
  EXPECT_EQ(f[3], 0x03);
  EXPECT_EQ(f[4], 496 & 0xFF);
  EXPECT_EQ(f[5], 496 >> 8);
  EXPECT_EQ(f[8], 0x34);
  EXPECT_EQ(f[9], 0x12);
  EXPECT_EQ(f[6], Crc8(f.data(), 8, 496));
}

}  // namespace

namespace {

// Puts a reply header into the receive buffer with a correct CRC.
void PutHeader(uint8_t first, uint8_t code, uint16_t status, uint16_t length) {
  gLink = Link{};
  uint8_t* b = gLink.ReceiveBuffer;
  b[0] = first;
  b[1] = code;
  b[2] = status & 0xFF;
  b[3] = status >> 8;
  b[4] = length & 0xFF;
  b[5] = length >> 8;
  b[6] = 0xAA;
  b[7] = Crc8(b, 0, 7);
}

TEST(CheckHeader, AcceptsAnyReplyCodeWithAGoodCrc) {
  for (uint8_t code : {0x00, 0x05, 0x08, 0xFF}) {
    PutHeader(0x55, code, 2, 40);
    EXPECT_EQ(CheckHeader(), 1) << int(code);
    EXPECT_EQ(gLink.replyCode, code);
    EXPECT_EQ(gLink.statusWord, 2);
    EXPECT_EQ(gLink.dataLength, 40);
  }
}

TEST(CheckHeader, RejectsBrokenHeaders) {
  struct Case {
    const char* what;
    uint8_t first;
    uint16_t length;
    bool corruptCrc;
  };
  const Case cases[] = {
      {"wrong CRC", 0x55, 40, true},
      {"first byte not 0x55", 0x54, 40, false},
      {"more data than the buffer holds", 0x55, 2041, false},
      {"largest length", 0x55, 0xFFFF, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PutHeader(c.first, 0x08, 0, c.length);
    if (c.corruptCrc) gLink.ReceiveBuffer[7] ^= 0x01;
    EXPECT_EQ(CheckHeader(), -1);
    EXPECT_STREQ(gLink.linkMessage, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!");
  }
  PutHeader(0x55, 0x08, 0, 2040);
  EXPECT_EQ(CheckHeader(), 1);
}

}  // namespace
