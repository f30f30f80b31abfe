// The interface as published: every slot with its byte offset, dispatch
// identifier, name and kind, written out here independently of the member
// table so that an edit of the table that would move or renumber a slot
// fails this test.
#include <gtest/gtest.h>

#include <string>

#include "control/automation/tarvo_type_info.h"

namespace quelmar::testing {
namespace {

struct PublishedSlot {
  int offset;
  int dispid;
  const char* name;
  const char* kind;
};

constexpr PublishedSlot kPublished[] = {
    {28, 1, "ExecZipcode", "method"},
    {32, 2, "FindZip", "method"},
    {36, 3, "HeadsUp", "method"},
    {40, 4, "Rotate", "method"},
    {44, 5, "ExecSearch", "method"},
    {48, 6, "ExecClosest", "method"},
    {52, 7, "ExecRoadOption", "method"},
    {56, 8, "ExecRoute", "method"},
    {60, 9, "RoadOption", "method"},
    {64, 10, "DrawObject", "method"},
    {68, 11, "FindClosest", "method"},
    {72, 12, "LL2Int", "method"},
    {76, 13, "FindRoute", "method"},
    {80, 14, "DrawNorth", "method"},
    {84, 15, "PopupRoute", "get"},
    {88, 15, "PopupRoute", "put"},
    {92, 17, "Coords", "get"},
    {96, 17, "Coords", "put"},
    {100, 18, "LonLeft", "get"},
    {104, 19, "LonRight", "get"},
    {108, 20, "LatBottom", "get"},
    {112, 21, "LatTop", "get"},
    {116, 22, "Xcord", "get"},
    {120, 23, "Ycord", "get"},
    {124, 24, "Street", "get"},
    {128, 25, "result", "get"},
    {132, 26, "Custom", "get"},
    {136, 26, "Custom", "put"},
    {140, 27, "Color", "get"},
    {144, 27, "Color", "put"},
    {148, 28, "Screen_Aspect", "get"},
    {152, 28, "Screen_Aspect", "put"},
    {156, 29, "Scale", "get"},
    {160, 29, "Scale", "put"},
    {164, 30, "Shade_Mcd", "get"},
    {168, 30, "Shade_Mcd", "put"},
    {172, 31, "Shade_Plc", "get"},
    {176, 31, "Shade_Plc", "put"},
    {180, 32, "Shade_Cnty", "get"},
    {184, 32, "Shade_Cnty", "put"},
    {188, 33, "Shade_State", "get"},
    {192, 33, "Shade_State", "put"},
    {196, 34, "Magnitude", "get"},
    {200, 34, "Magnitude", "put"},
    {204, 35, "Miles", "get"},
    {208, 35, "Miles", "put"},
    {212, 36, "Kms", "get"},
    {216, 36, "Kms", "put"},
    {220, 37, "TvScale", "get"},
    {224, 37, "TvScale", "put"},
    {228, 38, "AutoQuery", "get"},
    {232, 38, "AutoQuery", "put"},
    {236, 39, "EdgePan", "get"},
    {240, 39, "EdgePan", "put"},
    {244, 40, "MapMode", "get"},
    {248, 40, "MapMode", "put"},
    {252, 41, "Mapunits", "get"},
    {256, 41, "Mapunits", "put"},
    {260, 43, "AutoPaint", "get"},
    {264, 43, "AutoPaint", "put"},
    {268, 44, "UnderlayStyle", "get"},
    {272, 44, "UnderlayStyle", "put"},
    {276, 45, "UnderlayShadow", "get"},
    {280, 45, "UnderlayShadow", "put"},
    {284, 46, "Path_states0", "get"},
    {288, 46, "Path_states0", "put"},
    {292, 16, "Path_states1", "get"},
    {296, 16, "Path_states1", "put"},
    {300, 47, "Path_data1", "get"},
    {304, 47, "Path_data1", "put"},
    {308, 48, "Path_data2", "get"},
    {312, 48, "Path_data2", "put"},
    {316, 49, "Path_data3", "get"},
    {320, 49, "Path_data3", "put"},
    {324, 50, "UnderlayFile", "get"},
    {328, 50, "UnderlayFile", "put"},
    {332, 51, "SaveView", "get"},
    {336, 51, "SaveView", "put"},
    {340, 52, "Synch", "get"},
    {344, 52, "Synch", "put"},
    {348, 53, "Route", "get"},
    {352, 53, "Route", "put"},
    {356, 54, "ToolbarMode", "get"},
    {360, 54, "ToolbarMode", "put"},
    {364, 55, "Mainlay", "get"},
    {368, 55, "Mainlay", "put"},
    {372, 56, "Overlay", "get"},
    {376, 56, "Overlay", "put"},
    {380, 57, "Underlay", "get"},
    {384, 57, "Underlay", "put"},
    {388, 58, "Load_Air", "get"},
    {392, 58, "Load_Air", "put"},
    {396, 59, "Load_City", "get"},
    {400, 59, "Load_City", "put"},
    {404, 60, "Load_County", "get"},
    {408, 60, "Load_County", "put"},
    {412, 61, "Load_Highway", "get"},
    {416, 61, "Load_Highway", "put"},
    {420, 62, "Load_Hydro", "get"},
    {424, 62, "Load_Hydro", "put"},
    {428, 63, "Load_Landmark", "get"},
    {432, 63, "Load_Landmark", "put"},
    {436, 64, "Load_State", "get"},
    {440, 64, "Load_State", "put"},
    {444, 65, "Grid", "get"},
    {448, 65, "Grid", "put"},
    {452, 66, "BevelInner", "get"},
    {456, 66, "BevelInner", "put"},
    {460, 67, "BevelOuter", "get"},
    {464, 67, "BevelOuter", "put"},
    {468, 68, "BevelWidth", "get"},
    {472, 68, "BevelWidth", "put"},
    {476, 69, "BorderWidth", "get"},
    {480, 69, "BorderWidth", "put"},
    {484, 70, "Enabled", "get"},
    {488, 70, "Enabled", "put"},
    {492, 71, "Font", "get"},
    {496, 71, "Font", "put"},
    {500, 73, "Visible", "get"},
    {504, 73, "Visible", "put"},
    {508, 74, "Distance", "method"},
    {512, 76, "Redirty", "method"},
    {516, 77, "DrawLine", "method"},
    {520, 89, "CenterView", "method"},
    {524, 90, "GotoPoint", "method"},
    {528, 91, "Redraw", "method"},
    {532, 92, "LonLatStr", "method"},
    {536, 93, "DMS", "method"},
    {540, 94, "Finditem", "method"},
    {544, 95, "SetItem", "method"},
    {548, 96, "SetItemBitmap", "method"},
    {552, 97, "SetItemLocalBitmap", "method"},
    {556, 100, "DeleteAllItems", "method"},
    {560, 101, "DeleteItem", "method"},
    {564, 102, "DeleteItemRange", "method"},
    {568, 105, "DrawBubble", "method"},
    {572, 106, "DrawScalebar", "method"},
    {576, 107, "ResizeCtl", "method"},
    {580, 108, "OpenOverlay", "method"},
    {584, 109, "ExecMethod", "method"},
    {588, 110, "ExecLonLat", "method"},
    {592, 111, "ExecStreet", "method"},
    {596, 112, "ExecPlace", "method"},
    {600, 113, "ExecPhone", "method"},
    {604, 114, "ExecPrint", "method"},
    {608, 115, "ShowToolbar", "method"},
    {612, 116, "FindStr", "method"},
    {616, 117, "FindCity", "method"},
    {620, 118, "FindACEX", "method"},
    {624, 119, "FoundVty", "method"},
    {628, 122, "SaveToBitmap", "method"},
    {632, 72, "SaveToGif", "method"},
    {636, 123, "DirectDraw", "method"},
    {640, 124, "ClrStrBubble", "method"},
    {644, 125, "HideAllItems", "method"},
    {648, 126, "ShowAllItems", "method"},
    {652, 127, "SetItem2Front", "method"},
    {656, 128, "SetItem2Back", "method"},
    {660, 135, "Cursor", "get"},
    {664, 135, "Cursor", "put"},
    {668, 136, "Handle", "get"},
    {672, 133, "IsDrawing", "get"},
    {676, 134, "LLmode", "get"},
    {680, 134, "LLmode", "put"},
    {684, 82, "TitlePrint", "get"},
    {688, 82, "TitlePrint", "put"},
    {692, 83, "TitleUser", "get"},
    {696, 83, "TitleUser", "put"},
    {700, -552, "AboutBox", "method"},
    {704, 129, "Lat2Int", "method"},
    {708, 130, "Lon2Int", "method"},
    {712, 131, "Int2Lat", "method"},
    {716, 132, "Int2Lon", "method"},
    {720, 137, "Refresh", "method"},
    {724, 138, "AutoConfig", "get"},
    {728, 138, "AutoConfig", "put"},
    {732, 139, "LoadConfig", "method"},
    {736, 140, "SaveConfig", "method"},
    {740, 385, "SetItemString", "method"},
    {744, 390, "SetItemVis", "method"},
    {748, 395, "SetOption", "method"},
    {752, 400, "QueryObj", "method"},
    {756, 98, "TvParent", "get"},
    {760, 98, "TvParent", "put"},
    {764, 698, "ZoomAll", "method"},
    {768, 699, "ZoomIn", "method"},
    {772, 700, "ZoomIWindow", "method"},
    {776, 701, "ZoomLast", "method"},
    {780, 702, "ZoomOverlay", "method"},
    {784, 703, "ZoomOut", "method"},
    {788, 704, "ZoomPan", "method"},
    {792, 705, "ZoomUnderlay", "method"},
    {796, 706, "ZoomWindow", "method"},
    {800, 99, "TvPalette", "get"},
    {804, 800, "ExecMem", "method"},
    {808, 802, "FindClosestPlace", "method"},
    {812, 804, "SetDirtyRect", "method"},
    {816, 806, "SetItemAngle", "method"},
    {820, 808, "GeoFind", "method"},
    {824, 75, "LoadStreets", "method"},
    {828, 78, "SaveStreets", "method"},
    {832, 79, "ClearStreets", "method"},
    {836, 80, "ClearOverlay", "method"},
    {840, 0, "(reserved)", "reserved"},
    {844, 0, "(reserved)", "reserved"},
    {848, 0, "(reserved)", "reserved"},
    {852, 0, "(reserved)", "reserved"},
    {856, 0, "(reserved)", "reserved"},
    {860, 85, "ItemFontSize", "get"},
    {864, 85, "ItemFontSize", "put"},
    {868, 86, "Loaded", "method"},
    // Added after the published slots, so hosts bound to those keep working:
    // the precision and score of the street hit being reported.
    {872, 810, "MatchInfo", "get"},
    // The view written as a PNG file, as SaveToBitmap and SaveToGif write theirs.
    {876, 811, "SaveToPng", "method"},
};

const char* KindOf(automation::MemberKind kind) {
  switch (kind) {
    case automation::MemberKind::Method: return "method";
    case automation::MemberKind::PropertyGet: return "get";
    case automation::MemberKind::PropertyPut: return "put";
    case automation::MemberKind::Reserved: return "reserved";
  }
  return "?";
}

TEST(PublishedInterface, EverySlotMatchesThePublishedTable) {
  const auto members = automation::TarvoMembers();
  ASSERT_EQ(members.size(), std::size(kPublished));
  for (std::size_t i = 0; i < members.size(); ++i) {
    const automation::MemberInfo& m = members[i];
    const PublishedSlot& p = kPublished[i];
    SCOPED_TRACE(p.name);
    EXPECT_EQ(m.offset, p.offset);
    EXPECT_STREQ(KindOf(m.kind), p.kind);
    if (m.kind == automation::MemberKind::Reserved) continue;
    EXPECT_EQ(m.dispid, p.dispid);
    EXPECT_STREQ(m.name, p.name);
  }
}

TEST(PublishedInterface, EventsAndTheirArguments) {
  struct PublishedEvent {
    int dispid;
    const char* name;
    int params;
  } published[] = {{1, "FindRte", 0},      {2, "PaintAfter", 1}, {3, "PaintBefore", 1}, {4, "FindDir", 1},
                   {5, "Find", 0},         {6, "FindPlace", 0},  {7, "Status", 1},      {8, "Direct", 1},
                   {9, "DirectBefore", 1}, {10, "Click", 0},     {11, "DblClick", 0},   {12, "Resize", 0},
                   {-606, "MouseMove", 4}, {-605, "MouseDown", 4}, {-607, "MouseUp", 4}};
  const auto events = automation::TarvoEvents();
  ASSERT_EQ(events.size(), std::size(published));
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].dispid, published[i].dispid);
    EXPECT_STREQ(events[i].name, published[i].name);
    EXPECT_EQ(events[i].paramCount, published[i].params) << published[i].name;
  }
}

}  // namespace
}  // namespace quelmar::testing
