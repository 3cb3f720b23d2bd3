#pragma once
// SIGTERM, SIGINT and SIGHUP turned into a Qt signal on the event loop, so
// that the program ends normally (and saves its settings) when the session
// or the user asks it to stop.
#include <QObject>

class QSocketNotifier;

namespace lumivane {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested(int signalNumber);

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lumivane
