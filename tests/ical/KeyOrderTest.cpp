#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "outlook/ical/KeyOrder.h"

namespace lumivane::ical {
namespace {

// What a stable comparison sort gives, the order the radix sort must match.
std::vector<std::uint32_t> ByStableSort(const std::vector<double>& keys, bool descending) {
  std::vector<std::uint32_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return descending ? keys[b] < keys[a] : keys[a] < keys[b];
  });
  return order;
}

TEST(KeyOrderTest, GivesTheOrderOfAStableSortBothWays) {
  std::mt19937 random(20261209);
  const std::vector<std::vector<double>> fixed = {
      {},
      {5},
      {0.0, -0.0, 0.0, -0.0},  // equal: kept as given
      {-1.75, -1.0, -2.5, 0.25, -0.0, 3e9, -3e9, 1e-300, -1e-300},
      {46000.5, 46000.5, 46000.25, 46000.5, 46000.25},
  };
  std::vector<std::vector<double>> cases = fixed;
  for (int n : {2, 3, 255, 256, 257, 1000, 10000}) {
    std::vector<double> keys(static_cast<std::size_t>(n));
    // Dates of a fortnight in quarter hours (many equal), importances and
    // counts (small integers), and values of every size and sign.
    std::uniform_int_distribution<int> quarter(0, 14 * 96);
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_real_distribution<double> wide(-1e12, 1e12);
    for (auto& key : keys) key = 46000 + quarter(random) / 96.0;
    cases.push_back(keys);
    for (auto& key : keys) key = small(random);
    cases.push_back(keys);
    for (auto& key : keys) key = wide(random);
    cases.push_back(keys);
  }
  for (const auto& keys : cases) {
    for (const bool descending : {false, true}) {
      EXPECT_EQ(StableKeyOrder(keys, descending), ByStableSort(keys, descending))
          << keys.size() << " keys, descending " << descending;
    }
  }
}

}  // namespace
}  // namespace lumivane::ical
