#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace tavirel::app {

// One running copy per program folder, held by a lock file there. A lock left behind by a
// copy that crashed names a process that no longer runs, and is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& programFolder);

    // True when this copy now holds the lock; false when another running copy holds it.
    bool acquire();

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tavirel::app
