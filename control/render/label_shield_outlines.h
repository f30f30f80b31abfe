#pragma once
// The outlines route shields and the place pictogram are drawn from, as
// points in a design frame with y pointing up. Shields 1 and 2 and the
// pictogram use a frame 110 units wide and 84 high; the two lettered plates
// one of 200 × 160. DrawShieldShape scales a frame onto the shield's box.
#include <array>

namespace quelmar::render {

struct FramePoint {
  double x = 0, y = 0;
};

inline constexpr double kShieldFrameWidth = 110;
inline constexpr double kShieldFrameHeight = 84;
inline constexpr double kPlateFrameWidth = 200;
inline constexpr double kPlateFrameHeight = 160;

// Interstate shield: two rounded lobes on top meeting in a notch, sides that
// pinch below the corners and swell again, and a curved bottom running to a
// point. Clockwise from the top-left corner.
inline constexpr std::array<FramePoint, 22> kInterstateOutline = {{
    {2, 78}, {8.4, 82.1}, {18.9, 84}, {31.6, 83.8}, {44.3, 81.1}, {55, 76}, {65.7, 81.1}, {78.4, 83.8},
    {91.1, 84}, {101.6, 82.1}, {108, 78}, {104.5, 68}, {107, 54}, {105.5, 38}, {99, 23}, {82, 8},
    {55, 0}, {28, 8}, {11, 23}, {4.5, 38}, {3, 54}, {5.5, 68},
}};

// The interstate shield's red crown: the same top edge, down the sides to a
// straight lower edge about a quarter of the height from the top.
inline constexpr std::array<FramePoint, 15> kInterstateCrown = {{
    {2, 78}, {8.4, 82.1}, {18.9, 84}, {31.6, 83.8}, {44.3, 81.1}, {55, 76}, {65.7, 81.1}, {78.4, 83.8},
    {91.1, 84}, {101.6, 82.1}, {108, 78}, {104.5, 68}, {105.4, 63}, {4.6, 63}, {5.5, 68},
}};

// US highway shield: pointed ears at the top corners with a sagging top edge
// between them, shoulders cut in below the ears, and full sides curving down
// to a point. Clockwise from the middle of the top edge.
inline constexpr std::array<FramePoint, 52> kUsHighwayOutline = {{
    {55, 79}, {61.2, 76.8}, {68.4, 75.3}, {76.3, 74.7}, {84.5, 75.1}, {92.8, 76.7}, {100.7, 79.6}, {108, 84},
    {104.1, 80.2}, {100.9, 76}, {98.6, 71.5}, {97.6, 66.8}, {98, 62}, {99.9, 57.4}, {102.7, 52.8}, {105.5, 48},
    {107.5, 42.5}, {108, 36}, {106.7, 29.8}, {103.6, 24.3}, {98.9, 19.6}, {93.1, 15.4}, {86.2, 11.7}, {78.7, 8.4},
    {70.8, 5.5}, {62.8, 2.7}, {55, 0}, {47.2, 2.7}, {39.2, 5.5}, {31.3, 8.4}, {23.8, 11.7}, {16.9, 15.4},
    {11.1, 19.6}, {6.4, 24.3}, {3.3, 29.8}, {2, 36}, {2.5, 42.5}, {4.5, 48}, {7.3, 52.8}, {10.1, 57.4},
    {12, 62}, {12.4, 66.8}, {11.4, 71.5}, {9.1, 76}, {5.9, 80.2}, {2, 84}, {9.3, 79.6}, {17.2, 76.7},
    {25.5, 75.1}, {33.7, 74.7}, {41.6, 75.3}, {48.8, 76.8},
}};

// Place pictogram: a map pin, its point at the bottom middle and a round
// head filling the upper part of the frame.
inline constexpr std::array<FramePoint, 35> kPinOutline = {{
    {55, 0}, {100.1, 46.2}, {103.8, 48.9}, {106.7, 51.9}, {108.7, 54.9}, {109.8, 58}, {109.9, 61.2}, {109.1, 64.4},
    {107.3, 67.4}, {104.6, 70.4}, {101, 73.1}, {96.7, 75.7}, {91.6, 77.9}, {85.8, 79.9}, {79.6, 81.5}, {72.9, 82.7},
    {65.8, 83.5}, {58.6, 83.9}, {51.4, 83.9}, {44.2, 83.5}, {37.1, 82.7}, {30.4, 81.5}, {24.2, 79.9}, {18.4, 77.9},
    {13.3, 75.7}, {9, 73.1}, {5.4, 70.4}, {2.7, 67.4}, {0.9, 64.4}, {0.1, 61.2}, {0.2, 58}, {1.3, 54.9},
    {3.3, 51.9}, {6.2, 48.9}, {9.9, 46.2},
}};

// The white eye in the pin's head.
inline constexpr std::array<FramePoint, 19> kPinEye = {{
    {55, 70}, {47.2, 69.5}, {40.3, 67.9}, {34.9, 65.5}, {31.7, 62.5}, {31.1, 59.2}, {33, 56}, {37.3, 53.2},
    {43.6, 51.2}, {51, 50.1}, {59, 50.1}, {66.4, 51.2}, {72.7, 53.2}, {77, 56}, {78.9, 59.2}, {78.3, 62.5},
    {75.1, 65.5}, {69.7, 67.9}, {62.8, 69.5},
}};

// "H" route plate: a white plate with rounded corners...
inline constexpr std::array<FramePoint, 12> kRoundPlate = {{
    {184, 2}, {193.9, 6.1}, {198, 16}, {198, 144}, {193.9, 153.9}, {184, 158}, {16, 158}, {6.1, 153.9},
    {2, 144}, {2, 16}, {6.1, 6.1}, {16, 2},
}};

// ... and its black border band inset from the edge: the outer ring, back to
// its start, then the inner ring, filled even-odd so that only the band shows.
inline constexpr std::array<FramePoint, 38> kRoundPlateBorder = {{
    {100, 14}, {176, 14}, {181, 15.3}, {184.7, 19}, {186, 24}, {186, 136}, {184.7, 141}, {181, 144.7},
    {176, 146}, {100, 146}, {24, 146}, {19, 144.7}, {15.3, 141}, {14, 136}, {14, 24}, {15.3, 19},
    {19, 15.3}, {24, 14}, {100, 14}, {100, 26}, {170, 26}, {172, 26.5}, {173.5, 28}, {174, 30},
    {174, 130}, {173.5, 132}, {172, 133.5}, {170, 134}, {100, 134}, {30, 134}, {28, 133.5}, {26.5, 132},
    {26, 130}, {26, 30}, {26.5, 28}, {28, 26.5}, {30, 26}, {100, 26},
}};

// "C" and "A" route plate: a pentagon, flat on top and pointed below, with
// rounded corners.
inline constexpr std::array<FramePoint, 15> kPentagonPlate = {{
    {8, 144}, {10.5, 151.5}, {18, 154}, {182, 154}, {189.5, 151.5}, {192, 144}, {192, 72}, {189.9, 63.2},
    {183.5, 56.7}, {108.5, 9.3}, {100, 6.7}, {91.5, 9.3}, {16.5, 56.7}, {10.1, 63.2}, {8, 72},
}};

}  // namespace quelmar::render
