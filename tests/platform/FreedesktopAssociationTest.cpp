// The association in a private XDG home, read back by the desktop's own tools: the entry passes
// desktop-file-validate and xdg-mime names it as the default for WAV files, and removing it gives
// the files back to the program that had them, leaving every other type alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "FreedesktopAssociation.h"
#include "desktop/FileAssociation.h"
#include "settings/ClassesRoot.h"

namespace sono {
namespace {

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// "exit STATUS: OUTPUT" of a program.
std::string run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) return "did not run";
    return "exit " + std::to_string(process.exitCode()) + ": " +
           QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())
               .trimmed()
               .toStdString();
}

TEST(FreedesktopAssociation, FollowsTheStoreInAPrivateHome) {
    QTemporaryDir home;
    // xdg-mime reads the same places as we write, and no desktop session's own tool.
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_DIRS", (home.path() + "/system").toUtf8());
    qputenv("XDG_CONFIG_DIRS", (home.path() + "/system-config").toUtf8());
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    qunsetenv("KDE_FULL_SESSION");
    const FreedesktopPlaces places = userFreedesktopPlaces();
    ASSERT_EQ(places.mimeappsList, home.path() + "/config/mimeapps.list");

    // Another player had WAV and MP3 files before.
    writeText(places.applicationsFolder + "/other.desktop",
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\n"
              "MimeType=audio/x-wav;audio/mpeg;\n");
    const QString before = "[Added Associations]\naudio/x-wav=other.desktop;\n\n"
                           "[Default Applications]\naudio/mpeg=other.desktop;\n"
                           "audio/x-wav=other.desktop;\n";
    writeText(places.mimeappsList, before);

    ClassesRoot store((home.path() + "/settings/associations.reg").toStdString());
    auto associate = [&](const QString& folder) {
        ASSERT_TRUE(setAssociation(store, ".wav",
                                   associationCommand((folder + "/sonoplexer").toStdString())));
        store.setValue(playVerbKey(store), "", "Geluid &Afspelen");
        ASSERT_TRUE(followAssociation(store, folder + "/sonoplexer", folder + "/snapler", places));
    };
    const QString entryPath = places.applicationsFolder + "/" + AssociationEntryName;

    // A folder whose name the Exec line must quote.
    associate(home.path() + "/my $ounds");
    QString entry = readText(entryPath);
    EXPECT_TRUE(entry.contains("\nExec=\"" + home.path() + "/my \\\\$ounds/sonoplexer\" %f\n"))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains("\n[Desktop Action vrompplay]\nName=Geluid Afspelen\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=audio/x-wav;audio/wav;\n"));
    EXPECT_EQ(run("desktop-file-validate", {entryPath}), "exit 0: ");

    // xdg-mime names a default only when its program is there (and reads Exec unquoted).
    const QString bin = home.path() + "/bin";
    writeText(bin + "/sonoplexer", "#!/bin/sh\n");
    QFile::setPermissions(bin + "/sonoplexer", QFile::ReadOwner | QFile::ExeOwner);
    associate(bin);
    EXPECT_TRUE(readText(entryPath).contains("\nExec=" + bin + "/sonoplexer %f\n"));
    for (const char* type : {"audio/x-wav", "audio/wav"})
        EXPECT_EQ(run("xdg-mime", {"query", "default", type}),
                  "exit 0: " + std::string(AssociationEntryName));
    EXPECT_EQ(run("xdg-mime", {"query", "default", "audio/mpeg"}), "exit 0: other.desktop");

    // Following the same store again changes nothing.
    const QString list = readText(places.mimeappsList);
    ASSERT_TRUE(followAssociation(store, bin + "/sonoplexer", bin + "/snapler", places));
    EXPECT_EQ(readText(places.mimeappsList), list);

    // Without the editor's open command the entry goes, and the list is as it was.
    store.deleteKey("wav File\\shell\\open", "command");
    ASSERT_TRUE(followAssociation(store, bin + "/sonoplexer", bin + "/snapler", places));
    EXPECT_FALSE(QFile::exists(entryPath));
    EXPECT_EQ(readText(places.mimeappsList), before);
    EXPECT_EQ(run("xdg-mime", {"query", "default", "audio/x-wav"}), "exit 0: other.desktop");
}

} // namespace
} // namespace sono
