// The hardware information file for support: the sensor's identification,
// its hardware block, calibration factors, offsets and parameter set in one
// INI file. Written only; the program never reads it back.
#pragma once

#include <cstdint>
#include <string>

constexpr int kHardwareInfoWords = 256;

// The hardware block as text: four upper-case hex digits per word, word 0
// first, no separators (1024 characters).
std::string HardwareDataText(const uint16_t* words);
// Asks the sensor for everything first, then for the file; the outcome goes
// to the message log.
void WriteHardwareInfoFile();
