#include "QuickFindIndex.h"

#include <algorithm>
#include <optional>

namespace tavirel::quickfind {

namespace {

// The best rank one field gives the folded query, if any.
std::optional<Rank> rankField(QStringView text, const quint16* starts, qsizetype startCount,
                              QStringView initials, bool isName, const QString& query)
{
    if (text.size() >= query.size()) {
        if (text == query)
            return isName ? Rank::ExactName : Rank::OtherExact;
        if (text.startsWith(query))
            return isName ? Rank::NamePrefix : Rank::OtherPrefix;
    }
    // Initials need two letters at least: one letter is a prefix already.
    if (isName && query.size() >= 2 && initials.startsWith(query))
        return Rank::Initials;
    for (qsizetype i = 1; i < startCount; ++i) {
        const int at = starts[i];
        if (text.size() - at >= query.size() && text.at(at) == query.at(0) &&
            text.sliced(at).startsWith(query))
            return isName ? Rank::WordInName : Rank::OtherWord;
    }
    return std::nullopt;
}

} // namespace

QuickFindIndex::Span QuickFindIndex::Part::add(QStringView text)
{
    const Span span{qint32(chars.size()), qint32(text.size())};
    chars.append(text);
    return span;
}

qint16 QuickFindIndex::Part::labelIndex(const QString& label)
{
    qsizetype at = labels.indexOf(label);
    if (at < 0) {
        at = labels.size();
        labels << label;
    }
    return qint16(at);
}

void QuickFindIndex::indexInto(Part& part, const QList<Entry>& entries)
{
    for (const Entry& entry : entries) {
        PackedEntry packed;
        packed.kind = entry.kind;
        packed.own = entry.own;
        packed.name = part.add(entry.name);
        packed.chinese = part.add(entry.chinese);
        packed.firstField = qint32(part.fields.size());
        QList<QString> seen; // folded texts already kept for this entry
        for (const Field& field : entry.fields) {
            const Folded folded = fold(field.text);
            // A field that folds to what an earlier one of the same weight did (the Pinyin with
            // and without tones) can never rank better: the earlier one is the one shown.
            const QString key =
                (field.isName ? QLatin1Char('n') : QLatin1Char('o')) + folded.compact;
            if (folded.isEmpty() || seen.contains(key))
                continue;
            seen << key;
            PackedField f;
            f.text = field.text == entry.name ? packed.name : part.add(field.text);
            f.compact = part.add(folded.compact);
            f.initials = part.add(folded.initials);
            f.startsAt = qint32(part.starts.size());
            f.startsCount = qint32(folded.wordStarts.size());
            part.starts += folded.wordStarts;
            f.label = part.labelIndex(field.label);
            f.isName = field.isName;
            part.fields.append(f);
            packed.startMask |= folded.startMask;
        }
        packed.fieldCount = qint32(part.fields.size()) - packed.firstField;
        part.entries.append(packed);
    }
}

void QuickFindIndex::squeeze(Part& part)
{
    part.chars.squeeze();
    part.starts.squeeze();
    part.fields.squeeze();
    part.entries.squeeze();
}

void QuickFindIndex::setReference(const QList<Entry>& entries)
{
    m_reference = {};
    indexInto(m_reference, entries);
    squeeze(m_reference);
}

void QuickFindIndex::appendReference(const QList<Entry>& entries)
{
    indexInto(m_reference, entries);
}

void QuickFindIndex::compact()
{
    squeeze(m_reference);
}

void QuickFindIndex::setOwn(const QList<Entry>& entries)
{
    m_own = {};
    indexInto(m_own, entries);
    squeeze(m_own);
}

void QuickFindIndex::findIn(const Part& part, const QString& folded, QVector<Candidate>& found)
{
    // Every way of matching starts at the start of a word, so an entry without the query's
    // first letter at a word start is passed over without looking at its fields.
    const quint64 first = maskBit(folded.at(0));
    for (qint32 e = 0; e < part.entries.size(); ++e) {
        const PackedEntry& entry = part.entries.at(e);
        if (!(entry.startMask & first))
            continue;
        std::optional<Candidate> best;
        for (qint32 i = entry.firstField; i < entry.firstField + entry.fieldCount; ++i) {
            const PackedField& f = part.fields.at(i);
            const std::optional<Rank> rank =
                rankField(part.view(f.compact), part.starts.constData() + f.startsAt, f.startsCount,
                          part.view(f.initials), f.isName, folded);
            if (rank && (!best || *rank < best->rank))
                best = Candidate{&part, e, *rank, i};
        }
        if (best)
            found.append(*best);
    }
}

QList<Result> QuickFindIndex::find(const QString& query, int limit) const
{
    const QString folded = fold(query).compact;
    if (folded.isEmpty() || limit <= 0)
        return {};
    QVector<Candidate> candidates;
    findIn(m_reference, folded, candidates);
    findIn(m_own, folded, candidates);

    const auto entryOf = [](const Candidate& c) -> const PackedEntry& {
        return c.part->entries.at(c.entry);
    };
    const auto better = [&](const Candidate& a, const Candidate& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        const PackedEntry& x = entryOf(a);
        const PackedEntry& y = entryOf(b);
        if (x.name.size != y.name.size)
            return x.name.size < y.name.size;
        const int byName = a.part->view(x.name).compare(b.part->view(y.name), Qt::CaseInsensitive);
        if (byName != 0)
            return byName < 0;
        return x.kind < y.kind;
    };
    const qsizetype shown = std::min<qsizetype>(limit, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + shown, candidates.end(), better);

    QList<Result> results;
    results.reserve(shown);
    for (qsizetype i = 0; i < shown; ++i) {
        const Candidate& c = candidates.at(i);
        const PackedEntry& entry = entryOf(c);
        const PackedField& field = c.part->fields.at(c.field);
        results.append({entry.kind, entry.own, c.part->view(entry.name).toString(),
                        c.part->view(entry.chinese).toString(), c.rank,
                        c.part->labels.at(field.label), c.part->view(field.text).toString()});
    }
    return results;
}

} // namespace tavirel::quickfind
