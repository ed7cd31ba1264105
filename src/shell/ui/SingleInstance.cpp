#include "shell/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace shell::ui {

namespace {

constexpr char kActivate[] = "activate\n";

// Socket names are short on some systems; a hash of the path keeps every folder distinct.
QString NameFor(const QString& dataFolder) {
    QString canonical = QDir(dataFolder).canonicalPath();
    if (canonical.isEmpty()) canonical = QDir(dataFolder).absolutePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return "kt-invorra-" + QString::fromLatin1(hash);
}

bool SendActivate(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(500)) return false;
    socket.write(kActivate);
    const bool sent = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), name_(NameFor(dataFolder)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
}

SingleInstance::~SingleInstance() {
    server_.close();
}

SingleInstance::Outcome SingleInstance::Claim(int waitMs) {
    // The lock decides who runs (a lock left by a copy that died is taken over); the socket only
    // carries the request to come to the front.
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(name_ + ".lock"));
    lock_->setStaleLockTime(0);
    const QDeadlineTimer deadline(waitMs);
    if (lock_->tryLock(0)) {
        QLocalServer::removeServer(name_);  // a socket file left by a copy that died
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(name_);
        return Outcome::First;
    }
    lock_.reset();
    // The running copy may still be starting and not listen yet.
    while (!deadline.hasExpired()) {
        if (SendActivate(name_)) return Outcome::HandedOver;
        QThread::msleep(100);
    }
    return Outcome::OtherUnreachable;
}

void SingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        const auto readRequest = [this, socket] {
            if (socket->canReadLine() && socket->readLine() == kActivate)
                emit activationRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readRequest();  // the request may have arrived with the connection
    }
}

}  // namespace shell::ui
