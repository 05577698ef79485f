// What the sensor puts on the link for one frame: the bytes, cut into pieces with gaps
// when the link is to deliver them piecemeal, a delay before the first piece, and the
// link actions that go with it (hang up, change the line speed afterwards).
#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "sim/fault_plan.h"

namespace sim {

using Clock = std::chrono::steady_clock;

struct Transmission {
  struct Piece {
    std::vector<uint8_t> bytes;
    std::chrono::microseconds gapBefore{0};  // after the previous piece has left
  };
  std::vector<Piece> pieces;           // empty: the sensor stays silent
  std::chrono::microseconds delay{0};  // from the end of the request to the first piece
  Clock::time_point notBefore{};       // for frames the sensor sends on its own
  bool closeLink = false;              // hang up instead of answering
  long baudAfter = 0;                  // line speed once the pieces are out; 0 keeps it
};

struct ShapeSettings {
  std::vector<int> pieceSizes{3, 10};  // what is left after these goes as the last piece
  int pieceGapMs = 20;
  int garbageLength = 16;
  int replyDelayMs = 0;
};

// Applies the faults of one reply to its frame.
Transmission ShapeReply(std::vector<uint8_t> frame, const FaultSet& faults,
                        const ShapeSettings& settings, std::mt19937& rng);

std::vector<std::vector<uint8_t>> CutIntoPieces(const std::vector<uint8_t>& bytes,
                                                const std::vector<int>& sizes);

}  // namespace sim
