#pragma once
// The synthesizer dialog: the period drawn with the mouse in "Picture1" (500 x 256,
// smoothed while "Check2" is checked), the period files of "File1" (loaded by a click, saved with
// "Command3"), the frequency, volume and duration scroll bars ("HScroll1" to "HScroll3"), the rate
// and width options, a preview ("Command5") and Open ("Command1"), which hands everything to
// `synthesize`. Made once and hidden between uses, so the period and the settings live on.
#include <functional>
#include <string>

#include <QWidget>

#include "EffectDialog.h"
#include "GeneratorQuality.h"
#include "generators/Synthesizer.h"
#include "ports/WaveDevice.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QScrollBar;

namespace sono {

// The drawing area: the period as a white line on black; the primary button draws.
class PeriodView : public QWidget {
    Q_OBJECT
  public:
    PeriodView(Period& period, std::function<bool()> smooth, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {PeriodColumns, PeriodHeight}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void drawTo(const QPointF& at);

    Period& period_;
    std::function<bool()> smooth_;
    int previous_ = 0;
};

class SynthesizerDialog : public EffectDialog {
    Q_OBJECT
  public:
    // Plays a sound in memory without waiting (the preview).
    using Player = std::function<void(const SoundInMemory& sound)>;

    explicit SynthesizerDialog(Editor& editor, QWidget* parent = nullptr);
    void setPlayer(Player player) { player_ = std::move(player); }
    // The settings as the controls and the drawing hold them.
    SynthSettings settings() const;

  protected:
    // The first time: standard.qvf loaded; every time: the list refreshed, the texts and the period
    // drawn anew.
    void prepare() override;
    // Frequency, volume, duration, the rate's and the width's index, the period.
    Arguments arguments() const override;

  private:
    // The texts in the current language, with the three values.
    void showTexts();
    // The period drawn anew.
    void redrawPeriod();
    // File1 pointed at the period folders and filled again, keeping the chosen name.
    void refreshList();
    // A period file chosen in the list (or the first load's standard.qvf).
    void loadPeriod(const std::string& name);
    void savePeriod();
    void play();

    SynthSettings settings_; // the period; the other values are read from the controls
    bool loadedOnce_ = false;
    Player player_;
    std::vector<int16_t> preview_; // what the preview plays, kept in place while it plays
    QScrollBar* frequency_;
    QScrollBar* volume_;
    QScrollBar* duration_;
    QLabel* frequencyLabel_;
    QLabel* volumeLabel_;
    QLabel* durationLabel_;
    GeneratorQuality quality_;
    QCheckBox* smooth_;
    PeriodView* picture_;
    QListWidget* files_;
};

} // namespace sono
