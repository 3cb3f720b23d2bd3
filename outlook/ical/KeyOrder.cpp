#include "outlook/ical/KeyOrder.h"

#include <algorithm>
#include <array>
#include <bit>

namespace lumivane::ical {
namespace {

// A double's bits turned into an unsigned number of the same order.
std::uint64_t OrderedBits(double key) {
  const auto bits = std::bit_cast<std::uint64_t>(key == 0 ? 0.0 : key);
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

struct Keyed {
  std::uint64_t key;
  std::uint32_t place;
};

}  // namespace

std::vector<std::uint32_t> StableKeyOrder(std::span<const double> keys, bool descending) {
  std::vector<Keyed> items(keys.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    const std::uint64_t bits = OrderedBits(keys[i]);
    items[i] = {descending ? ~bits : bits, i};
  }
  // One stable counting pass per byte, the lowest first; a byte that all
  // keys share costs no pass.
  std::vector<Keyed> sorted(items.size());
  for (int shift = 0; shift < 64; shift += 8) {
    std::array<std::uint32_t, 257> starts{};
    for (const Keyed& item : items) ++starts[((item.key >> shift) & 0xFF) + 1];
    if (std::any_of(starts.begin() + 1, starts.end(),
                    [&](std::uint32_t count) { return count == items.size(); })) {
      continue;
    }
    for (std::size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
    for (const Keyed& item : items) sorted[starts[(item.key >> shift) & 0xFF]++] = item;
    items.swap(sorted);
  }
  std::vector<std::uint32_t> order(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].place;
  return order;
}

}  // namespace lumivane::ical
