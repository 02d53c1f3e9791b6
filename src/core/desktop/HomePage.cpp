#include "desktop/HomePage.h"

#include "support/Texts.h"

#ifndef SONO_HOME_PAGE
#define SONO_HOME_PAGE ""
#endif

namespace sono {

namespace {
constexpr std::string_view BuiltHomePage = SONO_HOME_PAGE;
} // namespace

std::string homePageAddress(const std::string& appDir, uint8_t language) {
    if (!BuiltHomePage.empty()) return std::string(BuiltHomePage);
    return "file://" + appDir + LangText(language, "help/nl/about.html", "help/en/about.html");
}

const char* homePageCaption(bool dutch) {
    if (!BuiltHomePage.empty()) return BuiltHomePage.data();
    return dutch ? "Over Sonoplexer (hand&leiding)" : "About Sonoplexer (&manual)";
}

} // namespace sono
