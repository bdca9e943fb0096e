#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;

namespace tavirel::app {

// One running copy per user and program folder. The lock lives in the user's runtime folder,
// not the program folder, so it works however that folder's permissions are set; a lock left
// behind by a copy that crashed names a process that no longer runs, and is taken over.
// The running copy listens beside its lock, so a second start can bring it to the front.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();

    // True when this copy now holds the lock. False when another running copy holds it; that
    // copy has then been asked to come to the front (and has answered, if it could).
    bool acquire();

    // Where the lock and the socket are; the same for every copy started on this folder by
    // this user.
    QString lockFileName() const { return m_base + QStringLiteral(".lock"); }
    QString serverName() const { return m_base + QStringLiteral(".sock"); }

private:
    void listen();
    void askRunningCopyToShow() const;

    QString m_base;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

// Brings the running copy's top window (the menu, or the window open over it) to the front.
void raiseProgramWindow();

} // namespace tavirel::app
