#pragma once
// The welcome window of the first runs: the licence, privacy and trademark
// notes, the donation and web site links, and the box that stops it coming.
#include <QDialog>

#include "dialogs/ProgramLinks.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace lumivane {

class TLinkLabel;

class TFrmWelcome : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmWelcome(ProgramLinks links, QWidget* parent = nullptr);

  TLinkLabel* LinkLicence = nullptr;
  TLinkLabel* LinkPrivacy = nullptr;
  TLinkLabel* LinkNote = nullptr;
  QToolButton* ImgDonate = nullptr;
  TLinkLabel* LinkDonate = nullptr;
  QLabel* LabelUpdates = nullptr;
  TLinkLabel* LinkWebSite = nullptr;
  QCheckBox* CkDontShowAgain = nullptr;
  QPushButton* BtnOK = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void CreateComponents();

  ProgramLinks links_;
};

// The start-up's welcome step: when `showWelcomeWindow` is on, shows the
// window modally; returns the setting's new value, the negation of "Do not
// show this welcome screen again".
bool RunWelcomeWindow(bool showWelcomeWindow, const ProgramLinks& links);

}  // namespace lumivane
