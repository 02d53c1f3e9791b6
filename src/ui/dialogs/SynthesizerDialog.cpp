#include "SynthesizerDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "support/Numbers.h"

namespace sono {

namespace {
const char* const StandardPeriod = "standard.qvf";

QScrollBar* scrollBar(const char* name, SynthRange range, int largeChange) {
    auto* bar = named(new QScrollBar(Qt::Horizontal), name);
    bar->setRange(range.min, range.max);
    bar->setPageStep(largeChange);
    bar->setValue(range.initial);
    bar->setMinimumWidth(220);
    return bar;
}
} // namespace

// ---------------------------------------------------------------- drawing area

PeriodView::PeriodView(Period& period, std::function<bool()> smooth, QWidget* parent)
    : QWidget(parent), period_(period), smooth_(std::move(smooth)) {
    setObjectName("Picture1");
    setFixedSize(PeriodColumns, PeriodHeight);
    setCursor(Qt::CrossCursor);
}

void PeriodView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(Qt::white);
    for (int x = 0; x + 1 < PeriodColumns; ++x)
        painter.drawLine(x, 255 - period_[size_t(x)], x + 1, 255 - period_[size_t(x + 1)]);
}

void PeriodView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    previous_ = int(roundToInt(event->position().x()));
    drawTo(event->position());
}

void PeriodView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) drawTo(event->position());
}

void PeriodView::drawTo(const QPointF& at) {
    previous_ = drawPeriodMove(period_, previous_, at.x(), at.y(), smooth_());
    update();
}

// ---------------------------------------------------------------- dialog

SynthesizerDialog::SynthesizerDialog(Editor& editor, QWidget* parent)
    : EffectDialog(editor, "Synthesizer", parent, "Openen", "Open"),
      frequency_(scrollBar("HScroll1", SynthFrequencyRange, 10)),
      volume_(scrollBar("HScroll2", SynthVolumeRange, 10)),
      duration_(scrollBar("HScroll3", SynthDurationRange, 500)),
      frequencyLabel_(named(new QLabel, "Label1")), volumeLabel_(named(new QLabel, "Label2")),
      durationLabel_(named(new QLabel, "Label3")), quality_(captions_),
      smooth_(named(new QCheckBox, "Check2")),
      picture_(new PeriodView(settings_.period, [this] { return smooth_->isChecked(); })),
      files_(named(new QListWidget, "File1")) {
    smooth_->setChecked(true);
    captions_.push_back({smooth_, "Vloeiend tekenen", "Smooth drawing"});
    for (QScrollBar* bar : {frequency_, volume_, duration_})
        connect(bar, &QScrollBar::valueChanged, this, &SynthesizerDialog::showTexts);

    auto* drawHint = named(new QLabel, "Label4");
    captions_.push_back({drawHint,
                         "(Tekenen: klik in bovenstaande figuur en beweeg de muisaanwijzer.)",
                         "(To draw: click on the graphic and move the mouse cursor.)"});
    auto* periodFrame = named(new QGroupBox, "Frame5");
    captions_.push_back({periodFrame, "Eén trilling / periode", "One vibration / period"});
    auto* periodColumn = new QVBoxLayout(periodFrame);
    periodColumn->addWidget(picture_);
    periodColumn->addWidget(drawHint);
    periodColumn->addWidget(smooth_);

    auto* clickHint = named(new QLabel, "Label5");
    clickHint->setWordWrap(true);
    captions_.push_back(
        {clickHint, "Klik op een bestand om het te openen.", "Click on a file to open it."});
    auto* saveHint = named(new QLabel, "Label6");
    saveHint->setWordWrap(true);
    captions_.push_back({saveHint, "U kunt ook het huidige geluid opslaan.",
                         "You can also save the current sound."});
    auto* save = named(new QPushButton, "Command3");
    captions_.push_back({save, "Opslaan", "Save"});
    connect(save, &QPushButton::clicked, this, &SynthesizerDialog::savePeriod);
    files_->setMinimumWidth(150);
    connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) loadPeriod(files_->item(row)->text().toStdString());
    });
    connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        // A click on the name already chosen loads it again.
        if (item == files_->currentItem() && !files_->signalsBlocked())
            loadPeriod(item->text().toStdString());
    });
    auto* fileFrame = named(new QGroupBox, "Frame6");
    captions_.push_back({fileFrame, "Bestand", "File"});
    auto* fileColumn = new QVBoxLayout(fileFrame);
    fileColumn->addWidget(clickHint);
    fileColumn->addWidget(files_, 1);
    fileColumn->addWidget(saveHint);
    fileColumn->addWidget(save, 0, Qt::AlignLeft);

    auto* flutes = named(new QLabel, "Label7");
    flutes->setWordWrap(true);
    captions_.push_back(
        {flutes,
         "Als u zelf een periode tekent, zet dan de frequentie heel laag. Bij hoge frequenties "
         "klinken bijna alle geluiden als een fluit!",
         "If you draw a period yourself, you should set the frequency very low. For high "
         "frequencies, almost all sounds sound like flutes!"});
    auto* soundFrame = named(new QGroupBox, "Frame1");
    captions_.push_back({soundFrame, "Geluid", "Sound"});
    auto* soundGrid = new QGridLayout(soundFrame);
    soundGrid->addWidget(frequencyLabel_, 0, 0);
    soundGrid->addWidget(frequency_, 0, 1);
    soundGrid->addWidget(volumeLabel_, 1, 0);
    soundGrid->addWidget(volume_, 1, 1);
    soundGrid->addWidget(durationLabel_, 2, 0);
    soundGrid->addWidget(duration_, 2, 1);
    soundGrid->addWidget(flutes, 3, 0, 1, 2);
    soundGrid->setColumnStretch(1, 1);

    auto* play = named(new QPushButton, "Command5");
    captions_.push_back({play, "Afspelen", "Play"});
    connect(play, &QPushButton::clicked, this, &SynthesizerDialog::play);

    auto* top = new QHBoxLayout;
    top->addWidget(periodFrame);
    top->addWidget(fileFrame, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(soundFrame, 1);
    middle->addWidget(quality_.frame());
    QHBoxLayout* buttons = buttonRow(play);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SynthSettings SynthesizerDialog::settings() const {
    SynthSettings s = settings_;
    s.frequency = frequency_->value();
    s.volume = volume_->value();
    s.durationMs = duration_->value();
    s.rate = GeneratorRates[quality_.rateIndex()];
    s.bits = quality_.eightBit() ? 8 : 16;
    return s;
}

void SynthesizerDialog::prepare() {
    if (!loadedOnce_) {
        loadedOnce_ = true;
        refreshList();
        // Choosing standard.qvf in the list loads it; without it the editor says it is missing.
        const auto found = files_->findItems(StandardPeriod, Qt::MatchExactly);
        if (found.isEmpty())
            loadPeriod(StandardPeriod);
        else
            files_->setCurrentItem(found.first());
    }
    refreshList();
    showTexts();
    redrawPeriod();
}

Arguments SynthesizerDialog::arguments() const {
    const SynthSettings s = settings();
    int64_t rateIndex = 0;
    for (size_t i = 0; i < GeneratorRates.size(); ++i)
        if (GeneratorRates[i] == s.rate) rateIndex = int64_t(i);
    return {int64_t(s.frequency),      int64_t(s.volume),     int64_t(s.durationMs), rateIndex,
            sampleWidthChoice(s.bits), periodAsText(s.period)};
}

void SynthesizerDialog::showTexts() {
    applyCaptions(captions_, editor_);
    setWindowTitle(" Synthesizer");
    frequencyLabel_->setText(text("Frequentie (", "Frequency (") +
                             QString::number(frequency_->value()) + " Hz)");
    volumeLabel_->setText("Volume (" + QString::number(volume_->value()) + " %)");
    durationLabel_->setText(text("Tijdsduur (", "Duration (") +
                            QString::number(duration_->value()) + " ms)");
}

void SynthesizerDialog::redrawPeriod() {
    picture_->update();
}

void SynthesizerDialog::refreshList() {
    const QString chosen = files_->currentItem() ? files_->currentItem()->text() : QString();
    const QSignalBlocker quiet(files_);
    files_->clear();
    for (const std::string& name : listPeriodFiles(editor_.generators().periodFolders()))
        files_->addItem(QString::fromStdString(name));
    const auto found = files_->findItems(chosen, Qt::MatchExactly);
    if (!chosen.isEmpty() && !found.isEmpty()) files_->setCurrentItem(found.first());
}

void SynthesizerDialog::loadPeriod(const std::string& name) {
    // Loading draws smoothly whatever the box says; the box is left as it was.
    if (!editor_.generators().loadPeriodFile(name, settings_)) return;
    {
        const QSignalBlocker quiet(frequency_);
        frequency_->setValue(settings_.frequency);
    }
    showTexts();
    redrawPeriod();
}

void SynthesizerDialog::savePeriod() {
    if (editor_.generators().savePeriod(settings_.period, frequency_->value())) refreshList();
}

void SynthesizerDialog::play() {
    if (!player_) return;
    const SynthSettings sound = settings();
    preview_ = synthesizeSamples(sound);
    player_({preview_, preview_, 0, int64_t(preview_.size()), sound.rate, 1, sound.bits});
}

} // namespace sono
