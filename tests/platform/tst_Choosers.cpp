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
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

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
        QTest::newRow("single bar end") << "Tavelle v2.x files (*.itn)|*.itn|"
                                        << "Tavelle v2.x files (*.itn)";
        QTest::newRow("two, all files") << "Text files (*.txt)|*.txt|All files (*.*)|*.*||"
                                        << "Text files (*.txt);;All files (*)";
        QTest::newRow("several patterns") << "Pictures|*.bmp;*.dib||"
                                          << "Pictures (*.bmp *.dib)";
        QTest::newRow("description lies") << "Wave (*.mp3)|*.wav||"
                                          << "Wave (*.wav)";
        QTest::newRow("no pattern") << "PNG files (*.png)"
                                    << "PNG files (*.png)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filterConversion() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(FileChooser::qtFilter(filter), qt);
    }

    void defaultExtension() {
        QCOMPARE(FileChooser::withDefaultExtension("/a/export", "txt"), QString("/a/export.txt"));
        QCOMPARE(FileChooser::withDefaultExtension("/a/export", ".txt"), QString("/a/export.txt"));
        QCOMPARE(FileChooser::withDefaultExtension("/a/export.csv", "txt"),
                 QString("/a/export.csv"));
        QCOMPARE(FileChooser::withDefaultExtension("/a.b/export", "txt"),
                 QString("/a.b/export.txt"));
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
        QCOMPARE(FileChooser::open(nullptr, "t", "", "tni", QString(), false),
                 dir_ + "/Missing.tni");
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
        const QString path = FileChooser::save(nullptr, "Export graph to PNG",
                                               "PNG files (*.png)|*.png||", "png", "*.png");
        MessageBox::setTestMode(true);
        QCOMPARE(title, QString("Export graph to PNG"));
        QCOMPARE(filters, QStringList{"PNG files (*.png)"});
        QCOMPARE(path, QDir(dir_).absoluteFilePath("graph.png"));
    }

    // The real print dialog prints everything or the selection: it offers no page numbers and
    // no printing to a file (a PDF comes from its own "Save as PDF..." button). The range
    // fields sit on the folded options part, so what counts is whether they were taken away.
    void realPrintDialogOffersNoPagesNorFile_data() {
        QTest::addColumn<bool>("offerSelection");
        QTest::newRow("list") << true;
        QTest::newRow("entry") << false;
    }
    void realPrintDialogOffersNoPagesNorFile() {
        QFETCH(bool, offerSelection);
        MessageBox::setTestMode(false);
        QStringList printers, pageFields;
        bool selectable = false, seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dlg = QApplication::activeModalWidget();
            QVERIFY(dlg);
            seen = true;
            if (auto* combo = dlg->findChild<QComboBox*>("printers"))
                for (int i = 0; i < combo->count(); ++i)
                    printers << combo->itemText(i);
            for (const char* name :
                 {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"})
                for (QWidget* w : dlg->findChildren<QWidget*>(name))
                    if (!w->isHidden() && w->isEnabled()) pageFields << name;
            auto* selection = dlg->findChild<QRadioButton*>("printSelection");
            selectable = selection && !selection->isHidden() && selection->isEnabled();
            QMetaObject::invokeMethod(dlg, "reject");
        });
        const PrintChoice c = PrintDialog::choose(nullptr, offerSelection);
        MessageBox::setTestMode(true);
        QVERIFY(seen);
        QVERIFY(!c.printer);
        QVERIFY2(printers.filter("File", Qt::CaseInsensitive).isEmpty(),
                 qPrintable(printers.join('|')));
        QVERIFY2(pageFields.isEmpty(), qPrintable(pageFields.join('|')));
        QCOMPARE(selectable, offerSelection);
    }

    // The real chooser shows the initial name it is given, a pattern such as "*.tni" included;
    // a pattern accepted as it is never comes back as a file name.
    void realChooserShowsItsInitialName_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("initialName");
        QTest::newRow("Open a diary") << false << "*.tni";
        QTest::newRow("Choose WAV") << false << "*.wav";
        QTest::newRow("export") << true << "*.png";
    }
    void realChooserShowsItsInitialName() {
        QFETCH(bool, save);
        QFETCH(QString, initialName);
        MessageBox::setTestMode(false);
        QStringList shown;
        std::function<void()> answer = [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(edit);
            shown << edit->text();
            if (shown.size() == 1 && save) { // accept the name as shown
                dlg->setDirectory(dir_);
                QTimer::singleShot(0, answer); // shown again
                QMetaObject::invokeMethod(dlg, "accept");
            } else {
                dlg->reject();
            }
        };
        QTimer::singleShot(0, answer);
        const QString path =
            save ? FileChooser::save(nullptr, "t", "Files (*.*)|*.*||", "", initialName)
                 : FileChooser::open(nullptr, "t", "Files (*.*)|*.*||", "", initialName);
        MessageBox::setTestMode(true);
        QCOMPARE(shown.first(), initialName);
        QVERIFY(path.isEmpty()); // a pattern saved to is shown again, then cancelled
        QCOMPARE(shown.size(), save ? 2 : 1);
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
            accept = box->button(QDialogButtonBox::Open)
                         ? box->button(QDialogButtonBox::Open)->text()
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

    // A sub-folder clicked on is only highlighted: SELECT answers the folder the user stands
    // in. A folder typed into the name field is taken.
    void realDirDialogAnswersTheFolderStoodIn_data() {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("highlighted") << false << "";
        QTest::newRow("typed") << true << "/typed";
    }
    void realDirDialogAnswersTheFolderStoodIn() {
        QFETCH(bool, typed);
        QFETCH(QString, expected);
        QDir().mkpath(dir_ + "/highlighted");
        QDir().mkpath(dir_ + "/typed");
        MessageBox::setTestMode(false);
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            auto* view = dlg->findChild<QListView*>("listView");
            auto* model = view ? qobject_cast<QFileSystemModel*>(view->model()) : nullptr;
            QVERIFY(model);
            // Clicked on as the user does, once the folder is listed.
            const QModelIndex sub = model->index(dir_ + "/highlighted");
            QTRY_VERIFY(view->visualRect(sub).isValid());
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(sub).center());
            auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
            QCOMPARE(edit->text(), QString("highlighted"));
            if (typed) edit->setText(dir_ + "/typed");
            QMetaObject::invokeMethod(dlg, "accept");
        });
        const QString chosen = CDirDialog::choose(nullptr, "Choose destination directory", dir_);
        MessageBox::setTestMode(true);
        QCOMPARE(chosen, QDir(dir_ + expected).absolutePath());
    }
};

QTEST_MAIN(TestChoosers)
#include "tst_Choosers.moc"
