#pragma once
// The folder of parsed-store snapshots ($XDG_CACHE_HOME/lumivane): one
// snapshot per source of the store root (a calendar file, or a vdir folder
// with all its item files), read instead of parsing a file whose signature
// is unchanged, and written again after a refresh that parsed anything.
// Local times in the records depend on the time zone and the zone data, so a
// snapshot is valid only in the time environment it was written in, and only
// for the build that wrote it. Any failure to read or write a snapshot is
// silent: the store is then parsed as if there were none.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "outlook/ical/StoreSnapshotFile.h"

namespace lumivane::ical {

// The vdir folder a source file of the store is in ("b/" of "b/x.ics"), as
// change notices name it; "" for a file in the store root.
inline std::string_view VdirFolderOf(std::string_view name) {
  const auto slash = name.find('/');
  return slash == std::string_view::npos ? std::string_view() : name.substr(0, slash + 1);
}

// $XDG_CACHE_HOME/lumivane (default ~/.cache/lumivane); empty, meaning no
// snapshots, when LUMIVANE_NO_CACHE is set to anything but "" or "0", or no
// folder can be named.
std::string SnapshotCacheFolder();

// The time zone (TZ, TZDIR, /etc/localtime) and the zone data, as what stat
// says of the files they are read from.
std::string TimeEnvironment();
// libical's and Qt's versions and what stat says of the running program.
std::string BuildIdentity();

class SnapshotCache {
 public:
  // An empty folder: no snapshots.
  SnapshotCache(std::string folder, std::string storeRoot);

  bool Enabled() const { return !folder_.empty(); }

  // The records of this source file, when a snapshot holds them for exactly
  // this signature.
  std::optional<SourceContent> Find(const std::string& name, const FileSignature& signature,
                                    ZoneCache& zones);
  // After a refresh, with every source read without error, in name order:
  // writes the snapshots that are missing and removes those of sources that
  // left the store. A snapshot that only became outdated is written when
  // `outdatedToo` (when the store is closed): a vdir folder's snapshot is
  // written whole, which would cost a running program more than the
  // refresh that changed one of its items.
  void Commit(const std::vector<SnapshotItem>& sources, const ZoneCache& zones, bool outdatedToo);

  // The snapshot file of a source file's group, for tests.
  std::string PathOf(const std::string& name) const;

 private:
  using Listing = std::vector<std::pair<std::string, FileSignature>>;
  struct Group {
    bool loaded = false;
    StoreSnapshotReader reader;
    std::unordered_map<std::string_view, std::size_t> byName;  // into the reader's entries
    std::optional<Listing> persisted;  // what the snapshot file holds, when known
  };

  // The group a source belongs to: its own name, or its vdir folder's ("b/").
  static std::string_view GroupOf(std::string_view name);
  std::string FileOfGroup(const std::string& group) const;
  SnapshotStamp StampOf(const std::string& group) const;
  void Load(const std::string& group, Group& state);
  // Writes the snapshot of one group (or removes it when it would be too large).
  void Write(const std::string& group, std::span<const SnapshotItem> run, const ZoneCache& zones);
  void RemoveForeignFiles(const std::vector<std::string>& current);

  std::string folder_;
  std::string storeRoot_;
  std::string prefix_;  // of this store's file names
  std::string build_;
  std::string environment_;
  bool swept_ = false;
  std::unordered_map<std::string, Group> groups_;
};

}  // namespace lumivane::ical
