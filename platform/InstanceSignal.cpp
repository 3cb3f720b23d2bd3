#include "platform/InstanceSignal.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace lumivane {
namespace {

constexpr char kShow[] = "show\n";

}  // namespace

std::string InstanceSocketPath(const std::string& lockPath) {
  const std::string suffix = ".lock";
  const bool hasSuffix =
      lockPath.size() >= suffix.size() &&
      lockPath.compare(lockPath.size() - suffix.size(), suffix.size(), suffix) == 0;
  return (hasSuffix ? lockPath.substr(0, lockPath.size() - suffix.size()) : lockPath) + ".sock";
}

InstanceSignalServer::InstanceSignalServer(const std::string& socketPath, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
  const QString path = QString::fromStdString(socketPath);
  QLocalServer::removeServer(path);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(path);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // Only the one request is known; anything else is dropped.
        if (socket->readAll().startsWith("show")) emit ShowRequested();
        socket->disconnectFromServer();
      });
    }
  });
}

bool InstanceSignalServer::Listening() const {
  return server_->isListening();
}

bool AskRunningCopyToShow(const std::string& socketPath, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(socketPath));
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kShow, sizeof kShow - 1);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // The copy closes the connection once it has the request.
  socket.waitForDisconnected(timeoutMs);
  return true;
}

}  // namespace lumivane
