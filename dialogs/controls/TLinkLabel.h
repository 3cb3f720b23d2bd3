#pragma once
// A word-wrapped label with the link markup of LinkMarkup.h. Links are blue
// and underlined, purple while the pointer is over them and red once clicked;
// a click raises OnLinkClick with the link's number (from 0) and its text.
#include <QSet>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "dialogs/controls/LinkMarkup.h"

class QTextDocument;

namespace lumivane {

class TLinkLabel : public QWidget {
  Q_OBJECT

 public:
  explicit TLinkLabel(QWidget* parent = nullptr);
  ~TLinkLabel() override;

  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

  // The link under a point of the label, or -1.
  int LinkAt(const QPoint& pos) const;

  std::function<void(int link, const QString& text)> OnLinkClick;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  // The caption as rich text, links in their present colours.
  QString Html() const;
  void Rebuild();
  // Lays the caption out anew for the size queries: when the text or the
  // font changes, not when a link changes colour.
  void Remeasure();
  void SetHovered(int link);

  QString caption_;
  std::vector<LinkRun> runs_;
  std::vector<std::string> linkTexts_;
  QTextDocument* document_ = nullptr;
  // The size queries' own copy of the caption, so that asking a height for
  // another width does not lay out the painted text again.
  QTextDocument* measure_ = nullptr;
  int idealWidth_ = 0;
  int hovered_ = -1;
  int pressed_ = -1;
  QSet<int> clicked_;
};

}  // namespace lumivane
