#include "diary/logic/EntryParameters.h"

#include "storage/Cp1252.h"
#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"

#include <algorithm>
#include <cstdio>

namespace tavrin::diary {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
using Scale = DiaryConfig::Scale;
using Measure = DiaryConfig::Measure;

Scale scaleOf(int which) {
    return which == 0 ? Scale::Dream : which == 1 ? Scale::Fatigue : Scale::Shape;
}

} // namespace

QString EntryParameters::nameAt(const QStringList& names, int index) {
    return index >= 0 && index < names.size() ? names[index] : QString();
}

void EntryParameters::spinRange(int storedLow, int storedHigh, int& lowest, int& highest) {
    // The same reading as the options page's, so that both show the same range.
    DiaryConfig::spinValues(storedLow, storedHigh, lowest, highest);
}

QList<ParameterRow> EntryParameters::rows(const DiaryConfig& c) {
    QList<ParameterRow> out;
    if (c.moodEnabled()) {
        ParameterRow r{ParameterRow::Mood, 0, "Mood", {}, -3, 3, 3};
        for (int i = 0; i < DiaryConfig::kMoods; ++i)
            r.names << q(c.moodName(i));
        out << r;
    }
    // Dream (-2 to 2), fatigue (-2 to 0), shape (-3 to 0); names at value + 2, + 2, + 3.
    const struct {
        int which, low, high, offset;
    } scales[] = {{0, -2, 2, 2}, {1, -2, 0, 2}, {2, -3, 0, 3}};
    for (const auto& s : scales) {
        Scale sc = scaleOf(s.which);
        if (!c.scaleEnabled(sc)) continue;
        ParameterRow r{
            ParameterRow::Scale, s.which, q(c.scaleName(sc)), {}, s.low, s.high, s.offset};
        for (int i = 0; i < DiaryConfig::scaleLevels(sc); ++i)
            r.names << q(c.scaleLevel(sc, i));
        out << r;
    }
    for (int k = 0; k < 2; ++k)
        if (c.checkEnabled(k))
            out << ParameterRow{ParameterRow::Check, k, q(c.checkName(k)), {"NO", "YES"}, 0, 1, 0};
    const Measure reals[] = {Measure::Real1, Measure::Real2},
                  ints[] = {Measure::Int1, Measure::Int2};
    for (int k = 0; k < 2; ++k)
        if (c.measureEnabled(reals[k]))
            out << ParameterRow{ParameterRow::Real, k, q(c.measureName(reals[k])), {}, 0, 0, 0};
    for (int k = 0; k < 2; ++k)
        if (c.measureEnabled(ints[k]))
            out << ParameterRow{ParameterRow::Integer, k, q(c.measureName(ints[k])), {}, 0, 0, 0};
    if (c.weatherEnabled()) {
        ParameterRow r{ParameterRow::Weather, 0, "Weather", {}, 0, 0, 0};
        for (int i = 0; i < DiaryConfig::kWeathers; ++i)
            r.names << q(c.weatherName(i));
        out << r;
    }
    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        if (!c.spinEnabled(k)) continue;
        ParameterRow r{ParameterRow::Spin, k, q(c.spinName(k)), {}, 0, 0, 3};
        spinRange(c.spinLow(k), c.spinHigh(k), r.lowest, r.highest);
        for (int i = 0; i < DiaryConfig::kSpinValues; ++i)
            r.names << q(c.spinValue(k, i));
        out << r;
    }
    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        if (!c.comboEnabled(k)) continue;
        ParameterRow r{ParameterRow::Combo, k, q(c.comboName(k)), {}, 0, 0, 0};
        const int rows = std::clamp(c.comboRows(k), 1, DiaryConfig::kComboRows);
        for (int i = 0; i < rows; ++i)
            r.names << q(c.comboRow(k, i));
        out << r;
    }
    return out;
}

int EntryParameters::value(const ParameterRow& row, const EntryRecord& e) {
    switch (row.kind) {
    case ParameterRow::Mood:
        return e.mood();
    case ParameterRow::Scale:
        return row.which == 0 ? e.dream() : row.which == 1 ? e.fatigue() : e.shape();
    case ParameterRow::Check:
        return (row.which == 0 ? e.menstruation() : e.copulation()) == 1 ? 1 : 0;
    case ParameterRow::Weather:
        return e.weather();
    case ParameterRow::Spin:
        return e.spin(row.which);
    case ParameterRow::Combo:
        return e.combo(row.which);
    case ParameterRow::Real:
    case ParameterRow::Integer:
        break;
    }
    return 0;
}

void EntryParameters::setValue(const ParameterRow& row, EntryRecord& e, int v) {
    const auto b = std::int8_t(v);
    switch (row.kind) {
    case ParameterRow::Mood:
        e.setMood(b);
        break;
    case ParameterRow::Scale:
        if (row.which == 0)
            e.setDream(b);
        else if (row.which == 1)
            e.setFatigue(b);
        else
            e.setShape(b);
        break;
    case ParameterRow::Check:
        if (row.which == 0)
            e.setMenstruation(v == 1);
        else
            e.setCopulation(v == 1);
        break;
    case ParameterRow::Weather:
        e.setWeather(b);
        break;
    case ParameterRow::Spin:
        e.setSpin(row.which, b);
        break;
    case ParameterRow::Combo:
        e.setCombo(row.which, b);
        break;
    case ParameterRow::Real:
    case ParameterRow::Integer:
        break;
    }
}

QString EntryParameters::text(const ParameterRow& row, const EntryRecord& e) {
    if (row.kind == ParameterRow::Real) {
        char buf[64]; // the C library's rounding, as every printout of the program uses
        std::snprintf(buf, sizeof buf, "%0.2f", double(row.which == 0 ? e.real1() : e.real2()));
        return QString::fromLatin1(buf);
    }
    if (row.kind == ParameterRow::Integer)
        return QString::asprintf("%d", row.which == 0 ? e.int1() : e.int2());
    return {};
}

bool EntryParameters::setText(const ParameterRow& row, EntryRecord& e, const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    if (row.kind == ParameterRow::Real) {
        float f = t.isEmpty() ? 0.f : t.toFloat(&ok);
        if (t.isEmpty()) ok = true;
        if (!ok) return false;
        if (row.which == 0)
            e.setReal1(f);
        else
            e.setReal2(f);
        return true;
    }
    if (row.kind == ParameterRow::Integer) {
        int n = t.isEmpty() ? 0 : t.toInt(&ok);
        if (t.isEmpty()) ok = true;
        if (!ok) return false;
        if (row.which == 0)
            e.setInt1(n);
        else
            e.setInt2(n);
        return true;
    }
    return false;
}

void EntryParameters::copyValues(const EntryRecord& from, EntryRecord& to) {
    to.setMood(from.mood());
    to.setDream(from.dream());
    to.setFatigue(from.fatigue());
    to.setShape(from.shape());
    to.setMenstruation(from.menstruation());
    to.setCopulation(from.copulation());
    to.setReal1(from.real1());
    to.setReal2(from.real2());
    to.setInt1(from.int1());
    to.setInt2(from.int2());
    to.setWeather(from.weather());
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        to.setSpin(k, from.spin(k));
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        to.setCombo(k, from.combo(k));
}

QString EntryParameters::previewText(const ParameterRow& row, const EntryRecord& e) {
    if (row.isText()) return text(row, e);
    const int v = value(row, e);
    if (row.kind == ParameterRow::Check) return v == 1 ? "YES" : "NO";
    return nameAt(row.names, row.isSpin() ? v + row.offset : v);
}

} // namespace tavrin::diary
