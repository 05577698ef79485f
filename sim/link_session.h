// One conversation of the sensor over a link, shared by the transports: cuts requests
// out of the incoming bytes, asks the sensor for the answers and the frames it sends on
// its own, and keeps the outgoing bytes with the times at which they may leave. With a
// byte time set (a paced serial line) every byte leaves when a real line would have
// delivered it, and a request counts as arrived only after its own bytes crossed the line.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "sim/frame.h"
#include "sim/sensor.h"
#include "sim/transmission.h"

namespace sim {

// Ten bits a byte on an 8N1 line.
Clock::duration ByteTime(long baud);

class LinkSession {
 public:
  explicit LinkSession(Sensor& sensor);
  ~LinkSession();
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;

  void SetByteTime(Clock::duration byteTime) { byteTime_ = byteTime; }
  Clock::duration ByteTime() const { return byteTime_; }

  // Bytes read from the link at `now`.
  void Receive(std::span<const uint8_t> bytes, Clock::time_point now);
  // Takes the frames the sensor sends on its own and drops a request that stopped
  // arriving halfway.
  void Poll(Clock::time_point now);
  // When something is next to be done; nothing while the session only waits for bytes.
  std::optional<Clock::time_point> NextWakeup() const;
  // On a paced line, the due time of the byte that completes the current frame when it
  // is the next to go: the one byte whose lateness the other side notices.
  std::optional<Clock::time_point> NextFrameEnd() const;

  struct Due {
    bool ready = false;              // the next chunk has begun: call Wrote, even for no bytes
    std::span<const uint8_t> bytes;  // write these now
    bool hangUp = false;             // close the link now instead
    long baudAfter = 0;              // these bytes end a reply after which the line speed changes
  };
  Due DueOutput(Clock::time_point now);
  // Reports how many of the due bytes went out; returns a new line speed that takes
  // effect from now on, or 0.
  long Wrote(size_t count, Clock::time_point now);
  // After a hang-up the transport opens a new session for the next link.
  void HungUp(Clock::time_point now);

  bool OutputPending() const { return !queue_.empty(); }

  // How late paced bytes went out against the times a real line would deliver them; the
  // last byte of each frame apart, since it decides when the other side has the frame.
  struct PacingStats {
    uint64_t bytes = 0;
    double sumLateUs = 0;
    double maxLateUs = 0;
    uint64_t frameEnds = 0;
    double sumFrameEndLateUs = 0;
    double maxFrameEndLateUs = 0;
    double MeanLateUs() const { return bytes ? sumLateUs / static_cast<double>(bytes) : 0; }
    double MeanFrameEndLateUs() const {
      return frameEnds ? sumFrameEndLateUs / static_cast<double>(frameEnds) : 0;
    }
  };
  const PacingStats& Pacing() const { return pacing_; }
  uint64_t DiscardedBytes() const { return parser_.DiscardedBytes(); }

 private:
  struct Chunk {
    std::vector<uint8_t> bytes;
    Clock::duration gap{};  // after the previous chunk has left
    Clock::time_point earliest{};
    bool hangUp = false;
    long baudAfter = 0;
  };

  void Enqueue(Transmission tx, Clock::time_point base);
  Clock::time_point StartOf(const Chunk& c) const;
  Clock::time_point DueOf(size_t index) const;  // of byte `index` of the front chunk

  Sensor& sensor_;
  int session_;
  FrameParser parser_;
  Clock::duration byteTime_{};
  Clock::time_point rxLineFree_{};
  Clock::time_point lastReceive_{};
  Clock::time_point txLineFree_{};
  std::deque<Chunk> queue_;
  bool frontStarted_ = false;
  Clock::time_point frontStart_{};
  size_t frontSent_ = 0;
  PacingStats pacing_;
};

}  // namespace sim
