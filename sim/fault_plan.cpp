#include "sim/fault_plan.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace sim {
namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 9> kNames{{
    {Fault::Silence, "silence"},
    {Fault::BadHeaderCrc, "badheadercrc"},
    {Fault::BadDataCrc, "baddatacrc"},
    {Fault::Pieces, "pieces"},
    {Fault::Garbage, "garbage"},
    {Fault::CloseConnection, "close"},
    {Fault::Status1, "status1"},
    {Fault::Status2, "status2"},
    {Fault::Oversize, "oversize"},
}};

bool Matches(int entryOrder, uint8_t order) {
  return entryOrder == kAnyOrder || entryOrder == order;
}

}  // namespace

std::string_view FaultName(Fault f) {
  for (const auto& [fault, name] : kNames) {
    if (fault == f) return name;
  }
  return "?";
}

std::optional<Fault> FaultFromName(std::string_view name) {
  std::string lower;
  for (char c : name) {
    if (c != '-' && c != '_')
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  for (const auto& [fault, known] : kNames) {
    if (known == lower) return fault;
  }
  return std::nullopt;
}

void FaultPlan::Add(Fault f, int order, int count, int after) {
  if (count == 0) return;
  entries_.push_back({f, order, count < 0 ? kUntilCleared : count, after < 0 ? 0 : after});
}

FaultSet FaultPlan::Take(uint8_t order) {
  FaultSet set;
  for (auto& e : entries_) {
    if (!Matches(e.order, order) || set.Has(e.fault)) continue;
    if (e.spare > 0) {
      --e.spare;
      continue;
    }
    set.Add(e.fault);
    if (e.remaining > 0) --e.remaining;
  }
  std::erase_if(entries_, [](const Entry& e) { return e.remaining == 0; });
  return set;
}

void CountPlan::Add(uint16_t count, int order, int times) {
  if (times == 0) return;
  entries_.push_back({count, order, times < 0 ? kUntilCleared : times});
}

std::optional<uint16_t> CountPlan::Take(uint8_t order) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (!Matches(it->order, order)) continue;
    const uint16_t count = it->count;
    if (it->remaining > 0 && --it->remaining == 0) entries_.erase(it);
    return count;
  }
  return std::nullopt;
}

}  // namespace sim
