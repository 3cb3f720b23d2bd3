#include "outlook/ical/SnapshotCache.h"

#include <libical/ical.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

#include "base/FileIo.h"
#include "base/FileListing.h"

namespace lumivane::ical {
namespace {

// A snapshot takes at most this share of the size of its sources.
constexpr double kMaxShareOfSources = 1.5;
constexpr std::size_t kMaxSnapshotBytes = std::size_t{3} << 30;
constexpr std::string_view kSuffix = ".snap";

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// What stat says of a path, "-" when it does not exist; `follow` as stat,
// else as lstat (a link retargeted changes the link itself).
std::string StatText(const std::string& path, bool follow = true) {
  struct stat status {};
  if ((follow ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status)) != 0) return "-";
  const FileSignature s = SignatureOf(status);
  return std::to_string(s.device) + ":" + std::to_string(s.inode) + ":" + std::to_string(s.size) +
         ":" + std::to_string(s.modified) + ":" + std::to_string(s.changed);
}

}  // namespace

std::string SnapshotCacheFolder() {
  const std::string off = Env("LUMIVANE_NO_CACHE");
  if (!off.empty() && off != "0") return {};
  const std::string cache = Env("XDG_CACHE_HOME");
  if (!cache.empty() && cache.front() == '/') return cache + "/lumivane";
  const std::string home = Env("HOME");
  return home.empty() ? std::string() : home + "/.cache/lumivane";
}

std::string TimeEnvironment() {
  const char* tz = std::getenv("TZ");
  std::string zoneDir = Env("TZDIR");
  if (zoneDir.empty()) zoneDir = "/usr/share/zoneinfo";
  std::string text = std::string("TZ=") + (tz != nullptr ? "[" + std::string(tz) + "]" : "unset");
  text += " TZDIR=" + zoneDir;
  text += " localtime=" + StatText("/etc/localtime") + "," + StatText("/etc/localtime", false);
  if (tz != nullptr) {
    // TZ names a zone file (":Europe/Berlin", "Europe/Berlin", a path) or
    // gives the rule itself; the file is looked at either way.
    std::string file = tz[0] == ':' ? tz + 1 : tz;
    if (!file.empty() && file.front() != '/') file = zoneDir + "/" + file;
    text += " tzfile=" + (file.empty() ? std::string("-") : StatText(file));
    text += " posixrules=" + StatText(zoneDir + "/posixrules");
  }
  // Every update of the zone data replaces its one-file summary.
  text += " tzdata=" + StatText(zoneDir + "/tzdata.zi") + "," + StatText(zoneDir + "/zone.tab");
  return text;
}

std::string BuildIdentity() {
  // Qt names the zones of Windows programs.
  return std::string("libical ") + ICAL_VERSION + " Qt " + qVersion() + " program " +
         StatText("/proc/self/exe");
}

SnapshotCache::SnapshotCache(std::string folder, std::string storeRoot)
    : folder_(std::move(folder)), storeRoot_(std::move(storeRoot)) {
  if (folder_.empty()) return;
  prefix_ = Hex(SnapshotBodyHash(storeRoot_)) + "-";
  build_ = BuildIdentity();
  environment_ = TimeEnvironment();
}

std::string_view SnapshotCache::GroupOf(std::string_view name) {
  const std::string_view folder = VdirFolderOf(name);
  return folder.empty() ? name : folder;
}

std::string SnapshotCache::FileOfGroup(const std::string& group) const {
  return folder_ + "/" + prefix_ + Hex(SnapshotBodyHash(group)) + std::string(kSuffix);
}

std::string SnapshotCache::PathOf(const std::string& name) const {
  return FileOfGroup(std::string(GroupOf(name)));
}

SnapshotStamp SnapshotCache::StampOf(const std::string& group) const {
  return {build_, environment_, storeRoot_ + "\n" + group};
}

void SnapshotCache::Load(const std::string& group, Group& state) {
  state.loaded = true;
  std::optional<SharedBytes> text;
  try {
    text = ReadFileShared(FileOfGroup(group), kMaxSnapshotBytes);
  } catch (const FileError&) {
    return;
  }
  if (!text || !state.reader.Open(std::move(*text), StampOf(group))) return;
  Listing listing;
  const auto& entries = state.reader.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    state.byName.emplace(entries[i].name, i);
    listing.emplace_back(entries[i].name, entries[i].signature);
  }
  state.persisted = std::move(listing);
}

std::optional<SourceContent> SnapshotCache::Find(const std::string& name,
                                                 const FileSignature& signature, ZoneCache& zones) {
  if (!Enabled()) return std::nullopt;
  const std::string group(GroupOf(name));
  Group& state = groups_[group];
  if (!state.loaded) Load(group, state);
  const auto found = state.byName.find(name);
  if (found == state.byName.end()) return std::nullopt;
  const StoreSnapshotReader::Entry& entry = state.reader.Entries()[found->second];
  if (!(entry.signature == signature)) return std::nullopt;
  auto content = state.reader.Decode(entry, zones);
  // An entry that does not decode is written anew after the parse.
  if (!content) state.persisted.reset();
  return content;
}

namespace {

// The group's run of sources against the listing its snapshot holds.
bool SameListing(std::span<const SnapshotItem> run,
                 const std::vector<std::pair<std::string, FileSignature>>& listing) {
  return run.size() == listing.size() && std::equal(run.begin(), run.end(), listing.begin(),
                                                    [](const SnapshotItem& item, const auto& kept) {
                                                      return item.name == kept.first &&
                                                             item.signature == kept.second;
                                                    });
}

}  // namespace

void SnapshotCache::Commit(const std::vector<SnapshotItem>& sources, const ZoneCache& zones,
                           bool outdatedToo) {
  if (!Enabled()) return;
  // The sources of a group are next to each other in name order ("b/x.ics"
  // only sorts among "b/..."), so each group is one run: no copy of the
  // names is made for a group whose snapshot is up to date.
  std::vector<std::string> current;
  for (std::size_t first = 0; first < sources.size();) {
    const std::string_view groupName = GroupOf(sources[first].name);
    std::size_t end = first + 1;
    while (end < sources.size() && GroupOf(sources[end].name) == groupName) ++end;
    std::string group(groupName);
    const std::span<const SnapshotItem> run(sources.data() + first, end - first);
    first = end;
    Group& state = groups_[group];
    current.push_back(std::move(group));
    if (state.persisted && (!outdatedToo || SameListing(run, *state.persisted))) continue;
    Write(current.back(), run, zones);
    Listing listing;
    listing.reserve(run.size());
    for (const SnapshotItem& item : run) listing.emplace_back(item.name, item.signature);
    state.persisted = std::move(listing);  // tried once per change, written or not
  }
  std::sort(current.begin(), current.end());
  // Sources that left the store take their snapshots with them.
  for (auto it = groups_.begin(); it != groups_.end();) {
    if (!std::binary_search(current.begin(), current.end(), it->first)) {
      ::unlink(FileOfGroup(it->first).c_str());
      it = groups_.erase(it);
    } else {
      // What was read is no longer needed: the records live in the store
      // (and keep alive the buffer their texts are in).
      Group& state = it->second;
      state.byName.clear();
      state.reader = {};
      state.loaded = true;
      ++it;
    }
  }
  if (!swept_) RemoveForeignFiles(current);
}

void SnapshotCache::Write(const std::string& group, std::span<const SnapshotItem> run,
                          const ZoneCache& zones) {
  std::int64_t sourceBytes = 0;
  for (const SnapshotItem& item : run)
    sourceBytes += std::max<std::int64_t>(item.signature.size, 0);
  const auto fits = [&](const std::optional<std::string>& text) {
    return text && static_cast<double>(text->size()) <=
                       kMaxShareOfSources * static_cast<double>(sourceBytes);
  };
  // What only spares work when reading (the zones' rules, the recurrence
  // rules read beforehand) is left out of a snapshot it would make too large
  // (a small file): reading it then loads the zones and reads the rules.
  auto text = EncodeStoreSnapshot(StampOf(group), run, zones);
  if (!fits(text)) text = EncodeStoreSnapshot(StampOf(group), run, zones, false);
  const std::string path = FileOfGroup(group);
  try {
    if (fits(text)) {
      WriteFileAtomically(path, *text, 0600, Flush::Skip);  // checked whole when read
    } else {
      ::unlink(path.c_str());
    }
  } catch (const FileError&) {
    // A cache that cannot be written: the store is parsed next time.
  }
}

// Snapshots of this store's sources that are gone since an earlier run, and
// temporaries of an interrupted write.
void SnapshotCache::RemoveForeignFiles(const std::vector<std::string>& current) {
  swept_ = true;
  std::unordered_set<std::string> wanted;
  for (const std::string& group : current)
    wanted.insert(prefix_ + Hex(SnapshotBodyHash(group)) + std::string(kSuffix));
  for (const std::string& name : FolderEntryNames(folder_, false)) {
    if (name.compare(0, prefix_.size(), prefix_) != 0 || wanted.count(name) != 0) continue;
    ::unlink((folder_ + "/" + name).c_str());
  }
}

}  // namespace lumivane::ical
