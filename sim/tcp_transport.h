// The sensor as a TCP server (the way its control unit offers it on the network): one
// client at a time, a new client replaces the old one. Runs its own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "sim/link_session.h"
#include "sim/poll_wait.h"
#include "sim/sensor.h"

namespace sim {

class TcpTransport {
 public:
  explicit TcpTransport(Sensor& sensor);
  ~TcpTransport();
  TcpTransport(const TcpTransport&) = delete;
  TcpTransport& operator=(const TcpTransport&) = delete;

  // Port 0 takes any free port; Port() tells which.
  bool Start(uint16_t port = 0, const std::string& bindAddr = "127.0.0.1");
  uint16_t Port() const { return port_; }
  void Stop();

  int ConnectionsAccepted() const { return accepted_; }
  bool ClientConnected() const { return connected_; }

 private:
  void Run();
  void Accept(Clock::time_point now);
  void DropClient();
  void ReadClient(Clock::time_point now);
  void WriteDue(Clock::time_point now);

  Sensor& sensor_;
  Waker waker_;
  int listenFd_ = -1;
  int clientFd_ = -1;
  bool blocked_ = false;  // the socket's send buffer is full
  uint16_t port_ = 0;
  std::atomic<bool> running_{false};
  std::atomic<int> accepted_{0};
  std::atomic<bool> connected_{false};
  std::unique_ptr<LinkSession> session_;
  std::thread thread_;
};

}  // namespace sim
