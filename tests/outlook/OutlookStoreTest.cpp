#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "outlook/OutlookStore.h"
#include "outlook/TOutlookApplication.h"

namespace lumivane {
namespace {

// Sets environment variables for one test and puts the old values back.
class Environment {
 public:
  void Set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Environment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(OutlookStoreTest, ThePathComesFromTheEnvironmentInItsOrder) {
  Environment env;
  env.Set("LUMIVANE_OUTLOOK_STORE", "/srv/calendars/team.ics");
  env.Set("XDG_DATA_HOME", "/data");
  EXPECT_EQ(OutlookStorePath(), "/srv/calendars/team.ics");
  env.Set("LUMIVANE_OUTLOOK_STORE", "");
  EXPECT_EQ(OutlookStorePath(), "/data/Lumivane/Outlook");
  env.Set("XDG_DATA_HOME", nullptr);
  env.Set("HOME", "/home/sam");
  EXPECT_EQ(OutlookStorePath(), "/home/sam/.local/share/Lumivane/Outlook");
  env.Set("XDG_DATA_HOME", "relative/ignored");
  EXPECT_EQ(OutlookStorePath(), "/home/sam/.local/share/Lumivane/Outlook");
  EXPECT_THAT(OutlookStoreHint(),
              ::testing::HasSubstr("--make-sample-store /home/sam/.local/share/Lumivane/Outlook"));
}

TEST(OutlookStoreTest, RegisteredExactlyWhenTheStoreRootExists) {
  Environment env;
  std::string pattern =
      (std::filesystem::temp_directory_path() / "lumivane-store-test-XXXXXX").string();
  const std::filesystem::path folder = std::string(mkdtemp(pattern.data())) + "/store";
  env.Set("LUMIVANE_OUTLOOK_STORE", folder.c_str());
  EXPECT_FALSE(OutlookIsRegistered());
  std::filesystem::create_directories(folder / "calendars");
  EXPECT_TRUE(TOutlookApplication::OutlookIsRegistered());
  std::ofstream(folder / "one.ics") << "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n";
  env.Set("LUMIVANE_OUTLOOK_STORE", (folder / "one.ics").c_str());
  EXPECT_TRUE(OutlookIsRegistered());
  std::filesystem::create_symlink(folder / "missing.ics", folder / "dangling.ics");
  env.Set("LUMIVANE_OUTLOOK_STORE", (folder / "dangling.ics").c_str());
  EXPECT_FALSE(OutlookIsRegistered());
  std::filesystem::remove_all(folder.parent_path());
}

}  // namespace
}  // namespace lumivane
