#include "EffectDialogs.h"

#include "CurveDialog.h"
#include "FilterDialog.h"
#include "ShrinkDialog.h"

namespace sono {

EffectDialogs::EffectDialogs(Editor& editor, QWidget* window, EffectDialog::Exec exec)
    : QObject(window), editor_(editor), window_(window), exec_(std::move(exec)) {
    setObjectName("EffectDialogs");
}

std::optional<Arguments> EffectDialogs::ask(ValuesDialog kind) {
    return dialog(kind)->ask(exec_);
}

void EffectDialogs::hide() {
    for (auto& [command, made] : made_)
        if (made) made->hide();
}

EffectDialog* EffectDialogs::dialog(ValuesDialog kind) {
    QPointer<EffectDialog>& made = made_[kind];
    if (made) return made;
    switch (kind) {
    case ValuesDialog::VolumeCurve:
        made = new CurveDialog(CurveDialog::Kind::Volume, editor_, window_);
        break;
    case ValuesDialog::SpeedCurve:
        made = new CurveDialog(CurveDialog::Kind::Speed, editor_, window_);
        break;
    case ValuesDialog::EchoCurve:
        made = new CurveDialog(CurveDialog::Kind::Echo, editor_, window_);
        break;
    case ValuesDialog::Shrink:
        made = new ShrinkDialog(editor_, window_);
        break;
    default:
        made = new FilterDialog(editor_, window_);
        break;
    }
    return made;
}

} // namespace sono
