#pragma once
// A list of equal-sized pictures addressed by index, as the display markup
// ("<IMG src=\"idx:3\">"), the tray icon and the popup menu use them. Owners
// that draw from it follow `Changed` (and `destroyed`, when the list goes away).
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <vector>

class QPainter;

namespace lumivane {

class TImageList : public QObject {
  Q_OBJECT

 public:
  explicit TImageList(QSize size = QSize(16, 16), QObject* parent = nullptr);

  int Width() const { return size_.width(); }
  int Height() const { return size_.height(); }
  int Count() const { return static_cast<int>(images_.size()); }

  // Scales a picture of another size to the list's size; returns its index.
  int Add(const QPixmap& picture);
  // An SVG or bitmap file (a Qt resource path is fine); -1 when unreadable.
  int AddFile(const QString& path);
  void Clear();
  // A null pixmap for an index out of range.
  QPixmap Image(int index) const;
  // Draws picture `index` with its top-left corner at (x, y); nothing when out of range.
  void Draw(QPainter& painter, int x, int y, int index) const;

 signals:
  void Changed();

 private:
  QSize size_;
  std::vector<QPixmap> images_;
};

}  // namespace lumivane
