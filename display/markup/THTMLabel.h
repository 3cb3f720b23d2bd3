#pragma once
// The markup label: a widget that paints its background, optional bevels and
// border, then has DrawMarkup draw its markup lines over a QtCanvas. It
// follows the pointer over links (hand cursor, enter and exit events, hover
// repaints), reports link clicks, serves hints, and can size itself to the
// markup, also while hidden (PaintNow), which is how windows are measured.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/markup/DrawMarkup.h"
#include "display/markup/THTMLPictureCache.h"
#include "display/markup/TextExtentCache.h"

class QMenu;
class QPainter;
class QUrl;

namespace lumivane {

class QtCanvas;
class TImageList;
class TPictureContainer;

// Where a label sits in its parent; every value but alNone follows the
// parent's size.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAutoSizeType { asVertical, asHorizontal, asBoth };
enum class TVAlignment { tvaTop, tvaCenter, tvaBottom };
enum class TGradientType {
  gtFullHorizontal,
  gtFullVertical,
  gtBottomLine,
  gtCenterLine,
  gtTopLine
};
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };

// The label's markup lines; they are joined without separators, so a tag may
// run over two lines. Every change goes to the owner's change notice.
class THTMLStrings {
 public:
  explicit THTMLStrings(std::function<void()> changed) : changed_(std::move(changed)) {}
  THTMLStrings(const THTMLStrings&) = delete;
  THTMLStrings& operator=(const THTMLStrings&) = delete;

  int Count() const { return static_cast<int>(lines_.size()); }
  // Index errors throw std::out_of_range.
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  const std::vector<std::string>& Lines() const { return lines_; }

  void Add(std::string line);
  void Insert(int index, std::string line);
  void Put(int index, std::string line);
  void Delete(int index);
  // Nothing happens (no change notice) when the list is already empty.
  void Clear();
  // The list becomes one line: the given lines joined, every carriage return
  // and line feed removed.
  void Assign(const std::vector<std::string>& lines);
  void Assign(const THTMLStrings& other) { Assign(other.lines_); }

  // All lines concatenated.
  std::string Text() const;

 private:
  void Changed();

  std::vector<std::string> lines_;
  std::function<void()> changed_;
};

// The link under a point: its target and rectangle, or an empty target and
// the rectangle (-1, -1, -1, -1).
struct LabelAnchor {
  std::string target;
  Rect rect{-1, -1, -1, -1};
};

class THTMLabel : public QWidget {
  Q_OBJECT

 public:
  explicit THTMLabel(QWidget* parent = nullptr);
  ~THTMLabel() override;

  // --- Markup and its sources -------------------------------------------
  // Every change repaints and forgets the pictures loaded by address.
  THTMLStrings& HTMLText() { return htmlText_; }
  const THTMLStrings& HTMLText() const { return htmlText_; }
  // Copies the lines as one line without carriage returns and line feeds.
  void SetHTMLText(const std::vector<std::string>& lines);
  void SetHTMLText(const THTMLStrings& lines);

  // The label follows the list's change notice, and forgets it when it goes.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  TPictureContainer* PictureContainer() const { return container_; }
  void SetPictureContainer(TPictureContainer* container);

  // --- Properties with the label's defaults -------------------------------
  // Background colour (default clBtnFace).
  lumivane::Color Color() const { return color_; }
  void SetColor(lumivane::Color color);
  // No background is painted; the parent shows through.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The base font of the markup is the widget's font (QWidget::font) with this
  // text colour (default clWindowText).
  QFont Font() const { return font(); }
  void SetFont(const QFont& font);
  lumivane::Color FontColor() const { return fontColor_; }
  void SetFontColor(lumivane::Color color);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  QString Hint() const { return hint_; }
  void SetHint(const QString& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show) { showHint_ = show; }
  // Shown on a right click; the label forgets a menu that is destroyed.
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu);

  // Stored only: links take the colours the markup gives them.
  lumivane::Color URLColor() const { return urlColor_; }
  void SetURLColor(lumivane::Color color);
  lumivane::Color ShadowColor() const { return shadowColor_; }
  void SetShadowColor(lumivane::Color color);
  int ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(int offset);
  // On: hover colours only for the link under the pointer, repainted as the
  // pointer moves. Off: hover colours that are set apply to every link.
  bool Hover() const { return hover_; }
  void SetHover(bool hover);
  lumivane::Color HoverColor() const { return hoverColor_; }
  void SetHoverColor(lumivane::Color color);
  lumivane::Color HoverFontColor() const { return hoverFontColor_; }
  void SetHoverFontColor(lumivane::Color color);
  // A link's target as the hint over it.
  bool AnchorHint() const { return anchorHint_; }
  void SetAnchorHint(bool on) { anchorHint_ = on; }
  // The whole markup as the hint where no link hint applies: its plain text,
  // or the markup itself with HTMLHint.
  bool HintShowFull() const { return hintShowFull_; }
  void SetHintShowFull(bool on) { hintShowFull_ = on; }
  bool HTMLHint() const { return htmlHint_; }
  void SetHTMLHint(bool on) { htmlHint_ = on; }
  // Resize to the markup after each paint (never while aligned to fill the
  // parent): 6 pixels beyond the widest line and the total height.
  bool AutoSizing() const { return autoSizing_; }
  void SetAutoSizing(bool on);
  TAutoSizeType AutoSizeType() const { return autoSizeType_; }
  void SetAutoSizeType(TAutoSizeType type);
  TVAlignment VAlignment() const { return vAlignment_; }
  void SetVAlignment(TVAlignment alignment);
  // Off: lines wrap at blanks. On: no wrapping; a line that does not fit ends
  // with an ellipsis and ends the text.
  bool Ellipsis() const { return ellipsis_; }
  void SetEllipsis(bool on);
  TGradientType GradientType() const { return gradientType_; }
  void SetGradientType(TGradientType type);
  // The second gradient colour; clNone gives a plain background.
  lumivane::Color ColorTo() const { return colorTo_; }
  void SetColorTo(lumivane::Color color);
  // Text with grey-scale anti-aliasing instead of the default smoothing.
  bool IgnoreClearType() const { return ignoreClearType_; }
  void SetIgnoreClearType(bool on);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  // bsSingle draws a black border of BorderWidth.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  // Stored only.
  int LineWidth() const { return lineWidth_; }
  void SetLineWidth(int width);
  // "1.7.0.0".
  std::string Version() const;

  // --- Events ----------------------------------------------------------------
  // Clicks on links whose target is not a web or mail address.
  std::function<void(const std::string& anchor)> OnAnchorClick;
  // The pointer came onto a link; it left links (the anchor is then empty).
  std::function<void(const std::string& anchor)> OnAnchorEnter;
  std::function<void(const std::string& anchor)> OnAnchorExit;
  // May change the hint text shown over a link (with AnchorHint).
  std::function<void(std::string& anchor)> OnAnchorHint;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  // Any button pressed, before links are looked at; the point is in the
  // label's coordinates.
  std::function<void(Qt::MouseButton button, const QPoint& pos)> OnMouseDown;
  // Opens web and mail addresses that a link click hands over; only http,
  // https and mailto ever reach it. Defaults to QDesktopServices::openUrl.
  std::function<void(const QUrl& address)> UrlOpener;

  // --- Operations ------------------------------------------------------------
  // 1, 7, 0, 0 packed from the high byte down.
  virtual int GetVersionNumber() const;
  // The lines of HTMLText concatenated.
  virtual std::string GetMarkupText() const;
  // Repaints; called after HTMLText is assigned.
  virtual void MarkupTextChanged();
  // DrawMarkup with the label's images, pictures, shadow, hover and wrapping.
  virtual MarkupResult RenderMarkup(QtCanvas& canvas, std::string_view text, const Rect& rect,
                                    std::optional<Point> point, bool measureOnly);

  // The link under a client point; it becomes the hover link.
  LabelAnchor AnchorAt(int x, int y);
  // While the counter is above 0 only the background is painted; the fall
  // from 1 to 0 repaints.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // Lays the markup out at once and applies auto-sizing; a label that is not
  // on screen is only measured (one layout), so this works while hidden.
  void PaintNow();
  // A source that is going away (the image list, the picture container, the
  // popup menu) is cleared.
  void Notification(QObject* component);
  // The hint for a client point by the hint rules; empty for none.
  QString HintAt(const QPoint& pos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Paints on `painter` (or, without drawing, only lays out); nothing when
  // the update counter is above 0.
  std::optional<MarkupResult> Paint(QPainter& painter, bool drawing);
  void PaintBackground(QtCanvas& canvas, const Rect& client);
  void PaintFrames(QtCanvas& canvas, const Rect& client);
  void ApplyAutoSize(const MarkupResult& result);
  void PrepareCanvas(QtCanvas& canvas);
  // The rectangle the markup is laid out in, for painting and hit tests.
  Rect MarkupRect() const;
  Rect AlignVertically(QtCanvas& canvas, std::string_view markup, Rect rect);
  bool SizesHorizontally() const;
  bool SizesVertically() const;
  void ActivateLink(const std::string& target);
  void TrackPointer(const QPoint& pos);
  void RepaintLinkRect(const Rect& rect);
  void Realign();
  void WatchParent();
  void MarkupChanged();

  THTMLStrings htmlText_;
  THTMLPictureCache pictureCache_;
  // Run widths kept between layouts: every paint and mouse move lays out again.
  TextExtentCache extents_;
  TImageList* images_ = nullptr;
  TPictureContainer* container_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QWidget* watchedParent_ = nullptr;

  lumivane::Color color_;
  bool transparent_ = false;
  lumivane::Color fontColor_;
  TAlign align_ = TAlign::alNone;
  QString hint_;
  bool showHint_ = false;
  lumivane::Color urlColor_ = clBlue;
  lumivane::Color shadowColor_ = RGB(0x80, 0x80, 0x80);
  int shadowOffset_ = 2;
  bool hover_ = false;
  lumivane::Color hoverColor_ = clNone;
  lumivane::Color hoverFontColor_ = clNone;
  bool anchorHint_ = false;
  bool hintShowFull_ = false;
  bool htmlHint_ = false;
  bool autoSizing_ = false;
  TAutoSizeType autoSizeType_ = TAutoSizeType::asVertical;
  TVAlignment vAlignment_ = TVAlignment::tvaTop;
  bool ellipsis_ = false;
  TGradientType gradientType_ = TGradientType::gtFullHorizontal;
  lumivane::Color colorTo_ = clNone;
  bool ignoreClearType_ = true;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  TBevelCut bevelOuter_ = TBevelCut::bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
  int lineWidth_ = 0;

  int updateCount_ = 0;
  // The link last found under the pointer (-1: none), and what pointer
  // tracking saw last.
  int hoverAnchor_ = -1;
  std::string lastTarget_;
  int lastAnchor_ = -1;
  Rect lastRect_{-1, -1, -1, -1};
  bool handCursor_ = false;
};

}  // namespace lumivane
