#include "i18n/TFindFile.h"

#include "base/FileIo.h"
#include "base/FileListing.h"

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
  Files.clear();
  const std::string folder =
      (Directory.empty() || Directory.back() == '/') ? Directory : Directory + "/";
  for (const std::string& name : FolderEntryNames(folder.empty() ? "." : folder, false)) {
    if (!MatchesWildcard(name, Filter)) continue;
    // Symbolic links count as what they point to; pipes and devices are not files.
    const std::string path = folder + name;
    if (IsRegularFile(path)) Files.push_back(path);
  }
  if (AfterExecute) AfterExecute(*this);
}

}  // namespace lumivane
