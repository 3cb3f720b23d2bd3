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
  // Blank lines stay, a line of blanks becomes empty.
  EXPECT_EQ(DisplayPlainText("a<BR><BR>  <BR>b<BR>"), "a\n\n\nb\n");
  EXPECT_EQ(DisplayPlainText("a<BR>   "), "a\n\n");
  // Line ends written in the text read as in the window: a carriage return
  // breaks the line, a line feed is dropped.
  EXPECT_EQ(DisplayPlainText("a \r\nb\nc\rd\n\n"), "a\nbc\nd\n");
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
  EXPECT_EQ(DisplayPlainText("&unknown; & &am &&amp;&lt"), "&unknown; & &am &&&lt\n");
  // Text the window shows literally ("<#" up to the next ">").
  EXPECT_EQ(DisplayPlainText("Agenda <#b>plain"), "Agenda #bplain\n");
}

}  // namespace
}  // namespace lumivane
