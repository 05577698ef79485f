#include "sim/poll_wait.h"

#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace sim {

int WaitFor(std::span<pollfd> fds, std::optional<Clock::time_point> deadline) {
  timespec timeout{};
  timespec* timeoutPtr = nullptr;
  if (deadline) {
    const auto left = std::max(Clock::duration{}, *deadline - Clock::now());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
    timeout.tv_nsec = static_cast<long>(ns % 1000000000);
    timeoutPtr = &timeout;
  }
  return ppoll(fds.data(), fds.size(), timeoutPtr, nullptr);
}

void UsePreciseTimers() {
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

Waker::Waker() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

Waker::~Waker() {
  if (fd_ >= 0) close(fd_);
}

void Waker::Wake() {
  const uint64_t one = 1;
  [[maybe_unused]] auto n = write(fd_, &one, sizeof one);
}

void Waker::Drain() {
  uint64_t value = 0;
  [[maybe_unused]] auto n = read(fd_, &value, sizeof value);
}

}  // namespace sim
