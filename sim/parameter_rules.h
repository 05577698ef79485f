// The sensor's parameter set (17 head words and 31 teach rows of 8 words, in wire order)
// with its defaults and the plausibility check that puts out-of-range values back to
// their defaults and counts them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace sim {

inline constexpr int kHeadWords = 17;
inline constexpr int kTeachRows = 31;
inline constexpr int kRowWords = 8;
inline constexpr int kTeachWords = kTeachRows * kRowWords;  // 248
inline constexpr int kSetWords = kHeadWords + kTeachWords;  // 265

// Head word positions.
enum Head : int {
  kPower,
  kPowerMode,
  kAverage,
  kEvaluationMode,
  kHoldFail,
  kIntLim,
  kMaxVecNo,
  kDigitalOutMode,
  kTrigger,
  kExternTeach,
  kCalculationMode,
  kDynWinLo,
  kDynWinHi,
  kColorGroup,
  kLedMode,
  kGain,
  kIntegral,
};

// Words of one teach row.
enum RowWord : int { kCell1, kCell2, kCell3, kCell4, kCell5, kRowGroup, kRowHold, kRowSpare };

struct ParameterRule {
  std::string_view key;
  uint16_t defaultValue;
  uint16_t min;
  uint16_t max;
};

extern const std::array<ParameterRule, kHeadWords> kHeadRules;
extern const std::array<ParameterRule, kRowWords - 1> kRowRules;  // the spare word is free

struct ParameterSet {
  std::array<uint16_t, kHeadWords> head{};
  std::array<uint16_t, kTeachWords> teach{};

  uint16_t& Row(int row, int word) { return teach[static_cast<size_t>(row * kRowWords + word)]; }
  uint16_t Row(int row, int word) const {
    return teach[static_cast<size_t>(row * kRowWords + word)];
  }
  bool operator==(const ParameterSet&) const = default;
};

ParameterSet DefaultParameterSet();

// Each returns how many words it put back to their defaults.
int RepairHead(std::span<uint16_t, kHeadWords> head);
int RepairTeach(std::span<uint16_t, kTeachWords> teach);
int Repair(ParameterSet& set);

}  // namespace sim
