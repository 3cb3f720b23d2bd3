#pragma once
// The category names that the items of the store carry, for the category
// editor's completion: read-only, nothing of the store changes.
#include <string>
#include <vector>

#include "outlook/ical/IcalStore.h"

namespace lumivane::ical {

// The names of every appointment (moved and changed occurrences included) and
// every task: case kept, each spelling once, sorted without regard to ASCII
// letter case (byte order between spellings that differ in case only).
std::vector<std::string> StoreCategoryNames(const StoreSnapshot& snapshot);

// The same for the store at a root; empty, without an error, when the store
// cannot be read.
std::vector<std::string> ReadStoreCategoryNames(const std::string& storeRoot);

}  // namespace lumivane::ical
