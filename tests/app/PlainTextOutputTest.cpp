#include <gtest/gtest.h>

#include "app/HeadlessModes.h"

namespace lumivane {
namespace {

TEST(PlainTextOutput, LinesEndInNewlineWithoutTrailingBlanks) {
  EXPECT_EQ(DisplayPlainText("<b>Today </b><BR>09:00 - Stand-up \t<br>"),
            "Today\n09:00 - Stand-up\n");
  // The last line gets its line end; an empty display stays empty.
  EXPECT_EQ(DisplayPlainText("a<BR>b"), "a\nb\n");
  EXPECT_EQ(DisplayPlainText(""), "");
  // Blank lines stay, a line of blanks becomes empty, a lone \r is a blank.
  EXPECT_EQ(DisplayPlainText("a<BR><BR>  <BR>b\r<BR>"), "a\n\n\nb\n");
  EXPECT_EQ(DisplayPlainText("a<BR>   "), "a\n\n");
  // Line ends written in the text end lines too; a lone \r inside a line stays.
  EXPECT_EQ(DisplayPlainText("a \r\nb\nc\rd\n\n"), "a\nb\nc\rd\n\n");
}

// The text shows the characters the window shows for the markup's entities.
TEST(PlainTextOutput, EntitiesReadAsTheWindowReadsThem) {
  EXPECT_EQ(DisplayPlainText("Team &lt;sync&gt; &amp; &quot;Q4&quot; &EURO;5 &copy;"),
            "Team <sync> & \"Q4\" \xE2\x82\xAC"
            "5 \xC2\xA9\n");
  // "&amp;" makes an "&" that starts an entity with what follows, as in the
  // window; "&lt;" and "&gt;" are read in lower case only.
  EXPECT_EQ(DisplayPlainText("&amp;lt;x&amp;gt; &amp;amp;quot; &LT;"), "<x> \" &LT;\n");
  // A non-breaking space at a line end is a trailing blank like any other.
  EXPECT_EQ(DisplayPlainText("Lunch&nbsp;&nbsp;<BR>&nbsp;x"), "Lunch\n x\n");
  EXPECT_EQ(DisplayPlainText("&unknown; & &am"), "&unknown; & &am\n");
  // Tags go before entities are read: one split by a tag is whole again.
  EXPECT_EQ(DisplayPlainText("&<b>lt;b&</b>gt;&&amp;&lt"), "<b>&&&lt\n");
}

}  // namespace
}  // namespace lumivane
