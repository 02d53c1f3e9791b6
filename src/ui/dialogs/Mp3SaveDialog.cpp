#include "Mp3SaveDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "FileDialogs.h"
#include "editor/Editor.h"

namespace sono {

Mp3SaveDialog::Mp3SaveDialog(QWidget* parent, Editor& editor, const QString& filter,
                             const QString& folder, int bitrate)
    : QFileDialog(parent, QString::fromStdString(editor.LangText("Opslaan Als", "Save As")), folder,
                  filter) {
    setObjectName("Mp3SaveDialog");
    prepareFileDialog(*this);
    addFilterExtension(*this);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);

    auto* panel = new QWidget;
    panel->setObjectName("Frame1");
    bitrates_ = new QComboBox;
    bitrates_->setObjectName("Combo1");
    for (int rate : Mp3Commands::bitrates())
        bitrates_->addItem(QString::number(rate), rate);
    bitrates_->setCurrentIndex(std::max(0, bitrates_->findData(bitrate)));
    auto* bitrateLabel = new QLabel("Bitrate");
    bitrateLabel->setBuddy(bitrates_);
    stereo_ = new QCheckBox("Stereo");
    stereo_->setObjectName("Check3");
    stereo_->setChecked(editor.doc().isStereo());
    addFields_ = new QCheckBox;
    addFields_->setObjectName("Check1");
    captions_.push_back({addFields_, "&Informatie Toevoegen", "Add &Information"});
    addFields_->setChecked(true);

    fieldsFrame_ = new QGroupBox;
    fieldsFrame_->setObjectName("Frame2");
    captions_.push_back({fieldsFrame_, "Informatie", "Information"});
    auto* form = new QFormLayout(fieldsFrame_);
    const Mp3Fields fields = editor.mp3().fieldsToExport();
    const struct {
        const char* dutch;
        const char* english;
        const std::string& text;
    } rows[] = {{"Titel", "Title", fields.title},
                {"Artiest", "Artist", fields.artist},
                {"Album", "Album", fields.album},
                {"Jaar", "Year", fields.year},
                {"Opmerking", "Comment", fields.comment}};
    for (const auto& row : rows) {
        auto* text = new QLineEdit(QString::fromStdString(row.text));
        auto* label = new QLabel;
        captions_.push_back({label, row.dutch, row.english});
        form->addRow(label, text);
        texts_.push_back(text);
    }
    texts_[3]->setMaxLength(4);
    genre_ = new QComboBox;
    genre_->setMaxVisibleItems(20);
    for (const std::string& name : editor.mp3().tags().genreNames())
        genre_->addItem(QString::fromStdString(name));
    genre_->setCurrentIndex(genre_->findText(QString::fromStdString(fields.genre)));
    form->addRow(new QLabel("Genre"), genre_);
    connect(addFields_, &QCheckBox::toggled, fieldsFrame_, &QWidget::setEnabled);

    auto* encoder = new QHBoxLayout;
    encoder->addWidget(bitrateLabel);
    encoder->addWidget(bitrates_);
    encoder->addStretch(1);
    encoder->addWidget(stereo_);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 0, 0, 0);
    column->addLayout(encoder);
    column->addWidget(addFields_);
    column->addWidget(fieldsFrame_);
    column->addStretch(1);
    applyCaptions(captions_, editor);
    // Qt's own dialog lays itself out on a grid: the panel takes a column of its own on the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
    resize(width() + panel->sizeHint().width(), std::max(height(), 460));
}

int Mp3SaveDialog::bitrate() const {
    return bitrates_->currentData().toInt();
}

Arguments Mp3SaveDialog::arguments(std::string path) const {
    Arguments arguments{std::move(path), int64_t(bitrates_->currentIndex()),
                        int64_t(stereo_->isChecked() ? 1 : 0)};
    const bool add = addFields_->isChecked();
    for (QLineEdit* text : texts_)
        arguments.add(add ? text->text().toStdString() : std::string());
    arguments.add(add ? genre_->currentText().toStdString() : std::string());
    return arguments;
}

} // namespace sono
