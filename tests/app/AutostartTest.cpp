#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Autostart.h"
#include "base/FileIo.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

TEST(Autostart, ExecArgumentIsQuotedOnlyWhenItMustBe) {
  EXPECT_EQ(DesktopExecArgument("/usr/bin/lumivane"), "/usr/bin/lumivane");
  EXPECT_EQ(DesktopExecArgument("/opt/my apps/lumivane"), "\"/opt/my apps/lumivane\"");
  // $ and " take a backslash inside the quotes, which the value escapes again;
  // % is doubled so it is no field code.
  EXPECT_EQ(DesktopExecArgument("/a$b\"c/100%/l"), "\"/a\\\\$b\\\\\"c/100%%/l\"");
  EXPECT_EQ(DesktopExecArgument("/x\\y"), "\"/x\\\\\\\\y\"");
}

TEST(Autostart, EntryIsSwitchedOffOnlyByTheKeysOfItsOwnGroup) {
  const std::string ours = AutostartEntryText("/usr/bin/lumivane");
  EXPECT_TRUE(AutostartEntryEnables(ours));
  EXPECT_NE(ours.find("\nExec=/usr/bin/lumivane\n"), std::string::npos);
  EXPECT_FALSE(AutostartEntryEnables(ours + "Hidden=true\n"));
  EXPECT_FALSE(AutostartEntryEnables(ours + "Hidden = TRUE\r\n"));
  EXPECT_FALSE(AutostartEntryEnables("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n"));
  EXPECT_TRUE(AutostartEntryEnables(ours + "Hidden=false\n"));
  EXPECT_TRUE(AutostartEntryEnables(ours + "[Desktop Action x]\nHidden=true\n"));
}

class AutostartFile : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("lumivane-autostart-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) saved_ = old;
    hadOld_ = old != nullptr;
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  void TearDown() override {
    if (hadOld_)
      setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root_);
  }
  std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path root_;
  std::string saved_;
  bool hadOld_ = false;
};

TEST_F(AutostartFile, OnWritesTheEntryOffRemovesItAndTheFileIsTheState) {
  const fs::path entry = root_ / "autostart" / "lumivane.desktop";
  EXPECT_EQ(AutostartEntryPath(), entry.string());
  EXPECT_FALSE(AutostartEnabled());

  SetAutostart(true, "/opt/Lumivane app/lumivane");
  EXPECT_TRUE(AutostartEnabled());
  EXPECT_EQ(Read(entry), AutostartEntryText("/opt/Lumivane app/lumivane"));
  struct stat st {};
  ASSERT_EQ(::stat(entry.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  SetAutostart(true, "/usr/bin/lumivane");  // again: replaced, not appended
  EXPECT_EQ(Read(entry), AutostartEntryText("/usr/bin/lumivane"));

  SetAutostart(false, "/usr/bin/lumivane");
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_NO_THROW(SetAutostart(false, "/usr/bin/lumivane"));  // nothing to remove
  // No temporary of the atomic write is left in the folder.
  EXPECT_TRUE(fs::is_empty(root_ / "autostart"));
}

TEST_F(AutostartFile, AnEntryTheDesktopHidOrSomethingElseInItsPlaceIsOff) {
  const fs::path entry = root_ / "autostart" / "lumivane.desktop";
  fs::create_directories(entry.parent_path());
  std::ofstream(entry) << AutostartEntryText("/usr/bin/lumivane") << "Hidden=true\n";
  EXPECT_FALSE(AutostartEnabled());
  SetAutostart(true, "/usr/bin/lumivane");
  EXPECT_TRUE(AutostartEnabled());

  fs::remove(entry);
  fs::create_directories(entry / "sub");  // a folder under that name
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_THROW(SetAutostart(false, "/usr/bin/lumivane"), FileError);
  EXPECT_TRUE(fs::exists(entry / "sub"));
}

}  // namespace
}  // namespace lumivane
