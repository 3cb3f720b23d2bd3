// The engine over QtCanvas: the composer's two worked examples drawn into an
// image in DejaVu Sans, with text pixels where the layout puts the lines and
// links; and the Qt side's colours, pictures and picture cache.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <functional>

#include "display/markup/DrawMarkup.h"
#include "display/markup/QtCanvas.h"
#include "display/markup/QtColor.h"
#include "display/markup/THTMLPictureCache.h"
#include "display/markup/TImageList.h"
#include "display/markup/TPictureContainer.h"
#include "support/WorkedExamples.h"

namespace lumivane {
namespace {

constexpr Color kTextColor = RGB(0, 0, 0xFF);
const QColor kBackground(Qt::white);

// The composer's first worked example (align left, no shadow) ...
const std::string kFirstExample = test::FirstWorkedExample();
// ... and its second (align right, shadow, a completed task in red).
const std::string kSecondExample =
    "<P align=\"right\">"
    "<SHAD><IMG src=\"idx:5\" align=\"middle\"> <font size=\"7\">14:00 - </font>Review <BR></SHAD>"
    "<SHAD><IMG src=\"idx:4\" align=\"middle\"> <s><font color=\"#FF0000\" Size=\"7\">05/12/2026 - "
    "</Font><font color=\"#FF0000\">Pay rent</s></font></SHAD><br>";

QRgb ImageColor(int index) {
  return QColor::fromHsv(index * 60, 255, 200).rgb();
}

bool IsTextPixel(QRgb pixel) {
  return qBlue(pixel) > qRed(pixel) + 60 && qBlue(pixel) > qGreen(pixel) + 60;
}
bool IsRedPixel(QRgb pixel) {
  return qRed(pixel) > qGreen(pixel) + 60 && qRed(pixel) > qBlue(pixel) + 60;
}
bool IsGreyPixel(QRgb pixel) {
  return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) < 200;
}
bool IsBackground(QRgb pixel) {
  return pixel == kBackground.rgb();
}

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : image_(420, 220, QImage::Format_RGB32), images_(QSize(16, 16)) {
    image_.setDotsPerMeterX(3780);  // 96 dots per inch
    image_.setDotsPerMeterY(3780);
    image_.fill(kBackground);
    for (int i = 0; i < 6; ++i) {
      QPixmap picture(16, 16);
      picture.fill(QColor::fromRgb(ImageColor(i)));
      images_.Add(picture);
    }
    font_.setFamily("DejaVu Sans");
    font_.setPointSize(8);
  }

  // Runs the engine over a fresh QtCanvas on the image.
  MarkupResult Run(std::string_view markup, const Rect& rect, MarkupOptions options = {}) {
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    canvas.SetImages(&images_);
    canvas.SetPictureContainer(&container_);
    canvas.SetPictureCache(&cache_);
    canvas.SetFont(QtCanvas::FontStyleFromQFont(font_, kTextColor));
    canvas.SetBrush(FromQColor(kBackground));
    return DrawMarkup(canvas, markup, rect, options);
  }
  MarkupResult Measure(std::string_view markup, const Rect& rect, std::optional<Point> point = {}) {
    MarkupOptions options;
    options.measureOnly = true;
    options.point = point;
    return Run(markup, rect, options);
  }

  // The bottom of each line: the height of the markup up to each line break.
  std::vector<int> LineBottoms(const std::string& markup, const Rect& rect) {
    std::vector<int> bottoms;
    const QString text = QString::fromStdString(markup);
    for (qsizetype at = text.indexOf("<br>", 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf("<br>", at + 1, Qt::CaseInsensitive)) {
      bottoms.push_back(
          Measure(markup.substr(0, static_cast<std::size_t>(at) + 4), rect).totalHeight);
    }
    return bottoms;
  }

  int CountPixels(const QRect& area, const std::function<bool(QRgb)>& test) const {
    int count = 0;
    const QRect clipped = area & image_.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
      for (int x = clipped.left(); x <= clipped.right(); ++x) {
        if (test(image_.pixel(x, y))) ++count;
      }
    }
    return count;
  }

  // The anchor under the first point of `band` (scanned left to right) that
  // finds one.
  MarkupResult AnchorInBand(const std::string& markup, const Rect& rect, int top, int bottom) {
    for (int x = rect.left; x < rect.right; ++x) {
      const MarkupResult result = Measure(markup, rect, Point{x, (top + bottom) / 2});
      if (result.overAnchor) return result;
    }
    return {};
  }

  QImage image_;
  TImageList images_;
  TPictureContainer container_;
  THTMLPictureCache cache_;
  QFont font_;
};

QRect ToQRect(const Rect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TEST_F(QtCanvasTest, FirstWorkedExampleDrawsEachLineWhereTheLayoutPutsIt) {
  const Rect rect{0, 0, 400, 210};
  const MarkupResult drawn = Run(kFirstExample, rect);
  const std::vector<int> bottoms = LineBottoms(kFirstExample, rect);
  ASSERT_EQ(bottoms.size(), 7u);
  EXPECT_EQ(bottoms.back(), drawn.totalHeight);
  const int right = drawn.widestLine + 2;

  // Heading: the calendar image at the left, then the link, found by the hit
  // test and as wide as the bold word in DejaVu Sans.
  EXPECT_EQ(image_.pixel(8, 8), ImageColor(1));
  const MarkupResult calendar = AnchorInBand(kFirstExample, rect, 0, bottoms[0]);
  EXPECT_EQ(calendar.anchorTarget, "Calendar");
  QFont bold = font_;
  bold.setBold(true);
  EXPECT_EQ(calendar.anchorRect.right - calendar.anchorRect.left,
            QFontMetrics(bold, &image_).horizontalAdvance("Calendar"));
  EXPECT_GT(CountPixels(ToQRect(calendar.anchorRect), IsTextPixel), 40);
  EXPECT_EQ(CountPixels(QRect(17, 0, calendar.anchorRect.left - 17, bottoms[0]), IsTextPixel), 0);

  // "Today", the appointment (after two blanks), an empty line.
  EXPECT_GT(CountPixels(QRect(0, bottoms[0], right, bottoms[1] - bottoms[0]), IsTextPixel), 40);
  // The two blanks are runs of their own, one advance each, after the 1-pixel margin.
  const int textStart = 1 + 2 * QFontMetrics(font_, &image_).horizontalAdvance(" ");
  const QRect appointment(0, bottoms[1], right, bottoms[2] - bottoms[1]);
  EXPECT_GT(CountPixels(appointment, IsTextPixel), 100);
  EXPECT_EQ(CountPixels(QRect(0, bottoms[1], textStart, appointment.height()), IsTextPixel), 0);
  EXPECT_GT(CountPixels(QRect(textStart, bottoms[1], 6, appointment.height()), IsTextPixel), 0);
  EXPECT_EQ(CountPixels(QRect(0, bottoms[2], 420, bottoms[3] - bottoms[2]),
                        [](QRgb p) { return !IsBackground(p); }),
            0);

  // The tasks heading and the task, each after its image.
  const MarkupResult tasks = AnchorInBand(kFirstExample, rect, bottoms[3], bottoms[4]);
  EXPECT_EQ(tasks.anchorTarget, "Tasks");
  EXPECT_GT(CountPixels(ToQRect(tasks.anchorRect), IsTextPixel), 20);
  EXPECT_EQ(image_.pixel(8, bottoms[3] + 8), ImageColor(0));
  EXPECT_EQ(image_.pixel(8, bottoms[4] + 8), ImageColor(2));
  EXPECT_GT(CountPixels(QRect(17, bottoms[4], right - 17, bottoms[5] - bottoms[4]), IsTextPixel),
            40);

  // Nothing below the last line or right of the widest one.
  EXPECT_EQ(
      CountPixels(QRect(0, drawn.totalHeight, 420, 220), [](QRgb p) { return !IsBackground(p); }),
      0);
  EXPECT_EQ(CountPixels(QRect(right, 0, 420, 220), [](QRgb p) { return !IsBackground(p); }), 0);
}

TEST_F(QtCanvasTest, SecondWorkedExampleIsRightAlignedWithShadowAndARedDate) {
  const Rect rect{0, 0, 300, 210};
  MarkupOptions options;
  options.shadowColor = RGB(0x80, 0x80, 0x80);
  const MarkupResult drawn = Run(kSecondExample, rect, options);
  const std::vector<int> bottoms = LineBottoms(kSecondExample, rect);
  ASSERT_EQ(bottoms.size(), 2u);
  EXPECT_EQ(drawn.totalHeight, bottoms[1]);

  for (int line = 0; line < 2; ++line) {
    const int top = line == 0 ? 0 : bottoms[0];
    const QRect band(0, top, 420, bottoms[line] - top);
    // Right-aligned: nothing left of the line's start, the line ends at the
    // right edge (its shadow 2 pixels further).
    int leftmost = 420;
    int rightmost = -1;
    for (int y = band.top(); y <= band.bottom(); ++y) {
      for (int x = 0; x < 420; ++x) {
        if (IsBackground(image_.pixel(x, y))) continue;
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
      }
    }
    EXPECT_GE(rightmost, 300 - 4) << line;
    EXPECT_LE(rightmost, 300 + 2) << line;
    EXPECT_GT(leftmost, 100) << line;
    // The line's image comes first.
    EXPECT_EQ(image_.pixel(leftmost + 8, top + 8), ImageColor(line == 0 ? 5 : 4)) << line;
    EXPECT_GT(CountPixels(band, IsGreyPixel), 20) << line;
  }
  const QRect task(0, bottoms[0], 420, bottoms[1] - bottoms[0]);
  EXPECT_GT(CountPixels(task, IsRedPixel), 60);
  EXPECT_EQ(CountPixels(QRect(0, 0, 420, bottoms[0]), IsRedPixel), 0);
}

TEST_F(QtCanvasTest, MeasuringDrawsNothingAndMatchesTheDrawing) {
  const Rect rect{0, 0, 400, 210};
  const MarkupResult measured = Measure(kFirstExample, rect);
  EXPECT_EQ(CountPixels(image_.rect(), [](QRgb p) { return !IsBackground(p); }), 0);
  const MarkupResult drawn = Run(kFirstExample, rect);
  EXPECT_EQ(measured.totalHeight, drawn.totalHeight);
  EXPECT_EQ(measured.widestLine, drawn.widestLine);
}

TEST_F(QtCanvasTest, DrawsPicturesFromTheContainerAndFromFileAddresses) {
  QImage named(6, 4, QImage::Format_RGB32);
  named.fill(Qt::green);
  container_.Add("logo", named);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage file(5, 5, QImage::Format_RGB32);
  file.fill(Qt::magenta);
  const QString path = dir.filePath("pic.png");
  ASSERT_TRUE(file.save(path));
  const std::string markup =
      "<IMG src=\"logo\" width=\"12\" height=\"8\"><IMG src=\"file://" + path.toStdString() + "\">";
  Run(markup, {0, 0, 400, 210});
  EXPECT_EQ(image_.pixelColor(1 + 11, 7), QColor(Qt::green));  // stretched to 12 x 8
  EXPECT_EQ(image_.pixelColor(13 + 2, 2), QColor(Qt::magenta));
  EXPECT_TRUE(IsBackground(image_.pixel(13 + 6, 2)));
}

TEST(THTMLPictureCache, LoadsFilesAndRecordsWhatItCannotLoad) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(dir.filePath("a.png")));
  const std::string fifo = dir.filePath("fifo.png").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  THTMLPictureCache cache;
  const QImage* loaded = cache.Find("FILE://" + dir.filePath("a.png").toStdString());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->size(), QSize(3, 2));
  EXPECT_EQ(cache.Find("FILE://" + fifo), nullptr);
  EXPECT_EQ(cache.Find("FILE://" + dir.path().toStdString()), nullptr);
  EXPECT_EQ(cache.Find("http://example.org/x.png"), nullptr);
  EXPECT_EQ(cache.Find("RES://no-such-picture.png"), nullptr);
  EXPECT_TRUE(cache.Contains("http://example.org/x.png"));
  EXPECT_EQ(cache.Count(), 5);
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
}

TEST(QtColor, MapsSystemColoursToThePalette) {
  QPalette palette;
  palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
  palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(1, 2, 3));
  EXPECT_EQ(ToQColor(SystemColor(15), palette), QColor(10, 20, 30));  // clBtnFace
  EXPECT_EQ(ToQColor(SystemColor(24), palette), QColor(1, 2, 3));     // clInfoBk
  EXPECT_EQ(ToQColor(SystemColor(1), palette), QColor(1, 1, 1));      // the desktop
  EXPECT_EQ(ToQColor(RGB(0x12, 0x34, 0x56), palette), QColor(0x12, 0x34, 0x56));
  EXPECT_FALSE(ToQColor(clNone, palette).isValid());
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
}

TEST(QtCanvasFont, KeepsPointSizesWithinReach) {
  FontStyle fontStyle;
  fontStyle.face = "DejaVu Sans";
  fontStyle.size = 0;
  EXPECT_EQ(QtCanvas::ToQFont(fontStyle).pointSize(), 1);
  fontStyle.size = 1'000'000;
  EXPECT_EQ(QtCanvas::ToQFont(fontStyle).pointSize(), 1000);
  fontStyle.size = 9;
  fontStyle.bold = true;
  fontStyle.strikeOut = true;
  const FontStyle back = QtCanvas::FontStyleFromQFont(QtCanvas::ToQFont(fontStyle), RGB(1, 2, 3));
  EXPECT_EQ(back.size, 9);
  EXPECT_TRUE(back.bold);
  EXPECT_TRUE(back.strikeOut);
  EXPECT_EQ(back.color, RGB(1, 2, 3));
}

}  // namespace
}  // namespace lumivane
