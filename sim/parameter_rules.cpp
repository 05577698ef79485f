#include "sim/parameter_rules.h"

namespace sim {

const std::array<ParameterRule, kHeadWords> kHeadRules{{
    {"POWER", 500, 0, 1000},
    {"POWER MODE", 0, 0, 1},
    {"AVERAGE", 1, 1, 1024},
    {"EVALUATION MODE", 1, 0, 4},
    {"HOLD FAIL", 10, 0, 10000},
    {"INTLIM", 0, 0, 4095},
    {"MAX VEC NO", 1, 0, 31},
    {"DIGITAL OUTMODE", 0, 0, 2},
    {"TRIGGER", 0, 0, 6},
    {"EXTERN TEACH", 0, 0, 3},
    {"CALCULATION MODE", 0, 0, 3},
    {"DYNWIN LO", 3200, 0, 4095},
    {"DYNWIN HI", 3300, 0, 4095},
    {"COLOR GROUP", 0, 0, 1},
    {"LED MODE", 0, 0, 3},
    {"GAIN", 5, 0, 8},  // eight stages, whether counted from 0 or from 1
    {"INTEGRAL", 1, 0, 250},
}};

// Cells hold coordinates, intensities and tolerances; s and i reach 10000.
const std::array<ParameterRule, kTeachRowWords - 1> kRowRules{{
    {"CELL 0", 1, 0, 10000},
    {"CELL 1", 1, 0, 10000},
    {"CELL 2", 1, 0, 10000},
    {"CELL 3", 1, 0, 10000},
    {"CELL 4", 1, 0, 10000},
    {"GROUP", 0, 0, 30},
    {"HOLD", 10, 0, 10000},
}};

namespace {

int Check(uint16_t& word, const ParameterRule& rule) {
  if (word >= rule.min && word <= rule.max) return 0;
  word = rule.defaultValue;
  return 1;
}

}  // namespace

ParameterSet DefaultParameterSet() {
  ParameterSet set;
  for (int i = 0; i < kHeadWords; ++i)
    set.head[static_cast<size_t>(i)] = kHeadRules[static_cast<size_t>(i)].defaultValue;
  for (int row = 0; row < kTeachRows; ++row) {
    for (int w = 0; w < kTeachRowWords - 1; ++w)
      set.Row(row, w) = kRowRules[static_cast<size_t>(w)].defaultValue;
    set.Row(row, kRowSpare) = 0;
  }
  return set;
}

int RepairHead(std::span<uint16_t, kHeadWords> head) {
  int count = 0;
  for (size_t i = 0; i < head.size(); ++i) count += Check(head[i], kHeadRules[i]);
  // A window whose low end lies above its high end cannot be tuned into.
  if (head[kDynwinLo] > head[kDynwinHi]) {
    for (int w : {kDynwinLo, kDynwinHi}) {
      const uint16_t def = kHeadRules[static_cast<size_t>(w)].defaultValue;
      if (head[static_cast<size_t>(w)] != def) {
        head[static_cast<size_t>(w)] = def;
        ++count;
      }
    }
  }
  return count;
}

int RepairTeach(std::span<uint16_t, kTeachTableWords> teach) {
  int count = 0;
  for (int row = 0; row < kTeachRows; ++row) {
    for (int w = 0; w < kTeachRowWords - 1; ++w) {
      count += Check(teach[static_cast<size_t>(row * kTeachRowWords + w)],
                     kRowRules[static_cast<size_t>(w)]);
    }
  }
  return count;
}

int Repair(ParameterSet& set) {
  return RepairHead(set.head) + RepairTeach(set.teach);
}

}  // namespace sim
