#pragma once
// The automation contract: the members of the calendar server's object model
// that the program calls, and what it relies on. The queries, the composer and
// the session are written against these interfaces only, so any server that
// honours them (our iCalendar server, a fake in the tests) serves.
//
// Objects are shared: a folder or an item keeps alive what it needs, as the
// reference-counted objects of an automation server do, so dropping the
// application object never leaves a dangling collection behind.
// Every failing member raises an AutomationError with a readable text.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "base/AutomationDate.h"

namespace lumivane {

// A task without a due or start date reports this date (1 January 4501).
inline constexpr AutomationDate NoDate = 949998.0;

// Default folder codes, in the server's own numbering.
inline constexpr int kFolderInbox = 6;
inline constexpr int kFolderCalendar = 9;
inline constexpr int kFolderTasks = 13;

// Task importance values.
inline constexpr int kImportanceLow = 0;
inline constexpr int kImportanceNormal = 1;
inline constexpr int kImportanceHigh = 2;

class _AppointmentItem {
 public:
  virtual ~_AppointmentItem() = default;
  // Local automation dates; an all-day appointment runs from 00:00 of its
  // first day to 00:00 of the day after its last.
  virtual AutomationDate Start() const = 0;
  virtual AutomationDate End() const = 0;
  virtual bool AllDayEvent() const = 0;
  virtual std::string Subject() const = 0;
  virtual std::string Location() const = 0;
  // All category names of the item in one text.
  virtual std::string Categories() const = 0;
  // The same for every occurrence of a series.
  virtual std::string EntryID() const = 0;
};

class _TaskItem {
 public:
  virtual ~_TaskItem() = default;
  // Local dates at 00:00; NoDate when the task has none.
  virtual AutomationDate DueDate() const = 0;
  virtual AutomationDate StartDate() const = 0;
  virtual bool Complete() const = 0;
  // kImportanceLow, kImportanceNormal or kImportanceHigh.
  virtual int Importance() const = 0;
  virtual std::string Subject() const = 0;
  virtual std::string Categories() const = 0;
  virtual std::string EntryID() const = 0;
};

// What Find and FindNext hand back: a generic object that is asked for the
// interface the caller needs. The returned pointers live as long as the item.
class OutlookItem {
 public:
  virtual ~OutlookItem() = default;
  // nullptr when the item is not an appointment.
  virtual _AppointmentItem* QueryAppointmentItem() = 0;
  // nullptr when the item is not a task.
  virtual _TaskItem* QueryTaskItem() = 0;
};

// The conversion the task walk relies on: an item of another kind is an error.
_TaskItem& ToTaskItem(OutlookItem& item);

class Items {
 public:
  virtual ~Items() = default;
  // property is a name in brackets ("[Start]", "[DueDate]", ...).
  virtual void Sort(const std::string& property, bool descending) = 0;
  virtual bool IncludeRecurrences() const = 0;
  virtual void SetIncludeRecurrences(bool include) = 0;
  // The first item in sort order that matches the filter text, or nullptr.
  virtual std::shared_ptr<OutlookItem> Find(const std::string& filter) = 0;
  // The next match after the last one returned, or nullptr at the end.
  virtual std::shared_ptr<OutlookItem> FindNext() = 0;
};

class MAPIFolder {
 public:
  virtual ~MAPIFolder() = default;
  // Shows the folder in the user's calendar or mail program.
  virtual void Display() = 0;
  virtual std::shared_ptr<lumivane::Items> Items() = 0;
};

class NameSpace {
 public:
  virtual ~NameSpace() = default;
  // kFolderInbox, kFolderCalendar or kFolderTasks.
  virtual std::shared_ptr<MAPIFolder> GetDefaultFolder(int folderCode) = 0;
};

class _Application {
 public:
  virtual ~_Application() = default;
  // type is "MAPI".
  virtual std::shared_ptr<lumivane::NameSpace> GetNamespace(const std::string& type) = 0;
  virtual std::string Version() = 0;
};

// Offered by a server that can hand one of its items to the desktop: item
// links are opened by the program itself, through this.
class ItemFileProvider {
 public:
  virtual ~ItemFileProvider() = default;
  // Path of a calendar file that holds the item with this EntryID (the item's
  // own file, or a temporary copy of it). AutomationError when there is none.
  virtual std::string ItemFile(const std::string& entryId) = 0;
};

// Offered by a server that reads its items from files: what it could not read
// is reported without failing the whole refresh.
struct StoreReadReport {
  std::vector<std::string> newProblems;  // each changed file's problem, once
  std::size_t filesWithProblems = 0;     // every file now unread or read in part
};

class ReadProblemSource {
 public:
  virtual ~ReadProblemSource() = default;
  // The report of this connection's look at the store; empty before one.
  virtual StoreReadReport TakeReadReport() = 0;
};

}  // namespace lumivane
