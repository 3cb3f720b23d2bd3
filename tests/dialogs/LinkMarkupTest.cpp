#include <gtest/gtest.h>

#include "dialogs/controls/LinkMarkup.h"

namespace lumivane {
namespace {

TEST(LinkMarkup, BoldAndNumberedLinks) {
  const auto runs =
      ParseLinkMarkup("<b>Note:</b> see <link>one</link> or <LINK><b>two</b> too</Link>.");
  const std::vector<LinkRun> expected{{"Note:", true, -1}, {" see ", false, -1}, {"one", false, 0},
                                      {" or ", false, -1}, {"two", true, 1},     {" too", false, 1},
                                      {".", false, -1}};
  EXPECT_EQ(runs, expected);
  EXPECT_EQ(LinkTexts(runs), (std::vector<std::string>{"one", "two too"}));
}

TEST(LinkMarkup, OtherTagsAreTextAndOpenLinksRunToTheEnd) {
  EXPECT_EQ(ParseLinkMarkup("a <i>b</i> < c"),
            (std::vector<LinkRun>{{"a <i>b</i> < c", false, -1}}));
  EXPECT_EQ(ParseLinkMarkup("x <link>open <link>still"),
            (std::vector<LinkRun>{{"x ", false, -1}, {"open ", false, 0}, {"still", false, 0}}));
  EXPECT_EQ(ParseLinkMarkup("</link></b><b>"), std::vector<LinkRun>{});
  EXPECT_EQ(ParseLinkMarkup("<link></link>"), std::vector<LinkRun>{});
  // An empty link still takes its number.
  EXPECT_EQ(ParseLinkMarkup("<link></link><link>b</link>"),
            (std::vector<LinkRun>{{"b", false, 1}}));
  EXPECT_EQ(ParseLinkMarkup("caf\xc3\xa9 <link>\xc2\xae</link>"),
            (std::vector<LinkRun>{{"caf\xc3\xa9 ", false, -1}, {"\xc2\xae", false, 0}}));
}

}  // namespace
}  // namespace lumivane
