#pragma once
// The display composer's first worked example, one markup line per entry:
// what the composer must write, and what the engine, the label and the
// showcase draw.
#include <string>
#include <vector>

namespace lumivane::test {

inline const std::vector<std::string>& FirstWorkedExampleLines() {
  static const std::vector<std::string> lines = {
      "<P align=\"left\">",
      "<IMG src=\"idx:1\" align=\"middle\" > <a "
      "href=\"Calendar\"><U><B>Calendar</B></U></a><BR></a>",
      "<b>Today </b><BR>",
      "  <font size=\"7\">09:30 - </font>Team &lt;sync&gt; (Room 4) <BR>",
      "<br></a>",
      "<IMG src=\"idx:0\" align=\"middle\"> <a href=\"Tasks\"><U><B>Tasks</B></U></a><BR></a>",
      "<IMG src=\"idx:2\" align=\"middle\"> Call Bob<br>",
      "<br>",
  };
  return lines;
}

inline std::string FirstWorkedExample() {
  std::string text;
  for (const std::string& line : FirstWorkedExampleLines()) text += line;
  return text;
}

}  // namespace lumivane::test
