#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tavirel::test {

// A text the program can show to the user, and the source file it is written in.
struct Message
{
    QString file;
    QString text;
};

// Every text the program shows in a message box or as a fixed list entry: the texts of the
// message headers (*Messages.h) and of the own-data helpers (app/OwnData.*), and whatever is handed
// to a MessageBox:: call, followed through the constants, variables and functions of the same file
// that it names.
QList<Message> sourceMessages(const QString& sourceFolder);

// Blanks of any kind, line breaks included, as single blanks.
QString plain(QString text);

// The parts of a message that do not change: what lies between its "%1" placeholders, where it
// holds a letter.
QStringList fixedParts(const QString& text);

} // namespace tavirel::test
