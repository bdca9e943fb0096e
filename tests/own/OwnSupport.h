#pragma once

// What the tests of the own database share: a second connection that holds the file locked as
// another program would, rows written past the program, and the message boxes shown.

#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QListWidget>

namespace tavirel::test {

inline QString ownFile(OpenProgram& program)
{
    return program.folder().file(data::schema::ownFileName);
}

// Another program's connection to the own database. While it holds its lock, the program can
// neither read nor write the file.
class OtherProgram
{
public:
    explicit OtherProgram(const QString& file)
    {
        m_ok = m_db.open(file, data::Database::Mode::ReadWrite);
    }
    bool exec(const QString& sql, const QVariantList& binds = {})
    {
        const bool ok = m_ok && m_db.exec(sql, binds);
        if (!ok)
            qWarning("other program: %s", qPrintable(m_db.errorString()));
        return ok;
    }
    bool lock() { return exec(QStringLiteral("BEGIN EXCLUSIVE")); }
    bool release() { return exec(QStringLiteral("ROLLBACK")); }
    data::Database& db() { return m_db; }

private:
    data::Database m_db;
    bool m_ok = false;
};

// The program waits a little for a lock to pass; tests need not wait that long for each read.
inline void waitLittleForLocks(app::AppContext& context)
{
    context.ownDb().exec(QStringLiteral("PRAGMA busy_timeout = 50"));
}

// Each message box shown since the last call, as "icon|text|detail" (icon: i ! ? x).
inline QStringList boxesShown()
{
    QStringList shown;
    for (const auto& box : app::MessageBox::takeShown())
        shown << QStringLiteral(" i!?x").mid(int(box.icon), 1) + QLatin1Char('|') + box.text +
                     (box.detail.isEmpty() ? QString() : QLatin1Char('|') + box.detail);
    return shown;
}

// The failure pattern every save, delete and read failure follows.
inline QString failure(const QString& what, const QString& file, const QString& why)
{
    return QStringLiteral("!|%1\nFile: %2\nReason: %3").arg(what, file, why);
}

// The add-herb window's ten boxes.
inline const QStringList herbBoxes = {"Text1", "Text2", "Text3", "Text4", "Text5",
                                      "Text6", "Text7", "Text8", "Text9", "Text10"};

} // namespace tavirel::test
