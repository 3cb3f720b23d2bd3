#include "platform/AppMessageBox.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace lumivane {
namespace {

QString KindCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QStringLiteral("Information");
    case MessageKind::Question:
      return QStringLiteral("Confirm");
    case MessageKind::Warning:
    case MessageKind::Error:
      return QStringLiteral("Error");
  }
  return {};
}

QMessageBox::Icon KindIcon(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Question:
      return QMessageBox::Question;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

bool errorBoxOpen = false;

}  // namespace

QMessageBox::StandardButton AppMessageBox(const QString& text, const QString& caption,
                                          MessageKind kind,
                                          QMessageBox::StandardButtons buttons) {
  QPointer<QWidget> focused = QApplication::focusWidget();
  QMessageBox box(KindIcon(kind), caption.isEmpty() ? KindCaption(kind) : caption, text, buttons,
                  QApplication::activeWindow());
  // Application-modal: every other window of the program is blocked while it
  // is up. On top, so that a window pinned above the desktop cannot hide it.
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const auto result = static_cast<QMessageBox::StandardButton>(box.exec());
  if (focused) focused->setFocus();
  return result;
}

bool ShowApplicationError(const QString& text) {
  if (errorBoxOpen) return false;
  errorBoxOpen = true;
  AppMessageBox(text, QString(), MessageKind::Error);
  errorBoxOpen = false;
  return true;
}

}  // namespace lumivane
