#include "HelpSearch.h"

#include "ChmFile.h"

#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace tavirel::app {

namespace {

bool isPage(const QString& path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

int occurrences(const QString& text, const QString& word)
{
    int count = 0;
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + word.size(), Qt::CaseInsensitive))
        ++count;
    return count;
}

} // namespace

HelpSearch::HelpSearch(const ChmFile& file)
{
    for (const QString& path : file.files()) {
        if (!isPage(path))
            continue;
        const std::optional<QByteArray> html = file.read(path);
        if (!html)
            continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(*html));
        QString title = document.metaInformation(QTextDocument::DocumentTitle).trimmed();
        if (title.isEmpty())
            title = path.mid(1);
        m_pages.append({path, title, document.toPlainText()});
    }
}

QStringList HelpSearch::words(const QString& query)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList result = query.split(blanks, Qt::SkipEmptyParts);
    result.removeDuplicates();
    return result;
}

QList<HelpSearch::Hit> HelpSearch::find(const QString& query) const
{
    const QStringList wanted = words(query);
    QList<Hit> hits;
    if (wanted.isEmpty())
        return hits;
    for (const Page& page : m_pages) {
        int total = 0;
        for (const QString& word : wanted) {
            const int count = occurrences(page.text, word);
            if (count == 0) {
                total = 0;
                break;
            }
            total += count;
        }
        if (total > 0)
            hits.append({page.path, page.title, total});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.count != b.count)
            return a.count > b.count;
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    return hits;
}

} // namespace tavirel::app
