#pragma once

#include "Fold.h"

#include <QList>
#include <QString>
#include <QVector>

namespace tavirel::quickfind {

enum class Kind { Herb, Formula };

// One name or other field of an entry. Name fields (the Pinyin key, the Pinyin with tones and
// the Chinese names) rank above the others.
struct Field
{
    QString label; // "Pinyin", "Chinese", "Latin", "English", "Other name"
    QString text;
    bool isName = false;
};

struct Entry
{
    Kind kind = Kind::Herb;
    bool own = false;
    QString name;    // the key the windows open it by: name1, prename or name
    QString chinese; // shown beside the name; may be empty
    QList<Field> fields;
};

// How well an entry matches, best first.
enum class Rank {
    ExactName,
    NamePrefix,
    Initials,
    WordInName,
    OtherExact,
    OtherPrefix,
    OtherWord,
};

struct Result
{
    Kind kind;
    bool own;
    QString name;
    QString chinese;
    Rank rank;
    QString matchedLabel; // the field that matched
    QString matchedText;
};

// Every herb and formula with its names folded once, searched on every keystroke. The
// reference part is built once; the own part is replaced whenever the own entries are read.
class QuickFindIndex
{
public:
    void setReference(const QList<Entry>& entries);
    // Adds entries to the reference part; compact() once the last are in.
    void appendReference(const QList<Entry>& entries);
    void compact();
    void setOwn(const QList<Entry>& entries);
    // Takes the reference part of an index built elsewhere (folding is the costly part, so it
    // can be done on a worker thread); the own part stays as it is.
    void takeReference(QuickFindIndex&& built) { m_reference = std::move(built.m_reference); }
    int size() const { return int(m_reference.entries.size() + m_own.entries.size()); }

    // The best matches first, at most limit of them; nothing for a query without letters.
    QList<Result> find(const QString& query, int limit = 30) const;

private:
    // A part of the index keeps every text of its entries in one character store and refers to
    // them by position: an entry costs its characters and a few numbers, not a dozen separate
    // strings, which matters for a dictionary of a hundred thousand entries.
    struct Span
    {
        qint32 at = 0;
        qint32 size = 0;
    };
    struct PackedField
    {
        Span text;     // as stored
        Span compact;  // folded
        Span initials; // folded
        qint32 startsAt = 0;
        qint32 startsCount = 0;
        qint16 label = 0;
        bool isName = false;
    };
    struct PackedEntry
    {
        Span name;
        Span chinese;
        qint32 firstField = 0;
        qint32 fieldCount = 0;
        quint64 startMask = 0;
        Kind kind = Kind::Herb;
        bool own = false;
    };
    struct Part
    {
        QString chars;
        QVector<quint16> starts; // word starts of every folded text, one field after another
        QVector<PackedField> fields;
        QVector<PackedEntry> entries;
        QStringList labels;

        QStringView view(Span span) const { return QStringView(chars).mid(span.at, span.size); }
        Span add(QStringView text);
        qint16 labelIndex(const QString& label);
    };
    struct Candidate
    {
        const Part* part;
        qint32 entry;
        Rank rank;
        qint32 field;
    };
    static void indexInto(Part& part, const QList<Entry>& entries);
    static void squeeze(Part& part);
    static void findIn(const Part& part, const QString& folded, QVector<Candidate>& found);

    Part m_reference;
    Part m_own;
};

} // namespace tavirel::quickfind
