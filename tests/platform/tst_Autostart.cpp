// The login start entry.

#include "TestEnvironment.h"
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tavrin::platform;

namespace {
QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}
} // namespace

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart").removeRecursively();
    }

    void createdInTheUsersAutostartFolder() {
        const QString expected =
            qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/TN300.desktop";
        QCOMPARE(Autostart::filePath(), expected);
        QVERIFY(!Autostart::isEnabled());
        // The folder does not exist yet; it is made.
        QVERIFY(Autostart::setEnabled(true, "/opt/tavelle/bin/tavrin"));
        QVERIFY(Autostart::isEnabled());
        const QStringList l = lines(expected);
        QCOMPARE(l.first(), QString("[Desktop Entry]"));
        QVERIFY(l.contains("Type=Application"));
        QVERIFY(l.contains("Name=Tavelle Suite v3.10"));
        QVERIFY(l.contains("Exec=\"/opt/tavelle/bin/tavrin\""));

        QVERIFY(Autostart::setEnabled(false, QString()));
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(!QFile::exists(expected));
        QVERIFY(Autostart::setEnabled(false, QString())); // nothing to remove is fine
    }

    void enablingAgainReplacesTheProgramPath() {
        QVERIFY(Autostart::setEnabled(true, "/old/tavrin"));
        QVERIFY(Autostart::setEnabled(true, "/new/tavrin"));
        const QStringList l = lines(Autostart::filePath());
        QVERIFY(l.contains("Exec=\"/new/tavrin\""));
        QCOMPARE(l.filter("Exec=").size(), 1);
    }

    // Paths with spaces and shell characters must come through to the desktop unchanged.
    void execIsQuotedAsDesktopEntriesRequire() {
        QCOMPARE(Autostart::execValue("/home/a b/tavrin"), QString("\"/home/a b/tavrin\""));
        QCOMPARE(Autostart::execValue("/x/$HOME/t"), QString("\"/x/\\\\$HOME/t\""));
        QCOMPARE(Autostart::execValue("/x/\"q\"/t"), QString("\"/x/\\\\\"q\\\\\"/t\""));
        QCOMPARE(Autostart::execValue("/x/100%/t"), QString("\"/x/100%%/t\""));
        QCOMPARE(Autostart::execValue("/x/a\\b"), QString("\"/x/a\\\\\\\\b\""));
    }

    void emptyProgramIsRefused() {
        QVERIFY(!Autostart::setEnabled(true, QString()));
        QVERIFY(!Autostart::isEnabled());
    }
};

QTEST_MAIN(TestAutostart)
#include "tst_Autostart.moc"
