#include "sim/link_session.h"

#include <algorithm>

namespace sim {
namespace {

// A request whose bytes stop coming for this long is given up, so that the next one is
// not taken for its missing data.
constexpr auto kPartialFrameTimeout = std::chrono::milliseconds(200);
// Frames the sensor sends on its own are dropped beyond this backlog (nobody reads them).
constexpr size_t kMaxQueuedChunks = 256;

}  // namespace

Clock::duration ByteTime(long baud) {
  if (baud <= 0) return {};
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / baud));
}

LinkSession::LinkSession(Sensor& sensor) : sensor_(sensor), session_(sensor.OpenSession()) {}

LinkSession::~LinkSession() {
  sensor_.CloseSession(session_);
}

void LinkSession::Receive(std::span<const uint8_t> bytes, Clock::time_point now) {
  if (bytes.empty()) return;
  const uint64_t first = parser_.Position();
  const Clock::time_point lineStart = std::max(now, rxLineFree_);
  parser_.Feed(bytes);
  rxLineFree_ = lineStart + byteTime_ * static_cast<long>(bytes.size());
  lastReceive_ = now;
  while (auto frame = parser_.Next()) {
    // The request is complete when its last byte has crossed the line.
    const auto bytesIn = static_cast<long>(frame->endPosition - first);
    const Clock::time_point arrived = lineStart + byteTime_ * bytesIn;
    Enqueue(sensor_.Handle(session_, frame->request, frame->dataCrcOk), arrived);
  }
}

void LinkSession::Poll(Clock::time_point now) {
  for (auto& tx : sensor_.TakeDue(session_, now)) {
    if (queue_.size() >= kMaxQueuedChunks) break;
    const Clock::time_point base = tx.notBefore;
    Enqueue(std::move(tx), base);
  }
  if (parser_.HasPartialFrame() && now - lastReceive_ >= kPartialFrameTimeout) parser_.Reset();
}

void LinkSession::Enqueue(Transmission tx, Clock::time_point base) {
  const Clock::time_point earliest = base + tx.delay;
  if (tx.closeLink) {
    queue_.push_back({{}, {}, earliest, true, 0});
    return;
  }
  if (tx.pieces.empty()) {
    // Silence; a change of line speed still takes effect.
    if (tx.baudAfter != 0) queue_.push_back({{}, {}, earliest, false, tx.baudAfter});
    return;
  }
  for (size_t i = 0; i < tx.pieces.size(); ++i) {
    Chunk c;
    c.bytes = std::move(tx.pieces[i].bytes);
    if (i == 0) {
      c.earliest = earliest;
    } else {
      c.gap = tx.pieces[i].gapBefore;
    }
    if (i + 1 == tx.pieces.size()) c.baudAfter = tx.baudAfter;
    queue_.push_back(std::move(c));
  }
}

Clock::time_point LinkSession::StartOf(const Chunk& c) const {
  if (frontStarted_) return frontStart_;
  return std::max(c.earliest, txLineFree_ + c.gap);
}

Clock::time_point LinkSession::DueOf(size_t index) const {
  // A byte is on the other side once its stop bit has gone.
  return frontStart_ + byteTime_ * static_cast<long>(index + 1);
}

std::optional<Clock::time_point> LinkSession::NextWakeup() const {
  std::optional<Clock::time_point> next = sensor_.NextDue(session_);
  auto consider = [&next](Clock::time_point t) { next = next ? std::min(*next, t) : t; };
  if (!queue_.empty()) {
    const Chunk& c = queue_.front();
    if (!frontStarted_) {
      consider(StartOf(c) + (c.bytes.empty() ? Clock::duration{} : byteTime_));
    } else {
      consider(DueOf(frontSent_));
    }
  }
  if (parser_.HasPartialFrame()) consider(lastReceive_ + kPartialFrameTimeout);
  return next;
}

std::optional<Clock::time_point> LinkSession::NextFrameEnd() const {
  if (byteTime_ <= Clock::duration{} || queue_.empty() || !frontStarted_) return std::nullopt;
  const Chunk& c = queue_.front();
  if (c.bytes.empty() || frontSent_ + 1 != c.bytes.size()) return std::nullopt;
  return DueOf(frontSent_);
}

LinkSession::Due LinkSession::DueOutput(Clock::time_point now) {
  Due due;
  if (queue_.empty()) return due;
  Chunk& c = queue_.front();
  if (!frontStarted_) {
    const Clock::time_point start = StartOf(c);
    if (start > now) return due;
    frontStarted_ = true;
    frontStart_ = start;
    frontSent_ = 0;
  }
  due.ready = true;
  if (c.hangUp) {
    due.hangUp = true;
    return due;
  }
  size_t count = c.bytes.size() - frontSent_;
  if (byteTime_ > Clock::duration{}) {
    count = 0;
    while (frontSent_ + count < c.bytes.size() && DueOf(frontSent_ + count) <= now) ++count;
  }
  due.bytes = std::span<const uint8_t>(c.bytes).subspan(frontSent_, count);
  if (frontSent_ + count == c.bytes.size()) due.baudAfter = c.baudAfter;
  return due;
}

long LinkSession::Wrote(size_t count, Clock::time_point now) {
  if (queue_.empty() || !frontStarted_) return 0;
  Chunk& c = queue_.front();
  if (byteTime_ > Clock::duration{}) {
    for (size_t i = frontSent_; i < frontSent_ + count; ++i) {
      const double late = std::chrono::duration<double, std::micro>(now - DueOf(i)).count();
      pacing_.bytes++;
      pacing_.sumLateUs += late;
      pacing_.maxLateUs = std::max(pacing_.maxLateUs, late);
      if (i + 1 == c.bytes.size()) {
        pacing_.frameEnds++;
        pacing_.sumFrameEndLateUs += late;
        pacing_.maxFrameEndLateUs = std::max(pacing_.maxFrameEndLateUs, late);
      }
    }
  }
  frontSent_ += count;
  if (frontSent_ < c.bytes.size()) return 0;
  txLineFree_ = byteTime_ > Clock::duration{} && !c.bytes.empty() ? DueOf(c.bytes.size() - 1) : now;
  const long baud = c.baudAfter;
  queue_.pop_front();
  frontStarted_ = false;
  frontSent_ = 0;
  return baud;
}

void LinkSession::HungUp(Clock::time_point now) {
  queue_.clear();
  frontStarted_ = false;
  frontSent_ = 0;
  parser_.Reset();
  txLineFree_ = now;
  rxLineFree_ = now;
}

}  // namespace sim
