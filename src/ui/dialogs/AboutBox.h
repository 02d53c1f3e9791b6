#pragma once
// The about box: the snail, the program's name and version, who made it and where, and a
// request to rate the program.
#include <QDialog>

#include <cstdint>

namespace sono {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(QWidget* parent, uint8_t language, const QString& snailPicture,
             const QString& homePage);
};

} // namespace sono
