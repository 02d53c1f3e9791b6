#include "CurvePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace sono {

namespace {
constexpr int BlockSize = 17; // the picture "mover.gif"
constexpr int AreaWidth = 150;
constexpr int BlockMargin = 12; // between a block and its side of the panel
} // namespace

// The panel `Geheel`: its colour and the line `Verbind` between the centres of the blocks.
class CurvePanel::Area : public QWidget {
  public:
    explicit Area(CurvePanel& panel) : panel_(panel) {
        setFixedSize(AreaWidth, int(BlockTravel) + BlockSize);
    }
    static int blockX(Side side) {
        return side == Left ? BlockMargin : AreaWidth - BlockMargin - BlockSize;
    }
    QColor colour;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colour);
        painter.setPen(Qt::black);
        const double half = BlockSize / 2.0;
        painter.drawLine(QPointF(blockX(Left) + half, panel_.top(Left) + half),
                         QPointF(blockX(Right) + half, panel_.top(Right) + half));
    }

  private:
    CurvePanel& panel_;
};

// A block `Blok`: dragged up and down with the primary button, following the pointer one pixel per
// pixel.
class CurvePanel::Block : public QWidget {
  public:
    Block(CurvePanel& panel, Side side, const QPixmap& picture, QWidget* area)
        : QWidget(area), panel_(panel), side_(side), picture_(picture) {
        setFixedSize(BlockSize, BlockSize);
        setCursor(Qt::SizeVerCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!picture_.isNull()) {
            painter.drawPixmap(rect(), picture_);
            return;
        }
        painter.fillRect(rect(), palette().button());
        painter.setPen(palette().dark().color());
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        pressedAt_ = event->globalPosition().y();
        topAtPress_ = panel_.top(side_);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton)) return;
        panel_.placeBlock(side_, topAtPress_ + (event->globalPosition().y() - pressedAt_));
    }

  private:
    CurvePanel& panel_;
    Side side_;
    QPixmap picture_;
    double pressedAt_ = 0;
    double topAtPress_ = 0;
};

CurvePanel::CurvePanel(int index, CurveScale scale, CurveSentence sentence, const QPixmap& mover,
                       QWidget* parent)
    : QWidget(parent), scale_(scale), sentence_(sentence), title_(new QLabel),
      area_(new Area(*this)), same_(new QCheckBox), explanation_(new QLabel) {
    const QString number = QString::number(index);
    title_->setObjectName("Titel" + number);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    area_->setObjectName("Geheel" + number);
    for (Side side : {Left, Right}) {
        blocks_[side] = new Block(*this, side, mover, area_);
        blocks_[side]->setObjectName("Blok" + QString::number(2 * index + side));
    }
    same_->setObjectName("Zelfde" + number);
    explanation_->setObjectName("Verklaring" + number);
    explanation_->setWordWrap(true);
    explanation_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explanation_->setMinimumHeight(3 * explanation_->fontMetrics().lineSpacing());

    // Clicking the box re-applies the left block: checked, the right one jumps to its height.
    connect(same_, &QCheckBox::clicked, this, [this] { placeBlock(Left, tops_[Left]); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(area_, 0, Qt::AlignHCenter);
    layout->addWidget(same_);
    layout->addWidget(explanation_);
    layout->addStretch(1);
}

bool CurvePanel::same() const {
    return same_->isChecked();
}

void CurvePanel::setState(double leftTop, double rightTop, bool same) {
    tops_ = {clampTop(leftTop), clampTop(rightTop)};
    same_->setChecked(same);
    refresh();
}

void CurvePanel::lockSame() {
    same_->setChecked(true);
    same_->setEnabled(false);
}

void CurvePanel::setTexts(const QString& title, const QString& sameText, uint8_t language) {
    title_->setText(title);
    same_->setText(sameText);
    language_ = language;
    // The sentence wraps within the column the box and the panel take.
    explanation_->setFixedWidth(std::max(AreaWidth, same_->sizeHint().width()));
    refresh();
}

void CurvePanel::placeBlock(Side side, double top) {
    tops_[side] = clampTop(top);
    if (same()) tops_[1 - side] = tops_[side];
    refresh();
    emit changed();
}

void CurvePanel::refresh() {
    for (Side side : {Left, Right})
        blocks_[side]->move(Area::blockX(side), int(std::lround(tops_[side])));
    const PanelColour colour = panelColour(tops_[Left], tops_[Right]);
    area_->colour = QColor(colour.red, colour.green, colour.blue);
    area_->update();
    explanation_->setText(QString::fromStdString(
        curveSentence(sentence_, same(), value(Left), value(Right), language_)));
}

} // namespace sono
