// The libFuzzer entry of every fuzz target: the build compiles it once per
// target with LUMIVANE_FUZZ_CHECK naming the check to run on each input (one
// of ReaderFuzzInputs.h, SnapshotFuzzInput.h or MarkupFuzzInput.h). The
// corpus replay test runs the same checks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/MarkupFuzzInput.h"
#include "fuzz/ReaderFuzzInputs.h"
#include "fuzz/SnapshotFuzzInput.h"

#define LUMIVANE_FUZZ_NAME_OF(check) #check
#define LUMIVANE_FUZZ_NAME(check) LUMIVANE_FUZZ_NAME_OF(check)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure =
      lumivane::LUMIVANE_FUZZ_CHECK({reinterpret_cast<const char*>(data), size});
  if (!failure.empty()) {
    std::fprintf(stderr, "%s failed: %s\n", LUMIVANE_FUZZ_NAME(LUMIVANE_FUZZ_CHECK),
                 failure.c_str());
    std::abort();
  }
  return 0;
}
