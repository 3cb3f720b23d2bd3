#include "fuzz/MarkupFuzzInput.h"

#include "display/markup/DrawMarkup.h"
#include "display/markup/MarkupEntities.h"
#include "display/markup/MarkupPlainText.h"
#include "support/EntitySweeps.h"
#include "support/TestCanvas.h"

namespace lumivane {
namespace {

constexpr std::size_t kOptionBytes = 4;
// The literal sweeps are slow; they check the one-pass expansion on short texts.
constexpr std::size_t kMaxSweepCheck = 512;

std::string Numbers(const MarkupResult& result) {
  return "widest " + std::to_string(result.widestLine) + ", height " +
         std::to_string(result.totalHeight);
}

void Prepare(TestCanvas& canvas, unsigned char dpiByte) {
  canvas.imageCount = 6;
  canvas.namedPictures = {{"logo", {10, 20}}};
  canvas.addressedPictures = {{"RES://a.png", {8, 8}}, {"FILE:///tmp/b.png", {40, 3}}};
  canvas.missingIconPaths = {"/missing"};
  canvas.dpiX = (dpiByte & 1) != 0 ? 120 : 96;
  canvas.dpiY = (dpiByte & 2) != 0 ? 144 : 96;
}

}  // namespace

std::string CheckMarkupInput(std::string_view input) {
  unsigned char option[kOptionBytes] = {0x45, 0x64, 0x32, 0x28};
  for (std::size_t i = 0; i < kOptionBytes && i < input.size(); ++i) {
    option[i] = static_cast<unsigned char>(input[i]);
  }
  const std::string_view markup = input.size() > kOptionBytes ? input.substr(kOptionBytes) : "";

  MarkupOptions options;
  options.wordWrap = (option[0] & 0x01) != 0;
  options.hover = (option[0] & 0x02) != 0;
  options.ignoreClearType = (option[0] & 0x04) != 0;
  options.hoverColor = (option[0] & 0x08) != 0 ? RGB(0, 0, 0xFF) : clNone;
  options.hoverFontColor = (option[0] & 0x10) != 0 ? SystemColor(8) : clNone;
  options.shadowOffset = option[0] >> 5;
  options.hoverAnchor = option[3] % 5 - 1;
  options.point = Point{option[2] * 2 - 10, option[3] - 10};
  const Rect rect{option[1] % 7 - 3, 0, 8 + option[1] * 3, 2000};

  TestCanvas drawing;
  Prepare(drawing, option[1]);
  const MarkupResult drawn = DrawMarkup(drawing, markup, rect, options);

  TestCanvas measuring;
  Prepare(measuring, option[1]);
  options.measureOnly = true;
  const MarkupResult measured = DrawMarkup(measuring, markup, rect, options);

  if (drawn.widestLine != measured.widestLine || drawn.totalHeight != measured.totalHeight) {
    return "drawing (" + Numbers(drawn) + ") and measuring (" + Numbers(measured) + ") differ";
  }
  if (measured.totalHeight <= 0 || measured.widestLine < 0) {
    return "impossible extent: " + Numbers(measured);
  }
  if (!measuring.ops.empty()) return "measuring drew something";
  if (!measured.overAnchor && (measured.anchorNumber != -1 || !measured.anchorTarget.empty())) {
    return "an anchor reported while the point is over none";
  }
  if (measured.anchorNumber > 0 && measured.anchorRect.left > measured.anchorRect.right) {
    return "anchor rectangle turned inside out";
  }
  if (drawing.Font() != TestCanvas().Font() || drawing.Brush() != TestCanvas().Brush()) {
    return "the canvas's font or brush was not put back";
  }

  if (MarkupToPlainText(markup).size() > markup.size()) return "plain text grew";
  if (markup.size() <= kMaxSweepCheck &&
      ExpandEntities(markup) != EntitySweeps(std::string(markup))) {
    return "one-pass entities differ from the sweeps";
  }
  return {};
}

}  // namespace lumivane
