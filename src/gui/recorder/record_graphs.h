// The recorded-value graphs of the graph panel: one graph per signal, of which
// the SIGNAL ring shows one, each drawn on as frames are recorded, and the
// numbers of the last recorded frame.
#pragma once

// Empties the seven graphs; the next sample starts again at x = 0 from the
// values of the current live frame.
void ClearRecordGraphs();
// Adds the current live frame as the next sample of every graph.
void PlotRecordedValues();
// Shows the graph of one signal (0 RED .. 6 TEMP; any other value: RED).
void SelectRecordGraph(int signal);
