#include "fuzz/SnapshotFuzzInput.h"

#include <memory>
#include <vector>

#include "outlook/ical/StoreSnapshotFile.h"

namespace lumivane {
namespace {

using namespace ical;

const SnapshotStamp kStamp{"fuzz build", "fuzz environment", "fuzz store\nfuzz.ics"};

struct Decoded {
  std::vector<std::string> names;
  std::vector<FileSignature> signatures;
  std::vector<SourceContent> contents;
};

// Every entry that decodes; entries that do not are left out.
Decoded DecodeAll(StoreSnapshotReader& reader, ZoneCache& zones) {
  Decoded decoded;
  for (const StoreSnapshotReader::Entry& entry : reader.Entries()) {
    if (auto content = reader.Decode(entry, zones)) {
      decoded.names.push_back(entry.name);
      decoded.signatures.push_back(entry.signature);
      decoded.contents.push_back(std::move(*content));
    }
  }
  return decoded;
}

std::vector<SnapshotItem> ItemsOf(const Decoded& decoded) {
  std::vector<SnapshotItem> items;
  for (std::size_t i = 0; i < decoded.names.size(); ++i) {
    items.push_back({decoded.names[i], decoded.signatures[i], &decoded.contents[i]});
  }
  return items;
}

}  // namespace

std::string CheckSnapshotInput(std::string_view input) {
  ZoneCache zones;
  {
    StoreSnapshotReader raw;
    if (raw.Open(SharedBytes::Of(input), kStamp)) DecodeAll(raw, zones);
  }
  StoreSnapshotReader reader;
  if (!reader.Open(SharedBytes::Of(WrapSnapshotBody(kStamp, input)), kStamp)) {
    return {};
  }
  const Decoded first = DecodeAll(reader, zones);
  const auto written = EncodeStoreSnapshot(kStamp, ItemsOf(first), zones);
  if (!written) return "decoded records cannot be written back";
  StoreSnapshotReader again;
  if (!again.Open(SharedBytes::Of(*written), kStamp)) {
    return "a written snapshot does not open";
  }
  if (again.Entries().size() != first.names.size()) return "entries lost in writing";
  const Decoded second = DecodeAll(again, zones);
  if (second.names != first.names || second.signatures != first.signatures) {
    return "names or signatures changed in writing";
  }
  const auto rewritten = EncodeStoreSnapshot(kStamp, ItemsOf(second), zones);
  if (!rewritten || *rewritten != *written) return "records changed in writing";
  return {};
}

}  // namespace lumivane
