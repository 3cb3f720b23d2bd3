#include "display/markup/TImageList.h"

#include <QIcon>
#include <QPainter>

namespace lumivane {

TImageList::TImageList(QSize size, QObject* parent) : QObject(parent), size_(size) {}

int TImageList::Add(const QPixmap& picture) {
  // A picture drawn for a high-density screen keeps its device pixels; its
  // size in logical pixels is what counts.
  images_.push_back(picture.deviceIndependentSize().toSize() == size_
                        ? picture
                        : picture.scaled(size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  emit Changed();
  return Count() - 1;
}

int TImageList::AddFile(const QString& path) {
  // QIcon renders SVG crisply at the exact size instead of scaling a bitmap,
  // at the screen's device pixel ratio.
  const QIcon icon(path);
  const QPixmap picture = icon.pixmap(size_);  // Qt picks the application's ratio
  if (picture.isNull()) return -1;
  return Add(picture);
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  emit Changed();
}

QPixmap TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return {};
  return images_[static_cast<size_t>(index)];
}

void TImageList::Draw(QPainter& painter, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  painter.drawPixmap(x, y, images_[static_cast<size_t>(index)]);
}

}  // namespace lumivane
