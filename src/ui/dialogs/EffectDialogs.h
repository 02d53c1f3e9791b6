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

#include "EffectDialog.h"

namespace sono {

class EffectDialogs : public QObject {
    Q_OBJECT
  public:
    // The dialogs are shown over `window` through `exec`.
    EffectDialogs(Editor& editor, QWidget* window, EffectDialog::Exec exec);

    // The commands whose values these dialogs ask: MMvolume, MMspeed, MMecho, MMkrimpen, MMfilter.
    static const std::vector<std::string_view>& commands();
    // Shows the dialog of `command`; the values to run it with on Apply, nullopt on Cancel.
    std::optional<Arguments> ask(std::string_view command);
    // Hides them all (the language changed: each sets its texts again when it is next shown).
    void hide();

  private:
    EffectDialog* dialog(std::string_view command);

    Editor& editor_;
    QWidget* window_;
    EffectDialog::Exec exec_;
    std::map<std::string, QPointer<EffectDialog>, std::less<>> made_;
};

} // namespace sono
