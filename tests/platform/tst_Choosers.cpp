// File, folder, colour and font choosers and the print dialog: filter conversion, the default
// extension, the overwrite question, and the test seams other windows rely on.

#include "TestEnvironment.h"
#include "platform/CDirDialog.h"
#include "platform/ColorChooser.h"
#include "platform/FileChooser.h"
#include "platform/FontChooser.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tavrin::platform;

namespace {
QString touch(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

class TestChoosers : public QObject {
    Q_OBJECT
    QString dir_;

private slots:
    void initTestCase() {
        dir_ = tavrin::test::scratchDir() + "/choosers";
        QDir().mkpath(dir_);
    }
    void init() {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
        FileChooser::clearScripted();
        CDirDialog::clearScripted();
        ColorChooser::clearScripted();
        FontChooser::clearScripted();
    }

    void filterConversion_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("diary") << "Tavelle Suite v3.x files (*.tni)|*.tni||"
                               << "Tavelle Suite v3.x files (*.tni)";
        QTest::newRow("single bar end") << "Tavelle v2.x files (*.itn)|*.itn|" << "Tavelle v2.x files (*.itn)";
        QTest::newRow("two, all files") << "Text files (*.txt)|*.txt|All files (*.*)|*.*||"
                                        << "Text files (*.txt);;All files (*)";
        QTest::newRow("several patterns") << "Pictures|*.bmp;*.dib||" << "Pictures (*.bmp *.dib)";
        QTest::newRow("description lies") << "Wave (*.mp3)|*.wav||" << "Wave (*.wav)";
        QTest::newRow("no pattern") << "PNG files (*.png)" << "PNG files (*.png)";
        QTest::newRow("empty") << "" << "";
    }
    void filterConversion() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(FileChooser::qtFilter(filter), qt);
    }

    void defaultExtension() {
        QCOMPARE(FileChooser::withDefaultExtension("/a/export", "txt"), QString("/a/export.txt"));
        QCOMPARE(FileChooser::withDefaultExtension("/a/export", ".txt"), QString("/a/export.txt"));
        QCOMPARE(FileChooser::withDefaultExtension("/a/export.csv", "txt"), QString("/a/export.csv"));
        QCOMPARE(FileChooser::withDefaultExtension("/a.b/export", "txt"), QString("/a.b/export.txt"));
        QCOMPARE(FileChooser::withDefaultExtension("/a/export", ""), QString("/a/export"));
        QCOMPARE(FileChooser::withDefaultExtension("", "txt"), QString());
    }

    void scriptedOpenAppliesExtensionAndExistence() {
        const QString diary = touch(dir_ + "/Travel.tni");
        FileChooser::setNextFileName(dir_ + "/Travel"); // typed without the extension
        QCOMPARE(FileChooser::open(nullptr, "Open an existing diary file",
                                   "Tavelle Suite v3.x files (*.tni)|*.tni||", "tni", "*.tni"),
                 diary);
        const FileRequest& req = FileChooser::lastRequest();
        QVERIFY(!req.save);
        QCOMPARE(req.title, QString("Open an existing diary file"));
        QCOMPARE(req.defaultExtension, QString("tni"));
        QCOMPARE(req.initialName, QString("*.tni"));
        QVERIFY(req.mustExistOrPrompt);

        // A file that must exist but does not: the chooser gives nothing back.
        FileChooser::setNextFileName(dir_ + "/Missing.tni");
        QVERIFY(FileChooser::open(nullptr, "t", "", "tni").isEmpty());
        FileChooser::setNextFileName(dir_ + "/Missing.tni");
        QCOMPARE(FileChooser::open(nullptr, "t", "", "tni", QString(), false), dir_ + "/Missing.tni");
    }

    void scriptedSaveAsksBeforeOverwriting() {
        const QString existing = touch(dir_ + "/export.txt");
        FileChooser::setNextFileName(dir_ + "/export");
        MessageBox::setNextAnswer(MsgAnswer::No);
        QVERIFY(FileChooser::save(nullptr, "Specify the export file", "", "txt").isEmpty());
        QCOMPARE(MessageBox::recorded().size(), 1);
        QCOMPARE(MessageBox::recorded().first().buttons, MsgButtons::YesNo);
        QVERIFY(MessageBox::recorded().first().text.contains("export.txt"));

        FileChooser::setNextFileName(dir_ + "/export");
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        QCOMPARE(FileChooser::save(nullptr, "Specify the export file", "", "txt"), existing);

        // Without the prompt nobody is asked; a new file is never asked about.
        MessageBox::clearRecorded();
        FileChooser::setNextFileName(existing);
        QCOMPARE(FileChooser::save(nullptr, "t", "", "txt", QString(), false), existing);
        FileChooser::setNextFileName(dir_ + "/brand-new");
        QCOMPARE(FileChooser::save(nullptr, "t", "", "png"), dir_ + "/brand-new.png");
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    // The real chooser: its title and filter, and a typed name gets the default extension.
    void realSaveDialogAddsExtension() {
        MessageBox::setTestMode(false);
        QString title;
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            title = dlg->windowTitle();
            filters = dlg->nameFilters();
            dlg->setDirectory(dir_);
            auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(edit);
            edit->setText("graph");
            QMetaObject::invokeMethod(dlg, "accept");
        });
        const QString path = FileChooser::save(nullptr, "Export graph to PNG", "PNG files (*.png)|*.png||",
                                               "png", "*.png");
        MessageBox::setTestMode(true);
        QCOMPARE(title, QString("Export graph to PNG"));
        QCOMPARE(filters, QStringList{"PNG files (*.png)"});
        QCOMPARE(path, QDir(dir_).absoluteFilePath("graph.png"));
    }

    void realDirDialogReadsSelect() {
        MessageBox::setTestMode(false);
        QString title, accept;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            title = dlg->windowTitle();
            auto* box = dlg->findChild<QDialogButtonBox*>();
            QVERIFY(box);
            accept = box->button(QDialogButtonBox::Open) ? box->button(QDialogButtonBox::Open)->text()
                                                         : box->buttons().first()->text();
            dlg->setDirectory(dir_);
            QMetaObject::invokeMethod(dlg, "accept");
        });
        const QString chosen = CDirDialog::choose(nullptr, "Choose destination directory", dir_);
        MessageBox::setTestMode(true);
        QCOMPARE(title, QString("Choose destination directory"));
        QCOMPARE(accept, QString("SELECT"));
        QCOMPARE(chosen, QDir(dir_).absolutePath());
    }

};

QTEST_MAIN(TestChoosers)
#include "tst_Choosers.moc"
