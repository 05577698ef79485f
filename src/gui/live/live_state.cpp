#include "gui/live/live_state.h"

LiveState gLive;
