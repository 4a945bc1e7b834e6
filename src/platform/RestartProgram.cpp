#include "platform/RestartProgram.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QProcess>

namespace tavrin::platform {
namespace {
QList<RestartRequest> g_recorded;

// $1 = pid to wait for, $2 = tenths of a second to wait at most, the rest = program and arguments.
// Passed as arguments, never pasted into the script, so no path can be read as shell code.
const char* const kScript =
    "pid=$1; n=$2; shift 2; "
    "while [ \"$n\" -gt 0 ] && kill -0 \"$pid\" 2>/dev/null; do sleep 0.1; n=$((n-1)); done; "
    "exec \"$@\"";
} // namespace

bool RestartProgram::scheduleAfterExit(const QString& programPath, const QStringList& arguments) {
    return scheduleAfterProcess(QCoreApplication::applicationPid(), programPath, arguments);
}

bool RestartProgram::scheduleAfterProcess(qint64 pid, const QString& programPath,
                                          const QStringList& arguments, int maxWaitSeconds) {
    if (programPath.isEmpty()) return false;
    if (MessageBox::testMode()) {
        g_recorded.append({programPath, arguments, pid});
        return true;
    }
    QStringList args{QStringLiteral("-c"),
                     QString::fromLatin1(kScript),
                     QStringLiteral("tavrin-restart"),
                     QString::number(pid),
                     QString::number(qMax(0, maxWaitSeconds) * 10),
                     programPath};
    args += arguments;
    return QProcess::startDetached(QStringLiteral("/bin/sh"), args);
}

const QList<RestartRequest>& RestartProgram::recorded() {
    return g_recorded;
}
void RestartProgram::clearRecorded() {
    g_recorded.clear();
}

} // namespace tavrin::platform
