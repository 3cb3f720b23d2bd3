#pragma once
// The calendar store: every *.ics file and every vdir folder (a folder of
// *.ics files, one item each) in the store root, symbolic links followed; a
// root that is itself a file is the one source. The store outlives the
// connections made to it, so a source is re-read only when its file changed
// and a refresh of an unchanged store costs a look at each file.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/FileSignature.h"
#include "base/FolderChanges.h"
#include "outlook/ical/CalendarRecords.h"
#include "outlook/ical/SnapshotCache.h"
#include "outlook/ical/ZoneCache.h"

namespace lumivane::ical {

struct IcalSource {
  std::string name;  // relative to the store root: "work.ics", "personal/abc.ics"
  std::string path;
  bool inVdir = false;  // an item file of its own
  SourceContent content;
};

// The sources as one refresh found them; shared by the folders and items
// taken from it, which keep it alive.
struct StoreSnapshot {
  std::vector<std::shared_ptr<const IcalSource>> sources;
  // One text per file that could not be read, or not in full (name and
  // reason), in name order.
  std::vector<std::string> problems;
};

class IcalStore {
 public:
  // snapshotFolder: where snapshots of the parsed sources are kept (empty:
  // none), so that a new process need not parse an unchanged file.
  explicit IcalStore(std::string root, std::string snapshotFolder = {});
  // Writes the snapshots that became outdated while the store was open.
  ~IcalStore();
  IcalStore(const IcalStore&) = delete;
  IcalStore& operator=(const IcalStore&) = delete;

  // Once set, each refresh asks it what changed since the last one and looks
  // only there (a folder that reported nothing is not listed again); it
  // answers `everything` when notices may have been lost.
  void SetChangeSource(std::function<FolderChanges()> source) { changeSource_ = std::move(source); }

  const std::string& Root() const { return root_; }

  // Looks at every file and re-reads those that changed. A file that cannot
  // be read or is not iCalendar is left out and named in the snapshot's
  // problems; the rest of the store is served. AutomationError when the store
  // root does not exist or cannot be listed, and when no file at all could
  // be read (naming the first failure).
  std::shared_ptr<const StoreSnapshot> Refresh();

  // The problems of the files read since the last call, each once: a file
  // that keeps failing unchanged is not reported again.
  std::vector<std::string> TakeNewProblems();

  // How many files were parsed since the store was made (for tests and
  // benchmarks of the re-read rule).
  std::uint64_t FilesRead() const { return filesRead_; }
  // The snapshot file that holds a source file's records (for tests).
  std::string PathOf(const std::string& name) const { return cache_.PathOf(name); }

  using Signature = FileSignature;

 private:
  struct Entry {
    Signature signature;
    std::shared_ptr<const IcalSource> source;
    // Why the file could not be read (it stays an error until it changes), or
    // what of it was left out.
    std::string problem;
    bool vanished = false;  // gone between listing and reading: not listed
  };
  struct Found {
    std::string name;
    bool inVdir = false;
    Signature signature;
    bool operator==(const Found&) const = default;
  };

  // Names in the order of a full listing (a vdir folder's files before a
  // file of the same name in the root).
  struct ListedOrder {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Sources = std::vector<std::shared_ptr<const IcalSource>>;

  // The last snapshot again, or the error of the last refresh.
  std::shared_ptr<const StoreSnapshot> Unchanged() const;
  // Every listed file taken from the last refresh or read anew.
  std::shared_ptr<const StoreSnapshot> RefreshListing(std::vector<Found> found);
  // Only the named files looked at again; the rest of the listing, the
  // entries and the snapshot are kept as they were.
  std::shared_ptr<const StoreSnapshot> RefreshFiles(const std::set<std::string>& names);
  // Reads a listed file whose signature changed into its entry and the
  // snapshot's sources; one that vanished meanwhile is forgotten.
  void Reread(std::vector<Found>::iterator listed, Sources& sources);
  // Drops a file that left the store from the listing, entries and sources.
  void Forget(std::vector<Found>::iterator listed, Sources& sources);
  // Makes the snapshot the current one and fails when no file could be read.
  std::shared_ptr<const StoreSnapshot> Publish(std::shared_ptr<StoreSnapshot> snapshot,
                                               bool commitSnapshots);
  // Where the listing (in listing order) holds the name, or its end.
  static std::vector<Found>::iterator FindListed(std::vector<Found>& listing,
                                                 const std::string& name);

  // Every source file in name order, with what stat says of it.
  std::vector<Found> ListSources();
  // The last listing brought up to date with the changes reported.
  std::vector<Found> ListChanged(const FolderChanges& changes);
  void ListRoot(const FolderChanges& changes, std::vector<Found>& found);
  void CommitSnapshots(bool outdatedToo);
  // `seen` holds the device and inode of every folder and file listed, so a
  // link to the root or to something listed already adds nothing.
  using Identity = std::pair<std::uint64_t, std::uint64_t>;
  struct IdentityHash {
    std::size_t operator()(const Identity& id) const {
      return std::hash<std::uint64_t>{}(id.first * 0x9E3779B97F4A7C15ull ^ id.second);
    }
  };
  using IdentitySet = std::unordered_set<Identity, IdentityHash>;
  static Identity IdentityOf(const struct stat& status);
  // The root folder's identity, the first one seen.
  IdentitySet RootIdentity() const;
  // What one entry of an open folder adds to the listing, stat-ed through
  // links: a calendar file (its signature set), a vdir folder (only when not
  // in one already), or nothing; what it adds is marked seen.
  enum class EntryKind { none, file, vdir };
  static EntryKind LookAt(int folder, const std::string& name, bool inVdir, IdentitySet& seen,
                          Signature& signature);
  void ListFolder(int folder, const std::string& prefix, bool inVdir, std::vector<Found>& found,
                  IdentitySet& seen);
  std::string PathOf(const Found& found) const;
  Entry ReadSource(const Found& found);

  std::string root_;
  ZoneCache zones_;
  SnapshotCache cache_;
  std::function<FolderChanges()> changeSource_;
  bool rootIsFile_ = false;
  std::map<std::string, Entry> entries_;
  std::vector<Found> listed_;  // as the last refresh found the files
  // The problem of each listed file that has one, in listing order: the
  // snapshot's problems without a walk over every entry.
  std::map<std::string, std::string, ListedOrder> problems_;
  std::string firstError_;  // set when no file at all could be read
  std::vector<std::string> newProblems_;
  std::shared_ptr<const StoreSnapshot> snapshot_;
  std::uint64_t filesRead_ = 0;
  // One buffer for every file read: a large block allocated and freed at each
  // read would make the allocator sort through libical's freed parse tree.
  std::string buffer_;
};

}  // namespace lumivane::ical
