#include "EffectDialogs.h"

#include "CurveDialog.h"
#include "FilterDialog.h"
#include "ShrinkDialog.h"

namespace sono {

EffectDialogs::EffectDialogs(Editor& editor, QWidget* window, EffectDialog::Exec exec)
    : QObject(window), editor_(editor), window_(window), exec_(std::move(exec)) {
    setObjectName("EffectDialogs");
}

const std::vector<std::string_view>& EffectDialogs::commands() {
    static const std::vector<std::string_view> ids = {"MMvolume", "MMspeed", "MMecho", "MMkrimpen",
                                                      "MMfilter"};
    return ids;
}

std::optional<Arguments> EffectDialogs::ask(std::string_view command) {
    return dialog(command)->ask(exec_);
}

void EffectDialogs::hide() {
    for (auto& [command, made] : made_)
        if (made) made->hide();
}

EffectDialog* EffectDialogs::dialog(std::string_view command) {
    QPointer<EffectDialog>& made = made_[std::string(command)];
    if (made) return made;
    if (command == "MMvolume")
        made = new CurveDialog(CurveDialog::Kind::Volume, editor_, window_);
    else if (command == "MMspeed")
        made = new CurveDialog(CurveDialog::Kind::Speed, editor_, window_);
    else if (command == "MMecho")
        made = new CurveDialog(CurveDialog::Kind::Echo, editor_, window_);
    else if (command == "MMkrimpen")
        made = new ShrinkDialog(editor_, window_);
    else
        made = new FilterDialog(editor_, window_);
    return made;
}

} // namespace sono
