#include "outlook/ical/WindowsZoneNames.h"

#include <QByteArray>
#include <QTimeZone>

namespace lumivane::ical {

std::string OlsonNameOfWindowsZone(std::string_view windowsName) {
  // Qt carries CLDR's windowsZones table; no Qt type leaves this file.
  const QByteArray olson = QTimeZone::windowsIdToDefaultIanaId(
      QByteArray(windowsName.data(), static_cast<qsizetype>(windowsName.size())));
  return olson.toStdString();
}

}  // namespace lumivane::ical
