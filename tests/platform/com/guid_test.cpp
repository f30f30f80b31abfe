#include "platform/com/guid.h"

#include <gtest/gtest.h>

#include "platform/com/unknown.h"

namespace quelmar::com {
namespace {

constexpr GUID kSample =
    MakeGuid(0x0A1B2C3D, 0x4E5F, 0x6071, {0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9});

TEST(ComGuidTest, TextIsUpperCaseWithBraces) {
  EXPECT_EQ(GuidToString(kSample), "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
  EXPECT_EQ(GuidToString(GUID{}), "{00000000-0000-0000-0000-000000000000}");
}

TEST(ComGuidTest, ParsesWithOrWithoutBracesInAnyCase) {
  for (const char* text : {"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}", "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",
                           "{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}", "0a1B2c3D-4E5f-6071-8293-a4B5c6D7e8F9"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(GuidFromString(text), kSample);
  }
}

TEST(ComGuidTest, RejectsMalformedText) {
  for (const char* text : {
           "",
           "{}",
           "{",
           "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",    // no closing brace
           "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}",    // no opening brace
           "{{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}}", // doubled braces
           "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F",      // one digit short
           "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F90",    // one digit long
           "0A1B2C3D4E5F-6071-8293-A4B5C6D7E8F9-",     // dash moved
           "0A1B2C3D-4E5F-6071-8293A4B5C6D7E8F9",      // dash missing
           "0A1B2C3G-4E5F-6071-8293-A4B5C6D7E8F9",     // not hexadecimal
           " 0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",    // blank
           "+A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",     // sign
           "0x1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",     // prefix
       }) {
    SCOPED_TRACE(text);
    EXPECT_EQ(GuidFromString(text), std::nullopt);
  }
}

TEST(ComGuidTest, InterfaceIdentifiersHaveTheirWellKnownValues) {
  const std::pair<const IID*, const char*> cases[] = {
      {&IID_NULL, "{00000000-0000-0000-0000-000000000000}"},
      {&IID_IUnknown, "{00000000-0000-0000-C000-000000000046}"},
      {&IID_IClassFactory, "{00000001-0000-0000-C000-000000000046}"},
      {&IID_IDispatch, "{00020400-0000-0000-C000-000000000046}"},
      {&IID_IOleObject, "{00000112-0000-0000-C000-000000000046}"},
      {&IID_IOleInPlaceObject, "{00000113-0000-0000-C000-000000000046}"},
      {&IID_IOleClientSite, "{00000118-0000-0000-C000-000000000046}"},
      {&IID_IConnectionPoint, "{B196B286-BAB4-101A-B69C-00AA00341D07}"},
      {&IID_IConnectionPointContainer, "{B196B284-BAB4-101A-B69C-00AA00341D07}"},
      {&IID_ISupportErrorInfo, "{DF0B3D60-548F-101B-8E65-08002B2BD119}"},
  };
  for (const auto& [iid, text] : cases) {
    EXPECT_EQ(GuidToString(*iid), text);
    EXPECT_EQ(GuidFromString(text), *iid);
  }
}

}  // namespace
}  // namespace quelmar::com
