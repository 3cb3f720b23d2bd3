#pragma once
// The running copy listens on a local socket beside its instance lock; a
// second start asks it through that socket to show and raise its window, so
// a window hidden without a tray icon is never lost.
#include <QObject>
#include <string>

class QLocalServer;

namespace lumivane {

// The socket's path for an instance lock's path.
std::string InstanceSocketPath(const std::string& lockPath);

class InstanceSignalServer : public QObject {
  Q_OBJECT

 public:
  // Listens at `socketPath`; the caller holds the instance lock, so a socket
  // file left there belongs to a copy that ended and is removed first.
  InstanceSignalServer(const std::string& socketPath, QObject* parent = nullptr);
  bool Listening() const;

 signals:
  void ShowRequested();

 private:
  QLocalServer* server_;
};

// Asks the running copy to show its window. False when no copy answers
// within `timeoutMs`.
bool AskRunningCopyToShow(const std::string& socketPath, int timeoutMs = 2000);

}  // namespace lumivane
