#include "display/markup/TPictureContainer.h"

namespace lumivane {

TPictureContainer::TPictureContainer(QObject* parent) : QObject(parent) {}

void TPictureContainer::Add(const QString& name, const QImage& picture) {
  pictures_[name] = picture;
}

void TPictureContainer::Clear() {
  pictures_.clear();
}

const QImage* TPictureContainer::Find(const QString& name) const {
  const auto it = pictures_.find(name);
  return it == pictures_.end() || it->second.isNull() ? nullptr : &it->second;
}

}  // namespace lumivane
