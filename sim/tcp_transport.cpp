#include "sim/tcp_transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace sim {

TcpTransport::TcpTransport(Sensor& sensor) : sensor_(sensor) {}

TcpTransport::~TcpTransport() {
  Stop();
}

bool TcpTransport::Start(uint16_t port, const std::string& bindAddr) {
  if (running_) return false;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (inet_pton(AF_INET, bindAddr.c_str(), &addr.sin_addr) != 1) return false;

  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return false;
  const int on = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  socklen_t len = sizeof addr;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listenFd_, 4) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  port_ = ntohs(addr.sin_port);
  running_ = true;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void TcpTransport::Stop() {
  if (!running_.exchange(false)) return;
  waker_.Wake();
  thread_.join();
  DropClient();
  close(listenFd_);
  listenFd_ = -1;
}

void TcpTransport::DropClient() {
  session_.reset();
  if (clientFd_ >= 0) close(clientFd_);
  clientFd_ = -1;
  blocked_ = false;
  connected_ = false;
}

void TcpTransport::Accept(Clock::time_point) {
  const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  DropClient();
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  clientFd_ = fd;
  session_ = std::make_unique<LinkSession>(sensor_);
  ++accepted_;
  connected_ = true;
}

void TcpTransport::ReadClient(Clock::time_point now) {
  std::array<uint8_t, 4096> buffer{};
  const ssize_t n = recv(clientFd_, buffer.data(), buffer.size(), 0);
  if (n > 0) {
    session_->Receive(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(n)), now);
  } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
    DropClient();  // the client went away
  }
}

void TcpTransport::WriteDue(Clock::time_point now) {
  while (session_) {
    session_->Poll(now);
    const LinkSession::Due due = session_->DueOutput(now);
    if (!due.ready) return;
    if (due.hangUp) {
      DropClient();
      return;
    }
    size_t sent = 0;
    if (!due.bytes.empty()) {
      const ssize_t n = send(clientFd_, due.bytes.data(), due.bytes.size(), MSG_NOSIGNAL);
      if (n < 0 && errno != EAGAIN && errno != EINTR) {
        DropClient();
        return;
      }
      sent = n > 0 ? static_cast<size_t>(n) : 0;
    }
    session_->Wrote(sent, now);
    blocked_ = sent < due.bytes.size();
    if (blocked_) return;
  }
}

void TcpTransport::Run() {
  UsePreciseTimers();
  while (running_) {
    const Clock::time_point now = Clock::now();
    if (session_) WriteDue(now);

    std::optional<Clock::time_point> deadline = session_ ? session_->NextWakeup() : std::nullopt;
    if (blocked_) {
      // POLLOUT says when the socket takes more; until then only other events count.
      const auto later = Clock::now() + std::chrono::milliseconds(100);
      if (!deadline || *deadline < later) deadline = later;
    }
    std::array<pollfd, 3> fds{{{waker_.Fd(), POLLIN, 0}, {listenFd_, POLLIN, 0}, {-1, 0, 0}}};
    if (clientFd_ >= 0) {
      fds[2].fd = clientFd_;
      fds[2].events = static_cast<short>(POLLIN | (blocked_ ? POLLOUT : 0));
    }
    if (WaitFor(fds, deadline) <= 0) continue;
    const Clock::time_point woke = Clock::now();
    if (fds[0].revents & POLLIN) waker_.Drain();
    if (fds[1].revents & POLLIN) Accept(woke);
    if (clientFd_ >= 0 && fds[2].fd == clientFd_ &&
        (fds[2].revents & (POLLIN | POLLHUP | POLLERR))) {
      ReadClient(woke);
    }
  }
}

}  // namespace sim
