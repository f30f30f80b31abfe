#pragma once
// The engine's error codes and what each becomes at every boundary: the
// HRESULT an automation host sees and the HTTP status a web client gets.
// Engine code throws quelmar::Error with one of these codes; only this
// table knows the numbers.
#include <cstdint>

namespace quelmar {

enum class ErrorCode : std::uint8_t {
  Failed,           // anything else: damaged data, an unreadable file, a failed step
  InvalidArgument,  // a value out of range or of no use
  MissingPointer,   // a result or object argument that is missing
  TypeMismatch,     // an argument of a type that does not convert
  Overflow,         // a number beyond the range of its type
  BadType,          // an argument of a type no member takes
  NotImplemented,   // a member whose subsystem is not built
  OutOfMemory,
  Unexpected,       // a call the control cannot take now (freed, re-entered)
  WrongThread,      // a call from a thread that does not own the control
};

struct ErrorCodeInfo {
  ErrorCode Code;
  const char* Name;
  std::int32_t Result;  // the HRESULT
  int HttpStatus;
};

// Every code, in enum order.
extern const ErrorCodeInfo kErrorCodes[10];

const ErrorCodeInfo& InfoOf(ErrorCode code);
inline std::int32_t ResultOf(ErrorCode code) { return InfoOf(code).Result; }
inline int HttpStatusOf(ErrorCode code) { return InfoOf(code).HttpStatus; }
// The code of an HRESULT a platform call returned; Failed for one not in the table.
ErrorCode CodeOfResult(std::int32_t result);

}  // namespace quelmar
