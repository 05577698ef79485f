// What the sensor's EVALUATION MODE and CALCULATION MODE words mean, and the
// questions the program asks of them. The word values are the sensor's.
#pragma once

enum EvaluationMode { kEvalFirstHit = 0, kEvalBestHit, kEvalMinDist, kEvalCol5, kEvalThdRgb };
enum CalculationMode { kCalcXyInt2D = 0, kCalcSiM2D, kCalcXyInt3D, kCalcSiM3D };

// Coordinates s, i and M instead of X, Y and INT.
constexpr bool IsSiM(int calcMode) {
  return calcMode == kCalcSiM2D || calcMode == kCalcSiM3D;
}
constexpr bool Is2D(int calcMode) {
  return calcMode == kCalcXyInt2D || calcMode == kCalcSiM2D;
}
constexpr bool Is3D(int calcMode) {
  return calcMode == kCalcXyInt3D || calcMode == kCalcSiM3D;
}
// In COL5 and THD RGB the bits of COLOR are the five outputs, shown on the output LEDs.
constexpr bool ShowsOutputLeds(int evalMode) {
  return evalMode >= kEvalCol5;
}
// Teach cells of a row's intensity and its tolerance: cells 4 and 5 in the 2D
// modes, cells 3 and 4 in the 3D modes (0-based word indices).
constexpr int IntensityCell(int calcMode) {
  return Is3D(calcMode) ? 2 : 3;
}
