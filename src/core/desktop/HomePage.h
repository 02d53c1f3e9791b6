#pragma once
// The program's page on the web as the Help menu and the about box name it: the home page set
// when the program was built (the CMake option SONO_HOME_PAGE), else the about page of the
// installed manual, which is always there.
#include <cstdint>
#include <string>

namespace sono {

// The address to open: the home page, or "file://" + the about page in `appDir` (the shipped
// files, ending in a separator) in the language of the moment.
std::string homePageAddress(const std::string& appDir, uint8_t language);
// The Help menu's caption of the item that opens it: the home page's address itself, or a name
// of the about page.
const char* homePageCaption(bool dutch);

} // namespace sono
