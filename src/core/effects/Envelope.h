#pragma once
// The curve panels of the volume, speed and echo dialogs, without their widgets: a panel holds two
// blocks, the left one for the value at the start of the range and the right one for its end. A
// block's top runs from 0 pixels (the highest value) to BlockTravel (the lowest); the panel turns
// it into a value, a background colour and a sentence.
#include <cstdint>
#include <string>

namespace sono {

constexpr double BlockTravel = 168;

// Value of a block: round((168 - top) * span / 168) + lowest, halves to the even number, so a
// panel runs from `lowest` at the bottom to lowest + span at the top.
struct CurveScale {
    int span;
    int lowest;
    // Where the mouse keeps the panel's blocks between whole pixels: 0.5 for the volume dialog,
    // whose 100 % lies between tops 84 (101 %) and 85 (99 %), so its blocks start at 84.5 and a
    // drag moves them on to 83.5, 85.5, ...; 0 for the others. The options file holds whole
    // pixels: a top is stored without this fraction and read back with it.
    double fraction = 0;
};

inline constexpr CurveScale VolumeScale{199, 1, 0.5}; // 1..200 %
inline constexpr CurveScale SpeedScale{150, 50};      // 50..200 %
inline constexpr CurveScale DelayScale{999, 1};       // 1..1000 ms
inline constexpr CurveScale EchoVolumeScale{99, 1};   // 1..100 %
inline constexpr CurveScale RepeatsScale{9, 1};       // 1..10 repeats

// A block never leaves the panel: tops below 0 become 0, above BlockTravel become BlockTravel.
double clampTop(double top);
int blockValue(double top, const CurveScale& scale);

// The whole number the options file keeps for a top, and the top it stands for: a stored top is
// the block's top less the scale's fraction, rounded to the nearest whole number that reads back
// as the same value when there is one; 0 stands for the top end itself.
int16_t storedTop(double top, const CurveScale& scale);
double shownTop(int16_t stored, const CurveScale& scale);

// The panel's background follows the mean of the two tops: red for high values, olive for low.
struct PanelColour {
    int red, green, blue;
};
PanelColour panelColour(double leftTop, double rightTop);

// The sentence under a panel, from the values of its blocks. With `same` it states one value
// (the left block's); otherwise it goes from left to right. Repeats are always one value.
enum class CurveSentence { Volume, Speed, Delay, Repeats };
std::string curveSentence(CurveSentence kind, bool same, int left, int right, uint8_t language);

} // namespace sono
