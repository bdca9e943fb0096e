#include "SourceMessages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace tavirel::test {

namespace {

QString unescape(const QString& literal)
{
    QString text;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] != u'\\' || i + 1 == literal.size()) {
            text += literal[i];
            continue;
        }
        const QChar next = literal[++i];
        text += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
    }
    return text;
}

// The string literals of a piece of code, adjacent ones joined as the compiler joins them.
QStringList literals(QString code)
{
    static const QRegularExpression character(QStringLiteral(R"('(?:[^'\\]|\\.)')"));
    code.replace(character, QStringLiteral("' '"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)"(\s*))re"));
    QStringList texts;
    qsizetype joinedUpTo = -1;
    for (auto it = literal.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString text = unescape(match.captured(1));
        if (match.capturedStart() == joinedUpTo && !texts.isEmpty())
            texts.last() += text;
        else
            texts << text;
        joinedUpTo = match.capturedEnd();
    }
    return texts;
}

// The index in code, from an opening bracket at `from`, of its partner or (with `comma`) of the
// first comma outside any inner bracket; -1 when there is none. Strings are skipped.
qsizetype closing(const QString& code, qsizetype from, bool comma = false)
{
    int depth = 0;
    bool inString = false;
    for (qsizetype i = from; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'\\' && inString)
            ++i;
        else if (c == u'"')
            inString = !inString;
        else if (inString)
            continue;
        else if (c == u'\'')
            i += code.mid(i + 1, 1) == QLatin1String("\\") ? 3 : 2; // a character literal
        else if (c == u'(' || c == u'[' || c == u'{')
            ++depth;
        else if ((c == u')' || c == u']' || c == u'}') && --depth == 0)
            return i;
        else if (comma && c == u',' && depth == 1)
            return i;
    }
    return -1;
}

QString bracketed(const QString& code, qsizetype open)
{
    const qsizetype end = closing(code, open);
    return end < 0 ? QString() : code.mid(open + 1, end - open - 1);
}

// The code without its comments and #include lines, whose quoted words are not texts shown.
QString codeOnly(const QString& code)
{
    QString kept;
    bool inString = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (inString && c == u'\\' && i + 1 < code.size()) {
            kept += c;
            kept += code[++i];
            continue;
        }
        if (c == u'"' && (i == 0 || code[i - 1] != u'\''))
            inString = !inString;
        if (!inString && c == u'/' && code.mid(i, 2) == QLatin1String("//")) {
            while (i < code.size() && code[i] != u'\n')
                ++i;
            kept += u'\n';
            continue;
        }
        kept += c;
    }
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include[^\n]*)"),
                                            QRegularExpression::MultilineOption);
    return kept.remove(include);
}

bool startsAsText(const QString& expression)
{
    static const QRegularExpression text(
        QStringLiteral(R"(^\s*(QStringLiteral\s*\(|QLatin1String\s*\(|tr\s*\(|"))"));
    return text.match(expression).hasMatch();
}

// The texts an expression of a file can stand for: its own literals, and those of the
// constants, variables and functions of the same file it names, followed as far as they go.
QStringList textsOf(const QString& expression, const QString& code, QSet<QString>& followed)
{
    QStringList texts = literals(expression);
    static const QRegularExpression name(QStringLiteral(R"(\b[A-Za-z_]\w*\b)"));
    for (auto it = name.globalMatch(
             QString(expression)
                 .remove(QRegularExpression(QStringLiteral(R"re("(?:[^"\\]|\\.)*")re"))));
         it.hasNext();) {
        const QString identifier = it.next().captured(0);
        if (followed.contains(identifier))
            continue;
        followed.insert(identifier);
        const QString escaped = QRegularExpression::escape(identifier);
        // Assignments: "name = <text>;" and "name = otherName;".
        const QRegularExpression assignment(
            QStringLiteral(R"(\b%1\s*=(?!=)([^;]*);)").arg(escaped));
        for (auto a = assignment.globalMatch(code); a.hasNext();) {
            const QString value = a.next().captured(1);
            static const QRegularExpression bareName(QStringLiteral(R"(^\s*[A-Za-z_][\w:]*\s*$)"));
            if (startsAsText(value) || bareName.match(value).hasMatch())
                texts << textsOf(value, code, followed);
        }
        // Functions returning a text: "QString name(...) { ... return <text>; }".
        const QRegularExpression function(
            QStringLiteral(R"(\bQString\s+%1\s*\([^)]*\)\s*\{)").arg(escaped));
        for (auto f = function.globalMatch(code); f.hasNext();) {
            const QRegularExpressionMatch match = f.next();
            const QString body = bracketed(code, match.capturedEnd() - 1);
            static const QRegularExpression returned(QStringLiteral(R"(\breturn\b([^;]*);)"));
            for (auto r = returned.globalMatch(body); r.hasNext();) {
                const QString value = r.next().captured(1);
                if (startsAsText(value))
                    texts << literals(value);
            }
        }
    }
    return texts;
}

} // namespace

QList<Message> sourceMessages(const QString& sourceFolder)
{
    QList<Message> messages;
    QDirIterator files(sourceFolder, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString name = QFileInfo(path).baseName();
        if (name == QLatin1String("MessageBox"))
            continue; // the box itself, not a caller
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString code = QString::fromUtf8(file.readAll());
        const QString shortPath = QDir(sourceFolder).relativeFilePath(path);
        // Message headers, and the own-data helpers that word every failure to read, save or
        // delete an own entry: the windows hand those texts on through variables.
        if (name.endsWith(QLatin1String("Messages")) || name == QLatin1String("OwnData")) {
            for (const QString& text : literals(codeOnly(code)))
                messages.append({shortPath, text});
            continue;
        }
        static const QRegularExpression call(QStringLiteral(R"(\bMessageBox::\w+\s*\()"));
        for (auto it = call.globalMatch(code); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            // The arguments after the first (the window a message box belongs to).
            const qsizetype open = match.capturedEnd() - 1;
            const qsizetype comma = closing(code, open, true);
            const qsizetype end = closing(code, open);
            if (comma < 0 || comma >= end) // no text argument
                continue;
            QSet<QString> followed;
            for (const QString& text :
                 textsOf(code.mid(comma + 1, end - comma - 1), code, followed))
                messages.append({shortPath, text});
        }
    }
    return messages;
}

QString plain(QString text)
{
    text.replace(QChar(0xA0), u' ');
    return text.simplified();
}

QStringList fixedParts(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    QStringList parts;
    for (const QString& part : text.split(placeholder)) {
        const QString fixed = plain(part);
        if (fixed.contains(letter))
            parts << fixed;
    }
    return parts;
}

} // namespace tavirel::test
