#include "base/FileListing.h"

#include <algorithm>
#include <cstring>

namespace lumivane {

std::vector<std::string> FolderEntryNames(DIR* folder, bool skipHidden) {
  std::vector<std::string> names;
  if (folder == nullptr) return names;
  while (const dirent* entry = readdir(folder)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    if (skipHidden && name[0] == '.') continue;
    names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FolderEntryNames(const std::string& folder, bool skipHidden) {
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return {};
  std::vector<std::string> names = FolderEntryNames(listing, skipHidden);
  closedir(listing);
  return names;
}

}  // namespace lumivane
