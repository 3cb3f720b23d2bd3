#include "platform/LocaleFormats.h"

#include <vector>

namespace lumivane {
namespace {

struct QtToken {
  char letter = 0;  // 0 for literal text
  int count = 0;
  std::string text;  // literal text
};

bool IsQtFieldLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 'z' || c == 'a' || c == 'A' || c == 't';
}

// Qt's pattern grammar: runs of a field letter; text in single quotes
// verbatim, "''" being one quote; any other character literal.
std::vector<QtToken> TokenizeQt(std::string_view p) {
  std::vector<QtToken> tokens;
  auto literal = [&](std::string_view s) {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back({});
    tokens.back().text += s;
  };
  size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    if (c == '\'') {
      if (i + 1 < p.size() && p[i + 1] == '\'') {
        literal("'");
        i += 2;
        continue;
      }
      ++i;
      while (i < p.size()) {
        if (p[i] == '\'') {
          if (i + 1 < p.size() && p[i + 1] == '\'') {
            literal("'");
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        literal(p.substr(i, 1));
        ++i;
      }
      continue;
    }
    if (IsQtFieldLetter(c)) {
      int run = 1;
      // "AP" and "ap" are one field.
      if ((c == 'A' || c == 'a') && i + 1 < p.size() && (p[i + 1] == 'P' || p[i + 1] == 'p')) {
        tokens.push_back({'A', 1, {}});
        i += 2;
        continue;
      }
      while (i + static_cast<size_t>(run) < p.size() && p[i + static_cast<size_t>(run)] == c) ++run;
      tokens.push_back({c == 'a' ? 'A' : c, run, {}});
      i += static_cast<size_t>(run);
      continue;
    }
    literal(p.substr(i, 1));
    ++i;
  }
  return tokens;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

// Drops the time-zone field with the blank before it, and brackets that
// only enclosed it ("H:mm:ss (t)").
void DropTimeZone(std::vector<QtToken>& tokens) {
  for (size_t i = 0; i < tokens.size();) {
    if (tokens[i].letter != 't') {
      ++i;
      continue;
    }
    std::string* before = i > 0 && tokens[i - 1].letter == 0 ? &tokens[i - 1].text : nullptr;
    std::string* after =
        i + 1 < tokens.size() && tokens[i + 1].letter == 0 ? &tokens[i + 1].text : nullptr;
    if (before && after && before->ends_with('(') && after->starts_with(')')) {
      before->pop_back();
      after->erase(0, 1);
    }
    if (before && !before->empty() && IsBlank(before->back())) {
      before->pop_back();
    } else if (i == 0 && after && !after->empty() && IsBlank(after->front())) {
      // At the start of the pattern the blank after the field goes instead.
      after->erase(0, 1);
    }
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i));
  }
  std::erase_if(tokens, [](const QtToken& t) { return t.letter == 0 && t.text.empty(); });
}

// Literal text in our pattern letters: quoted when it holds a character
// that would otherwise be read as a field or a separator.
std::string QuoteLiteral(std::string_view text) {
  bool needsQuotes = false;
  for (const char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == ':' || c == '"' ||
        c == '\'') {
      needsQuotes = true;
    }
  }
  if (!needsQuotes) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') {
      out += "\"'\"'\"";  // close, a quote inside single quotes, reopen
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string FieldInOurLetters(const QtToken& t) {
  const auto repeat = [](char c, int n) { return std::string(static_cast<size_t>(n), c); };
  switch (t.letter) {
    case 'd':
      return repeat('d', std::min(t.count, 4));
    case 'M':
      return repeat('m', std::min(t.count, 4));
    case 'y':
      // Filter dates must read back unambiguously: always four digits.
      return "yyyy";
    case 'h':
    case 'H':
      return repeat('h', std::min(t.count, 2));
    case 'm':
      return repeat('n', std::min(t.count, 2));
    case 's':
      return repeat('s', std::min(t.count, 2));
    case 'A':
      return "ampm";
    default:
      // Milliseconds have no place in the program's texts.
      return {};
  }
}

}  // namespace

std::string QtPatternSeparator(std::string_view qtPattern) {
  // The designator and the time zone stand apart from the numbers ("AP h:mm").
  const auto isNumberField = [](const QtToken& t) {
    return t.letter != 0 && t.letter != 'A' && t.letter != 't';
  };
  const std::vector<QtToken> tokens = TokenizeQt(qtPattern);
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (!isNumberField(tokens[i])) continue;
    if (isNumberField(tokens[i + 1])) return {};
    if (i + 2 < tokens.size() && tokens[i + 1].letter == 0 && isNumberField(tokens[i + 2])) {
      return TrimBlanks(tokens[i + 1].text);
    }
  }
  return {};
}

std::string ConvertQtPattern(std::string_view qtPattern, std::string_view separator,
                             char separatorLetter) {
  std::vector<QtToken> tokens = TokenizeQt(qtPattern);
  DropTimeZone(tokens);
  std::string out;
  for (const QtToken& t : tokens) {
    if (t.letter != 0) {
      out += FieldInOurLetters(t);
      continue;
    }
    std::string_view text = t.text;
    if (separator.empty()) {
      out += QuoteLiteral(text);
      continue;
    }
    for (size_t at; (at = text.find(separator)) != std::string_view::npos;) {
      out += QuoteLiteral(text.substr(0, at));
      out += separatorLetter;
      text.remove_prefix(at + separator.size());
    }
    out += QuoteLiteral(text);
  }
  return out;
}

FormatSettings FormatSettingsFromLocale(const QLocale& locale) {
  FormatSettings fs;
  for (int i = 0; i < 12; ++i) {
    fs.longMonthNames[static_cast<size_t>(i)] =
        locale.monthName(i + 1, QLocale::LongFormat).toStdString();
    fs.shortMonthNames[static_cast<size_t>(i)] =
        locale.monthName(i + 1, QLocale::ShortFormat).toStdString();
  }
  // Qt counts the weekdays from Monday (1) to Sunday (7); ours start on Sunday.
  for (int i = 0; i < 7; ++i) {
    const int qtDay = i == 0 ? 7 : i;
    fs.longDayNames[static_cast<size_t>(i)] =
        locale.dayName(qtDay, QLocale::LongFormat).toStdString();
    fs.shortDayNames[static_cast<size_t>(i)] =
        locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
  }
  fs.timeAMString = locale.amText().toStdString();
  fs.timePMString = locale.pmText().toStdString();

  if (locale.language() == QLocale::C) {
    // The C/POSIX locale: ISO forms, which every reader understands.
    fs.shortDateFormat = "yyyy-mm-dd";
    fs.shortTimeFormat = "hh:nn";
    fs.longTimeFormat = "hh:nn:ss";
    fs.dateSeparator = "-";
    fs.timeSeparator = ":";
    return fs;
  }

  const std::string shortDate = locale.dateFormat(QLocale::ShortFormat).toStdString();
  const std::string shortTime = locale.timeFormat(QLocale::ShortFormat).toStdString();
  const std::string longTime = locale.timeFormat(QLocale::LongFormat).toStdString();
  fs.dateSeparator = QtPatternSeparator(shortDate);
  fs.timeSeparator = QtPatternSeparator(shortTime);
  fs.shortDateFormat = ConvertQtPattern(shortDate, fs.dateSeparator, '/');
  fs.shortTimeFormat = ConvertQtPattern(shortTime, fs.timeSeparator, ':');
  fs.longTimeFormat = ConvertQtPattern(longTime, fs.timeSeparator, ':');
  return fs;
}

FormatSettings SystemFormatSettings() {
  return FormatSettingsFromLocale(QLocale::system());
}

}  // namespace lumivane
