#include "StylePictures.h"

#include <QFile>

namespace sono {

const QImage& StylePictures::picture(const std::string& name) {
    auto found = loaded_.find(name);
    if (found != loaded_.end()) return found->second;
    // By content, not by extension: "audio.grf" is an ordinary picture under its own name.
    QImage image(QFile::decodeName(QByteArray::fromStdString(folder_ + name)));
    return loaded_.emplace(name, image.convertToFormat(QImage::Format_RGB32)).first->second;
}

} // namespace sono
