#include "outlook/ical/IcalStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "base/AsciiCase.h"
#include "base/FileIo.h"
#include "base/FileListing.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/IcalReader.h"

namespace lumivane::ical {
namespace {

// A calendar file larger than this is not read (its item records would not
// fit a desktop's memory either); the rest of the store still is.
constexpr std::size_t kMaxCalendarFileBytes = std::size_t{1} << 30;

bool HasIcsSuffix(std::string_view name) {
  return name.size() > 4 && SameTextAscii(name.substr(name.size() - 4), ".ics");
}

std::string BaseName(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const auto slash = trimmed.rfind('/');
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string SystemText(int error) {
  return std::strerror(error);
}

// The order of a full listing: by the name in the root, then within a vdir
// folder ("b/x.ics" comes before "b.ics", as the folder "b" sorts first).
bool ListedBefore(std::string_view a, std::string_view b) {
  const auto slashA = a.find('/');
  const auto slashB = b.find('/');
  const std::string_view topA = a.substr(0, slashA);
  const std::string_view topB = b.substr(0, slashB);
  if (topA != topB) return topA < topB;
  return (slashA == std::string_view::npos ? std::string_view() : a.substr(slashA + 1)) <
         (slashB == std::string_view::npos ? std::string_view() : b.substr(slashB + 1));
}

// Where a name is, or would go, among entries kept in listing order;
// `nameOf` gives an entry's name.
template <typename Entries, typename NameOf>
auto ListedPlace(Entries& entries, const std::string& name, NameOf nameOf) {
  return std::ranges::lower_bound(
      entries, name, [](std::string_view a, std::string_view b) { return ListedBefore(a, b); },
      nameOf);
}

}  // namespace

IcalStore::IcalStore(std::string root, std::string snapshotFolder)
    : root_(std::move(root)), cache_(std::move(snapshotFolder), root_) {}

IcalStore::~IcalStore() {
  if (!snapshot_) return;  // never looked at: nothing to say about the cache
  try {
    CommitSnapshots(/*outdatedToo=*/true);
  } catch (const std::exception&) {
    // Only a cache: it is parsed again next time.
  }
}

std::vector<IcalStore::Found> IcalStore::ListSources() {
  struct stat rootStatus {};
  if (stat(root_.c_str(), &rootStatus) != 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      throw AutomationError("The calendar store \"" + root_ + "\" does not exist.");
    }
    throw AutomationError("The calendar store \"" + root_ +
                          "\" cannot be read: " + SystemText(error) + ".");
  }
  std::vector<Found> found;
  rootIsFile_ = S_ISREG(rootStatus.st_mode);
  if (rootIsFile_) {
    found.push_back({BaseName(root_), false, SignatureOf(rootStatus)});
    return found;
  }
  if (!S_ISDIR(rootStatus.st_mode)) {
    throw AutomationError("The calendar store \"" + root_ + "\" is neither a folder nor a file.");
  }
  found.reserve(listed_.size());
  const int folder = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    throw AutomationError("The calendar store \"" + root_ +
                          "\" cannot be read: " + SystemText(errno) + ".");
  }
  IdentitySet seen{IdentityOf(rootStatus)};
  ListFolder(folder, {}, false, found, seen);
  return found;
}

IcalStore::Identity IcalStore::IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

IcalStore::IdentitySet IcalStore::RootIdentity() const {
  struct stat rootStatus {};
  if (stat(root_.c_str(), &rootStatus) != 0) return {};
  return {IdentityOf(rootStatus)};
}

IcalStore::EntryKind IcalStore::LookAt(int folder, const std::string& name, bool inVdir,
                                       IdentitySet& seen, Signature& signature) {
  struct stat status {};
  if (fstatat(folder, name.c_str(), &status, 0) != 0) return EntryKind::none;  // a dangling link
  const bool file = S_ISREG(status.st_mode) && HasIcsSuffix(name);
  // A folder in the store root is a vdir: one item per file, no deeper.
  const bool vdir = S_ISDIR(status.st_mode) && !inVdir;
  if (!file && !vdir) return EntryKind::none;
  // A link to the root ("self.ics -> .") or to a file or folder listed
  // already would list the same items twice.
  if (!seen.insert(IdentityOf(status)).second) return EntryKind::none;
  if (vdir) return EntryKind::vdir;
  signature = SignatureOf(status);
  return EntryKind::file;
}

// Files are looked at relative to their open folder (no path is put
// together for a file that did not change); links are followed.
void IcalStore::ListFolder(int folder, const std::string& prefix, bool inVdir,
                           std::vector<Found>& found, IdentitySet& seen) {
  DIR* listing = fdopendir(folder);
  if (listing == nullptr) {
    close(folder);
    return;
  }
  for (const std::string& name : FolderEntryNames(listing, /*skipHidden=*/true)) {
    Signature signature;
    const EntryKind kind = LookAt(dirfd(listing), name, inVdir, seen, signature);
    if (kind == EntryKind::file) {
      found.push_back({prefix.empty() ? name : prefix + name, inVdir, signature});
    } else if (kind == EntryKind::vdir) {
      const int vdirFolder =
          openat(dirfd(listing), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (vdirFolder >= 0) ListFolder(vdirFolder, name + "/", true, found, seen);
    }
  }
  closedir(listing);
}

std::string IcalStore::PathOf(const Found& found) const {
  return rootIsFile_ ? root_ : root_ + "/" + found.name;
}

IcalStore::Entry IcalStore::ReadSource(const Found& found) {
  Entry entry;
  entry.signature = found.signature;
  const std::string path = PathOf(found);
  auto source = std::make_shared<IcalSource>();
  source->name = found.name;
  source->path = path;
  source->inVdir = found.inVdir;
  // The records of an unchanged file come from its snapshot.
  if (auto content = cache_.Find(found.name, found.signature, zones_)) {
    source->content = std::move(*content);
    entry.source = std::move(source);
    return entry;
  }
  try {
    if (!ReadFileInto(path, kMaxCalendarFileBytes, buffer_)) {
      // Removed or renamed since the listing: the next refresh finds it anew.
      entry.vanished = true;
      return entry;
    }
  } catch (const FileError& e) {
    entry.problem =
        "The file \"" + found.name + "\" in the calendar store cannot be read: " + e.reason() + ".";
    return entry;
  }
  const std::string& text = buffer_;
  ++filesRead_;
  try {
    source->content = ReadCalendar(text, found.name, zones_);
  } catch (const std::exception& e) {
    // libical's own failures (out of memory) cost this file, not the store.
    entry.problem = e.what();
    return entry;
  }
  if (const std::size_t skipped = source->content.skippedItems; skipped > 0) {
    entry.problem = "The file \"" + found.name +
                    "\" in the calendar store: " + std::to_string(skipped) +
                    (skipped == 1 ? " item was" : " items were") +
                    " left out, being larger than the reader takes.";
  }
  entry.source = std::move(source);
  return entry;
}

bool IcalStore::ListedOrder::operator()(const std::string& a, const std::string& b) const {
  return ListedBefore(a, b);
}

std::shared_ptr<const StoreSnapshot> IcalStore::Refresh() {
  if (!changeSource_ || !snapshot_) return RefreshListing(ListSources());
  // With notices of what changed, an unchanged store is not looked at.
  const FolderChanges changes = changeSource_();
  if (changes.Empty()) return Unchanged();
  if (changes.everything) return RefreshListing(ListSources());
  // Files rewritten in place, no entry came or went: the refresh costs
  // what changed, not the size of the store.
  if (changes.folders.empty() && !rootIsFile_) return RefreshFiles(changes.files);
  return RefreshListing(ListChanged(changes));
}

std::shared_ptr<const StoreSnapshot> IcalStore::Unchanged() const {
  if (!firstError_.empty()) throw AutomationError(firstError_);
  return snapshot_;
}

std::shared_ptr<const StoreSnapshot> IcalStore::RefreshListing(std::vector<Found> found) {
  // The files as they were: nothing to read, the same snapshot.
  if (snapshot_ && found == listed_) return Unchanged();
  std::map<std::string, Entry> entries;
  decltype(problems_) problems;
  auto snapshot = std::make_shared<StoreSnapshot>();
  for (const Found& f : found) {
    auto old = entries_.find(f.name);
    Entry entry;
    if (old != entries_.end() && old->second.signature == f.signature) {
      entry = std::move(old->second);
    } else {
      entry = ReadSource(f);
      if (!entry.problem.empty()) newProblems_.push_back(entry.problem);
    }
    if (entry.vanished) continue;
    if (!entry.problem.empty()) problems.emplace_hint(problems.end(), f.name, entry.problem);
    if (entry.source) snapshot->sources.push_back(entry.source);
    entries.emplace(f.name, std::move(entry));
  }
  // Snapshots are missing only at the first look or for sources that came
  // (gone ones are removed); a changed file's snapshot waits for the close.
  const bool sourcesCame =
      !snapshot_ || !std::equal(found.begin(), found.end(), listed_.begin(), listed_.end(),
                                [](const Found& a, const Found& b) { return a.name == b.name; });
  entries_ = std::move(entries);
  problems_ = std::move(problems);
  // Listed as found, less what vanished: a vanished file counts as a change.
  std::erase_if(found, [this](const Found& f) { return entries_.count(f.name) == 0; });
  listed_ = std::move(found);
  return Publish(std::move(snapshot), sourcesCame);
}

std::shared_ptr<const StoreSnapshot> IcalStore::RefreshFiles(const std::set<std::string>& names) {
  // The sources are shared with the connections still holding the last
  // snapshot: the new one copies the list (not the records) and patches it.
  auto snapshot = std::make_shared<StoreSnapshot>();
  snapshot->sources = snapshot_->sources;
  bool changed = false;
  bool left = false;
  for (const std::string& name : names) {
    const auto listed = FindListed(listed_, name);
    if (listed == listed_.end()) continue;  // not listed: its folder's notice brings it
    Signature signature;
    if (!RegularFileSignature(root_ + "/" + name, signature)) {
      Forget(listed, snapshot->sources);  // gone after all: its folder's notice follows
      changed = left = true;
      continue;
    }
    if (signature == listed->signature) continue;
    listed->signature = signature;
    Reread(listed, snapshot->sources);
    changed = true;
  }
  if (!changed) return Unchanged();
  // As after a full listing: a file that left takes its snapshot along.
  return Publish(std::move(snapshot), left);
}

namespace {

// Puts a file's source in its place in the listing order, replaces it, or
// (no source) takes it out.
void PlaceSource(std::vector<std::shared_ptr<const IcalSource>>& sources, const std::string& name,
                 std::shared_ptr<const IcalSource> source) {
  const auto at =
      ListedPlace(sources, name, [](const auto& s) -> const std::string& { return s->name; });
  const bool present = at != sources.end() && (*at)->name == name;
  if (!source) {
    if (present) sources.erase(at);
  } else if (present) {
    *at = std::move(source);
  } else {
    sources.insert(at, std::move(source));
  }
}

}  // namespace

void IcalStore::Reread(std::vector<Found>::iterator listed, Sources& sources) {
  Entry entry = ReadSource(*listed);
  if (!entry.problem.empty()) newProblems_.push_back(entry.problem);
  if (entry.vanished) {
    Forget(listed, sources);  // the next full listing finds it anew
    return;
  }
  const std::string& name = listed->name;
  if (entry.problem.empty()) {
    problems_.erase(name);
  } else {
    problems_.insert_or_assign(name, entry.problem);
  }
  PlaceSource(sources, name, entry.source);
  entries_.insert_or_assign(name, std::move(entry));
}

void IcalStore::Forget(std::vector<Found>::iterator listed, Sources& sources) {
  PlaceSource(sources, listed->name, nullptr);
  problems_.erase(listed->name);
  entries_.erase(listed->name);
  listed_.erase(listed);
}

std::shared_ptr<const StoreSnapshot> IcalStore::Publish(std::shared_ptr<StoreSnapshot> snapshot,
                                                        bool commitSnapshots) {
  if (buffer_.capacity() > (1u << 20)) std::string().swap(buffer_);  // not kept between refreshes
  snapshot->problems.reserve(problems_.size());
  for (const auto& [name, problem] : problems_) snapshot->problems.push_back(problem);
  // The refresh fails as a whole only when no file at all could be read,
  // naming the first failure.
  const bool anyRead = !snapshot->sources.empty();
  snapshot_ = std::move(snapshot);
  if (commitSnapshots) CommitSnapshots(/*outdatedToo=*/false);
  firstError_ = anyRead || problems_.empty() ? std::string() : problems_.begin()->second;
  if (!firstError_.empty()) {
    newProblems_.clear();  // the error itself tells
    throw AutomationError(firstError_);
  }
  return snapshot_;
}

std::vector<IcalStore::Found>::iterator IcalStore::FindListed(std::vector<Found>& listing,
                                                              const std::string& name) {
  const auto at = ListedPlace(listing, name, &Found::name);
  return at != listing.end() && at->name == name ? at : listing.end();
}

std::vector<std::string> IcalStore::TakeNewProblems() {
  std::vector<std::string> taken;
  taken.swap(newProblems_);
  return taken;
}

void IcalStore::CommitSnapshots(bool outdatedToo) {
  if (!cache_.Enabled()) return;
  std::vector<SnapshotItem> items;
  items.reserve(entries_.size());
  for (const auto& [name, entry] : entries_) {
    if (entry.source) items.push_back({name, entry.signature, &entry.source->content});
  }
  cache_.Commit(items, zones_, outdatedToo);
}

// The root's own entries listed again; a vdir folder that reported nothing
// keeps its files as they were.
void IcalStore::ListRoot(const FolderChanges& changes, std::vector<Found>& found) {
  std::map<std::string, std::vector<Found>, std::less<>> kept;
  for (const Found& f : listed_) {
    if (f.inVdir) kept[std::string(VdirFolderOf(f.name))].push_back(f);
  }
  const int folder = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    throw AutomationError("The calendar store \"" + root_ +
                          "\" cannot be read: " + SystemText(errno) + ".");
  }
  DIR* listing = fdopendir(folder);
  if (listing == nullptr) {
    close(folder);
    return;
  }
  IdentitySet seen = RootIdentity();
  for (const std::string& name : FolderEntryNames(listing, /*skipHidden=*/true)) {
    Signature signature;
    const EntryKind kind = LookAt(dirfd(listing), name, /*inVdir=*/false, seen, signature);
    if (kind == EntryKind::file) found.push_back({name, false, signature});
    if (kind != EntryKind::vdir) continue;
    const std::string prefix = name + "/";
    const auto same = kept.find(prefix);
    if (same != kept.end() && changes.folders.count(prefix) == 0) {
      for (const Found& f : same->second) seen.insert({f.signature.device, f.signature.inode});
      found.insert(found.end(), same->second.begin(), same->second.end());
      continue;
    }
    const int vdir = openat(dirfd(listing), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (vdir >= 0) ListFolder(vdir, prefix, true, found, seen);
  }
  closedir(listing);
}

std::vector<IcalStore::Found> IcalStore::ListChanged(const FolderChanges& changes) {
  // A single-file store is one look anyway.
  if (rootIsFile_) return ListSources();
  std::vector<Found> found;
  if (changes.folders.count("") != 0) {
    ListRoot(changes, found);
  } else {
    found.reserve(listed_.size());
    for (const Found& f : listed_) {
      if (f.inVdir && changes.folders.count(std::string(VdirFolderOf(f.name))) != 0) continue;
      found.push_back(f);
    }
    IdentitySet seen = RootIdentity();
    for (const Found& f : found) seen.insert({f.signature.device, f.signature.inode});
    const std::size_t kept = found.size();
    for (const std::string& folder : changes.folders) {
      const std::string path = root_ + "/" + folder;
      const int vdir = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (vdir >= 0) ListFolder(vdir, folder, true, found, seen);
    }
    // The kept files are in order, and so is each folder's listing: a merge
    // costs less than sorting the whole store again.
    const auto before = [](const Found& a, const Found& b) { return ListedBefore(a.name, b.name); };
    std::sort(found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(), before);
    std::inplace_merge(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept),
                       found.end(), before);
  }
  // Files whose content changed are looked at again, one by one.
  for (const std::string& name : changes.files) {
    const auto at = FindListed(found, name);
    if (at == found.end()) continue;
    if (!RegularFileSignature(root_ + "/" + name, at->signature)) {
      found.erase(at);  // gone after all: its folder's notice follows
    }
  }
  return found;
}

}  // namespace lumivane::ical
