// Reading date and time texts under the locale's date order, as the classic CDate/IsDate do.
#include <cstdint>
#include <vector>

#include "base/dates.h"
#include "base/locale_settings.h"
#include "base/strings.h"

namespace orvo {

namespace {

struct DateWord {
  enum Kind { Number, Word, Separator, Blank } kind;
  std::string text;
  int value = 0;  // Number
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\xA0';
}
bool IsLetter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= 192 && u != 215 && u != 247);
}

// Numbers longer than 9 digits are no part of any date: they fail the reading.
bool Split(std::string_view s, std::vector<DateWord>& out) {
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    size_t j = i + 1;
    if (IsDigit(c)) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      if (j - i > 9) return false;
      out.push_back({DateWord::Number, std::string(s.substr(i, j - i)), 0});
      for (char d : out.back().text) out.back().value = out.back().value * 10 + (d - '0');
    } else if (IsLetter(c)) {
      // A hyphen between letters belongs to the word: "quarta-feira".
      while (j < s.size() &&
             (IsLetter(s[j]) || (s[j] == '-' && j + 1 < s.size() && IsLetter(s[j + 1])))) {
        ++j;
      }
      out.push_back({DateWord::Word, UCase(s.substr(i, j - i)), 0});
    } else if (IsBlank(c)) {
      while (j < s.size() && IsBlank(s[j])) ++j;
      out.push_back({DateWord::Blank, " ", 0});
    } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ':') {
      out.push_back({DateWord::Separator, std::string(1, c), 0});
    } else {
      return false;
    }
    i = j;
  }
  return true;
}

// 1..12 for a month name or abbreviation of the locale (any case), else 0.
int MonthOfWord(const std::string& upper, const LocaleSettings& loc) {
  for (int m = 0; m < 12; ++m) {
    if (upper == UCase(loc.monthNames[m]) || upper == UCase(loc.monthAbbrevs[m])) return m + 1;
  }
  return 0;
}

// The words the locale's long date format writes as literals ("de" in "25 de dezembro de
// 2024"): the reader passes over them so that a long date reads back.
bool IsFillerWord(const std::string& upper, const LocaleSettings& loc) {
  const std::string& p = loc.longDateFormat;
  for (size_t i = 0; i < p.size(); ++i) {
    std::string literal;
    if (p[i] == '"') {
      const auto end = p.find('"', i + 1);
      if (end == std::string::npos) break;
      literal = p.substr(i + 1, end - i - 1);
      i = end;
    } else if (p[i] == '\\') {
      while (i + 1 < p.size() && p[i] == '\\' && IsLetter(p[i + 1])) {
        literal += p[i + 1];
        i += 2;
      }
      if (!literal.empty()) --i;  // the loop stands on the next character already
    }
    size_t k = 0;
    while (k < literal.size()) {
      size_t e = k;
      while (e < literal.size() && IsLetter(literal[e])) ++e;
      if (e > k && UCase(std::string_view(literal).substr(k, e - k)) == upper) return true;
      k = e + 1;
    }
  }
  return false;
}

bool IsWeekdayWord(const std::string& upper, const LocaleSettings& loc) {
  for (int d = 0; d < 7; ++d) {
    if (upper == UCase(loc.weekdayNames[d]) || upper == UCase(loc.weekdayAbbrevs[d])) return true;
  }
  return false;
}

// Takes "h:m[:s] [AM|PM]" out of the words when it stands at their start or end.
// Returns false when there is a time that cannot be read; `seconds` -1 when no time.
bool TakeTime(std::vector<DateWord>& w, int& seconds) {
  seconds = -1;
  size_t colon = 0;
  while (colon < w.size() && !(w[colon].kind == DateWord::Separator && w[colon].text == ":")) {
    ++colon;
  }
  if (colon == w.size()) return true;
  if (colon == 0 || w[colon - 1].kind != DateWord::Number) return false;
  const size_t first = colon - 1;
  size_t end = first;
  int parts[3] = {0, 0, 0};
  int count = 0;
  while (true) {
    if (end >= w.size() || w[end].kind != DateWord::Number || count == 3) return false;
    parts[count++] = w[end].value;
    ++end;
    if (end < w.size() && w[end].kind == DateWord::Separator && w[end].text == ":") {
      ++end;
      continue;
    }
    break;
  }
  if (count < 2) return false;
  // An AM/PM marker may follow, with or without a blank.
  size_t after = end;
  if (after < w.size() && w[after].kind == DateWord::Blank) ++after;
  int hour = parts[0];
  if (after < w.size() && w[after].kind == DateWord::Word &&
      (w[after].text == "AM" || w[after].text == "PM")) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (w[after].text == "PM" ? 12 : 0);
    end = after + 1;
  }
  if (hour > 23 || parts[1] > 59 || parts[2] > 59) return false;
  // The time must be the first or the last thing in the text, apart from blanks.
  auto onlyBlanks = [&w](size_t from, size_t to) {
    for (size_t k = from; k < to; ++k) {
      if (w[k].kind != DateWord::Blank) return false;
    }
    return true;
  };
  if (!onlyBlanks(0, first) && !onlyBlanks(end, w.size())) return false;
  const bool blankBefore = first == 0 || w[first - 1].kind == DateWord::Blank;
  const bool blankAfter = end == w.size() || w[end].kind == DateWord::Blank;
  if (!blankBefore || !blankAfter) return false;
  w.erase(w.begin() + static_cast<std::ptrdiff_t>(first),
          w.begin() + static_cast<std::ptrdiff_t>(end));
  seconds = hour * 3600 + parts[1] * 60 + parts[2];
  return true;
}

int FullYear(const DateWord& w) {
  // One- and two-digit years follow the classic window: 00-29 are 20xx, 30-99 are 19xx.
  if (w.text.size() <= 2) return w.value < 30 ? 2000 + w.value : 1900 + w.value;
  return w.value;
}

bool LooksLikeYear(const DateWord& w) {
  return w.text.size() >= 3 || w.value > 31;
}

// The date elements (numbers and one month name) with the separators between them checked:
// at most one of "/-.," between two elements, blanks around it free; a comma only next to a
// month name ("dez 25, 2024").
bool TakeDate(const std::vector<DateWord>& w, const LocaleSettings& loc, int& year, int& month,
              int& day) {
  std::vector<const DateWord*> elements;
  int monthWord = -1;
  bool weekdayAllowed = true;
  int punct = 0;
  bool sawComma = false;
  for (const auto& x : w) {
    if (x.kind == DateWord::Blank) continue;
    if (x.kind == DateWord::Separator) {
      if (x.text == ":") return false;                                     // a second time
      if (elements.empty() && !weekdayAllowed && x.text == ",") continue;  // "qua, 25/12"
      if (elements.empty() || ++punct > 1) return false;
      sawComma = sawComma || x.text == ",";
      continue;
    }
    if (x.kind == DateWord::Word) {
      if (elements.empty() && weekdayAllowed && IsWeekdayWord(x.text, loc)) {
        weekdayAllowed = false;
        continue;
      }
      if (!elements.empty() && IsFillerWord(x.text, loc)) continue;
      const int m = MonthOfWord(x.text, loc);
      if (m == 0 || monthWord >= 0) return false;
      monthWord = static_cast<int>(elements.size());
    }
    weekdayAllowed = false;
    punct = 0;
    elements.push_back(&x);
  }
  if (punct > 0 || elements.size() < 2 || elements.size() > 3) return false;
  if (sawComma && monthWord < 0) return false;

  std::vector<const DateWord*> numbers;
  for (const auto* e : elements) {
    if (e->kind == DateWord::Number) numbers.push_back(e);
  }
  if (monthWord >= 0) {
    month = MonthOfWord(elements[static_cast<size_t>(monthWord)]->text, loc);
    if (numbers.size() == 1) {
      // "dez/2024" is the month of a year; "25/dez" a day of this year.
      if (LooksLikeYear(*numbers[0])) {
        year = FullYear(*numbers[0]);
        day = 1;
      } else {
        year = CurrentYear();
        day = numbers[0]->value;
      }
      return true;
    }
    const bool yearFirst = LooksLikeYear(*numbers[0]) && !LooksLikeYear(*numbers[1]);
    day = yearFirst ? numbers[1]->value : numbers[0]->value;
    year = FullYear(yearFirst ? *numbers[0] : *numbers[1]);
    return true;
  }
  const bool dayFirst = loc.dateOrder == DateOrder::DayMonthYear;
  if (numbers.size() == 2) {
    if (LooksLikeYear(*numbers[0])) return false;
    if (LooksLikeYear(*numbers[1])) {  // "12/2024": the first of the month
      month = numbers[0]->value;
      year = FullYear(*numbers[1]);
      day = 1;
      return true;
    }
    // "25/12": a day of this year, in the locale's order (with the same swap as below).
    year = CurrentYear();
    day = dayFirst ? numbers[0]->value : numbers[1]->value;
    month = dayFirst ? numbers[1]->value : numbers[0]->value;
    if (!IsValidDate(year, month, day) && IsValidDate(year, day, month)) std::swap(day, month);
    return true;
  }
  if (LooksLikeYear(*numbers[0])) {  // "2024-12-25"
    year = FullYear(*numbers[0]);
    month = numbers[1]->value;
    day = numbers[2]->value;
    return true;
  }
  day = dayFirst ? numbers[0]->value : numbers[1]->value;
  month = dayFirst ? numbers[1]->value : numbers[0]->value;
  year = FullYear(*numbers[2]);
  // Like the classic reading, a day and month that only make sense the other way round are
  // swapped: "25/12/2024" is 25 December under month-first too. 31/02 stays no date.
  if (!IsValidDate(year, month, day) && IsValidDate(year, day, month)) std::swap(day, month);
  return true;
}

}  // namespace

std::optional<double> ParseDateText(const std::string& text, const LocaleSettings& loc) {
  std::vector<DateWord> words;
  if (!Split(text, words)) return std::nullopt;
  int seconds = -1;
  if (!TakeTime(words, seconds)) return std::nullopt;
  bool anything = false;
  for (const auto& w : words) anything = anything || w.kind != DateWord::Blank;
  const double time = seconds < 0 ? 0 : seconds / 86400.0;
  if (!anything) {
    if (seconds < 0) return std::nullopt;
    return time;
  }
  int year = 0, month = 0, day = 0;
  if (!TakeDate(words, loc, year, month, day) || !IsValidDate(year, month, day)) {
    return std::nullopt;
  }
  const double days = DateSerial(year, month, day);
  return days < 0 ? days - time : days + time;
}

}  // namespace orvo
