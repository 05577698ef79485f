// The record command: the recorder's own loops and line writer, stopped by the
// frame count, by Ctrl+C or SIGTERM, or by a link failure.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Colmira3V42_uir.h"
#include "gui/cli/commands.h"
#include "gui/cli/console_dialogs.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_file.h"
#include "gui/recorder/record_loops.h"
#include "gui/recorder/record_page.h"
#include "gui/recorder/recorder_state.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "ui/console.h"
#include "ui/ui.h"

namespace {

struct Progress {
  unsigned frames = 0;
  unsigned limit = 0;  // triggered recording: stop after this many frames; 0 none
  bool show = false;
};
Progress gProgress;

void StopRecording() {
  gLive.goRunning = 0;
}

void CountFrame() {
  ++gProgress.frames;
  if (gProgress.show)
    std::fprintf(stderr, "\rlines recorded: %u", gProgress.frames - gRecorder.failedLines);
  if (gProgress.limit && gProgress.frames >= gProgress.limit) gLive.goRunning = 0;
}

// A new file starts with the header, as choosing it on the recorder page does;
// --append adds lines to a file that exists.
bool StartRecordFile(const CommandLine& cl) {
  gRemembered.recordFile = cl.file;
  std::error_code ec;
  if (cl.append && std::filesystem::is_regular_file(cl.file, ec)) return true;
  std::remove(cl.file.c_str());
  return WriteRecordHeader();
}

RecordMode ModeOf(RecordKind kind) {
  switch (kind) {
    case RecordKind::kCount:
      return kRecordIntervalN;
    case RecordKind::kUntilStopped:
      return kRecordIntervalUntil;
    case RecordKind::kTriggered:
      break;
  }
  return kRecordTrigger;
}

}  // namespace

int RunRecord(const CommandLine& cl, ConsoleDialogs& dialogs) {
  if (!StartRecordFile(cl)) {
    std::fprintf(stderr, "%s: %s\n", cl.file.c_str(), std::strerror(errno));
    return kExitUsageError;
  }
  const int page = MainTab(kPageRecorder);
  const RecordMode mode = ModeOf(cl.record);
  ui::SetCtrlVal(page, TABREC_RING_MODE, static_cast<int>(mode));
  ApplyRecordMode(mode);
  if (mode != kRecordTrigger) {
    ui::SetCtrlVal(page, TABREC_NUM_INTERVAL, cl.interval);
    ui::SetCtrlVal(page, TABREC_NUM_NUMBER, cl.count > 0 ? cl.count : 1);
  }

  gProgress = Progress{};
  gProgress.show = ui::ErrorStreamIsTerminal();
  if (mode == kRecordTrigger) gProgress.limit = static_cast<unsigned>(cl.count);
  gRecorder.failedLines = 0;
  gRecorder.onFrameRecorded = CountFrame;
  ui::OnInterrupt(StopRecording);
  if (mode == kRecordTrigger) {
    RunTriggeredRecord();
    StopTriggeredRecord();
  } else {
    RunIntervalRecord();
  }
  ui::OnInterrupt(nullptr);
  gRecorder.onFrameRecorded = nullptr;
  if (gProgress.show && gProgress.frames) std::fputc('\n', stderr);

  int status = CommandOutcome(dialogs);
  if (status == kExitDone && gRecorder.failedLines) {
    std::fprintf(stderr, "%u of %u lines could not be written to %s\n", gRecorder.failedLines,
                 gProgress.frames, cl.file.c_str());
    return kExitUsageError;
  }
  return status;
}
