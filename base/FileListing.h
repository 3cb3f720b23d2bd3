#pragma once
// The names in a folder, sorted by their bytes, "." and ".." left out.
#include <dirent.h>

#include <string>
#include <vector>

namespace lumivane {

// Hidden names (starting with ".", a synchroniser's temporary files among
// them) are left out when `skipHidden`.
std::vector<std::string> FolderEntryNames(DIR* folder, bool skipHidden);
// The same for a folder by path; an unreadable or missing folder lists nothing.
std::vector<std::string> FolderEntryNames(const std::string& folder, bool skipHidden);

}  // namespace lumivane
