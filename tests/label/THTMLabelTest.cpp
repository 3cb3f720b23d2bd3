// The markup label on the offscreen platform: auto-sizing (also while
// hidden), alignment in the parent, the update counter, the markup lines,
// link clicks and the desktop opener, pointer tracking and hover repaints,
// hints, painting of background and frames, and sources that go away.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QUrl>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DisplayLabelSetup.h"
#include "base/ColorText.h"
#include "display/markup/DrawMarkup.h"
#include "display/markup/QtCanvas.h"
#include "display/markup/QtColor.h"
#include "display/markup/THTMLabel.h"
#include "display/markup/TImageList.h"
#include "support/WorkedExamples.h"

namespace lumivane {
namespace {

const std::vector<std::string>& kExampleLines = test::FirstWorkedExampleLines();

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

constexpr Color kBackground = RGB(20, 40, 90);

bool IsTextPixel(QRgb p) {
  return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) > 150;
}

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
  int count = 0;
  const QRect clipped = area & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      if (test(image.pixel(x, y))) ++count;
    }
  }
  return count;
}

QRect ToQRect(const Rect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos,
               Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), button,
                    type == QEvent::MouseMove ? Qt::MouseButtons() : Qt::MouseButtons(button),
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

// Records what was painted, to see which area a change repaints.
class RecordingLabel : public THTMLabel {
 public:
  using THTMLabel::THTMLabel;
  QRegion painted;
  int resizes = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted += event->region();
    THTMLabel::paintEvent(event);
  }
  void resizeEvent(QResizeEvent* event) override {
    ++resizes;
    THTMLabel::resizeEvent(event);
  }
};

class LabelTest : public ::testing::Test {
 protected:
  LabelTest() : images_(QSize(16, 16)) {
    for (int i = 0; i < 6; ++i) {
      QPixmap picture(16, 16);
      picture.fill(QColor::fromHsv(i * 60, 255, 200));
      images_.Add(picture);
    }
    font_.setFamily("DejaVu Sans");
    font_.setPointSize(8);
  }

  // A label with the display's looks: white DejaVu Sans on a dark background.
  void Dress(THTMLabel& label, const std::vector<std::string>& lines = kExampleLines) {
    label.SetFont(font_);
    label.SetFontColor(clWhite);
    label.SetColor(kBackground);
    label.SetImages(&images_);
    for (const std::string& line : lines) label.HTMLText().Add(line);
  }

  // The engine on its own, over a canvas with the label's font and dots per
  // inch: what the label must agree with.
  struct EngineCanvas {
    EngineCanvas(const QWidget& like, TImageList& images, const QFont& font)
        : image(1, 1, QImage::Format_RGB32) {
      image.setDotsPerMeterX(qRound(like.logicalDpiX() / 0.0254));
      image.setDotsPerMeterY(qRound(like.logicalDpiY() / 0.0254));
      painter.begin(&image);
      canvas = std::make_unique<QtCanvas>(painter);
      canvas->SetImages(&images);
      canvas->SetFont(QtCanvas::FontStyleFromQFont(font, clWhite));
    }
    ~EngineCanvas() {
      canvas.reset();
      painter.end();
    }
    MarkupResult Run(const std::string& markup, const Rect& rect, std::optional<Point> point = {},
                     bool wordWrap = true) {
      MarkupOptions options;
      options.measureOnly = true;
      options.point = point;
      options.wordWrap = wordWrap;
      return DrawMarkup(*canvas, markup, rect, options);
    }
    QImage image;
    QPainter painter;
    std::unique_ptr<QtCanvas> canvas;
  };

  MarkupResult Engine(const QWidget& like, const std::string& markup, const Rect& rect,
                      std::optional<Point> point = {}, bool wordWrap = true) {
    return EngineCanvas(like, images_, font_).Run(markup, rect, point, wordWrap);
  }

  // Where the engine puts the link with `target` when laid out in `rect`.
  Rect LinkRect(const QWidget& like, std::string markup, const Rect& rect,
                const std::string& target) {
    for (std::size_t at = markup.find("<BR>"); at != std::string::npos; at = markup.find("<BR>"))
      markup.replace(at, 4, "<br>");
    EngineCanvas engine(like, images_, font_);
    // Along the middle of each line: the markup's height up to each break.
    int lineTop = 0;
    for (std::size_t at = markup.find("<br>"); at != std::string::npos;
         at = markup.find("<br>", at + 1)) {
      const int lineBottom = engine.Run(markup.substr(0, at + 4), rect).totalHeight;
      const int y = rect.top + (lineTop + lineBottom) / 2;
      lineTop = lineBottom;
      for (int x = rect.left + 1; x < rect.right; x += 2) {
        const MarkupResult hit = engine.Run(markup, rect, Point{x, y});
        if (hit.overAnchor && hit.anchorTarget == target) return hit.anchorRect;
      }
    }
    ADD_FAILURE() << "no link " << target;
    return {};
  }
  QPoint Center(const Rect& r) { return ToQRect(r).center(); }

  static void WaitExposed(QWidget& window) {
    window.show();
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           timer.elapsed() < 5000) {
      QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
  }

  TImageList images_;
  QFont font_;
};

TEST_F(LabelTest, DefaultsAndVersion) {
  THTMLabel label;
  EXPECT_EQ(label.URLColor(), clBlue);
  EXPECT_EQ(label.ShadowColor(), RGB(128, 128, 128));
  EXPECT_EQ(label.ShadowOffset(), 2);
  EXPECT_EQ(label.AutoSizeType(), TAutoSizeType::asVertical);
  EXPECT_EQ(label.VAlignment(), TVAlignment::tvaTop);
  EXPECT_EQ(label.GradientType(), TGradientType::gtFullHorizontal);
  EXPECT_EQ(label.ColorTo(), clNone);
  EXPECT_EQ(label.HoverColor(), clNone);
  EXPECT_TRUE(label.IgnoreClearType());
  EXPECT_FALSE(label.AutoSizing() || label.Hover() || label.Ellipsis() || label.AnchorHint() ||
               label.HintShowFull() || label.HTMLHint() || label.Transparent());
  EXPECT_EQ(label.BevelWidth(), 1);
  EXPECT_EQ(label.BorderStyle(), TBorderStyle::bsNone);
  EXPECT_EQ(label.Align(), TAlign::alNone);
  EXPECT_EQ(label.GetVersionNumber(), 0x01070000);
  EXPECT_EQ(label.Version(), "1.7.0.0");
  EXPECT_EQ(label.GetMarkupText(), "");
}

TEST_F(LabelTest, HiddenLabelSizingBothWaysEndsSixPixelsBeyondTheMarkup) {
  QWidget window;
  auto* label = new THTMLabel(&window);  // never shown, as the window measure uses it
  label->hide();
  label->setGeometry(0, 0, 40, 20);
  Dress(*label);
  label->SetAutoSizeType(TAutoSizeType::asBoth);
  label->SetAutoSizing(true);
  label->PaintNow();

  const MarkupResult markup = Engine(*label, Joined(kExampleLines), Rect{0, 0, 100000, 100000});
  EXPECT_EQ(label->width(), markup.widestLine + 6);
  EXPECT_EQ(label->height(), markup.totalHeight + 6);
  EXPECT_FALSE(label->isVisible());

  // The label then holds all of its markup: nothing is cut off when drawn.
  QImage big(600, 400, QImage::Format_RGB32);
  big.fill(ToQColor(kBackground));
  THTMLabel wide;
  Dress(wide);
  wide.resize(600, 400);
  wide.render(&big);
  const QImage sized = label->grab().toImage();
  EXPECT_EQ(CountPixels(sized, sized.rect(), IsTextPixel),
            CountPixels(big, big.rect(), IsTextPixel));
  EXPECT_GT(CountPixels(sized, sized.rect(), IsTextPixel), 200);
}

TEST_F(LabelTest, SizingFollowsTheChosenDirectionsAndAlignment) {
  const std::string markup = Joined(kExampleLines);
  THTMLabel vertical;  // the default: only the height follows, lines wrap at the width
  Dress(vertical);
  vertical.resize(90, 10);
  vertical.SetAutoSizing(true);
  vertical.PaintNow();
  EXPECT_EQ(vertical.width(), 90);
  EXPECT_EQ(vertical.height(), Engine(vertical, markup, Rect{0, 0, 90, 100000}).totalHeight + 6);

  // Aligned to the top, only the height may follow, whatever the type says.
  QWidget parent;
  parent.resize(300, 200);
  auto* top = new THTMLabel(&parent);
  Dress(*top);
  top->SetAlign(TAlign::alTop);
  top->SetAutoSizeType(TAutoSizeType::asBoth);
  top->SetAutoSizing(true);
  EXPECT_EQ(top->height(), 6);
  top->PaintNow();
  EXPECT_EQ(top->geometry(),
            QRect(0, 0, 300, Engine(*top, markup, Rect{0, 0, 300, 100000}).totalHeight + 6));

  // At the right edge the width follows and the label stays at that edge.
  auto* right = new THTMLabel(&parent);
  Dress(*right);
  right->SetAlign(TAlign::alRight);
  right->SetAutoSizeType(TAutoSizeType::asHorizontal);
  right->SetAutoSizing(true);
  EXPECT_EQ(right->width(), 6);
  right->PaintNow();
  const int wide = Engine(*right, markup, Rect{0, 0, 100000, 200}).widestLine + 6;
  EXPECT_EQ(right->geometry(), QRect(300 - wide, 0, wide, 200));
}

TEST_F(LabelTest, LabelFillingItsParentNeverSizesItself) {
  QWidget parent;
  parent.resize(300, 200);
  auto* label = new RecordingLabel(&parent);
  Dress(*label);
  label->SetAlign(TAlign::alClient);
  label->SetAutoSizeType(TAutoSizeType::asBoth);
  label->SetAutoSizing(true);
  label->PaintNow();
  EXPECT_EQ(label->geometry(), QRect(0, 0, 300, 200));

  // Shown and painted, it is not even resized for a moment.
  WaitExposed(parent);
  label->resizes = 0;
  label->PaintNow();
  QCoreApplication::processEvents();
  EXPECT_EQ(label->resizes, 0);
  parent.resize(420, 150);
  QCoreApplication::processEvents();
  EXPECT_EQ(label->geometry(), QRect(0, 0, 420, 150));
}

TEST_F(LabelTest, VisibleLabelSizesItselfOnPaintNow) {
  QWidget parent;
  parent.resize(500, 400);
  auto* label = new THTMLabel(&parent);
  Dress(*label);
  label->SetAutoSizeType(TAutoSizeType::asBoth);
  label->SetAutoSizing(true);
  WaitExposed(parent);
  label->resize(10, 10);
  label->PaintNow();
  const MarkupResult markup = Engine(*label, Joined(kExampleLines), Rect{0, 0, 100000, 100000});
  EXPECT_EQ(label->size(), QSize(markup.widestLine + 6, markup.totalHeight + 6));
}

TEST_F(LabelTest, BetweenBeginAndEndUpdateOnlyTheBackgroundShows) {
  THTMLabel label;
  label.resize(240, 160);
  label.BeginUpdate();
  label.BeginUpdate();
  Dress(label);
  const QRgb background = ToQColor(kBackground).rgb();
  const auto isBackground = [&](QRgb p) { return p == background; };
  QImage shown = label.grab().toImage();
  EXPECT_EQ(CountPixels(shown, shown.rect(), isBackground), 240 * 160);

  label.EndUpdate();  // still raised once
  shown = label.grab().toImage();
  EXPECT_EQ(CountPixels(shown, shown.rect(), isBackground), 240 * 160);

  label.EndUpdate();
  label.EndUpdate();  // at 0 already: nothing
  EXPECT_EQ(label.UpdateCount(), 0);
  shown = label.grab().toImage();
  EXPECT_GT(CountPixels(shown, shown.rect(), IsTextPixel), 200);
}

TEST_F(LabelTest, LinesAddedOneByOneDrawLikeOneLineHoldingThemAll) {
  THTMLabel byLine;
  Dress(byLine);
  THTMLabel oneLine;
  Dress(oneLine, {Joined(kExampleLines)});
  // Assigning a whole list drops carriage returns and line feeds, which the
  // engine would otherwise take for line breaks.
  std::vector<std::string> withBreaks;
  for (const std::string& line : kExampleLines) withBreaks.push_back(line + "\r\n");
  THTMLabel assigned;
  Dress(assigned, {});
  assigned.SetHTMLText(withBreaks);
  ASSERT_EQ(assigned.HTMLText().Count(), 1);
  EXPECT_EQ(assigned.GetMarkupText(), Joined(kExampleLines));

  for (THTMLabel* label : {&byLine, &oneLine, &assigned}) label->resize(260, 160);
  const QImage expected = oneLine.grab().toImage();
  EXPECT_EQ(byLine.grab().toImage(), expected);
  EXPECT_EQ(assigned.grab().toImage(), expected);
  EXPECT_GT(CountPixels(expected, expected.rect(), IsTextPixel), 200);
}

TEST(HTMLStringsTest, EveryChangeIsNoticedAndIndexErrorsThrow) {
  int changes = 0;
  THTMLStrings lines([&] { ++changes; });
  lines.Clear();  // already empty
  EXPECT_EQ(changes, 0);
  lines.Add("b");
  lines.Insert(0, "a");
  lines.Put(1, "c");
  lines.Add("d");
  lines.Delete(2);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(lines.Text(), "ac");
  EXPECT_THROW(lines.Put(2, "x"), std::out_of_range);
  EXPECT_THROW(lines.Insert(3, "x"), std::out_of_range);
  EXPECT_THROW(static_cast<void>(lines[-1]), std::out_of_range);
  lines.Clear();
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(lines.Count(), 0);
}

TEST_F(LabelTest, PictureLoadedByAddressIsTriedAgainOnlyAfterTheMarkupChanges) {
  const QString path = QDir::tempPath() + "/label-test-picture.png";
  QFile::remove(path);
  THTMLabel label;
  Dress(label, {"<IMG src=\"FILE://" + path.toStdString() + "\">"});
  label.resize(60, 60);
  const auto isRed = [](QRgb p) { return p == qRgb(255, 0, 0); };
  QImage shown = label.grab().toImage();
  EXPECT_EQ(CountPixels(shown, shown.rect(), isRed), 0);

  QImage red(20, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(path));
  shown = label.grab().toImage();
  EXPECT_EQ(CountPixels(shown, shown.rect(), isRed), 0) << "the failed address was kept";
  label.HTMLText().Add("");
  shown = label.grab().toImage();
  EXPECT_EQ(CountPixels(shown, shown.rect(), isRed), 400);
  QFile::remove(path);
}

class LinkTest : public LabelTest {
 protected:
  LinkTest() {
    label_.resize(360, 220);
    Dress(label_, lines_);
    label_.OnAnchorClick = [this](const std::string& a) { events_.push_back("click " + a); };
    label_.OnMouseDown = [this](Qt::MouseButton b, const QPoint&) {
      events_.push_back(b == Qt::LeftButton ? "down left" : "down other");
    };
    label_.UrlOpener = [this](const QUrl& u) {
      events_.push_back("open " + u.toString().toStdString());
    };
  }
  void Click(const std::string& target, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint at = Center(LinkRect(label_, Joined(lines_), Rect{0, 0, 360, 220}, target));
    SendMouse(label_, QEvent::MouseButtonPress, at, button);
  }

  std::vector<std::string> lines_ = {
      kExampleLines[0], kExampleLines[1], kExampleLines[5],
      "<a href=\"http://example.org/x\">web</a> <a href=\"mailto:bob@example.org\">mail</a> "
      "<a href=\"outlook:00AB\">item</a><br>",
      "<a href=\"file:///etc/passwd\">file</a> <a href=\"smb://host/share\">share</a> "
      "<a href=\"file:///usr/share/applications/x.desktop\">app</a> "
      "<a href=\"javascript://%0Aalert(1)\">js</a><br>"};
  THTMLabel label_;
  std::vector<std::string> events_;
};

TEST_F(LinkTest, LeftClickOnAProgramLinkRaisesAnchorClickAfterMouseDown) {
  Click("Tasks");
  Click("outlook:00AB");
  EXPECT_EQ(events_, (std::vector<std::string>{"down left", "click Tasks", "down left",
                                               "click outlook:00AB"}));
}

TEST_F(LinkTest, OtherButtonsOnALinkRaiseOnlyMouseDown) {
  Click("Tasks", Qt::RightButton);
  Click("http://example.org/x", Qt::MiddleButton);
  SendMouse(label_, QEvent::MouseButtonPress, QPoint(350, 210));  // off any link
  EXPECT_EQ(events_, (std::vector<std::string>{"down other", "down other", "down other"}));
}

TEST_F(LinkTest, OnlyWebAndMailAddressesGoToTheDesktopAndNeverToTheProgram) {
  for (const char* target :
       {"http://example.org/x", "mailto:bob@example.org", "file:///etc/passwd", "smb://host/share",
        "file:///usr/share/applications/x.desktop", "javascript://%0Aalert(1)"}) {
    Click(target);
  }
  EXPECT_EQ(events_,
            (std::vector<std::string>{"down left", "open http://example.org/x", "down left",
                                      "open mailto:bob@example.org", "down left", "down left",
                                      "down left", "down left"}));
}

TEST_F(LinkTest, PointerTrackingRaisesEnterAndExitAndShowsTheHand) {
  label_.OnAnchorEnter = [this](const std::string& a) { events_.push_back("enter " + a); };
  label_.OnAnchorExit = [this](const std::string& a) { events_.push_back("exit [" + a + "]"); };
  const std::string markup = Joined(lines_);
  const Rect tasks = LinkRect(label_, markup, Rect{0, 0, 360, 220}, "Tasks");
  const Rect calendar = LinkRect(label_, markup, Rect{0, 0, 360, 220}, "Calendar");

  SendMouse(label_, QEvent::MouseMove, Center(tasks));
  EXPECT_EQ(label_.cursor().shape(), Qt::PointingHandCursor);
  SendMouse(label_, QEvent::MouseMove, Center(tasks) + QPoint(1, 0));  // same link: no event
  SendMouse(label_, QEvent::MouseMove, Center(calendar));              // straight to another
  SendMouse(label_, QEvent::MouseMove, QPoint(350, 210));
  EXPECT_EQ(label_.cursor().shape(), Qt::ArrowCursor);
  SendMouse(label_, QEvent::MouseMove, QPoint(340, 200));  // off links again: no event
  EXPECT_EQ(events_, (std::vector<std::string>{"enter Tasks", "enter Calendar", "exit []"}));
}

TEST_F(LinkTest, HoverRepaintsOnlyTheLinkUnderThePointer) {
  QWidget parent;
  parent.resize(400, 260);
  RecordingLabel label(&parent);
  Dress(label, lines_);
  label.setGeometry(15, 25, 360, 220);  // away from the parent's corner
  label.SetHover(true);
  label.SetHoverColor(RGB(255, 0, 0));
  WaitExposed(parent);
  label.painted = QRegion();

  const Rect tasks = LinkRect(label, Joined(lines_), Rect{0, 0, 360, 220}, "Tasks");
  SendMouse(label, QEvent::MouseMove, Center(tasks));
  QCoreApplication::processEvents();
  EXPECT_EQ(label.painted, QRegion(ToQRect(tasks)));

  // Only the link under the pointer takes the hover colour.
  const auto isHover = [](QRgb p) { return p == qRgb(255, 0, 0); };
  const QImage shown = label.grab().toImage();
  EXPECT_GT(CountPixels(shown, ToQRect(tasks), isHover), 20);
  EXPECT_EQ(CountPixels(shown, shown.rect(), isHover), CountPixels(shown, ToQRect(tasks), isHover));

  // Leaving the label repaints that link again, now without the colour.
  label.painted = QRegion();
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&label, &leave);
  QCoreApplication::processEvents();
  EXPECT_EQ(label.painted, QRegion(ToQRect(tasks)));
  const QImage after = label.grab().toImage();
  EXPECT_EQ(CountPixels(after, after.rect(), isHover), 0);
}

TEST_F(LinkTest, HintsFollowTheHintRules) {
  label_.SetHint("plain hint");
  const QPoint onTasks = Center(LinkRect(label_, Joined(lines_), Rect{0, 0, 360, 220}, "Tasks"));
  const QPoint offLinks(350, 210);
  EXPECT_EQ(label_.HintAt(onTasks), "plain hint");

  label_.SetAnchorHint(true);
  EXPECT_EQ(label_.HintAt(onTasks), "Tasks");
  label_.OnAnchorHint = [](std::string& anchor) { anchor = "Open " + anchor; };
  EXPECT_EQ(label_.HintAt(onTasks), "Open Tasks");
  EXPECT_EQ(label_.HintAt(offLinks), "plain hint");

  THTMLabel full;
  Dress(full, {"<b>Call</b> Bob<br>&amp; <z>hidden</z>Ann"});
  full.SetHintShowFull(true);
  EXPECT_EQ(full.HintAt(QPoint(1, 1)), "Call Bob\r\n&amp; Ann");
  full.SetHTMLHint(true);
  EXPECT_EQ(full.HintAt(QPoint(1, 1)), "<b>Call</b> Bob<br>&amp; <z>hidden</z>Ann");
}

TEST_F(LinkTest, LinkInsideABorderIsFoundWhereItIsDrawn) {
  label_.SetBorderStyle(TBorderStyle::bsSingle);
  label_.SetBorderWidth(3);
  label_.SetBevelOuter(TBevelCut::bvLowered);
  label_.SetBevelWidth(2);
  // Inside the bevel (2), the frame in the background colour (3), the black
  // border drawn inside that (3 more), and a gap of the bevel width.
  const Rect inner{10, 10, 350, 210};
  const Rect tasks = LinkRect(label_, Joined(lines_), inner, "Tasks");
  const QImage shown = label_.grab().toImage();
  EXPECT_GT(CountPixels(shown, ToQRect(tasks), IsTextPixel), 20);
  SendMouse(label_, QEvent::MouseButtonPress, Center(tasks), Qt::LeftButton);
  EXPECT_EQ(events_.back(), "click Tasks");
  // The outer bevel: shadow at the top-left, highlight at the bottom-right.
  const QPalette& palette = label_.palette();
  EXPECT_EQ(shown.pixel(0, 0), SystemQColor(16, palette).rgb());
  EXPECT_EQ(shown.pixel(359, 219), SystemQColor(20, palette).rgb());
  EXPECT_EQ(shown.pixel(3, 3), ToQColor(kBackground).rgb());
  EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(7, 100), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(8, 100), ToQColor(kBackground).rgb());
}

TEST_F(LinkTest, CenteredMarkupIsDrawnAndHitWhereTheLayoutPutsIt) {
  label_.resize(360, 400);
  label_.SetVAlignment(TVAlignment::tvaCenter);
  const std::string markup = Joined(lines_);
  const int total = Engine(label_, markup, Rect{0, 0, 360, 400}).totalHeight;
  const Rect centred{0, (400 - total) / 2, 360, 400};
  const Rect tasks = LinkRect(label_, markup, centred, "Tasks");
  const QImage shown = label_.grab().toImage();
  EXPECT_GT(CountPixels(shown, ToQRect(tasks), IsTextPixel), 20);
  EXPECT_EQ(CountPixels(shown, QRect(0, 0, 360, centred.top), IsTextPixel), 0);
  Click("Tasks");  // where the top-aligned layout would have it: nothing there now
  SendMouse(label_, QEvent::MouseButtonPress, Center(tasks), Qt::LeftButton);
  EXPECT_EQ(events_, (std::vector<std::string>{"down left", "down left", "click Tasks"}));
}

TEST_F(LabelTest, EllipsisKeepsTheTextToOneLine) {
  const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
  THTMLabel label;
  Dress(label, {text});
  label.resize(80, 10);
  label.SetAutoSizing(true);
  label.PaintNow();
  const int wrapped = Engine(label, text, Rect{0, 0, 80, 100000}).totalHeight;
  EXPECT_EQ(label.height(), wrapped + 6);
  label.SetEllipsis(true);
  label.PaintNow();
  const int single = Engine(label, text, Rect{0, 0, 80, 100000}, {}, false).totalHeight;
  EXPECT_EQ(label.height(), single + 6);
  EXPECT_LT(single * 2, wrapped);
}

TEST_F(LabelTest, BackgroundGradientsAndLines) {
  THTMLabel label;
  label.resize(200, 100);
  label.SetColor(RGB(255, 0, 0));
  label.SetColorTo(RGB(0, 0, 255));
  label.SetGradientType(TGradientType::gtFullVertical);
  QImage shown = label.grab().toImage();
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(199, 0), qRgb(255, 0, 0));
  EXPECT_GT(qBlue(shown.pixel(0, 99)), 200);

  // A bottom line: plain background above, a left-to-right gradient in the
  // last two rows.
  label.SetGradientType(TGradientType::gtBottomLine);
  shown = label.grab().toImage();
  EXPECT_EQ(shown.pixel(199, 97), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(0, 98), qRgb(255, 0, 0));
  EXPECT_GT(qBlue(shown.pixel(199, 99)), 200);
  EXPECT_EQ(shown.pixel(199, 98), shown.pixel(199, 99));
}

TEST_F(LabelTest, SourcesThatGoAwayAreForgotten) {
  auto list = std::make_unique<TImageList>(QSize(16, 16));
  auto menu = std::make_unique<QMenu>();
  QWidget parent;
  parent.resize(200, 100);
  RecordingLabel label(&parent);
  label.resize(200, 100);
  Dress(label, {"<IMG src=\"idx:0\">"});
  label.SetImages(list.get());
  label.SetPopupMenu(menu.get());
  WaitExposed(parent);

  // A change of the list repaints.
  label.painted = QRegion();
  QPixmap green(16, 16);
  green.fill(Qt::green);
  list->Add(green);
  QCoreApplication::processEvents();
  EXPECT_FALSE(label.painted.isEmpty());
  EXPECT_EQ(label.grab().toImage().pixel(4, 8), qRgb(0, 255, 0));

  // A right click shows the popup menu.
  QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(5, 5),
                            label.mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(&label, &context);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();

  list.reset();
  menu.reset();
  EXPECT_EQ(label.Images(), nullptr);
  EXPECT_EQ(label.PopupMenu(), nullptr);
  EXPECT_NE(label.grab().toImage().pixel(4, 8), qRgb(0, 255, 0));
  QCoreApplication::sendEvent(&label, &context);  // no menu any more: nothing happens
}

}  // namespace
TEST(DisplayLabel, SeeThroughKeyIsThePaintedBackgroundAlsoForASystemColour) {
  for (const char* stored : {"Background", "Window", "1A2B3C"}) {
    SCOPED_TRACE(stored);
    Settings settings;
    settings.BackGroundColor = TextToColor(stored);
    THTMLabel label;
    SetUpDisplayLabel(label, nullptr, nullptr);
    ApplyLoadedLook(label, BuiltInDisplayFont(), settings);
    label.resize(40, 20);
    QImage picture(label.size(), QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    label.render(&picture);
    EXPECT_EQ(picture.pixelColor(35, 15), BackgroundKeyColor(settings));
  }
}

}  // namespace lumivane
