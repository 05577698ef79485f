#include "sim/pty_transport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>

namespace sim {
namespace {

constexpr auto kSpinWindow = std::chrono::microseconds(200);

long SpeedToBaud(speed_t speed) {
  switch (speed) {
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return -1;
  }
}

// Points `link` at `target`, replacing what was there in one step.
bool PlaceSymlink(const std::string& link, const std::string& target) {
  const std::string temp = link + ".new";
  unlink(temp.c_str());
  if (symlink(target.c_str(), temp.c_str()) != 0) return false;
  if (rename(temp.c_str(), link.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

PtyTransport::PtyTransport(Sensor& sensor) : sensor_(sensor) {}

PtyTransport::~PtyTransport() {
  Stop();
}

bool PtyTransport::OpenPty() {
  masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (masterFd_ < 0) return false;
  std::array<char, 128> name{};
  if (grantpt(masterFd_) != 0 || unlockpt(masterFd_) != 0 ||
      ptsname_r(masterFd_, name.data(), name.size()) != 0) {
    ClosePty();
    return false;
  }
  slaveFd_ = open(name.data(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slaveFd_ < 0) {
    ClosePty();
    return false;
  }
  // Raw until the tool sets its own line settings: no echo, no line editing, no
  // translation of CR and LF, all eight bits.
  termios settings{};
  tcgetattr(slaveFd_, &settings);
  cfmakeraw(&settings);
  cfsetispeed(&settings, B115200);
  cfsetospeed(&settings, B115200);
  tcsetattr(slaveFd_, TCSANOW, &settings);
  {
    std::lock_guard lock(pathMutex_);
    slavePath_ = name.data();
  }
  if (!linkPath_.empty() && !PlaceSymlink(linkPath_, name.data())) {
    ClosePty();
    return false;
  }
  return true;
}

void PtyTransport::ClosePty() {
  if (slaveFd_ >= 0) close(slaveFd_);
  if (masterFd_ >= 0) close(masterFd_);
  slaveFd_ = masterFd_ = -1;
  blocked_ = false;
}

bool PtyTransport::Start(const std::string& symlinkPath) {
  if (running_) return false;
  linkPath_ = symlinkPath;
  if (!OpenPty()) return false;
  session_ = std::make_unique<LinkSession>(sensor_);
  running_ = true;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void PtyTransport::Stop() {
  if (!running_.exchange(false)) return;
  waker_.Wake();
  thread_.join();
  session_.reset();
  ClosePty();
  if (!linkPath_.empty()) {
    std::array<char, PATH_MAX> target{};
    const ssize_t n = readlink(linkPath_.c_str(), target.data(), target.size() - 1);
    if (n > 0 && std::string(target.data(), static_cast<size_t>(n)) == SlavePath()) {
      unlink(linkPath_.c_str());
    }
  }
}

std::string PtyTransport::SlavePath() const {
  std::lock_guard lock(pathMutex_);
  return slavePath_;
}

LinkSession::PacingStats PtyTransport::Pacing() const {
  std::lock_guard lock(statsMutex_);
  return pacing_;
}

void PtyTransport::SetPacingBaud(long baud) {
  pacingBaud_ = baud > 0 ? baud : 0;
  waker_.Wake();
}

bool PtyTransport::LineSpeedMatches() const {
  termios settings{};
  // The master reports the line settings the tool gave the slave side.
  if (tcgetattr(masterFd_, &settings) != 0) return true;
  const long expected =
      pacingBaud_ > 0 ? pacingBaud_.load() : kBaudRates[static_cast<size_t>(sensor_.BaudIndex())];
  return SpeedToBaud(cfgetispeed(&settings)) == expected;
}

void PtyTransport::ReadMaster(Clock::time_point now) {
  std::array<uint8_t, 4096> buffer{};
  const ssize_t n = read(masterFd_, buffer.data(), buffer.size());
  if (n <= 0) return;
  if (speedCheck_ && !LineSpeedMatches()) {
    lostToSpeed_ += static_cast<uint64_t>(n);
    return;
  }
  session_->Receive(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(n)), now);
}

void PtyTransport::HangUp(Clock::time_point now) {
  // The tool sees its port vanish. The new pseudo-terminal is behind the symlink before
  // the old one closes, so that a tool reopening at once finds it.
  const int oldMaster = masterFd_;
  const int oldSlave = slaveFd_;
  masterFd_ = slaveFd_ = -1;
  session_.reset();
  const bool reopened = OpenPty();
  ++hangUps_;
  close(oldSlave);
  close(oldMaster);
  if (reopened) {
    session_ = std::make_unique<LinkSession>(sensor_);
    session_->SetByteTime(ByteTime(appliedBaud_));
    session_->HungUp(now);
  }
}

void PtyTransport::WriteDue(Clock::time_point now) {
  while (session_) {
    session_->Poll(now);
    const LinkSession::Due due = session_->DueOutput(now);
    if (!due.ready) return;
    if (due.hangUp) {
      HangUp(now);
      return;
    }
    // The sensor talks at the new rate once this reply is out; say so before the tool can
    // see the reply's last byte.
    if (due.baudAfter > 0 && pacingBaud_ > 0) pacingBaud_ = due.baudAfter;
    size_t sent = 0;
    if (!due.bytes.empty()) {
      const ssize_t n = write(masterFd_, due.bytes.data(), due.bytes.size());
      sent = n > 0 ? static_cast<size_t>(n) : 0;
    }
    session_->Wrote(sent, Clock::now());
    if (sent > 0 && appliedBaud_ > 0) {
      std::lock_guard lock(statsMutex_);
      pacing_ = session_->Pacing();
    }
    if (pacingBaud_ != appliedBaud_) {
      appliedBaud_ = pacingBaud_;
      session_->SetByteTime(ByteTime(appliedBaud_));
    }
    blocked_ = sent < due.bytes.size();
    if (blocked_ || sent == 0) return;
  }
}

void PtyTransport::Run() {
  UsePreciseTimers();
  while (running_) {
    if (session_ && pacingBaud_ != appliedBaud_) {
      appliedBaud_ = pacingBaud_;
      session_->SetByteTime(ByteTime(appliedBaud_));
    }
    const Clock::time_point now = Clock::now();
    if (session_) WriteDue(now);

    std::optional<Clock::time_point> deadline = session_ ? session_->NextWakeup() : std::nullopt;
    if (auto frameEnd = session_ ? session_->NextFrameEnd() : std::nullopt; frameEnd && !blocked_) {
      // A sleep may end tens of microseconds late: sleep to just before the last byte of
      // a frame is due and spin the rest, so that the frame is complete on time.
      if (*frameEnd - Clock::now() <= kSpinWindow) {
        while (Clock::now() < *frameEnd) {
        }
        continue;
      }
      if (deadline && *deadline >= *frameEnd) deadline = *frameEnd - kSpinWindow;
    }
    if (blocked_) {
      const auto later = Clock::now() + std::chrono::milliseconds(20);
      if (!deadline || *deadline < later) deadline = later;
    }
    std::array<pollfd, 2> fds{{{waker_.Fd(), POLLIN, 0}, {masterFd_, 0, 0}}};
    if (masterFd_ >= 0) fds[1].events = static_cast<short>(POLLIN | (blocked_ ? POLLOUT : 0));
    if (WaitFor(fds, deadline) <= 0) continue;
    if (fds[0].revents & POLLIN) waker_.Drain();
    if (masterFd_ >= 0 && (fds[1].revents & POLLIN)) ReadMaster(Clock::now());
  }
}

}  // namespace sim
