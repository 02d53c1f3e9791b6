#pragma once
// The hidden window behind "Don't Click Here!": the snail of the about box crawls to and fro
// over a strip of grass, and turns back, offended, when it is clicked. It opens over the middle of
// the main window and closes with Escape.
#include <QPixmap>
#include <QWidget>

#include <cstdint>

class QTimer;

namespace sono {

class SnailWindow : public QWidget {
    Q_OBJECT
  public:
    SnailWindow(QWidget* parent, uint8_t language, const QString& snailPicture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void crawl();
    QRect snailRect() const;

    uint8_t language_;
    QPixmap snail_;
    QTimer* timer_;
    double x_ = 0;
    int direction_ = 1; // 1 to the right, -1 to the left
    int ouchTicks_ = 0; // how long it still complains
};

} // namespace sono
