#pragma once
// The example pictures of the volume, speed and echo dialogs: the small waveform of the shipped
// "example.gif" drawn as the dialog's setting would change it. The waveform is known by its
// outline: the picture's columns 2..65 hold a black outline around the zero line at row 78.
#include <QImage>

#include <array>
#include <cstdint>

namespace sono {

constexpr int ExampleZeroRow = 78;
constexpr int ExampleFirstColumn = 2;
constexpr int ExampleLastColumn = 65;

struct ExampleOutline {
    // Rows of the outline in columns 2..65: the first black pixel from the top (at most the
    // zero row) and from the bottom (at least the row below it). A column without black keeps
    // the zero row on both sides.
    std::array<int16_t, 64> top;
    std::array<int16_t, 64> bottom;
};
ExampleOutline readExampleOutline(const QImage& picture);

// Each drawing clears an image of `size` to `background`, draws the zero line and the waveform
// in black. Fractions and percentages are the values of the dialogs' left (start) and right
// (end) blocks.
// The volume: each column of the outline scaled by the volume at that column.
QImage volumeExample(const ExampleOutline& outline, QSize size, QRgb background, double startFactor,
                     double endFactor);
// The speed: the outline's columns laid one after the other at the speed of each column, so a
// high speed squeezes it and a low one stretches it with empty columns between.
QImage speedExample(const ExampleOutline& outline, QSize size, QRgb background, double startSpeed,
                    double endSpeed);
struct EchoExampleSettings {
    double startDelayMs, endDelayMs;
    double startVolume, endVolume; // percent
    int repeats;
    bool softer;
};
// The echo: over the example picture itself, every column with the echoes of the columns before
// it added, 5 milliseconds a column.
QImage echoExample(const ExampleOutline& outline, const QImage& picture, QSize size,
                   QRgb background, const EchoExampleSettings& echo);

} // namespace sono
