#include "gui/recorder/record_page.h"

#include <cmath>

#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

// Per control, whether modes 0, 1, 2 and 3 show it.
struct ModeVisibility {
  int ctrl;
  bool shown[4];
};
constexpr ModeVisibility kModeControls[] = {
    {TABREC_NUM_INTERVAL, {true, true, false, false}},
    {TABREC_NUM_NUMBER, {true, false, false, false}},
    {TABREC_DISP_DAYS, {true, false, false, false}},
    {TABREC_DISP_HOURS, {true, false, false, false}},
    {TABREC_DISP_MINUTES, {true, false, false, false}},
    {TABREC_DISP_SECONDS, {true, false, false, false}},
    {TABREC_DISP_RECORDED, {true, false, true, false}},
    {TABREC_DISP_RUNNING, {false, true, false, true}},
    {TABREC_DISP_REMAINING, {true, false, false, false}},
    {TABREC_BUTTON_START, {true, true, false, false}},
    {TABREC_BUTTON_STOP, {true, true, false, true}},
    {TABREC_BUTTON_MANUAL, {false, false, true, false}},
    {TABREC_BUTTON_STARTTRIG, {false, false, false, true}},
};

int Page() {
  return MainTab(kPageRecorder);
}

}  // namespace

RecordTime RecordTimeOf(double interval, uint16_t frames) {
  RecordTime t{};
  t.interval = interval < kMinRecordInterval ? kMinRecordInterval : interval;
  double total = t.interval * frames;
  t.days = static_cast<uint16_t>(std::floor(total / 86400));
  total -= t.days * 86400.0;
  t.hours = static_cast<uint16_t>(std::floor(total / 3600));
  total -= t.hours * 3600.0;
  t.minutes = static_cast<uint16_t>(std::floor(total / 60));
  total -= t.minutes * 60.0;
  t.seconds = total;
  return t;
}

void UpdateRecordTime() {
  int page = Page();
  double interval = ui::GetCtrlDouble(page, TABREC_NUM_INTERVAL);
  int frames = ui::GetCtrlInt(page, TABREC_NUM_NUMBER);
  ui::SetCtrlVal(page, TABREC_DISP_RECORDED, 0);
  ui::SetCtrlVal(page, TABREC_DISP_REMAINING, frames);
  RecordTime t = RecordTimeOf(interval, static_cast<uint16_t>(frames));
  if (t.interval != interval) ui::SetCtrlVal(page, TABREC_NUM_INTERVAL, t.interval);
  ui::SetCtrlVal(page, TABREC_DISP_DAYS, t.days);
  ui::SetCtrlVal(page, TABREC_DISP_HOURS, t.hours);
  ui::SetCtrlVal(page, TABREC_DISP_MINUTES, t.minutes);
  ui::SetCtrlVal(page, TABREC_DISP_SECONDS, t.seconds);
}

void ApplyRecordMode(int mode) {
  if (mode < 0 || mode > 3) return;
  for (const auto& c : kModeControls)
    ui::SetCtrlAttribute(Page(), c.ctrl, ui::ATTR_VISIBLE, c.shown[mode] ? 1 : 0);
}

int CurrentRecordMode() {
  return ui::GetCtrlInt(Page(), TABREC_RING_MODE);
}
