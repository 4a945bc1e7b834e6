#include "platform/TrayNotice.h"

#include "platform/MessageBox.h"

#include <QPointer>
#include <QSystemTrayIcon>

namespace tavrin::platform {
namespace {
QPointer<QSystemTrayIcon> g_icon;
QList<TrayNoticeRecord> g_recorded;
constexpr int kShownMs = 15000;
} // namespace

void TrayNotice::setIcon(QSystemTrayIcon* icon) {
    g_icon = icon;
}
bool TrayNotice::hasIcon() {
    return !g_icon.isNull();
}

bool TrayNotice::notify(const QString& title, const QString& text) {
    if (!g_icon) return false;
    if (MessageBox::testMode()) {
        g_recorded.append({title, text});
        return true;
    }
    g_icon->showMessage(title, text, QSystemTrayIcon::Information, kShownMs);
    return true;
}

const QList<TrayNoticeRecord>& TrayNotice::recorded() {
    return g_recorded;
}
void TrayNotice::clearRecorded() {
    g_recorded.clear();
}

} // namespace tavrin::platform
