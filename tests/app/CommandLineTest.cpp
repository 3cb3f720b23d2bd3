#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(CommandLine, HiddenSwitchInAnyCaseOnlyAsFirstArgument) {
  EXPECT_TRUE(ParseCommandLine({"\\hidden"}).hidden);
  EXPECT_TRUE(ParseCommandLine({"\\HiDdEn"}).hidden);
  EXPECT_TRUE(ParseCommandLine({"--hidden"}).hidden);
  EXPECT_FALSE(ParseCommandLine({}).hidden);
  EXPECT_FALSE(ParseCommandLine({"--markup", "\\HIDDEN"}).error.empty());
}

TEST(CommandLine, ModesAndTheirArguments) {
  EXPECT_EQ(ParseCommandLine({"--markup"}).mode, RunMode::Markup);
  const CommandLine shot = ParseCommandLine({"--screenshot", "a.png"});
  EXPECT_EQ(shot.mode, RunMode::Screenshot);
  EXPECT_EQ(shot.argument, "a.png");
  EXPECT_FALSE(ParseCommandLine({"--screenshot"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--text", "--markup"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--bogus"}).error.empty());
  const CommandLine uncached = ParseCommandLine({"--text", "--no-cache"});
  EXPECT_EQ(uncached.mode, RunMode::Text);
  EXPECT_TRUE(uncached.noCache);
  EXPECT_FALSE(ParseCommandLine({"--text"}).noCache);
  EXPECT_NE(UsageText().find("--no-cache"), std::string::npos);
  EXPECT_TRUE(IsHeadless(RunMode::PrintSettings));
  EXPECT_FALSE(IsHeadless(RunMode::Window));
}

}  // namespace
}  // namespace lumivane
