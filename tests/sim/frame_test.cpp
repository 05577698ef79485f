#include "sim/frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/crc8.h"
#include "sim/transmission.h"
#include "sim_test_util.h"

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(Crc8, KnownValues) {
  struct Case {
    std::string text;
    uint8_t crc;
  };
  for (const Case& c : std::vector<Case>{{"", 0xAA}, {"abc", 0xDE}}) {
    const Bytes bytes(c.text.begin(), c.text.end());
    EXPECT_EQ(Crc8(bytes), c.crc) << '"' << c.text << '"';
  }
}

TEST(Crc8, HeaderWithItsOwnCrcChecksToZero) {
  const Bytes frame = BuildFrame(0x42, 0x1234, Bytes{1, 2, 3, 4});
  EXPECT_EQ(Crc8(std::span(frame).first(8)), 0);
  Bytes damaged = frame;
  damaged[3] ^= 0x01;
  EXPECT_NE(Crc8(std::span(damaged).first(8)), 0);
}

TEST(Frame, RequestsAsTheToolBuildsThem) {
  struct Case {
    uint8_t order;
    uint16_t arg;
    std::vector<uint16_t> words;
    Bytes expected;
  };
  const std::vector<Case> cases{
      {0x08, 0, {}, {0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}},
      {0x07, 0, {}, {0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}},
      {0xBE, 4, {}, {0x55, 0xBE, 0x04, 0x00, 0x00, 0x00, 0xAA, 0xDC}},
      {0x65,
       0,
       {1024, 1024, 1024},
       {0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0x73, 0xE5, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildFrame(c.order, c.arg, WordsToBytes(c.words)), c.expected)
        << "order " << int(c.order);
  }
}

TEST(FrameParser, ResynchronisesAfterGarbageFedByteByByte) {
  const Bytes first = BuildFrame(0x08, 0, {});
  const Bytes second = BuildFrame(0x65, 1, WordsToBytes(std::vector<uint16_t>{7, 8, 9}));
  // Stray sync bytes, and a header-shaped run whose CRC does not check.
  const Bytes garbage1{0x00, 0x55, 0x13, 0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x77};
  const Bytes garbage2{0xFF, 0x55};
  Bytes stream = garbage1;
  stream.insert(stream.end(), first.begin(), first.end());
  stream.insert(stream.end(), garbage2.begin(), garbage2.end());
  stream.insert(stream.end(), second.begin(), second.end());

  FrameParser parser;
  std::vector<ParsedFrame> frames;
  for (uint8_t b : stream) {
    parser.Feed(std::span(&b, 1));
    while (auto f = parser.Next()) frames.push_back(*f);
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].request.order, 0x08);
  EXPECT_EQ(frames[0].endPosition, garbage1.size() + first.size());
  EXPECT_EQ(frames[1].request.order, 0x65);
  EXPECT_EQ(frames[1].request.arg, 1);
  EXPECT_EQ(BytesToWords(frames[1].request.data), (std::vector<uint16_t>{7, 8, 9}));
  EXPECT_TRUE(frames[1].dataCrcOk);
  EXPECT_EQ(parser.DiscardedBytes(), garbage1.size() + garbage2.size());
  EXPECT_FALSE(parser.HasPartialFrame());
}

TEST(FrameParser, DamagedDataIsReportedAndConsumed) {
  Bytes bad = BuildFrame(0x01, 0, WordsToBytes(std::vector<uint16_t>{1, 2}));
  bad[9] ^= 0xFF;  // data byte; header still checks
  const Bytes good = BuildFrame(0x07, 0, {});
  FrameParser parser;
  parser.Feed(bad);
  parser.Feed(good);
  auto f1 = parser.Next();
  auto f2 = parser.Next();
  ASSERT_TRUE(f1 && f2);
  EXPECT_FALSE(f1->dataCrcOk);
  EXPECT_TRUE(f2->dataCrcOk);
  EXPECT_EQ(f2->request.order, 0x07);
}

TEST(FrameParser, WaitsForAnnouncedDataAndRejectsHugeLengths) {
  FrameParser parser;
  const Bytes frame = BuildFrame(0x6E, 1, WordsToBytes(std::vector<uint16_t>{1, 2, 3, 4, 5}));
  parser.Feed(std::span(frame).first(12));
  EXPECT_FALSE(parser.Next());
  EXPECT_TRUE(parser.HasPartialFrame());
  parser.Feed(std::span(frame).subspan(12));
  EXPECT_TRUE(parser.Next());

  // A header that checks but announces more than any order carries is noise.
  Bytes huge = BuildFrame(0x01, 0, {});
  huge[4] = 0xFF;
  huge[5] = 0xFF;
  SealHeader(huge);
  parser.Feed(huge);
  parser.Feed(BuildFrame(0x07, 0, {}));
  auto f = parser.Next();
  ASSERT_TRUE(f);
  EXPECT_EQ(f->request.order, 0x07);
}

TEST(Pieces, CutAsConfiguredWithTheRestLast) {
  const Bytes bytes(48, 0x11);
  auto sizesOf = [&](const std::vector<int>& cut) {
    std::vector<size_t> sizes;
    for (const auto& p : CutIntoPieces(bytes, cut)) sizes.push_back(p.size());
    return sizes;
  };
  EXPECT_EQ(sizesOf({3, 10}), (std::vector<size_t>{3, 10, 35}));
  EXPECT_EQ(sizesOf({3, 10, 35}), (std::vector<size_t>{3, 10, 35}));
  EXPECT_EQ(sizesOf({40, 40}), (std::vector<size_t>{40, 8}));
  EXPECT_EQ(sizesOf({}), (std::vector<size_t>{48}));
}

}  // namespace
}  // namespace sim
