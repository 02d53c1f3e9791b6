#pragma once
// The strip above the status bar that shows how far a long operation has come: a label with the
// operation's text and percentage, and a bar. It is hidden while nothing runs.
#include <QWidget>

class QLabel;
class QProgressBar;

namespace sono {

class ProgressArea : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressArea(QWidget* parent = nullptr);

    void start(const QString& label);
    // step 0..99 of the hundred steps of a pass; the label carries the percentage already.
    void showStep(int step, const QString& label);
    void end();

  private:
    // Long loops run on the window's thread without returning to the event loop: the area paints
    // itself at once, while clicks, keys, timers and queued signals wait until the loop ends.
    void repaintNow();

    QLabel* label_;
    QProgressBar* bar_;
};

} // namespace sono
