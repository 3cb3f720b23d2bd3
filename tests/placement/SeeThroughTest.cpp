#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include "platform/SeeThrough.h"

namespace lumivane {
namespace {

const QColor kKey(1, 1, 1);

// A 40 x 20 picture on the key colour with a 10 x 10 block of text colour
// at 5,5, and one pixel just off the key colour at 30,10.
QImage Picture(QImage::Format format = QImage::Format_RGB32) {
  QImage picture(40, 20, format);
  picture.fill(kKey);
  QPainter p(&picture);
  p.fillRect(QRect(5, 5, 10, 10), QColor(255, 255, 0));
  p.end();
  picture.setPixelColor(30, 10, QColor(1, 1, 2));
  return picture;
}

TEST(SeeThrough, VisibleRegionLeavesOutExactlyTheKeyColour) {
  for (QImage::Format format :
       {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
    const QImage picture = Picture().convertToFormat(format);
    const QRegion region = SeeThrough::VisibleRegion(picture, kKey);
    EXPECT_EQ(region, QRegion(5, 5, 10, 10) + QRegion(30, 10, 1, 1)) << format;
  }
}

TEST(SeeThrough, TransparentPixelsAreLeftOutAndEdgesStay) {
  QImage picture(20, 10, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  picture.setPixel(3, 3, qRgba(255, 255, 255, 255));
  picture.setPixel(4, 3, qPremultiply(qRgba(255, 255, 255, 40)));  // an anti-aliased edge
  picture.setPixel(5, 3, kKey.rgb());
  EXPECT_EQ(SeeThrough::VisibleRegion(picture, kKey), QRegion(3, 3, 2, 1));
}

TEST(SeeThrough, MaskPathKeepsTheKeyColourAndShapesTheWindow) {
  QWidget window;
  SeeThrough seeThrough(&window, false);
  seeThrough.SetKeyColor(kKey);
  EXPECT_FALSE(seeThrough.Translucent());
  EXPECT_EQ(seeThrough.BackgroundFill(), kKey);
  EXPECT_FALSE(window.testAttribute(Qt::WA_TranslucentBackground));

  QImage picture = Picture();
  const QImage before = picture;
  seeThrough.KeyOut(picture);
  EXPECT_EQ(picture, before);

  seeThrough.PictureChanged(picture);
  EXPECT_EQ(window.mask(), QRegion(5, 5, 10, 10) + QRegion(30, 10, 1, 1));
}

TEST(SeeThrough, MaskIsRecomputedOnlyWhenPictureOrKeyChange) {
  QWidget window;
  SeeThrough seeThrough(&window, false);
  seeThrough.SetKeyColor(kKey);
  seeThrough.PictureChanged(Picture());
  const QRegion first = window.mask();

  // A mask set from elsewhere stays while the same picture comes again.
  window.setMask(QRegion(0, 0, 2, 2));
  seeThrough.PictureChanged(Picture());
  EXPECT_EQ(window.mask(), QRegion(0, 0, 2, 2));

  QImage changed = Picture();
  changed.setPixelColor(0, 0, Qt::white);
  seeThrough.PictureChanged(changed);
  EXPECT_EQ(window.mask(), first + QRegion(0, 0, 1, 1));

  // A new key colour makes the same picture shape differently.
  seeThrough.SetKeyColor(QColor(255, 255, 0));
  seeThrough.PictureChanged(changed);
  EXPECT_FALSE(window.mask().contains(QPoint(7, 7)));
  EXPECT_TRUE(window.mask().contains(QPoint(20, 15)));
}

TEST(SeeThrough, PictureOfNothingButBackgroundKeepsOnePixel) {
  QWidget window;
  SeeThrough seeThrough(&window, false);
  seeThrough.SetKeyColor(kKey);
  QImage empty(40, 20, QImage::Format_RGB32);
  empty.fill(kKey);
  seeThrough.PictureChanged(empty);
  EXPECT_EQ(window.mask(), QRegion(0, 0, 1, 1));
}

TEST(SeeThrough, TranslucentPathClearsKeyPixelsToAlphaZero) {
  QWidget window;
  SeeThrough seeThrough(&window, true);
  seeThrough.SetKeyColor(kKey);
  EXPECT_TRUE(seeThrough.Translucent());
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_EQ(seeThrough.BackgroundFill().alpha(), 0);

  QImage picture = Picture();  // opaque, no alpha channel: converted
  seeThrough.KeyOut(picture);
  ASSERT_TRUE(picture.hasAlphaChannel());
  EXPECT_EQ(picture.pixel(0, 0), 0u);
  EXPECT_EQ(picture.pixel(39, 19), 0u);
  EXPECT_EQ(qAlpha(picture.pixel(7, 7)), 255);
  EXPECT_EQ(picture.pixelColor(30, 10), QColor(1, 1, 2));

  seeThrough.PictureChanged(picture);
  EXPECT_EQ(window.mask(), QRegion(5, 5, 10, 10) + QRegion(30, 10, 1, 1));
}

TEST(SeeThrough, EachBandOfDrawnRowsIsOneLineRectangle) {
  // Two words on one line, a gap of rows, then a lower line further right.
  const QRegion drawn = QRegion(2, 3, 4, 5) + QRegion(10, 4, 3, 2) + QRegion(7, 12, 20, 3);
  EXPECT_EQ(SeeThrough::LineRegion(drawn), QRegion(2, 3, 11, 5) + QRegion(7, 12, 20, 3));
  EXPECT_TRUE(SeeThrough::LineRegion(QRegion()).isEmpty());
}

TEST(SeeThrough, PictureAtTwiceTheDensityShapesInDevicePixels) {
  QWidget window;
  SeeThrough seeThrough(&window, false);
  seeThrough.SetKeyColor(kKey);
  QImage picture = Picture();
  picture.setDevicePixelRatio(2.0);
  seeThrough.PictureChanged(picture);
  // The shapes are the picture's own pixels ...
  EXPECT_EQ(seeThrough.Mask(), QRegion(5, 5, 10, 10) + QRegion(30, 10, 1, 1));
  EXPECT_EQ(seeThrough.InputRegion(), QRegion(5, 5, 26, 10));
  // ... and Qt, which counts in logical pixels, gets every half-covered one.
  EXPECT_EQ(window.mask(), QRegion(2, 2, 6, 6) + QRegion(15, 5, 1, 1));
}

TEST(SeeThrough, WholeWindowAlphaNeedsAThirtyTwoBitScreen) {
  // The offscreen platform has no X pixmap formats to tell.
  QWidget window;
  SeeThrough seeThrough(&window, false);
  EXPECT_FALSE(seeThrough.SetAlpha(128));
  EXPECT_EQ(window.windowOpacity(), 1.0);
}

}  // namespace
}  // namespace lumivane
