#include "platform/FontChooser.h"

#include "platform/MessageBox.h"

#include <QFontDialog>
#include <QQueue>

namespace tavrin::platform {
namespace {
QQueue<std::optional<QFont>> g_next;
QFont g_lastInitial;
} // namespace

std::optional<QFont> FontChooser::choose(const QFont& initial, QWidget* parent) {
    g_lastInitial = initial;
    if (!g_next.isEmpty() || MessageBox::testMode()) {
        if (g_next.isEmpty()) return std::nullopt;
        return g_next.dequeue();
    }
    QFontDialog dlg(initial, parent);
    dlg.setWindowModality(Qt::ApplicationModal);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.selectedFont();
}

void FontChooser::setNextFont(const QFont& font) {
    g_next.enqueue(font);
}
void FontChooser::cancelNext() {
    g_next.enqueue(std::nullopt);
}
void FontChooser::clearScripted() {
    g_next.clear();
}
QFont FontChooser::lastInitial() {
    return g_lastInitial;
}

} // namespace tavrin::platform
