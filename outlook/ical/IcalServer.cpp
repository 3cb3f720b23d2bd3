#include "outlook/ical/IcalServer.h"

#include <libical/ical.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/AsciiCase.h"
#include "base/FileIo.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/EntryId.h"
#include "outlook/ical/IcalItems.h"
#include "outlook/ical/IcalReader.h"

namespace lumivane::ical {

struct IcalApplication::Context {
  std::shared_ptr<IcalStore> store;
  FormatSettings fs;
  DesktopOpener* opener = nullptr;
  // The store as this connection first looked at it: the Calendar and Tasks
  // of one refresh come from the same state of the store, and a vdir folder's
  // files are looked at once per refresh.
  std::shared_ptr<const StoreSnapshot> snapshot;

  std::shared_ptr<const StoreSnapshot> Snapshot() {
    if (!snapshot) snapshot = store->Refresh();
    return snapshot;
  }
};

namespace {

using Context = IcalApplication::Context;

// One item's file opened in the calendar program is read whole; beyond this
// it is no item file a calendar program would take.
constexpr std::size_t kMaxItemFileBytes = std::size_t{1} << 30;

class IcalFolder final : public MAPIFolder {
 public:
  IcalFolder(std::shared_ptr<Context> context, FolderKind kind)
      : context_(std::move(context)), kind_(kind) {}

  void Display() override {
    const LaunchResult result = context_->opener->Launch(
        kind_ == FolderKind::Inbox ? DesktopProgram::Mail : DesktopProgram::Calendar, "");
    // With no program set for the kind, showing the folder does nothing.
    if (result.status == LaunchStatus::Failed) {
      throw AutomationError(std::string(kind_ == FolderKind::Inbox ? "The mail" : "The calendar") +
                            " program could not be started: " + result.error);
    }
  }

  std::shared_ptr<lumivane::Items> Items() override {
    // The Inbox holds nothing: it needs no look at the store.
    auto snapshot =
        kind_ == FolderKind::Inbox ? std::make_shared<const StoreSnapshot>() : context_->Snapshot();
    return std::make_shared<IcalItems>(kind_, std::move(snapshot), context_->fs);
  }

 private:
  std::shared_ptr<Context> context_;
  FolderKind kind_;
};

class IcalNameSpace final : public NameSpace {
 public:
  explicit IcalNameSpace(std::shared_ptr<Context> context) : context_(std::move(context)) {}

  std::shared_ptr<MAPIFolder> GetDefaultFolder(int folderCode) override {
    switch (folderCode) {
      case kFolderInbox:
        return std::make_shared<IcalFolder>(context_, FolderKind::Inbox);
      case kFolderCalendar:
        return std::make_shared<IcalFolder>(context_, FolderKind::Calendar);
      case kFolderTasks:
        return std::make_shared<IcalFolder>(context_, FolderKind::Tasks);
      default:
        throw AutomationError("The calendar server has no default folder " +
                              std::to_string(folderCode) + ".");
    }
  }

 private:
  std::shared_ptr<Context> context_;
};

bool Holds(const IcalSource& source, const EntryKey& key) {
  const RecordTexts& texts = source.content.texts;
  if (key.kind == ItemKind::Task) {
    for (const Task& task : source.content.tasks) {
      if (texts[task.uid] == key.uid && task.ordinal == key.ordinal) return true;
    }
    return false;
  }
  for (const Appointment& item : source.content.appointments) {
    if (texts[item.uid] == key.uid && item.ordinal == key.ordinal) return true;
  }
  return false;
}

std::string ReadWholeFile(const std::string& path) {
  try {
    if (auto text = ReadFileLimited(path, kMaxItemFileBytes)) return std::move(*text);
  } catch (const FileError&) {
  }
  throw AutomationError("The file \"" + path + "\" cannot be read.");
}

// A private folder for the copies handed to the calendar program: the user's
// runtime folder when there is one.
std::string TemporaryFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
    std::error_code error;
    if (std::filesystem::is_directory(runtime, error)) return runtime;
  }
  std::error_code error;
  const auto folder = std::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : folder.string();
}

std::string WriteTemporaryCalendar(const std::string& text) {
  std::string path = TemporaryFolder() + "/lumivane-item-XXXXXX.ics";
  // mkstemps makes a new file of its own (mode 0600), never one that exists.
  const int fd = mkstemps(path.data(), 4);
  if (fd < 0) {
    throw AutomationError(
        "A copy of the item cannot be written: " + std::string(std::strerror(errno)) + ".");
  }
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      close(fd);
      unlink(path.c_str());
      throw AutomationError(
          "A copy of the item cannot be written: " + std::string(std::strerror(error)) + ".");
    }
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  return path;
}

}  // namespace

IcalApplication::IcalApplication(std::shared_ptr<IcalStore> store, FormatSettings fs,
                                 DesktopOpener& opener)
    : context_(std::make_shared<Context>()) {
  context_->store = std::move(store);
  context_->fs = std::move(fs);
  context_->opener = &opener;
}

std::shared_ptr<NameSpace> IcalApplication::GetNamespace(const std::string& type) {
  if (!SameTextAscii(type, "MAPI")) {
    throw AutomationError("The calendar server has no namespace \"" + type + "\".");
  }
  return std::make_shared<IcalNameSpace>(context_);
}

std::string IcalApplication::Version() {
  return "Lumivane iCalendar server (libical " + std::to_string(ICAL_MAJOR_VERSION) + "." +
         std::to_string(ICAL_MINOR_VERSION) + "." + std::to_string(ICAL_PATCH_VERSION) + ")";
}

std::string IcalApplication::ItemFile(const std::string& entryId) {
  const auto key = ParseEntryID(entryId);
  if (!key) throw AutomationError("\"" + entryId + "\" is not an item of the calendar store.");
  const auto snapshot = context_->store->Refresh();
  for (const auto& source : snapshot->sources) {
    if (source->name != key->source || !Holds(*source, *key)) continue;
    if (source->inVdir) return source->path;
    const std::string item =
        ExtractItemCalendar(ReadWholeFile(source->path), key->kind, key->uid, key->ordinal);
    if (item.empty()) break;
    return WriteTemporaryCalendar(item);
  }
  throw AutomationError("The item is no longer in the calendar store.");
}

StoreReadReport IcalApplication::TakeReadReport() {
  StoreReadReport report;
  if (!context_->snapshot) return report;
  report.newProblems = context_->store->TakeNewProblems();
  report.filesWithProblems = context_->snapshot->problems.size();
  return report;
}

}  // namespace lumivane::ical

namespace lumivane {

TOutlookApplication::ServerFactory MakeIcalServerFactory(std::string storeRoot, FormatSettings fs,
                                                         DesktopOpener& opener) {
  return MakeIcalServerFactory(std::make_shared<ical::IcalStore>(std::move(storeRoot)),
                               std::move(fs), opener);
}

TOutlookApplication::ServerFactory MakeIcalServerFactory(std::shared_ptr<ical::IcalStore> store,
                                                         FormatSettings fs, DesktopOpener& opener) {
  return [store, fs = std::move(fs), &opener]() -> std::unique_ptr<_Application> {
    return std::make_unique<ical::IcalApplication>(store, fs, opener);
  };
}

}  // namespace lumivane
