#pragma once
// A notification from the program's tray icon, for news that must reach a user whose window is
// hidden in the tray. The main window hands over its tray icon while it is shown there; without
// one nothing is shown.
//
// Test seam: in test mode (following the message-box test mode) nothing is shown; every
// notification that would have been shown is recorded.

#include <QList>
#include <QString>

class QSystemTrayIcon;

namespace tavrin::platform {

struct TrayNoticeRecord {
    QString title;
    QString text;
};

class TrayNotice {
public:
    // The tray icon now shown, or nullptr once it is removed.
    static void setIcon(QSystemTrayIcon* icon);
    static bool hasIcon();
    // Shows the notification; false when there is no tray icon.
    static bool notify(const QString& title, const QString& text);

    // ---- test seam ----
    static const QList<TrayNoticeRecord>& recorded();
    static void clearRecorded();
};

} // namespace tavrin::platform
