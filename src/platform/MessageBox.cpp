#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QQueue>

#include <cstdio>

namespace tavrin::platform {
namespace {
bool g_testMode = false;
QQueue<MsgAnswer> g_answers;
QList<MessageRecord> g_recorded;

QMessageBox::Icon qtIcon(MsgIcon i) {
    switch (i) {
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons b) {
    switch (b) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MsgAnswer defaultAnswer(MsgButtons b) {
    return (b == MsgButtons::YesNo || b == MsgButtons::YesNoCancel) ? MsgAnswer::No : MsgAnswer::Ok;
}
} // namespace

MsgAnswer MessageBox::show(const QString& text, MsgIcon icon, MsgButtons buttons,
                           const QString& caption, QWidget* parent, bool onTop) {
    if (g_testMode) {
        g_recorded.append({text, caption, icon, buttons, onTop});
        return g_answers.isEmpty() ? defaultAnswer(buttons) : g_answers.dequeue();
    }
    // Without a widget application (command-line use) there is nothing to show a box on.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return defaultAnswer(buttons);
    }
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox box(qtIcon(icon), caption, text, qtButtons(buttons), parent);
    // Texts often carry file names; never let "<" in a name be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if (onTop) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    default:
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

void MessageBox::warning(const QString& text, QWidget* parent) {
    show(text, MsgIcon::Warning, MsgButtons::Ok, QString::fromUtf8(texts::kProgramTitle), parent);
}
void MessageBox::information(const QString& text, QWidget* parent) {
    show(text, MsgIcon::Information, MsgButtons::Ok, QString::fromUtf8(texts::kProgramTitle),
         parent);
}
void MessageBox::plain(const QString& text, QWidget* parent) {
    show(text, MsgIcon::None, MsgButtons::Ok, QString::fromUtf8(texts::kProgramTitle), parent);
}
bool MessageBox::question(const QString& text, QWidget* parent) {
    return show(text, MsgIcon::Question, MsgButtons::YesNo, QString::fromUtf8(texts::kProgramTitle),
                parent) == MsgAnswer::Yes;
}

void MessageBox::setTestMode(bool on) {
    g_testMode = on;
}
bool MessageBox::testMode() {
    return g_testMode;
}
void MessageBox::setNextAnswer(MsgAnswer answer) {
    g_answers.enqueue(answer);
}
const QList<MessageRecord>& MessageBox::recorded() {
    return g_recorded;
}
QStringList MessageBox::recordedTexts() {
    QStringList out;
    for (const auto& r : g_recorded)
        out << r.text;
    return out;
}
void MessageBox::clearRecorded() {
    g_recorded.clear();
    g_answers.clear();
}

} // namespace tavrin::platform
