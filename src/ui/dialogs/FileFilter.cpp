#include "FileFilter.h"

#include <QStringList>

namespace sono {

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern.trimmed() == u"*.*") pattern = QStringLiteral("*");
        QString description = parts[i];
        qsizetype bracket = description.lastIndexOf(u'(');
        if (bracket >= 0 && description.endsWith(u')')) description.truncate(bracket);
        entries << description.trimmed() + QStringLiteral(" (") + patterns.join(u' ').trimmed() +
                       u')';
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace sono
