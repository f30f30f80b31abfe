#pragma once
// The enumerations of the control's type library, with their int32 values.
// The engine uses them directly; the automation layer passes them through.
#include <cstdint>

namespace quelmar {

enum TxMagnitude : std::int32_t {
  M500_0 = 0, M300_0 = 1, M200_0 = 2, M100_0 = 3, M050_0 = 4, M030_0 = 5, M020_0 = 6,
  M010_0 = 7, M005_0 = 8, M003_0 = 9, M002_0 = 10, M001_0 = 11, M000_5 = 12, M000_3 = 13,
  M000_2 = 14, M000_1 = 15
};
enum TxMapMode : std::int32_t { MdZoom = 0, MdUser = 1, MdStreet = 2 };
enum TxMapunit : std::int32_t { MuMi = 0, Mukm = 1 };
enum TxUndMode : std::int32_t { UndUser = 0, UndMono = 1, UndTopo = 2, UndShadow = 3 };
enum TxTbMode : std::int32_t { TbHide = 0, TbFix = 1, TbFloat = 2 };
enum TxPanelBevel : std::int32_t { bvNone = 0, bvLowered = 1, bvRaised = 2 };
enum TxMouseButton : std::int32_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
enum TxLLMode : std::int32_t { TmHMS = 0, TmDEG = 1, TmBIG = 2, TmSMALL = 3 };
enum TxCoord : std::int32_t { CdLonlat = 0, CdLatLon = 1 };
enum TxRteOps : std::int32_t {
  RT_Clear = 0, RT_Spots = 1, RT_Hatch = 2, RT_Zoom = 4, RT_Short = 16, RT_Fast = 32,
  RT_Direct = 48, RT_Hours = 64, RT_Km = 128, RT_Total = 512, RT_PrtMap = 1024, RT_PrtDir = 2048
};
enum TxAlignment : std::int32_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TxBevelCut : std::int32_t { bvxNone = 0, bvxLowered = 1, bvxRaised = 2, bvxSpace = 3 };
enum TxBorderStyle : std::int32_t { bsNone = 0, bsSingle = 1 };
enum TxDragMode : std::int32_t { dmManual = 0, dmAutomatic = 1 };

}  // namespace quelmar
