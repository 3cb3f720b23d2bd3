#include "i18n/TFindFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace lumivane {

bool MatchesWildcard(std::string_view name, std::string_view filter) {
  // Greedy matching with one backtrack point: the last "*" seen.
  std::size_t n = 0, f = 0;
  std::size_t starFilter = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (f < filter.size() && (filter[f] == '?' || filter[f] == name[n])) {
      ++n;
      ++f;
    } else if (f < filter.size() && filter[f] == '*') {
      starFilter = f++;
      starName = n;
    } else if (starFilter != std::string_view::npos) {
      f = starFilter + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (f < filter.size() && filter[f] == '*') ++f;
  return f == filter.size();
}

void TFindFile::Execute() {
  namespace fs = std::filesystem;
  Files.clear();
  std::error_code error;
  fs::directory_iterator it(fs::path(Directory), error);
  if (!error) {
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
      if (error) break;
      const fs::path& path = it->path();
      if (!MatchesWildcard(path.filename().string(), Filter)) continue;
      // Symbolic links count as what they point to; pipes and devices are not files.
      std::error_code statError;
      if (!fs::is_regular_file(it->status(statError))) continue;
      Files.push_back(path.string());
    }
  }
  std::sort(Files.begin(), Files.end());
  if (AfterExecute) AfterExecute(*this);
}

}  // namespace lumivane
