#pragma once
// The About window: the program's version, the automation server's version,
// the operating system and the machine's memory, and the donation and web
// site links. The figures come through AboutSources, so tests can give their own.
#include <QDialog>
#include <functional>
#include <string>

#include "dialogs/ProgramLinks.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace lumivane {

class TLinkLabel;

struct AboutSources {
  // The automation server's version text; may throw.
  std::function<std::string()> serverVersion;
  // "major.minor.release.build".
  std::string productVersion;
  std::function<std::string()> osRelease;
  std::function<std::string()> kernelRelease;
  std::function<std::string()> memInfo;
  QString thousandSeparator;
  // The program's error report.
  std::function<void(const QString&)> reportError;

  // The running system, the build's version, the locale's separator and the
  // error box; the server's version is the caller's.
  static AboutSources System(std::function<std::string()> serverVersion);
};

class TFrmLumivaneAbout : public QDialog {
  Q_OBJECT

 public:
  TFrmLumivaneAbout(AboutSources sources, ProgramLinks links, QWidget* parent = nullptr);

  QLabel* ImgLogo = nullptr;
  QLabel* LblName = nullptr;
  QLabel* LblVersion = nullptr;
  QLabel* LblRights = nullptr;
  QLabel* LblTrademark = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* LabelPlatform = nullptr;
  QLabel* LblMemory = nullptr;
  QLabel* PhysMemory = nullptr;
  QLabel* LblLoad = nullptr;
  QLabel* ValueLoad = nullptr;
  QToolButton* ImgDonate = nullptr;
  TLinkLabel* LinkDonate = nullptr;
  TLinkLabel* LinkWebSite = nullptr;
  QPushButton* BtnOK = nullptr;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void CreateComponents();
  void FormCreate();
  void ReadMemoryFigures();

  AboutSources sources_;
  ProgramLinks links_;
};

}  // namespace lumivane
