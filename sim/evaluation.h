// Colour coordinates from calibrated RED, GREEN, BLUE and the comparison with the teach
// table that gives the colour number, the group and delta C of a live frame.
#pragma once

#include <array>
#include <cstdint>

#include "sim/parameter_rules.h"

namespace sim {

inline constexpr uint16_t kNoHit = 255;
inline constexpr int kMaxM = 1200;

// X Y INT (calculation modes 0 and 2) or s i M (1 and 3).
std::array<int, 3> ComputeCoordinates(const std::array<int, 3>& rgb, int calculationMode);

struct Verdict {
  uint16_t colour = kNoHit;
  uint16_t group = kNoHit;
  int16_t deltaC = -1;
};

// rgb: calibrated values; coords: as ComputeCoordinates gives them; intensity: the value
// compared with INTLIM.
Verdict Evaluate(const ParameterSet& p, const std::array<int, 3>& rgb,
                 const std::array<int, 3>& coords, int intensity);

}  // namespace sim
