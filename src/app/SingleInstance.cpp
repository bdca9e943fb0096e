#include "SingleInstance.h"

#include <QDir>

namespace tavirel::app {

SingleInstance::SingleInstance(const QString& programFolder)
    : m_fileName(QDir(programFolder).filePath(QStringLiteral("tavirel.lock")))
{
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_fileName);
    // Never steal a lock for its age: a copy may run for days. Only a dead owner frees it.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    // A folder we may not write to can not hold a lock; that alone must not stop the program.
    return m_lock->error() != QLockFile::LockFailedError;
}

} // namespace tavirel::app
