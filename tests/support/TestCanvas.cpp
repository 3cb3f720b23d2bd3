#include "support/TestCanvas.h"

#include "base/TextRoutines.h"

namespace lumivane {

TestCanvas::TestCanvas() {
  font_.face = "DejaVu Sans";
  font_.size = 8;
  font_.color = RGB(0x10, 0x20, 0x30);
}

std::vector<CanvasOp> TestCanvas::Texts() const {
  std::vector<CanvasOp> texts;
  for (const CanvasOp& op : ops) {
    if (op.kind == CanvasOp::Kind::kText) texts.push_back(op);
  }
  return texts;
}

const CanvasOp* TestCanvas::FindText(const std::string& text) const {
  for (const CanvasOp& op : ops) {
    if (op.kind == CanvasOp::Kind::kText && op.text == text) return &op;
  }
  return nullptr;
}

void TestCanvas::SetPen(Color color, int width) {
  pen_ = color;
  penWidth_ = width;
}

int TestCanvas::TextWidth(std::string_view text) {
  return static_cast<int>(CountCodePoints(text)) * (font_.bold ? kBoldCharWidth : kCharWidth);
}

int TestCanvas::TextHeight(std::string_view) {
  return HeightFor(font_.size);
}

Rect TestCanvas::MeasureText(const Rect& rect, std::string_view text, unsigned) {
  return {rect.left, rect.top, rect.left + TextWidth(text), rect.top + TextHeight(text)};
}

void TestCanvas::DrawText(const Rect& rect, std::string_view text, unsigned flags) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kText;
  op.rect = rect;
  op.text = std::string(text);
  if ((flags & kTextEndEllipsis) != 0 && TextWidth(text) > rect.Width()) {
    // The longest start that fits with the three dots.
    std::string shown;
    std::size_t end = 0;
    while (end < text.size()) {
      std::size_t next = end + 1;
      while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
      if (TextWidth(std::string(text.substr(0, next)) + "...") > rect.Width()) break;
      end = next;
    }
    op.text = std::string(text.substr(0, end)) + "...";
  }
  op.font = font_;
  op.brush = brush_;
  op.flags = flags;
  ops.push_back(op);
}

void TestCanvas::Rectangle(const Rect& rect) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kRectangle;
  op.rect = rect;
  op.brush = brush_;
  op.pen = pen_;
  ops.push_back(op);
}

void TestCanvas::LineTo(Point to) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kLine;
  op.rect = {position_.x, position_.y, to.x, to.y};
  op.pen = pen_;
  ops.push_back(op);
  position_ = to;
}

void TestCanvas::DrawImage(int index, Point at) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kImage;
  op.index = index;
  op.rect = {at.x, at.y, at.x + imageSize.width, at.y + imageSize.height};
  ops.push_back(op);
}

Size TestCanvas::FileIconSize(const std::string& path, bool large) {
  if (missingIconPaths.count(path) != 0) return {};
  return large ? Size{32, 32} : Size{16, 16};
}

void TestCanvas::DrawFileIcon(const std::string& path, bool large, Point at) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kFileIcon;
  op.text = path;
  const int size = large ? 32 : 16;
  op.rect = {at.x, at.y, at.x + size, at.y + size};
  ops.push_back(op);
}

Size TestCanvas::PictureSize(const PictureRef& picture) {
  pictureRequests.push_back(picture.source);
  const auto& pictures =
      picture.kind == PictureRef::Kind::kNamed ? namedPictures : addressedPictures;
  const auto it = pictures.find(picture.source);
  return it == pictures.end() ? Size{} : it->second;
}

void TestCanvas::DrawPicture(const PictureRef& picture, const Rect& target) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kPicture;
  op.text = picture.source;
  op.rect = target;
  ops.push_back(op);
}

void TestCanvas::TilePicture(const PictureRef& picture, const Rect& area) {
  CanvasOp op;
  op.kind = CanvasOp::Kind::kTile;
  op.text = picture.source;
  op.rect = area;
  ops.push_back(op);
}

Color TestCanvas::ToRGB(Color color) const {
  if (IsSystemColor(color)) {
    const int n = SystemColorIndex(color);
    return RGB(n, n, n);
  }
  return color & 0xFFFFFF;
}

}  // namespace lumivane
