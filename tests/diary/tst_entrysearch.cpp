// The search modes of the diary page and the walks that apply them, without a display.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "diary/logic/EntrySearch.h"
#include "diary/logic/EntrySearchCache.h"
#include "rtf/RtfCodec.h"
#include "storage/TN.h"

#include <QTest>

#include <array>
#include <random>
#include <string>
#include <vector>

using namespace tavrin;
using namespace tavrin::diary;
using namespace tavrin::test;

namespace {

constexpr const char* kRtfGarden =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs24 Worked in the \\b Garden\\b0  today.\\par "
    "Caf\\'e9 later.\\par}";
constexpr const char* kRtfRain =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Rain all day\\par}";

struct Sample {
    std::string description;
    std::string body;
    std::array<std::string, 5> types{};
    bool voice = false;
};

// A diary whose entries are written through TN exactly as given, one hour apart.
QString diaryWith(const QString& name, const std::vector<Sample>& samples) {
    const QString path = makeDiary(name, "secret", 0);
    TN tn(0, path.toStdString(), extOffsetOf(path));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        tn.entry.clear();
        tn.entry.setPassword("secret");
        tn.entry.setQuestion(0, "Pet?");
        tn.entry.setAnswer(0, "Rex");
        tn.entry.setDateTime(1'700'000'000 + 3600 * std::int64_t(i));
        tn.entry.setDescription(samples[i].description);
        tn.entry.setVoiceFlag(samples[i].voice ? 1 : 0);
        tn.body = samples[i].body;
        tn.typeText = samples[i].types;
        if (!tn.AddEntry()) return {};
    }
    return path;
}

std::vector<int> found(const QString& path, const QList<EntrySearch>& chain) {
    TN tn(0, path.toStdString(), extOffsetOf(path));
    std::vector<EntrySearch::Found> out;
    EntrySearch::find(tn, chain, out);
    std::vector<int> indexes;
    for (const auto& f : out)
        indexes.push_back(f.index);
    return indexes;
}

// A body of random words in one of the forms the diary holds: RTF as the editor writes it, RTF
// as other programs write it (escapes, Unicode, fields, hidden text, tables), or plain text.
std::string generatedBody(std::mt19937& rng) {
    static const char* const words[] = {
        "walk",
        "Garden",
        "caf\\'e9",
        "na\\'efve",
        "\\u8364?uro",
        "ZÜRICH",
        "{\\b rain}",
        "sun\\~day",
        "co\\-operate",
        "{\\v secret}",
        "\\tab x",
        "\\emdash",
        "{\\field{\\*\\fldinst HYPERLINK \"http://a.b\"}{\\fldrslt link}}",
        "a\\cell b\\cell\\row",
        "{\\*\\bkmkstart mark}",
        "\\line",
        "\\u-3913?x",
        "STRASSE",
        "stra\\'dfe"};
    const std::size_t n = sizeof words / sizeof *words;
    const int form = int(rng() % 4);
    std::string body =
        form == 3 ? "" : "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (int w = 0; w < 40; ++w) {
        std::string word = words[rng() % n];
        if (form == 3 && word.find('\\') != std::string::npos) word = "Caf\xe9 plain";
        body += word;
        body += (form != 3 && rng() % 9 == 0) ? "\\par " : " ";
    }
    if (form != 3)
        body += "\\par}";
    else
        body += "\r\nlast line";
    return body;
}

} // namespace

class TestEntrySearch : public QObject {
    Q_OBJECT
    QString path_;

private slots:
    void initTestCase() {
        path_ = diaryWith(
            "Search", {
                          {"Long WALK", kRtfGarden, {"", "", "", "", ""}, false},               // 0
                          {"", "Plain text, no markup: RAIN", {"money", "", "", "", ""}, true}, // 1
                          {"walk in rain", kRtfRain, {"", "", "", "", "a poem"}, true},         // 2
                          {"Caf\xe9 visit", "", {"", "draft", "", "", ""}, false},              // 3
                      });
        QVERIFY(!path_.isEmpty());
    }

    void modeListCarriesTheTypeNames() {
        const QStringList modes =
            EntrySearch::modeTexts({"Finance", "Drafts", "Journal", "E-mails", "Poetry"});
        QCOMPARE(modes,
                 QStringList({"All", "Body text", "Description text", "Body or description text",
                              "Voice only", "1 - Finance only", "2 - Drafts only",
                              "3 - Journal only", "4 - E-mails only", "5 - Poetry only"}));
        for (int m = 0; m < EntrySearch::kModeCount; ++m)
            QCOMPARE(EntrySearch::takesText(m), m >= 1 && m <= 3);
    }

    void descriptionsMatchWithoutRegardToCase() {
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::DescriptionText, "walk")}),
                 std::vector<int>({0, 2}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::DescriptionText, "CAFÉ")}),
                 std::vector<int>({3}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::DescriptionText, "nowhere")}),
                 std::vector<int>());
    }

    // The user searches what the entry shows, not its RTF markup.
    void bodiesMatchTheShownTextNotTheMarkup() {
        for (const char* markup : {"rtf", "par", "fonttbl", "Arial", "ansi", "red255"})
            QVERIFY2(found(path_, {EntrySearch(EntrySearch::BodyText, markup)}).empty(), markup);
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::BodyText, "garden TODAY")}),
                 std::vector<int>({0}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::BodyText, "café")}), std::vector<int>({0}));
        // A plain (not RTF) body and an RTF one both hold "rain".
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::BodyText, "rain")}),
                 std::vector<int>({1, 2}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::BodyOrDescription, "caf")}),
                 std::vector<int>({0, 3}));
    }

    void voiceAndTypeModesReadTheIndexRecord() {
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::VoiceOnly, {})}), std::vector<int>({1, 2}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::FirstTypeOnly, {})}),
                 std::vector<int>({1}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::FirstTypeOnly + 1, {})}),
                 std::vector<int>({3}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::FirstTypeOnly + 2, {})}),
                 std::vector<int>());
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::FirstTypeOnly + 4, {})}),
                 std::vector<int>({2}));
        QCOMPARE(found(path_, {}), std::vector<int>({0, 1, 2, 3}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::All, "ignored")}),
                 std::vector<int>({0, 1, 2, 3}));
    }

    void aChainListsWhatPassesEverySearch() {
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::DescriptionText, "walk"),
                               EntrySearch(EntrySearch::VoiceOnly, {})}),
                 std::vector<int>({2}));
        QCOMPARE(found(path_, {EntrySearch(EntrySearch::VoiceOnly, {}),
                               EntrySearch(EntrySearch::BodyText, "markup")}),
                 std::vector<int>({1}));
    }

    // Narrowing tests the listed entries only, and a body mode reads their bodies.
    void narrowingReadsTheBodiesOfTheListedEntries() {
        TN tn(0, path_.toStdString(), extOffsetOf(path_));
        std::vector<bool> keep;
        auto walk =
            EntrySearch::narrow(tn, EntrySearch(EntrySearch::BodyText, "RAIN"), {0, 2, 3}, keep);
        QVERIFY(walk.ok);
        QCOMPARE(keep, std::vector<bool>({false, true, false}));
        walk = EntrySearch::narrow(tn, EntrySearch(EntrySearch::VoiceOnly, {}), {0, 1, 2}, keep);
        QCOMPARE(keep, std::vector<bool>({false, true, true}));
        // Mode 0 keeps every row without reading anything; an index past the table is gone.
        walk = EntrySearch::narrow(tn, EntrySearch(EntrySearch::All, {}), {3, 1}, keep);
        QCOMPARE(walk.read, 0);
        QCOMPARE(keep, std::vector<bool>({true, true}));
        EntrySearch::narrow(tn, EntrySearch(EntrySearch::DescriptionText, ""), {1, 9}, keep);
        QCOMPARE(keep, std::vector<bool>({true, false}));
    }

    // The search's own scanner and its cache list exactly what a case-insensitive search of
    // the document text lists, on a diary of every kind of body; a body changed behind the
    // cache's back (same length, same place in the list) is read again.
    void bodySearchListsWhatTheDocumentTextHolds() {
        std::mt19937 rng(11);
        std::vector<Sample> samples;
        for (int i = 0; i < 80; ++i)
            samples.push_back({"Day " + std::to_string(i), generatedBody(rng), {}, false});
        const QString path = diaryWith("SearchGenerated", samples);
        QVERIFY(!path.isEmpty());
        auto documentSearch = [&](const QString& needle) {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            std::vector<int> out;
            tn.ForEachEntry(true, [&](const EntryView& v) {
                const QByteArray body(v.body.data(), qsizetype(v.body.size()));
                if (RtfCodec::plainText(body).contains(needle, Qt::CaseInsensitive))
                    out.push_back(v.index);
                return true;
            });
            return out;
        };
        EntrySearchCache cache;
        auto search = [&](const QString& needle) {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            std::vector<EntrySearch::Found> out;
            EntrySearch::find(tn, {EntrySearch(EntrySearch::BodyText, needle)}, out, &cache);
            std::vector<int> indexes;
            for (const auto& f : out)
                indexes.push_back(f.index);
            return indexes;
        };
        const QStringList needles = {
            "walk",      "CAFÉ",   "naïve",   "€uro",  "zürich",    "rain walk", "sun day",
            "cooperate", "secret", "x",       "—",     "link",      "http",      "a\tb",
            "mark",      "ß",      "strasse", "plain", "last line", "rtf",       "fonttbl"};
        for (const QString& needle : needles) {
            const std::vector<int> expected = documentSearch(needle);
            QCOMPARE(search(needle), expected);
            QCOMPARE(search(needle), expected); // from the cache
        }
        // Entry 5's body replaced by one of the same length that holds a new word.
        TN tn(5, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        const std::size_t length = tn.body.size();
        tn.body = "unicorn";
        tn.body.resize(length, ' ');
        QVERIFY(tn.AddEntrySorted(5));
        QCOMPARE(search("unicorn"), documentSearch("unicorn"));
        QCOMPARE(search("unicorn").size(), std::size_t(1));
    }

    void anEmptyDiaryReadsNothing() {
        const QString empty = makeDiary("SearchEmpty", "secret", 0);
        TN tn(0, empty.toStdString(), extOffsetOf(empty));
        std::vector<EntrySearch::Found> out;
        QCOMPARE(EntrySearch::find(tn, {}, out).read, 0);
        QCOMPARE(EntrySearch::find(tn, {EntrySearch(EntrySearch::BodyText, "x")}, out).read, 0);
        QVERIFY(out.empty());
    }
};

QTEST_GUILESS_MAIN(TestEntrySearch)
#include "tst_entrysearch.moc"
