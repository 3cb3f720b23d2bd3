#pragma once
// The automation contract as GoogleMock objects, and plain items with fixed
// values, for driving the queries without a server.
#include <gmock/gmock.h>

#include <memory>
#include <string>

#include "outlook/AutomationError.h"
#include "outlook/OutlookContract.h"

namespace lumivane::test {

class MockItems : public Items {
 public:
  MOCK_METHOD(void, Sort, (const std::string& property, bool descending), (override));
  MOCK_METHOD(bool, IncludeRecurrences, (), (const, override));
  MOCK_METHOD(void, SetIncludeRecurrences, (bool include), (override));
  MOCK_METHOD(std::shared_ptr<OutlookItem>, Find, (const std::string& filter), (override));
  MOCK_METHOD(std::shared_ptr<OutlookItem>, FindNext, (), (override));
};

class MockFolder : public MAPIFolder {
 public:
  MOCK_METHOD(void, Display, (), (override));
  MOCK_METHOD(std::shared_ptr<lumivane::Items>, Items, (), (override));
};

class MockNameSpace : public NameSpace {
 public:
  MOCK_METHOD(std::shared_ptr<MAPIFolder>, GetDefaultFolder, (int folderCode), (override));
};

// One folder with its item collection behind a namespace; every call on the
// collection is checked by the test that sets it up.
struct MockStore {
  MockNameSpace ns;
  std::shared_ptr<MockFolder> folder = std::make_shared<MockFolder>();
  std::shared_ptr<::testing::StrictMock<MockItems>> items =
      std::make_shared<::testing::StrictMock<MockItems>>();

  explicit MockStore(int folderCode) {
    using ::testing::Return;
    EXPECT_CALL(ns, GetDefaultFolder(folderCode)).WillOnce(Return(folder));
    EXPECT_CALL(*folder, Items()).WillOnce(Return(items));
  }
};

struct FakeAppointment : OutlookItem, _AppointmentItem {
  AutomationDate start = 0;
  AutomationDate end = 0;
  bool allDay = false;
  std::string subject;
  std::string location;
  std::string categories;
  std::string entryId;
  bool subjectFails = false;  // reading the subject raises an error

  _AppointmentItem* QueryAppointmentItem() override { return this; }
  _TaskItem* QueryTaskItem() override { return nullptr; }
  AutomationDate Start() const override { return start; }
  AutomationDate End() const override { return end; }
  bool AllDayEvent() const override { return allDay; }
  std::string Subject() const override {
    if (subjectFails) throw AutomationError("The subject could not be read.");
    return subject;
  }
  std::string Location() const override { return location; }
  std::string Categories() const override { return categories; }
  std::string EntryID() const override {
    ++entryIdReads;
    return entryId;
  }
  mutable int entryIdReads = 0;
};

struct FakeTask : OutlookItem, _TaskItem {
  AutomationDate due = NoDate;
  AutomationDate startDate = NoDate;
  bool complete = false;
  int importance = kImportanceNormal;
  std::string subject;
  std::string categories;
  std::string entryId;
  bool dueFails = false;  // reading the due date raises an error

  _AppointmentItem* QueryAppointmentItem() override { return nullptr; }
  _TaskItem* QueryTaskItem() override { return this; }
  AutomationDate DueDate() const override {
    if (dueFails) throw AutomationError("The due date could not be read.");
    return due;
  }
  AutomationDate StartDate() const override { return startDate; }
  bool Complete() const override { return complete; }
  int Importance() const override { return importance; }
  std::string Subject() const override { return subject; }
  std::string Categories() const override { return categories; }
  std::string EntryID() const override {
    ++entryIdReads;
    return entryId;
  }
  mutable int entryIdReads = 0;
};

// A note, a contact: neither an appointment nor a task.
struct FakeNote : OutlookItem {
  _AppointmentItem* QueryAppointmentItem() override { return nullptr; }
  _TaskItem* QueryTaskItem() override { return nullptr; }
};

}  // namespace lumivane::test
