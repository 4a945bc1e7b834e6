#pragma once
// Hands web addresses, e-mail addresses and other programs to the desktop: a web page opens in
// the default browser, "mailto:" in the mail program, a program is started on its own. The
// program never waits for them.
//
// Test seam: in message-box test mode nothing is opened; every request is recorded and
// reported as started.

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tavrin::platform {

struct ShellRequest {
    enum Kind { Url, Program } kind;
    QString target; // the URL as opened, or the program path
    QStringList arguments;
};

class ShellOpen {
public:
    // Opens an address with the desktop's handler. A text without a scheme is taken as a web
    // address ("www.example.org" -> "http://www.example.org"). False when the text is no usable
    // address or nothing could open it.
    static bool openUrl(const QString& address);
    // Opens the mail program for an address; "mailto:" is added when missing.
    static bool mail(const QString& address);
    // Starts a program detached from this one.
    static bool runProgram(const QString& program, const QStringList& arguments = {});

    // The URL openUrl() would open, or an invalid one.
    static QUrl toUrl(const QString& address);

    // ---- test seam ----
    static const QList<ShellRequest>& recorded();
    static void clearRecorded();
};

} // namespace tavrin::platform
