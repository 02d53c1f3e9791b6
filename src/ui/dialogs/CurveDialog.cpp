#include "CurveDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "CurvePanel.h"
#include "Folders.h"
#include "editor/Editor.h"

namespace sono {

namespace {

const QPixmap& moverPicture() {
    static const QPixmap mover(QString::fromStdString(appDir() + "mover.gif"));
    return mover;
}

ExamplePicture readExamplePicture() {
    ExamplePicture example;
    example.picture = QImage(QString::fromStdString(appDir() + "example.gif"))
                          .convertToFormat(QImage::Format_RGB32);
    example.outline = readExampleOutline(example.picture);
    example.background =
        example.picture.isNull() ? qRgb(255, 255, 255) : example.picture.pixel(0, 0);
    return example;
}

const char* dialogName(CurveDialog::Kind kind) {
    switch (kind) {
    case CurveDialog::Kind::Volume:
        return "Form3";
    case CurveDialog::Kind::Speed:
        return "SnelheidForm";
    default:
        return "EchoForm";
    }
}

// The echo dialog's repeats panel: its keys move a whole repeat.
constexpr size_t RepeatsPanel = 2;

} // namespace

const ExamplePicture& examplePicture() {
    static const ExamplePicture example = readExamplePicture();
    return example;
}

CurveDialog::CurveDialog(Kind kind, Editor& editor, QWidget* parent)
    : EffectDialog(editor, dialogName(kind), parent), kind_(kind), example_(new QLabel) {
    switch (kind) {
    case Kind::Volume:
        addPanel(VolumeScale, CurveSentence::Volume);
        break;
    case Kind::Speed:
        addPanel(SpeedScale, CurveSentence::Speed);
        break;
    case Kind::Echo:
        addPanel(DelayScale, CurveSentence::Delay);
        addPanel(EchoVolumeScale, CurveSentence::Volume);
        addPanel(RepeatsScale, CurveSentence::Repeats);
        panels_[RepeatsPanel]->lockSame();
        softer_ = new QCheckBox;
        softer_->setObjectName("Check1");
        captions_.push_back({softer_, "Iedere herhaling is zachter dan de vorige",
                             "Every repeat is softer than the previous one"});
        connect(softer_, &QCheckBox::clicked, this, [this] {
            keepState();
            drawExample();
        });
        break;
    }
    restoreState();

    auto* exampleCaption = new QLabel;
    exampleCaption->setObjectName("lblExample");
    captions_.push_back({exampleCaption, " Voorbeeld ", " Example "});
    example_->setObjectName("EXA");
    example_->setFrameShape(QFrame::Box);
    example_->setLineWidth(1);
    example_->setFixedSize(ExampleSize + QSize(2, 2));
    auto* exampleColumn = new QVBoxLayout;
    exampleColumn->addWidget(exampleCaption);
    exampleColumn->addWidget(example_);
    exampleColumn->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    for (CurvePanel* panel : panels_)
        top->addWidget(panel, 0, Qt::AlignTop);
    top->addLayout(exampleColumn);
    QHBoxLayout* buttons = buttonRow(softer_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CurveDialog::addPanel(CurveScale scale, CurveSentence sentence) {
    auto* panel = new CurvePanel(int(panels_.size()), scale, sentence, moverPicture());
    connect(panel, &CurvePanel::changed, this, [this] {
        keepState();
        drawExample();
    });
    panels_.push_back(panel);
}

void CurveDialog::prepare() {
    const uint8_t language = editor_.language();
    switch (kind_) {
    case Kind::Volume:
        setWindowTitle(text(" Het volume veranderen", " Change the volume"));
        panels_[0]->setTexts(
            "Volume", text("Het volume blijft hetzelfde", "The volume stays the same"), language);
        break;
    case Kind::Speed:
        setWindowTitle(text(" De snelheid veranderen", " Change the speed"));
        panels_[0]->setTexts(text("Snelheid", "Speed"),
                             text("De snelheid blijft hetzelfde", "The speed stays the same"),
                             language);
        break;
    case Kind::Echo:
        setWindowTitle(text(" Een echo maken", " Make an echo"));
        panels_[0]->setTexts(text("Vertraging", "Delay"),
                             text("De vertraging blijft gelijk", "The delay stays the same"),
                             language);
        panels_[1]->setTexts(
            "Volume", text("Het volume blijft gelijk", "The volume stays the same"), language);
        panels_[2]->setTexts(
            text("Herhalingen", "Repeats"),
            text("Het aantal herhalingen blijft gelijk", "The number of repeats stays the same"),
            language);
        break;
    }
    // Every block again where it stands, so line, colour, sentence and example are up to date.
    for (CurvePanel* panel : panels_)
        for (auto side : {CurvePanel::Left, CurvePanel::Right})
            panel->placeBlock(side, panel->top(side));
}

Arguments CurveDialog::arguments() const {
    auto value = [this](size_t panel, CurvePanel::Side side) {
        return panels_[panel]->value(side);
    };
    if (kind_ != Kind::Echo)
        return {double(value(0, CurvePanel::Left)), double(value(0, CurvePanel::Right))};
    // The repeats panel states one value, its left block's.
    return {double(value(0, CurvePanel::Left)),
            double(value(0, CurvePanel::Right)),
            double(value(1, CurvePanel::Left)),
            double(value(1, CurvePanel::Right)),
            int64_t(value(RepeatsPanel, CurvePanel::Left)),
            int64_t(softer_->isChecked() ? 1 : 0)};
}

void CurveDialog::keyPressEvent(QKeyEvent* event) {
    const int block = event->key() - Qt::Key_1;
    if (block < 0 || size_t(block) >= 2 * panels_.size()) {
        EffectDialog::keyPressEvent(event);
        return;
    }
    // A key is a press on its block and a move up; Ctrl held turns the move down.
    const size_t panel = size_t(block) / 2;
    const auto side = CurvePanel::Side(block % 2);
    const double direction = event->modifiers() & Qt::ControlModifier ? 1 : -1;
    panels_[panel]->moveBlock(side, direction * CurvePanel::KeyStep);
    if (kind_ == Kind::Echo && panel == RepeatsPanel)
        panels_[panel]->moveBlock(side, direction * CurvePanel::RepeatKeyStep);
}

void CurveDialog::restoreState() {
    const CurveDialogState& kept = editor_.settings().curves;
    auto restore = [](CurvePanel* panel, int16_t left, int16_t right, int16_t same) {
        const CurveScale& scale = panel->scale();
        panel->setState(shownTop(left, scale), shownTop(right, scale), same != 0);
    };
    switch (kind_) {
    case Kind::Volume:
        restore(panels_[0], kept.volume[0], kept.volume[1], kept.volume[2]);
        break;
    case Kind::Speed:
        restore(panels_[0], kept.speed[0], kept.speed[1], kept.speed[2]);
        break;
    case Kind::Echo: {
        auto at = [](const std::vector<int16_t>& values, size_t i, int16_t otherwise) {
            return i < values.size() ? values[i] : otherwise;
        };
        for (size_t i = 0; i < panels_.size(); ++i) {
            const int16_t left = at(kept.echoHandleTops, 2 * i, 0);
            // The repeats panel's box is always checked, so its blocks always stand together.
            if (i == RepeatsPanel)
                restore(panels_[i], left, left, 1);
            else
                restore(panels_[i], left, at(kept.echoHandleTops, 2 * i + 1, 0),
                        at(kept.echoSameChecks, i, 1));
        }
        softer_->setChecked(kept.echoCheck != 0);
        break;
    }
    }
}

void CurveDialog::keepState() {
    CurveDialogState& kept = editor_.settings().curves;
    auto stored = [this](size_t panel, CurvePanel::Side side) {
        return storedTop(panels_[panel]->top(side), panels_[panel]->scale());
    };
    auto same = [this](size_t panel) { return int16_t(panels_[panel]->same() ? 1 : 0); };
    switch (kind_) {
    case Kind::Volume:
        kept.volume = {stored(0, CurvePanel::Left), stored(0, CurvePanel::Right), same(0)};
        break;
    case Kind::Speed:
        kept.speed = {stored(0, CurvePanel::Left), stored(0, CurvePanel::Right), same(0)};
        break;
    case Kind::Echo:
        kept.echoHandleTops.resize(2 * panels_.size());
        kept.echoSameChecks.resize(panels_.size());
        for (size_t i = 0; i < panels_.size(); ++i) {
            kept.echoHandleTops[2 * i] = stored(i, CurvePanel::Left);
            kept.echoHandleTops[2 * i + 1] = stored(i, CurvePanel::Right);
            kept.echoSameChecks[i] = same(i);
        }
        kept.echoCheck = int16_t(softer_ && softer_->isChecked() ? 1 : 0);
        break;
    }
}

void CurveDialog::drawExample() {
    const ExamplePicture& example = examplePicture();
    auto value = [this](size_t panel, CurvePanel::Side side) {
        return double(panels_[panel]->value(side));
    };
    QImage drawn;
    switch (kind_) {
    case Kind::Volume:
        drawn = volumeExample(example.outline, ExampleSize, example.background,
                              value(0, CurvePanel::Left) / 100, value(0, CurvePanel::Right) / 100);
        break;
    case Kind::Speed:
        drawn = speedExample(example.outline, ExampleSize, example.background,
                             value(0, CurvePanel::Left) / 100, value(0, CurvePanel::Right) / 100);
        break;
    case Kind::Echo:
        drawn = echoExample(example.outline, example.picture, ExampleSize, example.background,
                            {value(0, CurvePanel::Left), value(0, CurvePanel::Right),
                             value(1, CurvePanel::Left), value(1, CurvePanel::Right),
                             int(value(RepeatsPanel, CurvePanel::Left)), softer_->isChecked()});
        break;
    }
    example_->setPixmap(QPixmap::fromImage(drawn));
}

} // namespace sono
