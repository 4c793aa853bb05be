#include "platform/qt/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace tw {

namespace {

QString userName() {
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERNAME");
#else
    return QString::number(::getuid());
#endif
}

constexpr char kActivate[] = "activate\n";

} // namespace

SingleInstance::SingleInstance(const QString& dataDir, QObject* parent) : QObject(parent) {
    const QString folder =
        QDir(dataDir).canonicalPath().isEmpty() ? QDir(dataDir).absolutePath() : QDir(dataDir).canonicalPath();
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_serverName = QStringLiteral("tallywave-%1-%2").arg(userName(), QString::fromLatin1(hash));
    m_folder = folder;
    m_lock = makeSystemInstanceLock();
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

bool SingleInstance::claim() {
    if (m_lock->tryAcquire(m_folder.toStdString())) {
        QLocalServer::removeServer(m_serverName); // left behind by a crashed copy
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        m_server.listen(m_serverName);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(1000)) {
        socket.write(kActivate);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}

void SingleInstance::release() {
    m_server.close();
    m_lock.reset();
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("activate")) {
                emit activationRequested();
            }
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

} // namespace tw
