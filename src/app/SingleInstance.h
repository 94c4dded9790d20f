// Makes sure one copy of the program runs per user session: a second start wakes the first.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace vestra::app {

// A lock file and a local socket, both named after the application, in the user's runtime
// folder ($XDG_RUNTIME_DIR): the first copy holds the lock and listens; a later copy finds the
// lock taken, connects, says "wake" and leaves. A lock left by a copy that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role { First, Second };
    // First: this copy owns the session and listens. Second: another copy runs and was woken
    // (or could not be reached; it still owns the lock).
    Role Claim();

    static QString ServerName();

signals:
    // Another copy started; the window shows and raises itself.
    void Woken();

private:
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

}  // namespace vestra::app
