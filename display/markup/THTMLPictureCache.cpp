#include "display/markup/THTMLPictureCache.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "base/AsciiCase.h"
#include "display/markup/PictureFile.h"

namespace lumivane {
namespace {

// Decoding is limited too: a small compressed file can describe a huge image.
constexpr int kMaxDecodedMegabytes = 64;
constexpr qsizetype kMaxHeldBytes = qsizetype{256} * 1024 * 1024;

QImage Decode(QIODevice& device) {
  QImageReader reader(&device);
  reader.setAllocationLimit(kMaxDecodedMegabytes);
  return reader.read();
}

}  // namespace

const QImage* THTMLPictureCache::Find(const std::string& address) {
  auto it = pictures_.find(address);
  if (it == pictures_.end()) {
    QImage picture = bytes_ < kMaxHeldBytes ? Load(address) : QImage();
    bytes_ += picture.sizeInBytes();
    it = pictures_.emplace(address, std::move(picture)).first;
  }
  return it->second.isNull() ? nullptr : &it->second;
}

QImage THTMLPictureCache::Load(const std::string& address) {
  if (StartsWithTextAscii(address, "RES://")) {
    const std::string rest = address.substr(6);
    const QString name = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
    if (name.isEmpty()) return {};
    QImageReader reader(QStringLiteral(":/") + name);
    reader.setAllocationLimit(kMaxDecodedMegabytes);
    return reader.read();
  }
  if (StartsWithTextAscii(address, "FILE://")) {
    const std::optional<std::string> bytes = ReadPictureFile(address.substr(7));
    if (!bytes) return {};
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    return Decode(buffer);
  }
  return {};
}

}  // namespace lumivane
