// Reading a fuzz input as a run of fields: each field is the bytes up to the next NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvo::fuzz {

// The bytes before the next NUL (or to the end), consumed with the NUL.
inline std::string TakeUntilNul(const uint8_t*& data, size_t& size) {
  std::string out;
  while (size > 0 && *data != 0) {
    out += static_cast<char>(*data++);
    --size;
  }
  if (size > 0) {
    ++data;
    --size;
  }
  return out;
}

}  // namespace orvo::fuzz
