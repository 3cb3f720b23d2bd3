#pragma once
// The item collection of one folder over a store snapshot: Sort,
// IncludeRecurrences, and Find/FindNext over restriction filter texts.
// Find reads the filter, expands series only inside the dates the filter
// implies, keeps the matches in sort order and hands them out one by one.
#include <memory>
#include <string>
#include <vector>

#include "i18n/FormatSettings.h"
#include "outlook/OutlookContract.h"
#include "outlook/ical/IcalStore.h"

namespace lumivane::ical {

class Filter;

enum class FolderKind { Inbox, Calendar, Tasks };

class IcalItems final : public Items {
 public:
  IcalItems(FolderKind kind, std::shared_ptr<const StoreSnapshot> snapshot, FormatSettings fs);

  void Sort(const std::string& property, bool descending) override;
  bool IncludeRecurrences() const override { return includeRecurrences_; }
  void SetIncludeRecurrences(bool include) override { includeRecurrences_ = include; }
  std::shared_ptr<OutlookItem> Find(const std::string& filter) override;
  std::shared_ptr<OutlookItem> FindNext() override;

  // A match in the folder: an appointment (or one occurrence) or a task.
  struct Row {
    const IcalSource* source = nullptr;
    const Appointment* appointment = nullptr;
    const Task* task = nullptr;
    AutomationDate start = 0;  // appointments: of this occurrence
    AutomationDate end = 0;
  };

 private:
  void CollectAppointments(const Filter& filter);
  void CollectTasks(const Filter& filter);
  void SortMatches();
  std::shared_ptr<OutlookItem> ItemAt(std::size_t index) const;

  FolderKind kind_;
  std::shared_ptr<const StoreSnapshot> snapshot_;
  FormatSettings fs_;
  bool includeRecurrences_ = false;
  int sortProperty_ = -1;  // none
  bool descending_ = false;
  bool searched_ = false;
  std::vector<Row> matches_;
  std::size_t next_ = 0;
};

}  // namespace lumivane::ical
