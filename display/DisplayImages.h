#pragma once
// The program's own pictures, loaded into the image lists that the display
// markup ("idx:0" .. "idx:5"), the tray icon and the popup menu address by
// index.

namespace lumivane {

class TImageList;

// 0 the Tasks heading, 1 the Calendar heading, 2 high importance, 3 low
// importance, 4 normal importance / an appointment not in progress, 5 the
// appointment in progress.
void FillDisplayImages(TImageList& list);
// 0 idle, 1 while a refresh reads the calendar.
void FillTrayImages(TImageList& list);
// 0 mail (Inbox), 1 refresh, 2 quit, 3 calendar, 4 tasks.
void FillMenuImages(TImageList& list);

}  // namespace lumivane
