#include "outlook/ical/IcalTextScreen.h"

#include <vector>

#include "base/AsciiCase.h"

namespace lumivane::ical {
namespace {

struct Range {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// One property line with its folded continuations; `blanks` are the blank
// lines found between the line and a continuation (to be dropped).
struct LogicalLine {
  Range whole;
  std::vector<Range> blanks;
};

bool IsContinuation(std::string_view text, std::size_t pos) {
  return pos < text.size() && (text[pos] == ' ' || text[pos] == '\t');
}

// The end of the physical line at pos, after its line feed.
std::size_t LineEnd(std::string_view text, std::size_t pos) {
  const std::size_t eol = text.find('\n', pos);
  return eol == std::string_view::npos ? text.size() : eol + 1;
}

bool IsBlankLine(std::string_view text, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] != '\r' && text[i] != '\n') return false;
  }
  return true;
}

template <typename Visit>
void ForEachLogicalLine(std::string_view text, Visit visit) {
  LogicalLine line;
  for (std::size_t pos = 0; pos < text.size();) {
    line.whole = {pos, LineEnd(text, pos)};
    line.blanks.clear();
    // A blank line takes no continuation (and does not look ahead, so a run
    // of blank lines is read once).
    const bool blank = IsBlankLine(text, line.whole.begin, line.whole.end);
    while (!blank) {
      const std::size_t next = line.whole.end;
      if (IsContinuation(text, next)) {
        line.whole.end = LineEnd(text, next);
        continue;
      }
      // Blank lines and then a continuation: the continuation belongs here.
      std::size_t after = next;
      while (after < text.size() && IsBlankLine(text, after, LineEnd(text, after))) {
        after = LineEnd(text, after);
      }
      if (after == next || !IsContinuation(text, after)) break;
      line.blanks.push_back({next, after});
      line.whole.end = LineEnd(text, after);
    }
    visit(line);
    pos = line.whole.end;
  }
}

// The property line without its folds and blank lines.
std::string Unfolded(std::string_view text, const LogicalLine& line) {
  std::string out;
  std::size_t blank = 0;
  for (std::size_t i = line.whole.begin; i < line.whole.end;) {
    if (blank < line.blanks.size() && i == line.blanks[blank].begin) {
      i = line.blanks[blank++].end;
      continue;
    }
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    // The first blank of a continuation line is the fold's.
    if ((c == ' ' || c == '\t') && i > line.whole.begin && text[i - 1] == '\n') {
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

// Where the value starts: after the first colon outside double quotes.
std::size_t ValueStart(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (!quoted && line[i] == ':') return i + 1;
  }
  return std::string_view::npos;
}

bool IsDateList(std::string_view text, const LogicalLine& line) {
  const std::string_view start = text.substr(line.whole.begin, 7);
  const auto named = [&](std::string_view name) {
    return start.size() > name.size() && SameTextAscii(start.substr(0, name.size()), name) &&
           (start[name.size()] == ';' || start[name.size()] == ':');
  };
  if (!named("RDATE") && !named("EXDATE")) return false;
  return text.substr(line.whole.begin, line.whole.end - line.whole.begin).find(',') !=
         std::string_view::npos;
}

// One line per value of an RDATE or EXDATE list; empty when it is no list.
std::string SplitDateList(const std::string& line) {
  const std::size_t valueStart = ValueStart(line);
  if (valueStart == std::string::npos) return {};
  const std::string_view head = std::string_view(line).substr(0, valueStart);
  std::string_view values = std::string_view(line).substr(valueStart);
  if (values.find(',') == std::string_view::npos) return {};
  std::string out;
  while (!values.empty()) {
    const std::size_t comma = values.find(',');
    const std::string_view value = values.substr(0, comma);
    if (!value.empty()) {
      out += head;
      out += value;
      out += "\r\n";
    }
    if (comma == std::string_view::npos) break;
    values.remove_prefix(comma + 1);
  }
  return out;
}

}  // namespace

bool WithinTextLimits(std::string_view text, const TextLimits& limits) {
  std::size_t properties = 0;
  bool within = true;
  ForEachLogicalLine(text, [&](const LogicalLine& line) {
    if (!within || IsBlankLine(text, line.whole.begin, line.whole.end)) return;
    if (line.whole.end - line.whole.begin > limits.lineBytes ||
        ++properties > limits.propertiesPerComponent) {
      within = false;
      return;
    }
    // Parameters: the semicolons before the value, outside quotes.
    std::size_t parameters = 0;
    bool quoted = false;
    for (std::size_t i = line.whole.begin; i < line.whole.end; ++i) {
      const char c = text[i];
      if (c == '"') quoted = !quoted;
      if (quoted) continue;
      if (c == ':') break;
      if (c == ';' && ++parameters > limits.parametersPerProperty) {
        within = false;
        return;
      }
    }
  });
  return within;
}

std::optional<std::string> TidyCalendarText(std::string_view text) {
  std::string out;
  bool changed = false;
  std::size_t copied = 0;
  ForEachLogicalLine(text, [&](const LogicalLine& line) {
    const bool list = IsDateList(text, line);
    if (line.blanks.empty() && !list) return;
    std::string unfolded = Unfolded(text, line);
    std::string replacement = list ? SplitDateList(unfolded) : std::string();
    if (replacement.empty()) replacement = std::move(unfolded) + "\r\n";
    out.append(text.substr(copied, line.whole.begin - copied));
    out += replacement;
    copied = line.whole.end;
    changed = true;
  });
  if (!changed) return std::nullopt;
  out.append(text.substr(copied));
  return out;
}

}  // namespace lumivane::ical
