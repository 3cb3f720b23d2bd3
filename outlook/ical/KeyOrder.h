#pragma once
// The order of a folder's matches by a number key (a date, a count). A
// comparison sort of ten thousand dates spends most of its time on branches
// it cannot predict; this radix sort makes no comparison and is linear in
// the count.
#include <cstdint>
#include <span>
#include <vector>

namespace lumivane::ical {

// The places of the keys in the order of their values, ascending or
// descending; equal keys keep the order they are given in (a stable sort).
// -0 and +0 are equal; keys are numbers, never NaN.
std::vector<std::uint32_t> StableKeyOrder(std::span<const double> keys, bool descending);

}  // namespace lumivane::ical
