#pragma once
// The check the snapshot fuzzer runs on one input, shared with the corpus
// replay: the input read as a whole snapshot file, and as the body of one
// with an intact header (so the decoding behind the header check is reached).
// Whatever decodes must write back into a snapshot that decodes to the same.
#include <string>
#include <string_view>

namespace lumivane {

// Empty when the checks hold, else what failed.
std::string CheckSnapshotInput(std::string_view input);

}  // namespace lumivane
