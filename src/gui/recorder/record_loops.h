// The recording loops: frames requested at an interval, frames the sensor sends
// by itself on each trigger, and single frames by hand. They run under the GO
// flag, so whatever stops GO stops them; their waits sleep in the event loop.
#pragma once

// Mode 0: N cycles; mode 1: until stopped.
void RunIntervalRecord();
// Returns when `interval` seconds have passed since `cycleStart` (after one turn
// of the event loop at least), or at once when the GO flag is cleared.
void WaitRecordInterval(double cycleStart, double interval);
// Starts the sensor's triggered sending and records each frame it sends, with no
// time-out, until stopped or the link fails.
void RunTriggeredRecord();
// Stops the sensor's triggered sending and awaits the reply.
void StopTriggeredRecord();
// Mode 2: the current live frame into the graphs and the file.
void RecordManualFrame();

// The text of a port error while waiting for a triggered frame.
extern const char* const kTriggerPortErrorText;
