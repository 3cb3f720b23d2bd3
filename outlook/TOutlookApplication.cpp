#include "outlook/TOutlookApplication.h"

#include <exception>

#include "base/AsciiCase.h"
#include "outlook/AutomationError.h"
#include "outlook/OutlookStore.h"

namespace lumivane {
namespace {

constexpr std::string_view kLinkScheme = "outlook:";

}  // namespace

TOutlookApplication::TOutlookApplication(ServerFactory createServer, DesktopOpener& opener)
    : createServer_(std::move(createServer)), opener_(opener) {}

TOutlookApplication::~TOutlookApplication() {
  Disconnect();
}

bool TOutlookApplication::OutlookIsRegistered() {
  return lumivane::OutlookIsRegistered();
}

void TOutlookApplication::Connect() {
  if (application_) return;
  std::unique_ptr<_Application> created;
  try {
    created = createServer_ ? createServer_() : nullptr;
  } catch (const AutomationError&) {
    throw;
  } catch (const std::exception& e) {
    throw AutomationError(std::string("The calendar server could not be started: ") + e.what());
  }
  if (!created) throw AutomationError("The calendar server could not be started.");
  application_ = std::move(created);
}

void TOutlookApplication::Disconnect() noexcept {
  application_.reset();
}

_Application& TOutlookApplication::Application() {
  Connect();
  return *application_;
}

std::shared_ptr<NameSpace> TOutlookApplication::GetNamespace(const std::string& type) {
  std::shared_ptr<NameSpace> space = Application().GetNamespace(type);
  if (!space) throw AutomationError("The calendar server has no namespace \"" + type + "\".");
  return space;
}

void TOutlookApplication::ShowDefaultFolder(int folderCode) {
  std::shared_ptr<MAPIFolder> folder = GetNamespace("MAPI")->GetDefaultFolder(folderCode);
  if (!folder)
    throw AutomationError("The calendar server has no folder " + std::to_string(folderCode) + ".");
  folder->Display();
  Disconnect();
}

StoreReadReport TOutlookApplication::TakeReadReport() {
  auto* source = dynamic_cast<ReadProblemSource*>(application_.get());
  return source != nullptr ? source->TakeReadReport() : StoreReadReport{};
}

void TOutlookApplication::OpenItemLink(const std::string& link) {
  if (!StartsWithTextAscii(link, kLinkScheme)) {
    throw AutomationError("\"" + link + "\" is not a link to a calendar item.");
  }
  const std::string entryId = link.substr(kLinkScheme.size());
  // Only the look-up needs the server; a connection made for it ends with it.
  const bool wasConnected = Connected();
  std::string file;
  try {
    auto* provider = dynamic_cast<ItemFileProvider*>(&Application());
    if (provider == nullptr) throw AutomationError("The calendar server cannot open single items.");
    file = provider->ItemFile(entryId);
  } catch (...) {
    if (!wasConnected) Disconnect();
    throw;
  }
  if (!wasConnected) Disconnect();

  const LaunchResult result = opener_.Launch(DesktopProgram::Calendar, file);
  switch (result.status) {
    case LaunchStatus::Started:
      return;
    case LaunchStatus::NoDefaultProgram:
      throw AutomationError("No program is set to open calendar files (text/calendar).");
    case LaunchStatus::Failed:
      throw AutomationError("The calendar program could not be started: " + result.error);
  }
}

std::string TOutlookApplication::ReadOutlookVersion() {
  return Application().Version();
}

}  // namespace lumivane
