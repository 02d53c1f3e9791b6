#include "WindowDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <QWidget>

#include "Folders.h"
#include "FreedesktopAssociation.h"
#include "FrmAbout.h"
#include "FrmEgg.h"
#include "desktop/FileAssociation.h"

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

bool WindowDesktop::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

bool WindowDesktop::openWebAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

bool WindowDesktop::startProgram(const std::string& path) {
    return QProcess::startDetached(QFile::decodeName(path.c_str()), {});
}

bool WindowDesktop::followAssociation(ClassesRoot& store) {
    return sono::followAssociation(store, QFile::decodeName(programPath().c_str()),
                                   QFile::decodeName((programFolder() + SiblingPlayer).c_str()),
                                   userFreedesktopPlaces());
}

void WindowDesktop::showAbout() {
    FrmAbout about(window_, language_(), QString::fromStdString(appDir() + "snail.gif"));
    about.exec();
}

void WindowDesktop::showEgg() {
    // Not modal: it may crawl on while the user works.
    auto* egg = new FrmEgg(window_, language_(), QString::fromStdString(appDir() + "snail.gif"));
    egg->setAttribute(Qt::WA_DeleteOnClose);
    egg->show();
}

} // namespace sono
