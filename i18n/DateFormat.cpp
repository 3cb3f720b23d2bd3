#include "i18n/DateFormat.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

enum class Field {
  Literal,        // text copied as it is
  DateSeparator,  // "/"
  TimeSeparator,  // ":"
  Day,
  DayShortName,
  DayLongName,
  Month,
  MonthShortName,
  MonthLongName,
  Year2,
  Year4,
  Hour,
  Minute,
  Second,
  AmPmLetters,  // "am/pm" or "a/p", written in the pattern's own letter case
  AmPmLocale,   // "ampm": the locale's designators
};

struct Token {
  Field field = Field::Literal;
  bool padded = false;  // two digits
  std::string text;     // literal text, or the am/pm spelling of the pattern
};

// Splits a pattern into fields; letters are read without regard to case.
std::vector<Token> Tokenize(std::string_view p) {
  std::vector<Token> tokens;
  auto literal = [&](std::string_view s) {
    if (!tokens.empty() && tokens.back().field == Field::Literal) {
      tokens.back().text += s;
    } else {
      tokens.push_back({Field::Literal, false, std::string(s)});
    }
  };
  size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    const char lc = LowerAscii(c);
    if (c == '"' || c == '\'') {
      const size_t end = p.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? p.size() : end;
      literal(p.substr(i + 1, stop - i - 1));
      i = end == std::string_view::npos ? p.size() : end + 1;
      continue;
    }
    if (c == '/') {
      tokens.push_back({Field::DateSeparator, false, {}});
      ++i;
      continue;
    }
    if (c == ':') {
      tokens.push_back({Field::TimeSeparator, false, {}});
      ++i;
      continue;
    }
    if (lc == 'a') {
      if (StartsWithTextAscii(p.substr(i), "am/pm")) {
        tokens.push_back({Field::AmPmLetters, false, std::string(p.substr(i, 5))});
        i += 5;
        continue;
      }
      if (StartsWithTextAscii(p.substr(i), "a/p")) {
        tokens.push_back({Field::AmPmLetters, false, std::string(p.substr(i, 3))});
        i += 3;
        continue;
      }
      if (StartsWithTextAscii(p.substr(i), "ampm")) {
        tokens.push_back({Field::AmPmLocale, false, {}});
        i += 4;
        continue;
      }
    }
    if (lc == 'd' || lc == 'm' || lc == 'y' || lc == 'h' || lc == 'n' || lc == 's') {
      size_t run = 1;
      while (i + run < p.size() && LowerAscii(p[i + run]) == lc) ++run;
      i += run;
      Token t;
      t.padded = run >= 2;
      switch (lc) {
        case 'd':
          t.field = run >= 4 ? Field::DayLongName : run == 3 ? Field::DayShortName : Field::Day;
          break;
        case 'm':
          t.field = run >= 4   ? Field::MonthLongName
                    : run == 3 ? Field::MonthShortName
                               : Field::Month;
          break;
        case 'y':
          t.field = run <= 2 ? Field::Year2 : Field::Year4;
          break;
        case 'h':
          t.field = Field::Hour;
          break;
        case 'n':
          t.field = Field::Minute;
          break;
        default:
          t.field = Field::Second;
          break;
      }
      tokens.push_back(t);
      continue;
    }
    literal(p.substr(i, 1));
    ++i;
  }
  return tokens;
}

// A pattern's fields, and which parts of a date they write.
struct Pattern {
  std::vector<Token> tokens;
  bool twelveHours = false;  // an am/pm field counts the hours to 12
  bool writesDate = false;   // day, weekday, month or year
  bool writesTime = false;   // hour, minute, second or am/pm
};

Pattern ReadPattern(std::string_view text) {
  Pattern p;
  p.tokens = Tokenize(text);
  for (const Token& t : p.tokens) {
    switch (t.field) {
      case Field::Literal:
      case Field::DateSeparator:
      case Field::TimeSeparator:
        break;
      case Field::AmPmLetters:
      case Field::AmPmLocale:
        p.twelveHours = true;
        p.writesTime = true;
        break;
      case Field::Hour:
      case Field::Minute:
      case Field::Second:
        p.writesTime = true;
        break;
      default:
        p.writesDate = true;
        break;
    }
  }
  return p;
}

// The value with leading zeros up to `width` characters, sign included,
// added to `out` at once.
void AppendNumber(std::string& out, int value, int width) {
  char text[32];
  char* next = text;
  if (value < 0) *next++ = '-';
  char digits[16];
  const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const int length = static_cast<int>(end - digits) + (value < 0 ? 1 : 0);
  for (int zeros = std::min(width - length, 8); zeros > 0; --zeros) *next++ = '0';
  next = std::copy(digits, end, next);
  out.append(text, static_cast<std::size_t>(next - text));
}

// A refresh formats thousands of dates with the same two or three patterns.
const Pattern& PatternOf(std::string_view text) {
  thread_local std::vector<std::pair<std::string, Pattern>> recent;
  for (const auto& [known, pattern] : recent) {
    if (known == text) return pattern;
  }
  if (recent.size() >= 8) recent.erase(recent.begin());
  recent.emplace_back(std::string(text), ReadPattern(text));
  return recent.back().second;
}

// "am/pm" keeps the letter case the pattern used for each half.
std::string_view AmPmFromPattern(std::string_view spelling, bool pm) {
  const size_t slash = spelling.find('/');
  return pm ? spelling.substr(slash + 1) : spelling.substr(0, slash);
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, AutomationDate date,
                           const FormatSettings& fs) {
  std::string out;
  AppendDateTime(out, pattern, date, fs);
  return out;
}

void AppendDateTime(std::string& out, std::string_view pattern, AutomationDate date,
                    const FormatSettings& fs) {
  const Pattern& p = PatternOf(pattern);
  const bool twelve = p.twelveHours;
  // Only what the pattern writes is worked out: many patterns are times alone.
  const CivilDate c = p.writesDate ? DecodeDate(date) : CivilDate{};
  const int weekday = p.writesDate ? DayOfWeek(date) : 0;
  const TimeOfDay t = p.writesTime ? DecodeTime(date) : TimeOfDay{};
  for (const Token& tok : p.tokens) {
    switch (tok.field) {
      case Field::Literal:
        out += tok.text;
        break;
      case Field::DateSeparator:
        out += fs.dateSeparator;
        break;
      case Field::TimeSeparator:
        out += fs.timeSeparator;
        break;
      case Field::Day:
        AppendNumber(out, c.day, tok.padded ? 2 : 1);
        break;
      case Field::DayShortName:
        out += fs.shortDayNames[static_cast<size_t>(weekday)];
        break;
      case Field::DayLongName:
        out += fs.longDayNames[static_cast<size_t>(weekday)];
        break;
      case Field::Month:
        AppendNumber(out, c.month, tok.padded ? 2 : 1);
        break;
      case Field::MonthShortName:
        out += fs.shortMonthNames[static_cast<size_t>(c.month - 1)];
        break;
      case Field::MonthLongName:
        out += fs.longMonthNames[static_cast<size_t>(c.month - 1)];
        break;
      case Field::Year2:
        AppendNumber(out, c.year % 100, 2);
        break;
      case Field::Year4:
        AppendNumber(out, c.year, 4);
        break;
      case Field::Hour: {
        int h = t.hour;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        AppendNumber(out, h, tok.padded ? 2 : 1);
        break;
      }
      case Field::Minute:
        AppendNumber(out, t.minute, tok.padded ? 2 : 1);
        break;
      case Field::Second:
        AppendNumber(out, t.second, tok.padded ? 2 : 1);
        break;
      case Field::AmPmLetters:
        out += AmPmFromPattern(tok.text, t.hour >= 12);
        break;
      case Field::AmPmLocale:
        out += t.hour >= 12 ? fs.timePMString : fs.timeAMString;
        break;
    }
  }
}

namespace {

// Reads the text from left to right; every step either consumes what it
// expects or reports failure.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  std::string_view Rest() const { return text_.substr(pos_); }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }

  // Up to maxDigits digits, at least one.
  std::optional<int> Number(size_t maxDigits, size_t* count = nullptr) {
    size_t n = 0;
    int value = 0;
    while (n < maxDigits && pos_ + n < text_.size() && IsDigit(text_[pos_ + n])) {
      value = value * 10 + (text_[pos_ + n] - '0');
      ++n;
    }
    if (n == 0) return std::nullopt;
    pos_ += n;
    if (count) *count = n;
    return value;
  }

  // Blanks in the expected text match any run of blanks (also none); other
  // characters must match, ASCII letters without regard to case.
  bool Expect(std::string_view expected) {
    for (size_t i = 0; i < expected.size(); ++i) {
      if (IsBlank(expected[i])) {
        SkipBlanks();
        continue;
      }
      if (AtEnd() || LowerAscii(text_[pos_]) != LowerAscii(expected[i])) return false;
      ++pos_;
    }
    return true;
  }

  bool TryExpect(std::string_view expected) {
    if (expected.empty()) return false;
    const size_t saved = pos_;
    if (Expect(expected)) return true;
    pos_ = saved;
    return false;
  }

  // Index of the longest name the text starts with.
  template <size_t N>
  std::optional<int> Name(const std::array<std::string, N>& names) {
    std::optional<int> best;
    size_t bestLength = 0;
    for (size_t i = 0; i < N; ++i) {
      if (names[i].size() > bestLength && StartsWithTextAscii(Rest(), names[i])) {
        best = static_cast<int>(i);
        bestLength = names[i].size();
      }
    }
    if (best) pos_ += bestLength;
    return best;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// A two-digit year falls within fifty years either side of the current one.
int WidenYear(int twoDigits) {
  const auto today = std::chrono::year_month_day(
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
  const int current = static_cast<int>(today.year());
  int year = current - current % 100 + twoDigits;
  if (year > current + 49) year -= 100;
  if (year <= current - 51) year += 100;
  return year;
}

struct ParsedDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

std::optional<ParsedDate> ReadDate(Reader& r, const FormatSettings& fs) {
  ParsedDate d;
  bool haveDay = false, haveMonth = false, haveYear = false;
  for (const Token& tok : Tokenize(fs.shortDateFormat)) {
    switch (tok.field) {
      case Field::Literal:
        if (!r.Expect(tok.text)) return std::nullopt;
        break;
      case Field::DateSeparator:
        if (!r.Expect(fs.dateSeparator)) return std::nullopt;
        break;
      case Field::TimeSeparator:
        if (!r.Expect(fs.timeSeparator)) return std::nullopt;
        break;
      case Field::Day: {
        const auto v = r.Number(2);
        if (!v) return std::nullopt;
        d.day = *v;
        haveDay = true;
        break;
      }
      case Field::DayShortName:
      case Field::DayLongName:
        // The weekday follows from the date; it is read but not checked.
        if (!r.Name(fs.longDayNames) && !r.Name(fs.shortDayNames)) return std::nullopt;
        break;
      case Field::Month: {
        const auto v = r.Number(2);
        if (!v) return std::nullopt;
        d.month = *v;
        haveMonth = true;
        break;
      }
      case Field::MonthShortName:
      case Field::MonthLongName: {
        auto v = r.Name(fs.longMonthNames);
        if (!v) v = r.Name(fs.shortMonthNames);
        if (!v) return std::nullopt;
        d.month = *v + 1;
        haveMonth = true;
        break;
      }
      case Field::Year2:
      case Field::Year4: {
        size_t digits = 0;
        const auto v = r.Number(tok.field == Field::Year2 ? 2 : 4, &digits);
        if (!v) return std::nullopt;
        d.year = digits <= 2 ? WidenYear(*v) : *v;
        haveYear = true;
        break;
      }
      default:
        // A time field in the short date format is not something to read.
        return std::nullopt;
    }
  }
  if (!haveDay || !haveMonth || !haveYear) return std::nullopt;
  if (!IsValidCivilDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

// 0 for AM, 1 for PM, nullopt when the text does not start with a designator.
std::optional<int> ReadDesignator(Reader& r, const FormatSettings& fs) {
  // The locale's own designators first, then the English ones every locale understands.
  const std::string_view am[] = {fs.timeAMString, "AM", "A"};
  const std::string_view pm[] = {fs.timePMString, "PM", "P"};
  for (size_t i = 0; i < 3; ++i) {
    // The longer of the two first, should one start with the other.
    if (pm[i].size() >= am[i].size()) {
      if (r.TryExpect(pm[i])) return 1;
      if (r.TryExpect(am[i])) return 0;
    } else {
      if (r.TryExpect(am[i])) return 0;
      if (r.TryExpect(pm[i])) return 1;
    }
  }
  return std::nullopt;
}

bool ReadTimeSeparator(Reader& r, const FormatSettings& fs) {
  return r.TryExpect(fs.timeSeparator) || r.TryExpect(":");
}

struct ParsedTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::optional<int> designator;  // 0 AM, 1 PM
};

// The whole rest of the text read as the time pattern writes it.
std::optional<ParsedTime> ReadTimeByPattern(std::string_view text, std::string_view pattern,
                                            const FormatSettings& fs) {
  Reader r(text);
  ParsedTime t;
  bool haveHour = false, haveMinute = false;
  for (const Token& tok : Tokenize(pattern)) {
    switch (tok.field) {
      case Field::Literal:
        if (!r.Expect(tok.text)) return std::nullopt;
        break;
      case Field::TimeSeparator:
        if (!ReadTimeSeparator(r, fs)) return std::nullopt;
        break;
      case Field::Hour:
      case Field::Minute:
      case Field::Second: {
        const auto v = r.Number(2);
        if (!v) return std::nullopt;
        if (tok.field == Field::Hour) {
          t.hour = *v;
          haveHour = true;
        } else if (tok.field == Field::Minute) {
          t.minute = *v;
          haveMinute = true;
        } else {
          t.second = *v;
        }
        break;
      }
      case Field::AmPmLetters:
      case Field::AmPmLocale:
        t.designator = ReadDesignator(r, fs);
        if (!t.designator) return std::nullopt;
        break;
      default:
        // Date fields have no place in a time.
        return std::nullopt;
    }
  }
  r.SkipBlanks();
  if (!haveHour || !haveMinute || !r.AtEnd()) return std::nullopt;
  return t;
}

// Hours, minutes and optional seconds with the time separator or ":", a
// designator before or after: what a user types whatever the locale.
std::optional<ParsedTime> ReadAnyTime(std::string_view text, const FormatSettings& fs) {
  Reader r(text);
  ParsedTime t;
  t.designator = ReadDesignator(r, fs);
  r.SkipBlanks();
  const auto hour = r.Number(2);
  if (!hour || !ReadTimeSeparator(r, fs)) return std::nullopt;
  const auto minute = r.Number(2);
  if (!minute) return std::nullopt;
  t.hour = *hour;
  t.minute = *minute;
  if (ReadTimeSeparator(r, fs)) {
    const auto second = r.Number(2);
    if (!second) return std::nullopt;
    t.second = *second;
  }
  r.SkipBlanks();
  if (!t.designator) t.designator = ReadDesignator(r, fs);
  r.SkipBlanks();
  if (!r.AtEnd()) return std::nullopt;
  return t;
}

// The time of day as a fraction, or nullopt when out of range.
std::optional<TimeOfDay> CheckedTime(const ParsedTime& t) {
  int h = t.hour;
  if (t.designator) {
    if (h < 1 || h > 12) return std::nullopt;
    h = h % 12 + (*t.designator == 1 ? 12 : 0);
  } else if (h > 23) {
    return std::nullopt;
  }
  if (t.minute > 59 || t.second > 59) return std::nullopt;
  return TimeOfDay{h, t.minute, t.second, 0};
}

}  // namespace

std::optional<AutomationDate> ParseDateTime(std::string_view text, const FormatSettings& fs) {
  Reader r(text);
  r.SkipBlanks();
  const auto date = ReadDate(r, fs);
  if (!date) return std::nullopt;
  r.SkipBlanks();
  if (r.AtEnd()) return EncodeDate(date->year, date->month, date->day);

  const std::string_view rest = r.Rest();
  std::optional<ParsedTime> parsed = ReadTimeByPattern(rest, fs.longTimeFormat, fs);
  if (!parsed) parsed = ReadTimeByPattern(rest, fs.shortTimeFormat, fs);
  if (!parsed) parsed = ReadAnyTime(rest, fs);
  if (!parsed) return std::nullopt;
  const auto time = CheckedTime(*parsed);
  if (!time) return std::nullopt;
  return EncodeDateTime(date->year, date->month, date->day, time->hour, time->minute, time->second);
}

}  // namespace lumivane
