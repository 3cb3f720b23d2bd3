#include "app/LanguagesFolder.h"

#include <sys/stat.h>

namespace lumivane {
namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string LanguagesFolder(const std::string& programFolder) {
  const std::string beside = programFolder + "/Languages/";
  if (IsFolder(beside)) return beside;
  const std::string installed = programFolder + "/../share/lumivane/Languages/";
  if (IsFolder(installed)) return installed;
  return beside;
}

}  // namespace lumivane
