#pragma once
// The picture files of the graph styles, read from the program's shipped files once and kept.
// A file that is missing or unreadable gives a null image: that part of the style is not drawn.
#include <QImage>

#include <map>
#include <string>

namespace sono {

class StylePictures {
  public:
    explicit StylePictures(std::string folder) : folder_(std::move(folder)) {}
    const QImage& picture(const std::string& name);

  private:
    std::string folder_;
    std::map<std::string, QImage> loaded_;
};

} // namespace sono
