// What SCOPEP and the scope page show: the measured cycle time, the cursor
// distances in milliseconds and digits, the zoom, and the plots of the sample
// blocks.
#pragma once

// Places the cursors of both graphs where a first look expects them.
void InitScopeView();
void GetCycleTime();
void UpdateScopeCursors();
void ResetScopeZoom();
// Redraws both graphs from the sample blocks (all three lines).
void PlotScopeBlocks();
// Redraws the analog lines that the SIGNAL ring of SCOPEP selects.
void ShowScopeSignal();
// Dims the pre-trigger and trigger-level boxes that the trigger mode does not use.
void ApplyTriggerModeDimming();
