#pragma once
// One running copy per data folder. The first copy holds a lock named after the folder's
// canonical path and listens on a local socket of the same name; a later copy finds the lock
// taken, asks the first copy to come to the front, and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace shell::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Outcome {
        First,            // this copy runs; later copies will be sent here
        HandedOver,       // another copy runs and was asked to come to the front
        OtherUnreachable  // another copy holds the folder but did not answer in time
    };
    // Waits at most `waitMs` for a copy that is still starting to answer.
    Outcome Claim(int waitMs = 10000);

signals:
    // A later copy asked this one to come to the front.
    void activationRequested();

private:
    void AcceptConnection();

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace shell::ui
