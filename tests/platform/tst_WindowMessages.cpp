// Named window messages: each name is one event type, delivered with its two parameters.

#include "platform/WindowMessages.h"

#include <QSet>
#include <QTest>

using namespace tavrin::platform;

namespace {
struct Receiver : QObject {
    QStringList names;
    QList<QPair<qintptr, qintptr>> params;
    bool handleSpin = true;
    bool event(QEvent* e) override {
        if (auto* m = NamedMessage::match(e, "TNSNotifySpin")) {
            names << m->name();
            params.append({m->wParam(), m->lParam()});
            return handleSpin;
        }
        if (auto* m = NamedMessage::match(e, "TNSNavigatorSel")) {
            names << m->name();
            params.append({m->wParam(), m->lParam()});
            return true;
        }
        return QObject::event(e);
    }
};
} // namespace

class TestWindowMessages : public QObject {
    Q_OBJECT
private slots:
    void sixteenNamesSixteenTypes() {
        WindowMessages::registerAll();
        const QStringList& names = WindowMessages::names();
        QCOMPARE(names.size(), 16);
        QSet<int> types;
        for (const QString& n : names) {
            QVERIFY(n.startsWith("TNS"));
            const int t = WindowMessages::type(n);
            QVERIFY(t >= QEvent::User && t <= QEvent::MaxUser);
            QCOMPARE(int(WindowMessages::type(n)), t); // stable
            types.insert(t);
        }
        QCOMPARE(types.size(), 16);
    }

    void postArrivesLaterWithParameters() {
        Receiver r;
        WindowMessages::post(&r, "TNSNavigatorSel", 'n', 0);
        WindowMessages::post(&r, "TNSNotifySpin", 3, -2);
        QVERIFY(r.names.isEmpty());
        QCoreApplication::sendPostedEvents(&r);
        QCOMPARE(r.names, (QStringList{"TNSNavigatorSel", "TNSNotifySpin"}));
        QCOMPARE(r.params[0].first, qintptr('n'));
        QCOMPARE(r.params[1], (QPair<qintptr, qintptr>(3, -2)));
    }

    void sendIsImmediateAndReportsHandling() {
        Receiver r;
        QVERIFY(WindowMessages::send(&r, "TNSNotifySpin", 7, 1));
        QCOMPARE(r.names, QStringList{"TNSNotifySpin"});
        r.handleSpin = false;
        QVERIFY(!WindowMessages::send(&r, "TNSNotifySpin", 7, 1));
        // A message the receiver does not know is not mistaken for another.
        WindowMessages::send(&r, "TNSDrawGraph");
        QCOMPARE(r.names.size(), 2);
        QVERIFY(!WindowMessages::send(nullptr, "TNSDrawGraph"));
    }

    void matchIgnoresOtherEvents() {
        QEvent plain(QEvent::Timer);
        QVERIFY(!NamedMessage::match(&plain, "TNSNotifySpin"));
        NamedMessage graph("TNSDrawGraph", 0, 0);
        QVERIFY(!NamedMessage::match(&graph, "TNSNotifySpin"));
        QVERIFY(NamedMessage::match(&graph, "TNSDrawGraph"));
        QVERIFY(!NamedMessage::match(&graph, "TNSNeverRegistered"));
    }
};

QTEST_GUILESS_MAIN(TestWindowMessages)
#include "tst_WindowMessages.moc"
