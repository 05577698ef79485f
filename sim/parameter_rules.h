// The sensor's parameter set (17 head words and 31 teach rows of 8 words, in wire order)
// with its defaults and the plausibility check that puts out-of-range values back to
// their defaults and counts them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "src/com232/protocol.h"

namespace sim {

inline constexpr int kSetWords = kHeadWords + kTeachTableWords;  // 265

struct ParameterRule {
  std::string_view key;
  uint16_t defaultValue;
  uint16_t min;
  uint16_t max;
};

extern const std::array<ParameterRule, kHeadWords> kHeadRules;
extern const std::array<ParameterRule, kTeachRowWords - 1> kRowRules;  // the spare word is free

struct ParameterSet {
  std::array<uint16_t, kHeadWords> head{};
  std::array<uint16_t, kTeachTableWords> teach{};

  uint16_t& Row(int row, int word) {
    return teach[static_cast<size_t>(row * kTeachRowWords + word)];
  }
  uint16_t Row(int row, int word) const {
    return teach[static_cast<size_t>(row * kTeachRowWords + word)];
  }
  bool operator==(const ParameterSet&) const = default;
};

ParameterSet DefaultParameterSet();

// Each returns how many words it put back to their defaults.
int RepairHead(std::span<uint16_t, kHeadWords> head);
int RepairTeach(std::span<uint16_t, kTeachTableWords> teach);
int Repair(ParameterSet& set);

}  // namespace sim
