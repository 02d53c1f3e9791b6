#pragma once
// The two channel views (`Picture1` above, `Picture2` below; a mono sound's one view takes the
// height of both), the time ruler `Ruler` under them and the scroll bar `HSC`. The views show
// images drawn from a summary of each channel, which follows the editor's change notices, so a
// redraw costs the views' size and a change of selection only lays the selected columns over the
// drawn images. The zoom shows the whole sound or any stretch of it: the wheel with Ctrl and the
// + and - keys zoom around the pointer, the wheel scrolls, a drag past an edge scrolls on.
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "StylePictures.h"
#include "WaveformImages.h"
#include "editor/Editor.h"
#include "view/ViewWindow.h"
#include "view/ViewZoom.h"
#include "view/WaveSummary.h"

class QLabel;
class QScrollBar;
class QSpacerItem;
class QTimer;
class QWheelEvent;

namespace sono {

class ChannelView;

class WaveformViews : public QWidget {
    Q_OBJECT
  public:
    // The least height of a view.
    static constexpr int LeastViewHeight = 64;
    // The band between the views of a stereo sound.
    static constexpr int ViewGap = 3;
    // The zoom of one step of the wheel with Ctrl, and of one press of + or -.
    static constexpr double WheelZoom = 1.25;
    static constexpr double KeyZoom = 2;

    // `popup` shows the Edit menu at a point of the screen (the secondary button in a view).
    WaveformViews(Editor& editor, std::string pictureFolder,
                  std::function<void(const QPoint&)> popup, QWidget* parent = nullptr);

    // The samples changed: the summary follows, and the next showing draws anew.
    void soundChanged(const SoundChange& change);
    // A view option, the graph style or the sound's loading changed: draw anew when shown.
    void redrawNeeded() { dirty_ = true; }
    // Composes the views with the selection (drawing first when needed).
    void showSelection();
    // While held, the views keep their pictures (stretched to a new size) and read no samples;
    // once let go they are drawn anew at their size when the event loop comes round.
    void holdStill(bool hold);
    // What the views show now; the lower one is null for a mono sound.
    const std::array<QImage, 2>& shown() const { return shown_; }
    // The graphic Save Graphic As BMP writes: the views as shown, with the ruler when it shows.
    QImage graphic() const;
    const ViewWindow& viewWindow() const { return view_; }

    // ---- zoom ----
    void showWholeSound();
    // Frames first..last across the views.
    void showFrames(double first, double last);
    // Zooms in (factor below 1) or out around pixel column x, or when none is given around the
    // pointer over a view, else the play cursor, else the middle.
    void zoomBy(double factor, std::optional<double> x = std::nullopt);
    void scrollToStart();
    void scrollToEnd();

    // The play cursor and the markers of the played range over both views, as pixel columns
    // (none: hidden). They are hidden while the scroll bar's thumb is dragged.
    struct PlayMarks {
        std::optional<double> cursor;
        std::optional<double> begin;
        std::optional<double> end;
        bool operator==(const PlayMarks&) const = default;
    };
    void showPlayMarks(const PlayMarks& marks);
    // While the sound plays the views turn a page when the cursor at `frame` leaves them, unless
    // the user moved the views since playback began.
    void playbackStarted() { movedWhilePlaying_ = false; }
    void followPlayback(double frame);
    // The pixel column of frame f in the views.
    double xAtFrame(double frame) const;
    int viewWidth() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class ChannelView;
    void render();
    // The zoom moved: the scroll bar follows and the views are drawn anew.
    void zoomMoved(bool byUser);
    // The pointer in view 1 or 2 at pixel column x (outside the view while dragging past it).
    void pointerDown(int view, Qt::MouseButton button, int x, const QPoint& global);
    void pointerMove(int view, Qt::MouseButtons buttons, int x);
    void pointerUp();
    void wheel(int view, QWheelEvent* event);
    // A drag held past an edge scrolls on by itself.
    void scrollPastEdge();
    double frameAt(int x) const;

    Editor& editor_;
    StylePictures pictures_;
    std::function<void(const QPoint&)> popup_;
    WaveSummary summary_;
    bool summarised_ = false;
    bool dirty_ = true;
    bool held_ = false;
    QSize renderedSize_;
    ViewZoom zoom_;
    bool zoomOption_ = false; // the Zoom option as last applied
    std::string shownFile_;   // the sound the zoom belongs to
    ViewWindow view_;
    WaveformImages images_;
    std::array<QImage, 2> shown_;
    std::array<ChannelView*, 2> views_{};
    QSpacerItem* gap_;
    QLabel* ruler_;
    QScrollBar* hsc_;
    PlayMarks marks_;
    bool scrolling_ = false;
    bool scrollChanged_ = false; // the markers must be shown anew
    bool movedWhilePlaying_ = false;
    QTimer* edgeTimer_;
    int dragView_ = 0;            // the view a drag runs in, 0 when none
    int dragX_ = 0;               // where its pointer is
    std::optional<int> pointerX_; // the pointer's column while it is over a view
};

} // namespace sono
