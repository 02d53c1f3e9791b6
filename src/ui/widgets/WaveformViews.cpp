#include "WaveformViews.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "RulerImage.h"
#include "view/Ruler.h"

namespace sono {

// One channel view: shows its image and hands the pointer and the wheel to the views.
class ChannelView : public QWidget {
  public:
    ChannelView(WaveformViews& views, int number) : views_(views), number_(number) {
        setObjectName(number == 1 ? "Picture1" : "Picture2");
        setMinimumHeight(WaveformViews::LeastViewHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // The keys zoom around the pointer: the views know where it is.
        setMouseTracking(true);
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
        views_.pointerDown(number_, event->button(), int(std::floor(event->position().x())),
                           event->globalPosition().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        views_.pointerMove(number_, event->buttons(), int(std::floor(event->position().x())));
    }
    void mouseReleaseEvent(QMouseEvent*) override { views_.pointerUp(); }
    void leaveEvent(QEvent*) override { views_.pointerX_.reset(); }
    void wheelEvent(QWheelEvent* event) override { views_.wheel(number_, event); }

  private:
    WaveformViews& views_;
    int number_;
    QImage image_;
    WaveformViews::PlayMarks marks_;
};

WaveformViews::WaveformViews(Editor& editor, std::string pictureFolder,
                             std::function<void(const QPoint&)> popup, QWidget* parent)
    : QWidget(parent), editor_(editor), pictures_(std::move(pictureFolder)),
      popup_(std::move(popup)), ruler_(new QLabel), hsc_(new QScrollBar(Qt::Horizontal)),
      edgeTimer_(new QTimer(this)) {
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
    // The scroll bar moves the zoomed stretch; the markers are hidden while the thumb is
    // dragged.
    connect(hsc_, &QScrollBar::valueChanged, this, [this](int value) {
        zoom_.scrollToBar(value);
        zoomMoved(true);
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
    edgeTimer_->setInterval(40);
    connect(edgeTimer_, &QTimer::timeout, this, &WaveformViews::scrollPastEdge);
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
    zoom_.setSound(doc.SampleCount, doc.SampleRate);
    zoom_.setWidth(width);
    // Another sound, or the Zoom option switched: the option's view, the two-second window or
    // the whole sound.
    if (doc.FileName != shownFile_ || options.zoom != zoomOption_) {
        const double start = doc.FileName != shownFile_ ? 0 : zoom_.start();
        shownFile_ = doc.FileName;
        zoomOption_ = options.zoom;
        if (options.zoom && doc.SampleRate > 0)
            zoom_.show(start, 2.0 * doc.SampleRate);
        else
            zoom_.showWhole();
    }
    view_ = zoom_.window();
    const ScrollBarState bar = zoom_.scrollBar();
    {
        const QSignalBlocker quiet(hsc_);
        hsc_->setRange(0, bar.maximum);
        hsc_->setPageStep(bar.pageStep);
        hsc_->setSingleStep(bar.singleStep);
        hsc_->setValue(bar.value);
    }
    hsc_->setVisible(bar.shown);

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

void WaveformViews::holdStill(bool hold) {
    held_ = hold;
    if (!hold)
        QTimer::singleShot(0, this, [this] {
            if (renderedSize_ != QSize(viewWidth(), views_[0]->height())) showSelection();
        });
}

void WaveformViews::showSelection() {
    if (held_) return;
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

// ---------------------------------------------------------------- zoom

void WaveformViews::zoomMoved(bool byUser) {
    if (byUser && editor_.transport().devicePlaying()) movedWhilePlaying_ = true;
    dirty_ = true;
    showSelection();
}

void WaveformViews::showWholeSound() {
    zoom_.showWhole();
    zoomMoved(true);
}

void WaveformViews::showFrames(double first, double last) {
    zoom_.setWidth(viewWidth());
    zoom_.showFrames(first, last);
    zoomMoved(true);
}

void WaveformViews::zoomBy(double factor, std::optional<double> x) {
    if (editor_.doc().FileName.empty()) return;
    if (!x) x = pointerX_ ? double(*pointerX_) : marks_.cursor ? *marks_.cursor : viewWidth() / 2.0;
    zoom_.setWidth(viewWidth());
    zoom_.zoomAround(*x, factor);
    zoomMoved(true);
}

void WaveformViews::scrollToStart() {
    zoom_.scrollTo(0);
    zoomMoved(true);
}

void WaveformViews::scrollToEnd() {
    zoom_.scrollTo(double(editor_.doc().SampleCount));
    zoomMoved(true);
}

void WaveformViews::wheel(int, QWheelEvent* event) {
    event->accept();
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0) zoomBy(std::pow(WheelZoom, -delta.y() / 120.0), event->position().x());
        return;
    }
    // A notch scrolls a tenth of the view; down and right go on in time.
    const int notches = delta.x() != 0 ? -delta.x() : -delta.y();
    if (notches == 0 || zoom_.whole()) return;
    zoom_.scrollBy(notches / 120.0 * viewWidth() / 10);
    zoomMoved(true);
}

// ---------------------------------------------------------------- play marks

void WaveformViews::showPlayMarks(const PlayMarks& marks) {
    if (marks == marks_ && !scrollChanged_) return;
    scrollChanged_ = false;
    marks_ = marks;
    const PlayMarks shown = scrolling_ ? PlayMarks{} : marks;
    for (ChannelView* view : views_)
        view->showMarks(shown);
}

void WaveformViews::followPlayback(double frame) {
    if (movedWhilePlaying_ || scrolling_ || dragView_ != 0) return;
    if (zoom_.follow(frame)) zoomMoved(false);
}

double WaveformViews::xAtFrame(double frame) const {
    const Document& doc = editor_.doc();
    return XAtFrame(frame, view_, doc.SampleCount, doc.SampleRate, viewWidth());
}

// ---------------------------------------------------------------- pointer

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
    if (editor_.runExclusive([&] { editor_.view().selectionPointerDown(view, frameAt(x)); })) {
        dragView_ = view;
        dragX_ = x;
    }
}

void WaveformViews::pointerMove(int view, Qt::MouseButtons buttons, int x) {
    pointerX_ = x;
    // Only the primary button held alone drags.
    if (buttons != Qt::LeftButton) return;
    dragX_ = x;
    // Held past an edge of a zoomed view, the drag scrolls on.
    const bool pastEdge = x < 0 || x >= viewWidth();
    if (pastEdge && dragView_ != 0 && !zoom_.whole() && !edgeTimer_->isActive())
        edgeTimer_->start();
    if (!pastEdge) edgeTimer_->stop();
    x = std::clamp(x, 0, viewWidth());
    editor_.runExclusive([&] { editor_.view().selectionPointerMove(view, frameAt(x)); });
}

void WaveformViews::scrollPastEdge() {
    const int width = viewWidth();
    if (dragView_ == 0 || (dragX_ >= 0 && dragX_ < width)) {
        edgeTimer_->stop();
        return;
    }
    // The farther past the edge, the faster, up to a quarter of the view a step.
    const double pixels = dragX_ < 0 ? std::clamp(dragX_, -width / 4, -2)
                                     : std::clamp(dragX_ - width + 1, 2, std::max(width / 4, 2));
    zoom_.scrollBy(pixels);
    zoomMoved(true);
    const int x = std::clamp(dragX_, 0, width);
    editor_.runExclusive([&] { editor_.view().selectionPointerMove(dragView_, frameAt(x)); });
}

void WaveformViews::pointerUp() {
    edgeTimer_->stop();
    dragView_ = 0;
    editor_.runExclusive([&] { editor_.view().selectionPointerUp(); });
}

} // namespace sono
