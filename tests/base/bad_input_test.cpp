// Hostile inputs: every character in texts and pictures, extreme numbers, random bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "base/dates.h"
#include "base/error.h"
#include "base/format.h"
#include "base/locale_settings.h"
#include "base/strings.h"

namespace orvo {
namespace {

const double kInf = std::numeric_limits<double>::infinity();

std::vector<Variant> ExtremeValues() {
  return {Variant(),
          Variant::Null(),
          Variant(std::nan("")),
          Variant(kInf),
          Variant(-kInf),
          Variant(std::numeric_limits<double>::max()),
          Variant(-std::numeric_limits<double>::max()),
          Variant(5e-324),
          Variant(-0.0),
          Variant(std::numeric_limits<float>::max()),
          Variant(int16_t{-32768}),
          Variant(int32_t{INT32_MIN}),
          Variant::Date(-657434),
          Variant::Date(2958465.99999),
          Variant::Date(std::nan("")),
          Variant::Date(1e300),
          Variant(true),
          Variant("25/12/2024 13:45"),
          Variant("-1.234,5e3")};
}

// Every conversion either answers or raises an orvo::Error; nothing else escapes.
void ConvertAll(const Variant& v, const LocaleSettings& loc) {
  auto guard = [](auto&& f) {
    try {
      f();
    } catch (const Error&) {
    }
  };
  guard([&] { ToText(v, loc); });
  guard([&] { ToDouble(v, loc); });
  guard([&] { ToInteger(v, loc); });
  guard([&] { ToLong(v, loc); });
  guard([&] { ToBoolean(v, loc); });
  guard([&] { ToDate(v, loc); });
  IsNumeric(v, loc);
  IsDate(v, loc);
}

const char* const kPictures[] = {"#,##0",      "####0.00", "0.",         "#,##0.00",
                                 "dd/mm/yyyy", "hh:mm:ss", "mmm/yyyy",   "Short Date",
                                 "0;(0);z",    "dddddd c", "#,##0,,,.%", "",
                                 "\"",         "\\",       ";;;;",       "ddddd"};

TEST(BadInput, ExtremeValuesUnderEveryPicture) {
  for (const auto& loc : {LocaleSettings::PtBR(), LocaleSettings::EnUS()}) {
    for (const Variant& v : ExtremeValues()) {
      ConvertAll(v, loc);
      for (const char* p : kPictures) EXPECT_NO_THROW(Format(v, p, loc)) << p;
    }
  }
}

TEST(BadInput, EveryCharacterInTextsAndPictures) {
  const LocaleSettings loc = LocaleSettings::PtBR();
  for (int code = 0; code < 256; ++code) {
    const char c = static_cast<char>(code);
    const std::string one(1, c);
    for (const std::string& text : {one, "1" + one + "2", one + "25/12/2024", "13:" + one}) {
      ConvertAll(Variant(text), loc);
      for (const char* p : kPictures) EXPECT_NO_THROW(Format(Variant(text), p, loc));
      EXPECT_EQ(LCase(UCase(text)).size(), text.size());
    }
    for (const std::string& picture : {one, "0" + one + "0", "d" + one + "m", one + one + one}) {
      EXPECT_NO_THROW(Format(Variant(1234.5), picture, loc));
      EXPECT_NO_THROW(Format(Variant::Date(45651.5), picture, loc));
      EXPECT_NO_THROW(Format(Variant("abc"), picture, loc));
    }
  }
}

TEST(BadInput, RandomBytesThroughReadersAndFormat) {
  std::mt19937 gen(12345);
  const std::string alphabet = "0123456789/-.,: #dmyhnsAPM\"\\;%E+e\xA0\xE7";
  for (const auto& loc : {LocaleSettings::PtBR(), LocaleSettings::EnUS()}) {
    for (int round = 0; round < 3000; ++round) {
      std::string text;
      const int len = static_cast<int>(gen() % 24);
      for (int k = 0; k < len; ++k) {
        text += round % 2 ? static_cast<char>(gen() % 256) : alphabet[gen() % alphabet.size()];
      }
      ConvertAll(Variant(text), loc);
      EXPECT_NO_THROW(Format(Variant(text), text, loc));
      EXPECT_NO_THROW(Format(Variant(static_cast<double>(gen()) / 7), text, loc));
      // A date text that reads must lie in the date range.
      if (const auto d = ParseDateText(text, loc)) {
        EXPECT_TRUE(IsValidSerial(*d)) << text;
      }
    }
  }
}

TEST(BadInput, DoublesRoundTripThroughText) {
  std::mt19937_64 gen(42);
  for (const auto& loc : {LocaleSettings::PtBR(), LocaleSettings::EnUS()}) {
    for (int round = 0; round < 20000; ++round) {
      const uint64_t bits = gen();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      if (!std::isfinite(d)) continue;
      const std::string text = ToText(Variant(d), loc);
      ASSERT_EQ(ToDouble(Variant(text), loc), d) << text;
    }
  }
}

}  // namespace
}  // namespace orvo
