#include "dialogs/Pictures.h"

#include <QImageReader>
#include <QToolButton>

namespace lumivane {
namespace {

QPixmap Read(const QString& resource) {
  QImageReader reader(resource);
  return QPixmap::fromImage(reader.read());
}

}  // namespace

QPixmap LogoPicture() {
  return Read(QStringLiteral(":/pictures/logo.jpg"));
}

QPixmap DonatePicture() {
  return Read(QStringLiteral(":/pictures/donate.jpg"));
}

QToolButton* MakeDonateButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  const QPixmap picture = DonatePicture();
  button->setIcon(QIcon(picture));
  button->setIconSize(picture.size());
  button->setFixedSize(picture.size());
  button->setCursor(Qt::PointingHandCursor);
  button->setFocusPolicy(Qt::NoFocus);
  // The picture alone: no frame, not even under the pointer.
  button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; margin: 0; }"));
  return button;
}

}  // namespace lumivane
