// Replays every input of the fuzz corpora in the repository, so that what the
// fuzzer once found stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/MarkupFuzzInput.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

TEST(FuzzCorpusReplay, EveryMarkupInputPassesItsChecks) {
  const fs::path corpus = fs::path(LUMIVANE_SOURCE_DIR) / "tests/fuzz/corpus/markup";
  int replayed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(CheckMarkupInput(input), "") << entry.path().filename();
    ++replayed;
  }
  EXPECT_GT(replayed, 10);
}

}  // namespace
}  // namespace lumivane
