// The pictures of the toolbar buttons and menu items: each command has one that draws at the
// sizes of the toolbars and menus, with the icon theme or without it, and no two buttons look
// the same.
#include <QStandardPaths>
#include <QtTest>

#include <functional>

#include "CommandIcons.h"

using namespace sono;

namespace {

const char* const ToolbarCommands[] = {
    "MMleeg",      "MMharmonisch",     "MMmorse",      "MMopen",    "MMsave",    "MMopenMP3",
    "MMsaveMP3",   "MMprop",           "MMinformatie", "MMundo",    "MMredo",    "MMcut",
    "MMcopy",      "MMpaste",          "MMmute",       "MMSilence", "MMAlles",   "MMNiets",
    "MMvolume",    "MMnormalize",      "MMspeed",      "MMreverse", "MMecho",    "MMDempen",
    "MMalien",     "MMalien2",         "MMsat",        "MMgekraak", "MMkrimpen", "MMfilter",
    "MMzoom",      "MMbeide",          "MMluister",    "MMplay",    "MMstop",    "MMrecord",
    "MMrecordMix", "MMrecordOverloop", "MMrewind",     "MMforward"};
const char* const MenuOnlyCommands[] = {"MMsaveAs",  "MMopenAlles", "MMasso", "MMdelAsso",
                                        "MMsnapler", "MMclose",     "MMabout"};

QImage picture(const char* command, int size) {
    return commandIcon(command).pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Whether any pixel of the image is as `wanted`.
bool any(const QImage& image, const std::function<bool(QRgb)>& wanted) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (wanted(image.pixel(x, y))) return true;
    return false;
}

void verifyEveryCommandDraws() {
    QStringList blank; // or drawn on an opaque square
    auto check = [&](const char* command) {
        if (commandIcon(command).isNull()) return blank.append(QString(command) + " (none)");
        for (int size : {16, 24}) {
            const QImage image = picture(command, size);
            // A clear corner: a picture on an opaque square shows as a box on the bar.
            if (image.isNull() || image.width() > size || image.height() > size ||
                !any(image, [](QRgb pixel) { return qAlpha(pixel) > 0; }) ||
                qAlpha(image.pixel(0, 0)) != 0)
                blank << QStringLiteral("%1 at %2").arg(command).arg(size);
        }
    };
    for (const char* command : ToolbarCommands)
        check(command);
    for (const char* command : MenuOnlyCommands)
        check(command);
    QVERIFY2(blank.isEmpty(), qPrintable(blank.join(", ")));
}

} // namespace

class CommandIconsTest : public QObject {
    Q_OBJECT
  private slots:
    void theInstalledThemeIsFoundWithoutADesktop();
    void everyCommandOfABarOrMenuHasAPicture();
    void withoutTheThemeOurDrawingsStandIn();
    void noTwoButtonsLookTheSame();
};

void CommandIconsTest::theInstalledThemeIsFoundWithoutADesktop() {
    // The tests run offscreen, where Qt alone finds no theme at all.
    if (QStandardPaths::locate(QStandardPaths::GenericDataLocation, "icons/Adwaita/index.theme")
            .isEmpty())
        QSKIP("the Adwaita icon theme is not installed");
    QCOMPARE(commandIcon("MMopen").name(), QString("document-open"));
    QCOMPARE(commandIcon("MMrecord").name(), QString("media-record"));
}

void CommandIconsTest::everyCommandOfABarOrMenuHasAPicture() {
    verifyEveryCommandDraws();
    // The theme's properties picture is greys alone, like the picture of a disabled button.
    QVERIFY(any(picture("MMprop", 24), [](QRgb pixel) {
        return qAlpha(pixel) > 128 && QColor(pixel).hsvSaturation() > 80;
    }));
    QVERIFY(commandIcon("MMpasteMix").isNull());
    QVERIFY(commandIcon("MMnoSuchCommand").isNull());
}

void CommandIconsTest::withoutTheThemeOurDrawingsStandIn() {
    commandIcon("MMopen"); // the theme is looked for once, before it is taken away here
    const QString theme = QIcon::themeName();
    QIcon::setThemeName("sonoplexer-no-such-theme");
    verifyEveryCommandDraws();
    QIcon::setThemeName(theme);
}

void CommandIconsTest::noTwoButtonsLookTheSame() {
    QStringList same;
    const int count = std::size(ToolbarCommands);
    for (int size : {16, 24}) {
        QList<QImage> images;
        for (const char* command : ToolbarCommands)
            images << picture(command, size);
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j)
                if (images[i] == images[j])
                    same << QStringLiteral("%1 = %2 at %3")
                                .arg(ToolbarCommands[i], ToolbarCommands[j])
                                .arg(size);
    }
    QVERIFY2(same.isEmpty(), qPrintable(same.join(", ")));
}

QTEST_MAIN(CommandIconsTest)
#include "CommandIconsTest.moc"
