// CRC-8 that guards the header and the data section of every frame on the link.
// Dallas/Maxim 1-Wire table, register preset to 0xAA, no final XOR: running it over
// a header including its own CRC byte gives 0 exactly when the header is intact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace sim {

inline constexpr uint8_t kCrcStart = 0xAA;

uint8_t Crc8(std::span<const uint8_t> bytes, uint8_t start = kCrcStart);

}  // namespace sim
