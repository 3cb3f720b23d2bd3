// Program entry: the command line, the single-instance rule, then either the
// desktop window or one of the modes without a window.
#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "LumivaneVersion.h"
#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/HeadlessModes.h"
#include "app/LanguagesFolder.h"
#include "app/SettingsStore.h"
#include "app/TFrmLumivane.h"
#include "outlook/OutlookStore.h"
#include "platform/InstanceLock.h"
#include "platform/InstanceSignal.h"
#include "platform/TerminationSignals.h"

namespace lumivane {
namespace {

std::string ProgramFolder(const char* argv0) {
  // /proc/self/exe names the binary even when started through a link or PATH.
  const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
  const QString path = exe.isEmpty() ? QString::fromLocal8Bit(argv0) : exe;
  return QFileInfo(path).absolutePath().toStdString();
}

int PrintSettings(const std::string& programFolder) {
  const std::string path = SettingsFilePath();
  const RegistryFile previous = ReadSettingsFile(path);
  // No desktop is asked in this mode: composition counts as off.
  LoadResult loaded =
      LoadSettings(previous, MakeLoadContext(LanguagesFolder(programFolder), false));
  for (const std::string& error : loaded.errors) std::cerr << "lumivane: " << error << "\n";
  // The display font is written back as read, or as the built-in font.
  if (!loaded.stored.DisplayFont) loaded.stored.DisplayFont = EncodeLogFont(BuiltInDisplayFont());
  std::cout << ComposeSettingsForSave(previous, loaded.stored).Serialize();
  return 0;
}

// Switches starting at login and reports the state it leaves.
int AutostartCommand(const std::string& choice) {
  try {
    if (choice != "status") SetAutostart(choice == "on");
  } catch (const std::exception& e) {
    std::cerr << "lumivane: " << e.what() << "\n";
    return 1;
  }
  if (AutostartEnabled()) {
    std::cout << "on (" << AutostartEntryPath() << ")\n";
  } else {
    std::cout << "off\n";
  }
  return 0;
}

std::string DisplayName() {
  if (const char* d = std::getenv("DISPLAY"); d && *d) return d;
  if (const char* w = std::getenv("WAYLAND_DISPLAY"); w && *w) return w;
  return {};
}

int RunWindow(int argc, char** argv, const CommandLine& line, const std::string& programFolder) {
  InstanceLock lock(InstanceLock::PathFor(DisplayName()));
  try {
    // Another copy runs for this user and display: it is asked to show its
    // window (which may be hidden without a tray icon), and this one ends.
    if (!lock.TryAcquire()) {
      QCoreApplication asking(argc, argv);
      AskRunningCopyToShow(InstanceSocketPath(lock.Path()));
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "lumivane: " << e.what() << "\n";
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumivane"));
  // No display name: X11 window titles would get " — Lumivane" appended, and
  // every window names itself ("Welcome", "About", "Lumivane").
  QApplication::setQuitOnLastWindowClosed(false);

  StartOptions options;
  options.hidden = line.hidden;
  options.settingsPath = SettingsFilePath();
  options.languagesFolder = LanguagesFolder(programFolder);
  options.storePath = OutlookStorePath();
  auto window = std::make_unique<TFrmLumivane>(options);
  InstanceSignalServer showRequests(InstanceSocketPath(lock.Path()));
  QObject::connect(&showRequests, &InstanceSignalServer::ShowRequested, window.get(),
                   &TFrmLumivane::ShowDesktopWindow);

  // The session's end and the termination signals save the settings and end normally.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, window.get(),
                   [&window](QSessionManager&) { window->SaveSettings(false); });
  TerminationSignals termination;
  // At a signal the save comes first and the loop ends without closing the
  // window: a close would save again and show a failure in a box that
  // nobody may be there to close (quit() closes the windows first).
  QObject::connect(
      &termination, &TerminationSignals::terminationRequested, &app,
      [&window] {
        window->SaveSettingsAtEnd();
        QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);

  const int status = app.exec();
  window.reset();  // saves the settings
  return status;
}

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  using namespace lumivane;
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CommandLine line = ParseCommandLine(args);
  if (!line.error.empty()) {
    std::cerr << "lumivane: " << line.error << "\n\n" << UsageText();
    return 2;
  }
  // The store reads its snapshot folder from the environment.
  if (line.noCache) setenv("LUMIVANE_NO_CACHE", "1", 1);
  const std::string programFolder = ProgramFolder(argc > 0 ? argv[0] : "lumivane");
  switch (line.mode) {
    case RunMode::Help:
      std::cout << UsageText();
      return 0;
    case RunMode::Version:
      std::cout << "lumivane " << kVersion << "\n";
      return 0;
    case RunMode::PrintSettings:
      return PrintSettings(programFolder);
    case RunMode::Autostart:
      return AutostartCommand(line.argument);
    case RunMode::Window:
      return RunWindow(argc, argv, line, programFolder);
    default:
      return RunHeadless(line, HeadlessContext{programFolder}, argc, argv);
  }
}
