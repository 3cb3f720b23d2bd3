#include <gtest/gtest.h>

#include "app/CommandLine.h"

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
  EXPECT_FALSE(IsHeadless(RunMode::Autostart));
  EXPECT_FALSE(IsHeadless(RunMode::Window));
}

TEST(CommandLine, AutostartTakesOnOffOrStatus) {
  for (const char* choice : {"on", "off", "status"}) {
    const CommandLine line = ParseCommandLine({"--autostart", choice});
    EXPECT_TRUE(line.error.empty()) << choice;
    EXPECT_EQ(line.mode, RunMode::Autostart);
    EXPECT_EQ(line.argument, choice);
  }
  EXPECT_FALSE(ParseCommandLine({"--autostart"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--autostart", "yes"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--autostart", "on", "--text"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--text", "--autostart", "on"}).error.empty());
}

}  // namespace
}  // namespace lumivane
