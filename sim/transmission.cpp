#include "sim/transmission.h"

#include <algorithm>

#include "sim/frame.h"

namespace sim {

std::vector<std::vector<uint8_t>> CutIntoPieces(const std::vector<uint8_t>& bytes,
                                                const std::vector<int>& sizes) {
  std::vector<std::vector<uint8_t>> pieces;
  size_t pos = 0;
  for (int size : sizes) {
    if (pos >= bytes.size()) break;
    if (size <= 0) continue;
    const size_t end = std::min(bytes.size(), pos + static_cast<size_t>(size));
    pieces.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                        bytes.begin() + static_cast<std::ptrdiff_t>(end));
    pos = end;
  }
  if (pos < bytes.size()) {
    pieces.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end());
  }
  return pieces;
}

Transmission ShapeReply(std::vector<uint8_t> frame, const FaultSet& faults,
                        const ShapeSettings& settings, std::mt19937& rng) {
  Transmission tx;
  tx.delay = std::chrono::milliseconds(std::max(0, settings.replyDelayMs));
  if (faults.Has(Fault::CloseConnection)) {
    tx.closeLink = true;
    return tx;
  }
  if (faults.Has(Fault::Silence)) return tx;

  if (faults.Has(Fault::Status1) || faults.Has(Fault::Status2)) {
    const uint8_t status = faults.Has(Fault::Status1) ? 1 : 2;
    frame[1] = 0;
    frame[2] = status;
    frame[3] = 0;
    SealHeader(frame);
  }
  if (faults.Has(Fault::BadDataCrc)) {
    frame[6] ^= 0x5A;
    SealHeader(frame);
  }
  if (faults.Has(Fault::Oversize)) {
    // A sound header whose length no receive buffer of the tool holds; the data
    // that follow are the frame's own.
    frame[4] = 0xFF;
    frame[5] = 0xFF;
    SealHeader(frame);
  }
  if (faults.Has(Fault::BadHeaderCrc)) frame[7] ^= 0x5A;
  if (faults.Has(Fault::Garbage)) {
    // Line noise ahead of an intact frame.
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> noise(static_cast<size_t>(std::max(1, settings.garbageLength)));
    for (auto& b : noise) b = static_cast<uint8_t>(byte(rng));
    if (noise[0] == kSyncByte) noise[0] = static_cast<uint8_t>(~kSyncByte);
    frame.insert(frame.begin(), noise.begin(), noise.end());
  }

  if (faults.Has(Fault::Pieces)) {
    const auto gap = std::chrono::milliseconds(std::max(0, settings.pieceGapMs));
    for (auto& bytes : CutIntoPieces(frame, settings.pieceSizes)) {
      tx.pieces.push_back(
          {std::move(bytes), tx.pieces.empty() ? std::chrono::microseconds(0) : gap});
    }
  } else {
    tx.pieces.push_back({std::move(frame), {}});
  }
  return tx;
}

}  // namespace sim
