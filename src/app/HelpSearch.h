#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tavirel::app {

class ChmFile;

// Full-text search over the pages of a help file. The pages are read once, as the plain text
// a reader sees (tags and entities resolved), so a word in a tag or an attribute never counts.
class HelpSearch
{
public:
    struct Page
    {
        QString path; // absolute inside the help file
        QString title;
        QString text;
    };

    struct Hit
    {
        QString path;
        QString title;
        int count = 0; // occurrences of all the words together
    };

    explicit HelpSearch(const ChmFile& file);

    // The words of a query: split at blanks, each looked for on its own, letter case ignored.
    static QStringList words(const QString& query);

    // Pages that hold every word of the query, most occurrences first, then by title.
    QList<Hit> find(const QString& query) const;

    const QList<Page>& pages() const { return m_pages; }

private:
    QList<Page> m_pages;
};

} // namespace tavirel::app
