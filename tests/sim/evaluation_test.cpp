// Colour coordinates and the verdict of a measurement against the teach table.
#include "sim/evaluation.h"

#include <gtest/gtest.h>

#include "sim/parameter_rules.h"

namespace sim {
namespace {

TEST(Coordinates, XyIntAndSiM) {
  struct Case {
    std::array<int, 3> rgb;
    int mode;
    std::array<int, 3> expected;
  };
  const std::vector<Case> cases{
      {{0, 0, 0}, 0, {0, 0, 0}},
      {{4095, 0, 0}, 0, {4095, 0, 1365}},
      {{1000, 1000, 1000}, 2, {1365, 1365, 1000}},
      {{0, 0, 0}, 1, {5000, 5000, 0}},
      {{4095, 0, 0}, 1, {10000, 7500, 400}},
      {{0, 0, 4095}, 3, {5000, 0, 400}},
      {{4095, 4095, 4095}, 3, {5000, 5000, 1200}},  // M at most 1200
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeCoordinates(c.rgb, c.mode), c.expected)
        << c.rgb[0] << "," << c.rgb[1] << "," << c.rgb[2] << " mode " << c.mode;
  }
}

// Two neighbouring rows in X Y INT 2D: centres 20 apart, colour tolerance 50, INT
// 2000 +- 100.
ParameterSet TwoRows(int evaluationMode) {
  ParameterSet p = DefaultParameterSet();
  p.head[kEvaluationMode] = static_cast<uint16_t>(evaluationMode);
  p.head[kMaxVecNo] = 2;
  const std::array<std::array<uint16_t, 5>, 2> rows{
      {{1000, 1000, 50, 2000, 100}, {1020, 1000, 50, 2000, 100}}};
  for (int r = 0; r < 2; ++r) {
    for (int w = 0; w < 5; ++w) p.Row(r, w) = rows[static_cast<size_t>(r)][static_cast<size_t>(w)];
    p.Row(r, kRowGroup) = static_cast<uint16_t>(7 + r);
  }
  return p;
}

TEST(Evaluate, ModesAgainstTwoRows) {
  struct Case {
    const char* name;
    int mode;
    std::array<int, 3> coords;
    uint16_t colour;
    int16_t deltaC;
  };
  const std::vector<Case> cases{
      {"first hit takes row 0", 0, {1015, 1000, 2000}, 0, 15},
      {"best hit takes the nearer row", 1, {1015, 1000, 2000}, 1, 5},
      {"intensity outside: first hit gives distance to last row", 0, {1015, 1000, 2200}, 255, 5},
      {"intensity outside: best hit gives -1", 1, {1015, 1000, 2200}, 255, -1},
      {"min dist ignores the colour tolerance", 2, {1200, 1000, 2000}, 1, 180},
      {"best hit outside every colour tolerance", 1, {1200, 1000, 2000}, 255, -1},
      {"min dist needs the intensity inside", 2, {1200, 1000, 1800}, 255, -1},
      {"col5 sets one bit per hit row", 3, {1010, 1000, 2000}, 0b11, 10},
  };
  for (const auto& c : cases) {
    const ParameterSet p = TwoRows(c.mode);
    const Verdict v = Evaluate(p, {0, 0, 0}, c.coords, c.coords[2]);
    EXPECT_EQ(v.colour, c.colour) << c.name;
    EXPECT_EQ(v.deltaC, c.deltaC) << c.name;
  }
}

TEST(Evaluate, LimitsGroupsThresholdsAndSpace) {
  ParameterSet p = TwoRows(1);
  const std::array<int, 3> nearRow1{1019, 1000, 2000};

  p.head[kIntlim] = 2001;  // intensity below the limit: failure
  Verdict v = Evaluate(p, {}, nearRow1, 2000);
  EXPECT_EQ(v.colour, kNoHit);
  EXPECT_EQ(v.deltaC, -1);
  p.head[kIntlim] = 0;

  p.head[kMaxVecNo] = 1;  // row 1 not active
  EXPECT_EQ(Evaluate(p, {}, nearRow1, 2000).colour, 0);
  p.head[kMaxVecNo] = 2;

  EXPECT_EQ(Evaluate(p, {}, nearRow1, 2000).group, kNoHit);  // groups off
  p.head[kColorGroup] = 1;
  EXPECT_EQ(Evaluate(p, {}, nearRow1, 2000).group, 8);

  ParameterSet thd = DefaultParameterSet();
  thd.head[kEvaluationMode] = 4;
  thd.Row(0, kCell1) = 1000;
  thd.Row(1, kCell1) = 2000;
  thd.Row(2, kCell1) = 3000;
  EXPECT_EQ(Evaluate(thd, {1500, 1500, 3500}, {}, 0).colour, 0b101);

  ParameterSet space = DefaultParameterSet();
  space.head[kCalculationMode] = 2;
  const std::array<uint16_t, 5> row{1000, 1000, 2000, 30, 1};
  for (int w = 0; w < 5; ++w) space.Row(0, w) = row[static_cast<size_t>(w)];
  v = Evaluate(space, {}, {1010, 1010, 2010}, 2010);  // 17.3 from the centre
  EXPECT_EQ(v.colour, 0);
  EXPECT_EQ(v.deltaC, 17);
  EXPECT_EQ(Evaluate(space, {}, {1020, 1020, 2020}, 2020).colour, kNoHit);  // 34.6
}

}  // namespace
}  // namespace sim
