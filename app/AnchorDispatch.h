#pragma once
// What a click on a link of the display does, for targets the label does not
// open itself (web and mail addresses).
#include <string_view>

namespace lumivane {

enum class AnchorAction {
  None,          // any other target
  ShowCalendar,  // "Calendar", exactly
  ShowTasks,     // "Tasks", exactly
  OpenItem,      // "outlook:" and an item's identifier, the prefix in any case
};

AnchorAction ClassifyAnchor(std::string_view target);

}  // namespace lumivane
