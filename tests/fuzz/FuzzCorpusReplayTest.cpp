// Replays every input of the fuzz corpora in the repository, so that what the
// fuzzers once found stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "fuzz/MarkupFuzzInput.h"
#include "fuzz/ReaderFuzzInputs.h"
#include "fuzz/SnapshotFuzzInput.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

// Runs the check over every input of one corpus; returns how many.
template <typename Check>
int Replay(const std::string& name, Check check) {
  const fs::path corpus = fs::path(LUMIVANE_SOURCE_DIR) / "tests/fuzz/corpus" / name;
  int replayed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(check(input), "") << name << "/" << entry.path().filename().string();
    ++replayed;
  }
  return replayed;
}

TEST(FuzzCorpusReplay, EveryMarkupInputPassesItsChecks) {
  EXPECT_GT(Replay("markup", CheckMarkupInput), 10);
}

TEST(FuzzCorpusReplay, EveryCalendarInputPassesItsChecks) {
  EXPECT_GE(Replay("calendar", CheckCalendarInput), 5);
}

TEST(FuzzCorpusReplay, EveryFilterInputPassesItsChecks) {
  EXPECT_GE(Replay("filter", CheckFilterInput), 5);
}

TEST(FuzzCorpusReplay, EverySettingsInputPassesItsChecks) {
  EXPECT_GE(Replay("settings", CheckSettingsInput), 3);
}

TEST(FuzzCorpusReplay, EveryTranslationInputPassesItsChecks) {
  EXPECT_GE(Replay("translation", CheckTranslationInput), 5);
}

TEST(FuzzCorpusReplay, EveryDateInputPassesItsChecks) {
  EXPECT_GE(Replay("date", CheckDateInput), 5);
}

TEST(FuzzCorpusReplay, EverySnapshotInputPassesItsChecks) {
  EXPECT_GT(Replay("snapshot", [](const std::string& input) { return CheckSnapshotInput(input); }),
            5);
}

}  // namespace
}  // namespace lumivane
