#include "formats/EntryLimits.h"

#include "storage/DiaryConfig.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"

namespace tavrin::formats {
namespace {

using Scale = DiaryConfig::Scale;

// Fatigue and shape count down from 0 (their best level); dream and mood centre on 0.
IntRange fromTop(int levels) {
    return {-(levels - 1), 0};
}
IntRange centred(int levels) {
    return {-(levels / 2), levels / 2};
}

constexpr int kFibroChoices = 10; // "1" to "10", stored as 0 to 9
constexpr int kMaxHumidity = 100; // percent

} // namespace

IntRange EntryLimits::mood() {
    return centred(DiaryConfig::kMoods);
}
IntRange EntryLimits::fatigue() {
    return fromTop(DiaryConfig::scaleLevels(Scale::Fatigue));
}
IntRange EntryLimits::dream() {
    return centred(DiaryConfig::scaleLevels(Scale::Dream));
}
IntRange EntryLimits::shape() {
    return fromTop(DiaryConfig::scaleLevels(Scale::Shape));
}
IntRange EntryLimits::weather() {
    return {0, DiaryConfig::kWeathers - 1};
}
IntRange EntryLimits::check() {
    return {0, 255};
}
IntRange EntryLimits::spin() {
    return centred(DiaryConfig::kSpinValues);
}
IntRange EntryLimits::combo() {
    return {0, DiaryConfig::kComboRows - 1};
}
IntRange EntryLimits::pain() {
    return {0, PainKinds::kCount - 1};
}
IntRange EntryLimits::fibro() {
    return {-1, kFibroChoices - 1};
}
IntRange EntryLimits::humidity() {
    return {0, kMaxHumidity};
}
IntRange EntryLimits::time() {
    LocalDateTime first, last;
    first.year = 0;
    last.year = 9999;
    last.month = 12;
    last.day = 31;
    last.hour = 23;
    last.minute = last.second = 59;
    return {LocalTime::toTime(first), LocalTime::toTime(last)};
}

std::vector<EntryLimits::Value> EntryLimits::ranged(const EntryRecord& r) {
    std::vector<Value> v = {
        {"mood", r.mood(), mood()},          {"fatigue", r.fatigue(), fatigue()},
        {"dream", r.dream(), dream()},       {"shape", r.shape(), shape()},
        {"weather", r.weather(), weather()},
    };
    for (int i = 0; i < DiaryConfig::kSpins; ++i)
        v.push_back({"spin " + std::to_string(i + 1), r.spin(i), spin()});
    for (int i = 0; i < DiaryConfig::kCombos; ++i)
        v.push_back({"combo " + std::to_string(i + 1), r.combo(i), combo()});
    for (int a = 0; a < EntryRecord::kPainAreas; ++a)
        v.push_back({"pain map area " + std::to_string(a + 1), r.pain(a), pain()});
    for (const auto& f : EntryRecord::fibroFields())
        v.push_back({std::string("fibromyalgia rating ") + f.name, r.fibro(f.field), fibro()});
    v.push_back({"outdoor humidity", r.outdoorHumidity(), humidity()});
    v.push_back({"indoor humidity", r.indoorHumidity(), humidity()});
    return v;
}

} // namespace tavrin::formats
