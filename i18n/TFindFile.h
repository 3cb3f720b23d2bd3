#pragma once
// Lists the files of one folder whose names match a wildcard filter ("*" any
// run of characters, "?" any one character). Only that folder is searched,
// not its subfolders; only files are listed, never folders.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

class TFindFile {
 public:
  std::string Directory;
  std::string Filter = "*";
  // Full paths of the files found by the last Execute, in byte order of the path.
  std::vector<std::string> Files;
  // Called when a search is done, also when it found nothing.
  std::function<void(TFindFile&)> AfterExecute;

  // A missing or unreadable folder gives an empty list, not an error.
  void Execute();
};

// Wildcard match of a whole name; letter case counts, so every name listed
// can be opened again under the same spelling.
bool MatchesWildcard(std::string_view name, std::string_view filter);

}  // namespace lumivane
