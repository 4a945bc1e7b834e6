#pragma once
// Lays diary entries out on a printer: on every page the heading, a rule and the entry line; on
// an entry's first page (body text only) its parameter lines; then its rich text flowing over as
// many pages as it needs inside half-inch margins; then, when asked, the body pain map with the
// skin's two pictures and the names of the eighteen areas' pain kinds. Each entry starts on a
// page of its own.
//
// No window is involved: the diary page and tavrin-cli both print through this class. The
// printer is started with the first entry, so a run that prints nothing writes nothing.

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPrinter;
class QTextDocument;

namespace tavrin {
class DiaryConfig;
class EntryRecord;
} // namespace tavrin

namespace tavrin::diary {

class EntryPrinter {
public:
    static constexpr const char* kDocumentName = "Tavelle (tm) Suite Diary Entry";
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kMarginTwips = 720;
    // Text slots: 0 the body, 1 to 5 the type texts.
    static constexpr int kSlots = 6;

    struct Style {
        QString headFont = "Arial"; // heading, entry line and parameter lines
        int headSize = 10;
        QFont textFont; // for rich text that names no font of its own
        bool painMap = false;
        QImage back, front; // the skin's "body_back.tns" and "body_front.tns"
    };

    // The printing settings, the editor's text font and, with the pain map, the active skin's
    // body pictures (the sharp ones where the skin has them).
    static Style settingsStyle(bool painMap);

    EntryPrinter(QPrinter& printer, Style style);
    ~EntryPrinter();
    EntryPrinter(const EntryPrinter&) = delete;
    EntryPrinter& operator=(const EntryPrinter&) = delete;

    // Prints one entry with the stored text of `slot`. False when the printer failed.
    bool print(const EntryRecord& e, const DiaryConfig& config, const QByteArray& text, int slot);
    // Ends the document; false when the printer reported a failure.
    bool finish();
    int pagesPrinted() const { return pages_; }
    int entriesPrinted() const { return entries_; }

    // "Tavelle (tm) Suite - %s" with the slot's type name, or "Diary Entry" for the body.
    static QString heading(const DiaryConfig& config, int slot);
    // "%s at %s - Description: %s - Voice: %s".
    static QString entryLine(const EntryRecord& e);
    // One line per parameter the configuration shows, as printed.
    static QStringList parameterLines(const DiaryConfig& config, const EntryRecord& e);
    // The printed name of a pain kind ("n/a" for none).
    static QString painName(int value);

private:
    double twips(double t) const;
    // Heading, rule and entry line; returns the y below them.
    double startPage(const QString& head, const QString& line);
    bool newPage();
    void drawPainMap(const EntryRecord& e, double top);
    double painMapHeight() const;

    QPrinter& printer_;
    Style style_;
    std::unique_ptr<QPainter> painter_;
    QFont head_;
    int pages_ = 0;
    int entries_ = 0;
    bool failed_ = false;
};

} // namespace tavrin::diary
