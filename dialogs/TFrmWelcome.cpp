#include "dialogs/TFrmWelcome.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/Pictures.h"
#include "dialogs/controls/TLinkLabel.h"

namespace lumivane {
namespace {

// The window's width in the dialog's design; its height follows the texts.
constexpr int kClientWidth = 349;

TLinkLabel* NewLinkLabel(QWidget* parent, const char* caption) {
  auto* label = new TLinkLabel(parent);
  label->SetCaption(QString::fromUtf8(caption));
  return label;
}

}  // namespace

TFrmWelcome::TFrmWelcome(ProgramLinks links, QWidget* parent)
    : QDialog(parent), links_(std::move(links)) {
  setWindowTitle(QStringLiteral("Welcome"));
  SetFixedDialogFrame(this);
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  CreateComponents();
}

void TFrmWelcome::CreateComponents() {
  LinkLicence = NewLinkLabel(this,
                             "<b>Licence:</b> Lumivane is free software under the MIT License. "
                             "Read the <link>licence notice</link> for its terms.");
  LinkLicence->OnLinkClick = [this](int, const QString&) { links_.OpenLicence(); };
  LinkPrivacy = NewLinkLabel(
      this,
      "<b>Privacy:</b> Lumivane contains absolutely no extra advertising add-ons or advertising "
      "systems of any kind. Lumivane will not send us or anyone any personal information about "
      "you or your system.");
  LinkNote = NewLinkLabel(
      this,
      "<b>Note:</b> Microsoft Outlook® is either a registered trademark or a trademark of "
      "Microsoft Corporation in the United States and/or other countries.");
  ImgDonate = MakeDonateButton(this);
  connect(ImgDonate, &QToolButton::clicked, this, [this] { links_.OpenDonation(); });
  LinkDonate = NewDonationLink(
      this, links_,
      QStringLiteral("Lumivane is FREEWARE, however if you find it useful consider making a "
                     "<link>donation</link> to help support the continued development of the "
                     "software"));
  LabelUpdates = new QLabel(QStringLiteral("For updates and resources on Lumivane visit :"), this);
  LinkWebSite = NewWebSiteLink(this, links_);
  CkDontShowAgain = new QCheckBox(QStringLiteral("Do not show this welcome screen again"), this);
  CkDontShowAgain->setChecked(false);
  BtnOK = new QPushButton(QStringLiteral("&OK"), this);
  BtnOK->setDefault(true);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  // The box takes the focus, so Space ticks it; Enter still means OK.
  CkDontShowAgain->setFocus();

  // No address configured: its links are not shown.
  ImgDonate->setVisible(!links_.donation.isEmpty());
  LabelUpdates->setVisible(!links_.webSite.isEmpty());

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(8);
  layout->addWidget(LinkLicence);
  layout->addWidget(LinkPrivacy);
  layout->addWidget(LinkNote);
  layout->addWidget(ImgDonate, 0, Qt::AlignHCenter);
  layout->addWidget(LinkDonate);
  auto* updates = new QVBoxLayout;
  updates->setSpacing(2);
  updates->addWidget(LabelUpdates);
  updates->addWidget(LinkWebSite);
  layout->addLayout(updates);
  layout->addStretch(1);
  layout->addWidget(CkDontShowAgain);
  layout->addWidget(BtnOK, 0, Qt::AlignHCenter);

  // A fixed size: the design's width, and the height its texts need in the
  // desktop's font with the links that are shown.
  setFixedSize(kClientWidth, layout->totalHeightForWidth(kClientWidth));
}

void TFrmWelcome::showEvent(QShowEvent* e) {
  // Centred on the screen (the window manager keeps a position set before mapping).
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(e);
}

bool RunWelcomeWindow(bool showWelcomeWindow, const ProgramLinks& links) {
  if (!showWelcomeWindow) return false;
  TFrmWelcome welcome(links);
  welcome.exec();
  return !welcome.CkDontShowAgain->isChecked();
}

}  // namespace lumivane
