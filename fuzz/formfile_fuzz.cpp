// Fuzz target for form files: any bytes are read as a form file; only orvo::Error may come
// out, and what reads is written and read back to the same text.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/error.h"
#include "host/formfile/form_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orvo::FormDocument form;
  try {
    form = orvo::ParseFormText(text, "fuzz.json");
  } catch (const orvo::Error&) {
    return 0;
  }
  // A form that reads is one that can be saved, and saving it again changes nothing.
  const std::string written = orvo::FormText(form);
  if (orvo::FormText(orvo::ParseFormText(written, "again.json")) != written) __builtin_trap();
  return 0;
}
