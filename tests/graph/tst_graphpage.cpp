// The graph page over a real diary: the record list, redraws on selection, an empty selection
// that keeps the plot, "Nothing to plot!", the PNG export, and tavrin-cli's graph drawn by the
// same chart; printing and the clipboard.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "chart/GraphChart.h"
#include "cli/Cli.h"
#include "graph/CTavrinDlgGraph.h"
#include "health/HealthModule.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/WindowMessages.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <sstream>

using namespace tavrin;
using namespace tavrin::graph;
using platform::MessageBox;

namespace {

const QColor kBar(10, 200, 30);

// A diary of three entries with the moods -3, 0 and 2; only the mood is drawn, as green bars.
QString makeGraphDiary() {
    static int made = 0;
    const QString path =
        QDir(test::scratchDir()).filePath(QStringLiteral("graph%1.tni").arg(++made));
    TN tn(0, path.toStdString(), test::extOffsetOf(path));
    tn.ReadConfiguration();
    const int moods[] = {-3, 0, 2};
    for (int i = 0; i < 3; ++i) {
        tn.entry.clear();
        tn.entry.setPassword("secret");
        tn.entry.setDateTime(1'700'000'000 + 86400 * std::int64_t(i));
        tn.entry.setMood(std::int8_t(moods[i]));
        tn.body = "text";
        for (auto& t : tn.typeText)
            t.clear();
        tn.AddEntry();
    }
    tn.ReadGraphSettings();
    for (int i = 0; i < GraphSettings::kDiarySeries; ++i)
        tn.graph.setVisible(GraphSettings::diarySlot(i), false);
    const auto mood = GraphSettings::diarySlot(0);
    tn.graph.setVisible(mood, true);
    tn.graph.setType(mood, GraphSettings::Bar);
    tn.graph.setColour(mood, GraphSettings::rgb(kBar.red(), kBar.green(), kBar.blue()));
    tn.WriteGraphSettings();
    return path;
}

int pixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == colour.rgb();
    return n;
}

} // namespace

class TestGraphPage : public QObject {
    Q_OBJECT
    QString path_;
    std::unique_ptr<CTavrinDlgGraph> page_;

    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

private slots:
    // The year at a glance is the health module's view.
    void initTestCase() {
        app::ModuleRegistry::clear();
        app::ModuleRegistry::add<health::HealthModule>();
    }

    void init() {
        MessageBox::clearRecorded();
        path_ = makeGraphDiary();
        app::DiaryState::instance().choose(path_, test::extOffsetOf(path_));
        app::DiaryState::instance().setOpen(true);
        page_ = std::make_unique<CTavrinDlgGraph>();
        page_->resize(1000, 600);
        page_->show();
        platform::WindowMessages::send(page_.get(), QStringLiteral("TNSListTrnsfr"));
        settle();
    }
    void cleanup() { page_.reset(); }

    void listFilledAndLastEntryDrawn() {
        ui::CCustomListCtrl* list = page_->recordList();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->selectedRows(), QList<int>({2}));
        QCOMPARE(list->itemText(0, 2), QStringLiteral("n/a"));
        QVERIFY(page_->chart()->hasPlot());
        QCOMPARE(page_->chart()->plot().points(), 1);
        QCOMPARE(page_->chart()->plot().series[0].values, QList<double>({2.0}));
    }

    // "Year at a glance" puts the calendar of the whole diary in the plot's place; pressed
    // again, or when the page is shown again, the plot is back.
    void yearAtAGlanceIsASecondView() {
        auto* glance = page_->findChild<QPushButton*>("yearGlanceButton");
        QVERIFY(glance);
        glance->click();
        auto* view = page_->findChild<QWidget*>("yearGlanceView");
        QVERIFY(view && view->isVisible());
        QVERIFY(!page_->chart()->isVisible());
        glance->click();
        QVERIFY(page_->chart()->isVisible());
        glance->click();
        page_->pageShown();
        QVERIFY(page_->chart()->isVisible());
        QVERIFY(!glance->isChecked());
    }

    void emptySelectionKeepsThePlot() {
        ui::CCustomListCtrl* list = page_->recordList();
        for (int r = 0; r < 3; ++r)
            list->setRowSelected(r, true);
        settle();
        QCOMPARE(page_->chart()->plot().series[0].values, QList<double>({-3.0, 0.3, 2.0}));
        for (int r = 0; r < 3; ++r)
            list->setRowSelected(r, false);
        settle();
        platform::WindowMessages::send(page_.get(), QStringLiteral("TNSDrawGraph"));
        QCOMPARE(page_->chart()->plot().points(), 3);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void nothingVisibleIsRefused() {
        {
            TN tn(0, path_.toStdString(), test::extOffsetOf(path_));
            QVERIFY(tn.ReadGraphSettings());
            tn.graph.setVisible(GraphSettings::diarySlot(0), false);
            tn.graph.setVisible(GraphSettings::diarySlot(4), true); // a label alone
            QVERIFY(tn.WriteGraphSettings());
        }
        platform::WindowMessages::send(page_.get(), QStringLiteral("TNSDrawGraph"));
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({QString::fromLatin1(GraphPlot::kNothingToPlot)}));
        QCOMPARE(page_->chart()->labelCount(), 0);
    }

    void savedImageShowsTheSeries() {
        page_->recordList()->setRowSelected(0, true);
        settle();
        const QString png = QDir(test::scratchDir()).filePath("graph.png");
        QFile::remove(png);
        platform::FileChooser::setNextFileName(png);
        page_->saveImage();
        QCOMPARE(platform::FileChooser::lastRequest().title, QStringLiteral("Export graph to PNG"));
        QCOMPARE(test::fileMode(png), 0600); // diary data: for its owner only
        const QImage image(png);
        QCOMPARE(image.size(), QSize(800, 600));
        QVERIFY2(pixelsOf(image, kBar) > 500, "the bars are not in the image");
    }

    void printedAndCopied() {
        const QString pdf = QDir(test::scratchDir()).filePath("graph.pdf");
        QFile::remove(pdf);
        platform::PrintDialog::setNextPdf(pdf);
        page_->print();
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished());
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Tavelle (tm) Suite Graph")), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        // On the upright page the plot keeps the saved image's 4:3 shape.
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), pdf, pdf});
        QVERIFY(raster.waitForFinished());
        const QImage printed(pdf + QStringLiteral(".png"));
        QVERIFY(!printed.isNull());
        QRect drawn;
        for (int y = 0; y < printed.height(); ++y)
            for (int x = 0; x < printed.width(); ++x)
                if (printed.pixel(x, y) != qRgb(255, 255, 255)) drawn |= QRect(x, y, 1, 1);
        QVERIFY2(std::abs(double(drawn.width()) / drawn.height() - 4.0 / 3) < 0.05,
                 qPrintable(QStringLiteral("%1 x %2").arg(drawn.width()).arg(drawn.height())));

        QGuiApplication::clipboard()->clear();
        page_->copyToClipboard();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), page_->chart()->size());
        QVERIFY(pixelsOf(copied, kBar) > 100);
    }

    void cliDrawsTheSameChart() {
        const QString png = QDir(test::scratchDir()).filePath("cli.png");
        QFile::remove(png);
        std::istringstream in;
        std::ostringstream out, err;
        cli::Cli tool(in, out, err, [] { return std::optional<std::string>("secret"); });
        const std::vector<std::string> args = {"graph", path_.toStdString(), png.toStdString(),
                                               "--from", "2023-11-15"};
        QCOMPARE(tool.run(args), cli::Cli::kOk);
        QVERIFY(out.str().find("2 entries") != std::string::npos);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(800, 600));
        QVERIFY(pixelsOf(image, kBar) > 500);
        // Fibromyalgia data with nothing visible: refused, and no image.
        QFile::remove(png);
        const std::vector<std::string> fibro = {"graph", path_.toStdString(), png.toStdString(),
                                                "--set", "2"};
        QCOMPARE(tool.run(fibro), cli::Cli::kFailed);
        QVERIFY(!QFile::exists(png));
        const std::vector<std::string> bad = {"graph", path_.toStdString(), png.toStdString(),
                                              "--set", "3"};
        QCOMPARE(tool.run(bad), cli::Cli::kUsage);
    }
};

QTEST_MAIN(TestGraphPage)
#include "tst_graphpage.moc"
