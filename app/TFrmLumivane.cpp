#include "app/TFrmLumivane.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <limits>
#include <sys/stat.h>

#include "app/TCoolTrayIcon.h"
#include "display/DisplayImages.h"
#include "display/markup/TImageList.h"
#include "outlook/OutlookStore.h"
#include "platform/AppMessageBox.h"
#include "platform/Composition.h"

namespace lumivane {
namespace {

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

TFrmLumivane::TFrmLumivane(StartOptions options)
    : QWidget(nullptr,
              // No caption, no frame, no taskbar button.
              Qt::FramelessWindowHint | Qt::Tool),
      options_(std::move(options)) {
  setWindowTitle(QStringLiteral("Lumivane"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  CreateComponents();
  FormCreate();
}

TFrmLumivane::~TFrmLumivane() { FormDestroy(); }

void TFrmLumivane::CreateComponents() {
  LabelDisplay = new QWidget(this);
  LabelDisplay->setObjectName(QStringLiteral("LabelDisplay"));
  LabelDisplay->setAutoFillBackground(true);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(900000);
  connect(Timer1, &QTimer::timeout, this, &TFrmLumivane::Timer1Timer);
  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(400);

  ImageList1 = new TImageList(QSize(16, 16), this);
  ImageList3 = new TImageList(QSize(16, 16), this);
  TBImageList1 = new TImageList(QSize(16, 16), this);
  FillDisplayImages(*ImageList1);
  FillTrayImages(*ImageList3);
  FillMenuImages(*TBImageList1);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Refresh1 = PopupMenu1->addAction(QStringLiteral("&Refresh"), this, &TFrmLumivane::Refresh1Click);
  PopupMenu1->addSeparator();
  LockWindow1 = PopupMenu1->addAction(QStringLiteral("Lock &Window"));
  LockWindow1->setCheckable(true);
  PopupMenu1->addSeparator();
  Quit1 = PopupMenu1->addAction(QStringLiteral("&Quit"), this, &TFrmLumivane::Quit1Click);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });

  CoolTrayIcon1 = new TCoolTrayIcon(this);
  CoolTrayIcon1->SetHint(QStringLiteral("Lumivane"));
  CoolTrayIcon1->SetIcons(ImageList3);
  CoolTrayIcon1->SetPopupMenu(PopupMenu1);
}

void TFrmLumivane::FormCreate() {
  if (!OutlookIsRegistered()) {
    // The rest of creation still runs (the settings are saved at the end);
    // the queued quit comes before the deferred start-up, which never runs.
    outlookMissing_ = true;
    AppMessageBox(QStringLiteral("This program requires Microsoft Outlook installed") +
                      QStringLiteral("\n\n") + QString::fromStdString(OutlookStoreHint()),
                  QStringLiteral("Lumivane"), MessageKind::Error, QMessageBox::Ok);
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  }
  pinState = PinState::AtBottom;
  LoadSettings();
  if (CompositionEnabled()) settings.UseVistaPin = true;
  PinnedMode = settings.UseVistaPin;
  ApplyBackgroundColor();
  if (!options_.hidden) CoolTrayIcon1->Show();
  QCoreApplication::postEvent(this, new QEvent(WM_DEFERRED_START));
  ApplyBackgroundColor();
}

void TFrmLumivane::LoadSettings() {
  LoadContext context;
  context.compositionEnabled = CompositionEnabled();
  context.languagesFolder = options_.languagesFolder;
  context.fileExists = FileExists;
  LoadResult loaded = lumivane::LoadSettings(ReadSettingsFile(options_.settingsPath), context);
  // A value of the wrong kind is reported, takes its default, and start-up goes on.
  for (const std::string& error : loaded.errors) ShowApplicationError(QString::fromStdString(error));

  settings = loaded.stored.settings;
  ApplyRefreshInterval();
  LockWindow1->setChecked(loaded.stored.LockWindow);
  displayFontBase_ = loaded.stored.DisplayFont ? DecodeLogFont(*loaded.stored.DisplayFont)
                                                : BuiltInDisplayFont();
  displayFont_ = FontFromLogFont(displayFontBase_);
  Language1.LanguageFile = loaded.stored.LanguageFile;
}

StoredSettings TFrmLumivane::CollectSettings() const {
  StoredSettings stored;
  stored.settings = settings;
  stored.LockWindow = LockWindow1->isChecked();
  // The stored bytes stay as they were unless the font itself was changed.
  const LogFont font = FontFromLogFont(displayFontBase_) == displayFont_
                           ? displayFontBase_
                           : LogFontFromFont(displayFont_, displayFontBase_);
  stored.DisplayFont = EncodeLogFont(font);
  stored.LanguageFile = Language1.LanguageFile;
  stored.WindowTop = y();
  stored.WindowLeft = x();
  return stored;
}

bool TFrmLumivane::SaveSettings(bool interactive) {
  try {
    WriteSettingsFile(options_.settingsPath, CollectSettings());
    return true;
  } catch (const std::exception& e) {
    if (interactive) {
      ShowApplicationError(QString::fromStdString(e.what()));
    } else {
      std::fprintf(stderr, "lumivane: %s\n", e.what());
    }
    return false;
  }
}

void TFrmLumivane::ApplyBackgroundColor() {
  QPalette palette = LabelDisplay->palette();
  palette.setColor(QPalette::Window, ToQColor(settings.BackGroundColor));
  LabelDisplay->setPalette(palette);
}

void TFrmLumivane::ApplyRefreshInterval() {
  const qint64 unit = settings.RefreshType != 0 ? 3600000 : 60000;
  const qint64 interval = static_cast<qint64>(settings.RefreshEvery) * unit;
  if (interval <= 0) {
    Timer1->stop();
    return;
  }
  // A QTimer interval is an int: 300 hours (1,080,000,000 ms) still fits.
  const int ms = static_cast<int>(std::min<qint64>(interval, std::numeric_limits<int>::max()));
  if (Timer1->isActive() && Timer1->interval() == ms) return;
  Timer1->start(ms);
}

void TFrmLumivane::RefreshDisplay() {
  // The composer fills the display here.
  if (LabelDisplay->size().isEmpty()) resize(200, 60);
  LabelDisplay->setGeometry(rect());
}

void TFrmLumivane::DeferredStart() {
  if (outlookMissing_) return;
  RefreshDisplay();
  showNormal();
  raise();
  RestoringPosition = true;
  RestoreWindowPosition();
  RestoringPosition = false;
  repaint();
}

void TFrmLumivane::RestoreWindowPosition() {
  const RegistryFile store = ReadSettingsFile(options_.settingsPath);
  const int top = static_cast<std::int32_t>(store.ReadDword("WindowTop").value_or(1));
  int left = static_cast<std::int32_t>(store.ReadDword("WindowLeft").value_or(1));
  move(x(), top);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int virtualWidth = screen ? screen->virtualGeometry().width() : 0;
  if (virtualWidth > 0 && left + width() > virtualWidth) left = virtualWidth - width();
  move(left, top);
}

bool TFrmLumivane::event(QEvent* e) {
  if (e->type() == WM_DEFERRED_START) {
    DeferredStart();
    return true;
  }
  return QWidget::event(e);
}

void TFrmLumivane::closeEvent(QCloseEvent* e) {
  // The last save happens here, where an error can still be shown.
  if (!destroyed_) {
    destroyed_ = true;
    SaveSettings(true);
  }
  e->accept();
  QCoreApplication::quit();
}

void TFrmLumivane::Refresh1Click() { RefreshDisplay(); }

void TFrmLumivane::Timer1Timer() { RefreshDisplay(); }

void TFrmLumivane::Quit1Click() { close(); }

void TFrmLumivane::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  SaveSettings(false);
}

}  // namespace lumivane
