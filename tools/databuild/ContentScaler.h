#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tavirel::databuild {

// Writes a content folder that holds `copies` times the content of `from`, to measure the
// program on content far larger than today's. Copy 1 is the content itself; copy k (k >= 2)
// repeats every herb and formula with " k" after its name and a picture number of its own, and
// each copied formula names the copies of its herbs. Categories stay as they are, so every
// category holds `copies` times its entries. Entries are copied whole, whatever fields they
// carry; files other than the chapters of herbs/ and formulas/ are copied unchanged.
class ContentScaler
{
public:
    static constexpr int maxCopies = 999;

    bool scale(const QString& from, const QString& to, int copies);
    QStringList errors() const { return m_errors; }

    // The picture number of copy k: a three-digit copy number before the original's, so the
    // copies never meet each other or the originals (which are shorter).
    static QString copyPicno(const QString& picno, int copy);
    static QString copyName(const QString& name, int copy);

    // The picture number of the herb each copied herb was made from, by the copy's number.
    QHash<QString, QString> originalPicnos() const { return m_originalPicnos; }

private:
    bool copyTree(const QString& from, const QString& to);
    bool scaleChapter(const QString& from, const QString& to, int copies, bool formulas);

    QStringList m_errors;
    QHash<QString, QString> m_originalPicnos;
};

} // namespace tavirel::databuild
