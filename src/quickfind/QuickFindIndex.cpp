#include "QuickFindIndex.h"

#include <algorithm>
#include <optional>

namespace tavirel::quickfind {

namespace {

bool startsAt(const QString& text, qsizetype at, const QString& part)
{
    return QStringView(text).sliced(at).startsWith(part);
}

// The best rank one field gives the folded query, if any.
std::optional<Rank> rankField(const Folded& field, bool isName, const QString& query)
{
    const QString& text = field.compact;
    std::optional<Rank> rank;
    if (text.size() >= query.size()) {
        if (text == query)
            return isName ? Rank::ExactName : Rank::OtherExact;
        if (text.startsWith(query))
            return isName ? Rank::NamePrefix : Rank::OtherPrefix;
    }
    // Initials need two letters at least: one letter is a prefix already.
    if (isName && query.size() >= 2 && field.initials.startsWith(query))
        return Rank::Initials;
    for (qsizetype i = 1; i < field.wordStarts.size(); ++i) {
        const int at = field.wordStarts.at(i);
        if (text.size() - at >= query.size() && text.at(at) == query.at(0) &&
            startsAt(text, at, query))
            return isName ? Rank::WordInName : Rank::OtherWord;
    }
    return rank;
}

struct Candidate
{
    const Entry* entry;
    Rank rank;
    int field;
};

} // namespace

QVector<QuickFindIndex::IndexedEntry> QuickFindIndex::indexed(const QList<Entry>& entries)
{
    QVector<IndexedEntry> result;
    result.reserve(entries.size());
    for (const Entry& entry : entries) {
        IndexedEntry e{entry, {}, 0};
        for (int i = 0; i < entry.fields.size(); ++i) {
            Folded folded = fold(entry.fields.at(i).text);
            if (folded.isEmpty())
                continue;
            e.startMask |= folded.startMask;
            e.fields.append({std::move(folded), i, entry.fields.at(i).isName});
        }
        result.append(std::move(e));
    }
    return result;
}

void QuickFindIndex::setReference(const QList<Entry>& entries)
{
    m_reference = indexed(entries);
}

void QuickFindIndex::setOwn(const QList<Entry>& entries)
{
    m_own = indexed(entries);
}

QList<Result> QuickFindIndex::find(const QString& query, int limit) const
{
    const QString folded = fold(query).compact;
    if (folded.isEmpty() || limit <= 0)
        return {};
    // Every way of matching starts at the start of a word, so an entry without the query's
    // first letter at a word start is passed over without looking at its fields.
    const quint64 first = maskBit(folded.at(0));

    QVector<Candidate> candidates;
    for (const auto* part : {&m_reference, &m_own}) {
        for (const IndexedEntry& e : *part) {
            if (!(e.startMask & first))
                continue;
            std::optional<Candidate> best;
            for (const IndexedField& f : e.fields) {
                const std::optional<Rank> rank = rankField(f.folded, f.isName, folded);
                if (rank && (!best || *rank < best->rank))
                    best = Candidate{&e.entry, *rank, f.field};
            }
            if (best)
                candidates.append(*best);
        }
    }

    const auto better = [](const Candidate& a, const Candidate& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.entry->name.size() != b.entry->name.size())
            return a.entry->name.size() < b.entry->name.size();
        const int byName = a.entry->name.compare(b.entry->name, Qt::CaseInsensitive);
        if (byName != 0)
            return byName < 0;
        return a.entry->kind < b.entry->kind;
    };
    const qsizetype shown = std::min<qsizetype>(limit, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + shown, candidates.end(), better);

    QList<Result> results;
    results.reserve(shown);
    for (qsizetype i = 0; i < shown; ++i) {
        const Candidate& c = candidates.at(i);
        const Field& field = c.entry->fields.at(c.field);
        results.append({c.entry->kind, c.entry->own, c.entry->name, c.entry->chinese, c.rank,
                        field.label, field.text});
    }
    return results;
}

} // namespace tavirel::quickfind
