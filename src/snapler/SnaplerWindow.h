#pragma once
// Snapler, the editor's sibling player: one WAV file played through the sound device, with a
// position bar to follow and move it, and Play, Pause and Stop, in the language of the editor's
// settings.
#include <QWidget>

#include <string>

#include "QtWaveDevice.h"

class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace sono {

class SnaplerWindow : public QWidget {
    Q_OBJECT
  public:
    // `language` as the editor keeps it (LanguageDutch or not).
    SnaplerWindow(const std::string& path, uint8_t language, QWidget* parent = nullptr);

    // False when the file could not be opened for playing (the window says so).
    bool ready() const { return ready_; }
    void play();
    void pause();
    void stop();
    int64_t positionMs() const;

  private:
    QString text(const char* dutch, const char* english) const;
    void follow();

    uint8_t language_;
    QtWaveDevice device_;
    bool ready_ = false;
    bool playing_ = false;
    QLabel* name_;
    QSlider* position_;
    QLabel* time_;
    QPushButton* play_;
    QPushButton* pause_;
    QPushButton* stop_;
    QTimer* timer_;
};

} // namespace sono
