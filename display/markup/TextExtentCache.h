#pragma once
// Fonts and run widths that QtCanvas measured, kept by whoever lays the same
// markup out again and again (the markup label: every paint, every mouse
// move), so that unchanged runs are not shaped again. Widths are exactly what
// QFontMetrics gives; only the work is saved. User-interface thread only.
#include <QFont>
#include <QFontMetrics>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "display/markup/Canvas.h"

class QPaintDevice;

namespace lumivane {

// Fonts that measure alike: everything but the colour is the same.
bool SameMetrics(const FontStyle& a, const FontStyle& b);

class TextExtentCache {
 public:
  struct Font {
    FontStyle key;  // the FontStyle without its colour, which the QFont does not hold
    int dpiX = 0;
    int dpiY = 0;
    QFont font;
    QFontMetrics metrics;
    int height = 0;  // what QFontMetrics would give, asked once
    int leading = 0;
    int descent = 0;
    std::unordered_map<std::string, int> widths;
  };

  // The font for a FontStyle on a device of that resolution; shared, so that it
  // outlives eviction.
  std::shared_ptr<Font> FontFor(const FontStyle& fontStyle, const QPaintDevice* device, int dpiX,
                                int dpiY);
  // The advance of a single-line text (tabs expanded when `expandTabs`).
  static int Width(Font& font, std::string_view text, bool expandTabs);

  int FontCount() const { return static_cast<int>(fonts_.size()); }
  void Clear() { fonts_.clear(); }

 private:
  std::list<std::shared_ptr<Font>> fonts_;  // most recently used first
};

}  // namespace lumivane
