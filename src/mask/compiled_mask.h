// CompiledMask: a mask compiled for a field kind, and the compilation itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/locale_settings.h"
#include "mask/tipo_de_campo.h"

namespace orvo {

// The 15 literal characters of the mask language (the last one is a space).
inline constexpr std::string_view LiteralSet = ".,-+$/\\()[]{}: ";

struct CompiledMask {
  std::string MaskTemplate;  // one class character per edit position
  int16_t ForceUpper = 0;    // 16-bit booleans: 0 or -1
  int16_t ForceLower = 0;
  int16_t AllLetters = 0;
  int16_t DecimalDigits = 0;
  int16_t IntegerDigits = 0;
  int16_t GroupThousands = 0;
  bool operator==(const CompiledMask&) const = default;
};

// What compiling a mask tells the control to do besides storing the compiled fields.
struct MaskCompilation {
  CompiledMask compiled;
  bool clearMask = false;     // a list field: Mask becomes "" and boxes 0 and 1 get MaxLength 0
  bool setMaxLength = false;  // boxes 0 and 1 get MaxLength = maxLength
  int32_t maxLength = 0;
};

// Compiles `mask` for `kind`; `hasListFields` is ListFields not being empty; `order` answers
// the locale's date-order probe.
MaskCompilation CompileMask(std::string_view mask, TipoDeCampo kind, bool hasListFields,
                            DateOrder order);

// The date format string for a date mask: "99/99/9999" -> "dd/mm/yyyy" (day-first).
std::string DateFormatOf(std::string_view mask, DateOrder order);

}  // namespace orvo
