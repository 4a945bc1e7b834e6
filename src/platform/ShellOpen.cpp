#include "platform/ShellOpen.h"

#include "platform/MessageBox.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace tavrin::platform {
namespace {
QList<ShellRequest> g_recorded;
} // namespace

QUrl ShellOpen::toUrl(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty()) return QUrl();
    // "scheme:" followed by something; a drive letter or a bare host:port is not a scheme here.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    // "host:8080/page" names a port, not a scheme.
    static const QRegularExpression hostPort(QStringLiteral("^[A-Za-z0-9.-]+:[0-9]+(/|$)"));
    const bool hasScheme = scheme.match(text).hasMatch() && !hostPort.match(text).hasMatch();
    QUrl url = hasScheme ? QUrl(text, QUrl::TolerantMode)
                         : QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    return url.isValid() ? url : QUrl();
}

bool ShellOpen::openUrl(const QString& address) {
    const QUrl url = toUrl(address);
    if (!url.isValid()) return false;
    if (MessageBox::testMode()) {
        g_recorded.append({ShellRequest::Url, url.toString(), {}});
        return true;
    }
    return QDesktopServices::openUrl(url);
}

bool ShellOpen::mail(const QString& address) {
    const QString a = address.trimmed();
    if (a.isEmpty()) return false;
    return openUrl(a.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)
                       ? a
                       : QStringLiteral("mailto:") + a);
}

bool ShellOpen::runProgram(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return false;
    if (MessageBox::testMode()) {
        g_recorded.append({ShellRequest::Program, program, arguments});
        return true;
    }
    return QProcess::startDetached(program, arguments);
}

const QList<ShellRequest>& ShellOpen::recorded() {
    return g_recorded;
}
void ShellOpen::clearRecorded() {
    g_recorded.clear();
}

} // namespace tavrin::platform
