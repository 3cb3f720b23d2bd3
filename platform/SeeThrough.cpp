#include "platform/SeeThrough.h"

#include <QBitmap>
#include <QWidget>
#include <algorithm>

#include "platform/X11.h"

namespace lumivane {
namespace {

QImage AsArgb32(const QImage& picture) {
  return picture.format() == QImage::Format_ARGB32 ? picture
                                                   : picture.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

SeeThrough::SeeThrough(QWidget* window, bool compositing)
    : QObject(window), window_(window), translucent_(compositing) {
  if (translucent_) window_->setAttribute(Qt::WA_TranslucentBackground);
}

void SeeThrough::SetKeyColor(const QColor& key) {
  key_ = key.toRgb();
}

QColor SeeThrough::BackgroundFill() const {
  return translucent_ ? QColor(Qt::transparent) : key_;
}

void SeeThrough::KeyOut(QImage& picture) const {
  if (!translucent_ || picture.isNull()) return;
  if (picture.depth() != 32 || !picture.hasAlphaChannel()) {
    picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  // An opaque pixel has the same value premultiplied or not.
  const QRgb key = key_.rgb() | 0xFF000000u;
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    std::replace(line, line + picture.width(), key, QRgb(0));
  }
}

QRegion SeeThrough::VisibleRegion(const QImage& picture, const QColor& key) {
  if (picture.isNull()) return QRegion();
  const QRgb keyRgb = key.rgb() | 0xFF000000u;
  QImage argb = AsArgb32(picture);
  if (argb.hasAlphaChannel()) {
    // Fully transparent pixels show through as well (the translucent path);
    // partly transparent ones, the edges of text, stay and blend.
    for (int y = 0; y < argb.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
      for (int x = 0; x < argb.width(); ++x) {
        if (qAlpha(line[x]) == 0) line[x] = keyRgb;
      }
    }
  }
  // createMaskFromColor marks the key colour; as a bitmap the marked pixels
  // come out clear, so the region holds every other pixel.
  return QRegion(QBitmap::fromImage(argb.createMaskFromColor(keyRgb, Qt::MaskInColor)));
}

void SeeThrough::PictureChanged(const QImage& picture) {
  if (picture.isNull()) return;
  if (key_ == lastKey_ && picture.size() == lastPicture_.size() &&
      AsArgb32(picture) == lastPicture_) {
    return;
  }
  lastPicture_ = AsArgb32(picture);
  lastKey_ = key_;
  mask_ = VisibleRegion(lastPicture_, key_);
  ApplyMask();
}

void SeeThrough::ApplyMask() {
  // An empty region would remove the mask and show the whole window; a
  // picture of nothing but background keeps one pixel instead.
  window_->setMask(mask_.isEmpty() ? QRegion(0, 0, 1, 1) : mask_);
}

bool SeeThrough::SetAlpha(int alpha) {
  if (x11::RootPixmapBitsPerPixel() != 32) return false;
  window_->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
  return true;
}

}  // namespace lumivane
