#include "WaveformViews.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "RulerImage.h"
#include "view/Ruler.h"

namespace sono {

// One channel view: shows its image and hands the pointer to the views.
class ChannelView : public QWidget {
  public:
    ChannelView(WaveformViews& views, int number) : views_(views), number_(number) {
        setObjectName(number == 1 ? "Picture1" : "Picture2");
        setMinimumHeight(WaveformViews::LeastViewHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void show(const QImage& image) {
        image_ = image;
        update();
    }
    void showMarks(const WaveformViews::PlayMarks& marks) {
        marks_ = marks;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (image_.isNull())
            painter.fillRect(rect(), Qt::white);
        else
            painter.drawImage(rect(), image_);
        // The range being played in green, the play cursor in red.
        auto line = [&](const std::optional<double>& x, const QColor& colour) {
            if (!x) return;
            painter.setPen(QPen(colour, 1));
            painter.drawLine(QPointF(*x, 0), QPointF(*x, height()));
        };
        line(marks_.begin, QColor(0, 160, 0));
        line(marks_.end, QColor(0, 160, 0));
        line(marks_.cursor, Qt::red);
    }
    void resizeEvent(QResizeEvent*) override {
        // A view grows or shrinks with the window (or with the other view's showing).
        if (isVisible()) views_.showSelection();
    }
    void mousePressEvent(QMouseEvent* event) override {
        views_.pointerDown(number_, event->button(), int(event->position().x()),
                           event->globalPosition().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        views_.pointerMove(number_, event->buttons(), int(event->position().x()));
    }
    void mouseReleaseEvent(QMouseEvent*) override { views_.pointerUp(); }

  private:
    WaveformViews& views_;
    int number_;
    QImage image_;
    WaveformViews::PlayMarks marks_;
};

WaveformViews::WaveformViews(Editor& editor, std::string pictureFolder,
                             std::function<void(const QPoint&)> popup, QWidget* parent)
    : QWidget(parent), editor_(editor), pictures_(std::move(pictureFolder)),
      popup_(std::move(popup)), ruler_(new QLabel), hsc_(new QScrollBar(Qt::Horizontal)) {
    setObjectName("views");
    views_ = {new ChannelView(*this, 1), new ChannelView(*this, 2)};
    ruler_->setObjectName("Ruler");
    ruler_->setFixedHeight(RulerHeight);
    ruler_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hsc_->setObjectName("HSC");
    hsc_->hide();
    views_[1]->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    layout->addWidget(views_[0], 1);
    // A narrow band of the window between the views tells the channels apart at full scale.
    gap_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout->addSpacerItem(gap_);
    layout->addWidget(views_[1], 1);
    layout->addWidget(ruler_);
    layout->addWidget(hsc_);
    // Moving the two-second window draws the views anew; the markers are hidden while the
    // thumb is dragged.
    connect(hsc_, &QScrollBar::valueChanged, this, [this] {
        dirty_ = true;
        showSelection();
    });
    connect(hsc_, &QScrollBar::sliderPressed, this, [this] {
        scrolling_ = scrollChanged_ = true;
        showPlayMarks(marks_);
    });
    connect(hsc_, &QScrollBar::sliderReleased, this, [this] {
        scrolling_ = false;
        scrollChanged_ = true;
        showPlayMarks(marks_);
    });
}

int WaveformViews::viewWidth() const {
    return std::max(views_[0]->width(), 1);
}

void WaveformViews::soundChanged(const SoundChange& change) {
    const Document& doc = editor_.doc();
    if (!summarised_ || change.formatChanged) {
        summary_.rebuild(doc);
        summarised_ = true;
    } else {
        summary_.update(doc, change);
    }
    dirty_ = true;
}

void WaveformViews::render() {
    const Document& doc = editor_.doc();
    const Options& options = editor_.options();
    if (views_[1]->isVisible() != doc.isStereo()) {
        views_[1]->setVisible(doc.isStereo());
        gap_->changeSize(0, doc.isStereo() ? ViewGap : 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
        layout()->invalidate();
        ruler_->setVisible(options.showTime);
        layout()->activate();
    }
    ruler_->setVisible(options.showTime);
    const int width = viewWidth();
    const int height = std::max(views_[0]->height(), 1);
    scroll_ = scrollRange(options.zoom, doc.SampleCount, doc.SampleRate, width);
    {
        const QSignalBlocker quiet(hsc_);
        hsc_->setRange(0, scroll_.maximum);
        hsc_->setPageStep(scroll_.largeChange);
        hsc_->setSingleStep(scroll_.smallChange);
    }
    hsc_->setVisible(scroll_.shown);
    view_ = sono::viewWindow(doc.SampleCount, doc.SampleRate, scroll_, hsc_->value());

    // The time goes into the ruler strip under the views, never over the waveform.
    RenderRequest request{doc, graphStyleOf(options.graphStyle), false, view_, width, height, {}};
    if (!doc.FileName.empty()) {
        request.columns[0] = summary_.columns(doc, 1, view_, width);
        if (doc.isStereo()) request.columns[1] = summary_.columns(doc, 2, view_, width);
    }
    images_ = renderWaveform(request, pictures_);
    const Ruler ruler = doc.FileName.empty()
                            ? Ruler{}
                            : rulerOf(view_, doc.SampleCount, double(doc.SampleRate), width);
    ruler_->setPixmap(QPixmap::fromImage(rulerImage(ruler, width)));
    renderedSize_ = QSize(width, height);
    dirty_ = false;
}

void WaveformViews::showSelection() {
    if (dirty_ || renderedSize_ != QSize(viewWidth(), views_[0]->height())) render();
    shown_ = composeViews(images_, editor_.doc(), view_, editor_.options().bothChannels);
    views_[0]->show(shown_[0]);
    views_[1]->show(shown_[1]);
}

QImage WaveformViews::graphic() const {
    const QImage views = graphicOfViews(shown_, editor_.doc().isStereo());
    if (!ruler_->isVisible()) return views;
    return withRuler(views, ruler_->pixmap().toImage());
}

void WaveformViews::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (renderedSize_ != QSize(viewWidth(), views_[0]->height())) showSelection();
}

void WaveformViews::showPlayMarks(const PlayMarks& marks) {
    if (marks == marks_ && !scrollChanged_) return;
    scrollChanged_ = false;
    marks_ = marks;
    const PlayMarks shown = scrolling_ ? PlayMarks{} : marks;
    for (ChannelView* view : views_)
        view->showMarks(shown);
}

double WaveformViews::xAtFrame(double frame) const {
    const Document& doc = editor_.doc();
    return XAtFrame(frame, view_, doc.SampleCount, doc.SampleRate, viewWidth());
}

double WaveformViews::frameAt(int x) const {
    const Document& doc = editor_.doc();
    return FrameAtX(x, view_, doc.SampleCount, doc.SampleRate, viewWidth());
}

void WaveformViews::pointerDown(int view, Qt::MouseButton button, int x, const QPoint& global) {
    if (button == Qt::RightButton) {
        popup_(global);
        return;
    }
    if (button != Qt::LeftButton) return;
    editor_.runExclusive([&] { editor_.selectionPointerDown(view, frameAt(x)); });
}

void WaveformViews::pointerMove(int view, Qt::MouseButtons buttons, int x) {
    // Only the primary button held alone drags.
    if (buttons != Qt::LeftButton) return;
    x = std::clamp(x, 0, viewWidth());
    editor_.runExclusive([&] { editor_.selectionPointerMove(view, frameAt(x)); });
}

void WaveformViews::pointerUp() {
    editor_.runExclusive([&] { editor_.selectionPointerUp(); });
}

} // namespace sono
