#pragma once
// The dialogs that ask the values of the effects with parameters: volume, speed, echo, shrink and
// the advanced filter. Each is made the first time its command needs it and then kept (hidden) for
// the rest of the run, so it shows the values it was left with.
#include <QObject>
#include <QPointer>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CommandRows.h"
#include "EffectDialog.h"

namespace sono {

class EffectDialogs : public QObject {
    Q_OBJECT
  public:
    // The dialogs are shown over `window` through `exec`.
    EffectDialogs(Editor& editor, QWidget* window, EffectDialog::Exec exec);

    // Shows the dialog of that kind (a curve, shrink or the filter); the values to run its
    // command with on Apply, nullopt on Cancel.
    std::optional<Arguments> ask(ValuesDialog kind);
    // Hides them all (the language changed: each sets its texts again when it is next shown).
    void hide();

  private:
    EffectDialog* dialog(ValuesDialog kind);

    Editor& editor_;
    QWidget* window_;
    EffectDialog::Exec exec_;
    std::map<ValuesDialog, QPointer<EffectDialog>> made_;
};

} // namespace sono
