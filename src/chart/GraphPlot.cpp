#include "chart/GraphPlot.h"

#include "storage/Cp1252.h"
#include "storage/LocalTime.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tavrin::graph {

namespace {

using Scale = DiaryConfig::Scale;
using Measure = DiaryConfig::Measure;
using Value = std::function<double(const EntryRecord&)>;
using Text = std::function<QString(const EntryRecord&)>;

// A series that may take part: its settings slot, whether the diary uses it, name and value.
struct SeriesDef {
    GraphSettings::Slot slot;
    bool enabled;
    QString name;
    Value value;
    bool rating; // a 0 on a Bar series is lifted to 0.3, so that the bar shows
};

struct LabelDef {
    GraphSettings::Slot slot;
    bool enabled;
    double height;
    Text text;
};

QString name(const std::string& stored) {
    return QString::fromStdString(cp1252::toUtf8(stored));
}

QString fixed2(double v) {
    return QString::asprintf("%0.2f", v);
}

void diaryDefs(const DiaryConfig& c, QList<SeriesDef>& series, QList<LabelDef>& labels) {
    auto slot = GraphSettings::diarySlot;
    // Mood, the named scales 1 to 3, the combo boxes, then the spin controls.
    series << SeriesDef{slot(0), c.moodEnabled(), QStringLiteral("Mood"),
                        [](const EntryRecord& e) { return double(e.mood()); }, true};
    series << SeriesDef{slot(1), c.scaleEnabled(Scale::Dream), name(c.scaleName(Scale::Dream)),
                        [](const EntryRecord& e) { return double(e.dream()); }, true};
    series << SeriesDef{slot(2), c.scaleEnabled(Scale::Fatigue), name(c.scaleName(Scale::Fatigue)),
                        [](const EntryRecord& e) { return double(e.fatigue()); }, true};
    series << SeriesDef{slot(3), c.scaleEnabled(Scale::Shape), name(c.scaleName(Scale::Shape)),
                        [](const EntryRecord& e) { return double(e.shape()); }, true};
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        series << SeriesDef{slot(14 + k), c.comboEnabled(k), name(c.comboName(k)),
                            [k](const EntryRecord& e) { return double(e.combo(k) - 4); }, false};
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        series << SeriesDef{slot(11 + k), c.spinEnabled(k), name(c.spinName(k)),
                            [k](const EntryRecord& e) { return double(e.spin(k)); }, false};

    auto yesNo = [](bool on) { return on ? QStringLiteral("Yes") : QStringLiteral("No"); };
    labels << LabelDef{slot(4), c.checkEnabled(0), 3.5,
                       [yesNo](const EntryRecord& e) { return yesNo(e.menstruation() == 1); }};
    labels << LabelDef{slot(5), c.checkEnabled(1), 3.0,
                       [yesNo](const EntryRecord& e) { return yesNo(e.copulation() == 1); }};
    labels << LabelDef{slot(6), c.measureEnabled(Measure::Real1), 2.5,
                       [](const EntryRecord& e) { return fixed2(e.real1()); }};
    labels << LabelDef{slot(7), c.measureEnabled(Measure::Real2), 2.0,
                       [](const EntryRecord& e) { return fixed2(e.real2()); }};
    labels << LabelDef{slot(8), c.measureEnabled(Measure::Int1), -2.5,
                       [](const EntryRecord& e) { return QString::number(e.int1()); }};
    labels << LabelDef{slot(9), c.measureEnabled(Measure::Int2), -3.0,
                       [](const EntryRecord& e) { return QString::number(e.int2()); }};
    QStringList weathers;
    for (int i = 0; i < DiaryConfig::kWeathers; ++i)
        weathers << name(c.weatherName(i));
    labels << LabelDef{slot(10), c.weatherEnabled(), -3.5, [weathers](const EntryRecord& e) {
                           const int w = e.weather();
                           // An entry without a weather (or a damaged one) gets no label.
                           return w >= 0 && w < weathers.size() ? weathers[w] : QString();
                       }};
}

// Whether the entry's fibromyalgia page was filled in: a rating chosen or a value typed. A new
// entry starts with every rating unchosen and every value 0.
bool fibroFilled(const EntryRecord& e) {
    for (const auto& f : EntryRecord::fibroFields())
        if (e.fibro(f.field) >= 0 && e.fibro(f.field) <= 9) return true;
    return e.bodyTemperature() != 0.f || e.outdoorTemperature() != 0.f ||
           e.indoorTemperature() != 0.f || e.outdoorHumidity() != 0 || e.indoorHumidity() != 0;
}

void fibroDefs(QList<SeriesDef>& series, QList<LabelDef>& labels) {
    const auto fields = EntryRecord::fibroFields();
    for (int i = 0; i < GraphSettings::kFibroSeries; ++i) {
        const Fibro f = fields[std::size_t(i)].field;
        series << SeriesDef{GraphSettings::fibroSlot(i), true, GraphPlot::fibroNames()[i],
                            [f](const EntryRecord& e) {
                                // Drawn as the user chose it, 1 to 10 (stored 0 to 9); a rating
                                // never chosen (-1) is no point, not a low one.
                                const int v = e.fibro(f);
                                return v < 0 || v > 9 ? std::nan("") : double(v + 1);
                            },
                            false};
    }
    // An entry whose page was never filled in stores 0 for each value, which is no reading:
    // it gets no label.
    auto label = GraphSettings::labelSlot;
    auto read = [](auto text) {
        return [text](const EntryRecord& e) { return fibroFilled(e) ? text(e) : QString(); };
    };
    labels << LabelDef{label(0), true, 9.0,
                       read([](const EntryRecord& e) { return fixed2(e.bodyTemperature()); })};
    labels << LabelDef{label(1), true, 8.0,
                       read([](const EntryRecord& e) { return fixed2(e.outdoorTemperature()); })};
    labels << LabelDef{label(2), true, 7.0,
                       read([](const EntryRecord& e) { return fixed2(e.indoorTemperature()); })};
    labels << LabelDef{label(3), true, 6.0, read([](const EntryRecord& e) {
                           return QString::number(e.outdoorHumidity());
                       })};
    labels << LabelDef{label(4), true, 5.0, read([](const EntryRecord& e) {
                           return QString::number(e.indoorHumidity());
                       })};
}

} // namespace

const QStringList& GraphPlot::fibroNames() {
    static const QStringList names = {
        QStringLiteral("OPL Morning"), QStringLiteral("OPL Afternoon"),
        QStringLiteral("OPL Evening"), QStringLiteral("Sleep"),
        QStringLiteral("Fatigue"),     QStringLiteral("Weakness"),
        QStringLiteral("Dizziness"),   QStringLiteral("Eyesight"),
        QStringLiteral("Motion"),      QStringLiteral("Urination"),
        QStringLiteral("Hearing"),     QStringLiteral("IBS"),
        QStringLiteral("Thinking"),    QStringLiteral("Anxiety"),
        QStringLiteral("Depression"),  QStringLiteral("Angriness"),
        QStringLiteral("Irritation"),  QStringLiteral("Happiness"),
        QStringLiteral("Pollens"),     QStringLiteral("Mold"),
        QStringLiteral("Effect")};
    return names;
}

QString GraphPlot::pointLabel(std::int64_t dateTime) {
    return QString::fromLocal8Bit(LocalTime::format(dateTime, "%x")) + QLatin1Char('-') +
           QString::fromLocal8Bit(LocalTime::format(dateTime, "%X"));
}

GraphPlot::Outcome GraphPlot::build(int set, const DiaryConfig& config,
                                    const GraphSettings& settings,
                                    const std::vector<const EntryRecord*>& entries, Plot& out) {
    QList<SeriesDef> seriesDefs;
    QList<LabelDef> labelDefs;
    if (set == int(DataSet::Diary))
        diaryDefs(config, seriesDefs, labelDefs);
    else if (set == int(DataSet::Fibro))
        fibroDefs(seriesDefs, labelDefs);
    else
        return Outcome::UnknownSet;

    QList<SeriesDef> drawn;
    for (const SeriesDef& d : seriesDefs)
        if (d.enabled && settings.visible(d.slot)) drawn << d;
    if (drawn.isEmpty()) return Outcome::NothingToPlot;
    QList<LabelDef> shown;
    for (const LabelDef& d : labelDefs)
        if (d.enabled && settings.visible(d.slot)) shown << d;

    out = Plot{};
    out.background = settings.background();
    if (set == int(DataSet::Diary)) {
        out.minimum = -4.0;
        out.maximum = 4.0;
    } else {
        out.minimum = 0.0;
        out.maximum = 10.0;
    }
    for (const SeriesDef& d : drawn) {
        PlotSeries s;
        s.name = d.name;
        s.colour = settings.colour(d.slot);
        const int type = settings.type(d.slot);
        s.type = type <= int(GraphSettings::Point) ? type : int(GraphSettings::Line);
        s.width = std::clamp(int(settings.width(d.slot)), 1, 7);
        s.values.reserve(qsizetype(entries.size()));
        out.series << s;
    }
    out.pointLabels.reserve(qsizetype(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryRecord& e = *entries[i];
        out.pointLabels << pointLabel(e.dateTime());
        for (int k = 0; k < drawn.size(); ++k) {
            double v = drawn[k].value(e);
            if (drawn[k].rating && v == 0 && out.series[k].type == GraphSettings::Bar) v = 0.3;
            out.series[k].values << v;
        }
        for (const LabelDef& d : shown) {
            const QString text = d.text(e);
            if (!text.isEmpty())
                out.labels << PlotLabel{text, int(i), d.height, settings.colour(d.slot)};
        }
    }
    return Outcome::Ok;
}

} // namespace tavrin::graph
