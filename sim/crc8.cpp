#include "sim/crc8.h"

#include <array>

namespace sim {
namespace {

// Table of the reflected polynomial 0x8C (x^8 + x^5 + x^4 + 1).
constexpr std::array<uint8_t, 256> MakeTable() {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    uint8_t reg = static_cast<uint8_t>(i);
    for (int bit = 0; bit < 8; ++bit) {
      reg = (reg & 1) ? static_cast<uint8_t>((reg >> 1) ^ 0x8C) : static_cast<uint8_t>(reg >> 1);
    }
    table[i] = reg;
  }
  return table;
}

constexpr std::array<uint8_t, 256> kTable = MakeTable();
static_assert(kTable[0] == 0x00 && kTable[1] == 0x5E && kTable[255] == 0x35);

}  // namespace

uint8_t Crc8(std::span<const uint8_t> bytes, uint8_t start) {
  uint8_t reg = start;
  for (uint8_t b : bytes) reg = kTable[reg ^ b];
  return reg;
}

}  // namespace sim
