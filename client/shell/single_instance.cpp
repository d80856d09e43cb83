#include "client/shell/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace shell {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 1000;
constexpr int kMaxMessage = 64;

}  // namespace

SingleInstance::SingleInstance(const QString& config_dir, QObject* parent)
    : QObject(parent), m_name(server_name(config_dir))
{
}

QString SingleInstance::server_name(const QString& config_dir)
{
    const QByteArray folder = QDir::cleanPath(QDir(config_dir).absolutePath()).toUtf8();
    return QStringLiteral("varnel-") +
           QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
}

bool SingleInstance::another_is_running() const
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(m_name);
    const bool running = socket.waitForConnected(kConnectMs);
    socket.abort();
    return running;
}

bool SingleInstance::ask_to_show(quint32 window_id) const
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write("show " + QByteArray::number(window_id) + '\n');
    const bool sent = socket.waitForBytesWritten(kWriteMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteMs);
    return sent;
}

bool SingleInstance::listen()
{
    if (m_server)
        return m_server->isListening();
    m_server = new QLocalServer(this);
    // The abstract namespace leaves no file behind, so a crashed client
    // never blocks the next start.
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::on_connection);
    return m_server->listen(m_name);
}

void SingleInstance::on_connection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxMessage)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxMessage).trimmed();
            socket->disconnectFromServer();
            if (!line.startsWith("show "))
                return;
            bool ok = false;
            const quint32 id = line.mid(5).toUInt(&ok);
            if (ok)
                Q_EMIT show_requested(id);
        });
    }
}

}  // namespace shell
