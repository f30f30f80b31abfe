#include "platform/com/error_info.h"

#include <thread>

#include <gtest/gtest.h>

#include "platform/com/unknown.h"

namespace quelmar::com {
namespace {

TEST(ComErrorInfoTest, ReportErrorSetsInfoThatIsTakenOnce) {
  ClearErrorInfo();
  EXPECT_EQ(ReportError(DISP_E_EXCEPTION, "Quelmar50.Tarvo", "No data folder", IID_IDispatch),
            DISP_E_EXCEPTION);
  const std::optional<ErrorInfo> info = GetErrorInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->source, "Quelmar50.Tarvo");
  EXPECT_EQ(info->description, "No data folder");
  EXPECT_EQ(info->iid, IID_IDispatch);
  EXPECT_FALSE(GetErrorInfo());  // taken
}

TEST(ComErrorInfoTest, NewerInfoReplacesOlderAndClearRemovesIt) {
  ReportError(E_FAIL, "a", "first");
  SetErrorInfo({"b", "second", GUID{}});
  EXPECT_EQ(GetErrorInfo()->description, "second");
  ReportError(E_FAIL, "a", "third");
  ClearErrorInfo();
  EXPECT_FALSE(GetErrorInfo());
}

TEST(ComErrorInfoTest, EachThreadHasItsOwn) {
  ReportError(E_FAIL, "main", "set on the test thread");
  bool otherSawAny = true;
  std::string otherOwn;
  std::thread other([&] {
    otherSawAny = GetErrorInfo().has_value();
    ReportError(E_FAIL, "worker", "set on the worker");
    otherOwn = GetErrorInfo()->description;
    ReportError(E_FAIL, "worker", "left behind on the worker");
  });
  other.join();
  EXPECT_FALSE(otherSawAny);
  EXPECT_EQ(otherOwn, "set on the worker");
  const std::optional<ErrorInfo> mine = GetErrorInfo();
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine->description, "set on the test thread");
}

}  // namespace
}  // namespace quelmar::com
