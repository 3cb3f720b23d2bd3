#pragma once
// Pictures by name, for markup that writes <IMG src="name">. Owners that draw
// from it follow `destroyed`.
#include <QImage>
#include <QObject>
#include <QString>
#include <map>

namespace lumivane {

class TPictureContainer : public QObject {
  Q_OBJECT

 public:
  explicit TPictureContainer(QObject* parent = nullptr);

  // Replaces a picture of the same name.
  void Add(const QString& name, const QImage& picture);
  void Clear();
  int Count() const { return static_cast<int>(pictures_.size()); }
  // nullptr when there is no picture of that name (names compare exactly).
  const QImage* Find(const QString& name) const;

 private:
  std::map<QString, QImage> pictures_;
};

}  // namespace lumivane
