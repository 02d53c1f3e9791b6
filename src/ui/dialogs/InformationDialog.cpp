#include "InformationDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "document/InfoFields.h"
#include "editor/Editor.h"

namespace sono {

namespace {

struct Row {
    const char* id;
    const char* dutch;
    const char* english;
};

struct Frame {
    const char* dutch;
    const char* english;
    std::vector<Row> rows;
    int column;
};

const std::vector<Frame>& frames() {
    static const std::vector<Frame> table = {
        {"Algemeen",
         "General",
         {{"ISFT", "Gemaakt met (software)", "Created with (software)"},
          {"ICRD", "Gemaakt op (datum)", "Created on (date)"},
          {"IKEY", "Sleutelwoorden", "Keywords"},
          {"ICMT", "Opmerkingen", "Comments"},
          {"ISBJ", "Onderwerp/beschrijving", "Subject/description"},
          {"DISP", "Label", "Label"}},
         0},
        {"Muziek",
         "Music",
         {{"IGNR", "Genre", "Genre"}, {"IART", "Artiest", "Artist"}, {"INAM", "Titel", "Title"}},
         0},
        {"Commercieel",
         "Commercial",
         {{"ICOP", "Auteursrechten", "Copyrights"},
          {"IENG", "Maker (engineer)", "Creator (engineer)"},
          {"ITCH", "Technicus", "Technician"},
          {"ICMS", "Persoon / organisatie", "Person / organisation"},
          {"IPRD", "Product", "Product"}},
         1},
        {"Bron",
         "Source",
         {{"IMED", "Medium", "Medium"},
          {"ISRC", "Bron", "Source"},
          {"ISRF", "Vorm van bron", "Source form"},
          {"IARL", "Archiefslocatie", "Archival location"}},
         1},
    };
    return table;
}

// A stored text ends at its first zero character as far as the user is concerned.
QString shownText(const std::string& raw) {
    return QString::fromStdString(latin1ToUtf8(raw.substr(0, raw.find('\0'))));
}

} // namespace

InformationDialog::InformationDialog(Editor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setObjectName("InfoForm");
    setModal(true);

    auto* columns = new QHBoxLayout;
    QVBoxLayout* column[2] = {new QVBoxLayout, new QVBoxLayout};
    for (const Frame& frame : frames()) {
        auto* group = new QGroupBox;
        captions_.push_back({group, frame.dutch, frame.english});
        auto* form = new QFormLayout(group);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (const Row& row : frame.rows) {
            auto* label = new QLabel;
            captions_.push_back({label, row.dutch, row.english});
            columnLabels_[frame.column].push_back(label);
            QWidget* field;
            QLineEdit* box;
            if (std::string_view(row.id) == "IGNR") {
                // Free text, or a name picked from the list; typed text stays as typed.
                auto* genre = new QComboBox;
                genre->setObjectName("IGNR");
                genre->setEditable(true);
                genre->setInsertPolicy(QComboBox::NoInsert);
                genre->setCompleter(nullptr);
                genre->setMaxVisibleItems(20);
                for (const std::string& name : editor_.mp3().tags().genreNames())
                    genre->addItem(QString::fromStdString(name));
                box = genre->lineEdit();
                field = genre;
            } else {
                box = new QLineEdit;
                box->setObjectName(row.id);
                box->setMinimumWidth(220);
                field = box;
            }
            if (std::string_view(row.id) == "ICRD") {
                eraseDate_ = new QPushButton;
                eraseDate_->setObjectName("GeenDatum");
                captions_.push_back({eraseDate_, "wis", "erase"});
                connect(eraseDate_, &QPushButton::clicked, box, &QLineEdit::clear);
                auto* line = new QHBoxLayout;
                line->addWidget(box, 1);
                line->addWidget(eraseDate_);
                form->addRow(label, line);
            } else {
                form->addRow(label, field);
            }
            label->setBuddy(field);
            fields_.push_back({row.id, box, {}});
        }
        column[frame.column]->addWidget(group);
    }
    for (QVBoxLayout* frameColumn : column) {
        frameColumn->addStretch(1);
        columns->addLayout(frameColumn, 1);
    }

    auto* note = new QLabel;
    note->setObjectName("note");
    note->setWordWrap(true);
    captions_.push_back({note,
                         "Let op: niet alle programma's gebruiken deze informatie. Als u een "
                         "geluid met een ander programma bewerkt, kan deze informatie uit het "
                         "WAV-bestand worden verwijderd.",
                         "Note: not all program use this information. If you edit a sound with "
                         "another program, this information can be removed from the WAV-file."});

    auto [ok, cancel] = makeOkCancel(*this, captions_);
    connect(ok, &QPushButton::clicked, this, [this] {
        copyBack();
        accept();
    });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addSpacing(12);
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    bottom->addWidget(cancel, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
}

void InformationDialog::load() {
    for (Field& field : fields_) {
        field.shown = shownText(storedText(field.id));
        field.box->setText(field.shown);
        field.box->setCursorPosition(0);
    }
    applyCaptions(captions_, editor_);
    setWindowTitle(QString::fromStdString(editor_.LangText(" Informatie", " Information")));
    // The boxes of the frames in one column start at one line, whatever the language.
    for (const std::vector<QLabel*>& labels : columnLabels_) {
        int widest = 0;
        for (QLabel* label : labels)
            widest = std::max(widest, label->sizeHint().width());
        for (QLabel* label : labels)
            label->setMinimumWidth(widest);
    }
    eraseDate_->setEnabled(!storedText("ICRD").empty());
}

void InformationDialog::copyBack() {
    // A box the user left alone keeps its text byte for byte, zero padding included, so that
    // OK alone changes nothing in the next save.
    for (const Field& field : fields_) {
        QString now = field.box->text();
        if (now == field.shown) continue;
        const std::vector<std::string> ids = infoFieldIds();
        const auto index = std::find(ids.begin(), ids.end(), field.id) - ids.begin();
        editor_.runCommand("MMinformatie", {int64_t(index), now.toStdString()});
    }
}

const std::string& InformationDialog::storedText(const std::string& id) const {
    if (id == "DISP") return editor_.doc().DispText;
    return *editor_.doc().Info.find(id);
}

} // namespace sono
