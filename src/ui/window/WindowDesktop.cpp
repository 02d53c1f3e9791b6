#include "WindowDesktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <QWidget>

#include "AboutBox.h"
#include "Folders.h"
#include "FreedesktopAssociation.h"
#include "SnailWindow.h"
#include "desktop/FileAssociation.h"
#include "desktop/HomePage.h"

namespace sono {

std::string WindowDesktop::programPath() const {
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

std::string WindowDesktop::appDir() const {
    return sono::appDir();
}

std::string WindowDesktop::programFolder() const {
    return QFile::encodeName(QCoreApplication::applicationDirPath() + u'/').toStdString();
}

namespace {
// How long xdg-open has to say that nothing could open the page. The desktops' openers hand the
// page over and end at once; the generic one keeps the browser it started in the foreground, and
// is left to it.
constexpr int OpenerVerdictMs = 2000;

// Opens the page with the program the user chose for it, as xdg-open finds it. False when there
// is no xdg-open or it ends saying that nothing could open the page (no browser, say), which
// QDesktopServices does not tell.
bool openWithDesktop(const QUrl& url, QObject* owner) {
    auto* opener = new QProcess(owner);
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    if (opener->waitForFinished(OpenerVerdictMs)) {
        const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
        delete opener;
        return opened;
    }
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    return true;
}
} // namespace

bool WindowDesktop::openDocument(const std::string& path) {
    return openWithDesktop(QUrl::fromLocalFile(QFile::decodeName(path.c_str())), window_);
}

bool WindowDesktop::openWebAddress(const std::string& address) {
    const QString text = QString::fromStdString(address);
    const QUrl url = text.startsWith(QStringLiteral("file://"))
                         ? QUrl::fromLocalFile(QFile::decodeName(address.substr(7).c_str()))
                         : QUrl(text);
    return openWithDesktop(url, window_);
}

bool WindowDesktop::startProgram(const std::string& path,
                                 const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QFile::decodeName(argument.c_str());
    return QProcess::startDetached(QFile::decodeName(path.c_str()), list);
}

bool WindowDesktop::followAssociation(ClassesRoot& store) {
    return sono::followAssociation(store, QFile::decodeName(programPath().c_str()),
                                   QFile::decodeName((programFolder() + SiblingPlayer).c_str()),
                                   userFreedesktopPlaces());
}

void WindowDesktop::showAbout() {
    AboutBox about(window_, language_(), QString::fromStdString(appDir() + "snail.gif"),
                   QString::fromStdString(homePageAddress(appDir(), language_())));
    about.exec();
}

void WindowDesktop::showEgg() {
    // Not modal: it may crawl on while the user works.
    auto* egg =
        new SnailWindow(window_, language_(), QString::fromStdString(appDir() + "snail.gif"));
    egg->setAttribute(Qt::WA_DeleteOnClose);
    egg->show();
}

} // namespace sono
