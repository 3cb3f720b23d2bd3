#pragma once
// Watches the calendar store and reports a change about two seconds after
// the last one, so that a sync run or an editor's save of several files
// gives one notice. The store root is a folder of .ics files and vdir
// folders, or a single .ics file.
//
// Editors and sync tools save by writing a new file and renaming it over the
// old one, which ends a watch on the old file; so the folders are watched as
// well, and after every notice the set of watched paths is made complete
// again. A notice that changes no .ics file of the store (a swap file, a
// file of another program beside a single-file store) is not reported.
//
// The notices also say where the store changed (TakeChanges), so that a
// refresh looks only there. A notice is followed by a look at the one file or
// folder it names (the whole store only for a notice on the root).
#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

#include "base/FolderChanges.h"

namespace lumivane {

class StoreWatcher : public QObject {
  Q_OBJECT

 public:
  explicit StoreWatcher(QObject* parent = nullptr);

  // Starts watching `root` (it need not exist yet); an empty text stops.
  void Watch(const QString& root);
  QString Root() const { return root_; }
  // The quiet time after the last change before Changed() comes; 2000 ms.
  void SetDelay(int ms) { timer_.setInterval(ms); }
  // What is watched now, for checks.
  QStringList WatchedPaths() const;
  // Where the store changed since the last call, relative to the root.
  // `everything` on the first call after Watch, for a single-file store, and
  // while a path could not be watched (its changes would go unseen).
  FolderChanges TakeChanges();

 signals:
  void Changed();

 private:
  // For each .ics file of the store: size, modification time and file number.
  using Fingerprint = QMap<QString, QString>;

  void OnNotice(const QString& path, bool isFolder);
  void Rearm();
  Fingerprint Scan() const;
  Fingerprint ScanFolder(const QString& folder) const;
  // Adds the differences within one part of the store to the changes taken next.
  void Note(const Fingerprint& before, const Fingerprint& after);
  QString Relative(const QString& path) const;

  QString root_;
  QFileSystemWatcher watcher_;
  QTimer timer_;
  Fingerprint last_;
  FolderChanges pending_;
  bool taken_ = false;       // TakeChanges was called since Watch
  bool incomplete_ = false;  // a path could not be watched
};

}  // namespace lumivane
