#pragma once
// Starts the program again once this copy has ended (after a change of skin). A small detached
// shell waits for this process to be gone, then starts the program; the new copy can then take
// the single-instance lock.
//
// Test seam: in message-box test mode nothing is started; the requests are recorded.

#include <QString>
#include <QStringList>

namespace tavrin::platform {

struct RestartRequest {
    QString program;
    QStringList arguments;
    qint64 waitForPid;
};

class RestartProgram {
public:
    // Schedules `programPath` to start after this process exits. False when the helper could
    // not be started.
    static bool scheduleAfterExit(const QString& programPath, const QStringList& arguments = {});
    // The same, waiting for any process. The wait gives up after maxWaitSeconds and starts the
    // program anyway.
    static bool scheduleAfterProcess(qint64 pid, const QString& programPath,
                                     const QStringList& arguments = {}, int maxWaitSeconds = 120);

    // ---- test seam ----
    static const QList<RestartRequest>& recorded();
    static void clearRecorded();
};

} // namespace tavrin::platform
