#pragma once
// What the dialogs of the effects share: made once and hidden between uses, so they keep their
// settings for the rest of the run; Apply ("Command1") and Cancel ("Command2"); and the close box
// that counts as Cancel, except while the program is shutting down, when the dialog closes for
// good.
#include <QDialog>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "DialogCaptions.h"
#include "editor/Commands.h"

class QHBoxLayout;
class QPushButton;

namespace sono {

class Editor;

class EffectDialog : public QDialog {
    Q_OBJECT
  public:
    // Shows a dialog modal over the window and returns how it ended (QDialog::Accepted or not).
    using Exec = std::function<int(QDialog&)>;

    // Sets the texts in the current language, shows the dialog through `exec` and returns the
    // values of the effect's command on Apply, nullopt on Cancel.
    std::optional<Arguments> ask(const Exec& exec);

  protected:
    // OK ("Command1") carries okDutch / okEnglish: Apply for the effects, Open or OK for the
    // generators.
    EffectDialog(Editor& editor, const char* name, QWidget* parent,
                 const char* okDutch = "&Toepassen", const char* okEnglish = "&Apply");

    // Before each showing: the texts in the current language and the controls brought up to
    // date (the captions of `captions_` are applied before this runs).
    virtual void prepare() = 0;
    // The values of the command, from the controls as they stand.
    virtual Arguments arguments() const = 0;
    // OK was pressed: false keeps the dialog open (the dialog has said why).
    virtual bool confirm() { return true; }

    QString text(std::string_view dutch, std::string_view english) const;
    // The row the dialog ends with: `first` (when given) on the left, OK and Cancel on the right.
    QHBoxLayout* buttonRow(QWidget* first = nullptr);
    void closeEvent(QCloseEvent* event) override;

    Editor& editor_;
    std::vector<Caption> captions_;
    QPushButton* apply_;
    QPushButton* cancel_;
};

} // namespace sono
