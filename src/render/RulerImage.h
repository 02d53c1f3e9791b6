#pragma once
// The time ruler drawn into a strip of its own under the views: a tick and a label at each of
// its marks.
#include <QImage>

#include "view/Ruler.h"

namespace sono {

// The strip's height in pixels.
constexpr int RulerHeight = 18;

QImage rulerImage(const Ruler& ruler, int width);

// The graphic of the views with the ruler strip below it.
QImage withRuler(const QImage& graphic, const QImage& ruler);

} // namespace sono
