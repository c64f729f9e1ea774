// Video boards that misbehave, for the upgrade's TCP link, on an address of
// the private test network (or 127.0.0.1):
//
//   TakingBoard board(100 * 1024);   takes the first 100 kB of a connection,
//   board.listen(ip, port);          then reads no more: the sender's and its
//                                    own buffers fill and the write blocks.
//                                    -1 takes everything. Lives on the test's
//                                    thread (its event loop reads).
//
//   SilentBoard silent;              listens, but answers no connect: its
//   silent.listen(ip, port);         queue of waiting connections is full, so
//                                    the kernel drops every later handshake
//                                    and the connecting side keeps waiting.
//
//   Rescue rescue(end, 20000);       runs end() on a thread of its own should
//   worker.reset();                  the rescue still live after that many ms:
//   QVERIFY(!rescue.rescued());      a test whose call would wait on the board
//                                    for good fails instead of hanging.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class QTcpSocket;

class TakingBoard : public QObject {
public:
    // take: the bytes it reads of each connection (-1: all).
    explicit TakingBoard(qint64 take);
    bool listen(const QString& ip, quint16 port = 0);
    quint16 port() const { return server_.serverPort(); }
    // For the connections accepted from now on.
    void setTake(qint64 take) { take_ = take; }

    int connections() const { return int(sockets_.size()); }
    // What the last connection delivered so far.
    QByteArray lastBytes() const;

private:
    void accept();

    QTcpServer server_;
    qint64 take_;
    QList<QTcpSocket*> sockets_;  // children of the server
    QList<QByteArray> received_;
};

// A connect of this network namespace waits for the handshake with that port.
bool ConnectPending(quint16 port);

class SilentBoard {
public:
    SilentBoard() = default;
    ~SilentBoard();
    SilentBoard(const SilentBoard&) = delete;
    SilentBoard& operator=(const SilentBoard&) = delete;

    // False when the address cannot be taken or the queue did not fill.
    bool listen(const QString& ip, quint16 port = 0);
    quint16 port() const { return port_; }

private:
    int listener_ = -1;
    std::vector<int> waiting_;  // connections of its own that fill the queue
    quint16 port_ = 0;
};

class Rescue {
public:
    Rescue(std::function<void()> end, int afterMs);
    ~Rescue();
    Rescue(const Rescue&) = delete;
    Rescue& operator=(const Rescue&) = delete;
    bool rescued() const { return rescued_; }

private:
    std::mutex lock_;
    std::condition_variable wake_;
    bool over_ = false;
    std::atomic<bool> rescued_{false};
    std::thread thread_;
};
