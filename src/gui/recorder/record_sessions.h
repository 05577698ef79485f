// What the recorder page's buttons and mode ring start: the confirmations, the
// busy state and the red start button around a recording, and the report after it.
#pragma once

// START RECORD (modes 0 and 1).
void StartIntervalRecording();
// START TRIG REC (mode 3).
void StartTriggeredRecording();
// The mode ring: ends GO or a recording, resets the counts, clears the graphs
// and shows the controls of the new mode.
void SelectRecordMode();
// The recorder page has become the active page.
void ShowRecorderPage();
