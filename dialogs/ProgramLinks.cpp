#include "dialogs/ProgramLinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifndef LUMIVANE_WEB_SITE
#define LUMIVANE_WEB_SITE ""
#endif
#ifndef LUMIVANE_DONATION_URL
#define LUMIVANE_DONATION_URL ""
#endif

namespace lumivane {

ProgramLinks ProgramLinks::Configured() {
  ProgramLinks links;
  links.webSite = QStringLiteral(LUMIVANE_WEB_SITE);
  links.donation = QStringLiteral(LUMIVANE_DONATION_URL);
  // Beside the program (a build folder), else where an installed program
  // keeps its data, as with the Languages folder.
  const QString folder = QCoreApplication::applicationDirPath();
  const QString beside = folder + QStringLiteral("/EULA.TXT");
  links.licenceFile = QFileInfo(beside).isFile()
                          ? beside
                          : QDir::cleanPath(folder + QStringLiteral("/../share/lumivane/EULA.TXT"));
  links.open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  return links;
}

void ProgramLinks::OpenWebSite(const QString& address) const {
  // The link's own text is the address; one without a scheme is a web address.
  const QUrl url = QUrl::fromUserInput(address.trimmed());
  if (url.isValid() && open) open(url);
}

void ProgramLinks::OpenDonation() const {
  if (!donation.isEmpty()) OpenWebSite(donation);
}

void ProgramLinks::OpenLicence() const {
  if (open) open(QUrl::fromLocalFile(licenceFile));
}

}  // namespace lumivane
