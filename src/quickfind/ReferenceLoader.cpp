#include "ReferenceLoader.h"

#include "IndexReader.h"
#include "data/Database.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace tavirel::quickfind {

namespace {

// Runs on a worker thread: everything it touches is its own, the connection included (one
// SQLite connection is never shared between threads).
void buildReference(QPromise<QuickFindIndex>& promise, const QString& file, const QByteArray& key)
{
    const auto stop = [&promise] { return promise.isCanceled(); };
    if (stop())
        return;
    QuickFindIndex built;
    data::Database reference;
    if (reference.open(file, data::Database::Mode::ReadOnly, key)) {
        // Folded batch by batch: the entries as read are never all held at once.
        readReferenceEntries(
            reference, [&built](QList<Entry>&& batch) { built.appendReference(batch); }, stop);
        if (stop())
            return;
        built.compact();
    } else {
        qWarning("Quick find can not read the reference entries: %s",
                 qPrintable(reference.errorString()));
    }
    promise.addResult(std::move(built));
}

} // namespace

ReferenceLoader::ReferenceLoader(QuickFindIndex& index, const QString& file, const QByteArray& key,
                                 QObject* parent)
    : QObject(parent), m_index(index)
{
    connect(&m_watcher, &QFutureWatcher<QuickFindIndex>::finished, this, &ReferenceLoader::install);
    m_future = QtConcurrent::run(buildReference, file, key);
    m_watcher.setFuture(m_future);
}

ReferenceLoader::~ReferenceLoader()
{
    // The read stops between rows, so this waits at most for the opening of the file or for
    // folding already under way. A read still queued is taken off the pool, run here and
    // ends at once.
    m_watcher.disconnect(this);
    m_future.cancel();
    m_future.waitForFinished();
}

void ReferenceLoader::waitUntilLoaded()
{
    m_future.waitForFinished();
    install();
}

void ReferenceLoader::install()
{
    // Reached twice when a search waited for the read: the finished signal comes later.
    if (m_loaded || !m_future.isFinished())
        return;
    m_loaded = true;
    // A copy, not takeResult(): taking resets the future, and a later wait on it never ends.
    // The copy shares the entries with the future's, so nothing is copied.
    if (m_future.resultCount() > 0)
        m_index.takeReference(m_future.result());
}

} // namespace tavirel::quickfind
