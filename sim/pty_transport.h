// The sensor on a serial line, played through a pseudo-terminal: the tool opens the
// slave side (or a symlink to it) as its serial port. Optionally paces the bytes as a
// real line at the set baud rate would, and checks that the tool runs the line at the
// sensor's rate. Runs its own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/link_session.h"
#include "sim/poll_wait.h"
#include "sim/sensor.h"

namespace sim {

class PtyTransport {
 public:
  explicit PtyTransport(Sensor& sensor);
  ~PtyTransport();
  PtyTransport(const PtyTransport&) = delete;
  PtyTransport& operator=(const PtyTransport&) = delete;

  // With a symlink path, a symlink there points at the slave (and follows it when a
  // hang-up re-creates the pseudo-terminal).
  bool Start(const std::string& symlinkPath = "");
  std::string SlavePath() const;
  // Pace at this baud rate; 0 writes at once. A baud-rate order moves the pace along.
  void SetPacingBaud(long baud);
  long PacingBaud() const { return pacingBaud_; }
  // Bytes that arrive while the tool's side of the line runs at another rate than the
  // sensor's are lost, as on a real line.
  void SetLineSpeedCheck(bool on) { speedCheck_ = on; }
  void Stop();

  int HangUps() const { return hangUps_; }
  LinkSession::PacingStats Pacing() const;
  uint64_t BytesLostToSpeed() const { return lostToSpeed_; }

 private:
  bool OpenPty();
  void ClosePty();
  void Run();
  void ReadMaster(Clock::time_point now);
  void WriteDue(Clock::time_point now);
  void HangUp(Clock::time_point now);
  bool LineSpeedMatches() const;

  Sensor& sensor_;
  Waker waker_;
  std::string linkPath_;
  mutable std::mutex pathMutex_;
  std::string slavePath_;
  int masterFd_ = -1;
  int slaveFd_ = -1;  // kept open so the master never sees a hang-up between clients
  bool blocked_ = false;
  std::atomic<long> pacingBaud_{0};
  long appliedBaud_ = 0;
  std::atomic<bool> speedCheck_{false};
  std::atomic<bool> running_{false};
  std::atomic<int> hangUps_{0};
  std::atomic<uint64_t> lostToSpeed_{0};
  std::unique_ptr<LinkSession> session_;
  mutable std::mutex statsMutex_;
  LinkSession::PacingStats pacing_;
  std::thread thread_;
};

}  // namespace sim
