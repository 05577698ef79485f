// Waiting for file descriptors or a point in time, precise to microseconds, and the
// wake-up channel through which another thread interrupts that wait.
#pragma once

#include <poll.h>

#include <optional>
#include <span>

#include "sim/transmission.h"

namespace sim {

// ppoll until a descriptor is ready or the deadline passes (no deadline: wait for a
// descriptor). Returns ppoll's result.
int WaitFor(std::span<pollfd> fds, std::optional<Clock::time_point> deadline);

// Lets the calling thread sleep to the microsecond: the kernel otherwise may wake it
// some 50 us late to batch timers.
void UsePreciseTimers();

class Waker {
 public:
  Waker();
  ~Waker();
  Waker(const Waker&) = delete;
  Waker& operator=(const Waker&) = delete;

  int Fd() const { return fd_; }
  void Wake();
  void Drain();

 private:
  int fd_ = -1;
};

}  // namespace sim
