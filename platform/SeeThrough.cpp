#include "platform/SeeThrough.h"

#include <QBitmap>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <map>

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
  window_->installEventFilter(this);
}

bool SeeThrough::eventFilter(QObject* watched, QEvent* event) {
  // A native window made anew has no shape yet.
  if (watched == window_ && event->type() == QEvent::WinIdChange && !lastPicture_.isNull()) {
    ApplyMask();
  }
  return QObject::eventFilter(watched, event);
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

QRegion SeeThrough::LineRegion(const QRegion& visible) {
  // Rows of the visible region, each with its leftmost and rightmost pixel.
  std::map<int, std::pair<int, int>> rows;
  for (const QRect& r : visible) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto [it, fresh] = rows.try_emplace(y, r.left(), r.right());
      if (!fresh) {
        it->second.first = std::min(it->second.first, r.left());
        it->second.second = std::max(it->second.second, r.right());
      }
    }
  }
  QRegion lines;
  int top = 0, last = 0, left = 0, right = -1;
  auto flush = [&] {
    if (right >= left) lines += QRect(QPoint(left, top), QPoint(right, last));
  };
  for (const auto& [y, span] : rows) {
    if (right >= left && y == last + 1) {
      last = y;
      left = std::min(left, span.first);
      right = std::max(right, span.second);
      continue;
    }
    flush();
    top = last = y;
    left = span.first;
    right = span.second;
  }
  flush();
  return lines;
}

void SeeThrough::PictureChanged(const QImage& picture) {
  if (picture.isNull()) return;
  if (key_ == lastKey_ && picture.size() == lastPicture_.size() &&
      picture.devicePixelRatio() == ratio_ && AsArgb32(picture) == lastPicture_) {
    return;
  }
  lastPicture_ = AsArgb32(picture);
  lastKey_ = key_;
  ratio_ = picture.devicePixelRatio();
  mask_ = VisibleRegion(lastPicture_, key_);
  input_ = LineRegion(mask_);
  ApplyMask();
}

void SeeThrough::ApplyMask() {
  // An empty region would remove the mask and show the whole window; a
  // picture of nothing but background keeps one pixel instead.
  const QRegion drawn = mask_.isEmpty() ? QRegion(0, 0, 1, 1) : mask_;
  const std::uint32_t native = x11::Connection() ? static_cast<std::uint32_t>(window_->winId()) : 0;
  if (!native || !x11::HasShape()) {
    // Qt takes a region in logical pixels.
    if (ratio_ == 1.0) {
      window_->setMask(drawn);
    } else {
      QRegion logical;
      for (const QRect& r : drawn) {
        logical += QRect(QPoint(static_cast<int>(std::floor(r.left() / ratio_)),
                                static_cast<int>(std::floor(r.top() / ratio_))),
                         QPoint(static_cast<int>(std::ceil((r.right() + 1) / ratio_)) - 1,
                                static_cast<int>(std::ceil((r.bottom() + 1) / ratio_)) - 1));
      }
      window_->setMask(logical);
    }
    return;
  }
  // Device pixels straight to the server: Qt would round a logical region.
  auto rects = [](const QRegion& region) {
    std::vector<x11::ShapeRect> out;
    for (const QRect& r : region) out.push_back({r.x(), r.y(), r.width(), r.height()});
    return out;
  };
  x11::SetShape(native, x11::ShapeKind::Bounding, rects(translucent_ ? drawn + input_ : drawn));
  x11::SetShape(native, x11::ShapeKind::Input, rects(input_.isEmpty() ? drawn : input_));
}

bool SeeThrough::SetAlpha(int alpha) {
  if (x11::RootPixmapBitsPerPixel() != 32) return false;
  window_->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
  return true;
}

}  // namespace lumivane
