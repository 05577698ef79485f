// Helpers shared by the virtual sensor's tests: requests in, reply frames out.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sim/frame.h"
#include "sim/sensor.h"

namespace sim::testing {

inline Request Req(uint8_t order, uint16_t arg = 0, const std::vector<uint16_t>& words = {}) {
  return {order, arg, WordsToBytes(words)};
}

inline std::vector<uint8_t> Bytes(const Transmission& tx) {
  std::vector<uint8_t> all;
  for (const auto& p : tx.pieces) all.insert(all.end(), p.bytes.begin(), p.bytes.end());
  return all;
}

struct Reply {
  uint8_t code = 0;
  uint16_t status = 0;
  std::vector<uint8_t> data;
  std::vector<uint16_t> Words() const { return BytesToWords(data); }
};

// Reads a reply frame the way the tool does; fails the test when it does not check out.
inline Reply Decode(const std::vector<uint8_t>& frame) {
  FrameParser parser;
  parser.Feed(frame);
  auto parsed = parser.Next();
  EXPECT_TRUE(parsed.has_value()) << "no valid frame";
  if (!parsed) return {};
  EXPECT_TRUE(parsed->dataCrcOk);
  EXPECT_EQ(parsed->endPosition, frame.size());
  return {parsed->request.order, parsed->request.arg, parsed->request.data};
}

inline Reply Exchange(Sensor& sensor, const Request& request, int session = 0) {
  return Decode(Bytes(sensor.Handle(session, request)));
}

}  // namespace sim::testing
