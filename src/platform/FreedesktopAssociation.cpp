#include "FreedesktopAssociation.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include "desktop/FileAssociation.h"

namespace sono {

namespace {

const QStringList WavTypes = {QStringLiteral("audio/x-wav"), QStringLiteral("audio/wav")};
const QString DefaultsGroup = QStringLiteral("[Default Applications]");

// One word of an Exec line: quoted when it holds a character the desktop would otherwise read
// as syntax, "%" doubled, and the backslashes doubled once more for the key file's string.
QString execWord(const QString& word) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString out = word;
    out.replace(u'%', QStringLiteral("%%"));
    if (std::any_of(word.begin(), word.end(), [](QChar c) { return reserved.contains(c); })) {
        QString escaped;
        for (QChar c : out) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') escaped += u'\\';
            escaped += c;
        }
        out = u'"' + escaped + u'"';
    }
    return out.replace(u'\\', QStringLiteral("\\\\"));
}

// "&Play Sound" -> "Play Sound": the access key means nothing in a desktop's menu.
QString withoutAccessKey(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    return text.replace(u'\x01', u'&').simplified();
}

QString entryText(const QString& program, const QString& player, const QString& verbText) {
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Sonoplexer\n"
                                  "GenericName=Sound Editor\n"
                                  "GenericName[nl]=Geluidsbewerker\n"
                                  "Comment=Edit WAV files\n"
                                  "Comment[nl]=WAV-bestanden bewerken\n"
                                  "Icon=sonoplexer\n"
                                  "Terminal=false\n"
                                  "NoDisplay=true\n"
                                  "MimeType=audio/x-wav;audio/wav;\n");
    text += QStringLiteral("Exec=") + execWord(program) + QStringLiteral(" %f\n");
    if (!verbText.isEmpty())
        text += QStringLiteral("Actions=%1;\n\n[Desktop Action %1]\nName=%2\nExec=%3 C3%f\n")
                    .arg(QString::fromLatin1(PlayVerb), verbText, execWord(player));
    return text;
}

bool writeText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}

// The list of mimeapps.list with our entry first for the WAV types (or without it); every other
// line stays as it was.
QString withDefaults(const QString& list, bool ours) {
    const QString entry = QString::fromLatin1(AssociationEntryName);
    QStringList lines = list.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    qsizetype group = lines.indexOf(DefaultsGroup);
    if (group < 0) {
        if (!ours) return list;
        lines << DefaultsGroup;
        group = lines.size() - 1;
    }
    qsizetype end = group + 1;
    while (end < lines.size() && !lines[end].startsWith(u'['))
        ++end;
    for (const QString& type : WavTypes) {
        QStringList programs;
        qsizetype at = -1;
        for (qsizetype i = group + 1; i < end; ++i)
            if (lines[i].section(u'=', 0, 0).trimmed() == type) {
                at = i;
                programs = lines[i].section(u'=', 1).split(u';', Qt::SkipEmptyParts);
            }
        programs.removeAll(entry);
        if (ours) programs.prepend(entry);
        const QString line = type + u'=' + programs.join(u';') + u';';
        if (at >= 0 && programs.isEmpty()) {
            lines.removeAt(at);
            --end;
        } else if (at >= 0) {
            lines[at] = line;
        } else if (!programs.isEmpty()) {
            lines.insert(end++, line);
        }
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace

FreedesktopPlaces userFreedesktopPlaces() {
    return {QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/mimeapps.list")};
}

bool followAssociation(ClassesRoot& store, const QString& program, const QString& player,
                       const FreedesktopPlaces& places) {
    const bool ours = associationPresent(store, program.toStdString());
    const QString entryPath = places.applicationsFolder + u'/' + AssociationEntryName;
    bool written = true;
    if (ours) {
        const QString verbText = QString::fromStdString(store.getValue(playVerbKey(store), ""));
        written = writeText(entryPath, entryText(program, player, withoutAccessKey(verbText)));
    } else {
        QFile::remove(entryPath);
    }
    QFile list(places.mimeappsList);
    QString text;
    if (list.open(QIODevice::ReadOnly)) text = QString::fromUtf8(list.readAll());
    list.close();
    const QString changed = withDefaults(text, ours);
    if (changed != text) written = writeText(places.mimeappsList, changed) && written;
    return written;
}

} // namespace sono
