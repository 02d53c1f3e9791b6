#pragma once
// The texts of status panels 2 to 4 and of the window caption, derived from the document.
#include <cstdint>
#include <string>

#include "document/Document.h"

namespace sono {

std::string formatPanelText(const Document& doc); // " 16-bits, 44100 Hz, stereo   "
std::string durationPanelText(const Document& doc, uint8_t language); // "Time: 1.00"
std::string sizePanelText(const Document& doc, uint8_t language);     // "File: 87 kb"

// Milliseconds of the whole sound, rounded.
int32_t soundDurationMs(const Document& doc);

// "Sonoplexer", "No Title - Sonoplexer", or the display name + " - Sonoplexer".
std::string captionForUntitled(uint8_t language);
std::string captionForFile(const std::string& displayName);
inline const char* const ProgramCaption = "Sonoplexer";

// Lower case as the caption shows it: ASCII and the Latin-1 letters of UTF-8 text.
std::string toLowerText(const std::string& utf8);

} // namespace sono
