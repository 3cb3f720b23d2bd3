#include <gtest/gtest.h>

#include "base/AsciiCase.h"
#include "display/markup/MarkupColor.h"
#include "display/markup/MarkupTag.h"

namespace lumivane {
namespace {

TEST(ClassifyTag, DecidesOnTheCharactersAfterTheSign) {
  EXPECT_EQ(ClassifyTag("<a href=\"x\">"), TagKind::kAnchorOpen);
  EXPECT_EQ(ClassifyTag("</a>"), TagKind::kAnchorClose);
  EXPECT_EQ(ClassifyTag("<b>"), TagKind::kBoldOpen);
  EXPECT_EQ(ClassifyTag("</B>"), TagKind::kBoldClose);
  EXPECT_EQ(ClassifyTag("<BLINK>"), TagKind::kBlink);
  EXPECT_EQ(ClassifyTag("</BLINK>"), TagKind::kBaseColor);
  EXPECT_EQ(ClassifyTag("<bogus>"), TagKind::kBody);
  EXPECT_EQ(ClassifyTag("<br>"), TagKind::kBreak);
  EXPECT_EQ(ClassifyTag("<big>"), TagKind::kIgnored);
  EXPECT_EQ(ClassifyTag("<HI>"), TagKind::kHighlightOpen);
  EXPECT_EQ(ClassifyTag("</HR>"), TagKind::kHighlightClose);
  EXPECT_EQ(ClassifyTag("<hr>"), TagKind::kRule);
  EXPECT_EQ(ClassifyTag("<IND x=\"4\">"), TagKind::kIndent);
  EXPECT_EQ(ClassifyTag("<img src=\"idx:1\">"), TagKind::kImage);
  EXPECT_EQ(ClassifyTag("</IMG>"), TagKind::kItalicClose);
  EXPECT_EQ(ClassifyTag("<Shad>"), TagKind::kShadowOpen);
  EXPECT_EQ(ClassifyTag("</sup>"), TagKind::kScriptClose);
  EXPECT_EQ(ClassifyTag("</strike>"), TagKind::kStrikeClose);
  EXPECT_EQ(ClassifyTag("<sub>"), TagKind::kSubscriptOpen);
  EXPECT_EQ(ClassifyTag("<SUPER>"), TagKind::kIgnored);
  EXPECT_EQ(ClassifyTag("<u>"), TagKind::kUnderlineOpen);
  EXPECT_EQ(ClassifyTag("<U >"), TagKind::kListOpen);
  EXPECT_EQ(ClassifyTag("</ul>"), TagKind::kListClose);
  EXPECT_EQ(ClassifyTag("<q>"), TagKind::kIgnored);
}

TEST(ClassifyTag, NeedsFourCharactersForAClosingTagAndACloseForFontAndP) {
  EXPECT_EQ(ClassifyTag("</a"), TagKind::kIgnored);  // an opening tag named "/"
  EXPECT_EQ(ClassifyTag("<font size=\"3\""), TagKind::kIgnored);
  EXPECT_EQ(ClassifyTag("<font size=\"3\" then>"), TagKind::kFontOpen);
  EXPECT_EQ(ClassifyTag("<P align=\"right\""), TagKind::kIgnored);
}

TEST(TagText, EndsAtTheFirstCloseOrTheEnd) {
  EXPECT_EQ(TagText("<a href=\"x>y\">z"), "<a href=\"x>");
  EXPECT_EQ(TagText("<b unclosed"), "<b unclosed");
}

TEST(AttributeValue, ReadsBetweenTheQuotesAfterTheName) {
  const std::string tag = UpperCaseAscii("<font face=\"Dejavu Sans\" size=3 color=\"#ff0000\">");
  EXPECT_EQ(AttributeValue(tag, "FACE"), "DEJAVU SANS");
  EXPECT_EQ(AttributeValue(tag, " COLOR"), "#FF0000");
  EXPECT_EQ(AttributeValue(tag, "BGCOLOR"), std::nullopt);
  // Without quotes the value is empty; the next quoted value is not taken.
  EXPECT_EQ(AttributeValue(UpperCaseAscii("<p indent=5>"), "INDENT"), "");
  EXPECT_EQ(AttributeValue(UpperCaseAscii("<p align=\"right>"), "ALIGN"), "");
}

TEST(ReadNumber, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(ReadNumber("  42px"), 42);
  EXPECT_EQ(ReadNumber("-7"), -7);
  EXPECT_EQ(ReadNumber("$1F"), 31);
  EXPECT_EQ(ReadNumber("0X10"), 16);
  EXPECT_EQ(ReadNumber("+"), 0);
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber("99999999999999999999"), kMaxMarkupNumber);
  EXPECT_EQ(ReadNumber("-99999999999999999999"), -kMaxMarkupNumber);
}

TEST(ReadWholeNumber, RefusesTrailingTextAndEmptyValues) {
  EXPECT_EQ(ReadWholeNumber("120"), 120);
  EXPECT_EQ(ReadWholeNumber("$A"), 10);
  EXPECT_EQ(ReadWholeNumber("12a"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber(""), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("-"), std::nullopt);
}

TEST(FontSizeAttribute, MapsOneToFiveAndTakesOtherNumbersAsPoints) {
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=\"3\">")), 12);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font Size=\"3\">")), 12);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=\"1\">")), 8);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=\"5\">")), 16);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=\"7\">")), 7);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=\"0\">")), 0);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=4>")), 14);
  // After "=", a later quote is where the number is read from.
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size=4 color=\"#00FF00\">")), 0);
  EXPECT_EQ(FontSizeAttribute(UpperCaseAscii("<font size>")), std::nullopt);
}

TEST(AnchorTarget, KeepsTheCaseBetweenTheFirstTwoQuotes) {
  EXPECT_EQ(AnchorTarget("<a href=\"outlook:00AbC\">"), "outlook:00AbC");
  EXPECT_EQ(AnchorTarget("<a href=Calendar>"), "");
  EXPECT_EQ(AnchorTarget("<a href=\"open>"), "");
}

TEST(ParseMarkupColor, ReadsHexPairsAndTheNamedColours) {
  EXPECT_EQ(ParseMarkupColor("#FF8000"), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ParseMarkupColor("#ff8000"), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ParseMarkupColor("#F"), RGB(0x0F, 0, 0));
  EXPECT_EQ(ParseMarkupColor("#GG10ZZ"), RGB(0, 0x10, 0));
  EXPECT_EQ(ParseMarkupColor("CLTEAL"), RGB(0x00, 0x80, 0x80));
  EXPECT_EQ(ParseMarkupColor("clFuchsia"), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(ParseMarkupColor("CLBACKGROUND"), SystemColor(1));
  EXPECT_EQ(ParseMarkupColor("clBtnFace"), SystemColor(15));
  EXPECT_EQ(ParseMarkupColor("clInfoBk"), SystemColor(24));
  EXPECT_EQ(ParseMarkupColor("red"), clBlack);
  EXPECT_EQ(ParseMarkupColor(""), clBlack);
}

}  // namespace
}  // namespace lumivane
