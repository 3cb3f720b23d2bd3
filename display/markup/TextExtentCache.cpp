#include "display/markup/TextExtentCache.h"

#include "display/markup/QtCanvas.h"

namespace lumivane {
namespace {

// Markup switches between a handful of fonts; a few dozen are plenty, and
// markup that names thousands does not keep them all alive.
constexpr std::size_t kMaxFonts = 48;
constexpr std::size_t kMaxWidthsPerFont = 4096;
// Long runs are rare and seldom repeat; they are measured every time.
constexpr std::size_t kMaxCachedText = 256;

}  // namespace

bool SameMetrics(const FontStyle& a, const FontStyle& b) {
  return a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.strikeOut == b.strikeOut &&
         a.antialiased == b.antialiased && a.escapement == b.escapement && a.face == b.face;
}

std::shared_ptr<TextExtentCache::Font> TextExtentCache::FontFor(const FontStyle& fontStyle,
                                                                const QPaintDevice* device,
                                                                int dpiX, int dpiY) {
  for (auto it = fonts_.begin(); it != fonts_.end(); ++it) {
    const Font& font = **it;
    if (font.dpiX == dpiX && font.dpiY == dpiY && SameMetrics(font.key, fontStyle)) {
      if (it != fonts_.begin()) fonts_.splice(fonts_.begin(), fonts_, it);
      return fonts_.front();
    }
  }
  FontStyle key = fontStyle;
  key.color = clBlack;
  const QFont qfont = QtCanvas::ToQFont(key);
  const QFontMetrics metrics(qfont, device);
  fonts_.push_front(std::make_shared<Font>(Font{key,
                                                dpiX,
                                                dpiY,
                                                qfont,
                                                metrics,
                                                metrics.height(),
                                                metrics.leading(),
                                                metrics.descent(),
                                                {}}));
  if (fonts_.size() > kMaxFonts) fonts_.pop_back();
  return fonts_.front();
}

int TextExtentCache::Width(Font& font, std::string_view text, bool expandTabs) {
  const bool cached = text.size() <= kMaxCachedText && text.find('\t') == std::string_view::npos;
  if (cached) {
    const auto it = font.widths.find(std::string(text));
    if (it != font.widths.end()) return it->second;
  }
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const int width = expandTabs && shown.contains(u'\t')
                        ? font.metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, shown).width()
                        : font.metrics.horizontalAdvance(shown);
  if (cached) {
    if (font.widths.size() >= kMaxWidthsPerFont) font.widths.clear();
    font.widths.emplace(std::string(text), width);
  }
  return width;
}

}  // namespace lumivane
