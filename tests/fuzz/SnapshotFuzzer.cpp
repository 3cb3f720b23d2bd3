// libFuzzer entry for the store snapshot reader; the corpus replay test runs
// the same check.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/SnapshotFuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure =
      lumivane::CheckSnapshotInput({reinterpret_cast<const char*>(data), size});
  if (!failure.empty()) {
    std::fprintf(stderr, "snapshot check failed: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
