#include "app/AnchorDispatch.h"

#include "base/AsciiCase.h"

namespace lumivane {

AnchorAction ClassifyAnchor(std::string_view target) {
  if (target == "Calendar") return AnchorAction::ShowCalendar;
  if (target == "Tasks") return AnchorAction::ShowTasks;
  if (StartsWithTextAscii(target, "outlook:")) return AnchorAction::OpenItem;
  return AnchorAction::None;
}

}  // namespace lumivane
