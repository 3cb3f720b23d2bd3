#pragma once
// One refresh of the display: read the calendar and the task list through the
// session, write the markup into the display label, size the window, and keep
// the tray, the Refresh item and the cursor telling the user what happens.
// The window and the label are seen through two small interfaces, so that the
// refresh runs the same for the desktop window, the modes without a window
// and the tests.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "base/AutomationDate.h"
#include "display/Settings.h"
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"

namespace lumivane {

class TOutlookApplication;

// The window's place, size and look as a refresh measures and sets them. The
// base is a window that is never shown (the modes without a window, the
// benchmarks): it keeps the size it is given and answers "no" to the rest.
class RefreshGeometry {
 public:
  virtual ~RefreshGeometry() = default;
  // A program covers the primary screen; false when that cannot be told.
  virtual bool FullScreenAppActive() { return false; }
  virtual int Left() const { return left_; }
  virtual int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetLeft(int left) { left_ = left; }
  virtual void SetClientSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  // The tallest the window may be (the work area of its monitor); 0 for no
  // limit.
  virtual int MaxClientHeight() const { return 0; }
  virtual void LockUpdates(bool) {}
  // Bits per pixel of the screen; whole-window opacity applies only at 32.
  virtual int ScreenBitsPerPixel() const { return 0; }
  virtual void SetAlphaLevel(int) {}

 private:
  int left_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// What tells the user that a refresh runs and when the data was read: the
// cursor, the Refresh item, the tray picture and hint. The base shows nothing.
class RefreshFeedback {
 public:
  virtual ~RefreshFeedback() = default;
  virtual void SetBusyCursor(bool) {}
  virtual void SetRefreshEnabled(bool) {}
  virtual void SetTrayPicture(int) {}
  virtual void SetTrayHint(const std::string&) {}
  // Files of the store that could not be read (each changed file once; the
  // rest of the store is shown): the window shows them in its error box
  // without holding the refresh up, the modes without a window on standard
  // error.
  virtual void ReportReadProblems(const std::vector<std::string>&) {}
};

// The main window, as a refresh drives it; as it is, a window never shown.
class RefreshWindow : public RefreshGeometry, public RefreshFeedback {};

// The display label, as a refresh fills and measures it.
class RefreshLabel {
 public:
  virtual ~RefreshLabel() = default;
  virtual int FontPointSize() const = 0;
  virtual void SetIgnoreClearType(bool ignore) = 0;
  // Links take the label's own font colour, so they look like the rest.
  virtual void SetLinkColorToFontColor() = 0;
  virtual void ClearLines() = 0;
  virtual void AddLine(std::string line) = 0;
  // Width and height of the markup as a label sized to fit it would take.
  virtual void MeasureLines(int& width, int& height) = 0;
  // Height of a text in the label's font.
  virtual int TextHeight(const std::string& text) = 0;
};

struct RefreshServices {
  TOutlookApplication& session;
  const Settings& settings;
  const TLanguage& language;
  const FormatSettings& formats;
  std::function<AutomationDate()> clock;
};

// The hint after every refresh that ran: "Lumivane", a line break, then
// "Last Outlook data received at " and the date and time.
std::string LastReadHint(AutomationDate now, const FormatSettings& formats);
// The same with a last line counting the calendar files that could not be
// read (none: no line).
std::string LastReadHint(AutomationDate now, const FormatSettings& formats,
                         std::size_t unreadFiles);

// Runs one refresh. Returns false when it was held back by the full-screen
// rule (nothing changed). An error of one appointment is swallowed; any
// other error ends the refresh after its clean-up and is thrown on.
bool RefreshDisplay(RefreshWindow& window, RefreshLabel& label, const RefreshServices& services);

// The last line of a display cut to the window's height.
std::string HiddenItemsLine(int hiddenItems);
// The largest count in 1..total for which `fits` holds, `fits` being true up
// to some count and false beyond; 1 when none fits. Starts near `estimate` and
// widens its steps from there, so a cut near the estimate costs few probes.
int LargestFittingCount(int total, int estimate, const std::function<bool(int)>& fits);

// The one line the display shows after a refresh that failed, in its own
// font and colours: the calendar could not be read, where it is, and that
// the tray hint tells why.
std::string RefreshFailureLine(const std::string& storePath);
// Puts that line into the label and sizes the window to it, as a refresh
// sizes it.
void ShowRefreshFailure(RefreshWindow& window, RefreshLabel& label, const Settings& settings,
                        const std::string& storePath);

}  // namespace lumivane
