// What each tag does. Closing tags return an attribute to the base font's
// value or to one saved slot; nothing is stacked.
#include <algorithm>

#include "base/AsciiCase.h"
#include "display/markup/MarkupEngine.h"
#include "display/markup/MarkupGradient.h"
#include "display/markup/MarkupTag.h"

namespace lumivane {
namespace {

constexpr int kListIndent = 12;
constexpr int kBackgroundGradientSteps = 64;

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Attributes of a tag are read after its name.
std::size_t NameEnd(std::string_view upperTag) {
  const std::size_t end = upperTag.find_first_of(" >");
  return end == std::string_view::npos ? upperTag.size() : end;
}

}  // namespace

TagOutcome MarkupEngine::ApplyTag(LinePass& line, std::string_view rest) {
  const std::string_view tag = TagText(rest);
  FontChain& chain = Chain(line);
  const bool drawing = line.drawing;
  switch (ClassifyTag(rest)) {
    case TagKind::kIgnored:
      break;
    case TagKind::kAnchorOpen:
      OpenAnchor(line, tag);
      break;
    case TagKind::kAnchorClose:
      CloseAnchor(line);
      break;
    case TagKind::kBoldOpen:
      chain.font.bold = true;
      break;
    case TagKind::kBoldClose:
      if (!baseFont_.bold) chain.font.bold = false;
      break;
    case TagKind::kBlink:
      chain.font.color = startBrush_;
      break;
    case TagKind::kBaseColor:
      chain.font.color = baseFont_.color;
      break;
    case TagKind::kBody:
      if (drawing) PageBackground(tag);
      break;
    case TagKind::kBreak:
      return {.endLine = true};
    case TagKind::kSquiggleOpen:
      if (drawing) squiggle_ = true;
      break;
    case TagKind::kSquiggleClose:
      if (drawing) squiggle_ = false;
      break;
    case TagKind::kFontOpen:
      OpenFont(line, tag);
      break;
    case TagKind::kFontClose:
      CloseFont(line);
      break;
    case TagKind::kHighlightOpen:
      if (drawing) {
        chain.highlightFontSlot = chain.font.color;
        chain.highlightBrushSlot = chain.brush;
        chain.brush = RGB(0xFF, 0xFF, 0x00);
        chain.font.color = clBlack;
      }
      break;
    case TagKind::kHighlightClose:
      if (drawing) {
        // A closing tag without an opening one has nothing saved: base colour.
        chain.font.color =
            chain.highlightFontSlot == clNone ? baseFont_.color : chain.highlightFontSlot;
        chain.brush = chain.highlightBrushSlot;
      }
      break;
    case TagKind::kRule:
      if (drawing) DrawRule(line);
      return {.endLine = true};
    case TagKind::kItalicOpen:
      chain.font.italic = true;
      break;
    case TagKind::kItalicClose:
      chain.font.italic = false;
      break;
    case TagKind::kIndent:
      Indent(line, tag);
      break;
    case TagKind::kImage:
      return InlineImage(line, tag);
    case TagKind::kListItemOpen:
      return ListItem(line);
    case TagKind::kListItemClose:
      return {.endLine = true};
    case TagKind::kParagraphOpen:
      OpenParagraph(line, tag);
      break;
    case TagKind::kParagraphClose:
      if (drawing) {
        chain.brush = chain.paragraphSlot;
        paragraphBackground_ = false;
      }
      return {.endLine = true};
    case TagKind::kRotateOpen:
      Rotate(line, tag);
      break;
    case TagKind::kRotateClose:
      chain.font.escapement = chain.escapementBeforeRotation;
      break;
    case TagKind::kStrikeOpen:
      chain.font.strikeOut = true;
      break;
    case TagKind::kStrikeClose:
      chain.font.strikeOut = false;
      break;
    case TagKind::kShadowOpen:
      flow_.shadow = true;
      break;
    case TagKind::kShadowClose:
      flow_.shadow = false;
      break;
    case TagKind::kSubscriptOpen:
      metrics_.subscript = true;
      break;
    case TagKind::kSuperscriptOpen:
      metrics_.superscript = true;
      break;
    case TagKind::kScriptClose:
      metrics_.subscript = false;
      metrics_.superscript = false;
      break;
    case TagKind::kUnderlineOpen:
      chain.font.underline = true;
      break;
    case TagKind::kUnderlineClose:
      chain.font.underline = false;
      break;
    case TagKind::kListOpen:
      ++flow_.listLevel;
      return {.endLine = true};
    case TagKind::kListClose:
      if (flow_.listLevel > 0) {
        --flow_.listLevel;
      } else {
        chain.font.underline = false;
      }
      break;
    case TagKind::kHiddenOpen:
      flow_.hidden = true;
      break;
    case TagKind::kHiddenClose:
      flow_.hidden = false;
      break;
  }
  return {};
}

void MarkupEngine::OpenAnchor(LinePass& line, std::string_view tag) {
  ++flow_.anchorCounter;
  flow_.inAnchor = true;
  flow_.anchorTarget = AnchorTarget(tag);
  if (line.hitTesting) AnchorOpened(line);
  const bool hovered = !options_.hover || flow_.anchorCounter == options_.hoverAnchor;
  if (line.drawing && hovered) {
    FontChain& chain = Chain(line);
    if (options_.hoverColor != clNone) {
      chain.hoverBrushSlot = chain.brush;
      chain.brush = options_.hoverColor;
    }
    if (options_.hoverFontColor != clNone) chain.font.color = options_.hoverFontColor;
  }
}

void MarkupEngine::CloseAnchor(LinePass& line) {
  FontChain& chain = Chain(line);
  const bool hovered = !options_.hover || flow_.anchorCounter == options_.hoverAnchor;
  if (line.drawing && hovered) {
    chain.font.underline = false;
    if (options_.hoverColor != clNone) chain.brush = chain.hoverBrushSlot;
  }
  chain.font.color = baseFont_.color;
  if (line.hitTesting && flow_.inAnchor) AnchorClosed(line);
  flow_.inAnchor = false;
}

void MarkupEngine::OpenFont(LinePass& line, std::string_view tag) {
  FontChain& chain = Chain(line);
  const std::string upper = UpperCaseAscii(tag);
  if (const auto face = AttributeValue(upper, "FACE"); face && !face->empty()) {
    chain.font.face = std::string(*face);
  }
  // With the blank before it, so that BGCOLOR does not count as COLOR.
  if (const auto color = AttributeValue(upper, " COLOR")) {
    chain.font.color = ParseMarkupColor(*color);
  }
  if (line.drawing) {
    if (const auto background = AttributeValue(upper, "BGCOLOR")) {
      chain.fontBackgroundSlot = chain.brush;
      if (!background->empty()) chain.brush = ParseMarkupColor(*background);
    }
  }
  if (const auto size = FontSizeAttribute(upper)) chain.font.size = *size;
}

void MarkupEngine::CloseFont(LinePass& line) {
  FontChain& chain = Chain(line);
  chain.font.face = baseFont_.face;
  chain.font.size = baseFont_.size;
  if (line.drawing) {
    chain.font.color = baseFont_.color;
    chain.brush = chain.fontBackgroundSlot;
  }
}

void MarkupEngine::OpenParagraph(LinePass& line, std::string_view tag) {
  const std::string upper = UpperCaseAscii(tag);
  if (const auto align = AttributeValue(upper, "ALIGN")) {
    if (Contains(*align, "RIGHT")) alignment_ = 1;
    if (Contains(*align, "LEFT")) alignment_ = 0;
    if (Contains(*align, "CENTER")) alignment_ = 2;
  }
  if (const auto indent = AttributeValue(upper, "INDENT")) indent_ = ReadNumber(*indent);

  const auto background = AttributeValue(upper, "BGCOLOR");
  if (!line.drawing || !background) return;
  FontChain& chain = Chain(line);
  paragraphBackground_ = true;
  const Color color = ParseMarkupColor(*background);
  if (const auto colorTo = AttributeValue(upper, "BGCOLORTO")) {
    DrawGradient(
        canvas_, color, ParseMarkupColor(*colorTo), kBackgroundGradientSteps,
        {rect_.left, line.rect.top, rect_.right, ClampPixel(std::int64_t{TextBottom(line)} + 2)},
        GradientDirection::kHorizontal);
    chain.brush = clNone;
    return;
  }
  chain.paragraphSlot = chain.brush;
  chain.brush = color;
  canvas_.SetPen(color, canvas_.PenWidth());
  canvas_.SetBrush(color);
  canvas_.Rectangle({rect_.left, line.rect.top, rect_.right, TextBottom(line)});
}

void MarkupEngine::PageBackground(std::string_view tag) {
  const std::string upper = UpperCaseAscii(tag);
  const std::size_t from = NameEnd(upper);
  if (const auto picture = AttributeValue(upper, "BACKGROUND", from);
      picture && !picture->empty()) {
    // Names and addresses keep their case.
    const std::size_t offset = static_cast<std::size_t>(picture->data() - upper.data());
    std::string source(tag.substr(offset, picture->size()));
    PictureRef ref;
    ref.kind = source.find("://") != std::string::npos ? PictureRef::Kind::kAddress
                                                       : PictureRef::Kind::kNamed;
    ref.source = std::move(source);
    if (ref.kind == PictureRef::Kind::kAddress || ref.source.find(':') == std::string::npos) {
      if (!canvas_.PictureSize(ref).IsEmpty()) canvas_.TilePicture(ref, rect_);
    }
  }
  const auto background = AttributeValue(upper, "BGCOLOR", from);
  if (!background) return;
  const Color color = ParseMarkupColor(*background);
  FontChain& chain = positionChain_;
  if (const auto colorTo = AttributeValue(upper, "BGCOLORTO", from)) {
    const auto direction = AttributeValue(upper, "DIR", from);
    const bool horizontal = !direction || direction->empty() || *direction == "H";
    DrawGradient(canvas_, color, ParseMarkupColor(*colorTo), kBackgroundGradientSteps, rect_,
                 horizontal ? GradientDirection::kHorizontal : GradientDirection::kVertical);
    chain.brush = clNone;
    return;
  }
  chain.fontBackgroundSlot = chain.brush;
  chain.brush = color;
  const Color pen = canvas_.PenColor();
  const int penWidth = canvas_.PenWidth();
  canvas_.SetPen(color, penWidth);
  canvas_.SetBrush(color);
  canvas_.Rectangle(
      {ClampPixel(std::int64_t{rect_.left} - 2), rect_.top, rect_.right, rect_.bottom});
  canvas_.SetPen(pen, penWidth);
}

void MarkupEngine::DrawRule(const LinePass& line) {
  const Color pen = canvas_.PenColor();
  const int penWidth = canvas_.PenWidth();
  const int y = ClampPixel(std::int64_t{TextBottom(line)} + 1);
  canvas_.SetPen(clBlack, penWidth);
  canvas_.MoveTo({line.rect.left, y});
  canvas_.LineTo({line.rect.right, y});
  canvas_.SetPen(pen, penWidth);
}

TagOutcome MarkupEngine::ListItem(LinePass& line) {
  if (line.listItemSeen) return {.noFit = true};
  line.listItemSeen = true;
  const std::int64_t level = flow_.listLevel;
  line.width = ClampPixel(line.width + level * kListIndent);
  line.pen = ClampPixel(line.pen + (level - 1) * kListIndent);
  if (line.drawing && !flow_.hidden) {
    FontStyle bullet = Chain(line).font;
    bullet.face = "Symbol";
    canvas_.SetBrush(Chain(line).brush);
    UseFont(bullet);
    // The bullet of odd levels is U+2022, the Symbol face's bullet sign.
    canvas_.DrawText({line.pen, line.rect.top, line.rect.right, RunBottom(line)},
                     level % 2 != 0 ? "\xE2\x80\xA2" : "o",
                     flags_ & ~static_cast<unsigned>(kTextExternalLeading));
  }
  line.pen = ClampPixel(std::int64_t{line.pen} + kListIndent);
  return {};
}

void MarkupEngine::Indent(LinePass& line, std::string_view tag) {
  const std::string upper = UpperCaseAscii(tag);
  const std::size_t x = upper.find('X', 2);
  if (x == std::string::npos) return;
  const auto value = AttributeValue(upper, "X", x);
  if (!value) return;
  const std::optional<int> stop = ReadWholeNumber(*value);
  if (stop && line.width < *stop) {
    line.width = *stop;
    line.pen = ClampPixel(std::int64_t{rect_.left} + *stop);
  }
}

void MarkupEngine::Rotate(LinePass& line, std::string_view tag) {
  const std::string upper = UpperCaseAscii(tag);
  const std::size_t a = upper.find('A', 2);
  const auto value = a == std::string::npos ? std::nullopt : AttributeValue(upper, "A", a);
  const int degrees = value ? ReadNumber(*value) : 0;
  FontChain& chain = Chain(line);
  chain.escapementBeforeRotation = chain.font.escapement;
  chain.font.escapement = degrees * 10;
}

}  // namespace lumivane
