#include "dialogs/TFrmLumivaneAbout.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "LumivaneVersion.h"
#include "dialogs/AboutTexts.h"
#include "dialogs/DialogControls.h"
#include "dialogs/Pictures.h"
#include "dialogs/controls/PlaceNearTaskbar.h"
#include "dialogs/controls/TLinkLabel.h"
#include "platform/AppMessageBox.h"
#include "platform/SystemInfo.h"

namespace lumivane {
namespace {

// The window's width in the dialog's design; its height follows the texts.
constexpr int kClientWidth = 425;

QLabel* NewLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

AboutSources AboutSources::System(std::function<std::string()> serverVersion) {
  AboutSources sources;
  sources.serverVersion = std::move(serverVersion);
  sources.productVersion = kVersion;
  sources.osRelease = ReadOsRelease;
  sources.kernelRelease = KernelRelease;
  sources.memInfo = ReadMemInfo;
  sources.thousandSeparator = QLocale().groupSeparator();
  sources.reportError = [](const QString& text) { ShowApplicationError(text); };
  return sources;
}

TFrmLumivaneAbout::TFrmLumivaneAbout(AboutSources sources, ProgramLinks links, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)), links_(std::move(links)) {
  setWindowTitle(QStringLiteral("About"));
  SetFixedDialogFrame(this);
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  CreateComponents();
  FormCreate();
  ReadMemoryFigures();
  // A fixed size: the design's width, and the height its texts need in the
  // desktop's font with the links that are shown, once the lines are filled.
  setFixedSize(kClientWidth, layout()->totalHeightForWidth(kClientWidth));
}

void TFrmLumivaneAbout::CreateComponents() {
  ImgLogo = new QLabel(this);
  ImgLogo->setPixmap(LogoPicture());
  ImgLogo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  LblName = NewLabel(this, QStringLiteral("Lumivane"));
  QFont nameFont(QStringLiteral("Tahoma"), 12);
  nameFont.setBold(true);
  LblName->setFont(nameFont);
  // What the window shows when the lines cannot be filled.
  LblVersion = NewLabel(this, QStringLiteral("Version "));
  LblRights = NewLabel(this, QStringLiteral("Copyright © The Lumivane developers. "
                                            "Free software under the MIT License."));
  LblRights->setWordWrap(true);
  LblTrademark = NewLabel(this, QStringLiteral("Microsoft Outlook® is either a registered "
                                               "trademark or a trademark of Microsoft Corporation "
                                               "in the United States and/or other countries."));
  LblTrademark->setWordWrap(true);
  Label2 = NewLabel(this, QStringLiteral("Outlook version"));
  Label2->setWordWrap(true);
  LabelPlatform = NewLabel(this, QString());
  LabelPlatform->setWordWrap(true);
  LblMemory = NewLabel(this, QStringLiteral("Physical Memory Available: "));
  PhysMemory = NewLabel(this, QString());
  PhysMemory->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LblLoad = NewLabel(this, QStringLiteral("Memory Load:"));
  ValueLoad = NewLabel(this, QString());
  ValueLoad->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ImgDonate = MakeDonateButton(this);
  connect(ImgDonate, &QToolButton::clicked, this, [this] { links_.OpenDonation(); });
  LinkDonate = NewDonationLink(
      this, links_,
      QStringLiteral("Lumivane is freeware, however if you find it useful consider making a "
                     "<link>donation</link> to help support the continued development of the "
                     "software"));
  LinkWebSite = NewWebSiteLink(this, links_);
  BtnOK = new QPushButton(QStringLiteral("&OK"), this);
  // Default and cancel button: Enter and Escape both close the window.
  BtnOK->setDefault(true);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

  // No address configured: its links are not shown.
  ImgDonate->setVisible(!links_.donation.isEmpty());

  auto* texts = new QVBoxLayout;
  texts->setSpacing(4);
  texts->addWidget(LblName);
  texts->addWidget(LblVersion);
  texts->addWidget(LblRights);
  texts->addSpacing(4);
  texts->addWidget(LblTrademark);
  texts->addSpacing(4);
  texts->addWidget(Label2);
  texts->addWidget(LabelPlatform);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  texts->addWidget(rule);
  auto* memory = new QGridLayout;
  memory->setVerticalSpacing(2);
  memory->addWidget(LblMemory, 0, 0);
  memory->addWidget(PhysMemory, 0, 1);
  memory->addWidget(LblLoad, 1, 0);
  memory->addWidget(ValueLoad, 1, 1);
  texts->addLayout(memory);

  auto* top = new QHBoxLayout;
  top->setSpacing(12);
  top->addWidget(ImgLogo, 0, Qt::AlignTop);
  top->addLayout(texts, 1);

  auto* donate = new QHBoxLayout;
  donate->setSpacing(10);
  donate->addWidget(ImgDonate, 0, Qt::AlignVCenter);
  donate->addWidget(LinkDonate, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(LinkWebSite, 1, Qt::AlignVCenter);
  bottom->addStretch(0);
  bottom->addWidget(BtnOK);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  layout->addLayout(top);
  layout->addStretch(1);
  layout->addLayout(donate);
  layout->addLayout(bottom);
}

void TFrmLumivaneAbout::FormCreate() {
  // The server's version first: when it fails, the other lines keep their
  // first texts and the window still opens.
  try {
    const std::string serverVersion = sources_.serverVersion ? sources_.serverVersion() : "";
    Label2->setText(QStringLiteral("Microsoft Outlook® version ") +
                    QString::fromStdString(serverVersion));
    LblVersion->setText(QStringLiteral("Version ") +
                        QString::fromStdString(FormatProductVersion(sources_.productVersion)));
    const std::string osRelease = sources_.osRelease ? sources_.osRelease() : "";
    const std::string kernel = sources_.kernelRelease ? sources_.kernelRelease() : "";
    LabelPlatform->setText(
        QString::fromStdString(PlatformLine(OsReleasePrettyName(osRelease), kernel)));
  } catch (const std::exception& e) {
    if (sources_.reportError) sources_.reportError(QString::fromUtf8(e.what()));
  }
}

void TFrmLumivaneAbout::ReadMemoryFigures() {
  const std::string text = sources_.memInfo ? sources_.memInfo() : "";
  const auto status = ParseMemInfo(text);
  if (!status) {
    PhysMemory->clear();
    ValueLoad->clear();
    return;
  }
  PhysMemory->setText(QString::fromStdString(
      MemorySizeText(status->totalBytes, sources_.thousandSeparator.toStdString())));
  ValueLoad->setText(QString::fromStdString(MemoryLoadText(status->loadPercent)));
}

bool TFrmLumivaneAbout::event(QEvent* e) {
  // The memory figures are read again each time the window becomes active.
  if (e->type() == QEvent::WindowActivate) ReadMemoryFigures();
  return QDialog::event(e);
}

void TFrmLumivaneAbout::showEvent(QShowEvent* e) {
  PlaceNearTaskbar(this);
  QDialog::showEvent(e);
}

}  // namespace lumivane
