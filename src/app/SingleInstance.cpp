#include "SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace tavirel::app {

namespace {

constexpr int answerWait = 2000; // ms: a busy running copy still answers; a hung one is skipped
const QByteArray showRequest = QByteArrayLiteral("show\n");
const QByteArray shownAnswer = QByteArrayLiteral("shown\n");

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder)
{
    // The same folder reached by another path (a link, a trailing separator) is the same copy.
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    const QByteArray folderKey = QCryptographicHash::hash(
        (canonical.isEmpty() ? QDir::cleanPath(QDir(programFolder).absolutePath()) : canonical)
            .toUtf8(),
        QCryptographicHash::Sha1);
    m_base =
        QDir(runtimeFolder())
            .filePath(QStringLiteral("tavirel-") + QString::fromLatin1(folderKey.toHex().left(16)));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(lockFileName());
    // Never steal a lock for its age: a copy may run for days. Only a dead owner frees it.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return true; // no runtime folder to lock in: the check can not be made, the run goes on
    askRunningCopyToShow();
    return false;
}

void SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left here belongs to a copy that is gone.
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName()))
        return; // still the only copy; a second start just will not raise this one
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* peer = m_server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == showRequest) {
                    raiseProgramWindow();
                    peer->write(shownAnswer);
                    peer->flush();
                }
            });
        }
    });
}

void SingleInstance::askRunningCopyToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(answerWait))
        return;
    socket.write(showRequest);
    if (socket.waitForBytesWritten(answerWait))
        socket.waitForReadyRead(answerWait); // the window is up before our message shows
    socket.disconnectFromServer();
}

void raiseProgramWindow()
{
    QWidget* top = QApplication::activeModalWidget();
    if (!top) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == QLatin1String("Menu"))
                top = window;
        }
    }
    if (!top)
        return;
    if (top->isMinimized())
        top->showNormal();
    top->raise();
    top->activateWindow();
}

} // namespace tavirel::app
