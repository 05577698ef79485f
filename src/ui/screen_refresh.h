// The screen follows the data at its own pace. Displays, bars and graphs that
// change are only marked; one refresh brings the marked ones up to date about
// 30 times a second. While the link is busy the refresh waits for the moment
// right after a request went out, when the line is busy for a while anyway, so
// painting never holds back a fast exchange. Private to the platform layer.
#pragma once

class QProgressBar;
class QWidget;

namespace ui {

void RepaintSoon(QWidget* w);
// A bar indicator's value, applied at screen rate.
void SetBarValueSoon(QProgressBar* bar, int value);
int BarValue(const QProgressBar* bar);
// A graph has marked itself for redrawing.
void ScreenRefreshSoon();

}  // namespace ui
