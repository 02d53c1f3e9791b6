#pragma once
// The strip above the status bar that shows how far a long operation has come: a label with the
// operation's text and percentage, a bar, and Cancel once the work has run a while. It is hidden
// while nothing runs.
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace sono {

class ProgressArea : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressArea(QWidget* parent = nullptr);

    void start(const QString& label);
    // step 0..99 of the hundred steps of a pass; the label carries the percentage already.
    void showStep(int step, const QString& label);
    // Shows the Cancel button with its caption in the current language.
    void offerCancel(const QString& caption);
    void end();
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    void cancelClicked();

  private:
    // Some work runs on the window's thread without returning to the event loop: the area paints
    // itself at once.
    void repaintNow();

    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

} // namespace sono
