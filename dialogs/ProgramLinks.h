#pragma once
// The addresses the welcome and About windows open: the web site, the
// donation page and the licence notice beside the program. The two addresses
// come from the build's configuration; an empty one hides its links.
#include <QString>
#include <QUrl>
#include <functional>

namespace lumivane {

struct ProgramLinks {
  QString webSite;
  QString donation;
  QString licenceFile;
  // Opens an address or a file with the user's default program; a failure
  // is not reported. Tests replace it.
  std::function<void(const QUrl&)> open;

  // The configured addresses, EULA.TXT beside the program or in share/lumivane and the desktop's
  // opener.
  static ProgramLinks Configured();

  void OpenWebSite(const QString& address) const;
  void OpenDonation() const;
  void OpenLicence() const;
};

}  // namespace lumivane
