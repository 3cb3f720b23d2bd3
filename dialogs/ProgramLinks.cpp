#include "dialogs/ProgramLinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "dialogs/controls/TLinkLabel.h"

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

TLinkLabel* NewWebSiteLink(QWidget* parent, const ProgramLinks& links) {
  auto* label = new TLinkLabel(parent);
  label->SetCaption(QStringLiteral("<link>") + links.webSite.toHtmlEscaped() +
                    QStringLiteral("</link>"));
  label->OnLinkClick = [&links](int, const QString& text) { links.OpenWebSite(text); };
  label->setVisible(!links.webSite.isEmpty());
  return label;
}

TLinkLabel* NewDonationLink(QWidget* parent, const ProgramLinks& links, const QString& caption) {
  auto* label = new TLinkLabel(parent);
  label->SetCaption(caption);
  label->OnLinkClick = [&links](int, const QString&) { links.OpenDonation(); };
  label->setVisible(!links.donation.isEmpty());
  return label;
}

}  // namespace lumivane
