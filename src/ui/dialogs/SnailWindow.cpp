#include "SnailWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "support/Texts.h"

namespace sono {

namespace {
constexpr int Width = 420;
constexpr int Height = 200;
constexpr int GrassTop = 150;
constexpr double Pace = 0.6; // pixels a tick: a snail's pace
} // namespace

SnailWindow::SnailWindow(QWidget* parent, uint8_t language, const QString& snailPicture)
    : QWidget(parent, Qt::Window), language_(language), snail_(snailPicture),
      timer_(new QTimer(this)) {
    setObjectName("FrmEgg");
    setWindowTitle(
        QString::fromStdString(LangText(language, "Klik Niet Hier!", "Don't Click Here!")));
    setFixedSize(Width, Height);
    if (!snail_.isNull()) snail_ = snail_.scaledToHeight(64, Qt::SmoothTransformation);
    connect(timer_, &QTimer::timeout, this, &SnailWindow::crawl);
    timer_->start(40);
    // Over the middle of the main window, as the dialogs open.
    if (parent) move(parent->window()->geometry().center() - rect().center());
}

void SnailWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

QRect SnailWindow::snailRect() const {
    return QRect(int(x_), GrassTop - snail_.height() + 6, snail_.width(), snail_.height());
}

void SnailWindow::crawl() {
    x_ += direction_ * Pace;
    if (x_ > Width - snail_.width() || x_ < 0) direction_ = -direction_;
    if (ouchTicks_ > 0) --ouchTicks_;
    update();
}

void SnailWindow::mousePressEvent(QMouseEvent* event) {
    if (!snailRect().contains(event->position().toPoint())) return;
    direction_ = -direction_;
    ouchTicks_ = 40;
}

void SnailWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, GrassTop);
    sky.setColorAt(0, QColor(150, 200, 245));
    sky.setColorAt(1, QColor(225, 240, 255));
    painter.fillRect(rect(), sky);
    painter.fillRect(0, GrassTop, Width, Height - GrassTop, QColor(90, 160, 70));
    for (int x = 3; x < Width; x += 7)
        painter.fillRect(x, GrassTop - 4 + (x * 13) % 5, 2, 6, QColor(70, 135, 55));

    painter.setPen(QColor(40, 50, 70));
    const QString words =
        ouchTicks_ > 0
            ? QString::fromStdString(
                  LangText(language_, "Au! Niet aan de slak zitten.", "Ouch! Hands off the snail."))
            : QString::fromStdString(LangText(language_,
                                              "U hebt toch geklikt. Nu moet de slak helemaal "
                                              "naar de overkant, en weer terug.",
                                              "You clicked anyway. Now the snail has to crawl all "
                                              "the way across, and back again."));
    painter.drawText(QRect(16, 12, Width - 32, 60), Qt::AlignCenter | Qt::TextWordWrap, words);

    // The picture looks to the right; crawling left it is mirrored.
    QImage snail = snail_.toImage();
    if (direction_ < 0) snail = snail.mirrored(true, false);
    painter.drawImage(snailRect().topLeft(), snail);
}

} // namespace sono
