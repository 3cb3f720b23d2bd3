#pragma once
// The modes without a window: one refresh's markup, the same as plain text,
// a picture of the display, and a sample store. They read the settings and
// the store like the window does, change nothing, and report an error on
// standard error with exit status 1.
#include <string>

#include "app/CommandLine.h"

namespace lumivane {

struct HeadlessContext {
  std::string programFolder;
};

int RunHeadless(const CommandLine& line, const HeadlessContext& context, int argc, char** argv);

// A markup line as one output line: a line break inside it becomes a blank.
std::string MarkupOutputLine(std::string line);
// The plain text of the display: tags gone, the entities &lt; &gt; &amp; and
// &nbsp; decoded, LF line ends, no blanks at line ends.
std::string DisplayPlainText(const std::string& markup);

}  // namespace lumivane
