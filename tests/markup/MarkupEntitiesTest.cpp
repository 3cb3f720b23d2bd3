#include <gtest/gtest.h>

#include <random>

#include "display/markup/MarkupEntities.h"
#include "support/EntitySweeps.h"

namespace lumivane {
namespace {

TEST(ExpandEntities, ReplacesEveryEntityInAnyCase) {
  EXPECT_EQ(ExpandEntities("a &amp; b &QUOT;c&Quot; &sect;&permil;&reg;&copy;&para;&trade;&euro;"),
            "a & b \"c\" \xC2\xA7\xE2\x80\xB0\xC2\xAE\xC2\xA9\xC2\xB6\xE2\x84\xA2\xE2\x82\xAC");
}

TEST(ExpandEntities, ReplacesWhatAReplacementFormsAgain) {
  // "&amp;" yields an "&" that starts a new entity with the text after it.
  EXPECT_EQ(ExpandEntities("&amp;quot;"), "\"");
  EXPECT_EQ(ExpandEntities("&amp;amp;amp;euro;"), "\xE2\x82\xAC");
  EXPECT_EQ(ExpandEntities("&amp;lt;"), "&lt;");
  EXPECT_EQ(ExpandEntities("&&amp;;&amp"), "&&;&amp");
}

TEST(ExpandEntities, LeavesRunEntitiesAndUnknownOnesAlone) {
  EXPECT_EQ(ExpandEntities("&nbsp;&lt;&gt;&bogus; & &amp"), "&nbsp;&lt;&gt;&bogus; & &amp");
}

TEST(ExpandEntities, GivesWhatTheRepeatedSweepsGive) {
  // Random texts dense in entity pieces, against the literal sweeps.
  const std::string pieces[] = {"&",  "&amp;", "amp;", "AMP;", "quot;", "&quot", ";",
                                "eu", "ro;",   "x",    "&e",   "uro;",  "&AmP;"};
  std::mt19937 random(20261208);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const int count = static_cast<int>(random() % 12);
    for (int j = 0; j < count; ++j) text += pieces[random() % std::size(pieces)];
    EXPECT_EQ(ExpandEntities(text), EntitySweeps(text)) << text;
  }
}

TEST(PreprocessMarkup, ShowsTheFirstHashTagLiterally) {
  EXPECT_EQ(PreprocessMarkup("a<#1 b>c<#2>"), "a#1 bc<#2>");
  EXPECT_EQ(PreprocessMarkup("a<#no end"), "a#no end");
}

TEST(PreprocessMarkup, TurnsCarriageReturnsIntoBreaksAndDropsLineFeeds) {
  EXPECT_EQ(PreprocessMarkup("Team\r\nsync\nnow\r"), "Team<BR>syncnow<BR>");
}

TEST(PreprocessMarkup, ExpandsEntitiesFirst) {
  // An escaped "<#" is shown by the hash step once the entity is gone.
  EXPECT_EQ(PreprocessMarkup("&amp;lt;b&gt;"), "&lt;b&gt;");
  EXPECT_EQ(PreprocessMarkup("x&quot;<#y>"), "x\"#y");
}

TEST(DecodeRunEntities, DecodesLowerCaseOnlyInOnePass) {
  EXPECT_EQ(DecodeRunEntities("a&nbsp;&lt;b&gt;"), "a <b>");
  EXPECT_EQ(DecodeRunEntities("&LT;&Nbsp;&lt"), "&LT;&Nbsp;&lt");
  EXPECT_EQ(DecodeRunEntities("&amp;lt;"), "&amp;lt;");
}

}  // namespace
}  // namespace lumivane
