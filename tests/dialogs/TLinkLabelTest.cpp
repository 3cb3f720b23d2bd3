#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "dialogs/controls/TLinkLabel.h"

namespace lumivane {
namespace {

// A point in the middle of the given link, found by asking the label itself
// (QTest would take the point 0,0 for the widget's centre).
std::optional<QPoint> PointOver(const TLinkLabel& label, int link) {
  std::vector<QPoint> over;
  for (int y = 0; y < label.height(); ++y) {
    for (int x = 0; x < label.width(); ++x) {
      if (label.LinkAt({x, y}) == link) over.emplace_back(x, y);
    }
  }
  if (over.empty()) return std::nullopt;
  return over[over.size() / 2];
}

// How many pixels of the label are exactly the colour (the underlines are).
int CountPixels(TLinkLabel& label, QRgb color) {
  const QImage picture = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x)
      count += (picture.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
  }
  return count;
}

constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kPurple = 0x800080;
constexpr QRgb kRed = 0xFF0000;

class LinkLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    label.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    label.SetCaption(
        QStringLiteral("<b>Read:</b> the <link>first link</link> and then the "
                       "<link>second link</link>, nothing else."));
    label.resize(400, label.heightForWidth(400));
    label.show();
    label.OnLinkClick = [this](int link, const QString& text) { clicks.emplace_back(link, text); };
  }

  TLinkLabel label;
  std::vector<std::pair<int, QString>> clicks;
};

TEST_F(LinkLabelTest, ClickRaisesTheLinkEventWithItsNumberAndText) {
  const auto second = PointOver(label, 1);
  ASSERT_TRUE(second);
  QTest::mouseClick(&label, Qt::LeftButton, {}, *second);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].first, 1);
  EXPECT_EQ(clicks[0].second, QStringLiteral("second link"));

  const auto first = PointOver(label, 0);
  ASSERT_TRUE(first);
  QTest::mouseClick(&label, Qt::LeftButton, {}, *first);
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1], std::make_pair(0, QStringLiteral("first link")));

  // Plain text, another button, or a press that ends elsewhere are no clicks.
  QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
  QTest::mouseClick(&label, Qt::RightButton, {}, *first);
  QTest::mousePress(&label, Qt::LeftButton, {}, *first);
  QTest::mouseRelease(&label, Qt::LeftButton, {}, *second);
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(LinkLabelTest, LinksAreBlueThenPurpleUnderThePointerThenRed) {
  const auto first = PointOver(label, 0);
  ASSERT_TRUE(first);
  EXPECT_GT(CountPixels(label, kBlue), 40);
  EXPECT_EQ(CountPixels(label, kPurple), 0);
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);

  QTest::mouseMove(&label, *first);
  EXPECT_GT(CountPixels(label, kPurple), 20);
  EXPECT_GT(CountPixels(label, kBlue), 20);  // the other link
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

  QTest::mouseClick(&label, Qt::LeftButton, {}, *first);
  QTest::mouseMove(&label, QPoint(2, 2));
  EXPECT_EQ(CountPixels(label, kPurple), 0);
  EXPECT_GT(CountPixels(label, kRed), 20);
  EXPECT_GT(CountPixels(label, kBlue), 20);
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(LinkLabelTest, TextWrapsToTheWidthAndOnlyLinkTagsMakeLinks) {
  const int oneLine = label.heightForWidth(2000);
  EXPECT_GT(label.heightForWidth(120), 2 * oneLine);
  // Other tags and entities are text, not links.
  TLinkLabel plain;
  plain.SetCaption(QStringLiteral("<i>x</i> &amp; <link>y</link>"));
  plain.resize(300, plain.heightForWidth(300));
  EXPECT_EQ(plain.LinkAt({1, 1}), -1);
  EXPECT_TRUE(PointOver(plain, 0));
  EXPECT_FALSE(PointOver(plain, 1));
}

// The size is measured once per caption and font: a new caption or a bigger
// font must give a new size, hovering a link must not change it.
TEST_F(LinkLabelTest, SizeFollowsTheCaptionAndTheFontButNotTheLinkColours) {
  const QSize before = label.sizeHint();
  const int wrapped = label.heightForWidth(120);
  const auto first = PointOver(label, 0);
  ASSERT_TRUE(first);
  QTest::mouseMove(&label, *first);
  EXPECT_EQ(label.sizeHint(), before);
  EXPECT_EQ(label.heightForWidth(120), wrapped);

  label.SetCaption(QStringLiteral("<link>short</link>"));
  EXPECT_LT(label.sizeHint().width(), before.width() / 3);
  EXPECT_LT(label.heightForWidth(120), wrapped);

  label.SetCaption(QStringLiteral("Wide <link>enough</link> to wrap at 120 pixels, or so."));
  const QSize small = label.sizeHint();
  const int smallWrapped = label.heightForWidth(120);
  label.setFont(QFont(QStringLiteral("DejaVu Sans"), 18));
  EXPECT_GT(label.sizeHint().height(), small.height());
  EXPECT_GT(label.heightForWidth(120), smallWrapped);
}

}  // namespace
}  // namespace lumivane
