// The user's commands: the popup menu, the refresh timer and hot key, the
// folder commands and the links of the display.
#include <QAction>
#include <QMenu>
#include <QTimer>

#include "app/AnchorDispatch.h"
#include "app/Autostart.h"
#include "app/RefreshInterval.h"
#include "app/TFrmLumivane.h"
#include "dialogs/DisabledWhileOpen.h"
#include "dialogs/ProgramLinks.h"
#include "dialogs/TFrmLVOptions.h"
#include "dialogs/TFrmLumivaneAbout.h"
#include "display/markup/TImageList.h"
#include "outlook/OutlookContract.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/StoreCategories.h"
#include "platform/AppMessageBox.h"
#include "platform/Composition.h"
#include "platform/HotKeyCode.h"
#include "platform/LocaleFormats.h"
#include "platform/THotKeyManager.h"

namespace lumivane {

void TFrmLumivane::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [this](const char* caption, int image, void (TFrmLumivane::*handler)()) {
    QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
    if (image >= 0) action->setIcon(QIcon(TBImageList1->Image(image)));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  OpenOutlook1 = item("Outloo&k", 0, &TFrmLumivane::OpenOutlook1Click);
  O2 = item("&Calendar", 3, &TFrmLumivane::O2Click);
  N3 = item("&Tasks", 4, &TFrmLumivane::N3Click);
  PopupMenu1->addSeparator();
  Refresh1 = item("&Refresh", 1, &TFrmLumivane::Refresh1Click);
  PopupMenu1->addSeparator();
  RestorePosition1 = item("R&estore Position", -1, &TFrmLumivane::RestorePosition1Click);
  H1 = item("&Hide Window", -1, &TFrmLumivane::H1Click);
  LockWindow1 = item("Lock &Window", -1, &TFrmLumivane::LockWindow1Click);
  LockWindow1->setCheckable(true);
  PopupMenu1->addSeparator();
  O1 = item("&Options...", -1, &TFrmLumivane::O1Click);
  PopupMenu1->addSeparator();
  About1 = item("&About...", -1, &TFrmLumivane::About1Click);
  PopupMenu1->addSeparator();
  Quit1 = item("&Quit", 2, &TFrmLumivane::Quit1Click);
  // Shortcuts of the menu are shown, not bound: the hot key is global.
  Refresh1->setShortcutContext(Qt::WidgetShortcut);
}

void TFrmLumivane::ApplyRefreshInterval() {
  const int ms = RefreshIntervalMs(settings.RefreshEvery, settings.RefreshType);
  switch (RefreshTimerChange(Timer1->isActive(), Timer1->interval(), ms)) {
    case TimerChange::Keep:
      break;
    case TimerChange::Restart:
      Timer1->start(ms);
      break;
    case TimerChange::Stop:
      Timer1->stop();
      break;
  }
}

void TFrmLumivane::ApplyRefreshHotKey() {
  const auto code = static_cast<std::uint32_t>(settings.RefreshHotkey);
  Refresh1->setShortcut(HotKeyToKeySequence(code & 0xFFFF));
  HotKeyManager1->UnregisterAll();
  // A key another program holds is silently not registered.
  if (code != 0) HotKeyManager1->Register(code);
}

// A new options dialog each time; the item stays disabled while it is open,
// and the settings are saved however it closed.
void TFrmLumivane::O1Click() {
  {
    const DisabledWhileOpen disabled(O1);
    OptionsContext context;
    context.collect = [this] { return CollectSettings(); };
    context.apply = [this](const StoredSettings& next) { ApplySettings(next, true); };
    context.languagesFolder = options_.languagesFolder;
    context.compositionEnabled = CompositionEnabled();
    context.defaultBackground =
        MakeLoadContext(options_.languagesFolder, context.compositionEnabled).desktopColor;
    context.images = ImageList1;
    context.formats = SystemFormatSettings();
    context.categoryNames = [path = options_.storePath] {
      return ical::ReadStoreCategoryNames(path);
    };
    context.autostartEnabled = [] { return AutostartEnabled(); };
    context.setAutostart = [](bool on) { SetAutostart(on); };
    TFrmLVOptions dialog(std::move(context));
    dialog.exec();
  }
  SaveSettings(true);
}

void TFrmLumivane::Timer1Timer() {
  RefreshDisplay();
}

void TFrmLumivane::Refresh1Click() {
  RefreshDisplay();
}

void TFrmLumivane::ShowFolder(int folderCode) {
  try {
    OutlookApplication1->ShowDefaultFolder(folderCode);
  } catch (const std::exception& e) {
    ShowApplicationError(QString::fromStdString(e.what()));
  }
}

void TFrmLumivane::OpenOutlook1Click() {
  ShowFolder(kFolderInbox);
}

void TFrmLumivane::O2Click() {
  ShowFolder(kFolderCalendar);
}

void TFrmLumivane::N3Click() {
  ShowFolder(kFolderTasks);
}

void TFrmLumivane::About1Click() {
  const DisabledWhileOpen disabled(About1);
  // The session is left as it was found: connected only if it was already.
  auto serverVersion = [this] {
    const bool wasConnected = OutlookApplication1->Connected();
    try {
      std::string version = OutlookApplication1->ReadOutlookVersion();
      if (!wasConnected) OutlookApplication1->Disconnect();
      return version;
    } catch (...) {
      if (!wasConnected) OutlookApplication1->Disconnect();
      throw;
    }
  };
  TFrmLumivaneAbout about(AboutSources::System(serverVersion), ProgramLinks::Configured());
  about.exec();
}

void TFrmLumivane::LabelDisplayAnchorClick(const std::string& target) {
  switch (ClassifyAnchor(target)) {
    case AnchorAction::ShowCalendar:
      O2Click();
      break;
    case AnchorAction::ShowTasks:
      N3Click();
      break;
    case AnchorAction::OpenItem:
      try {
        OutlookApplication1->OpenItemLink(target);
      } catch (const std::exception& e) {
        ShowApplicationError(QString::fromStdString(e.what()));
      }
      break;
    case AnchorAction::None:
      break;
  }
}

}  // namespace lumivane
