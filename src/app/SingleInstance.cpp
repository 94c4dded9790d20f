#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "platform/DebugLog.h"
#include "platform/Paths.h"

namespace vestra::app {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr char kWake[] = "wake\n";

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (m_server) m_server->close();
}

QString SingleInstance::ServerName() {
    // A full path keeps copies of different users and test folders apart.
    return QDir(RuntimeFolder()).filePath(QString(Paths::kAppName) + ".socket");
}

SingleInstance::Role SingleInstance::Claim() {
    m_lock = std::make_unique<QLockFile>(
        QDir(RuntimeFolder()).filePath(QString(Paths::kAppName) + ".lock"));
    // A lock whose owner process is gone is stale at once.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(ServerName());
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kWake);
            socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
        } else {
            DebugLog::Write("running copy not reachable: " + socket.errorString().toStdString());
        }
        return Role::Second;
    }
    m_server = new QLocalServer(this);
    QLocalServer::removeServer(ServerName());  // left behind by a copy that died
    if (!m_server->listen(ServerName())) {
        DebugLog::Write("single-instance socket: " + m_server->errorString().toStdString());
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("wake")) emit Woken();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return Role::First;
}

}  // namespace vestra::app
