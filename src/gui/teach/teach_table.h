// The teach table worked by hand and from the live measurement: teaching the
// current values into a row with default tolerances, the resets of the teach,
// group and hold tables, and the teach table's context menu.
#pragma once

#include <cstdint>

struct TeachState {
  int teachToleranceOff = 0;  // 1: teaching leaves the tolerance columns alone
  int menuToleranceOff = 0;   // handles of the two menu items that switch it
  int menuToleranceOn = 0;
};
extern TeachState gTeach;

// What TeachDataTo writes; its callers fill it from the screen first.
struct TeachValues {
  uint16_t red = 0, green = 0, blue = 0;
  uint16_t x = 0, y = 0, intensity = 0;  // X, Y, INT or s, i, M
  int no = 0;                            // teach row 0..30
  int calcMode = 0, evalMode = 0, powerMode = 0;
};
extern TeachValues gTeachValues;

// The two tolerance values TeachDataTo writes, and where they go.
struct DefaultTolerance {
  uint16_t first;   // CTO, siTO or TOL
  uint16_t second;  // ITO, MTO, or the 1 of column 5 in the 3D modes
};
DefaultTolerance DefaultTolerances(int evalMode, int calcMode, int powerMode);

// Measured values from the DATAP displays, modes and No. from their controls.
void TakeTeachValuesFromScreen();
void TeachDataTo();
// The taught row takes the live colour while the row colours follow the sensor.
void PaintTaughtRowColor(int row);
// Row n (0..30) of the teach table: advances the No. field after a teach when
// the auto-increment switch is on.
void AdvanceTeachRowNumber(int n);

void ResetTeachTable();
void ResetGroupTable();
void ResetHoldTable();

// Appends the items of the teach table's context menu; at start-up.
void BuildTeachTableMenu();
// The prompt of the menu's value items: the integer read from the answer, or
// false when the prompt was cancelled or its answer holds none.
bool PromptCellValue(long& value);
