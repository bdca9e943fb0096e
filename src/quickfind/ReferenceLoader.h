#pragma once

#include "QuickFindIndex.h"

#include <QByteArray>
#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>

namespace tavirel::quickfind {

// Reads and folds the reference entries on a worker thread, on a read-only connection of its
// own, so start-up does not wait for them. The index gets them when the read ends, or at the
// latest when a search needs them. A file that can not be read leaves the reference part
// empty, as a failed read always has. Destroying the loader stops the read and waits for the
// worker, so nothing it does outlives the index.
class ReferenceLoader : public QObject
{
    Q_OBJECT

public:
    // Starts the read at once.
    ReferenceLoader(QuickFindIndex& index, const QString& file, const QByteArray& key,
                    QObject* parent = nullptr);
    ~ReferenceLoader() override;

    // Blocks until the read has ended and its entries are in the index.
    void waitUntilLoaded();

private:
    void install();

    QuickFindIndex& m_index;
    QFuture<QuickFindIndex> m_future;
    QFutureWatcher<QuickFindIndex> m_watcher;
    bool m_loaded = false;
};

} // namespace tavirel::quickfind
