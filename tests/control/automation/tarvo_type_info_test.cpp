// The member table and late binding: slot layout, shared dispatch
// identifiers of property pairs, name lookup, and Invoke reaching the same
// slot as a call through the interface.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "control/automation/tarvo_type_info.h"
#include "control_fixture.h"
#include "platform/com/type_info.h"

namespace quelmar::testing {
namespace {

using automation::MemberInfo;
using automation::MemberKind;

TEST(MemberTable, SlotsFollowEachOtherFromTheFirstAfterDispatch) {
  int expected = 28;  // IUnknown and IDispatch take the first seven slots
  for (const MemberInfo& m : automation::TarvoMembers()) {
    EXPECT_EQ(m.offset, expected) << m.name;
    expected += 4;
  }
  EXPECT_EQ(expected, 880);  // the last slot, SaveToPng, sits at 876 after MatchInfo
}

TEST(MemberTable, PropertyPairsShareOneIdentifierAndNothingElseDoes) {
  std::map<com::DISPID, std::vector<const MemberInfo*>> byId;
  for (const MemberInfo& m : automation::TarvoMembers()) {
    if (m.kind != MemberKind::Reserved) byId[m.dispid].push_back(&m);
  }
  for (const auto& [id, members] : byId) {
    if (members.size() == 1) continue;
    ASSERT_EQ(members.size(), 2u) << members[0]->name;
    EXPECT_EQ(members[0]->kind, MemberKind::PropertyGet) << members[0]->name;
    EXPECT_EQ(members[1]->kind, MemberKind::PropertyPut) << members[1]->name;
    EXPECT_STREQ(members[0]->name, members[1]->name);
    EXPECT_EQ(members[1]->offset, members[0]->offset + 4);
  }
}

TEST(MemberTable, NamesResolveWithoutRegardToCase) {
  struct Case {
    const char* name;
    com::DISPID dispid;
  } cases[] = {{"LonLeft", 18}, {"lonleft", 18}, {"RESULT", 25}, {"AboutBox", -552}, {"Loaded", 86},
               {"Path_states1", 16}, {"SaveToGif", 72}, {"Handle", 136}};
  for (const Case& c : cases) {
    ASSERT_TRUE(automation::DispIdOfName(c.name).has_value()) << c.name;
    EXPECT_EQ(*automation::DispIdOfName(c.name), c.dispid) << c.name;
  }
  EXPECT_FALSE(automation::DispIdOfName("Reserved1").has_value());
  EXPECT_FALSE(automation::DispIdOfName("").has_value());
}

TEST(MemberTable, FifteenEventsWithTheirIdentifiers) {
  std::set<com::DISPID> ids;
  for (const automation::EventInfo& e : automation::TarvoEvents()) ids.insert(e.dispid);
  EXPECT_EQ(ids, (std::set<com::DISPID>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -605, -606, -607}));
}

using LateBinding = ControlTest;

TEST_F(LateBinding, InvokeReachesTheSameSlotAsTheInterface) {
  ASSERT_EQ(control_->ZoomWindow(com::Variant(-88), com::Variant(42), com::Variant(-87), com::Variant(41)), com::S_OK);
  for (auto [name, get] : std::initializer_list<std::pair<const char*, com::HRESULT (automation::ITarvo::*)(double*)>>{
           {"LonLeft", &automation::ITarvo::get_LonLeft},
           {"LatTop", &automation::ITarvo::get_LatTop},
           {"Miles", &automation::ITarvo::get_Miles}}) {
    double direct = 0;
    ASSERT_EQ((static_cast<automation::ITarvo*>(control_)->*get)(&direct), com::S_OK);
    EXPECT_EQ(Get(name).r8(), direct) << name;
  }
  std::int32_t pixel = 0;
  ASSERT_EQ(control_->LL2Int(com::Variant(-87.5), com::Variant(41.5), &pixel), com::S_OK);
  EXPECT_EQ(Get("LL2Int", {com::Variant(-87.5), com::Variant(41.5)}).i4(), pixel);
}

TEST_F(LateBinding, PutThenGetThroughInvoke) {
  ASSERT_EQ(Put("Mapunits", com::Variant(1)).hr, com::S_OK);
  EXPECT_EQ(Get("Mapunits").i4(), 1);
  ASSERT_EQ(Put("Color", com::Variant(0x00FF00)).hr, com::S_OK);
  EXPECT_EQ(Get("Color").i4(), 0x00FF00);
  ASSERT_EQ(Put("LLmode", com::Variant(0)).hr, com::S_OK);
  EXPECT_EQ(Get("DMS", {com::Variant(-87.5)}).bstr(), "- 87\xC2\xB0" "30' 00\"");
}

}  // namespace
}  // namespace quelmar::testing

namespace quelmar::testing {
namespace {

TEST_F(LateBinding, TheTypeLibraryDescribesEverySlotEventAndEnumeration) {
  com::ComPtr<com::ITypeInfo> info;
  ASSERT_EQ(control_->GetTypeInfo(0, 0, info.Put()), com::S_OK);
  com::TYPEATTR attr;
  ASSERT_EQ(info->GetTypeAttr(&attr), com::S_OK);
  EXPECT_EQ(attr.name, "ITarvo");
  EXPECT_TRUE(attr.dual);
  EXPECT_EQ(attr.cFuncs, automation::TarvoMembers().size());  // one per slot, the reserved ones included
  com::FUNCDESC d;
  ASSERT_EQ(info->GetFuncDesc(2, &d), com::S_OK);
  EXPECT_EQ(d.name, "HeadsUp");
  EXPECT_EQ(d.memid, 3);
  EXPECT_EQ(d.vtableOffset, 36);
  ASSERT_EQ(d.params.size(), 4u);
  EXPECT_EQ(d.params[0].type, "VARIANT");
  EXPECT_EQ(d.resultType, "int32");
  EXPECT_EQ(info->GetFuncDesc(attr.cFuncs, &d), com::DISP_E_BADINDEX);

  com::ComPtr<com::ITypeLib> lib;
  ASSERT_EQ(info->GetContainingTypeLib(lib.Put()), com::S_OK);
  info = nullptr;  // the library outlives the type it was reached from
  std::vector<std::string> names;
  std::uint32_t events = 0, enumerations = 0;
  for (std::uint32_t i = 0; i < lib->GetTypeInfoCount(); ++i) {
    com::ComPtr<com::ITypeInfo> t;
    ASSERT_EQ(lib->GetTypeInfo(i, t.Put()), com::S_OK);
    t->GetTypeAttr(&attr);
    names.push_back(attr.name);
    if (attr.typekind == com::TKIND_DISPATCH) events = attr.cFuncs;
    if (attr.typekind == com::TKIND_ENUM) ++enumerations;
    if (attr.name == "TxRteOps") {
      com::VARDESC v;
      ASSERT_EQ(t->GetVarDesc(6, &v), com::S_OK);
      EXPECT_EQ(v.name, "RT_Direct");
      EXPECT_EQ(v.value, 48);
    }
  }
  EXPECT_EQ(events, 15u);
  EXPECT_EQ(enumerations, 14u);
  EXPECT_EQ(names[1], "ITarvoEvents");
  EXPECT_EQ(names[2], "Tarvo");
  EXPECT_EQ(names[3], "TxMagnitude");
  EXPECT_EQ(names.back(), "TxDragMode");
}

}  // namespace
}  // namespace quelmar::testing
