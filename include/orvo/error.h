// orvo::Error: the one way errors raised "by number" travel.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvo {

class Error : public std::runtime_error {
 public:
  Error(int32_t number, std::string message)
      : std::runtime_error(message), number_(number), message_(std::move(message)) {}
  int32_t Number() const { return number_; }
  const std::string& Message() const { return message_; }

 private:
  int32_t number_;
  std::string message_;
};

// Error numbers used across the library (the classic runtime's numbering).
namespace err {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kNotAtRunTime = 382;  // "'Item' property cannot be set at design time"
inline constexpr int32_t kNotAnArray = 343;
inline constexpr int32_t kReadOnlyProperty = 383;    // "'Item' property is read-only"
inline constexpr int32_t kNotSupported = 438;        // "Object doesn't support this property"
inline constexpr int32_t kWrongArgumentCount = 450;  // "Wrong number of arguments"
inline constexpr int32_t kNoCurrentRecord = 3021;
inline constexpr int32_t kNotAvailableYet = 32001;  // a method whose feature is not built yet
}  // namespace err

// The single helper that raises an orvo::Error.
[[noreturn]] void RaiseError(int32_t number, std::string message);

// Runs one step of a sequence whose errors are ignored: a step that raises an orvo::Error
// is cut short there and the sequence goes on. True when the step ran through.
template <typename F>
bool TryStep(F&& step) {
  try {
    step();
    return true;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace orvo
