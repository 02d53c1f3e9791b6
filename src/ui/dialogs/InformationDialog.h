#pragma once
// The information dialog: the sound's 17 INFO texts and its DISP label in four frames, edited as
// text boxes and copied back to the document on OK. Made once and kept, so it is only hidden.
#include <QDialog>

#include <array>
#include <string>
#include <vector>

#include "DialogCaptions.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sono {

class Editor;

class InformationDialog : public QDialog {
    Q_OBJECT
  public:
    explicit InformationDialog(Editor& editor, QWidget* parent = nullptr);

    // Puts the document's texts into the boxes and the captions in the current language.
    void load();

  private:
    // One text of the document and the box that shows it.
    struct Field {
        std::string id; // an INFO id, or "DISP" for the label
        QLineEdit* box;
        QString shown; // what load() put into the box
    };
    void copyBack();
    const std::string& storedText(const std::string& id) const;

    Editor& editor_;
    std::vector<Field> fields_;
    std::vector<Caption> captions_;
    std::array<std::vector<QLabel*>, 2> columnLabels_;
    QPushButton* eraseDate_;
};

} // namespace sono
