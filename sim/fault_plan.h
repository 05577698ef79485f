// Link faults the virtual sensor can be told to commit: per order code or for any order,
// for a number of replies or until cleared. The plan itself is not locked; the sensor
// that owns it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class Fault {
  Silence,
  BadHeaderCrc,
  BadDataCrc,
  Pieces,
  Garbage,
  CloseConnection,
  Status1,
  Status2,
  Oversize  // the header announces more data than any reply can carry
};

inline constexpr int kAnyOrder = -1;
inline constexpr int kUntilCleared = -1;

std::string_view FaultName(Fault f);
std::optional<Fault> FaultFromName(std::string_view name);  // as FaultName gives, any case

// The faults that one reply commits; each kind at most once.
class FaultSet {
 public:
  void Add(Fault f) { bits_ |= Bit(f); }
  bool Has(Fault f) const { return (bits_ & Bit(f)) != 0; }
  bool Empty() const { return bits_ == 0; }

 private:
  static unsigned Bit(Fault f) { return 1u << static_cast<unsigned>(f); }
  unsigned bits_ = 0;
};

class FaultPlan {
 public:
  // The fault spares the first `after` matching replies.
  void Add(Fault f, int order, int count, int after = 0);
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  // Consumes one use of every matching entry (the oldest of each kind) for a reply to
  // the given order.
  FaultSet Take(uint8_t order);

 private:
  struct Entry {
    Fault fault;
    int order;
    int remaining;
    int spare;
  };
  std::vector<Entry> entries_;
};

// A forced status word on the replies of the orders that report a plausibility count.
class CountPlan {
 public:
  void Add(uint16_t count, int order, int times);
  void Clear() { entries_.clear(); }
  std::optional<uint16_t> Take(uint8_t order);

 private:
  struct Entry {
    uint16_t count;
    int order;
    int remaining;
  };
  std::vector<Entry> entries_;
};

}  // namespace sim
