// Layout and drawing over the test canvas: characters 6 pixels wide (7 bold),
// text 13 pixels high at 8 points, so a line starts 17 high. Lines start 1
// pixel right of the rectangle's left edge.
#include <gtest/gtest.h>

#include <limits>

#include "display/markup/DrawMarkup.h"
#include "support/TestCanvas.h"

namespace lumivane {
namespace {

using Kind = CanvasOp::Kind;

class DrawMarkupTest : public ::testing::Test {
 protected:
  MarkupResult Draw(std::string_view markup, Rect rect = {0, 0, 300, 1000},
                    MarkupOptions options = {}) {
    return DrawMarkup(canvas, markup, rect, options);
  }
  const CanvasOp& Text(const std::string& text) {
    const CanvasOp* op = canvas.FindText(text);
    if (op == nullptr) throw std::runtime_error("not drawn: " + text);
    return *op;
  }
  std::vector<std::string> DrawnTexts() const {
    std::vector<std::string> texts;
    for (const CanvasOp& op : canvas.Texts()) texts.push_back(op.text);
    return texts;
  }
  std::vector<CanvasOp> Ops(Kind kind) const {
    std::vector<CanvasOp> found;
    for (const CanvasOp& op : canvas.ops) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }

  TestCanvas canvas;
  const Color base = canvas.Font().color;
};

TEST_F(DrawMarkupTest, FontSizeOneToFiveMapsAndOtherNumbersArePoints) {
  Draw("<font size=\"3\">a</font><font Size=\"3\">b</font><font size=\"7\">c</font>d");
  EXPECT_EQ(Text("a").font.size, 12);
  EXPECT_EQ(Text("b").font.size, 12);
  EXPECT_EQ(Text("c").font.size, 7);
  EXPECT_EQ(Text("d").font.size, 8);
  // The 12-point runs (17 high) set the line's height: no taller than its start.
  EXPECT_EQ(Text("a").rect.bottom, 17);
}

TEST_F(DrawMarkupTest, ALineStartingBelowEightPointsStartsSixHigherThanItsText) {
  const MarkupResult result = Draw("<font size=\"7\">x<BR>y<BR></font>z");
  // 17 for the first line; 12 + 6 for the next two, which start in 7 points.
  EXPECT_EQ(Text("y").rect.top, 17);
  EXPECT_EQ(Text("z").rect.top, 35);
  EXPECT_EQ(result.totalHeight, 53);
}

TEST_F(DrawMarkupTest, ClosingAnchorReturnsToTheBaseColourInsideAFontColour) {
  Draw("<font color=\"#FF0000\">a<a href=\"x\">b</a>c</font>d");
  EXPECT_EQ(Text("a").font.color, RGB(0xFF, 0, 0));
  EXPECT_EQ(Text("b").font.color, RGB(0xFF, 0, 0));
  EXPECT_EQ(Text("c").font.color, base);
  EXPECT_EQ(Text("d").font.color, base);
}

TEST_F(DrawMarkupTest, ClosingFontKeepsBoldAndRestoresFaceSizeAndColour) {
  Draw("<font face=\"Serif\" size=\"12\" color=\"clRed\"><B>x</font>y</B>z");
  EXPECT_TRUE(Text("x").font.bold);
  EXPECT_EQ(Text("x").font.face, "SERIF");
  const FontStyle& y = Text("y").font;
  EXPECT_TRUE(y.bold);
  EXPECT_EQ(y.size, 8);
  EXPECT_EQ(y.face, "DejaVu Sans");
  EXPECT_EQ(y.color, base);
  EXPECT_FALSE(Text("z").font.bold);
}

TEST_F(DrawMarkupTest, ClosingBoldKeepsABoldBaseFont) {
  FontStyle bold = canvas.Font();
  bold.bold = true;
  canvas.SetFont(bold);
  Draw("<B>a</B>b");
  EXPECT_TRUE(Text("b").font.bold);
}

TEST_F(DrawMarkupTest, EscapedLessThanDrawsAndAnUnclosedSignEndsTheText) {
  Draw("x &lt;b&gt; y");
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"x ", "<b> ", "y"}));
  canvas.ops.clear();
  Draw("x <b y and more");
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"x "}));
}

TEST_F(DrawMarkupTest, EscapedAmpersandBeforeLtEndsAsALessThanSign) {
  Draw("a&amp;lt;b");
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"a<b"}));
}

TEST_F(DrawMarkupTest, AWordSplitByTagsIsNeverBroken) {
  // Line width 32: "aaaa " (30) fits, "bb" does not and starts the next line;
  // "cccc" (bold, 28) does not fit after it either but joins "bb" without a
  // blank, so it stays.
  Draw("aaaa bb<b>cccc</b>", {0, 0, 33, 1000});
  EXPECT_EQ(Text("aaaa ").rect.top, 0);
  EXPECT_EQ(Text("bb").rect.top, 17);
  EXPECT_EQ(Text("cccc").rect.top, 17);
  EXPECT_EQ(Text("cccc").rect.left, 13);
}

TEST_F(DrawMarkupTest, AWordWiderThanTheLineStaysWhole) {
  const MarkupResult result = Draw("verylongword xx", {0, 0, 31, 1000});
  EXPECT_EQ(Text("verylongword ").rect.top, 0);
  EXPECT_EQ(Text("xx").rect.top, 17);
  EXPECT_EQ(result.widestLine, 72);
}

TEST_F(DrawMarkupTest, ATrailingBlankDoesNotCountForRightAndCentreAlignment) {
  MarkupResult result = Draw("<P align=\"right\">abc <BR>", {0, 0, 100, 1000});
  EXPECT_EQ(Text("abc ").rect.left, 82);
  EXPECT_EQ(result.widestLine, 18);
  canvas.ops.clear();
  Draw("<P align=\"center\">abc <BR>", {0, 0, 100, 1000});
  EXPECT_EQ(Text("abc ").rect.left, 41);
}

TEST_F(DrawMarkupTest, AlignmentAndIndentStayForLaterLines) {
  Draw("<P align=\"left\" indent=\"10\">a<BR>b<BR><P align=\"right\">c", {0, 0, 100, 1000});
  EXPECT_EQ(Text("a").rect.left, 11);
  EXPECT_EQ(Text("b").rect.left, 11);
  EXPECT_EQ(Text("c").rect.left, 104);
}

TEST_F(DrawMarkupTest, EmptyTextIsOneTextHeightHighAndNothingWide) {
  const MarkupResult result = Draw("");
  EXPECT_EQ(result.totalHeight, 13);
  EXPECT_EQ(result.widestLine, 0);
  EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(DrawMarkupTest, ACarriageReturnStartsANewLineAndALineFeedChangesNothing) {
  Draw("Team\rsync");
  EXPECT_EQ(Text("sync").rect.top, 17);
  canvas.ops.clear();
  Draw("Team\nsync");
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"Teamsync"}));
}

TEST_F(DrawMarkupTest, CalendarHeadingIsOneLineWithItsTextRaisedByTheMiddleOffset) {
  canvas.imageCount = 6;
  Draw(
      "<IMG src=\"idx:1\" align=\"middle\" > <a href=\"Calendar\"><U><B>Calendar</B></U></a>"
      "<BR></a>");
  const std::vector<CanvasOp> images = Ops(Kind::kImage);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].index, 1);
  EXPECT_EQ(images[0].rect, (Rect{1, 0, 17, 16}));
  // (17 - 13 / 2) / 4 = 2 pixels above the line's bottom.
  EXPECT_EQ(Text(" ").rect, (Rect{17, 0, 300, 15}));
  const CanvasOp& word = Text("Calendar");
  EXPECT_EQ(word.rect, (Rect{23, 0, 300, 15}));
  EXPECT_TRUE(word.font.bold);
  EXPECT_TRUE(word.font.underline);
}

TEST_F(DrawMarkupTest, TopAlignedImageRaisesTheTextByLineHeightLessTextHeight) {
  canvas.imageCount = 1;
  Draw("<IMG src=\"idx:0\" align=\"top\">x<BR><IMG src=\"idx:0\">y");
  EXPECT_EQ(Text("x").rect.bottom, 13);
  EXPECT_EQ(Text("y").rect.bottom, 34);  // no ALIGN: text at the line's bottom
}

TEST_F(DrawMarkupTest, FirstLineIsAlwaysLaidOutAndLaterOnesOnlyWhileTheyStart) {
  Draw("a<BR>b", {0, 0, 300, 10});
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(Text("a").rect.bottom, 17);  // drawn whole past the bottom
  canvas.ops.clear();
  Draw("a<BR>b<BR>c", {0, 0, 300, 34});
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"a", "b"}));
  canvas.ops.clear();
  const MarkupResult result = Draw("a<BR>b<BR>c", {0, 0, 300, 33});
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(result.totalHeight, 17);
}

TEST_F(DrawMarkupTest, WithoutWordWrapARunThatDoesNotFitEndsWithAnEllipsisAndTheText) {
  MarkupOptions options;
  options.wordWrap = false;
  const MarkupResult result = Draw("abcde <b>ghijklm</b>rest<BR>next", {0, 0, 81, 1000}, options);
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"abcde ", "ghi..."}));
  EXPECT_NE(Text("ghi...").flags & kTextEndEllipsis, 0u);
  EXPECT_EQ(Text("ghi...").rect, (Rect{37, 0, 81, 17}));
  EXPECT_EQ(result.totalHeight, 17);
}

TEST_F(DrawMarkupTest, WithWordWrapTextFlagsAreTheSingleLineSetWithoutLeading) {
  Draw("x");
  EXPECT_EQ(Text("x").flags, kMarkupTextFlags & ~static_cast<unsigned>(kTextExternalLeading));
}

TEST_F(DrawMarkupTest, MissingImagesDrawNothingAndTakeNoRoom) {
  canvas.imageCount = 2;
  canvas.missingIconPaths = {"/nowhere"};
  Draw(
      "<IMG src=\"idx:2\"><IMG src=\"idx:-1\"><IMG src=\"SSYS:12\"><IMG src=\"SSYS:/nowhere\">"
      "<IMG src=\"nothing\"><IMG src=\"C:\\x.bmp\">x");
  EXPECT_EQ(Ops(Kind::kImage).size(), 0u);
  EXPECT_EQ(Ops(Kind::kFileIcon).size(), 0u);
  EXPECT_EQ(Text("x").rect.left, 1);
}

TEST_F(DrawMarkupTest, FileIconsPicturesAndStretching) {
  canvas.namedPictures = {{"logo", {10, 20}}};
  canvas.addressedPictures = {{"RES://Logo.png", {8, 8}}};
  Draw(
      "<IMG src=\"LSYS:/home/a b.txt\"><IMG src=\"logo\" width=\"30\" height=\"40\">"
      "<IMG src=\"RES://Logo.png\"><IMG src=\"http://example.org/x.png\">x");
  const std::vector<CanvasOp> icons = Ops(Kind::kFileIcon);
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].text, "/home/a b.txt");
  EXPECT_EQ(icons[0].rect, (Rect{1, 0, 33, 32}));
  const std::vector<CanvasOp> pictures = Ops(Kind::kPicture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].rect, (Rect{33, 0, 63, 40}));
  EXPECT_EQ(pictures[1].text, "RES://Logo.png");
  EXPECT_EQ(pictures[1].rect, (Rect{63, 0, 71, 8}));
  // The other address was asked for (and so recorded by the cache), never drawn.
  EXPECT_EQ(canvas.pictureRequests.back(), "http://example.org/x.png");
  EXPECT_EQ(Text("x").rect, (Rect{71, 0, 300, 40}));
}

TEST_F(DrawMarkupTest, ImageRoomScalesWithDotsPerInch) {
  canvas.imageCount = 1;
  canvas.dpiX = 144;
  canvas.dpiY = 192;
  const MarkupResult result = Draw("<IMG src=\"IDX:0\">x");
  EXPECT_EQ(Text("x").rect.left, 25);
  EXPECT_EQ(result.totalHeight, 32);
}

TEST_F(DrawMarkupTest, AnImageThatDoesNotFitStartsTheNextLine) {
  canvas.imageCount = 1;
  Draw("abcdefgh<IMG src=\"idx:0\">", {0, 0, 61, 1000});
  ASSERT_EQ(Ops(Kind::kImage).size(), 1u);
  EXPECT_EQ(Ops(Kind::kImage)[0].rect, (Rect{1, 17, 17, 33}));
}

TEST_F(DrawMarkupTest, ListItemsIndentAndDrawBulletsOnePerLine) {
  Draw("<UL><LI>one<LI>two<UL><LI>three</UL></UL>");
  const std::vector<CanvasOp> texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0].text, "\xE2\x80\xA2");
  EXPECT_EQ(texts[0].font.face, "Symbol");
  EXPECT_EQ(texts[0].rect.left, 1);
  EXPECT_EQ(Text("one").rect, (Rect{13, 17, 300, 34}));
  EXPECT_EQ(Text("two").rect.top, 34);
  EXPECT_EQ(texts[4].text, "o");
  EXPECT_EQ(texts[4].rect.left, 13);
  EXPECT_EQ(Text("three").rect.left, 25);
  EXPECT_EQ(Text("three").font.face, "DejaVu Sans");
}

TEST_F(DrawMarkupTest, SubscriptAndSuperscriptDeepenTheLine) {
  MarkupResult result = Draw("a<SUB>b</SUB>");
  EXPECT_EQ(Text("a").rect.bottom, 17);
  EXPECT_EQ(Text("b").rect.bottom, 20);
  EXPECT_EQ(result.totalHeight, 20);
  canvas.ops.clear();
  result = Draw("a<SUP>b</SUP>");
  EXPECT_EQ(Text("a").rect.bottom, 20);
  EXPECT_EQ(Text("b").rect.bottom, 17);
}

TEST_F(DrawMarkupTest, HiddenTextIsNeitherDrawnNorCounted) {
  const MarkupResult result = Draw("a<Z>hidden</Z>b");
  EXPECT_EQ(DrawnTexts(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Text("b").rect.left, 7);
  EXPECT_EQ(result.widestLine, 12);
}

TEST_F(DrawMarkupTest, ShadowDrawsTheRunOffsetInTheShadowColourFirst) {
  MarkupOptions options;
  options.shadowOffset = 3;
  options.shadowColor = RGB(0x80, 0x80, 0x80);
  Draw("<SHAD>x</SHAD>y", {0, 0, 300, 1000}, options);
  const std::vector<CanvasOp> texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].rect, (Rect{4, 3, 303, 20}));
  EXPECT_EQ(texts[0].font.color, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(texts[1].rect, (Rect{1, 0, 300, 17}));
  EXPECT_EQ(texts[1].font.color, base);
  EXPECT_EQ(texts[2].text, "y");
}

TEST_F(DrawMarkupTest, HighlightAndFontBackgroundPaintBehindTextAndAreRestored) {
  Draw("<HI>x</HI>y<font bgcolor=\"#00FF00\">z</font>w");
  EXPECT_EQ(Text("x").brush, RGB(0xFF, 0xFF, 0x00));
  EXPECT_EQ(Text("x").font.color, clBlack);
  EXPECT_EQ(Text("y").brush, clNone);
  EXPECT_EQ(Text("y").font.color, base);
  EXPECT_EQ(Text("z").brush, RGB(0, 0xFF, 0));
  EXPECT_EQ(Text("w").brush, clNone);
}

TEST_F(DrawMarkupTest, BlinkHidesTextInTheCanvasBrushColour) {
  canvas.SetBrush(RGB(1, 1, 1));
  Draw("<BLINK>x</BLINK>y");
  EXPECT_EQ(Text("x").font.color, RGB(1, 1, 1));
  EXPECT_EQ(Text("y").font.color, base);
  EXPECT_EQ(canvas.Brush(), RGB(1, 1, 1));  // put back at the end
}

TEST_F(DrawMarkupTest, HoverColoursApplyToEveryAnchorOrOnlyToTheHoverAnchor) {
  MarkupOptions options;
  options.hoverColor = RGB(0, 0, 0xFF);
  options.hoverFontColor = clWhite;
  Draw("<a href=\"1\">a</a><a href=\"2\">b</a>c", {0, 0, 300, 1000}, options);
  EXPECT_EQ(Text("a").font.color, clWhite);
  EXPECT_EQ(Text("b").brush, RGB(0, 0, 0xFF));
  EXPECT_EQ(Text("c").brush, clNone);
  canvas.ops.clear();
  options.hover = true;
  options.hoverAnchor = 2;
  Draw("<a href=\"1\">a</a><a href=\"2\">b</a>c", {0, 0, 300, 1000}, options);
  EXPECT_EQ(Text("a").font.color, base);
  EXPECT_EQ(Text("b").font.color, clWhite);
}

TEST_F(DrawMarkupTest, IndentTagMovesToATabStopFromTheRectangle) {
  Draw("ab<IND x=\"50\">c<IND x=\"5\">d<IND x=\"9z\">e", {10, 0, 300, 1000});
  EXPECT_EQ(Text("c").rect.left, 60);
  EXPECT_EQ(Text("d").rect.left, 66);
  EXPECT_EQ(Text("e").rect.left, 72);
  // A tab stop the text has passed already moves nothing, when drawing too.
  canvas.ops.clear();
  Draw("abcdefghij<IND x=\"30\">k");
  EXPECT_EQ(Text("k").rect.left, 61);
}

TEST_F(DrawMarkupTest, RuleDrawsABlackLineBelowTheTextAndEndsTheLine) {
  canvas.SetPen(RGB(9, 9, 9), 1);
  Draw("a<HR>b", {0, 0, 100, 1000});
  const std::vector<CanvasOp> lines = Ops(Kind::kLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect, (Rect{1, 18, 100, 18}));
  EXPECT_EQ(lines[0].pen, clBlack);
  EXPECT_EQ(Text("b").rect.top, 17);
  EXPECT_EQ(canvas.PenColor(), RGB(9, 9, 9));
}

TEST_F(DrawMarkupTest, SquiggleZigzagsAlongTheMeasuredBottom) {
  Draw("<E>abc</E>", {3, 0, 300, 1000});
  const std::vector<CanvasOp> lines = Ops(Kind::kLine);
  // From x 4 (even, a multiple of 4: one below) to 22, alternating.
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].rect, (Rect{4, 14, 6, 12}));
  EXPECT_EQ(lines[1].rect, (Rect{6, 12, 8, 14}));
  EXPECT_EQ(lines[8].rect.right, 22);
  EXPECT_EQ(lines[0].pen, RGB(0xFF, 0, 0));
}

TEST_F(DrawMarkupTest, PageAndParagraphBackgrounds) {
  Draw("<BODY bgcolor=\"#102030\">x", {10, 5, 110, 105});
  std::vector<CanvasOp> rectangles = Ops(Kind::kRectangle);
  ASSERT_EQ(rectangles.size(), 1u);
  EXPECT_EQ(rectangles[0].rect, (Rect{8, 5, 110, 105}));
  EXPECT_EQ(rectangles[0].brush, RGB(0x10, 0x20, 0x30));

  canvas.ops.clear();
  Draw("<BODY bgcolor=\"#000000\" bgcolorto=\"#FC0000\" dir=\"v\">", {0, 0, 100, 64});
  rectangles = Ops(Kind::kRectangle);
  ASSERT_EQ(rectangles.size(), 64u);
  EXPECT_EQ(rectangles[1].rect, (Rect{0, 1, 100, 3}));
  EXPECT_EQ(rectangles[63].brush, RGB(0xF8, 0, 0));

  canvas.ops.clear();
  Draw("a<P bgcolor=\"clYellow\">b<BR>c</P>d", {0, 0, 100, 1000});
  rectangles = Ops(Kind::kRectangle);
  ASSERT_EQ(rectangles.size(), 2u);
  EXPECT_EQ(rectangles[0].rect, (Rect{0, 0, 100, 17}));   // the P's line
  EXPECT_EQ(rectangles[1].rect, (Rect{0, 17, 100, 34}));  // the next line, before its text
  EXPECT_EQ(Text("d").brush, clNone);
}

TEST_F(DrawMarkupTest, IgnoreClearTypeDrawsAndMeasuresWithAnAntialiasedFont) {
  Draw("x");
  EXPECT_TRUE(Text("x").font.antialiased);
  canvas.ops.clear();
  MarkupOptions options;
  options.ignoreClearType = false;
  Draw("x", {0, 0, 300, 1000}, options);
  EXPECT_FALSE(Text("x").font.antialiased);
}

TEST_F(DrawMarkupTest, AnyRectangleIsLaidOutWithinThePixelRange) {
  canvas.imageCount = 1;
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  const MarkupResult result =
      Draw("<P align=\"right\">a <IMG src=\"idx:0\"><BR>b", {kMin, kMin, kMax, kMax});
  // The rectangle counts as reaching 2^30 pixels each way; "a " and the image
  // are 22 wide without the trailing blank.
  EXPECT_EQ(Text("a ").rect.left, (1 << 30) - 22);
  EXPECT_EQ(Text("b").rect.top, -(1 << 30) + 17);
  EXPECT_EQ(result.totalHeight, 34);
}

TEST_F(DrawMarkupTest, MeasuringAloneDrawsNothingAndGivesTheSameSizes) {
  const std::string markup =
      "<P align=\"right\"><b>Today </b><BR>  <font size=\"7\">09:30 - "
      "</font>Team &lt;sync&gt; (Room 4) <BR>";
  const MarkupResult drawn = Draw(markup, {0, 0, 120, 1000});
  canvas.ops.clear();
  MarkupOptions options;
  options.measureOnly = true;
  const MarkupResult measured = Draw(markup, {0, 0, 120, 1000}, options);
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_EQ(measured.widestLine, drawn.widestLine);
  EXPECT_EQ(measured.totalHeight, drawn.totalHeight);
  EXPECT_EQ(drawn.totalHeight, 17 + 17 + 17);
}

}  // namespace
}  // namespace lumivane
