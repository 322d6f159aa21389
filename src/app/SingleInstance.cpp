#include "SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTimer>

#include <unistd.h>

#include "MainFrame.h"
#include "VandrelEdit2028App.h"

namespace {

// Marks the message of this program (and its layout) on the socket.
constexpr quint32 kMagic = 0x56453238; // "VE28"
constexpr char kAccepted = 'k';

} // namespace

CSingleInstance::CSingleInstance(QObject* parent) : QObject(parent) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::ServerName()
{
    const QString platform = QGuiApplication::platformName();
    QString display;
    if (platform.startsWith(QLatin1String("wayland")))
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    else if (platform == QLatin1String("xcb"))
        display = qEnvironmentVariable("DISPLAY");
    QString key = platform + QLatin1Char('-') + display;
    key.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));

    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/vandreledit2028-") + QString::number(getuid()) + QLatin1Char('-') + key;
}

bool CSingleInstance::HandOver(const QStringList& files, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;

    QStringList absolute;
    for (const QString& file : files)
        absolute << QFileInfo(file).absoluteFilePath();
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kMagic << absolute;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running editor answers once it has queued the files.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kAccepted;
}

bool CSingleInstance::Listen(CVandrelEdit2028App& app)
{
    m_pApp = &app;
    const QString name = ServerName();
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_pServer->listen(name)) {
        if (m_pServer->serverError() != QAbstractSocket::AddressInUseError)
            return false;
        // A socket left by an editor that did not end cleanly answers no one.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(1000))
            return false; // another editor started at the same moment
        QLocalServer::removeServer(name);
        if (!m_pServer->listen(name))
            return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    return true;
}

void CSingleInstance::OnConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        if (socket->bytesAvailable() > 0)
            OnReadable(socket);
    }
}

void CSingleInstance::OnReadable(QLocalSocket* socket)
{
    QDataStream in(socket);
    in.startTransaction();
    quint32 magic = 0;
    QStringList files;
    in >> magic >> files;
    if (!in.commitTransaction())
        return; // the rest of the message is still on its way
    if (magic != kMagic) {
        socket->abort();
        return;
    }
    socket->putChar(kAccepted);
    socket->flush();
    socket->disconnectFromServer();
    // Opened from the event loop: a load may ask questions in message boxes.
    QTimer::singleShot(0, this, [this, files] { Open(files); });
}

void CSingleInstance::Open(const QStringList& files)
{
    for (const QString& file : files)
        m_pApp->OpenDocumentFile(file);
    if (CMainFrame* frame = m_pApp->MainFrame()) {
        frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        frame->show();
        frame->raise();
        frame->activateWindow();
    }
}
