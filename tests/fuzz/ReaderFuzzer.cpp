// libFuzzer entry for one reader of outside input; the build compiles it once
// per reader with LUMIVANE_FUZZ_CHECK naming the check of ReaderFuzzInputs.h.
// The corpus replay test runs the same checks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/ReaderFuzzInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure =
      lumivane::LUMIVANE_FUZZ_CHECK({reinterpret_cast<const char*>(data), size});
  if (!failure.empty()) {
    std::fprintf(stderr, "reader check failed: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
