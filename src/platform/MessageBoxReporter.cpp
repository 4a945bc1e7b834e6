#include "platform/MessageBoxReporter.h"

#include "platform/MessageBox.h"

#include <QCursor>
#include <QGuiApplication>

namespace tavrin::platform {

void MessageBoxReporter::report(ReportKind kind, const std::string& text) {
    const QString t = QString::fromStdString(text); // storage hands over UTF-8
    // A box raised in the middle of a long operation gets the ordinary pointer back.
    const bool overWait =
        cursorsSet_ > 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (overWait) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    switch (kind) {
    case ReportKind::FileError:
    case ReportKind::Damaged:
    case ReportKind::Voice:
    case ReportKind::WrongVersion:
        MessageBox::warning(t);
        break;
    case ReportKind::Trace:
        MessageBox::plain(t);
        break;
    }
    if (overWait) QGuiApplication::restoreOverrideCursor();
}

void MessageBoxReporter::beginWait() {
    ++depth_;
    if (depth_ == 1 && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++cursorsSet_;
    }
}

void MessageBoxReporter::endWait() {
    if (depth_ == 0) return; // an unmatched end must not pop someone else's cursor
    --depth_;
    if (depth_ == 0 && cursorsSet_ > 0) {
        --cursorsSet_;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
}

MessageBoxReporter& MessageBoxReporter::instance() {
    static MessageBoxReporter r;
    return r;
}

void MessageBoxReporter::install() {
    Reporter::setGlobal(&instance());
}

} // namespace tavrin::platform
