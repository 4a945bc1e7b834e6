#include "platform/Autostart.h"

#include "storage/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tavrin::platform {

QString Autostart::filePath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("autostart/") + QLatin1String(kFileName));
}

QString Autostart::execValue(const QString& programPath) {
    // Inside the quotes, ", `, $ and \ are escaped with a backslash; the value as a whole is
    // then a string value, whose own backslashes are doubled. A literal % must be %%.
    QString quoted;
    for (QChar c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted = '"' + quoted + '"';
    quoted.replace('\\', QStringLiteral("\\\\"));
    quoted.replace('%', QStringLiteral("%%"));
    quoted.replace('\n', QStringLiteral("\\n"));
    quoted.replace('\t', QStringLiteral("\\t"));
    quoted.replace('\r', QStringLiteral("\\r"));
    return quoted;
}

bool Autostart::setEnabled(bool enabled, const QString& programPath) {
    const QString path = filePath();
    if (!enabled) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) return QFile::remove(path);
        return true;
    }
    if (programPath.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) return false;

    const QString title = QString::fromUtf8(texts::kProgramTitle);
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=%1\n").arg(title);
    text += QStringLiteral("Comment=%1\n").arg(title);
    text += QStringLiteral("Exec=%1\n").arg(execValue(QFileInfo(programPath).absoluteFilePath()));
    text += QStringLiteral("Terminal=false\n");

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = text.toUtf8();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool Autostart::isEnabled() {
    return QFileInfo(filePath()).isFile();
}

} // namespace tavrin::platform
