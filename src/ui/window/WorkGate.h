#pragma once
// While long work or an outside program runs, the window repaints and follows resizes but takes
// no input except Cancel: Esc, or a click on the Cancel button. What else the user clicks or
// types then is not kept for later either.
#include <QObject>

#include <functional>

class QWidget;

namespace sono {

class WorkGate : public QObject {
  public:
    // Watches the whole application from now until it goes.
    WorkGate(QWidget* cancelButton, std::function<void()> cancel);
    ~WorkGate() override;
    WorkGate(const WorkGate&) = delete;
    WorkGate& operator=(const WorkGate&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* cancelButton_;
    std::function<void()> cancel_;
};

} // namespace sono
