// DATAP's graphs: strip charts fed from the histories, colour views scaled to
// show the taught regions and the live point, the tolerance overlays of the
// teach rows and the intensity band of the selected row.
#pragma once

struct RegionBounds {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, minI = 0, maxI = 0;
};
// The smallest box around the taught regions, as the last overlay drawing found it.
extern RegionBounds gTaughtRegionBounds;

void DrawToleranceOverlays();
void DrawIntensityBand();
void UpdateLiveGraphs();
void Update2DView();
void Update3DView();

// One coordinate's share of a view: the span it needs and its centre.
struct AxisFit {
  int span;
  int centre;
};
AxisFit FitAxis(int value, int lo, int hi);
