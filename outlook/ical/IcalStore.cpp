#include "outlook/ical/IcalStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "i18n/AsciiText.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/IcalReader.h"

namespace lumivane::ical {
namespace {

bool HasIcsSuffix(std::string_view name) {
  return name.size() > 4 && SameTextAscii(name.substr(name.size() - 4), ".ics");
}

std::string BaseName(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const auto slash = trimmed.rfind('/');
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// Entry names of a folder in name order; hidden entries (a synchroniser's
// temporary files among them) are left out.
std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  DIR* folder = opendir(path.c_str());
  if (folder == nullptr) return names;
  while (const dirent* entry = readdir(folder)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  closedir(folder);
  std::sort(names.begin(), names.end());
  return names;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string SystemText(int error) {
  return std::strerror(error);
}

}  // namespace

IcalStore::IcalStore(std::string root) : root_(std::move(root)) {}

std::vector<IcalStore::Found> IcalStore::ListSources() const {
  const auto signatureOf = [](const struct stat& s) {
    return Signature{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
                     static_cast<std::int64_t>(s.st_size),
                     static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
                     static_cast<std::int64_t>(s.st_ctim.tv_sec) * 1000000000 + s.st_ctim.tv_nsec};
  };
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
  if (S_ISREG(rootStatus.st_mode)) {
    found.push_back({BaseName(root_), root_, false, signatureOf(rootStatus)});
    return found;
  }
  if (!S_ISDIR(rootStatus.st_mode)) {
    throw AutomationError("The calendar store \"" + root_ + "\" is neither a folder nor a file.");
  }
  for (const std::string& name : FolderEntries(root_)) {
    const std::string path = root_ + "/" + name;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) continue;  // a dangling link holds nothing
    if (S_ISREG(status.st_mode) && HasIcsSuffix(name)) {
      found.push_back({name, path, false, signatureOf(status)});
    } else if (S_ISDIR(status.st_mode)) {
      for (const std::string& itemName : FolderEntries(path)) {
        const std::string itemPath = path + "/" + itemName;
        struct stat itemStatus {};
        if (!HasIcsSuffix(itemName) || stat(itemPath.c_str(), &itemStatus) != 0 ||
            !S_ISREG(itemStatus.st_mode)) {
          continue;
        }
        found.push_back({name + "/" + itemName, itemPath, true, signatureOf(itemStatus)});
      }
    }
  }
  return found;
}

IcalStore::Entry IcalStore::ReadSource(const Found& found) {
  Entry entry;
  entry.signature = found.signature;
  const FileDescriptor fd(open(found.path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    entry.error = "The file \"" + found.name +
                  "\" in the calendar store cannot be read: " + SystemText(errno) + ".";
    return entry;
  }
  std::string& text = buffer_;
  text.resize(static_cast<std::size_t>(std::max<std::int64_t>(found.signature.size, 0)));
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) text.resize(text.size() + 65536);  // the file grew meanwhile
    const ssize_t got = read(fd.get(), text.data() + filled, text.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      entry.error = "The file \"" + found.name +
                    "\" in the calendar store cannot be read: " + SystemText(errno) + ".";
      return entry;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  ++filesRead_;

  auto source = std::make_shared<IcalSource>();
  source->name = found.name;
  source->path = found.path;
  source->inVdir = found.inVdir;
  try {
    source->content = ReadCalendar(text, found.name, zones_);
  } catch (const AutomationError& e) {
    entry.error = e.what();
    return entry;
  }
  entry.source = std::move(source);
  return entry;
}

std::shared_ptr<const StoreSnapshot> IcalStore::Refresh() {
  const std::vector<Found> found = ListSources();
  std::map<std::string, Entry> entries;
  bool changed = !snapshot_ || found.size() != entries_.size();
  std::string firstError;
  for (const Found& f : found) {
    auto old = entries_.find(f.name);
    Entry entry;
    if (old != entries_.end() && old->second.signature == f.signature &&
        (!old->second.source || old->second.source->path == f.path)) {
      entry = std::move(old->second);
    } else {
      entry = ReadSource(f);
      changed = true;
    }
    if (!entry.error.empty() && firstError.empty()) firstError = entry.error;
    entries.emplace(f.name, std::move(entry));
  }
  entries_ = std::move(entries);
  if (buffer_.capacity() > (1u << 20)) buffer_ = std::string();  // not kept between refreshes
  if (changed) {
    auto snapshot = std::make_shared<StoreSnapshot>();
    for (const Found& f : found) {
      const Entry& entry = entries_.at(f.name);
      if (entry.source) snapshot->sources.push_back(entry.source);
    }
    snapshot_ = std::move(snapshot);
  }
  if (!firstError.empty()) throw AutomationError(firstError);
  return snapshot_;
}

}  // namespace lumivane::ical
