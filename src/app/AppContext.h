#pragma once

#include "SharedValues.h"
#include "data/DataStore.h"

#include <QString>

#include <functional>

class QWidget;

namespace tavirel::app {

// What every window of one run shares: the program folder (never looked up by the windows,
// so tests can point it at a folder of their own), the open databases and the shared values.
struct AppContext
{
    QString programFolder;
    data::DataStore& store;
    SharedValues values;
    QString helpFile;
    // Opens the formula window on one formula, as a further modal window over parent; set
    // where the windows are wired together.
    std::function<void(QWidget* parent, const QString& formula, bool own)> openFormula = {};

    data::Database& refDb() { return store.refDb(); }
    data::Database& ownDb() { return store.ownDb(); }
    data::Database& picConn() { return store.picConn(); }
    data::RecordSet& herbRecords() { return store.herbRecords(); }
    // The own database of this run: beside the program, or in the user's data folder when
    // the program is installed (decided at start-up).
    QString ownDatabaseFile() const { return store.ownDb().fileName(); }
};

} // namespace tavirel::app
