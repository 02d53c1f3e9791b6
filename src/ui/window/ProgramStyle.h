#pragma once
// The look of the program's buttons over the style the desktop (or -style) chose: the buttons of
// its dialogs and message boxes show their words alone. The common icon theme draws No and
// Cancel as a red dot, which reads as Record in a sound editor.
#include <QProxyStyle>

namespace sono {

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returned = nullptr) const override;

    // Puts the program's style over the application's own, once.
    static void install();
};

} // namespace sono
