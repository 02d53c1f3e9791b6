#pragma once
// A panel of the status bar. Panels 2 to 4 keep one width, wide enough for the longest text they
// can show in either language, so the bar does not jump when a text changes; panel 1 takes the
// room that is left and shortens a message that does not fit with an ellipsis (the whole text is
// its tooltip).
#include <QLabel>
#include <QPixmap>

namespace sono {

class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    // `widest` are the longest texts the panel shows; none: it stretches and elides.
    explicit StatusPanel(const QStringList& widest = {}, QWidget* parent = nullptr);

    void setPanelText(const QString& text);
    QString panelText() const { return full_; }
    // The small picture shown before the text.
    void setPicture(const QPixmap& picture);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void showFitting();

    QString full_;
    QPixmap picture_;
};

} // namespace sono
