#pragma once
#include <QObject>
#include <QStringList>

class CVandrelEdit2028App;
class QLocalServer;
class QLocalSocket;

// One editor per user session and display. A start first offers its files to
// an editor already listening on the local socket of this user and display;
// that editor opens them as tabs of its window and raises it, and the new
// start ends. Without one, the start runs as usual and listens itself.
// Two editors would otherwise overwrite each other's preferences.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The socket's path: in XDG_RUNTIME_DIR (else the temporary folder), named
    // after the user, the window system and the display. Needs the
    // application object (the platform's name).
    static QString ServerName();

    // Hands files (made absolute here) to the running editor. True when it
    // took them; false when none answered, and the caller starts on its own.
    static bool HandOver(const QStringList& files, int timeoutMs = 5000);

    // Listens for later starts and opens what they hand over in app. False
    // when the socket cannot be made; the editor then simply runs alone.
    bool Listen(CVandrelEdit2028App& app);

private:
    void OnConnection();
    void OnReadable(QLocalSocket* socket);
    void Open(const QStringList& files);

    CVandrelEdit2028App* m_pApp = nullptr;
    QLocalServer* m_pServer = nullptr;
};
