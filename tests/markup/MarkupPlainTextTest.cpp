#include <gtest/gtest.h>

#include "display/markup/MarkupPlainText.h"

namespace lumivane {
namespace {

TEST(MarkupToPlainText, BreaksAndRulesBecomeLineEnds) {
  EXPECT_EQ(MarkupToPlainText("<b>Today </b><BR>a<br>b<Hr>c"), "Today \r\na\r\nb\r\nc");
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
}

TEST(MarkupToPlainText, KeepsASignWithoutACloseAndAllAfterIt) {
  EXPECT_EQ(MarkupToPlainText("1 < 2"), "1 < 2");
  EXPECT_EQ(MarkupToPlainText("a<b>c<d"), "ac<d");
  EXPECT_EQ(MarkupToPlainText(""), "");
}

}  // namespace
}  // namespace lumivane
