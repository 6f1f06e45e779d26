// Fuzz target for the base layer's readers: number texts, date texts and Format pictures.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
// The input is split at its first NUL: the part before is the value text, the part after
// the picture. Every answer must be well-formed; the only exception allowed is orvo::Error.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/dates.h"
#include "base/error.h"
#include "base/format.h"
#include "base/locale_settings.h"
#include "base/number_text.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void Exercise(const std::string& text, const std::string& picture,
              const orvo::LocaleSettings& loc) {
  const orvo::NumberRead number = orvo::ReadNumberText(text, loc);
  if (number.status == orvo::NumberReadStatus::Ok) {
    Check(std::isfinite(number.value));
    // What ToText writes reads back to the same number.
    const std::string again = orvo::DoubleToText(number.value, loc);
    const orvo::NumberRead back = orvo::ReadNumberText(again, loc);
    Check(back.status == orvo::NumberReadStatus::Ok && back.value == number.value);
  }
  if (const auto date = orvo::ParseDateText(text, loc)) {
    Check(orvo::IsValidSerial(*date));
    // A date written in the short date format reads back to the same day.
    const std::string shortDate = orvo::Format(orvo::Variant::Date(*date), "Short Date", loc);
    const auto back = orvo::ParseDateText(shortDate, loc);
    Check(back && std::trunc(*back) == std::trunc(*date));
    const std::string longDate = orvo::Format(orvo::Variant::Date(*date), "Long Date", loc);
    const auto backFromLong = orvo::ParseDateText(longDate, loc);
    Check(backFromLong && std::trunc(*backFromLong) == std::trunc(*date));
  }
  orvo::Format(orvo::Variant(text), picture, loc);
  if (number.status == orvo::NumberReadStatus::Ok) {
    orvo::Format(orvo::Variant(number.value), picture, loc);
    orvo::Format(orvo::Variant::Date(number.value), picture, loc);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* bytes = reinterpret_cast<const char*>(data);
  const auto* nul = static_cast<const char*>(std::memchr(bytes, 0, size));
  const std::string text(bytes, nul ? static_cast<size_t>(nul - bytes) : size);
  const std::string picture = nul ? std::string(nul + 1, bytes + size) : std::string("#,##0.00");
  for (const auto& loc : {orvo::LocaleSettings::PtBR(), orvo::LocaleSettings::EnUS()}) {
    try {
      Exercise(text, picture, loc);
    } catch (const orvo::Error&) {
    }
  }
  return 0;
}
