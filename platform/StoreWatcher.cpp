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
  return QStringLiteral("%1:%2.%3:%4")
      .arg(static_cast<qlonglong>(st.st_size))
      .arg(static_cast<qlonglong>(st.st_mtim.tv_sec))
      .arg(static_cast<qlonglong>(st.st_mtim.tv_nsec))
      .arg(static_cast<qulonglong>(st.st_ino));
}

constexpr QDir::Filters kEntries = QDir::AllEntries | QDir::NoDotAndDotDot;

}  // namespace

StoreWatcher::StoreWatcher(QObject* parent) : QObject(parent), watcher_(this), timer_(this) {
  timer_.setSingleShot(true);
  timer_.setInterval(2000);
  connect(&timer_, &QTimer::timeout, this, &StoreWatcher::Changed);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreWatcher::OnNotice);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::OnNotice);
}

void StoreWatcher::Watch(const QString& root) {
  timer_.stop();
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  root_ = root.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(root).absoluteFilePath());
  Rearm();
  last_ = Scan();
}

QStringList StoreWatcher::WatchedPaths() const {
  return watcher_.directories() + watcher_.files();
}

void StoreWatcher::OnNotice() {
  Rearm();
  Fingerprint now = Scan();
  if (now == last_) return;
  last_ = std::move(now);
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
  if (!missing.isEmpty()) watcher_.addPaths(missing);
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
