#pragma once
// The basic parameters of an entry as the lists show them: one row per parameter the diary's
// configuration enables, in the order mood, dream, fatigue, shape, the two check marks, the
// two real and two whole-number measurements, weather, spins 1 to 3 and combos 1 to 3; each
// named as the configuration names it. Shared by the entry preview and the entry editor.

#include <QList>
#include <QString>
#include <QStringList>

namespace tavrin {
class DiaryConfig;
class EntryRecord;
} // namespace tavrin

namespace tavrin::diary {

struct ParameterRow {
    enum Kind {
        Mood,    // spin over the seven mood names, -3 to 3
        Scale,   // spin over a named scale's levels (which: 0 dream, 1 fatigue, 2 shape)
        Check,   // list "NO"/"YES" (which: 0 menstruation, 1 copulation)
        Real,    // decimal text (which: 0, 1)
        Integer, // whole-number text (which: 0, 1)
        Weather, // list over the five weather names
        Spin,    // spin over the seven value names, within the range in use (which: 0 to 2)
        Combo,   // list over the rows in use (which: 0 to 2)
    };
    Kind kind;
    int which = 0;
    QString name;      // the row's title
    QStringList names; // value names, for spins and lists
    int lowest = 0;    // spin rows: the range of values offered
    int highest = 0;
    int offset = 0; // spin rows: names[value + offset]

    bool isSpin() const { return kind == Mood || kind == Scale || kind == Spin; }
    bool isList() const { return kind == Check || kind == Weather || kind == Combo; }
    bool isText() const { return kind == Real || kind == Integer; }
};

class EntryParameters {
public:
    static QList<ParameterRow> rows(const DiaryConfig& config);

    // The stored value of a spin or list row (list rows: the index into `names`).
    static int value(const ParameterRow& row, const EntryRecord& e);
    // Stores a spin or list value.
    static void setValue(const ParameterRow& row, EntryRecord& e, int value);
    // The text of a text row as the editor shows it ("%0.2f" or "%d").
    static QString text(const ParameterRow& row, const EntryRecord& e);
    // Stores a text row; false when the text is not a number of its kind.
    static bool setText(const ParameterRow& row, EntryRecord& e, const QString& text);

    // Copies every basic parameter (mood to combo 3), shown or not, from one entry to another.
    static void copyValues(const EntryRecord& from, EntryRecord& to);

    // What the preview's "Value" column shows: the value's name, "YES"/"NO", or the number.
    static QString previewText(const ParameterRow& row, const EntryRecord& e);

    // The range a spin of the configuration offers. The configuration may hold slider
    // positions 0 to 6 (written by the options page) or values -3 to 3 (written for the
    // Training type): a negative lower end means values, otherwise positions
    // (value = position - 3).
    static void spinRange(int storedLow, int storedHigh, int& lowest, int& highest);

    static QString nameAt(const QStringList& names, int index);
};

} // namespace tavrin::diary
