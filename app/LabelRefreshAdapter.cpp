#include "app/LabelRefreshAdapter.h"

#include <QFontMetrics>

#include "display/markup/THTMLabel.h"

namespace lumivane {

LabelRefreshAdapter::LabelRefreshAdapter(THTMLabel& label) : label_(label) {}

LabelRefreshAdapter::~LabelRefreshAdapter() = default;

int LabelRefreshAdapter::FontPointSize() const {
  return label_.Font().pointSize();
}

void LabelRefreshAdapter::SetIgnoreClearType(bool ignore) {
  label_.SetIgnoreClearType(ignore);
}

void LabelRefreshAdapter::SetLinkColorToFontColor() {
  label_.SetURLColor(label_.FontColor());
}

void LabelRefreshAdapter::ClearLines() {
  label_.HTMLText().Clear();
}

void LabelRefreshAdapter::AddLine(std::string line) {
  label_.HTMLText().Add(std::move(line));
}

void LabelRefreshAdapter::MeasureLines(int& width, int& height) {
  if (!measure_) {
    measure_ = std::make_unique<THTMLabel>();
    measure_->setAttribute(Qt::WA_DontShowOnScreen);
    measure_->SetAutoSizing(true);
    measure_->SetAutoSizeType(TAutoSizeType::asBoth);
  }
  THTMLabel& measure = *measure_;
  measure.move(0, 0);
  measure.SetFont(label_.Font());
  measure.SetFontColor(label_.FontColor());
  measure.SetIgnoreClearType(label_.IgnoreClearType());
  // Images take room in a line, so the measure uses the same ones.
  measure.SetImages(label_.Images());
  measure.SetShadowOffset(label_.ShadowOffset());
  measure.SetHTMLText(label_.HTMLText());
  measure.PaintNow();
  width = measure.width();
  height = measure.height();
}

int LabelRefreshAdapter::TextHeight(const std::string&) {
  // Every text of one line is as high as the font's line.
  return QFontMetrics(label_.Font()).height();
}

}  // namespace lumivane
