#include "OwnData.h"

#include "AppContext.h"
#include "MessageBox.h"
#include "data/Database.h"
#include "data/RecordSet.h"

namespace tavirel::app::ownData {

QString notSaved(const QString& kind, const QString& name)
{
    return QStringLiteral("The %1 \"%2\" could not be saved.").arg(kind, name);
}

QString notDeleted(const QString& kind, const QString& name)
{
    return QStringLiteral("The %1 \"%2\" could not be deleted.").arg(kind, name);
}

QString deleteQuestion(const QString& kind, const QString& name)
{
    return QStringLiteral("Delete the %1 \"%2\"?").arg(kind, name);
}

bool readable(QWidget* parent, data::RecordSet& set, const QString& what, bool quiet)
{
    if (set.isValid() || set.requery())
        return true;
    if (!quiet)
        reportUnreadable(parent, set, what);
    return false;
}

void reportUnreadable(QWidget* parent, const data::RecordSet& set, const QString& what)
{
    MessageBox::failure(parent, what, set.database().fileName(), set.errorString());
}

bool refuseChange(QWidget* parent, AppContext& context, const QString& what)
{
    if (context.store.ownWritable())
        return false;
    MessageBox::failure(parent, what, context.ownDb().fileName(),
                        context.store.ownReadOnlyReason());
    return true;
}

void reportFailure(QWidget* parent, data::Database& db, const QString& what)
{
    MessageBox::failure(parent, what, db.fileName(), db.errorString());
}

} // namespace tavirel::app::ownData
