#include "sim/frame.h"

#include <algorithm>

#include "sim/crc8.h"

namespace sim {

std::vector<uint8_t> BuildFrame(uint8_t code, uint16_t word, std::span<const uint8_t> data) {
  std::vector<uint8_t> frame(kHeaderSize + data.size());
  frame[0] = kSyncByte;
  frame[1] = code;
  frame[2] = static_cast<uint8_t>(word & 0xFF);
  frame[3] = static_cast<uint8_t>(word >> 8);
  frame[4] = static_cast<uint8_t>(data.size() & 0xFF);
  frame[5] = static_cast<uint8_t>(data.size() >> 8);
  frame[6] = Crc8(data);
  std::copy(data.begin(), data.end(), frame.begin() + kHeaderSize);
  SealHeader(frame);
  return frame;
}

void SealHeader(std::span<uint8_t> frame) {
  frame[7] = Crc8(frame.first(7));
}

std::vector<uint8_t> WordsToBytes(std::span<const uint16_t> words) {
  std::vector<uint8_t> bytes;
  bytes.reserve(words.size() * 2);
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  return bytes;
}

std::vector<uint16_t> BytesToWords(std::span<const uint8_t> bytes) {
  std::vector<uint16_t> words(bytes.size() / 2);
  for (size_t i = 0; i < words.size(); ++i) words[i] = ReadLe16(&bytes[2 * i]);
  return words;
}

void FrameParser::Feed(std::span<const uint8_t> bytes) {
  if (start_ > 0 && start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  } else if (start_ > 4096) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  fed_ += bytes.size();
}

void FrameParser::Drop(size_t count) {
  start_ += count;
  discarded_ += count;
}

std::optional<ParsedFrame> FrameParser::Next() {
  while (start_ < buffer_.size()) {
    if (buffer_[start_] != kSyncByte) {
      Drop(1);
      continue;
    }
    const size_t available = buffer_.size() - start_;
    if (available < kHeaderSize) return std::nullopt;
    const uint8_t* head = &buffer_[start_];
    const size_t length = ReadLe16(head + 4);
    if (Crc8({head, kHeaderSize}) != 0 || length > kMaxRequestData) {
      Drop(1);  // a 0x55 inside garbage: look for the next one
      continue;
    }
    if (available < kHeaderSize + length) return std::nullopt;

    ParsedFrame frame;
    frame.request.order = head[1];
    frame.request.arg = ReadLe16(head + 2);
    frame.request.data.assign(head + kHeaderSize, head + kHeaderSize + length);
    frame.dataCrcOk = length == 0 || Crc8(frame.request.data) == head[6];
    start_ += kHeaderSize + length;
    frame.endPosition = fed_ - (buffer_.size() - start_);
    return frame;
  }
  return std::nullopt;
}

void FrameParser::Reset() {
  discarded_ += buffer_.size() - start_;
  buffer_.clear();
  start_ = 0;
}

}  // namespace sim
