#include "platform/ColorChooser.h"

#include "platform/MessageBox.h"

#include <QColorDialog>
#include <QQueue>

namespace tavrin::platform {
namespace {
QQueue<std::optional<QColor>> g_next;
QColor g_lastInitial;
} // namespace

std::optional<QColor> ColorChooser::choose(const QColor& initial, QWidget* parent) {
    g_lastInitial = initial;
    if (!g_next.isEmpty() || MessageBox::testMode()) {
        if (g_next.isEmpty()) return std::nullopt;
        return g_next.dequeue();
    }
    QColorDialog dlg(initial, parent);
    dlg.setWindowModality(Qt::ApplicationModal);
    if (dlg.exec() != QDialog::Accepted || !dlg.selectedColor().isValid()) return std::nullopt;
    return dlg.selectedColor();
}

void ColorChooser::setNextColor(const QColor& color) {
    g_next.enqueue(color);
}
void ColorChooser::cancelNext() {
    g_next.enqueue(std::nullopt);
}
void ColorChooser::clearScripted() {
    g_next.clear();
}
QColor ColorChooser::lastInitial() {
    return g_lastInitial;
}

} // namespace tavrin::platform
