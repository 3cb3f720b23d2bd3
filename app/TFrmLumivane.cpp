#include "app/TFrmLumivane.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "app/DisplayLabelSetup.h"
#include "app/LabelRefreshAdapter.h"
#include "app/TCoolTrayIcon.h"
#include "base/FileIo.h"
#include "dialogs/ProgramLinks.h"
#include "dialogs/TFrmWelcome.h"
#include "display/DisplayImages.h"
#include "display/markup/THTMLabel.h"
#include "display/markup/TImageList.h"
#include "outlook/OutlookStore.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalServer.h"
#include "platform/AppMessageBox.h"
#include "platform/Composition.h"
#include "platform/DesktopWindow.h"
#include "platform/LocaleFormats.h"
#include "platform/SeeThrough.h"
#include "platform/StoreWatcher.h"
#include "platform/THotKeyManager.h"

namespace lumivane {

TFrmLumivane::TFrmLumivane(StartOptions options)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool), options_(std::move(options)) {
  setWindowTitle(QStringLiteral("Lumivane"));
  formats_ = SystemFormatSettings();
  CreateComponents();
  FormCreate();
}

TFrmLumivane::~TFrmLumivane() {
  FormDestroy();
}

void TFrmLumivane::CreateComponents() {
  ImageList1 = new TImageList(QSize(16, 16), this);
  ImageList3 = new TImageList(QSize(16, 16), this);
  TBImageList1 = new TImageList(QSize(16, 16), this);
  FillDisplayImages(*ImageList1);
  FillTrayImages(*ImageList3);
  FillMenuImages(*TBImageList1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(900000);
  connect(Timer1, &QTimer::timeout, this, &TFrmLumivane::Timer1Timer);
  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(400);
  connect(Timer2, &QTimer::timeout, this, &TFrmLumivane::Timer2Timer);

  CreatePopupMenu();

  LabelDisplay = new THTMLabel(this);
  LabelDisplay->setObjectName(QStringLiteral("LabelDisplay"));
  SetUpDisplayLabel(*LabelDisplay, ImageList1, PopupMenu1);
  LabelDisplay->OnAnchorClick = [this](const std::string& target) {
    LabelDisplayAnchorClick(target);
  };
  LabelDisplay->OnMouseDown = [this](Qt::MouseButton button, const QPoint& pos) {
    LabelDisplayMouseDown(button, pos);
  };
  LabelDisplay->installEventFilter(this);

  CoolTrayIcon1 = new TCoolTrayIcon(this);
  CoolTrayIcon1->SetHint(QStringLiteral("Lumivane"));
  CoolTrayIcon1->SetIcons(ImageList3);
  CoolTrayIcon1->SetPopupMenu(PopupMenu1);
  connect(CoolTrayIcon1, &TCoolTrayIcon::Clicked, this, &TFrmLumivane::H1Click);

  HotKeyManager1 = new THotKeyManager(this);
  connect(HotKeyManager1, &THotKeyManager::HotKeyPressed, this, &TFrmLumivane::Refresh1Click);

  auto store = std::make_shared<ical::IcalStore>(options_.storePath, ical::SnapshotCacheFolder());
  OutlookApplication1 = std::make_unique<TOutlookApplication>(
      MakeIcalServerFactory(store, formats_, launcher_), launcher_);

  storeWatcher_ = new StoreWatcher(this);
  connect(storeWatcher_, &StoreWatcher::Changed, this, &TFrmLumivane::RefreshDisplay);
  // A refresh looks only where the watcher saw the store change.
  store->SetChangeSource([watcher = storeWatcher_] { return watcher->TakeChanges(); });

  desk_ = new DesktopWindow(this);
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
  // Temporaries of a save that a kill interrupted are removed.
  RemoveStaleTemporaries(options_.settingsPath);
  const bool composition = CompositionEnabled();
  const LoadResult loaded = LoadSettingsFile(
      options_.settingsPath, MakeLoadContext(options_.languagesFolder, composition));
  // A value of the wrong kind is reported, takes its default, and start-up goes on.
  for (const std::string& error : loaded.errors)
    ShowApplicationError(QString::fromStdString(error));
  for (const std::string& warning : loaded.warnings) std::cerr << "lumivane: " << warning << "\n";
  settingsSeen_ = loaded.fileBytes;
  PinnedMode = loaded.stored.settings.UseVistaPin;
  // A translucent window needs its visual before it is first shown.
  seeThrough_ = new SeeThrough(this, composition);
  // The first refresh is the deferred start-up's.
  ApplySettings(loaded.stored, /*refresh=*/false);
  if (!options_.hidden) CoolTrayIcon1->Show();
  QCoreApplication::postEvent(this, new QEvent(WM_DEFERRED_START));
  AttachToDesktop();
  ApplyBackgroundColor();
  if (!outlookMissing_) storeWatcher_->Watch(QString::fromStdString(options_.storePath));
  WatchSettingsFile();
}

void TFrmLumivane::WatchSettingsFile() {
  if (!settingsWatcher_) {
    settingsWatcher_ = new QFileSystemWatcher(this);
    settingsSettle_ = new QTimer(this);
    settingsSettle_->setSingleShot(true);
    // An editor may write in steps; the file is read once it has settled.
    settingsSettle_->setInterval(300);
    connect(settingsSettle_, &QTimer::timeout, this, &TFrmLumivane::SettingsFileChanged);
    auto changed = [this] { settingsSettle_->start(); };
    connect(settingsWatcher_, &QFileSystemWatcher::fileChanged, this, changed);
    connect(settingsWatcher_, &QFileSystemWatcher::directoryChanged, this, changed);
  }
  // The folder too: a save by rename replaces the file the watch was on.
  const QString file = QString::fromStdString(options_.settingsPath);
  const QString folder = QFileInfo(file).absolutePath();
  if (!settingsWatcher_->directories().contains(folder) && QFileInfo(folder).isDir()) {
    settingsWatcher_->addPath(folder);
  }
  if (!settingsWatcher_->files().contains(file) && QFileInfo::exists(file)) {
    settingsWatcher_->addPath(file);
  }
}

void TFrmLumivane::SettingsFileChanged() {
  WatchSettingsFile();
  const LoadResult loaded = LoadSettingsFile(
      options_.settingsPath, MakeLoadContext(options_.languagesFolder, CompositionEnabled()));
  // Our own save, or a file that went away: nothing to take over.
  if (!loaded.fileBytes || loaded.fileBytes == settingsSeen_) return;
  settingsSeen_ = loaded.fileBytes;
  for (const std::string& error : loaded.errors) std::cerr << "lumivane: " << error << "\n";
  for (const std::string& warning : loaded.warnings) std::cerr << "lumivane: " << warning << "\n";
  // The pin mode stays what it was at start-up.
  ApplySettings(loaded.stored, /*refresh=*/true);
}

void TFrmLumivane::ApplySettings(const StoredSettings& next, bool refresh) {
  settings = next.settings;
  LockWindow1->setChecked(next.LockWindow);
  // The label's font and colours first: the background is the see-through key.
  displayFontBase_ = StoredDisplayFont(next);
  displayFontDamaged_ = next.DisplayFontDamaged;
  ApplyLoadedLook(*LabelDisplay, displayFontBase_, settings);
  ApplyBackgroundColor();
  if (ScreenBitsPerPixel() == 32) SetAlphaLevel(settings.AlphaLevel);
  Language1.LanguageFile = next.LanguageFile;
  ApplyRefreshInterval();
  ApplyRefreshHotKey();
  if (!refresh) return;
  // A refresh held back by the full-screen rule leaves the picture as it was,
  // but in the new background colour: its see-through shape must follow.
  if (!RefreshDisplay()) UpdateSeeThrough();
}

StoredSettings TFrmLumivane::CollectSettings() const {
  StoredSettings stored;
  stored.settings = settings;
  // From here on the display font's colour is what is saved.
  stored.settings.FontColor = LabelDisplay->FontColor();
  stored.LockWindow = LockWindow1->isChecked();
  StoreDisplayFont(stored, LabelDisplay->Font(), displayFontBase_, displayFontDamaged_);
  stored.LanguageFile = Language1.LanguageFile;
  stored.WindowTop = y();
  stored.WindowLeft = x();
  return stored;
}

bool TFrmLumivane::SaveSettings(bool interactive) {
  try {
    settingsSeen_ = WriteSettingsFile(options_.settingsPath, CollectSettings());
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

void TFrmLumivane::DeferredStart() {
  if (outlookMissing_) return;
  RefreshDisplay();
  showNormal();
  raise();
  RestoringPosition = true;
  RestoreWindowPosition();
  RestoringPosition = false;
  repaint();
  // First runs greet the user once the display is drawn; the box's answer is
  // saved with the other settings.
  settings.ShowWelcomeWindow =
      RunWelcomeWindow(settings.ShowWelcomeWindow, ProgramLinks::Configured());
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

void TFrmLumivane::Quit1Click() {
  close();
}

void TFrmLumivane::SaveSettingsAtEnd() {
  if (!destroyed_) {
    destroyed_ = true;
    SaveSettings(false);
  }
}

void TFrmLumivane::FormDestroy() {
  SaveSettingsAtEnd();
  HotKeyManager1->UnregisterAll();
  CoolTrayIcon1->Hide();
}

}  // namespace lumivane
