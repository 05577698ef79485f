// Teaching a point picked from a recorded cloud: live frames recorded as dots
// in three graphs (X/Y, X/INT, Y/INT), cursors that follow each other to the
// same recorded point, and the teach of that point through TeachDataTo.
#pragma once

constexpr int kRecordedPointsMax = 60000;

struct RecordedPoint {
  double x, y, intensity;  // X, Y, INT or s, i, M
};
// Entries 0 .. counter - 1 are the current recording; the store lives for the
// whole run, a RESET only sets the counter back.
extern RecordedPoint gRecordedPoints[kRecordedPointsMax];

enum RecordGraph { kGraphXY = 0, kGraphXInt = 1, kGraphYInt = 2 };

// Records live frames until goRunning is cleared or the store is full.
void RecordLoop();
void RecordPoint();
// The cursor of `graph` names a point: all three cursors and the displays go to it.
void SyncCursors(int graph);
// Asks first; clears the graphs and the counter, not the cursors.
void ResetRecordedPoints();
// The point the cursor displays show, into the row the No. field names.
void TeachRecordedPoint();
