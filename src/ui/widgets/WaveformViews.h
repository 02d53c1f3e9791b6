#pragma once
// The two channel views (`Picture1` above, `Picture2` below; a mono sound's one view takes the
// height of both), the time ruler `Ruler` under them and the scroll bar `HSC` of the two-second
// window. The views show images drawn from a summary of each channel, which follows the
// editor's change notices, so a redraw costs the views' size and a change of selection only
// lays the selected columns over the drawn images.
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "StylePictures.h"
#include "WaveformImages.h"
#include "editor/Editor.h"
#include "view/ViewWindow.h"
#include "view/WaveSummary.h"

class QLabel;
class QScrollBar;
class QSpacerItem;

namespace sono {

class ChannelView;

class WaveformViews : public QWidget {
    Q_OBJECT
  public:
    // The least height of a view.
    static constexpr int LeastViewHeight = 64;
    // The band between the views of a stereo sound.
    static constexpr int ViewGap = 3;

    // `popup` shows the Edit menu at a point of the screen (the secondary button in a view).
    WaveformViews(Editor& editor, std::string pictureFolder,
                  std::function<void(const QPoint&)> popup, QWidget* parent = nullptr);

    // The samples changed: the summary follows, and the next showing draws anew.
    void soundChanged(const SoundChange& change);
    // A view option, the graph style or the sound's loading changed: draw anew when shown.
    void redrawNeeded() { dirty_ = true; }
    // Composes the views with the selection (drawing first when needed).
    void showSelection();
    // What the views show now; the lower one is null for a mono sound.
    const std::array<QImage, 2>& shown() const { return shown_; }
    // The graphic Save Graphic As BMP writes: the views as shown, with the ruler when it shows.
    QImage graphic() const;
    const ViewWindow& viewWindow() const { return view_; }

    // The play cursor and the markers of the played range over both views, as pixel columns
    // (none: hidden). They are hidden while the scroll bar's thumb is dragged.
    struct PlayMarks {
        std::optional<double> cursor;
        std::optional<double> begin;
        std::optional<double> end;
        bool operator==(const PlayMarks&) const = default;
    };
    void showPlayMarks(const PlayMarks& marks);
    // The pixel column of frame f in the views.
    double xAtFrame(double frame) const;
    int viewWidth() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class ChannelView;
    void render();
    // The pointer in view 1 or 2 at pixel column x.
    void pointerDown(int view, Qt::MouseButton button, int x, const QPoint& global);
    void pointerMove(int view, Qt::MouseButtons buttons, int x);
    void pointerUp();
    double frameAt(int x) const;

    Editor& editor_;
    StylePictures pictures_;
    std::function<void(const QPoint&)> popup_;
    WaveSummary summary_;
    bool summarised_ = false;
    bool dirty_ = true;
    QSize renderedSize_;
    ScrollRange scroll_;
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
};

} // namespace sono
