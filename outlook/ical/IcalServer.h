#pragma once
// Our automation server over an iCalendar store: the application object with
// its namespace and the Inbox (always empty), Calendar and Tasks folders.
// Plain C++: the desktop is reached through the DesktopOpener given to it.
#include <memory>
#include <string>

#include "i18n/FormatSettings.h"
#include "outlook/DesktopOpener.h"
#include "outlook/OutlookContract.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalStore.h"

namespace lumivane::ical {

class IcalApplication final : public _Application,
                              public ItemFileProvider,
                              public ReadProblemSource {
 public:
  // fs reads the dates in filter texts; the opener must outlive the server.
  IcalApplication(std::shared_ptr<IcalStore> store, FormatSettings fs, DesktopOpener& opener);

  std::shared_ptr<NameSpace> GetNamespace(const std::string& type) override;
  // Names the server and the libical version it was built with.
  std::string Version() override;
  // A vdir item's own file, else a temporary .ics that holds just the item.
  std::string ItemFile(const std::string& entryId) override;
  StoreReadReport TakeReadReport() override;

  struct Context;

 private:
  std::shared_ptr<Context> context_;
};

}  // namespace lumivane::ical

namespace lumivane {

// The factory for TOutlookApplication: each connection gets a fresh server
// over one store shared by all of them, so unchanged files are not read again.
TOutlookApplication::ServerFactory MakeIcalServerFactory(std::string storeRoot, FormatSettings fs,
                                                         DesktopOpener& opener);
// The same over a store the caller keeps (with its snapshot folder and
// change source).
TOutlookApplication::ServerFactory MakeIcalServerFactory(std::shared_ptr<ical::IcalStore> store,
                                                         FormatSettings fs, DesktopOpener& opener);

}  // namespace lumivane
