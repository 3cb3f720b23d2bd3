#pragma once
// The desktop window and the owner of everything the program runs with: the
// Settings record, the display label, the timers, the tray icon, the popup
// menu, the hot key manager, the session and the translator. It lives from
// start-up to the end of the program.
//
// Its work is spread over four files: TFrmLumivane.cpp (start-up, settings,
// end), TFrmLumivaneRefresh.cpp (what a refresh sees of the window),
// TFrmLumivanePlacement.cpp (the desktop, snapping, dragging, hiding) and
// TFrmLumivaneCommands.cpp (menu, hot key, links, timers, store watcher).
#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "app/PinState.h"
#include "app/SettingsStore.h"
#include "display/RefreshDisplay.h"
#include "display/Settings.h"
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"
#include "platform/DesktopLauncher.h"
#include "platform/LogFont.h"

class QAction;
class QFileSystemWatcher;
class QMenu;
class QScreen;
class QTimer;

namespace lumivane {

class DesktopWindow;
class LabelRefreshAdapter;
class SeeThrough;
class StoreWatcher;
class TCoolTrayIcon;
class THotKeyManager;
class THTMLabel;
class TImageList;
class TOutlookApplication;

// The private message the window posts to itself to finish start-up once the
// event loop runs.
inline constexpr QEvent::Type WM_DEFERRED_START = static_cast<QEvent::Type>(1066);

struct StartOptions {
  bool hidden = false;          // no tray icon
  std::string settingsPath;     // the settings store file
  std::string languagesFolder;  // with a trailing "/"
  std::string storePath;        // the calendar store root
};

class TFrmLumivane : public QWidget, public RefreshWindow {
  Q_OBJECT

 public:
  explicit TFrmLumivane(StartOptions options);
  ~TFrmLumivane() override;

  // Components, under the names the rest of the program knows them by.
  THTMLabel* LabelDisplay = nullptr;
  QTimer* Timer1 = nullptr;  // refresh timer
  QTimer* Timer2 = nullptr;  // pin timer
  TLanguage Language1;
  TImageList* ImageList1 = nullptr;    // display images
  TImageList* ImageList3 = nullptr;    // tray pictures: 0 idle, 1 refreshing
  TImageList* TBImageList1 = nullptr;  // menu images
  TCoolTrayIcon* CoolTrayIcon1 = nullptr;
  THotKeyManager* HotKeyManager1 = nullptr;
  std::unique_ptr<TOutlookApplication> OutlookApplication1;
  // The popup menu of the display and the tray icon, its items in menu order.
  QMenu* PopupMenu1 = nullptr;
  QAction* OpenOutlook1 = nullptr;      // "Outloo&k": the calendar program's inbox
  QAction* O2 = nullptr;                // "&Calendar": the calendar folder
  QAction* N3 = nullptr;                // "&Tasks": the task folder
  QAction* Refresh1 = nullptr;          // "&Refresh", with the hot key as its shortcut
  QAction* RestorePosition1 = nullptr;  // "R&estore Position": back to the saved place
  QAction* H1 = nullptr;                // "&Hide Window" / show it again
  QAction* LockWindow1 = nullptr;       // "Lock &Window": no dragging, position saved
  QAction* O1 = nullptr;                // "&Options...": the options dialog
  QAction* About1 = nullptr;            // "&About...": the About window
  QAction* Quit1 = nullptr;             // "&Quit"

  Settings settings;
  bool PinnedMode = false;
  bool RestoringPosition = false;
  PinState pinState = PinState::AtBottom;

  // The one door for settings: applies a whole record in the order the
  // options dialog's OK needs (label font and colours, background and its
  // see-through key, alpha, translation file, refresh interval, hot key and
  // the Refresh item's shortcut), then refreshes when `refresh`. Start-up,
  // the options dialog and a settings file changed on disk come through here.
  // The window position is not moved (Restore Position does that).
  void ApplySettings(const StoredSettings& next, bool refresh = true);
  // What the next save writes.
  StoredSettings CollectSettings() const;
  const std::string& LanguagesFolder() const { return options_.languagesFolder; }

  // Writes the whole record; a failure is reported in the error box when
  // `interactive`, else on standard error. Returns false on failure.
  bool SaveSettings(bool interactive = true);
  // The last save at a termination signal or the session's end: a failure
  // goes to standard error, since nobody may be there to close a box.
  void SaveSettingsAtEnd();
  void SaveWindowPosition();
  void RestoreWindowPosition();
  void ApplyRefreshInterval();
  void ApplyRefreshHotKey();
  // One refresh; an error is shown in the error box (at most one at a time).
  // False when it was held back by the full-screen rule or failed.
  bool RefreshDisplay();

  // Handlers.
  void Refresh1Click();
  void Quit1Click();
  void Timer1Timer();
  void Timer2Timer();
  void OpenOutlook1Click();
  void O2Click();  // Calendar
  void N3Click();  // Tasks
  void RestorePosition1Click();
  void H1Click();  // Hide Window
  // Shows and raises a hidden window (a second start asks for it).
  void ShowDesktopWindow();
  void LockWindow1Click();
  void O1Click();  // Options
  void About1Click();
  void LabelDisplayAnchorClick(const std::string& target);
  void LabelDisplayMouseDown(Qt::MouseButton button, const QPoint& pos);

  bool OutlookMissing() const { return outlookMissing_; }
  // Every move and resize of the window passes here, snapped to the work area.
  void MoveWindowTo(const QRect& proposed);
  // The monitor of a window rectangle, for snapping, restoring and the size
  // limits alike: the one that holds its centre, else the nearest (a window
  // dragged half off the right monitor keeps to it); null without screens.
  static const QScreen* ScreenOf(const QRect& window);

  // RefreshGeometry and RefreshFeedback: what a refresh sees of the window.
  bool FullScreenAppActive() override;
  void SetBusyCursor(bool busy) override;
  int Left() const override { return x(); }
  int MaxClientHeight() const override;
  int Width() const override { return width(); }
  void SetLeft(int left) override;
  void SetClientSize(int width, int height) override;
  void LockUpdates(bool locked) override;
  void SetRefreshEnabled(bool enabled) override;
  void SetTrayPicture(int index) override;
  void SetTrayHint(const std::string& hint) override;
  void ReportReadProblems(const std::vector<std::string>& problems) override;
  int ScreenBitsPerPixel() const override;
  void SetAlphaLevel(int alpha) override;

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormCreate();
  void FormDestroy();
  void CreateComponents();
  void CreatePopupMenu();
  void ApplyBackgroundColor();
  void AttachToDesktop();
  void DeferredStart();
  void UpdateSeeThrough();
  void ShowFolder(int folderCode);
  // The settings file changed on disk: read again and applied, unless it
  // holds what this program wrote or read last.
  void SettingsFileChanged();
  void WatchSettingsFile();
  // After a refresh that failed: one line in the display instead of nothing.
  void ShowRefreshError(const std::string& error);

  StartOptions options_;
  FormatSettings formats_;
  DesktopLauncher launcher_;
  LogFont displayFontBase_;          // what the stored font value held, kept on save
  bool displayFontDamaged_ = false;  // the stored value was damaged and is kept
  // What a refresh sees of LabelDisplay; kept, so its measuring label is too.
  std::unique_ptr<LabelRefreshAdapter> labelAdapter_;
  DesktopWindow* desk_ = nullptr;
  SeeThrough* seeThrough_ = nullptr;
  StoreWatcher* storeWatcher_ = nullptr;
  QFileSystemWatcher* settingsWatcher_ = nullptr;
  QTimer* settingsSettle_ = nullptr;
  std::optional<std::string> settingsSeen_;  // the file as last written or read
  int hiddenTag_ = 1;                        // H1's tag: 1 shown, 0 hidden
  bool dragging_ = false;
  QPoint dragOffset_;
  bool outlookMissing_ = false;
  bool destroyed_ = false;
};

}  // namespace lumivane
