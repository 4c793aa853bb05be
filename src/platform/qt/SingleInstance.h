#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <memory>

namespace tw {

// One running copy per user and data folder. The first copy holds the instance lock of the folder and listens on a
// local socket named after the user and the folder; a later copy finds the lock taken, asks the first one through
// the socket to come to the front, and ends. The system drops the lock of a copy that dies.
class InstanceLock;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& dataDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this copy may run; false when an earlier copy holds the files (it has been asked to come forward).
    bool claim();
    // Lets the files go once the program is done with them, so that a copy started while this one still winds down
    // runs instead of handing over to it.
    void release();

signals:
    void activationRequested();

private:
    void onNewConnection();

    QString m_serverName;
    QString m_folder;
    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer m_server;
};

} // namespace tw
