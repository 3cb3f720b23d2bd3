#include "display/DisplayImages.h"

#include <QString>
#include <initializer_list>

#include "display/markup/TImageList.h"

// Resources compiled into a static library must be registered by hand.
static void InitLumivaneResources() {
  Q_INIT_RESOURCE(lumivane);
}

namespace lumivane {
namespace {

void Fill(TImageList& list, std::initializer_list<const char*> names) {
  InitLumivaneResources();
  list.Clear();
  for (const char* name : names) list.AddFile(QStringLiteral(":/icons/") + QLatin1String(name));
}

}  // namespace

void FillDisplayImages(TImageList& list) {
  Fill(list, {"tasks.svg", "calendar.svg", "priority-high.svg", "priority-low.svg", "item.svg",
              "now.svg"});
}

void FillTrayImages(TImageList& list) {
  Fill(list, {"tray-idle.svg", "tray-busy.svg"});
}

void FillMenuImages(TImageList& list) {
  Fill(list, {"mail.svg", "refresh.svg", "quit.svg", "calendar.svg", "tasks.svg"});
}

}  // namespace lumivane
