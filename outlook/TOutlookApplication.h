#pragma once
// The session with the automation server. It holds at most one application
// object and is connected exactly while it does. Nothing connects on its own
// and disconnecting never tells the server to quit: every refresh and every
// folder command opens its own short connection, so a changed store is
// picked up at the next use.
#include <functional>
#include <memory>
#include <string>

#include "outlook/DesktopOpener.h"
#include "outlook/OutlookContract.h"

namespace lumivane {

class TOutlookApplication {
 public:
  // Creates a fresh application object for each connection.
  using ServerFactory = std::function<std::unique_ptr<_Application>()>;

  // The opener must outlive the session.
  TOutlookApplication(ServerFactory createServer, DesktopOpener& opener);
  ~TOutlookApplication();
  TOutlookApplication(const TOutlookApplication&) = delete;
  TOutlookApplication& operator=(const TOutlookApplication&) = delete;

  // True when the server's store exists (see OutlookStore.h).
  static bool OutlookIsRegistered();

  // Both idempotent.
  void Connect();
  void Disconnect() noexcept;
  bool Connected() const noexcept { return application_ != nullptr; }

  // Connects first when needed.
  std::shared_ptr<NameSpace> GetNamespace(const std::string& type);
  // Shows a default folder (kFolderInbox, kFolderCalendar, kFolderTasks), then
  // disconnects. A failure leaves the session connected until the next refresh.
  void ShowDefaultFolder(int folderCode);
  // Opens the item of an "outlook:" link (any letter case) with the user's
  // calendar program. Connects for the look-up only when not connected yet.
  void OpenItemLink(const std::string& link);
  // Connects when needed and stays connected.
  std::string ReadOutlookVersion();
  // What the connected server could not read of its store in this
  // connection; empty when not connected or the server reads no files.
  StoreReadReport TakeReadReport();

 private:
  _Application& Application();

  ServerFactory createServer_;
  DesktopOpener& opener_;
  std::unique_ptr<_Application> application_;
};

}  // namespace lumivane
