#pragma once
// libical's process-wide settings, made once before its first use: its errors
// must not abort the program (its fatal mode would end it on a bad file).

namespace lumivane::ical {

void EnsureIcalLibraryReady();

}  // namespace lumivane::ical
