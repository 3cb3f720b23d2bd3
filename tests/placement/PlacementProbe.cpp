// A small window that uses the desktop placement pieces the way the main
// window does, for the end-to-end tests: it reports what happens on standard
// output, one line per event, and takes commands on standard input.
//
//   placement_probe [--title T] [--mode desktop|pin|plain] [--size WxH] [--pos X,Y]
//                   [--key RRGGBB] [--compositing on|off|auto] [--alpha N]
//                   [--hotkey CODE] [--watch PATH]
// Commands: "fullscreen", "register CODE", "unregister", "recreate", "quit".
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "app/FullScreenRule.h"
#include "app/PinState.h"
#include "platform/Composition.h"
#include "platform/DesktopWindow.h"
#include "platform/SeeThrough.h"
#include "platform/StoreWatcher.h"
#include "platform/THotKeyManager.h"

namespace lumivane {
namespace {

void Report(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

// Paints a red block with a hole of the key colour on a background of the
// key colour, through the see-through pieces as the display does.
class ProbeWindow : public QWidget {
 public:
  ProbeWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {}
  SeeThrough* seeThrough = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(seeThrough->BackgroundFill());
    {
      QPainter p(&picture);
      p.fillRect(QRect(10, 10, 60, 40), Qt::red);
      p.fillRect(QRect(30, 20, 20, 20), seeThrough->KeyColor());
    }
    seeThrough->KeyOut(picture);
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture);
    seeThrough->PictureChanged(picture);
  }
};

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  using namespace lumivane;
  QApplication app(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption title("title", "", "text", "Probe");
  const QCommandLineOption mode("mode", "", "mode", "plain");
  const QCommandLineOption size("size", "", "WxH", "100x60");
  const QCommandLineOption pos("pos", "", "X,Y", "200,200");
  const QCommandLineOption key("key", "", "RRGGBB", "00FF00");
  const QCommandLineOption compositing("compositing", "", "on|off|auto", "auto");
  const QCommandLineOption alpha("alpha", "", "N");
  const QCommandLineOption hotkey("hotkey", "", "code");
  const QCommandLineOption watch("watch", "", "path");
  parser.addOptions({title, mode, size, pos, key, compositing, alpha, hotkey, watch});
  parser.process(app);

  ProbeWindow window;
  window.setWindowTitle(parser.value(title));
  const QStringList wh = parser.value(size).split('x');
  const QStringList xy = parser.value(pos).split(',');
  window.setGeometry(xy.value(0).toInt(), xy.value(1).toInt(), wh.value(0).toInt(),
                     wh.value(1).toInt());

  const QString compositingValue = parser.value(compositing);
  const bool composited =
      compositingValue == "auto" ? CompositionEnabled() : compositingValue == "on";
  window.seeThrough = new SeeThrough(&window, composited);
  window.seeThrough->SetKeyColor(QColor("#" + parser.value(key)));

  auto* desktop = new DesktopWindow(&window);
  const QString modeValue = parser.value(mode);
  bool pinned = false;
  if (modeValue == "desktop") {
    const DesktopRole role = desktop->AttachToDesktop();
    Report(QStringLiteral("role %1").arg(role == DesktopRole::Desktop     ? "desktop"
                                         : role == DesktopRole::ToolBelow ? "toolbelow"
                                                                          : "ordinary"));
  } else if (modeValue == "pin") {
    desktop->AttachForPinning();
    pinned = true;
  } else {
    window.setWindowFlags(Qt::Window);
  }
  window.show();
  if (parser.isSet(alpha)) {
    Report(
        QStringLiteral("alpha %1").arg(window.seeThrough->SetAlpha(parser.value(alpha).toInt())));
  }

  // The pin timer, as the main window runs it.
  PinState pinState = PinState::AtBottom;
  QTimer pinTimer;
  pinTimer.setInterval(400);
  QObject::connect(&pinTimer, &QTimer::timeout, [&] {
    const PinStep step = PinTick(pinned, pinState, DesktopInFront());
    pinState = step.state;
    switch (step.action) {
      case PinAction::StopTimer:
        pinTimer.stop();
        break;
      case PinAction::Raise:
        RaiseOverDesktop(&window);
        Report("pin ontop");
        break;
      case PinAction::Drop:
        DropAmongWindows(&window);
        Report("pin atbottom");
        break;
      case PinAction::None:
        break;
    }
  });
  pinTimer.start();

  THotKeyManager hotKeys;
  QObject::connect(&hotKeys, &THotKeyManager::HotKeyPressed,
                   [](quint32 code) { Report(QStringLiteral("hotkey %1").arg(code)); });
  auto registerCode = [&](const QString& text) {
    const quint32 code = text.toUInt(nullptr, 0);
    Report(QStringLiteral("registered %1 %2").arg(code).arg(hotKeys.Register(code)));
  };
  if (parser.isSet(hotkey)) registerCode(parser.value(hotkey));

  StoreWatcher storeWatcher;
  if (parser.isSet(watch)) {
    storeWatcher.Watch(parser.value(watch));
    QObject::connect(&storeWatcher, &StoreWatcher::Changed, [] { Report("store changed"); });
  }

  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    std::string line;
    if (!std::getline(std::cin, line)) {
      input.setEnabled(false);
      QCoreApplication::quit();
      return;
    }
    const QStringList words = QString::fromStdString(line).split(' ', Qt::SkipEmptyParts);
    const QString command = words.value(0);
    if (command == "fullscreen") {
      Report(QStringLiteral("fullscreen %1")
                 .arg(FullScreenAppActive(ActiveWindowRect(), PrimaryScreenRect())));
    } else if (command == "register") {
      registerCode(words.value(1));
    } else if (command == "unregister") {
      hotKeys.UnregisterAll();
      Report("unregistered");
    } else if (command == "recreate") {
      // Another window type makes Qt create the native window anew; a
      // changed hint makes it write the window's types again.
      const Qt::WindowFlags flags = window.windowFlags();
      window.setWindowFlags((flags & ~Qt::WindowType_Mask) | Qt::Dialog);
      window.setWindowFlags(flags);
      window.setWindowFlags(flags ^ Qt::WindowDoesNotAcceptFocus);
      window.setWindowFlags(flags);
      window.show();
      Report(QStringLiteral("recreated %1").arg(window.winId()));
    } else if (command == "quit") {
      QCoreApplication::quit();
    }
  });

  // The window id, so that the test finds the window even when it has no
  // frame and no title bar to search for.
  Report(QStringLiteral("window %1").arg(window.winId()));
  return app.exec();
}
