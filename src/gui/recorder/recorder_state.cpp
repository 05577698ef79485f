#include "gui/recorder/recorder_state.h"

RecorderState gRecorder;
