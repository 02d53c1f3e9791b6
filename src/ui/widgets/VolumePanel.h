#pragma once
// The real-time volume panel `Picture9`: the level of the sound around the play position
// (`Picture7`), a strip of seven loudness steps (`Picture8`) and the position text
// (`LblVolume`). The user drags it anywhere in the window from any of its parts; it stays between
// the command toolbar and the progress area, and a panel left against the toolbar, the progress
// area or the right edge stays there when the window changes size.
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;

namespace sono {

class VolumePanel : public QWidget {
    Q_OBJECT
  public:
    // `top` and `bottom` give the band of the window the panel may stand in, in the window's
    // coordinates, at the moment of asking.
    VolumePanel(std::function<int()> top, std::function<int()> bottom, QWidget* window);

    // Puts the panel back inside its band after the window changed size, keeping it against the
    // edges it rested on.
    void keepInside();
    // The dots of the level picture (one row per column, as many columns as levelWidth; none
    // while nothing plays), the step 0..6 the strip shows lit up to, and the position text.
    void showLevels(const std::vector<int>& rows, int step, const QString& text);
    // Empties the position text until the next levels come.
    void clearText();
    int levelWidth() const;
    int levelHeight() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void moveClamped(QPoint topLeft);

    std::function<int()> top_;
    std::function<int()> bottom_;
    QPoint grab_;
    bool dragging_ = false;
    bool onBottom_ = true; // rests on the progress area
    bool onTop_ = false;   // rests against the toolbar
    bool onRight_ = true;  // rests against the right edge
    int step_ = 0;
    std::vector<int> rows_;
    QLabel* label_;
};

} // namespace sono
