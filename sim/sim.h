// Everything a test or a program needs to run the virtual sensor in-process.
#pragma once

#include "sim/pty_transport.h"  // IWYU pragma: export
#include "sim/sensor.h"         // IWYU pragma: export
#include "sim/tcp_transport.h"  // IWYU pragma: export
