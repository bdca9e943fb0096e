#pragma once

#include <QString>
#include <QVector>

namespace tavirel::quickfind {

// A text as quick find compares it: letter case and diacritics (tone marks, ü) dropped, blanks
// and punctuation removed. Word starts are kept, so "huang" can match inside "Ma Huang Tang"
// and "mht" can match the initials of its syllables. Every Chinese character is a word of its
// own.
struct Folded
{
    QString compact;             // "mahuangtang"
    QVector<quint16> wordStarts; // offsets into compact: 0, 2, 7
    QString initials;            // "mht"
    quint64 startMask = 0;       // one bit per character found at a word start

    bool isEmpty() const { return compact.isEmpty(); }
};

Folded fold(const QString& text);

// The bit of startMask for a folded character.
quint64 maskBit(QChar c);

} // namespace tavirel::quickfind
