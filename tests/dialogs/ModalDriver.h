#pragma once
// Drives modal windows in widget tests: exec() does not return until the
// window closes, so the test's steps run from a timer once it is up.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace lumivane::test {

// Runs `act` on the next modal window of type T as soon as it is the active
// modal window; gives up after `timeoutMs`. Call before the exec() it waits
// for. Deleting the returned timer withdraws the wait.
template <class T>
QPointer<QTimer> WhenModal(std::function<void(T*)> act, int timeoutMs = 5000) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, act, timeoutMs, waited = 0]() mutable {
    waited += timer->interval();
    auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!window && waited <= timeoutMs) return;
    timer->stop();
    timer->deleteLater();
    if (window) act(window);
  });
  timer->start(10);
  return timer;
}

// What a message box showed before it was answered.
struct SeenMessage {
  bool shown = false;
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next message box with `button` and records what it showed.
inline QPointer<QTimer> AnswerMessageBox(SeenMessage& seen, QMessageBox::StandardButton button) {
  return WhenModal<QMessageBox>([&seen, button](QMessageBox* box) {
    seen.shown = true;
    seen.text = box->text();
    seen.caption = box->windowTitle();
    seen.icon = box->icon();
    box->done(button);
  });
}

}  // namespace lumivane::test
