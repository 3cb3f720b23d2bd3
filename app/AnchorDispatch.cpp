#include "app/AnchorDispatch.h"

namespace lumivane {
namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithAsciiNoCase(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (size_t i = 0; i < upperPrefix.size(); ++i) {
    if (AsciiUpper(text[i]) != upperPrefix[i]) return false;
  }
  return true;
}

}  // namespace

AnchorAction ClassifyAnchor(std::string_view target) {
  if (target == "Calendar") return AnchorAction::ShowCalendar;
  if (target == "Tasks") return AnchorAction::ShowTasks;
  if (StartsWithAsciiNoCase(target, "OUTLOOK:")) return AnchorAction::OpenItem;
  return AnchorAction::None;
}

}  // namespace lumivane
