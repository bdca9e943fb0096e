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
    void setOwn(const QList<Entry>& entries);
    // Takes the reference part of an index built elsewhere (folding is the costly part, so it
    // can be done on a worker thread); the own part stays as it is.
    void takeReference(QuickFindIndex&& built) { m_reference = std::move(built.m_reference); }
    int size() const { return int(m_reference.size() + m_own.size()); }

    // The best matches first, at most limit of them; nothing for a query without letters.
    QList<Result> find(const QString& query, int limit = 30) const;

private:
    struct IndexedField
    {
        Folded folded;
        int field;
        bool isName;
    };
    struct IndexedEntry
    {
        Entry entry;
        QVector<IndexedField> fields;
        quint64 startMask = 0;
    };
    static QVector<IndexedEntry> indexed(const QList<Entry>& entries);

    QVector<IndexedEntry> m_reference;
    QVector<IndexedEntry> m_own;
};

} // namespace tavirel::quickfind
