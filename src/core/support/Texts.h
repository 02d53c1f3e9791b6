#pragma once
// Every text the user sees exists in Dutch and English; the language decides at the moment of
// display which one is shown.
#include <cstdint>
#include <string>
#include <string_view>

namespace sono {

enum : uint8_t { LanguageEnglish = 0, LanguageDutch = 1 };

// Dutch when language is 1, English for any other value (an old options file may hold 2).
inline std::string LangText(uint8_t language, std::string_view dutch, std::string_view english) {
    return std::string(language == LanguageDutch ? dutch : english);
}

// "5.07", "2:05.07", "62:03.45": minutes and seconds with hundredths, no hour field.
std::string FormatDuration(int32_t ms);

// "512 bytes", "87 kb", " 1.5 mb" (Dutch " 1,5 mb").
std::string FormatFileSize(float bytes, uint8_t language);

} // namespace sono
