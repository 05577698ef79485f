#include "sim/evaluation.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace sim {
namespace {

bool Is3d(int calculationMode) {
  return calculationMode == 2 || calculationMode == 3;
}

struct RowMatch {
  double distance = 0;  // colour distance (2D) or distance in space (3D)
  bool intensityInside = false;
  bool hit = false;
};

RowMatch MatchRow(const ParameterSet& p, int row, const std::array<int, 3>& c) {
  const int calc = p.head[kCalculationMode];
  const double dx = c[0] - p.Row(row, kCell1);
  const double dy = c[1] - p.Row(row, kCell2);
  RowMatch m;
  if (Is3d(calc)) {
    const double di = c[2] - p.Row(row, kCell3);
    m.distance = std::sqrt(dx * dx + dy * dy + di * di);
    m.intensityInside = true;
    m.hit = m.distance <= p.Row(row, kCell4);
  } else {
    m.distance = std::hypot(dx, dy);
    m.intensityInside = std::abs(c[2] - p.Row(row, kCell4)) <= p.Row(row, kCell5);
    m.hit = m.intensityInside && m.distance <= p.Row(row, kCell3);
  }
  return m;
}

int16_t ToDeltaC(double distance) {
  return static_cast<int16_t>(std::min(32767.0, std::round(distance)));
}

}  // namespace

std::array<int, 3> ComputeCoordinates(const std::array<int, 3>& rgb, int calculationMode) {
  const int r = rgb[0], g = rgb[1], b = rgb[2];
  const int sum = r + g + b;
  if (calculationMode == 1 || calculationMode == 3) {
    if (sum == 0) return {5000, 5000, 0};
    // s runs from green (0) to red (10000), i from blue (0) to yellow (7500); M is the
    // intensity on a scale of 0..1200.
    const int s = 5000 + 5000 * (r - g) / sum;
    const int i = 5000 + 2500 * (r + g - 2 * b) / sum;
    const int m = std::min(kMaxM, sum * kMaxM / (3 * 4095));
    return {s, i, m};
  }
  if (sum == 0) return {0, 0, 0};
  return {4095 * r / sum, 4095 * g / sum, sum / 3};
}

Verdict Evaluate(const ParameterSet& p, const std::array<int, 3>& rgb,
                 const std::array<int, 3>& coords, int intensity) {
  Verdict v;
  const int mode = p.head[kEvaluationMode];
  if (intensity < p.head[kIntlim]) return v;

  if (mode == 4) {  // THD RGB: one threshold per channel in rows 0..2
    uint16_t bits = 0;
    for (int ch = 0; ch < 3; ++ch) {
      if (rgb[static_cast<size_t>(ch)] > p.Row(ch, kCell1)) bits |= static_cast<uint16_t>(1 << ch);
    }
    v.colour = bits;
    return v;
  }

  const int rows = std::clamp<int>(p.head[kMaxVecNo], 0, kTeachRows);
  if (mode == 3) {  // COL5: every hit among rows 0..4 is an output of its own
    uint16_t bits = 0;
    std::optional<double> best;
    for (int row = 0; row < std::min(rows, 5); ++row) {
      const RowMatch m = MatchRow(p, row, coords);
      if (!m.hit) continue;
      bits |= static_cast<uint16_t>(1 << row);
      if (!best || m.distance < *best) best = m.distance;
    }
    v.colour = bits;
    if (best) v.deltaC = ToDeltaC(*best);
    return v;
  }

  std::optional<int> chosen;
  double chosenDistance = 0;
  double lastDistance = -1;
  for (int row = 0; row < rows; ++row) {
    const RowMatch m = MatchRow(p, row, coords);
    lastDistance = m.distance;
    const bool candidate = mode == 2 ? m.intensityInside : m.hit;
    if (!candidate) continue;
    if (!chosen || m.distance < chosenDistance) {
      chosen = row;
      chosenDistance = m.distance;
    }
    if (mode == 0) break;  // FIRST HIT
  }
  if (chosen) {
    v.colour = static_cast<uint16_t>(*chosen);
    v.deltaC = ToDeltaC(chosenDistance);
    if (p.head[kColorGroup] == 1) v.group = p.Row(*chosen, kRowGroup);
  } else if (mode == 0 && lastDistance >= 0) {
    v.deltaC = ToDeltaC(lastDistance);  // distance to the last enabled row
  }
  return v;
}

}  // namespace sim
