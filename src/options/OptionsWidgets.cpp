#include "options/OptionsWidgets.h"

#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinnedWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace tavrin::options::widgets {

QCheckBox* checkBox(const QString& text, const QString& name, QWidget* parent) {
    auto* box = ui::skinnedChoice(new QCheckBox(text, parent));
    box->setObjectName(name);
    return box;
}

QLineEdit* field(int limit, const QString& name, QWidget* parent) {
    auto* edit = ui::skinnedChoice(new QLineEdit(parent));
    edit->setObjectName(name);
    edit->setMaxLength(limit);
    return edit;
}

QComboBox* list(const QString& name, QWidget* parent) {
    auto* box = ui::skinnedChoice(new QComboBox(parent));
    box->setObjectName(name);
    return box;
}

QGridLayout* group(const QString& title, const QString& name, QWidget* parent, QWidget** frame) {
    auto* g = new ui::CCustomStatic(title, parent, ui::CCustomStatic::Group);
    g->setObjectName(name);
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(8, 20, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    if (frame) *frame = g;
    return grid;
}

QWidget* label(const QString& text, QWidget* parent) {
    return new ui::CCustomStatic(text, parent);
}

QString fromStored(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

std::string toStored(const QString& text) {
    return cp1252::fromUtf8(text.toStdString());
}

QColor colour(std::uint32_t c) {
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

std::uint32_t stored(const QColor& c) {
    return std::uint32_t(c.red() | c.green() << 8 | c.blue() << 16);
}

bool checkRange(QLineEdit* edit, int low, int high, QWidget* parent) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    if (ok && v >= low && v <= high) return true;
    platform::MessageBox::warning(
        QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high), parent);
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace tavrin::options::widgets
