#include "Fold.h"

namespace tavirel::quickfind {

quint64 maskBit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return quint64(1) << (u - u'a');
    if (u >= u'0' && u <= u'9')
        return quint64(1) << (26 + (u - u'0'));
    return quint64(1) << (36 + u % 28);
}

Folded fold(const QString& text)
{
    Folded folded;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    folded.compact.reserve(decomposed.size());
    bool atWordStart = true;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue; // tone marks and the dots of ü
        if (!c.isLetterOrNumber()) {
            atWordStart = true;
            continue;
        }
        const QChar lower = c.toCaseFolded();
        const bool han = c.script() == QChar::Script_Han;
        if (atWordStart || han) {
            folded.wordStarts << quint16(folded.compact.size());
            folded.initials += lower;
            folded.startMask |= maskBit(lower);
        }
        folded.compact += lower;
        atWordStart = han;
    }
    return folded;
}

} // namespace tavirel::quickfind
