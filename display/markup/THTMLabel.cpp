#include "display/markup/THTMLabel.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

#include "display/markup/MarkupGradient.h"
#include "display/markup/MarkupPlainText.h"
#include "display/markup/QtCanvas.h"
#include "display/markup/TImageList.h"
#include "display/markup/TPictureContainer.h"

namespace lumivane {
namespace {

// Auto-sizing lays the markup out without a limit in the sized direction.
constexpr int kUnlimited = 65535;
// Room added around the measured markup by auto-sizing.
constexpr int kAutoSizeMargin = 6;
constexpr int kVersion[4] = {1, 7, 0, 0};
constexpr lumivane::Color kBtnFace = SystemColor(15);
constexpr lumivane::Color kBtnShadow = SystemColor(16);
constexpr lumivane::Color kBtnHighlight = SystemColor(20);
constexpr lumivane::Color kWindowText = SystemColor(8);
// A link hint sits beside the pointer, not under it.
const QPoint kAnchorHintOffset(10, -10);

QRect ToQRect(const Rect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

Rect Inset(Rect r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

bool IsLineStyle(TGradientType type) {
  return type == TGradientType::gtBottomLine || type == TGradientType::gtCenterLine ||
         type == TGradientType::gtTopLine;
}

// The 2-pixel band a line style draws in.
Rect LineBand(Rect r, TGradientType type) {
  switch (type) {
    case TGradientType::gtBottomLine:
      r.top = r.bottom - 2;
      break;
    case TGradientType::gtCenterLine:
      r.top += r.Height() / 2;
      r.bottom = r.top + 2;
      break;
    default:
      r.bottom = r.top + 2;
      break;
  }
  return r;
}

// Three-dimensional frame lines, `width` of them from the outside in; `r`
// moves inward past them.
void Frame3D(Canvas& canvas, Rect& r, lumivane::Color top, lumivane::Color bottom, int width) {
  canvas.SetPen(canvas.PenColor(), 1);
  --r.right;
  --r.bottom;
  for (; width > 0; --width) {
    canvas.SetPen(top, 1);
    canvas.MoveTo({r.left, r.bottom});
    canvas.LineTo({r.left, r.top});
    canvas.LineTo({r.right, r.top});
    canvas.SetPen(bottom, 1);
    canvas.LineTo({r.right, r.bottom});
    canvas.LineTo({r.left - 1, r.bottom});
    r = Inset(r, 1);
  }
  ++r.right;
  ++r.bottom;
}

void FrameBevel(Canvas& canvas, Rect& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  const bool lowered = cut == TBevelCut::bvLowered;
  Frame3D(canvas, r, lowered ? kBtnShadow : kBtnHighlight, lowered ? kBtnHighlight : kBtnShadow,
          width);
}

// Links to web and mail addresses are handed to the desktop; the rest are the
// program's own.
bool IsAddressTarget(std::string_view target) {
  return target.find("://") != std::string_view::npos ||
         target.find("mailto:") != std::string_view::npos;
}

// Link targets come from other people's invitations, so the desktop only
// gets web and mail addresses: never a file, a share or a launcher.
std::optional<QUrl> OpenableAddress(std::string_view target) {
  const QUrl url(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())),
                 QUrl::StrictMode);
  if (!url.isValid()) return std::nullopt;
  const QString scheme = url.scheme().toLower();
  if (scheme == u"mailto") return url;
  if ((scheme == u"http" || scheme == u"https") && !url.host().isEmpty()) return url;
  return std::nullopt;
}

// A 1x1 picture with the widget's dots per inch, so that layouts measured on
// it match what the widget paints.
class MeasureSurface {
 public:
  explicit MeasureSurface(const QWidget& widget) : image_(1, 1, QImage::Format_RGB32) {
    image_.setDotsPerMeterX(qRound(widget.logicalDpiX() / 0.0254));
    image_.setDotsPerMeterY(qRound(widget.logicalDpiY() / 0.0254));
    painter_.begin(&image_);
    painter_.setFont(widget.font());
  }
  QPainter& Painter() { return painter_; }

 private:
  QImage image_;
  QPainter painter_;
};

}  // namespace

// --- THTMLStrings --------------------------------------------------------------

const std::string& THTMLStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  return lines_[static_cast<std::size_t>(index)];
}

void THTMLStrings::Add(std::string line) {
  lines_.push_back(std::move(line));
  Changed();
}

void THTMLStrings::Insert(int index, std::string line) {
  if (index < 0 || index > Count()) throw std::out_of_range("list index out of bounds");
  lines_.insert(lines_.begin() + index, std::move(line));
  Changed();
}

void THTMLStrings::Put(int index, std::string line) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  lines_[static_cast<std::size_t>(index)] = std::move(line);
  Changed();
}

void THTMLStrings::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  lines_.erase(lines_.begin() + index);
  Changed();
}

void THTMLStrings::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

void THTMLStrings::Assign(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) {
    for (const char c : line) {
      if (c != '\r' && c != '\n') joined += c;
    }
  }
  lines_.assign(1, std::move(joined));
  Changed();
}

std::string THTMLStrings::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line;
  return text;
}

void THTMLStrings::Changed() {
  if (changed_) changed_();
}

// --- THTMLabel -----------------------------------------------------------------

THTMLabel::THTMLabel(QWidget* parent)
    : QWidget(parent),
      htmlText_([this] { MarkupChanged(); }),
      color_(kBtnFace),
      fontColor_(kWindowText) {
  setMouseTracking(true);
  UrlOpener = [](const QUrl& address) { QDesktopServices::openUrl(address); };
  WatchParent();
}

THTMLabel::~THTMLabel() {
  pictureCache_.Clear();
}

void THTMLabel::MarkupChanged() {
  pictureCache_.Clear();
  update();
}

void THTMLabel::SetHTMLText(const std::vector<std::string>& lines) {
  htmlText_.Assign(lines);
  MarkupTextChanged();
}

void THTMLabel::SetHTMLText(const THTMLStrings& lines) {
  if (&lines == &htmlText_) return;
  SetHTMLText(lines.Lines());
}

void THTMLabel::SetImages(TImageList* images) {
  if (images_ != nullptr) disconnect(images_, nullptr, this, nullptr);
  images_ = images;
  if (images_ != nullptr) {
    connect(images_, &TImageList::Changed, this, [this] { update(); });
    connect(images_, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
  }
  update();
}

void THTMLabel::SetPictureContainer(TPictureContainer* container) {
  if (container_ != nullptr) disconnect(container_, nullptr, this, nullptr);
  container_ = container;
  if (container_ != nullptr) {
    connect(container_, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
  }
  update();
}

void THTMLabel::SetPopupMenu(QMenu* menu) {
  if (popupMenu_ != nullptr) disconnect(popupMenu_, nullptr, this, nullptr);
  popupMenu_ = menu;
  if (popupMenu_ != nullptr) {
    connect(popupMenu_, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
  }
}

void THTMLabel::Notification(QObject* component) {
  if (component == nullptr) return;
  if (component == static_cast<QObject*>(images_)) {
    images_ = nullptr;
    update();
  }
  if (component == static_cast<QObject*>(container_)) {
    container_ = nullptr;
    update();
  }
  if (component == static_cast<QObject*>(popupMenu_)) popupMenu_ = nullptr;
}

void THTMLabel::SetColor(lumivane::Color color) {
  color_ = color;
  update();
}

void THTMLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}

void THTMLabel::SetFont(const QFont& font) {
  setFont(font);
  update();
}

void THTMLabel::SetFontColor(lumivane::Color color) {
  fontColor_ = color;
  update();
}

void THTMLabel::SetAlign(TAlign align) {
  align_ = align;
  Realign();
  update();
}

void THTMLabel::SetURLColor(lumivane::Color color) {
  if (urlColor_ == color) return;
  urlColor_ = color;
  update();
}

void THTMLabel::SetShadowColor(lumivane::Color color) {
  shadowColor_ = color;
  update();
}

void THTMLabel::SetShadowOffset(int offset) {
  shadowOffset_ = offset;
  update();
}

void THTMLabel::SetHover(bool hover) {
  hover_ = hover;
  update();
}

void THTMLabel::SetHoverColor(lumivane::Color color) {
  hoverColor_ = color;
  update();
}

void THTMLabel::SetHoverFontColor(lumivane::Color color) {
  hoverFontColor_ = color;
  update();
}

void THTMLabel::SetAutoSizing(bool on) {
  autoSizing_ = on;
  if (on) {
    // A fresh start for the sized side; the next paint grows it to the markup.
    if (align_ == TAlign::alLeft || align_ == TAlign::alRight) resize(kAutoSizeMargin, height());
    if (align_ == TAlign::alTop || align_ == TAlign::alBottom) resize(width(), kAutoSizeMargin);
    Realign();
  }
  update();
}

void THTMLabel::SetAutoSizeType(TAutoSizeType type) {
  autoSizeType_ = type;
  SetAutoSizing(autoSizing_);
}

void THTMLabel::SetVAlignment(TVAlignment alignment) {
  if (vAlignment_ == alignment) return;
  vAlignment_ = alignment;
  update();
}

void THTMLabel::SetEllipsis(bool on) {
  if (ellipsis_ == on) return;
  ellipsis_ = on;
  update();
}

void THTMLabel::SetGradientType(TGradientType type) {
  gradientType_ = type;
  update();
}

void THTMLabel::SetColorTo(lumivane::Color color) {
  colorTo_ = color;
  update();
}

void THTMLabel::SetIgnoreClearType(bool on) {
  ignoreClearType_ = on;
  update();
}

void THTMLabel::SetBevelInner(TBevelCut cut) {
  bevelInner_ = cut;
  update();
}

void THTMLabel::SetBevelOuter(TBevelCut cut) {
  bevelOuter_ = cut;
  update();
}

void THTMLabel::SetBevelWidth(int width) {
  bevelWidth_ = std::max(0, width);
  update();
}

void THTMLabel::SetBorderWidth(int width) {
  borderWidth_ = std::max(0, width);
  update();
}

void THTMLabel::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  update();
}

void THTMLabel::SetLineWidth(int width) {
  lineWidth_ = width;
  update();
}

int THTMLabel::GetVersionNumber() const {
  return (kVersion[0] << 24) | (kVersion[1] << 16) | (kVersion[2] << 8) | kVersion[3];
}

std::string THTMLabel::Version() const {
  const unsigned number = static_cast<unsigned>(GetVersionNumber());
  return std::to_string((number >> 24) & 0xFF) + "." + std::to_string((number >> 16) & 0xFF) + "." +
         std::to_string((number >> 8) & 0xFF) + "." + std::to_string(number & 0xFF);
}

std::string THTMLabel::GetMarkupText() const {
  return htmlText_.Text();
}

void THTMLabel::MarkupTextChanged() {
  update();
}

MarkupResult THTMLabel::RenderMarkup(QtCanvas& canvas, std::string_view text, const Rect& rect,
                                     std::optional<Point> point, bool measureOnly) {
  canvas.SetImages(images_);
  canvas.SetPictureContainer(container_);
  canvas.SetPictureCache(&pictureCache_);
  MarkupOptions options;
  options.point = point;
  options.hoverAnchor = hoverAnchor_;
  options.hover = hover_;
  options.shadowOffset = shadowOffset_;
  options.shadowColor = shadowColor_;
  options.hoverColor = hoverColor_;
  options.hoverFontColor = hoverFontColor_;
  options.measureOnly = measureOnly;
  options.wordWrap = !ellipsis_;
  options.ignoreClearType = ignoreClearType_;
  return DrawMarkup(canvas, text, rect, options);
}

void THTMLabel::BeginUpdate() {
  ++updateCount_;
}

void THTMLabel::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) update();
}

// --- Painting ------------------------------------------------------------------

void THTMLabel::PrepareCanvas(QtCanvas& canvas) {
  canvas.SetPalette(palette());
  canvas.SetFont(QtCanvas::FontStyleFromQFont(font(), fontColor_));
}

bool THTMLabel::SizesHorizontally() const {
  return autoSizing_ &&
         (align_ == TAlign::alNone || align_ == TAlign::alLeft || align_ == TAlign::alRight) &&
         (autoSizeType_ == TAutoSizeType::asHorizontal || autoSizeType_ == TAutoSizeType::asBoth);
}

bool THTMLabel::SizesVertically() const {
  return autoSizing_ &&
         (align_ == TAlign::alNone || align_ == TAlign::alTop || align_ == TAlign::alBottom) &&
         (autoSizeType_ == TAutoSizeType::asVertical || autoSizeType_ == TAutoSizeType::asBoth);
}

Rect THTMLabel::MarkupRect() const {
  // Inside the frames as PaintFrames draws them, then a gap of the bevel width
  // and, with a single border, of the border width. Painting and the hit test
  // both lay out here, so links are found where they are drawn.
  const bool bevelled = bevelInner_ != TBevelCut::bvNone || bevelOuter_ != TBevelCut::bvNone;
  int inset = borderWidth_;
  if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
  if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
  if (bevelled) inset += bevelWidth_;
  if (borderStyle_ == TBorderStyle::bsSingle) inset += borderWidth_;
  return Inset(Rect{0, 0, width(), height()}, inset);
}

Rect THTMLabel::AlignVertically(QtCanvas& canvas, std::string_view markup, Rect rect) {
  if (vAlignment_ == TVAlignment::tvaTop) return rect;
  const int total = RenderMarkup(canvas, markup, rect, std::nullopt, true).totalHeight;
  if (total >= height()) return rect;
  if (vAlignment_ == TVAlignment::tvaCenter) {
    rect.top += (rect.Height() - total) / 2;
  } else {
    rect.top = rect.bottom - total;
  }
  return rect;
}

void THTMLabel::PaintBackground(QtCanvas& canvas, const Rect& client) {
  const int steps = client.Width() / 4;
  if (!transparent_) {
    if (colorTo_ == clNone || IsLineStyle(gradientType_)) {
      canvas.SetBrush(color_);
      canvas.SetPen(color_, 1);
      canvas.Rectangle(client);
    } else {
      DrawGradient(canvas, color_, colorTo_, steps, client,
                   gradientType_ == TGradientType::gtFullVertical ? GradientDirection::kVertical
                                                                  : GradientDirection::kHorizontal);
    }
  }
  if (IsLineStyle(gradientType_)) {
    // Without a second colour the line is drawn in the background colour alone.
    DrawGradient(canvas, color_, colorTo_ == clNone ? color_ : colorTo_, steps,
                 LineBand(client, gradientType_), GradientDirection::kHorizontal);
  }
}

void THTMLabel::PaintFrames(QtCanvas& canvas, const Rect& client) {
  Rect r = client;
  FrameBevel(canvas, r, bevelOuter_, bevelWidth_);
  Frame3D(canvas, r, color_, color_, borderWidth_);
  FrameBevel(canvas, r, bevelInner_, bevelWidth_);
  if (borderStyle_ == TBorderStyle::bsSingle && borderWidth_ > 0) {
    canvas.SetBrush(clNone);
    canvas.SetPen(clBlack, borderWidth_);
    canvas.Rectangle(r);
  }
}

std::optional<MarkupResult> THTMLabel::Paint(QPainter& painter, bool drawing) {
  QtCanvas canvas(painter, &extents_);
  PrepareCanvas(canvas);
  const Rect client{0, 0, width(), height()};
  if (drawing) PaintBackground(canvas, client);
  if (updateCount_ > 0) return std::nullopt;
  if (drawing) PaintFrames(canvas, client);

  const std::string markup = GetMarkupText();
  canvas.SetBrush(color_);
  // Vertical placement is found in the control's own rectangle, so that a
  // label sizing itself keeps its markup in view.
  Rect rect = AlignVertically(canvas, markup, MarkupRect());
  if (SizesHorizontally()) rect.right += kUnlimited;
  if (SizesVertically()) rect.bottom += kUnlimited;
  std::optional<Point> pointer;
  if (drawing) {
    const QPoint at = mapFromGlobal(QCursor::pos());
    pointer = Point{at.x(), at.y()};
  }
  return RenderMarkup(canvas, markup, rect, pointer, !drawing);
}

void THTMLabel::ApplyAutoSize(const MarkupResult& result) {
  QSize size = this->size();
  if (SizesHorizontally()) size.setWidth(result.widestLine + kAutoSizeMargin);
  if (SizesVertically()) size.setHeight(result.totalHeight + kAutoSizeMargin);
  if (size == this->size()) return;
  resize(size);
  // A hidden widget gets no resize event until shown; keep an edge now.
  Realign();
}

void THTMLabel::paintEvent(QPaintEvent*) {
  std::optional<MarkupResult> result;
  {
    QPainter painter(this);
    result = Paint(painter, true);
  }
  if (result) ApplyAutoSize(*result);
}

void THTMLabel::PaintNow() {
  const QWindow* shown = window()->windowHandle();
  if (isVisible() && updatesEnabled() && shown != nullptr && shown->isExposed()) {
    repaint();
    return;
  }
  std::optional<MarkupResult> result;
  {
    MeasureSurface surface(*this);
    result = Paint(surface.Painter(), false);
  }
  if (result) ApplyAutoSize(*result);
}

// --- Links and the pointer -------------------------------------------------------

LabelAnchor THTMLabel::AnchorAt(int x, int y) {
  MeasureSurface surface(*this);
  QtCanvas canvas(surface.Painter(), &extents_);
  PrepareCanvas(canvas);
  const std::string markup = GetMarkupText();
  const Rect rect = AlignVertically(canvas, markup, MarkupRect());
  const MarkupResult result = RenderMarkup(canvas, markup, rect, Point{x, y}, true);
  hoverAnchor_ = result.anchorNumber;
  if (!result.overAnchor) {
    hoverAnchor_ = -1;
    return {};
  }
  return {result.anchorTarget, result.anchorRect};
}

void THTMLabel::ActivateLink(const std::string& target) {
  if (IsAddressTarget(target)) {
    if (const std::optional<QUrl> address = OpenableAddress(target); address && UrlOpener) {
      UrlOpener(*address);
    }
    return;
  }
  if (OnAnchorClick) OnAnchorClick(target);
}

void THTMLabel::RepaintLinkRect(const Rect& rect) {
  QWidget* parent = parentWidget();
  if (parent == nullptr) return;
  const QRect area = ToQRect(rect);
  if (area.isEmpty()) return;
  parent->update(area.translated(pos()));
}

void THTMLabel::TrackPointer(const QPoint& pos) {
  const LabelAnchor anchor = AnchorAt(pos.x(), pos.y());
  const Rect whole{0, 0, width(), height()};
  if (!anchor.target.empty()) {
    if (hover_ && anchor.rect.left != -1 &&
        (anchor.target != lastTarget_ || anchor.rect != lastRect_ || hoverAnchor_ == -1)) {
      RepaintLinkRect(lastRect_);
    }
    if (!handCursor_ || anchor.target != lastTarget_ || hoverAnchor_ != lastAnchor_) {
      if (anchorHint_) QToolTip::hideText();
      setCursor(Qt::PointingHandCursor);
      handCursor_ = true;
      if (OnAnchorEnter) OnAnchorEnter(anchor.target);
      if (hover_) RepaintLinkRect(anchor.rect.left == -1 ? whole : lastRect_);
    }
    lastTarget_ = anchor.target;
    lastAnchor_ = hoverAnchor_;
    lastRect_ = anchor.rect;
    if (hover_) RepaintLinkRect(anchor.rect);
  } else if (handCursor_) {
    unsetCursor();
    handCursor_ = false;
    if (OnAnchorExit) OnAnchorExit(std::string());
    if (hover_) RepaintLinkRect(lastRect_.left == -1 ? whole : lastRect_);
    lastRect_ = {-1, -1, -1, -1};
  }
}

void THTMLabel::mouseMoveEvent(QMouseEvent* event) {
  TrackPointer(event->position().toPoint());
  event->accept();
}

void THTMLabel::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const Qt::MouseButton button = event->button();
  event->accept();
  // The handler may start a window move or even close the window.
  const QPointer<THTMLabel> alive(this);
  if (OnMouseDown) OnMouseDown(button, at);
  if (!alive) return;
  const LabelAnchor anchor = AnchorAt(at.x(), at.y());
  if (button == Qt::LeftButton && !anchor.target.empty()) ActivateLink(anchor.target);
}

void THTMLabel::contextMenuEvent(QContextMenuEvent* event) {
  if (popupMenu_ == nullptr) {
    event->ignore();
    return;
  }
  popupMenu_->popup(event->globalPos());
  event->accept();
}

void THTMLabel::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (OnMouseEnter) OnMouseEnter();
}

void THTMLabel::leaveEvent(QEvent* event) {
  if (hover_ && hoverAnchor_ != -1) RepaintLinkRect(lastRect_);
  hoverAnchor_ = -1;
  QWidget::leaveEvent(event);
  if (OnMouseLeave) OnMouseLeave();
}

QString THTMLabel::HintAt(const QPoint& pos) {
  if (anchorHint_) {
    const LabelAnchor anchor = AnchorAt(pos.x(), pos.y());
    if (!anchor.target.empty()) {
      std::string text = anchor.target;
      if (OnAnchorHint) OnAnchorHint(text);
      return QString::fromStdString(text);
    }
  }
  if (hintShowFull_) {
    const std::string markup = GetMarkupText();
    return QString::fromStdString(htmlHint_ ? markup : MarkupToPlainText(markup));
  }
  return hint_;
}

bool THTMLabel::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    WatchParent();
    Realign();
  }
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString text = showHint_ ? HintAt(help->pos()) : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  const bool overLink = anchorHint_ && !AnchorAt(help->pos().x(), help->pos().y()).target.empty();
  QToolTip::showText(help->globalPos() + (overLink ? kAnchorHintOffset : QPoint()), text, this);
  return true;
}

// --- Alignment in the parent ------------------------------------------------------

void THTMLabel::WatchParent() {
  if (watchedParent_ == parentWidget()) return;
  if (watchedParent_ != nullptr) watchedParent_->removeEventFilter(this);
  watchedParent_ = parentWidget();
  if (watchedParent_ != nullptr) watchedParent_->installEventFilter(this);
}

void THTMLabel::Realign() {
  const QWidget* parent = parentWidget();
  if (parent == nullptr || align_ == TAlign::alNone) return;
  const QRect area = parent->contentsRect();
  QRect g = geometry();
  switch (align_) {
    case TAlign::alTop:
      g = QRect(area.left(), area.top(), area.width(), g.height());
      break;
    case TAlign::alBottom:
      g = QRect(area.left(), area.bottom() + 1 - g.height(), area.width(), g.height());
      break;
    case TAlign::alLeft:
      g = QRect(area.left(), area.top(), g.width(), area.height());
      break;
    case TAlign::alRight:
      g = QRect(area.right() + 1 - g.width(), area.top(), g.width(), area.height());
      break;
    case TAlign::alClient:
      g = area;
      break;
    case TAlign::alNone:
      break;
  }
  if (g != geometry()) setGeometry(g);
}

void THTMLabel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A label at the bottom or right edge that sized itself moves to stay there.
  Realign();
}

bool THTMLabel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedParent_ && event->type() == QEvent::Resize) Realign();
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumivane
