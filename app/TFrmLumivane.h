#pragma once
// The desktop window and the owner of everything the program runs with: the
// Settings record, the display label, the timers, the tray icon, the popup
// menu and the translator. It lives from start-up to the end of the program.
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "app/PinState.h"
#include "app/SettingsStore.h"
#include "display/Settings.h"
#include "i18n/TLanguage.h"
#include "platform/LogFont.h"

class QAction;
class QMenu;
class QTimer;

namespace lumivane {

class TCoolTrayIcon;
class TImageList;

// The private message the window posts to itself to finish start-up once the
// event loop runs.
inline constexpr QEvent::Type WM_DEFERRED_START = static_cast<QEvent::Type>(1066);

struct StartOptions {
  bool hidden = false;            // no tray icon
  std::string settingsPath;       // the settings store file
  std::string languagesFolder;    // with a trailing "/"
};

class TFrmLumivane : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmLumivane(StartOptions options);
  ~TFrmLumivane() override;

  // Components, under the names the rest of the program knows them by.
  QWidget* LabelDisplay = nullptr;
  QTimer* Timer1 = nullptr;  // refresh timer
  QTimer* Timer2 = nullptr;  // pin timer
  TLanguage Language1;
  TImageList* ImageList1 = nullptr;   // display images
  TImageList* ImageList3 = nullptr;   // tray pictures: 0 idle, 1 refreshing
  TImageList* TBImageList1 = nullptr; // menu images
  TCoolTrayIcon* CoolTrayIcon1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Refresh1 = nullptr;
  QAction* LockWindow1 = nullptr;
  QAction* Quit1 = nullptr;

  Settings settings;
  bool PinnedMode = false;
  bool RestoringPosition = false;
  PinState pinState = PinState::AtBottom;

  // Writes the whole record; a failure is reported in the error box when
  // `interactive`, else on standard error. Returns false on failure.
  bool SaveSettings(bool interactive = true);
  // Reads WindowTop and WindowLeft and places the window there.
  void RestoreWindowPosition();
  void ApplyRefreshInterval();
  void RefreshDisplay();

  void Refresh1Click();
  void Quit1Click();
  void Timer1Timer();

  bool OutlookMissing() const { return outlookMissing_; }

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormCreate();
  void FormDestroy();
  void CreateComponents();
  void LoadSettings();
  void ApplyBackgroundColor();
  void DeferredStart();
  StoredSettings CollectSettings() const;

  StartOptions options_;
  LogFont displayFontBase_;  // what the stored font value held, kept on save
  QFont displayFont_;
  bool outlookMissing_ = false;
  bool destroyed_ = false;
};

}  // namespace lumivane
