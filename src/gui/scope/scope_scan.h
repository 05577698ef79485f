// The scope's acquisition: the settings go to the sensor with one request,
// then the tool waits, without a time-out but asleep between events, for the
// four frames the sensor sends once its recording is complete, and plots them.
#pragma once

// Sends the settings, reads the four frames and plots them. Returns when they
// are plotted, when the scan was broken off, or when the link failed.
void RunScopeScan();
// Cancels a pending scan at the sensor and ends the wait for its frames.
void BreakScopeScan();
