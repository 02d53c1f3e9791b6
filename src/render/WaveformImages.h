#pragma once
// Drawing the sound: for each channel an image in the colours of the graph style and one in the
// selection colours (navy with a white waveform), and the views composed from them with the
// selected stretch laid over.
#include <QImage>

#include <array>
#include <vector>

#include "GraphStyle.h"
#include "StylePictures.h"
#include "document/Document.h"
#include "view/Columns.h"

namespace sono {

struct WaveformImages {
    std::array<QImage, 2> normal;    // channel 1, channel 2 (null for a mono sound)
    std::array<QImage, 2> selection; // the same in selection colours
};

struct RenderRequest {
    const Document& doc;
    GraphStyle style = GraphStyle::Standard;
    bool showTime = false;
    ViewWindow view;
    int width = 0; // of each view, in pixels
    int height = 0;
    // The extremes of every column of channel 1 and 2 (the second empty for a mono sound);
    // both empty when no sound is loaded.
    std::array<std::vector<ColumnExtremes>, 2> columns;
};

// The images of both channels. Without a sound only the backgrounds are drawn.
WaveformImages renderWaveform(const RenderRequest& request, StylePictures& pictures);

// What the views show: the style's images with the selected columns taken from the selection
// images (in the channels the selection applies to).
std::array<QImage, 2> composeViews(const WaveformImages& images, const Document& doc,
                                   const ViewWindow& view, bool bothChannels);

// The graphic Save Graphic As BMP writes: the upper view, and for a stereo sound the lower view
// below it.
QImage graphicOfViews(const std::array<QImage, 2>& views, bool stereo);

} // namespace sono
