#include "display/markup/QtCanvas.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/markup/QtColor.h"
#include "display/markup/THTMLPictureCache.h"
#include "display/markup/TImageList.h"
#include "display/markup/TPictureContainer.h"

namespace lumivane {
namespace {

constexpr int kMinPointSize = 1;
constexpr int kMaxPointSize = 1000;
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int QtTextFlags(unsigned flags) {
  int qt = Qt::AlignLeft | Qt::TextSingleLine;
  qt |= (flags & kTextBottom) != 0 ? Qt::AlignBottom : Qt::AlignTop;
  if ((flags & kTextExpandTabs) != 0) qt |= Qt::TextExpandTabs;
  // Without a prefix flag of its own, Qt shows "&" as written already.
  return qt;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, TextExtentCache* extents)
    : painter_(painter),
      palette_(QGuiApplication::palette()),
      ownExtents_(extents == nullptr ? std::make_unique<TextExtentCache>() : nullptr),
      extents_(extents != nullptr ? *extents : *ownExtents_) {
  painter_.save();
  font_ = FontStyleFromQFont(painter_.font(), FromQColor(painter_.pen().color()));
  const QBrush& brush = painter_.brush();
  brush_ = brush.style() == Qt::NoBrush ? clNone : FromQColor(brush.color());
  pen_ = FromQColor(painter_.pen().color());
  penWidth_ = std::max(1, painter_.pen().width());
  if (const QPaintDevice* device = painter_.device(); device != nullptr) {
    dpiX_ = device->logicalDpiX();
    dpiY_ = device->logicalDpiY();
  }
}

QtCanvas::~QtCanvas() {
  painter_.restore();
}

FontStyle QtCanvas::FontStyleFromQFont(const QFont& font, Color color) {
  FontStyle fontStyle;
  fontStyle.face = font.family().toStdString();
  if (font.pointSize() > 0) {
    fontStyle.size = font.pointSize();
  } else if (font.pixelSize() > 0) {
    fontStyle.size = static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
  }
  fontStyle.bold = font.bold();
  fontStyle.italic = font.italic();
  fontStyle.underline = font.underline();
  fontStyle.strikeOut = font.strikeOut();
  fontStyle.color = color;
  fontStyle.antialiased = (font.styleStrategy() & QFont::NoSubpixelAntialias) != 0;
  return fontStyle;
}

QFont QtCanvas::ToQFont(const FontStyle& fontStyle) {
  QFont font;
  if (!fontStyle.face.empty()) font.setFamily(FromUtf8(fontStyle.face));
  font.setPointSize(std::clamp(fontStyle.size, kMinPointSize, kMaxPointSize));
  font.setBold(fontStyle.bold);
  font.setItalic(fontStyle.italic);
  font.setUnderline(fontStyle.underline);
  font.setStrikeOut(fontStyle.strikeOut);
  if (fontStyle.antialiased) {
    font.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  }
  return font;
}

void QtCanvas::SetFont(const FontStyle& font) {
  if (current_ != nullptr && !SameMetrics(current_->key, font)) current_.reset();
  font_ = font;
}

TextExtentCache::Font& QtCanvas::Current() {
  if (current_ == nullptr) current_ = extents_.FontFor(font_, painter_.device(), dpiX_, dpiY_);
  return *current_;
}

void QtCanvas::SetPen(Color color, int width) {
  pen_ = color;
  penWidth_ = width;
}

int QtCanvas::TextWidth(std::string_view text) {
  return TextExtentCache::Width(Current(), text, false);
}

int QtCanvas::TextHeight(std::string_view) {
  return Current().height;
}

Rect QtCanvas::MeasureText(const Rect& rect, std::string_view text, unsigned flags) {
  TextExtentCache::Font& entry = Current();
  // The advance, as TextWidth gives it; tabs take the layout's width.
  const int width = TextExtentCache::Width(entry, text, (flags & kTextExpandTabs) != 0);
  int height = entry.height;
  if ((flags & kTextExternalLeading) != 0) height += std::max(0, entry.leading);
  return {rect.left, rect.top, rect.left + width, rect.top + height};
}

void QtCanvas::DrawText(const Rect& rect, std::string_view text, unsigned flags) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  TextExtentCache::Font& entry = Current();
  const QRect box(rect.left, rect.top, rect.Width(), rect.Height());
  QString shown = FromUtf8(text);
  if ((flags & kTextEndEllipsis) != 0) {
    shown = entry.metrics.elidedText(shown, Qt::ElideRight, box.width(), QtTextFlags(flags));
  }
  const int qtFlags = QtTextFlags(flags);
  if (brush_ != clNone) {
    // A solid brush paints behind the text, as far as the text goes.
    const QSize size = entry.metrics.size(qtFlags, shown);
    const int top = (flags & kTextBottom) != 0 ? box.bottom() + 1 - size.height() : box.top();
    painter_.fillRect(QRect(box.left(), top, size.width(), size.height()) & box,
                      ToQColor(brush_, palette_));
  }
  const QColor color = ToQColor(font_.color, palette_);
  if (!color.isValid()) return;
  painter_.setFont(entry.font);
  painter_.setPen(color);
  if (font_.escapement == 0) {
    painter_.drawText(box, qtFlags, shown);
    return;
  }
  // Rotated text turns about its baseline's start, unclipped.
  painter_.save();
  painter_.translate(box.left(), box.bottom() + 1 - entry.descent);
  painter_.rotate(-font_.escapement / 10.0);
  painter_.drawText(0, 0, shown);
  painter_.restore();
}

void QtCanvas::Rectangle(const Rect& rect) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  const QRect box(rect.left, rect.top, rect.Width(), rect.Height());
  if (brush_ != clNone) painter_.fillRect(box, ToQColor(brush_, palette_));
  const QColor pen = ToQColor(pen_, palette_);
  if (!pen.isValid() || penWidth_ <= 0) return;
  painter_.setPen(QPen(pen, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter_.setBrush(Qt::NoBrush);
  // The outline lies inside the rectangle, its right and bottom edges excluded.
  const double inset = penWidth_ / 2.0;
  painter_.drawRect(QRectF(box.left() + inset, box.top() + inset, box.width() - penWidth_,
                           box.height() - penWidth_));
}

void QtCanvas::LineTo(Point to) {
  const Point from = penPosition_;
  penPosition_ = to;
  const QColor pen = ToQColor(pen_, palette_);
  if (!pen.isValid() || penWidth_ <= 0) return;
  // The end point itself is not drawn, so that joined lines meet exactly.
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const QPointF end(to.x - static_cast<double>(dx) / steps, to.y - static_cast<double>(dy) / steps);
  painter_.setPen(QPen(pen, penWidth_));
  painter_.drawLine(QPointF(from.x, from.y), end);
}

int QtCanvas::ImageCount() const {
  return images_ != nullptr ? images_->Count() : 0;
}

Size QtCanvas::ImageSize() const {
  return images_ != nullptr ? Size{images_->Width(), images_->Height()} : Size{};
}

void QtCanvas::DrawImage(int index, Point at) {
  if (images_ != nullptr) images_->Draw(painter_, at.x, at.y, index);
}

QIcon QtCanvas::FileIcon(const std::string& path) {
  const QFileInfo info(FromUtf8(path));
  if (!info.exists()) return {};
  if (!iconProvider_) iconProvider_ = std::make_unique<QFileIconProvider>();
  // Only plain files and folders are looked at closely; anything else (a FIFO,
  // a device) gets the generic file icon without being touched.
  if (info.isFile() || info.isDir()) return iconProvider_->icon(info);
  return iconProvider_->icon(QAbstractFileIconProvider::File);
}

Size QtCanvas::FileIconSize(const std::string& path, bool large) {
  if (FileIcon(path).isNull()) return {};
  const int size = large ? kLargeIcon : kSmallIcon;
  return {size, size};
}

void QtCanvas::DrawFileIcon(const std::string& path, bool large, Point at) {
  const QIcon icon = FileIcon(path);
  if (icon.isNull()) return;
  const int size = large ? kLargeIcon : kSmallIcon;
  painter_.drawPixmap(at.x, at.y, icon.pixmap(QSize(size, size)));
}

const QImage* QtCanvas::FindPicture(const PictureRef& picture) const {
  if (picture.kind == PictureRef::Kind::kNamed) {
    return container_ != nullptr ? container_->Find(FromUtf8(picture.source)) : nullptr;
  }
  return cache_ != nullptr ? cache_->Find(picture.source) : nullptr;
}

Size QtCanvas::PictureSize(const PictureRef& picture) {
  const QImage* image = FindPicture(picture);
  return image != nullptr ? Size{image->width(), image->height()} : Size{};
}

void QtCanvas::DrawPicture(const PictureRef& picture, const Rect& target) {
  const QImage* image = FindPicture(picture);
  if (image == nullptr || target.Width() <= 0 || target.Height() <= 0) return;
  painter_.drawImage(QRect(target.left, target.top, target.Width(), target.Height()), *image);
}

void QtCanvas::TilePicture(const PictureRef& picture, const Rect& area) {
  const QImage* image = FindPicture(picture);
  if (image == nullptr || area.Width() <= 0 || area.Height() <= 0) return;
  const QRect box(area.left, area.top, area.Width(), area.Height());
  painter_.save();
  painter_.setClipRect(box, Qt::IntersectClip);
  painter_.drawTiledPixmap(box, QPixmap::fromImage(*image));
  painter_.restore();
}

int QtCanvas::DpiX() const {
  return dpiX_;
}
int QtCanvas::DpiY() const {
  return dpiY_;
}

Color QtCanvas::ToRGB(Color color) const {
  const QColor qcolor = ToQColor(color, palette_);
  return qcolor.isValid() ? FromQColor(qcolor) : clBlack;
}

}  // namespace lumivane
