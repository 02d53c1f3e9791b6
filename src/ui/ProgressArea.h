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
    // True between start() and end(): the loop that drives the bar is still on the stack.
    bool isRunning() const { return running_; }

  private:
    // Long loops run on the window's thread without returning to the event loop; letting the
    // paint events through keeps the bar moving, while clicks and keys wait until the loop ends.
    void repaintNow();

    QLabel* label_;
    QProgressBar* bar_;
    bool running_ = false;
};

} // namespace sono
