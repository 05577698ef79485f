// Frames of the sensor link: an eight-byte header (0x55, order or reply code, 16-bit
// argument or status, 16-bit data length, data CRC, header CRC; 16-bit fields low byte
// first) followed by the data section. Builds replies and cuts requests out of a byte
// stream that may hold garbage or arrive in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sim {

// The sensor keeps its own frame and CRC code on purpose: an independent check of the tool's link.

inline constexpr uint8_t kSyncByte = 0x55;
inline constexpr size_t kHeaderSize = 8;
// No order carries more than a few hundred bytes; a header announcing more than this is
// taken for noise that happens to pass the header check.
inline constexpr size_t kMaxRequestData = 4096;

struct Request {
  uint8_t order = 0;
  uint16_t arg = 0;
  std::vector<uint8_t> data;
};

// Header plus data; the data CRC is 0xAA for an empty data section.
std::vector<uint8_t> BuildFrame(uint8_t code, uint16_t word, std::span<const uint8_t> data);
// Recomputes byte 7 after a header byte was changed.
void SealHeader(std::span<uint8_t> frame);

std::vector<uint8_t> WordsToBytes(std::span<const uint16_t> words);
std::vector<uint16_t> BytesToWords(std::span<const uint8_t> bytes);
inline uint16_t ReadLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

struct ParsedFrame {
  Request request;
  bool dataCrcOk = true;
  uint64_t endPosition = 0;  // stream position just past the frame's last byte
};

class FrameParser {
 public:
  void Feed(std::span<const uint8_t> bytes);
  // The next complete frame, or nothing while the buffer holds only a partial frame.
  std::optional<ParsedFrame> Next();
  void Reset();

  bool HasPartialFrame() const { return start_ < buffer_.size(); }
  uint64_t Position() const { return fed_; }
  uint64_t DiscardedBytes() const { return discarded_; }

 private:
  void Drop(size_t count);

  std::vector<uint8_t> buffer_;
  size_t start_ = 0;
  uint64_t fed_ = 0;
  uint64_t discarded_ = 0;
};

}  // namespace sim
