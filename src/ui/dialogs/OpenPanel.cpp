#include "OpenPanel.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "FileDialogs.h"
#include "editor/Editor.h"
#include "formats/WaveOverview.h"
#include "mp3/Mp3Frame.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/Texts.h"

namespace sono {

namespace {

constexpr int PictureWidth = 230;
constexpr int PictureHeight = 110;
const QColor PictureBackground(255, 255, 255);
const QColor PictureAxis(200, 200, 210);
const QColor PictureWave(0, 0, 150);

QLabel* label(const char* name) {
    auto* shown = new QLabel;
    shown->setObjectName(name);
    shown->setTextFormat(Qt::PlainText);
    shown->setWordWrap(true);
    return shown;
}

// Whole seconds as minutes and two-digit seconds: 125 gives "2:05".
QString minutesAndSeconds(int64_t seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

// The ranges of one channel in the band top .. top + height of the picture.
void drawChannel(QPainter& painter, const std::vector<ColumnRange>& columns, int top, int height) {
    const double middle = top + height / 2.0;
    const double scale = height / 2.0;
    painter.setPen(PictureAxis);
    painter.drawLine(0, int(middle), PictureWidth - 1, int(middle));
    painter.setPen(PictureWave);
    const size_t count = columns.size();
    for (size_t c = 0; c < count; ++c) {
        const int y1 = int(middle - columns[c].high * scale);
        const int y2 = int(middle - columns[c].low * scale);
        // A sound of fewer frames than the picture has columns spreads each over several.
        const int x1 = int(c * PictureWidth / count);
        const int x2 = std::max(x1, int((c + 1) * PictureWidth / count) - 1);
        for (int x = x1; x <= x2; ++x)
            painter.drawLine(x, y1, x, y2);
    }
}

} // namespace

OpenPanel::OpenPanel(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), format_(captions_) {
    setObjectName("BijOpen");

    // The preview frame.
    preview_ = new QWidget;
    sizeLabel_ = label("Label1");
    formatLabel_ = label("Label3");
    picture_ = new QLabel;
    picture_->setObjectName("Picture1");
    picture_->setFrameShape(QFrame::Panel);
    picture_->setFrameShadow(QFrame::Sunken);
    const int frame = picture_->frameWidth();
    picture_->setFixedSize(PictureWidth + 2 * frame, PictureHeight + 2 * frame);
    // The description keeps its room, so that nothing moves when a file is described.
    const int line = fontMetrics().lineSpacing();
    sizeLabel_->setFixedHeight(line);
    formatLabel_->setFixedHeight(2 * line);
    drawGraphic_ = new QCheckBox;
    drawGraphic_->setObjectName("Check2");
    captions_.push_back({drawGraphic_, "&Teken Grafiek", "&Draw Graphic"});
    connect(drawGraphic_, &QCheckBox::clicked, this, &OpenPanel::drawGraphicClicked);
    playButton_ = new QPushButton;
    playButton_->setObjectName("Command2");
    captions_.push_back({playButton_, "&Afspelen", "&Play"});
    connect(playButton_, &QPushButton::clicked, this, [this] {
        if (play_ && !previewPath_.isEmpty()) play_(previewPath_);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(drawGraphic_);
    buttons->addStretch(1);
    buttons->addWidget(playButton_);
    auto* previewColumn = new QVBoxLayout(preview_);
    previewColumn->setContentsMargins(0, 0, 0, 0);
    previewColumn->addWidget(sizeLabel_);
    previewColumn->addWidget(formatLabel_);
    previewColumn->addWidget(picture_);
    previewColumn->addLayout(buttons);
    previewColumn->addStretch(1);

    // The raw format frame.
    rawFrame_ = new QWidget;
    rawFrame_->setObjectName("Frame3");
    auto* explanation = label("explanation");
    captions_.push_back(
        {explanation,
         "U kunt een willekeurig bestand openen. Sonoplexer zal het dan openen alsof het een "
         "geluidsbestand is. De meeste bestanden zijn geen geluidsbestanden en zullen dus alleen "
         "maar geruis of piepgeluiden opleveren.",
         "You can open any file. Sonoplexer will open it as if it's a sound file. Most file "
         "aren't, so they will only give distortion or peeps as result."});
    format_.select(raw_.bits, raw_.rate, raw_.channels);
    auto* rawColumn = new QVBoxLayout(rawFrame_);
    rawColumn->setContentsMargins(0, 0, 0, 0);
    rawColumn->addWidget(format_.widthFrame());
    rawColumn->addWidget(format_.rateFrame());
    rawColumn->addWidget(format_.stereoBox());
    rawColumn->addWidget(explanation);
    rawColumn->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 0, 0, 0);
    layout->addWidget(preview_);
    layout->addWidget(rawFrame_);
    setFixedWidth(picture_->width() + 8);
    hide();
}

void OpenPanel::prepare(Mode mode) {
    mode_ = mode;
    applyCaptions(captions_, editor_);
    preview_->setVisible(mode != Mode::RawFormat);
    rawFrame_->setVisible(mode == Mode::RawFormat);
    // An MP3 file is described, not drawn or played; its description takes the picture's room.
    const bool wave = mode == Mode::Preview;
    picture_->setVisible(wave);
    drawGraphic_->setVisible(wave);
    playButton_->setVisible(wave);
    formatLabel_->setFixedHeight((wave ? 2 : 10) * fontMetrics().lineSpacing());
    drawGraphic_->setChecked(editor_.options().drawGraphicInOpenPanel);
    clearPreview();
}

QString OpenPanel::dialogTitle() const {
    return QString::fromStdString(editor_.LangText("Openen", "Open"));
}

void OpenPanel::clearPreview() {
    previewPath_.clear();
    header_.reset();
    sizeLabel_->clear();
    formatLabel_->clear();
    playButton_->setEnabled(false);
    clearPicture();
}

void OpenPanel::clearPicture() {
    QPixmap empty(PictureWidth, PictureHeight);
    empty.fill(PictureBackground);
    picture_->setPixmap(empty);
}

void OpenPanel::showFile(const QString& path) {
    clearPreview();
    if (mode_ == Mode::Preview) showWaveFile(path);
    if (mode_ == Mode::Mp3Preview) showMp3File(path);
}

void OpenPanel::showMp3File(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    const auto frame = Mp3FrameInfo(file, editor_.language());
    if (!frame) return;
    const Mp3Fields fields = editor_.mp3().tags().read(file).value_or(Mp3Fields{});
    auto lang = [this](const char* dutch, const char* english) {
        return editor_.LangText(dutch, english);
    };
    const std::string text =
        "Bitrate: " + frame->bitrate + " kbps, " + frame->sampleRate + " Hz, " +
        frame->channelMode + "\n" + frame->duration + "\n" + lang("Titel: ", "Title: ") +
        fields.title + "\n" + lang("Artiest: ", "Artist: ") + fields.artist +
        "\nAlbum: " + fields.album + "\n" + lang("Jaar: ", "Year: ") + fields.year + "\n" +
        lang("Opmerking: ", "Comment: ") + fields.comment + "\nGenre: " + fields.genre;
    previewPath_ = path;
    sizeLabel_->setText(
        QString::fromStdString(FormatFileSize(float(QFileInfo(path).size()), editor_.language())));
    formatLabel_->setText(QString::fromStdString(text));
}

void OpenPanel::showWaveFile(const QString& path) {
    header_ = readWaveHeader(QFile::encodeName(path).toStdString());
    if (!header_) return;
    previewPath_ = path;
    const WaveFormat& format = header_->format;
    const uint8_t language = editor_.language();
    sizeLabel_->setText(
        QString::fromStdString(FormatFileSize(float(header_->fileBytes), language)));
    formatLabel_->setText(QString::fromStdString(numberText(double(format.bitsPerSample)) +
                                                 "-bits," + numberText(double(format.sampleRate)) +
                                                 " Hz, " +
                                                 (format.channels == 2 ? "stereo" : "mono")) +
                          u'\n' + QString::fromStdString(editor_.LangText("Duur: ", "Time: ")) +
                          minutesAndSeconds(header_->seconds()));
    playButton_->setEnabled(true);
    if (drawGraphic_->isChecked()) drawOverview();
}

void OpenPanel::drawGraphicClicked(bool checked) {
    if (editor_.options().drawGraphicInOpenPanel != checked)
        editor_.preferences().toggleOption(&Options::drawGraphicInOpenPanel);
    if (!checked) {
        clearPicture();
        return;
    }
    // Checking gives the panel to the picture: the description makes way for it.
    sizeLabel_->clear();
    formatLabel_->clear();
    if (header_) drawOverview();
}

void OpenPanel::drawOverview() {
    editor_.work().progressStart(ProgressDrawing);
    const WaveOverview overview =
        readWaveOverview(QFile::encodeName(previewPath_).toStdString(), *header_, PictureWidth,
                         [this](int step) { editor_.work().progressShow(step); });
    editor_.work().progressEnd();

    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    image.fill(PictureBackground);
    QPainter painter(&image);
    if (overview.right.empty()) {
        drawChannel(painter, overview.left, 0, PictureHeight);
    } else {
        drawChannel(painter, overview.left, 0, PictureHeight / 2);
        drawChannel(painter, overview.right, PictureHeight / 2, PictureHeight / 2);
    }
    painter.end();
    picture_->setPixmap(QPixmap::fromImage(image));
}

bool OpenPanel::acceptChoice() {
    if (mode_ != Mode::RawFormat) return true;
    const std::optional<double> rate = format_.acceptedRate(editor_);
    if (!rate) return false;
    raw_ = {format_.bits(), *rate, format_.channels()};
    return true;
}

// ---------------------------------------------------------------- OpenDialog

OpenDialog::OpenDialog(QWidget* parent, OpenPanel& panel, OpenPanel::Mode mode,
                       const QString& filter, const QString& folder)
    : QFileDialog(parent, panel.dialogTitle(), folder, filter), panel_(panel),
      panelOwner_(panel.parentWidget()) {
    prepareFileDialog(*this);
    setFileMode(QFileDialog::ExistingFile);
    panel_.prepare(mode);
    // Qt's own dialog lays itself out on a grid: the panel takes a column of its own on the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(&panel_, 0, grid->columnCount(), grid->rowCount(), 1);
    panel_.show();
    resize(width() + panel_.width(), height());
    connect(this, &QFileDialog::currentChanged, &panel_, &OpenPanel::showFile);
}

OpenDialog::~OpenDialog() {
    disconnect(this, nullptr, &panel_, nullptr);
    panel_.hide();
    panel_.setParent(panelOwner_);
}

OpenChoice OpenDialog::choice() const {
    return {selectedFiles().value(0), panel_.rawFormat()};
}

void OpenDialog::done(int result) {
    if (result == QDialog::Accepted && !panel_.acceptChoice()) return;
    QFileDialog::done(result);
}

} // namespace sono
