// A bare Qt Widgets window: the yardstick of the idle cost measurement.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.resize(300, 400);
  window.show();
  return app.exec();
}
