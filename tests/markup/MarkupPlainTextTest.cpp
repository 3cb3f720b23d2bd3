#include <gtest/gtest.h>

#include "display/markup/MarkupPlainText.h"

namespace lumivane {
namespace {

TEST(MarkupToPlainText, BreaksAndRulesBecomeLineEnds) {
  EXPECT_EQ(MarkupToPlainText("<b>Today </b><BR>a<br>b<Hr>c"), "Today \r\na\r\nb\r\nc");
  // Any letter case, but exactly those four characters: "<Br >" and a cut
  // "<BR" are other tags (the second one never closed).
  EXPECT_EQ(MarkupToPlainText("a<bR>b<hr>c<Br >d<BR"), "a\r\nb\r\ncd<BR");
  EXPECT_EQ(MarkupToPlainText("<BR><br>"), "\r\n\r\n");
}

TEST(MarkupToPlainText, ALineTagInsideATagIsReadBeforeTheTagsGo) {
  // The ">" of the "<BR>" has become a line end by the time the tags go, so
  // the outer tag runs on to the next ">" and takes the line end with it.
  EXPECT_EQ(MarkupToPlainText("x<a <BR> b>y"), "xy");
  // With no ">" after it, the outer "<" keeps the rest, line end included.
  EXPECT_EQ(MarkupToPlainText("x<a <BR> b"), "x<a \r\n b");
}

TEST(MarkupToPlainText, NestedSignsCloseAtTheFirstClose) {
  EXPECT_EQ(MarkupToPlainText("<<b>>x"), ">x");
  EXPECT_EQ(MarkupToPlainText("a<b<i>c>d"), "ac>d");
}

TEST(MarkupToPlainText, DropsTagsAndKeepsEntitiesAsWritten) {
  EXPECT_EQ(MarkupToPlainText("<IMG src=\"idx:1\" align=\"middle\" > <a href=\"Calendar\"><U><B>"
                              "Calendar</B></U></a><BR></a>"),
            " Calendar\r\n");
  EXPECT_EQ(MarkupToPlainText("Team &lt;sync&gt; &amp;"), "Team &lt;sync&gt; &amp;");
}

TEST(MarkupToPlainText, RemovesHiddenSections) {
  EXPECT_EQ(MarkupToPlainText("a<z>x</z>b<Z>y</Z>c"), "abc");
  // Lower-case sections first, then upper-case ones; the cases do not mix.
  EXPECT_EQ(MarkupToPlainText("a<z>x</Z>b</z>c"), "ac");
  EXPECT_EQ(MarkupToPlainText("a<Z>never closed"), "a");
  // A section ends at the first close; a close left over is a tag like any other.
  EXPECT_EQ(MarkupToPlainText("a<z>b<z>c</z>d</z>e"), "ade");
  // Line tags inside a section go with it.
  EXPECT_EQ(MarkupToPlainText("a<Z>b<BR>c</Z><BR>d"), "a\r\nd");
  // Taking out a lower-case section can join an upper-case one, which then goes too.
  EXPECT_EQ(MarkupToPlainText("<<z>x</z>Z>y</Z>w"), "w");
}

TEST(MarkupToPlainText, KeepsASignWithoutACloseAndAllAfterIt) {
  EXPECT_EQ(MarkupToPlainText("1 < 2"), "1 < 2");
  EXPECT_EQ(MarkupToPlainText("a<b>c<d"), "ac<d");
  EXPECT_EQ(MarkupToPlainText(""), "");
}

}  // namespace
}  // namespace lumivane
