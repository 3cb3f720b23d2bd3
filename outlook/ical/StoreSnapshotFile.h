#pragma once
// The binary snapshot of parsed sources: the compact records of each file
// with the signature of the file they were read from, so that an unchanged
// file need not be parsed again. The reader trusts nothing: the header must
// name this format version, build and time environment, the body must match
// its length and hash, and every count, length and value is checked while
// decoding; anything else makes the snapshot (or the one entry) unusable,
// never a crash. Numbers are in the byte order of the machine that wrote them
// (a cache is not shared between machines).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileIo.h"
#include "base/FileSignature.h"
#include "outlook/ical/CalendarRecords.h"
#include "outlook/ical/ZoneCache.h"

namespace lumivane::ical {

inline constexpr std::uint32_t kSnapshotFormatVersion = 3;

// What a snapshot is valid for: the build that wrote it, the time environment
// its local times were computed in, and the source it belongs to.
struct SnapshotStamp {
  std::string build;
  std::string environment;
  std::string source;
};

struct SnapshotItem {
  std::string_view name;  // the source file's, which outlives the item
  FileSignature signature;
  const SourceContent* content = nullptr;
};

// The snapshot of these items; nullopt when a record names a zone the cache
// cannot name again. With `aids`, what only spares work when reading it is
// kept too: the rules of the system's zones the records use (a kilobyte or
// two a zone), so that the zone data need not be loaded, and each recurrence
// rule as the native expander holds it, so that its text need not be read.
std::optional<std::string> EncodeStoreSnapshot(const SnapshotStamp& stamp,
                                               std::span<const SnapshotItem> items,
                                               const ZoneCache& zones, bool aids = true);

// The whole snapshot of a body: the header of this stamp put before it.
std::string WrapSnapshotBody(const SnapshotStamp& stamp, std::string_view body);

// The hash kept in the header over everything after it.
std::uint64_t SnapshotBodyHash(std::string_view body);

class StoreSnapshotReader {
 public:
  struct Entry {
    std::string name;
    FileSignature signature;
    std::string_view content;  // into the buffer given to Open
  };

  // False when the buffer holds no intact snapshot of this stamp.
  bool Open(SharedBytes buffer, const SnapshotStamp& stamp);
  const std::vector<Entry>& Entries() const { return entries_; }
  // The records of one entry; nullopt when they do not decode. Their texts
  // stay in the buffer, which lives as long as they do.
  std::optional<SourceContent> Decode(const Entry& entry, ZoneCache& zones);

 private:
  SharedBytes buffer_;
  std::vector<ZoneCache::Origin> origins_;
  std::vector<std::optional<std::vector<Observance>>> parts_;  // a named zone's rules
  std::vector<std::shared_ptr<const IcalTimeZone>> resolved_;
  std::vector<bool> tried_;
  std::vector<Entry> entries_;
};

}  // namespace lumivane::ical
