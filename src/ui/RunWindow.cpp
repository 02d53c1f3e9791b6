#include "RunWindow.h"

namespace sono {

int runWindow(QApplication& app, const std::optional<std::filesystem::path>&,
              const std::optional<std::filesystem::path>&, const std::optional<std::string>&) {
    return app.exec();
}

} // namespace sono
