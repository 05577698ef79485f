#include "com232/crc8.h"

#include <array>

namespace {

constexpr std::array<uint8_t, 256> MakeTable() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    uint8_t r = static_cast<uint8_t>(i);
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? static_cast<uint8_t>((r >> 1) ^ 0x8C) : r >> 1;
    t[i] = r;
  }
  return t;
}

constexpr std::array<uint8_t, 256> kTable = MakeTable();
static_assert(kTable[0] == 0x00 && kTable[1] == 0x5E && kTable[255] == 0x35);

}  // namespace

uint8_t Crc8(const uint8_t* bytes, int start, int count) {
  uint8_t reg = 0xAA;
  for (int i = 0; i < count; ++i) reg = kTable[reg ^ bytes[start + i]];
  return reg;
}
