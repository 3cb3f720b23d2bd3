#include "outlook/ical/StoreCategories.h"

#include <algorithm>
#include <exception>

#include "base/AsciiCase.h"
#include "base/TextRoutines.h"

namespace lumivane::ical {

namespace {

// An item keeps its names joined with ", " (the reader's own separator).
void AddNames(std::string_view categories, std::vector<std::string>& names) {
  if (categories.empty()) return;
  for (std::string& name : SplitText(categories, ", ")) {
    if (!name.empty()) names.push_back(std::move(name));
  }
}

}  // namespace

std::vector<std::string> StoreCategoryNames(const StoreSnapshot& snapshot) {
  std::vector<std::string> names;
  for (const auto& source : snapshot.sources) {
    const RecordTexts& texts = source->content.texts;
    for (const Appointment& appointment : source->content.appointments) {
      AddNames(texts[appointment.categories], names);
      if (!appointment.series) continue;
      for (const Override& changed : appointment.series->overrides) {
        if (!changed.cancelled) AddNames(texts[changed.item.categories], names);
      }
    }
    for (const Task& task : source->content.tasks) AddNames(texts[task.categories], names);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if (LessTextAscii(a, b)) return true;
    if (LessTextAscii(b, a)) return false;
    return a < b;
  });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::vector<std::string> ReadStoreCategoryNames(const std::string& storeRoot) {
  try {
    IcalStore store(storeRoot);
    return StoreCategoryNames(*store.Refresh());
  } catch (const std::exception&) {
    // Completion is a help only: a store that cannot be read offers nothing.
    return {};
  }
}

}  // namespace lumivane::ical
