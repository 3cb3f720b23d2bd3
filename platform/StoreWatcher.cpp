#include "platform/StoreWatcher.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>

namespace lumivane {
namespace {

bool IsCalendarFile(const QFileInfo& info) {
  return info.isFile() && info.fileName().endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive);
}

QString Stamp(const QString& path) {
  // stat follows symbolic links, as the store does; the file number tells a
  // replacement apart from the file it replaced when size and time agree.
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
  return QStringLiteral("%1:%2.%3:%4:%5.%6")
      .arg(static_cast<qlonglong>(st.st_size))
      .arg(static_cast<qlonglong>(st.st_mtim.tv_sec))
      .arg(static_cast<qlonglong>(st.st_mtim.tv_nsec))
      .arg(static_cast<qulonglong>(st.st_ino))
      .arg(static_cast<qlonglong>(st.st_ctim.tv_sec))
      .arg(static_cast<qlonglong>(st.st_ctim.tv_nsec));
}

constexpr QDir::Filters kEntries = QDir::AllEntries | QDir::NoDotAndDotDot;

}  // namespace

StoreWatcher::StoreWatcher(QObject* parent) : QObject(parent), watcher_(this), timer_(this) {
  timer_.setSingleShot(true);
  timer_.setInterval(2000);
  connect(&timer_, &QTimer::timeout, this, &StoreWatcher::Changed);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
          [this](const QString& path) { OnNotice(path, false); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
          [this](const QString& path) { OnNotice(path, true); });
}

void StoreWatcher::Watch(const QString& root) {
  timer_.stop();
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  root_ = root.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(root).absoluteFilePath());
  pending_ = {};
  taken_ = false;
  incomplete_ = false;
  Rearm();
  last_ = Scan();
}

QStringList StoreWatcher::WatchedPaths() const {
  return watcher_.directories() + watcher_.files();
}

FolderChanges StoreWatcher::TakeChanges() {
  FolderChanges changes = std::move(pending_);
  pending_ = {};
  if (!taken_ || incomplete_ || root_.isEmpty() || !QFileInfo(root_).isDir()) {
    changes.everything = true;
  }
  taken_ = true;
  return changes;
}

QString StoreWatcher::Relative(const QString& path) const {
  return path.mid(root_.size() + 1);
}

void StoreWatcher::Note(const Fingerprint& before, const Fingerprint& after) {
  const auto folderOf = [this](const QString& path) {
    const QString relative = Relative(path);
    const qsizetype slash = relative.indexOf(QLatin1Char('/'));
    return slash < 0 ? std::string() : relative.left(slash + 1).toStdString();
  };
  for (auto it = after.begin(); it != after.end(); ++it) {
    const auto old = before.find(it.key());
    if (old == before.end()) {
      pending_.folders.insert(folderOf(it.key()));
    } else if (old.value() != it.value()) {
      pending_.files.insert(Relative(it.key()).toStdString());
    }
  }
  for (auto it = before.begin(); it != before.end(); ++it) {
    if (!after.contains(it.key())) pending_.folders.insert(folderOf(it.key()));
  }
}

void StoreWatcher::OnNotice(const QString& path, bool isFolder) {
  Rearm();
  // Only the part of the store that the notice names is looked at again.
  const QString cleaned = QDir::cleanPath(path);
  const QFileInfo rootInfo(root_);
  Fingerprint before;
  Fingerprint after;
  if (!rootInfo.isDir() || cleaned == root_ || !cleaned.startsWith(root_ + QLatin1Char('/'))) {
    after = Scan();  // the root itself, or a single-file store
    before = last_;
    if (after == before) return;
    last_ = after;
  } else {
    const QString folder = isFolder ? cleaned : QFileInfo(cleaned).absolutePath();
    const QString prefix = folder + QLatin1Char('/');
    if (isFolder) {
      after = ScanFolder(folder);
    } else if (const QString stamp = Stamp(cleaned);
               !stamp.isEmpty() && IsCalendarFile(QFileInfo(cleaned))) {
      after.insert(cleaned, stamp);
    }
    for (auto it = last_.begin(); it != last_.end(); ++it) {
      const bool inPart = isFolder ? it.key().startsWith(prefix) &&
                                         it.key().indexOf(QLatin1Char('/'), prefix.size()) < 0
                                   : it.key() == cleaned;
      if (inPart) before.insert(it.key(), it.value());
    }
    if (after == before) return;
    for (auto it = before.begin(); it != before.end(); ++it) last_.remove(it.key());
    for (auto it = after.begin(); it != after.end(); ++it) last_.insert(it.key(), it.value());
  }
  Note(before, after);
  timer_.start();  // restarted by every change: one notice after the last
}

void StoreWatcher::Rearm() {
  if (root_.isEmpty()) return;
  QStringList wanted;
  // The root's folder sees the root itself created, removed or replaced.
  const QFileInfo rootInfo(root_);
  const QString parent = rootInfo.absolutePath();
  if (QFileInfo(parent).isDir()) wanted << parent;
  if (rootInfo.isFile()) {
    wanted << root_;
  } else if (rootInfo.isDir()) {
    wanted << root_;
    const QDir rootDir(root_);
    for (const QFileInfo& entry : rootDir.entryInfoList(kEntries)) {
      if (IsCalendarFile(entry)) {
        wanted << entry.absoluteFilePath();
      } else if (entry.isDir()) {
        // A vdir folder: one item per file.
        wanted << entry.absoluteFilePath();
        for (const QFileInfo& item : QDir(entry.absoluteFilePath()).entryInfoList(kEntries)) {
          if (IsCalendarFile(item)) wanted << item.absoluteFilePath();
        }
      }
    }
  }
  const QStringList current = WatchedPaths();
  QStringList missing;
  for (const QString& path : wanted) {
    if (!current.contains(path)) missing << path;
  }
  // A path that cannot be watched (the system's limit on watches reached)
  // leaves its changes unseen: refreshes then look at the whole store.
  incomplete_ = !missing.isEmpty() && !watcher_.addPaths(missing).isEmpty();
}

// The .ics files directly in one folder.
StoreWatcher::Fingerprint StoreWatcher::ScanFolder(const QString& folder) const {
  Fingerprint print;
  for (const QFileInfo& item : QDir(folder).entryInfoList(kEntries)) {
    if (IsCalendarFile(item)) print.insert(item.absoluteFilePath(), Stamp(item.absoluteFilePath()));
  }
  return print;
}

StoreWatcher::Fingerprint StoreWatcher::Scan() const {
  Fingerprint print;
  if (root_.isEmpty()) return print;
  const QFileInfo rootInfo(root_);
  if (rootInfo.isFile()) {
    print.insert(root_, Stamp(root_));
    return print;
  }
  if (!rootInfo.isDir()) return print;
  for (const QFileInfo& entry : QDir(root_).entryInfoList(kEntries)) {
    if (IsCalendarFile(entry)) {
      print.insert(entry.absoluteFilePath(), Stamp(entry.absoluteFilePath()));
    } else if (entry.isDir()) {
      for (const QFileInfo& item : QDir(entry.absoluteFilePath()).entryInfoList(kEntries)) {
        if (IsCalendarFile(item))
          print.insert(item.absoluteFilePath(), Stamp(item.absoluteFilePath()));
      }
    }
  }
  return print;
}

}  // namespace lumivane
