// A small window with the dialog controls for the end-to-end tests and for
// looking at them: a colour pane, a numeric edit and a button that opens the
// category editor, beside a second window with a button of its own. It
// reports on standard output, one line per event, and takes commands on
// standard input.
//
// Reports: "window ID", "pane X Y W H" (on the screen), "palette shown X Y ID
// OPACITY",
// "palette hidden", "change RRGGBB" (red first), "default", "other",
// "target clicked", "categories X Y W H" (the editor's frame), "categories TEXT"
// (after OK or Cancel), "spin VALUE".
// Commands: "where" (reports the pane, target and spinbox boxes again),
// "categories", "quit".
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <iostream>
#include <string>

#include "dialogs/CategoryList.h"
#include "dialogs/TFrmCategories.h"
#include "dialogs/controls/TColorPane.h"
#include "dialogs/controls/TColorPaneFloatWindow.h"
#include "dialogs/controls/TWinSpinEdit.h"

namespace lumivane {
namespace {

void Report(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

QString Box(const QRect& r) {
  return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Reports the palette's and the category editor's showing and hiding.
class ShowWatcher : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* palette = qobject_cast<TColorPaneFloatWindow*>(watched)) {
      if (event->type() == QEvent::Show) {
        Report(QStringLiteral("palette shown %1 %2 %3 %4")
                   .arg(palette->x())
                   .arg(palette->y())
                   .arg(palette->winId())
                   .arg(palette->windowOpacity()));
      } else if (event->type() == QEvent::Hide) {
        Report(QStringLiteral("palette hidden"));
      }
    } else if (auto* editor = qobject_cast<TFrmCategories*>(watched)) {
      if (event->type() == QEvent::Show) {
        // After the dialog has placed itself, also once its frame was known.
        QTimer::singleShot(1200, editor, [editor] {
          Report(QStringLiteral("categories ") + Box(editor->frameGeometry()));
        });
      }
    }
    return false;
  }
};

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  using namespace lumivane;
  QApplication app(argc, argv);
  ShowWatcher watcher;
  app.installEventFilter(&watcher);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Dialogs probe"));
  auto* pane = new TColorPane(&window);
  pane->SetColor(0x123456);
  auto* spin = new TWinSpinEdit(&window);
  spin->SetMinValue(1);
  spin->SetMaxValue(90);
  spin->SetValue(15);
  auto* categories = new QPushButton(QStringLiteral("Categories..."), &window);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Colour:"), &window));
  row->addWidget(pane);
  row->addSpacing(20);
  row->addWidget(new QLabel(QStringLiteral("Days:"), &window));
  row->addWidget(spin);
  row->addStretch();
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(row);
  layout->addWidget(categories);
  layout->addStretch();
  window.resize(320, 200);
  window.move(60, 60);

  QWidget other;
  other.setWindowTitle(QStringLiteral("Probe target"));
  auto* target = new QPushButton(QStringLiteral("Target"), &other);
  target->setGeometry(10, 10, 160, 60);
  other.resize(180, 80);
  other.move(60, 400);

  pane->OnChange = [](TColorPane* p) {
    Report(QStringLiteral("change ") + QString::fromStdString(ColorToText(p->Color())));
  };
  pane->OnClickDefault = [](TColorPane*) { Report(QStringLiteral("default")); };
  pane->OnClickOtherBtn = [](TColorPane*) { Report(QStringLiteral("other")); };
  QObject::connect(target, &QPushButton::pressed, [] { Report(QStringLiteral("target pressed")); });
  QObject::connect(target, &QPushButton::clicked, [] { Report(QStringLiteral("target clicked")); });
  std::string list = "Work;Private";
  auto openCategories = [&window, &list] {
    EditCategoryList(list, {"Family", "Finance", "Private", "Work"}, &window);
    Report(QStringLiteral("categories ") + QString::fromStdString(list));
  };
  QObject::connect(categories, &QPushButton::clicked, openCategories);
  QObject::connect(spin->findChild<QLineEdit*>(), &QLineEdit::textChanged,
                   [spin] { Report(QStringLiteral("spin ") + spin->text()); });

  QSocketNotifier input(0, QSocketNotifier::Read);
  // Where things are on the screen, asked for again before each use: the
  // window manager moves the windows when it frames them.
  auto where = [&] {
    Report(QStringLiteral("pane ") + Box(QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size())));
    Report(QStringLiteral("target ") +
           Box(QRect(target->mapToGlobal(QPoint(0, 0)), target->size())));
    Report(QStringLiteral("spinbox ") + Box(QRect(spin->mapToGlobal(QPoint(0, 0)), spin->size())));
  };
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    std::string line;
    if (!std::getline(std::cin, line) || line == "quit") {
      QApplication::quit();
    } else if (line == "where") {
      where();
    } else if (line == "categories") {
      QTimer::singleShot(0, openCategories);
    }
  });

  other.show();
  window.show();
  QTimer::singleShot(200, [&] { Report(QStringLiteral("window %1").arg(window.winId())); });
  return app.exec();
}
