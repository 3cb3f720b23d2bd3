#include "outlook/ical/IcalLibrary.h"

#include <libical/ical.h>

#include <mutex>

namespace lumivane::ical {

void EnsureIcalLibraryReady() {
  static std::once_flag once;
  std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

}  // namespace lumivane::ical
