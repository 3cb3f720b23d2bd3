#include "dialogs/controls/TLinkLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>

namespace lumivane {
namespace {

constexpr const char* kLinkColor = "#0000ff";
constexpr const char* kHoverColor = "#800080";
constexpr const char* kClickedColor = "#ff0000";

}  // namespace

TLinkLabel::TLinkLabel(QWidget* parent)
    : QWidget(parent), document_(new QTextDocument(this)), measure_(new QTextDocument(this)) {
  for (QTextDocument* document : {document_, measure_}) {
    document->setDocumentMargin(0);
    document->setDefaultFont(font());
  }
  setMouseTracking(true);
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

TLinkLabel::~TLinkLabel() = default;

void TLinkLabel::SetCaption(const QString& caption) {
  caption_ = caption;
  runs_ = ParseLinkMarkup(caption.toStdString());
  linkTexts_ = LinkTexts(runs_);
  hovered_ = -1;
  pressed_ = -1;
  clicked_.clear();
  Rebuild();
  Remeasure();
}

QString TLinkLabel::Html() const {
  // The text goes in as rich text; the runs' own text is escaped, so the
  // caption can hold nothing but bold and links.
  QString html;
  for (const LinkRun& run : runs_) {
    QString piece = QString::fromStdString(run.text).toHtmlEscaped();
    if (run.bold) piece = QStringLiteral("<b>") + piece + QStringLiteral("</b>");
    if (run.link >= 0) {
      const char* color = run.link == hovered_          ? kHoverColor
                          : clicked_.contains(run.link) ? kClickedColor
                                                        : kLinkColor;
      piece = QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:underline\">%3</a>")
                  .arg(run.link)
                  .arg(QLatin1String(color), piece);
    }
    html += piece;
  }
  return QStringLiteral("<div style=\"color:%1\">%2</div>")
      .arg(palette().color(QPalette::WindowText).name(), html);
}

void TLinkLabel::Rebuild() {
  document_->setHtml(Html());
  document_->setTextWidth(width() > 0 ? width() : -1);
  update();
}

void TLinkLabel::Remeasure() {
  measure_->setDefaultFont(font());
  measure_->setHtml(Html());
  measure_->setTextWidth(-1);
  idealWidth_ = qCeil(measure_->idealWidth());
  updateGeometry();
}

int TLinkLabel::LinkAt(const QPoint& pos) const {
  const QString anchor = document_->documentLayout()->anchorAt(QPointF(pos));
  bool ok = false;
  const int link = anchor.toInt(&ok);
  return ok ? link : -1;
}

QSize TLinkLabel::sizeHint() const {
  // As wide as the text unwrapped, at most as a line of a small dialog.
  const int width = qMin(idealWidth_, fontMetrics().averageCharWidth() * 60);
  return {width, heightForWidth(width)};
}

QSize TLinkLabel::minimumSizeHint() const {
  const int width = fontMetrics().averageCharWidth() * 10;
  return {width, fontMetrics().height()};
}

int TLinkLabel::heightForWidth(int width) const {
  // Laid out again only when the width differs from the last one asked.
  if (measure_->textWidth() != width) measure_->setTextWidth(width);
  return qCeil(measure_->size().height());
}

void TLinkLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  document_->drawContents(&painter, QRectF(rect()));
}

void TLinkLabel::resizeEvent(QResizeEvent* e) {
  document_->setTextWidth(width());
  QWidget::resizeEvent(e);
}

void TLinkLabel::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange) {
    document_->setDefaultFont(font());
    Rebuild();
    // The text colour takes no room.
    if (e->type() == QEvent::FontChange) Remeasure();
  }
  QWidget::changeEvent(e);
}

void TLinkLabel::SetHovered(int link) {
  if (link == hovered_) return;
  hovered_ = link;
  if (link >= 0) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
  Rebuild();
}

void TLinkLabel::mouseMoveEvent(QMouseEvent* e) {
  SetHovered(LinkAt(e->position().toPoint()));
  QWidget::mouseMoveEvent(e);
}

void TLinkLabel::mousePressEvent(QMouseEvent* e) {
  pressed_ = e->button() == Qt::LeftButton ? LinkAt(e->position().toPoint()) : -1;
  QWidget::mousePressEvent(e);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  const int link = LinkAt(e->position().toPoint());
  const bool click = e->button() == Qt::LeftButton && link >= 0 && link == pressed_;
  pressed_ = -1;
  if (click) {
    clicked_.insert(link);
    Rebuild();
    // The handler may open a window or close this one: nothing of the label
    // is touched after it.
    if (OnLinkClick) {
      OnLinkClick(link, QString::fromStdString(linkTexts_[static_cast<std::size_t>(link)]));
    }
    return;
  }
  QWidget::mouseReleaseEvent(e);
}

void TLinkLabel::leaveEvent(QEvent* e) {
  SetHovered(-1);
  QWidget::leaveEvent(e);
}

}  // namespace lumivane
