#include "diary/logic/EntrySearch.h"

#include "diary/logic/EntrySearchCache.h"
#include "rtf/RtfSearchText.h"
#include "storage/Cp1252.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <QHash>

namespace tavrin::diary {
namespace {

QString fromRecord(std::string_view bytes) {
    return QString::fromStdString(cp1252::toUtf8(bytes));
}

} // namespace

EntrySearch::EntrySearch(int mode, const QString& text)
    : mode_(mode >= 0 && mode < kModeCount ? mode : All), text_(text), upper_(text.toUpper()),
      needle_(RtfSearchText::needle(text)) {}

QStringList EntrySearch::modeTexts(const QStringList& typeNames) {
    QStringList out{"All", "Body text", "Description text", "Body or description text",
                    "Voice only"};
    for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
        out << QString::asprintf("%d - %s only", i + 1, qUtf8Printable(typeNames.value(i)));
    return out;
}

bool EntrySearch::needsBody(const QList<EntrySearch>& chain) {
    for (const EntrySearch& s : chain)
        if (s.needsBody()) return true;
    return false;
}

bool EntrySearch::matchesDescription(std::string_view description) const {
    return fromRecord(description).toUpper().contains(upper_);
}

bool EntrySearch::matchesBody(std::string_view storedBody) const {
    return matchesBodyText(RtfSearchText::of(storedBody));
}

bool EntrySearch::matchesBodyText(std::string_view folded) const {
    return folded.find(needle_) != std::string_view::npos;
}

bool EntrySearch::matchesStored(const EntryRecord& e, int index, std::string_view scrambledBody,
                                std::uint8_t key, EntrySearchCache& cache) const {
    switch (mode_) {
    case BodyText:
        return matchesBodyText(cache.bodyText(index, scrambledBody, key));
    case BodyOrDescription:
        return matchesDescription(e.description()) ||
               matchesBodyText(cache.bodyText(index, scrambledBody, key));
    default:
        return matches(e);
    }
}

bool EntrySearch::matches(const EntryRecord& e, std::string_view body) const {
    switch (mode_) {
    case All:
        return true;
    case BodyText:
        return matchesBody(body);
    case DescriptionText:
        return matchesDescription(e.description());
    case BodyOrDescription:
        return matchesDescription(e.description()) || matchesBody(body);
    case VoiceOnly:
        return e.voiceFlag() == 1;
    default:
        return e.typeLength(mode_ - FirstTypeOnly) != 0;
    }
}

bool EntrySearch::matchesAll(const QList<EntrySearch>& chain, const EntryRecord& e,
                             std::string_view body) {
    for (const EntrySearch& s : chain)
        if (!s.matches(e, body)) return false;
    return true;
}

EntrySearch::Walk EntrySearch::find(TN& tn, const QList<EntrySearch>& chain,
                                    std::vector<Found>& out, EntrySearchCache* cache) {
    out.clear();
    Walk w;
    if (!needsBody(chain)) {
        std::vector<EntryRecord> all;
        w.ok = tn.ReadAllIndexRecords(all);
        w.read = int(all.size());
        out.reserve(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            if (matchesAll(chain, all[i], {})) out.push_back({int(i), all[i]});
        return w;
    }
    // The texts stay scrambled: the cache unscrambles only a body it has not read before.
    EntrySearchCache walkCache;
    EntrySearchCache& texts = cache ? *cache : walkCache;
    w.ok = tn.ForEachEntry(false, [&](const EntryView& v) {
        if (w.read++ == 0) texts.expect(std::size_t(tn.entryCount), v.body.size());
        for (const EntrySearch& s : chain)
            if (!s.matchesStored(v.record, v.index, v.body, v.textKey, texts)) return true;
        EntryRecord plain = v.record;
        scramble::indexRecord(plain);
        out.push_back({v.index, plain});
        return true;
    });
    return w;
}

EntrySearch::Walk EntrySearch::narrow(TN& tn, const EntrySearch& search,
                                      const std::vector<int>& indexes, std::vector<bool>& keep,
                                      EntrySearchCache* cache) {
    keep.assign(indexes.size(), false);
    Walk w;
    if (search.mode() == All) {
        keep.assign(indexes.size(), true);
        return w;
    }
    if (!search.needsBody()) {
        std::vector<EntryRecord> all;
        w.ok = tn.ReadAllIndexRecords(all);
        w.read = int(all.size());
        for (std::size_t r = 0; r < indexes.size(); ++r) {
            const int i = indexes[r];
            keep[r] = i >= 0 && std::size_t(i) < all.size() && search.matches(all[std::size_t(i)]);
        }
        return w;
    }
    // The index record holds no body: the texts of the listed entries are read in one walk.
    QHash<int, std::size_t> rowOf;
    rowOf.reserve(qsizetype(indexes.size()));
    for (std::size_t r = 0; r < indexes.size(); ++r)
        rowOf.insert(indexes[r], r);
    EntrySearchCache walkCache;
    EntrySearchCache& texts = cache ? *cache : walkCache;
    w.ok = tn.ForEachEntry(false, [&](const EntryView& v) {
        ++w.read;
        if (auto it = rowOf.constFind(v.index); it != rowOf.constEnd())
            keep[*it] = search.matchesStored(v.record, v.index, v.body, v.textKey, texts);
        return true;
    });
    return w;
}

} // namespace tavrin::diary
