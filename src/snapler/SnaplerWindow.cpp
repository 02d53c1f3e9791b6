#include "SnaplerWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "support/Texts.h"

namespace sono {

SnaplerWindow::SnaplerWindow(const std::string& path, uint8_t language, QWidget* parent)
    : QWidget(parent), language_(language), name_(new QLabel),
      position_(new QSlider(Qt::Horizontal)), time_(new QLabel),
      play_(new QPushButton(text("&Afspelen", "&Play"))),
      pause_(new QPushButton(text("&Pauze", "P&ause"))),
      stop_(new QPushButton(text("&Stoppen", "&Stop"))), timer_(new QTimer(this)) {
    setObjectName("Snapler");
    const QString fileName = QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
    setWindowTitle(fileName.isEmpty() ? QStringLiteral("Snapler")
                                      : fileName + QStringLiteral(" - Snapler"));
    name_->setObjectName("name");
    position_->setObjectName("position");
    time_->setObjectName("time");
    play_->setObjectName("play");
    pause_->setObjectName("pause");
    stop_->setObjectName("stop");

    ready_ = !path.empty() && device_.open(path, WaveDevice::Purpose::Play);
    name_->setText(ready_         ? fileName
                   : path.empty() ? text("Er is geen bestand gekozen.", "No file has been chosen.")
                                  : text("Dit bestand kan niet worden afgespeeld.",
                                         "This file cannot be played."));
    position_->setRange(0, ready_ ? int(device_.length()) : 0);
    position_->setEnabled(ready_);
    for (QPushButton* button : {play_, pause_, stop_})
        button->setEnabled(ready_);
    // Moving the bar moves the sound.
    connect(position_, &QSlider::sliderMoved, this, [this](int ms) { device_.seek(ms); });
    connect(play_, &QPushButton::clicked, this, &SnaplerWindow::play);
    connect(pause_, &QPushButton::clicked, this, &SnaplerWindow::pause);
    connect(stop_, &QPushButton::clicked, this, &SnaplerWindow::stop);
    connect(timer_, &QTimer::timeout, this, &SnaplerWindow::follow);
    timer_->start(50);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(pause_);
    buttons->addWidget(stop_);
    buttons->addStretch(1);
    buttons->addWidget(time_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name_);
    layout->addWidget(position_);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    follow();
}

QString SnaplerWindow::text(const char* dutch, const char* english) const {
    return QString::fromStdString(LangText(language_, dutch, english));
}

void SnaplerWindow::play() {
    if (!ready_) return;
    // After the end, Play starts again from the beginning.
    if (device_.position() >= device_.length()) device_.seek(0);
    device_.play();
    playing_ = true;
    follow();
}

void SnaplerWindow::pause() {
    device_.stop();
    playing_ = false;
    follow();
}

void SnaplerWindow::stop() {
    device_.stop();
    device_.seek(0);
    playing_ = false;
    follow();
}

int64_t SnaplerWindow::positionMs() const {
    return device_.position();
}

void SnaplerWindow::follow() {
    if (!ready_) return;
    const int64_t at = device_.position(), length = device_.length();
    if (playing_ && at >= length) {
        device_.stop();
        playing_ = false;
    }
    if (!position_->isSliderDown()) position_->setValue(int(at));
    time_->setText(QString::fromStdString(FormatDuration(int32_t(at)) + " / " +
                                          FormatDuration(int32_t(length))));
    play_->setEnabled(!playing_);
    pause_->setEnabled(playing_);
}

} // namespace sono
