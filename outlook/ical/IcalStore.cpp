#include "outlook/ical/IcalStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

}  // namespace

IcalStore::IcalStore(std::string root) : root_(std::move(root)) {}

IcalStore::Signature SignatureOf(const struct stat& s) {
  return {static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
          static_cast<std::int64_t>(s.st_size),
          static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
          static_cast<std::int64_t>(s.st_ctim.tv_sec) * 1000000000 + s.st_ctim.tv_nsec};
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
  std::set<Identity> seen{{static_cast<std::uint64_t>(rootStatus.st_dev),
                           static_cast<std::uint64_t>(rootStatus.st_ino)}};
  ListFolder(folder, {}, false, found, seen);
  return found;
}

// Files are looked at relative to their open folder (no path is put
// together for a file that did not change); links are followed.
void IcalStore::ListFolder(int folder, const std::string& prefix, bool inVdir,
                           std::vector<Found>& found, std::set<Identity>& seen) {
  DIR* listing = fdopendir(folder);
  if (listing == nullptr) {
    close(folder);
    return;
  }
  for (const std::string& name : FolderEntryNames(listing, /*skipHidden=*/true)) {
    struct stat status {};
    if (fstatat(dirfd(listing), name.c_str(), &status, 0) != 0) continue;  // a dangling link
    const bool file = S_ISREG(status.st_mode) && HasIcsSuffix(name);
    const bool vdir = S_ISDIR(status.st_mode) && !inVdir;
    if (!file && !vdir) continue;
    // A link to the root ("self.ics -> .") or to a file or folder listed
    // already would list the same items twice.
    const Identity identity{static_cast<std::uint64_t>(status.st_dev),
                            static_cast<std::uint64_t>(status.st_ino)};
    if (!seen.insert(identity).second) continue;
    if (file) {
      found.push_back({prefix.empty() ? name : prefix + name, inVdir, SignatureOf(status)});
    } else {
      // A folder in the store root is a vdir: one item per file, no deeper.
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

  auto source = std::make_shared<IcalSource>();
  source->name = found.name;
  source->path = path;
  source->inVdir = found.inVdir;
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

std::shared_ptr<const StoreSnapshot> IcalStore::Refresh() {
  std::vector<Found> found = ListSources();
  // The files as they were: nothing to read, the same snapshot.
  if (snapshot_ && found == listed_) {
    if (!firstError_.empty()) throw AutomationError(firstError_);
    return snapshot_;
  }
  std::map<std::string, Entry> entries;
  auto snapshot = std::make_shared<StoreSnapshot>();
  std::string firstError;
  bool anyRead = false;
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
    if (!entry.problem.empty()) {
      snapshot->problems.push_back(entry.problem);
      if (!entry.source && firstError.empty()) firstError = entry.problem;
    }
    if (entry.source) {
      anyRead = true;
      snapshot->sources.push_back(entry.source);
    }
    entries.emplace(f.name, std::move(entry));
  }
  if (buffer_.capacity() > (1u << 20)) std::string().swap(buffer_);  // not kept between refreshes
  entries_ = std::move(entries);
  // Listed as found, less what vanished: a vanished file counts as a change.
  std::erase_if(found, [this](const Found& f) { return entries_.count(f.name) == 0; });
  listed_ = std::move(found);
  snapshot_ = std::move(snapshot);
  // The refresh fails as a whole only when no file at all could be read.
  firstError_ = anyRead ? std::string() : firstError;
  if (!firstError_.empty()) {
    newProblems_.clear();  // the error itself tells
    throw AutomationError(firstError_);
  }
  return snapshot_;
}

std::vector<std::string> IcalStore::TakeNewProblems() {
  std::vector<std::string> taken;
  taken.swap(newProblems_);
  return taken;
}

}  // namespace lumivane::ical
