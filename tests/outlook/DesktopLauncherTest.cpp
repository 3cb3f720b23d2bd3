#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/DesktopLauncher.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

// A desktop of its own: a calendar program (a script that notes its
// arguments) set as the default for text/calendar, and a mail program that
// is not installed. GIO reads these folders once per process, so the suite
// sets them up once.
class DesktopLauncherTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (fs::temp_directory_path() / "lumivane-desktop-XXXXXX").string();
    root_ = new fs::path(mkdtemp(pattern.data()));
    const fs::path& root = *root_;
    fs::create_directories(root / "data/applications");
    fs::create_directories(root / "config");
    const fs::path script = root / "calendar.sh";
    std::ofstream(script) << "#!/bin/sh\necho \"started:$*\" >> '" << (root / "calls").string()
                          << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    std::ofstream(root / "data/applications/lumivane-test-calendar.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test calendar\nExec=" << script.string()
        << " %f\nMimeType=text/calendar;\n";
    std::ofstream(root / "data/applications/lumivane-test-mail.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test mail\n"
           "Exec=/nonexistent/lumivane-test-mail %u\nMimeType=x-scheme-handler/mailto;\n";
    std::ofstream(root / "config/mimeapps.list")
        << "[Default Applications]\ntext/calendar=lumivane-test-calendar.desktop\n"
           "x-scheme-handler/mailto=lumivane-test-mail.desktop\n";
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (root / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (root / "config").c_str(), 1);
  }

  static void TearDownTestSuite() {
    fs::remove_all(*root_);
    delete root_;
  }

  // The lines the calendar program wrote, once it wrote the expected number.
  static std::vector<std::string> Calls(std::size_t expected) {
    std::vector<std::string> lines;
    for (int wait = 0; wait < 100 && lines.size() < expected; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      lines.clear();
      std::ifstream in(*root_ / "calls");
      for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    return lines;
  }

  static fs::path* root_;
};

fs::path* DesktopLauncherTest::root_ = nullptr;

TEST_F(DesktopLauncherTest, StartsTheDefaultProgramsOrReportsThereIsNone) {
  DesktopLauncher launcher;
  EXPECT_EQ(launcher.Launch(DesktopProgram::Calendar, "").status, LaunchStatus::Started);
  EXPECT_EQ(launcher.Launch(DesktopProgram::Calendar, "/tmp/an item.ics").status,
            LaunchStatus::Started);
  const auto calls = Calls(2);
  ASSERT_EQ(calls.size(), 2u);
  // Without arguments for a folder, with the file (blanks and all) for an item.
  EXPECT_EQ(calls[0].find("started:"), 0u);
  std::vector<std::string> sorted = calls;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted[0], "started:");
  EXPECT_EQ(sorted[1], "started:/tmp/an item.ics");
  // A handler whose program is not installed counts as none.
  EXPECT_EQ(launcher.Launch(DesktopProgram::Mail, "").status, LaunchStatus::NoDefaultProgram);
}

}  // namespace
}  // namespace lumivane
