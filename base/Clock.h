#pragma once
#include "base/AutomationDate.h"

namespace lumivane {

// The current moment as a local automation date, to the millisecond. The one
// clock of the program: everything else takes the moment as a parameter.
AutomationDate Now();

}  // namespace lumivane
