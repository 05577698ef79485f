// CRC-8 of the sensor frames: the 1-Wire table (reflected polynomial 0x8C),
// register starting at 0xAA, no final XOR. Over a header including its own CRC
// byte the result is 0 exactly when the header is intact.
#pragma once

#include <cstdint>

uint8_t Crc8(const uint8_t* bytes, int start, int count);
