#pragma once
// A panel of the status bar. The message panel takes the room the others leave and shortens a
// message that does not fit with an ellipsis (the whole text is its tooltip). The panels that
// describe the sound are as wide as what they say, which changes only with the sound. The
// position panel, whose text runs while the sound plays, keeps the width of its longest text so
// that the bar does not jump, and takes no room while it is empty.
#include <QLabel>
#include <QPixmap>

namespace sono {

class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    enum class Width {
        Rest,    // the message panel
        OfText,  // as wide as its text
        Longest, // as wide as the longest of `longest`, while it shows a text
    };
    explicit StatusPanel(Width width, const QStringList& longest = {}, QWidget* parent = nullptr);

    void setPanelText(const QString& text);
    QString panelText() const { return full_; }
    // The small picture shown before the text.
    void setPicture(const QPixmap& picture);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void showFitting();
    void fitWidth();
    int widthFor(const QString& text) const;

    Width width_;
    QStringList longest_;
    QString full_;
    QPixmap picture_;
};

} // namespace sono
