#pragma once
// The display label as a refresh fills and measures it.
#include <memory>

#include "display/RefreshDisplay.h"

namespace lumivane {

class THTMLabel;

class LabelRefreshAdapter : public RefreshLabel {
 public:
  explicit LabelRefreshAdapter(THTMLabel& label);
  ~LabelRefreshAdapter() override;

  int FontPointSize() const override;
  void SetIgnoreClearType(bool ignore) override;
  void SetLinkColorToFontColor() override;
  void ClearLines() override;
  void AddLine(std::string line) override;
  // A never shown label with the same font, images and lines, sized to its
  // markup in both directions by one layout. It is kept from one refresh to
  // the next, so the text widths it measured stay known.
  void MeasureLines(int& width, int& height) override;
  int TextHeight(const std::string& text) override;

 private:
  THTMLabel& label_;
  std::unique_ptr<THTMLabel> measure_;
};

}  // namespace lumivane
