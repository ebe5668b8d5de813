#pragma once
// SIGTERM, SIGINT and SIGHUP end the program cleanly: the handler only writes a byte into a pipe,
// and a notifier on the pipe's other end, on the user-interface thread, leaves every running event
// loop, so that the program ends through its destructors (which remove the working folders).
#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};
