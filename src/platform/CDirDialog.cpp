#include "platform/CDirDialog.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>

#include <optional>

namespace tavrin::platform {
namespace {
QQueue<std::optional<QString>> g_next;
QString g_lastTitle;
} // namespace

bool CDirDialog::doBrowse(QWidget* parent) {
    path_ = choose(parent, title_, initial_);
    return !path_.isEmpty();
}

QString CDirDialog::choose(QWidget* parent, const QString& title, const QString& initialDirectory) {
    // A caller that forgot the title still gets a sensible caption.
    const QString caption = title.isEmpty() ? QString::fromUtf8(texts::kProgramTitle) : title;
    g_lastTitle = caption;
    if (!g_next.isEmpty() || MessageBox::testMode()) {
        if (g_next.isEmpty()) return QString();
        const std::optional<QString> answer = g_next.dequeue();
        if (!answer || answer->isEmpty() || !QFileInfo(*answer).isDir()) return QString();
        return QDir(*answer).absolutePath();
    }

    QFileDialog dlg(parent, caption,
                    initialDirectory.isEmpty() || !QFileInfo(initialDirectory).isDir()
                        ? QDir::homePath()
                        : initialDirectory);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true); // the button text must be ours
    dlg.setLabelText(QFileDialog::Accept, QStringLiteral("SELECT"));
    dlg.setWindowModality(Qt::ApplicationModal);
    // A click on a sub-folder only highlights it; the answer is the folder the user stands in.
    // A folder typed into the name field is taken as typed.
    QString highlighted;
    const auto tracking =
        QObject::connect(&dlg, &QFileDialog::currentChanged, &dlg,
                         [&highlighted](const QString& path) { highlighted = path; });
    const int result = dlg.exec();
    QObject::disconnect(tracking);
    if (result != QDialog::Accepted) return QString();
    // Selected are the highlighted folder and whatever the name field holds.
    QString dir = dlg.directory().absolutePath();
    for (const QString& chosen : dlg.selectedFiles()) {
        if (!highlighted.isEmpty() && QDir(chosen) == QDir(highlighted)) continue;
        dir = chosen;
        break;
    }
    return QFileInfo(dir).isDir() ? QDir(dir).absolutePath() : QString();
}

void CDirDialog::setNextDirectory(const QString& path) {
    g_next.enqueue(path);
}
void CDirDialog::cancelNext() {
    g_next.enqueue(std::nullopt);
}
void CDirDialog::clearScripted() {
    g_next.clear();
}
QString CDirDialog::lastTitle() {
    return g_lastTitle;
}

} // namespace tavrin::platform
