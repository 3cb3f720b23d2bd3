#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "dialogs/controls/ColorPalette.h"
#include "dialogs/controls/TColorPane.h"
#include "dialogs/controls/TColorPaneFloatWindow.h"

namespace lumivane {
namespace {

// A pane that counts its events.
struct PaneFixture : ::testing::Test {
  TColorPane pane;
  int changes = 0, defaults = 0, others = 0;

  void SetUp() override {
    pane.OnChange = [this](TColorPane* sender) {
      EXPECT_EQ(sender, &pane);
      ++changes;
    };
    pane.OnClickDefault = [this](TColorPane*) { ++defaults; };
    pane.OnClickOtherBtn = [this](TColorPane*) { ++others; };
    pane.show();
  }
  void TearDown() override {
    if (pane.FloatWindow()) pane.FloatWindow()->close();
  }
  TColorPaneFloatWindow* Open() {
    pane.OpenPalette();
    return pane.FloatWindow();
  }
};

TEST(ColorPalette, CellsEntriesAndTheirEdges) {
  // Red in the low byte: row 3, column 1 is red.
  EXPECT_EQ((PaletteMark{2, 0}.CellColor()), 0x0000FFu);
  EXPECT_EQ((PaletteMark{4, 7}.CellColor()), 0xFFFFFFu);
  EXPECT_EQ(MarkAt(7, 7), (PaletteMark{0, 0}));
  EXPECT_EQ(MarkAt(6, 7), std::nullopt);
  EXPECT_EQ(MarkAt(150, 96), (PaletteMark{4, 7}));
  EXPECT_EQ(MarkAt(151, 96), std::nullopt);
  // The entries row runs from 97 to 115; Default to x 78, Other Color from 79.
  EXPECT_EQ(MarkAt(78, 97)->Item(), PaletteItem::Default);
  EXPECT_EQ(MarkAt(79, 114)->Item(), PaletteItem::OtherColor);
  EXPECT_EQ(MarkAt(79, 115), std::nullopt);
  const PaletteRect other = MarkRect({5, 6});
  EXPECT_EQ(other.left, 79);
  EXPECT_EQ(other.left + other.width, 151);
  EXPECT_EQ(other.top, 97);
  EXPECT_EQ(other.top + other.height, 115);
}

TEST(ColorPalette, MarksWrapAroundColumnsAndRows) {
  EXPECT_EQ(MoveMark({3, 0}, MarkMove::Left), (PaletteMark{3, 7}));
  EXPECT_EQ(MoveMark({3, 7}, MarkMove::Right), (PaletteMark{3, 0}));
  EXPECT_EQ(MoveMark({5, 2}, MarkMove::Down), (PaletteMark{0, 2}));
  EXPECT_EQ(MoveMark({0, 6}, MarkMove::Up), (PaletteMark{5, 6}));
  EXPECT_EQ(MarkOfColor(0x123456), (PaletteMark{5, 0}));
  EXPECT_EQ(MarkOfColor(clNone).Item(), PaletteItem::Default);
}

TEST_F(PaneFixture, AColourOutsideThePaletteOpensWithDefaultMarked) {
  pane.SetColor(0x123456);
  TColorPaneFloatWindow* palette = Open();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Mark().Item(), PaletteItem::Default);
  EXPECT_EQ(palette->size(), QSize(158, 122));
  palette->close();
  QApplication::processEvents();
  pane.SetColor(0x0000FF);
  palette = Open();
  EXPECT_EQ(palette->Mark(), (PaletteMark{2, 0}));
}

TEST_F(PaneFixture, ArrowKeysWrapAndEnterChoosesACell) {
  pane.SetColor(0x0000FF);  // row 3, column 1
  changes = 0;
  TColorPaneFloatWindow* palette = Open();
  QTest::keyClick(palette, Qt::Key_Left);
  EXPECT_EQ(palette->Mark(), (PaletteMark{2, 7}));
  QTest::keyClick(palette, Qt::Key_Down);
  QTest::keyClick(palette, Qt::Key_Down);
  QTest::keyClick(palette, Qt::Key_Down);
  EXPECT_EQ(palette->Mark(), (PaletteMark{5, 7}));
  QTest::keyClick(palette, Qt::Key_Down);  // from the entries row back to row 1
  EXPECT_EQ(palette->Mark(), (PaletteMark{0, 7}));
  QTest::keyClick(palette, Qt::Key_Space);
  EXPECT_EQ(pane.FloatWindow(), nullptr);
  EXPECT_EQ(pane.Color(), 0x333333u);
  EXPECT_EQ(changes, 1);
}

TEST_F(PaneFixture, EnterOnDefaultRaisesTheEventLikeTheMouse) {
  pane.SetColor(0x123456);
  changes = 0;
  TColorPaneFloatWindow* palette = Open();
  QTest::keyClick(palette, Qt::Key_Return);
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(pane.Color(), 0x123456u);  // the handler decides the colour
  EXPECT_EQ(changes, 0);

  palette = Open();
  QTest::mouseMove(palette, QPoint(40, 105));
  QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(40, 105));
  EXPECT_EQ(defaults, 2);
  EXPECT_EQ(pane.FloatWindow(), nullptr);
}

TEST_F(PaneFixture, MouseChoosesCellsAndOtherColor) {
  TColorPaneFloatWindow* palette = Open();
  // Row 2, column 6: FF0000, which is blue (red is the low byte).
  const QPoint cell(7 + 5 * 18 + 9, 7 + 1 * 18 + 9);
  QTest::mouseMove(palette, cell);
  EXPECT_EQ(palette->Mark(), (PaletteMark{1, 5}));
  QTest::mousePress(palette, Qt::LeftButton, {}, cell);
  QTest::mouseRelease(palette, Qt::LeftButton, {}, cell);
  EXPECT_EQ(pane.Color(), 0xFF0000u);
  EXPECT_EQ(changes, 1);

  palette = Open();
  QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(120, 105));
  EXPECT_EQ(others, 1);
  EXPECT_EQ(pane.Color(), 0xFF0000u);
}

TEST_F(PaneFixture, EscapeAndAPressOutsideCloseWithoutAChoice) {
  TColorPaneFloatWindow* palette = Open();
  QTest::keyClick(palette, Qt::Key_Right);
  QTest::keyClick(palette, Qt::Key_Escape);
  EXPECT_EQ(pane.FloatWindow(), nullptr);
  palette = Open();
  QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(-30, 200));
  EXPECT_EQ(pane.FloatWindow(), nullptr);
  // A release outside the palette (the press that opened it) chooses nothing.
  palette = Open();
  QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_EQ(pane.FloatWindow(), palette);
  EXPECT_EQ(changes + defaults + others, 0);
}

TEST_F(PaneFixture, AlignmentPlacesThePaletteBesideTheSwatch) {
  const QPoint corner = pane.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(pane.PalettePosition(), corner + QPoint(0, 16));
  pane.SetAlignment(TColorPaneAlignment::Left);
  EXPECT_EQ(pane.PalettePosition(), corner - QPoint(158, 0));
  pane.SetAlignment(TColorPaneAlignment::Right);
  EXPECT_EQ(pane.PalettePosition(), corner + QPoint(16, 0));
}

TEST_F(PaneFixture, KeysOpenThePaletteAndADisabledPaneNeither) {
  QTest::keyClick(&pane, Qt::Key_Space);
  ASSERT_NE(pane.FloatWindow(), nullptr);
  pane.FloatWindow()->close();
  pane.setEnabled(false);
  pane.OpenPalette();
  EXPECT_EQ(pane.FloatWindow(), nullptr);
}

TEST_F(PaneFixture, DrawsASunkenFrameAndTheFillOrButtonFaceWhenDisabled) {
  pane.SetColor(0x0000FF);
  const QPalette& colours = pane.palette();
  QImage image = pane.grab().toImage();
  EXPECT_EQ(image.size(), QSize(16, 16));
  EXPECT_EQ(image.pixel(0, 0), colours.color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(15, 15), colours.color(QPalette::Light).rgb());
  EXPECT_EQ(image.pixel(8, 8), qRgb(255, 0, 0));
  pane.setEnabled(false);
  image = pane.grab().toImage();
  EXPECT_EQ(image.pixel(8, 8), colours.color(QPalette::Active, QPalette::Button).rgb());
}

}  // namespace
}  // namespace lumivane
