#pragma once
// Settings stores and load contexts made from a few lines, for the tests of
// loading and saving.
#include <set>
#include <string>

#include "app/SettingsStore.h"

namespace lumivane::test {

// A store holding the given value lines under the program's key.
inline RegistryFile Store(const std::string& values) {
  RegistryFile file(kSettingsKey);
  file.Parse("Windows Registry Editor Version 5.00\n\n[" + std::string(kSettingsKey) + "]\n" +
             values);
  return file;
}

// A context whose Languages folder holds exactly `files`, on a desktop of
// colour 3A6EA5.
inline LoadContext Context(std::set<std::string> files = {}) {
  LoadContext context;
  context.desktopColor = RGB(0x3A, 0x6E, 0xA5);
  context.languagesFolder = "/opt/lumivane/Languages/";
  context.fileExists = [files](const std::string& path) { return files.count(path) > 0; };
  return context;
}

}  // namespace lumivane::test
