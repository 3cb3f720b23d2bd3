#pragma once
// The state of one DrawMarkup call, shared by the line loop (DrawMarkup.cpp),
// the line routine (MarkupLine.cpp), the tags (MarkupTags.cpp), inline images
// (MarkupImages.cpp) and the hit test (MarkupHitTest.cpp). Internal to the
// engine.
#include <cstdint>
#include <string>
#include <string_view>

#include "display/markup/DrawMarkup.h"

namespace lumivane {

// Pixel values stay within this range whatever the markup says, so that sums
// of widths and heights cannot overflow.
inline constexpr std::int64_t kMaxPixel = 1 << 30;

constexpr int ClampPixel(std::int64_t value) {
  return static_cast<int>(value < -kMaxPixel ? -kMaxPixel
                                             : (value > kMaxPixel ? kMaxPixel : value));
}

// Scales a size given at 96 dots per inch to the device, rounding.
int ScaleToDpi(int value, int dpi);

enum class Pass { kMeasure, kPosition };

// Font, brush and the saved colour slots. The measuring passes and the
// positioned passes each carry their own from line to line, since some tags
// change colours only when drawing.
struct FontChain {
  FontStyle font;
  Color brush = clNone;  // behind text runs; clNone is hollow
  int escapementBeforeRotation = 0;
  Color fontBackgroundSlot = clNone;  // brush before FONT BGCOLOR or BODY BGCOLOR
  Color paragraphSlot = clNone;       // brush before P BGCOLOR
  Color highlightFontSlot = clNone;   // font colour before HI
  Color highlightBrushSlot = clNone;  // brush before HI
  Color hoverBrushSlot = clNone;      // brush before an anchor's hover colour
};

// Carried from line to line; remembered at a line's start and put back before
// the positioned pass, so that it sees the line as the measuring pass did.
struct FlowState {
  bool inAnchor = false;
  std::string anchorTarget;
  int anchorCounter = 0;
  int listLevel = 0;
  bool shadow = false;
  bool hidden = false;
};

// Reset at the start of every line; the positioned pass keeps what the
// measuring pass found.
struct LineMetrics {
  int height = 0;
  int subscriptDepth = 0;
  int superscriptRise = 0;
  int imageTextOffset = 0;  // how far an aligned image raises the line's text
  bool subscript = false;
  bool superscript = false;
};

// One pass of the line routine over one line.
struct LinePass {
  Pass pass = Pass::kMeasure;
  bool drawing = false;     // the positioned pass of a call that draws
  bool hitTesting = false;  // the positioned pass of a call that only measures, with a point
  Rect rect;                // the line's rectangle in this pass
  int width = 0;            // pixels used so far
  int pen = 0;              // where the next run or image goes (drawing)
  int trailingBlank = 0;
  bool listItemSeen = false;
  bool hasText = false;
  bool endsInBlank = false;
  bool pointerOverText = false;
  bool pointerOverImageAnchor = false;
};

struct TagOutcome {
  bool endLine = false;
  bool noFit = false;  // the line ends before the tag, which stays for the next line
};

class MarkupEngine {
 public:
  MarkupEngine(Canvas& canvas, const Rect& rect, const MarkupOptions& options);
  MarkupResult Run(std::string_view markup);

 private:
  struct LineOutcome {
    std::size_t consumed = 0;
    bool dropRest = false;
  };
  enum class RunOutcome { kConsumed, kEndsLineBefore, kConsumedLast };

  // MarkupLine.cpp
  LineOutcome RunLine(LinePass& line, std::string_view text);
  std::size_t RunEnd(std::string_view text, std::size_t pos) const;
  RunOutcome LayOutRun(LinePass& line, std::string_view raw);
  void DrawRunText(const LinePass& line, const Rect& box, std::string_view text, FontStyle font);
  void DrawSquiggle(const Rect& measured);
  int RunBottom(const LinePass& line) const;
  int TextBottom(const LinePass& line) const;

  // MarkupTags.cpp
  TagOutcome ApplyTag(LinePass& line, std::string_view rest);
  void OpenAnchor(LinePass& line, std::string_view tag);
  void CloseAnchor(LinePass& line);
  void OpenFont(LinePass& line, std::string_view tag);
  void CloseFont(LinePass& line);
  void OpenParagraph(LinePass& line, std::string_view tag);
  void PageBackground(std::string_view tag);
  void DrawRule(const LinePass& line);
  TagOutcome ListItem(LinePass& line);
  void Indent(LinePass& line, std::string_view tag);
  void Rotate(LinePass& line, std::string_view tag);

  // MarkupImages.cpp
  TagOutcome InlineImage(LinePass& line, std::string_view tag);

  // MarkupHitTest.cpp
  void HitTestRun(LinePass& line, int widthBefore);
  void HitTestImage(LinePass& line, int width, int height);
  void AnchorOpened(const LinePass& line);
  void LineStarted(const LinePass& line);
  void LineEnded(const LinePass& line);
  void AnchorClosed(const LinePass& line);
  bool PointOverLine(const LinePass& line);

  FontChain& Chain(const LinePass& line) {
    return line.pass == Pass::kMeasure ? measureChain_ : positionChain_;
  }
  void UseFont(const FontStyle& font) { canvas_.SetFont(font); }
  // The font text is measured and drawn in (anti-aliased when asked for).
  FontStyle TextFont(const FontStyle& font) const;

  Canvas& canvas_;
  const Rect rect_;
  const MarkupOptions& options_;
  const unsigned flags_;
  FontStyle baseFont_;
  Color startBrush_ = clNone;

  FontChain measureChain_;
  FontChain positionChain_;
  FlowState flow_;
  LineMetrics metrics_;
  int alignment_ = 0;  // 0 left, 1 right, 2 centre
  int indent_ = 0;
  bool squiggle_ = false;
  bool paragraphBackground_ = false;

  // Hit test: the anchor found under the point, and the box around the
  // current anchor's text over the lines it spans.
  std::string hitTarget_;
  bool captureAnchor_ = false;
  Rect anchorBox_;
  MarkupResult result_;
};

}  // namespace lumivane
