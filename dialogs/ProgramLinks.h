#pragma once
// The addresses the welcome and About windows open: the web site, the
// donation page and the licence notice beside the program. The two addresses
// come from the build's configuration; an empty one hides its links.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace lumivane {

class TLinkLabel;

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

// The link labels the welcome and About windows share; `links` must live as
// long as the label. Each is hidden when its address is not configured.
// The web site's address as one link that opens it.
TLinkLabel* NewWebSiteLink(QWidget* parent, const ProgramLinks& links);
// A caption whose links open the donation page.
TLinkLabel* NewDonationLink(QWidget* parent, const ProgramLinks& links, const QString& caption);

}  // namespace lumivane
