#pragma once

#include <QString>

class QWidget;

namespace tavirel::data {
class Database;
class RecordSet;
} // namespace tavirel::data

namespace tavirel::app {

struct AppContext;

// How the windows meet the user's own database when it can not be read or written: every
// failure is told in one pattern (what failed, the file, why), the same for herbs and formulas.
namespace ownData {

inline const QString herbsUnreadable = QStringLiteral("Your own herbs could not be read.");
inline const QString formulasUnreadable = QStringLiteral("Your own formulas could not be read.");
QString notSaved(const QString& kind, const QString& name);   // kind: "herb" or "formula"
QString notDeleted(const QString& kind, const QString& name); // kind: "herb" or "formula"
// "Delete the herb "X"?": the line under a delete confirmation that names what goes.
QString deleteQuestion(const QString& kind, const QString& name);

// A set that could not be read (another program held a lock) is read again here; true when it
// can be used. When it still can not, the user is told why unless quiet.
bool readable(QWidget* parent, data::RecordSet& set, const QString& what, bool quiet = false);
// Tells the user why a set could not be read.
void reportUnreadable(QWidget* parent, const data::RecordSet& set, const QString& what);
// True, after telling the user, when the own database can not be written: nothing may change.
bool refuseChange(QWidget* parent, AppContext& context, const QString& what);
// Tells the user that a write failed, with the database's reason.
void reportFailure(QWidget* parent, data::Database& db, const QString& what);

} // namespace ownData
} // namespace tavirel::app
