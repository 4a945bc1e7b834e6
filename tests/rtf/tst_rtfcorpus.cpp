// Real RTF files that other programs wrote (fixtures/corpus, sources and licences in its
// SOURCES.md), each beside the text a word processor shows for it. The document reader, the
// plain text and the search scanner must each come within 2% of that text.
//
// The texts are compared with every run of white space made one space, since programs lay out
// tables and paragraph spacing differently; the score is 1 - D / (n + m), where D counts the
// characters inserted or deleted to turn one text into the other.

#include "rtf/RtfCodec.h"
#include "rtf/RtfSearchText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <vector>

using tavrin::diary::RtfCodec;
using tavrin::diary::RtfSearchText;

namespace {

constexpr double kMinScore = 0.98;

QString normalised(const QString& text) {
    return text.simplified();
}

// Myers' O(ND) difference; stops once D exceeds `limit` and returns limit + 1.
int insertsAndDeletes(const QString& a, const QString& b, int limit) {
    const int n = int(a.size()), m = int(b.size());
    const int offset = limit + 1;
    std::vector<int> v(std::size_t(2 * limit + 3), 0);
    for (int d = 0; d <= limit; ++d) {
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d ||
                     (k != d && v[std::size_t(offset + k - 1)] < v[std::size_t(offset + k + 1)]))
                        ? v[std::size_t(offset + k + 1)]
                        : v[std::size_t(offset + k - 1)] + 1;
            int y = x - k;
            while (x < n && y < m && a.at(x) == b.at(y)) {
                ++x;
                ++y;
            }
            v[std::size_t(offset + k)] = x;
            if (x >= n && y >= m) return d;
        }
    }
    return limit + 1;
}

double score(const QString& ours, const QString& expected) {
    const QString a = normalised(ours), b = normalised(expected);
    const int total = int(a.size() + b.size());
    if (total == 0) return 1.0;
    const int limit = int(total * (1 - kMinScore)) + 1;
    return 1.0 - double(insertsAndDeletes(a, b, limit)) / total;
}

// The document's text as it is shown: with the number or bullet of every list item.
QString shownText(const QTextDocument& doc) {
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString marker;
        if (const QTextList* list = b.textList()) {
            const int style = list->format().style();
            const bool bullet = style == QTextListFormat::ListDisc ||
                                style == QTextListFormat::ListCircle ||
                                style == QTextListFormat::ListSquare;
            marker = (bullet ? QStringLiteral("•") : list->itemText(b)) + u' ';
        }
        lines << marker + b.text();
    }
    return lines.join(u'\n');
}

// The plain text and search leave out list numbers and bullets, which are no words to find.
QString withoutListMarkers(const QString& text) {
    static const QRegularExpression marker(
        QStringLiteral("^\\s*(\\d+[.)]|[a-zA-Z][.)]|[ivxIVX]+[.)]|[•◦▪·o§-])\\s+"),
        QRegularExpression::MultilineOption);
    QString out = text;
    return out.replace(marker, QString());
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT

private slots:
    void readsAsTheWordProcessorShows_data() {
        QTest::addColumn<QString>("rtfPath");
        const QDir dir(QStringLiteral(TAVRIN_RTF_CORPUS));
        const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files);
        QVERIFY2(files.size() >= 20, "the corpus is missing");
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }

    void readsAsTheWordProcessorShows() {
        QFETCH(QString, rtfPath);
        QFile f(rtfPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray rtf = f.readAll();
        QString txtPath = rtfPath;
        txtPath.replace(QStringLiteral(".rtf"), QStringLiteral(".txt"));
        const QString expected = readText(txtPath);
        QVERIFY2(!expected.isEmpty() || rtf.size() < 400, "no expected text");

        QTextDocument doc;
        RtfCodec::toDocument(rtf, &doc);
        const std::string_view bytes(rtf.constData(), std::size_t(rtf.size()));
        const QString unlisted = withoutListMarkers(expected);
        const struct {
            const char* reader;
            QString text;
            const QString& expected;
        } readings[] = {
            {"document", shownText(doc), expected},
            {"plain text", RtfCodec::plainText(rtf), unlisted},
            {"search scanner", QString::fromStdString(RtfSearchText::visible(bytes)), unlisted},
        };
        for (const auto& r : readings) {
            const double s = score(r.text, r.expected);
            QVERIFY2(s >= kMinScore, qPrintable(QStringLiteral("%1 scores %2:\n%3")
                                                    .arg(QLatin1String(r.reader))
                                                    .arg(s, 0, 'f', 3)
                                                    .arg(normalised(r.text).left(600))));
        }
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
