// Date pictures: day, month, year, time and weekday tokens over a serial date.
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/dates.h"
#include "base/format_parts.h"
#include "base/locale_settings.h"

namespace orvo {

namespace {

struct DateToken {
  enum Kind { Day, Month, Minute, Year, Hour, Second, Week, Quarter, AmPm, General, Literal };
  Kind kind;
  int count = 0;     // the token's length: "dd" 2, "mmm" 3
  std::string text;  // Literal: the text; AmPm: the picture as written ("AM/PM", "a/p")
};

int Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? c + 32 : static_cast<unsigned char>(c);
}

bool MatchesNoCase(std::string_view s, size_t at, std::string_view what) {
  if (s.size() - at < what.size()) return false;
  for (size_t k = 0; k < what.size(); ++k) {
    if (Lower(s[at + k]) != what[k]) return false;
  }
  return true;
}

// Runs longer than a token split greedily: "yyy" is "yy" then "y", as the classic reads it.
void PushRun(std::vector<DateToken>& out, DateToken::Kind kind, size_t run,
             std::initializer_list<int> sizes) {
  while (run > 0) {
    for (int size : sizes) {
      if (run >= static_cast<size_t>(size)) {
        out.push_back({kind, size, {}});
        run -= static_cast<size_t>(size);
        break;
      }
    }
  }
}

std::vector<DateToken> Tokenize(std::string_view p) {
  std::vector<DateToken> out;
  size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    const int lc = Lower(c);
    if (c == '"') {
      const auto end = p.find('"', i + 1);
      const auto stop = end == std::string_view::npos ? p.size() : end;
      out.push_back({DateToken::Literal, 0, std::string(p.substr(i + 1, stop - i - 1))});
      i = stop + 1;
      continue;
    }
    if (c == '\\') {
      if (i + 1 < p.size()) out.push_back({DateToken::Literal, 0, std::string(1, p[i + 1])});
      i += 2;
      continue;
    }
    if (MatchesNoCase(p, i, "am/pm") || MatchesNoCase(p, i, "a/p")) {
      const size_t len = Lower(p[i + 1]) == 'm' ? 5 : 3;
      out.push_back({DateToken::AmPm, 0, std::string(p.substr(i, len))});
      i += len;
      continue;
    }
    size_t run = 1;
    while (i + run < p.size() && Lower(p[i + run]) == lc) ++run;
    switch (lc) {
      case 'd':
        PushRun(out, DateToken::Day, run, {6, 5, 4, 3, 2, 1});
        break;
      case 'm':
        PushRun(out, DateToken::Month, run, {4, 3, 2, 1});
        break;
      case 'y':
        PushRun(out, DateToken::Year, run, {4, 2, 1});
        break;
      case 'h':
        PushRun(out, DateToken::Hour, run, {2, 1});
        break;
      case 'n':
        PushRun(out, DateToken::Minute, run, {2, 1});
        break;
      case 's':
        PushRun(out, DateToken::Second, run, {2, 1});
        break;
      case 'w':
        PushRun(out, DateToken::Week, run, {2, 1});
        break;
      case 'q':
        PushRun(out, DateToken::Quarter, run, {1});
        break;
      case 'c':
        PushRun(out, DateToken::General, run, {1});
        break;
      default:
        out.push_back({DateToken::Literal, 0, std::string(p.substr(i, run))});
    }
    i += run;
  }
  // "m"/"mm" right after an hour or right before a second is the minute ("hh:mm", "mm:ss").
  auto neighbour = [&out](size_t k, int step) -> const DateToken* {
    for (auto j = static_cast<std::ptrdiff_t>(k) + step;
         j >= 0 && j < static_cast<std::ptrdiff_t>(out.size()); j += step) {
      if (out[j].kind != DateToken::Literal) return &out[j];
    }
    return nullptr;
  };
  for (size_t k = 0; k < out.size(); ++k) {
    if (out[k].kind != DateToken::Month || out[k].count > 2) continue;
    const DateToken* before = neighbour(k, -1);
    const DateToken* after = neighbour(k, +1);
    if ((before && before->kind == DateToken::Hour) ||
        (after && after->kind == DateToken::Second)) {
      out[k].kind = DateToken::Minute;
    }
  }
  return out;
}

std::string Number(int v, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, v);
  return buf;
}

int DayOfYear(const DateParts& p) {
  int n = p.day;
  for (int m = 1; m < p.month; ++m) n += DaysInMonth(p.year, m);
  return n;
}

std::string Render(double serial, std::string_view picture, const LocaleSettings& loc, int depth);

// The short date, then the time when there is one; no date part prints the time alone.
std::string GeneralDate(double serial, const LocaleSettings& loc, int depth) {
  const DateParts p = SplitDate(serial);
  const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
  if (std::trunc(serial) == 0) return Render(serial, "hh:mm:ss", loc, depth);
  std::string out = Render(serial, loc.shortDateFormat, loc, depth);
  if (hasTime) out += " " + Render(serial, "hh:mm:ss", loc, depth);
  return out;
}

std::string Render(double serial, std::string_view picture, const LocaleSettings& loc, int depth) {
  const DateParts p = SplitDate(serial);
  const std::vector<DateToken> tokens = Tokenize(picture);
  bool twelveHour = false;
  for (const auto& t : tokens) twelveHour = twelveHour || t.kind == DateToken::AmPm;
  const int weekday = Weekday(serial);

  std::string out;
  for (const auto& t : tokens) {
    switch (t.kind) {
      case DateToken::Literal:
        out += t.text;
        break;
      case DateToken::Day:
        if (t.count <= 2)
          out += Number(p.day, t.count);
        else if (t.count == 3)
          out += loc.weekdayAbbrevs[weekday - 1];
        else if (t.count == 4)
          out += loc.weekdayNames[weekday - 1];
        // The short and long date formats may not name themselves again: depth stops that.
        else if (depth < 2) {
          out += Render(serial, t.count == 5 ? loc.shortDateFormat : loc.longDateFormat, loc,
                        depth + 1);
        }
        break;
      case DateToken::Month:
        if (t.count <= 2)
          out += Number(p.month, t.count);
        else if (t.count == 3)
          out += loc.monthAbbrevs[p.month - 1];
        else
          out += loc.monthNames[p.month - 1];
        break;
      case DateToken::Year:
        if (t.count == 1)
          out += std::to_string(DayOfYear(p));
        else if (t.count == 2)
          out += Number(p.year % 100, 2);
        else
          out += std::to_string(p.year);
        break;
      case DateToken::Hour: {
        int h = p.hour;
        if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
        out += Number(h, t.count);
        break;
      }
      case DateToken::Minute:
        out += Number(p.minute, t.count);
        break;
      case DateToken::Second:
        out += Number(p.second, t.count);
        break;
      case DateToken::Week:
        if (t.count == 1) {
          out += std::to_string(weekday);
        } else {
          // Week of the year counted from the week holding 1 January, Sunday first.
          const int jan1 = Weekday(DateSerial(p.year, 1, 1));
          out += std::to_string((DayOfYear(p) - 1 + jan1 - 1) / 7 + 1);
        }
        break;
      case DateToken::Quarter:
        out += std::to_string((p.month - 1) / 3 + 1);
        break;
      case DateToken::AmPm: {
        const bool pm = p.hour >= 12;
        if (t.text.size() == 5)
          out += t.text.substr(pm ? 3 : 0, 2);
        else
          out += t.text[pm ? 2 : 0];
        break;
      }
      case DateToken::General:
        if (depth < 2) out += GeneralDate(serial, loc, depth + 1);
        break;
    }
  }
  return out;
}

}  // namespace

std::string FormatDate(double serial, std::string_view picture, const LocaleSettings& loc) {
  return Render(serial, picture, loc, 0);
}

std::string DateToText(double serial, const LocaleSettings& loc) {
  return GeneralDate(serial, loc, 0);
}

bool IsDatePicture(std::string_view picture) {
  bool hasDateToken = false;
  for (size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c == '"') {
      const auto end = picture.find('"', i + 1);
      if (end == std::string_view::npos) break;
      i = end;
    } else if (c == '\\') {
      ++i;
    } else if (c == '0' || c == '#') {
      return false;
    } else {
      switch (Lower(c)) {
        case 'd':
        case 'm':
        case 'y':
        case 'h':
        case 'n':
        case 's':
        case 'w':
        case 'q':
          hasDateToken = true;
          break;
        default:
          break;
      }
    }
  }
  return hasDateToken;
}

}  // namespace orvo
