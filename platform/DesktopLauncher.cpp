#include "platform/DesktopLauncher.h"

#include <gio/gio.h>

#include <memory>

namespace lumivane {
namespace {

struct ObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, ObjectDeleter>;

GAppInfo* DefaultApplication(DesktopProgram program) {
  switch (program) {
    case DesktopProgram::Calendar:
      return g_app_info_get_default_for_type("text/calendar", FALSE);
    case DesktopProgram::Mail:
      return g_app_info_get_default_for_uri_scheme("mailto");
  }
  return nullptr;
}

}  // namespace

LaunchResult DesktopLauncher::Launch(DesktopProgram program, const std::string& file) {
  const GObjectPtr<GAppInfo> application(DefaultApplication(program));
  if (!application) return {LaunchStatus::NoDefaultProgram, {}};

  GList* files = nullptr;
  GObjectPtr<GFile> argument;
  if (!file.empty()) {
    argument.reset(g_file_new_for_path(file.c_str()));
    files = g_list_append(files, argument.get());
  }
  GError* error = nullptr;
  const gboolean started = g_app_info_launch(application.get(), files, nullptr, &error);
  g_list_free(files);
  if (started) return {};
  LaunchResult result{LaunchStatus::Failed, error != nullptr ? error->message : "unknown error"};
  if (error != nullptr) g_error_free(error);
  return result;
}

}  // namespace lumivane
