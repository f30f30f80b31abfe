// The one table of error codes: every code has its own HRESULT and an HTTP
// status, and an HRESULT maps back to the code it came from.
#include "control/core/error_codes.h"

#include <gtest/gtest.h>

#include <set>

#include "control/core/errors.h"

namespace quelmar {
namespace {

TEST(ErrorCodes, EachCodeHasItsOwnResultAndAStatusAndMapsBack) {
  std::set<std::int32_t> results;
  for (std::size_t i = 0; i < std::size(kErrorCodes); ++i) {
    const ErrorCodeInfo& info = kErrorCodes[i];
    EXPECT_EQ(static_cast<std::size_t>(info.Code), i) << info.Name << ": the table is in enum order";
    EXPECT_LT(info.Result, 0) << info.Name << ": a failure result";
    EXPECT_TRUE(results.insert(info.Result).second) << info.Name << ": results are unique";
    EXPECT_GE(info.HttpStatus, 400) << info.Name;
    EXPECT_LT(info.HttpStatus, 600) << info.Name;
    EXPECT_EQ(CodeOfResult(info.Result), info.Code) << info.Name;
  }
  EXPECT_EQ(CodeOfResult(0x12345), ErrorCode::Failed) << "a result not in the table";
}

TEST(ErrorCodes, ExceptionsCarryTheirCode) {
  EXPECT_EQ(ArgumentError("x").result(), static_cast<std::int32_t>(0x80070057u));
  EXPECT_EQ(ArgumentError("x").code(), ErrorCode::InvalidArgument);
  EXPECT_EQ(DataError("x").result(), static_cast<std::int32_t>(0x80004005u));
  EXPECT_EQ(HttpStatusOf(ErrorCode::NotImplemented), 501);
}

}  // namespace
}  // namespace quelmar
