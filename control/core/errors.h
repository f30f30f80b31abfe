#pragma once
// The control's exception root. Engine code throws these; the automation
// boundary turns each into a failure result code with its message.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quelmar {

class Error : public std::runtime_error {
 public:
  // `code` is the result code hosts see (E_FAIL unless a reader or argument says otherwise).
  explicit Error(const std::string& message, std::int32_t code = static_cast<std::int32_t>(0x80004005u))
      : std::runtime_error(message), code_(code) {}
  std::int32_t code() const { return code_; }

 private:
  std::int32_t code_;
};

// A host argument that cannot be used (wrong type, not a number, out of range).
class ArgumentError : public Error {
 public:
  using Error::Error;
};

}  // namespace quelmar
