#include "CommandIcons.h"

#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

#include "CommandRows.h"

namespace sono {

namespace {

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
    const CommandRow* row = commandRow(commandId);
    if (!row || !row->picture.drawing) return {};
    const CommandPicture& picture = row->picture;
    QIcon icon = picture.themeName
                     ? QIcon::fromTheme(QLatin1String(picture.themeName), drawing(picture.drawing))
                     : drawing(picture.drawing);
    if (picture.badge) icon = QIcon(new BadgedIconEngine(icon, drawing(picture.badge)));
    return icon;
}

} // namespace sono
