#include "platform/FileChooser.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QRegularExpression>

#include <optional>

namespace tavrin::platform {
namespace {
QQueue<std::optional<QString>> g_next; // nullopt: cancel
FileRequest g_last;
QString g_lastDir; // where the previous chooser was left

QString convertPatterns(const QString& patterns) {
    QStringList out;
    for (QString p : patterns.split(';', Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p.isEmpty()) continue;
        if (p == "*.*") p = "*";
        out << p;
    }
    return out.isEmpty() ? QStringLiteral("*") : out.join(' ');
}

bool hasWildcard(const QString& s) {
    return s.contains('*') || s.contains('?');
}

bool confirmOverwrite(const QString& path, QWidget* parent) {
    return MessageBox::show(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                .arg(QDir::toNativeSeparators(path)),
                            MsgIcon::Warning, MsgButtons::YesNo,
                            QString::fromUtf8(texts::kProgramTitle), parent) == MsgAnswer::Yes;
}

QString run(QWidget* parent, const FileRequest& req) {
    g_last = req;
    if (!g_next.isEmpty() || MessageBox::testMode()) {
        if (g_next.isEmpty()) return QString();
        const std::optional<QString> answer = g_next.dequeue();
        if (!answer || answer->isEmpty()) return QString();
        const QString path =
            QFileInfo(FileChooser::withDefaultExtension(*answer, req.defaultExtension))
                .absoluteFilePath();
        if (!req.save && req.mustExistOrPrompt && !QFileInfo(path).isFile()) return QString();
        if (req.save && req.mustExistOrPrompt && QFileInfo::exists(path) &&
            !confirmOverwrite(path, parent))
            return QString();
        return path;
    }

    QString startDir = g_lastDir.isEmpty() ? QDir::homePath() : g_lastDir;
    QString startName;
    if (!req.initialName.isEmpty()) {
        const QFileInfo fi(req.initialName);
        if (req.initialName.contains('/') || req.initialName.contains('\\'))
            startDir = QDir::fromNativeSeparators(fi.path());
        // A pattern such as "*.tni" is shown as it is, telling the user what to pick.
        startName = fi.fileName();
    }

    for (;;) {
        QFileDialog dlg(parent, req.title, startDir);
        dlg.setAcceptMode(req.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(!req.save && req.mustExistOrPrompt ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true); // asked below, through MessageBox
        const QString filter = FileChooser::qtFilter(req.filter);
        if (!filter.isEmpty()) dlg.setNameFilter(filter);
        if (!req.defaultExtension.isEmpty()) {
            QString ext = req.defaultExtension;
            if (ext.startsWith('.')) ext.remove(0, 1);
            dlg.setDefaultSuffix(ext);
        }
        if (!startName.isEmpty()) dlg.selectFile(startName);
        dlg.setWindowModality(Qt::ApplicationModal);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();

        const QString path = QFileInfo(FileChooser::withDefaultExtension(
                                           dlg.selectedFiles().first(), req.defaultExtension))
                                 .absoluteFilePath();
        g_lastDir = QFileInfo(path).absolutePath();
        if (hasWildcard(QFileInfo(path).fileName())) { // a pattern is no file to save to
            startDir = g_lastDir;
            startName = QFileInfo(path).fileName();
            continue;
        }
        if (req.save && req.mustExistOrPrompt && QFileInfo::exists(path) &&
            !confirmOverwrite(path, parent)) {
            startDir = g_lastDir;
            startName = QFileInfo(path).fileName();
            continue;
        }
        return path;
    }
}
} // namespace

QString FileChooser::open(QWidget* parent, const QString& title, const QString& filter,
                          const QString& defaultExtension, const QString& initialName,
                          bool mustExist) {
    return run(parent, {false, title, filter, defaultExtension, initialName, mustExist});
}

QString FileChooser::save(QWidget* parent, const QString& title, const QString& filter,
                          const QString& defaultExtension, const QString& initialName,
                          bool overwritePrompt) {
    return run(parent, {true, title, filter, defaultExtension, initialName, overwritePrompt});
}

QString FileChooser::qtFilter(const QString& filter) {
    QStringList parts = filter.split('|');
    while (!parts.isEmpty() && parts.last().trimmed().isEmpty())
        parts.removeLast();
    static const QRegularExpression trailingParens(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns;
        if (i + 1 < parts.size()) {
            patterns = convertPatterns(parts[i + 1]);
        } else {
            // A description without its pattern: use what its parentheses say, or everything.
            auto m = QRegularExpression(QStringLiteral("\\(([^()]*)\\)\\s*$")).match(description);
            patterns = convertPatterns(m.hasMatch() ? m.captured(1).replace(' ', ';') : QString());
        }
        // Qt reads the patterns from the parentheses at the end, so they must be the real ones.
        description.remove(trailingParens);
        if (description.isEmpty()) description = patterns;
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QStringLiteral(";;"));
}

QString FileChooser::withDefaultExtension(const QString& path, const QString& extension) {
    QString ext = extension.trimmed();
    if (ext.startsWith('.')) ext.remove(0, 1);
    if (ext.isEmpty() || path.isEmpty()) return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains('.')) return path;
    return path + '.' + ext;
}

void FileChooser::setNextFileName(const QString& path) {
    g_next.enqueue(path);
}
void FileChooser::cancelNext() {
    g_next.enqueue(std::nullopt);
}
void FileChooser::clearScripted() {
    g_next.clear();
}
const FileRequest& FileChooser::lastRequest() {
    return g_last;
}

} // namespace tavrin::platform
