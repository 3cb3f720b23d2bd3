// Inline images: index images of the image list, the desktop's file icons,
// and pictures by name or address.
#include <algorithm>
#include <functional>

#include "base/AsciiCase.h"
#include "display/markup/MarkupEngine.h"
#include "display/markup/MarkupTag.h"

namespace lumivane {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct ImageSource {
  Size room;                        // layout size on the device
  std::function<void(Point)> draw;  // draws with the top-left corner at a point
};

}  // namespace

TagOutcome MarkupEngine::InlineImage(LinePass& line, std::string_view tag) {
  const std::string upper = UpperCaseAscii(tag);
  std::string source;
  if (const auto src = AttributeValue(upper, "SRC")) {
    // The source keeps its case: upper-casing kept every byte where it was.
    source =
        std::string(tag.substr(static_cast<std::size_t>(src->data() - upper.data()), src->size()));
  }
  const int dpiX = canvas_.DpiX();
  const int dpiY = canvas_.DpiY();
  auto scaled = [&](Size size) {
    return Size{ScaleToDpi(size.width, dpiX), ScaleToDpi(size.height, dpiY)};
  };

  ImageSource image;
  if (StartsWithTextAscii(source, "IDX:")) {
    const int index = ReadNumber(std::string_view(source).substr(4));
    if (index >= 0 && index < canvas_.ImageCount()) {
      image.room = scaled(canvas_.ImageSize());
      image.draw = [this, index](Point at) { canvas_.DrawImage(index, at); };
    }
  } else if (StartsWithTextAscii(source, "SSYS:") || StartsWithTextAscii(source, "LSYS:")) {
    const bool large = UpperAscii(source[0]) == 'L';
    std::string path = source.substr(5);
    // A bare number named an entry of a system-wide icon list, which this
    // desktop does not have.
    if (!path.empty() && !AllDigits(path)) {
      image.room = scaled(canvas_.FileIconSize(path, large));
      image.draw = [this, path, large](Point at) { canvas_.DrawFileIcon(path, large, at); };
    }
  } else if (source.find("://") != std::string::npos || source.find(':') == std::string::npos) {
    PictureRef ref;
    ref.kind = source.find("://") != std::string::npos ? PictureRef::Kind::kAddress
                                                       : PictureRef::Kind::kNamed;
    ref.source = source;
    if (!source.empty()) {
      Size drawn = canvas_.PictureSize(ref);
      if (!drawn.IsEmpty()) {
        const auto width = AttributeValue(upper, "WIDTH");
        const auto height = AttributeValue(upper, "HEIGHT");
        const int w = width ? ReadNumber(*width) : 0;
        const int h = height ? ReadNumber(*height) : 0;
        if (w >= 1 && h >= 1) drawn = {w, h};
        image.room = scaled(drawn);
        image.draw = [this, ref, drawn](Point at) {
          canvas_.DrawPicture(ref, {at.x, at.y, ClampPixel(std::int64_t{at.x} + drawn.width),
                                    ClampPixel(std::int64_t{at.y} + drawn.height)});
        };
      }
    }
  }
  // An image that cannot be found draws nothing and takes no room.
  if (image.room.IsEmpty() || !image.draw) return {};

  const int width = image.room.width;
  const int height = image.room.height;
  if (line.hitTesting && flow_.inAnchor) HitTestImage(line, width, height);
  // Only the measuring pass decides what fits on a line.
  const std::int64_t room = std::int64_t{line.rect.right} - line.rect.left;
  if (line.pass == Pass::kMeasure && std::int64_t{line.width} + width > room && room > width) {
    return {.noFit = true};
  }
  if (line.drawing) image.draw({line.pen, line.rect.top});
  line.width = ClampPixel(std::int64_t{line.width} + width);
  line.pen = ClampPixel(std::int64_t{line.pen} + width);
  metrics_.height = std::max(metrics_.height, height);

  if (upper.find("ALIGN") != std::string::npos) {
    const bool top = upper.find("\"TOP") != std::string::npos;
    const bool middle = upper.find("\"MIDDLE") != std::string::npos;
    if (top || middle) {
      UseFont(Chain(line).font);
      const int textHeight = canvas_.TextHeight("gh");
      if (top) metrics_.imageTextOffset = metrics_.height - textHeight;
      if (middle) metrics_.imageTextOffset = (metrics_.height - textHeight / 2) / 4;
    }
  }
  return {};
}

}  // namespace lumivane
