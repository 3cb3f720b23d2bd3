#pragma once
// What changed in a watched folder tree since it was last looked at, as
// names relative to its root: the folders whose entries came or went (""
// for the root itself) and the files whose content changed. `everything`
// asks for a full look, when notices may have been lost.
#include <set>
#include <string>

namespace lumivane {

struct FolderChanges {
  bool everything = false;
  std::set<std::string> folders;
  std::set<std::string> files;

  bool Empty() const { return !everything && folders.empty() && files.empty(); }
};

}  // namespace lumivane
