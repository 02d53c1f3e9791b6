#include "CommandIcons.h"

#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace sono {

namespace {

struct CommandPicture {
    std::string_view command;
    const char* themeName; // the freedesktop name, or nullptr where the theme has none that fits
    const char* drawing;   // our own SVG in icons/, also the stand-in for a missing themed one
    const char* badge = nullptr; // an SVG of ours drawn small over the lower right corner
};

// A command that is a variant of another one shows that one's picture with a badge (Record mix:
// the record picture and a plus), so the variant matches the theme's own picture.
// Two commands keep our drawing although the theme has a name near them: edit-select-all is a
// text page, while Select All must pair with Select Nothing (no theme name) over a waveform; and
// audio-volume-muted says "the loudspeaker is off", not "this stretch is made silent".
// document-save-as is not used because the common theme draws it exactly as document-save, nor
// document-properties, which it draws in greys that look disabled. The
// transport buttons and Zoom keep our drawings too: the common theme draws them as faint outlines
// (and zoom-in as a square with a plus), hard to read on a toolbar.
constexpr std::array Pictures = {
    // Toolbar1, in the order of its buttons
    CommandPicture{"MMleeg", "document-new", "document-new"},
    CommandPicture{"MMharmonisch", nullptr, "synthesizer"},
    CommandPicture{"MMmorse", nullptr, "morse"},
    CommandPicture{"MMopen", "document-open", "document-open"},
    CommandPicture{"MMsave", "document-save", "document-save"},
    CommandPicture{"MMopenMP3", "document-open", "document-open", "badge-music"},
    CommandPicture{"MMsaveMP3", "document-save", "document-save", "badge-music"},
    CommandPicture{"MMprop", nullptr, "properties"},
    CommandPicture{"MMinformatie", nullptr, "information"},
    CommandPicture{"MMundo", "edit-undo", "edit-undo"},
    CommandPicture{"MMredo", "edit-redo", "edit-redo"},
    CommandPicture{"MMcut", "edit-cut", "edit-cut"},
    CommandPicture{"MMcopy", "edit-copy", "edit-copy"},
    CommandPicture{"MMpaste", "edit-paste", "edit-paste"},
    CommandPicture{"MMmute", nullptr, "mute"},
    CommandPicture{"MMSilence", nullptr, "add-silence"},
    CommandPicture{"MMAlles", nullptr, "select-all"},
    CommandPicture{"MMNiets", nullptr, "select-nothing"},
    CommandPicture{"MMvolume", nullptr, "volume"},
    CommandPicture{"MMnormalize", nullptr, "normalize"},
    CommandPicture{"MMspeed", nullptr, "speed"},
    CommandPicture{"MMreverse", nullptr, "reverse"},
    CommandPicture{"MMecho", nullptr, "echo"},
    CommandPicture{"MMDempen", nullptr, "soften"},
    CommandPicture{"MMalien", nullptr, "alien-1"},
    CommandPicture{"MMalien2", nullptr, "alien-2"},
    CommandPicture{"MMsat", nullptr, "satellite"},
    CommandPicture{"MMgekraak", nullptr, "creaking"},
    CommandPicture{"MMkrimpen", nullptr, "shrink"},
    CommandPicture{"MMfilter", nullptr, "filter"},
    CommandPicture{"MMzoom", nullptr, "zoom-in"},
    CommandPicture{"MMbeide", nullptr, "both-channels"},
    CommandPicture{"MMluister", nullptr, "listen-after-change"},
    // Toolbar2
    CommandPicture{"MMplay", nullptr, "media-playback-start"},
    CommandPicture{"MMstop", nullptr, "media-playback-stop"},
    CommandPicture{"MMrecord", "media-record", "media-record"},
    CommandPicture{"MMrecordMix", "media-record", "media-record", "badge-mix"},
    CommandPicture{"MMrecordOverloop", "media-record", "media-record", "badge-fading"},
    CommandPicture{"MMrewind", nullptr, "media-seek-backward"},
    CommandPicture{"MMforward", nullptr, "media-seek-forward"},
    // pictures of menu items only
    CommandPicture{"MMsaveAs", "document-save", "document-save", "badge-edit"},
    CommandPicture{"MMopenAlles", "document-open", "document-open", "badge-any"},
    CommandPicture{"MMasso", "audio-x-generic", "audio-x-generic", "badge-link"},
    CommandPicture{"MMdelAsso", "audio-x-generic", "audio-x-generic", "badge-unlink"},
    CommandPicture{"MMsnapler", nullptr, "player"},
    CommandPicture{"MMclose", "application-exit", "application-exit"},
    CommandPicture{"MMabout", "help-about", "help-about"},
};

// Paints a base picture and, over its lower right corner, a badge five eighths its size. Both
// are drawn in the requested mode, so a disabled button greys its badge too.
class BadgedIconEngine : public QIconEngine {
  public:
    BadgedIconEngine(QIcon base, QIcon badge) : base_(std::move(base)), badge_(std::move(badge)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        base_.paint(painter, rect, Qt::AlignCenter, mode, state);
        // A theme may hold a smaller picture than asked for, which QIcon centres without
        // enlarging; the badge goes on the corner of what was drawn.
        QRect drawn(QPoint(0, 0), base_.actualSize(rect.size(), mode, state));
        drawn.moveCenter(rect.center());
        const int side = (std::min(drawn.width(), drawn.height()) * 5 + 4) / 8;
        const QRect corner(drawn.right() + 1 - side, drawn.bottom() + 1 - side, side, side);
        badge_.paint(painter, corner, Qt::AlignCenter, mode, state);
    }
    // QIconEngine's own pixmap() paints over memory it has not cleared.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return result;
    }
    QIconEngine* clone() const override { return new BadgedIconEngine(base_, badge_); }

  private:
    QIcon base_, badge_;
};

QIcon drawing(const char* name) {
    return QIcon(QStringLiteral(":/commandicons/") + QLatin1String(name) + QStringLiteral(".svg"));
}

// A name every full theme has; a theme without it is no theme for our toolbars.
const QString ProbeName = QStringLiteral("document-open");
// Tried in this order when the current theme lacks the probe; the set-up installs the first.
const std::array<QString, 3> SpareThemes = {QStringLiteral("Adwaita"), QStringLiteral("breeze"),
                                            QStringLiteral("Tango")};

// Outside a desktop session Qt finds no usable icon theme: the offscreen platform searches only
// the resources, and on a bare X server the theme is "hicolor", which holds application icons and
// no actions. So the freedesktop icon folders are added to the search path, and when the current
// theme still lacks the probe the first installed spare theme takes its place. A desktop's own
// theme that has the pictures stays in use.
void ensureIconTheme() {
    QStringList paths = QIcon::themeSearchPaths();
    QStringList folders{QStandardPaths::writableLocation(QStandardPaths::HomeLocation) +
                        QStringLiteral("/.icons")};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/icons");
    for (const QString& folder : folders)
        if (!paths.contains(folder) && QFileInfo(folder).isDir()) paths << folder;
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::hasThemeIcon(ProbeName)) return;
    const QString current = QIcon::themeName();
    for (const QString& theme : SpareThemes) {
        const bool installed = std::any_of(paths.begin(), paths.end(), [&](const QString& folder) {
            return QFileInfo::exists(folder + u'/' + theme + QStringLiteral("/index.theme"));
        });
        if (!installed) continue;
        QIcon::setThemeName(theme);
        if (QIcon::hasThemeIcon(ProbeName)) return;
    }
    QIcon::setThemeName(current);
}

} // namespace

QIcon commandIcon(std::string_view commandId) {
    static const bool themeReady = (ensureIconTheme(), true);
    (void)themeReady;
    for (const CommandPicture& picture : Pictures) {
        if (picture.command != commandId) continue;
        QIcon icon = picture.themeName ? QIcon::fromTheme(QLatin1String(picture.themeName),
                                                          drawing(picture.drawing))
                                       : drawing(picture.drawing);
        if (picture.badge) icon = QIcon(new BadgedIconEngine(icon, drawing(picture.badge)));
        return icon;
    }
    return {};
}

} // namespace sono
