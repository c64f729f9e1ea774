// The blocking TCP client against loopback listeners: connecting, refused
// and malformed targets, whole-buffer writes, the peer's close and a
// reconnect that replaces the old connection and its receive thread; a peer
// that stops reading or never answers, and a close that ends the wait.
#include "BoardStubs.h"
#include "SyncTcpClient.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {
const QString kLoopback = QStringLiteral("127.0.0.1");
const QString kLoopback2 = QStringLiteral("127.0.0.2");

// A connected client adds exactly its receive thread to the process.
using TestSupport::ExpectAsioError;
using TestSupport::ThreadCount;

// The client's blocks as they arrive on the test's thread.
struct Received {
    QList<QByteArray> data;
    QStringList addresses;
    QByteArray joined() const { return data.isEmpty() ? QByteArray() : data.join(); }
};

void Collect(SyncTcpClient& client, Received& into)
{
    // The client lives on this thread, so its receive thread's signal arrives queued.
    QObject::connect(&client, &SyncTcpClient::sigRecvData, &client,
                     [&into](const QByteArray& data, const QString& address) {
                         into.data.append(data);
                         into.addresses.append(address);
                     });
}

// A listener and the one connection it accepted, both on the test's thread.
struct Listener {
    QTcpServer server;
    QTcpSocket* peer = nullptr;  // owned by the server

    bool listen(const QString& ip) { return server.listen(QHostAddress(ip), 0); }
    quint16 port() const { return server.serverPort(); }
    bool accept()
    {
        if (!server.waitForNewConnection(5000))
            return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }
};

// A call of the client on a thread of its own, which the test waits for.
struct Blocking {
    std::atomic<bool> done{false};
    std::atomic<bool> result{false};
    std::thread thread;

    template <class F>
    explicit Blocking(F call)
        : thread([this, call] {
              result = call();
              done = true;
          })
    {
    }
    // Joins the thread; the call's result.
    bool finish()
    {
        if (thread.joinable())
            thread.join();
        return result;
    }
    ~Blocking() { finish(); }
};

// Runs call on a thread of its own until it ends by itself: false when it
// does not, and the client's close frees it then, so that the test fails
// instead of hanging. Its result goes to *result.
template <class F>
bool EndsByItself(SyncTcpClient& client, F call, bool* result)
{
    Rescue rescue([&client] { client.closeConnection(); }, 20000);
    Blocking blocking(call);
    const bool ended = QTest::qWaitFor([&] { return blocking.done.load(); }, 10000);
    *result = blocking.finish();  // the rescue frees a call that did not end
    return ended;
}

// The client connects to a board that reads, and what it sends arrives.
bool SendsTo(SyncTcpClient& client, TakingBoard& board, const QByteArray& bytes)
{
    board.setTake(-1);
    return client.connectTo(kLoopback, board.port()) && client.sendData(bytes) &&
           QTest::qWaitFor([&] { return board.lastBytes() == bytes; }, 5000);
}

// A port on which nothing listens: taken from a listener that is closed again.
quint16 DeadPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress(kLoopback), 0);
    return probe.serverPort();
}
}  // namespace

class TestTcp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void connectsAndReceives();
    void connectFailure_data();
    void connectFailure();
    void sendBeforeConnectFails();
    void sendWritesEveryByte_data();
    void sendWritesEveryByte();
    void peerCloseEndsReceiveLoop();
    void reconnectReplacesConnection();
    void closeDuringSend();
    void stalledPeerEndsTheSend();
    void unansweredConnectGivesUp();
    void closeEndsAPendingConnect();
};

void TestTcp::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
}

void TestTcp::connectsAndReceives()
{
    const int base = ThreadCount();
    Listener board;
    QVERIFY(board.listen(kLoopback));
    auto client = std::make_unique<SyncTcpClient>();
    Received got;
    Collect(*client, got);
    QVERIFY(client->connectTo(kLoopback, board.port()));
    QVERIFY(board.accept());
    QCOMPARE(ThreadCount(), base + 1);

    board.peer->write("hello");
    QTRY_COMPARE(got.joined(), QByteArray("hello"));
    QCOMPARE(got.addresses.first(), kLoopback);

    // Going away closes the connection and joins the receive thread.
    client.reset();
    QTRY_COMPARE(board.peer->state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(ThreadCount(), base);
}

void TestTcp::connectFailure_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("deadPort");
    QTest::newRow("connection refused") << kLoopback << true;
    QTest::newRow("not IPv4 text") << "300.1.2.3" << false;
    QTest::newRow("empty address") << QString() << false;
}

void TestTcp::connectFailure()
{
    QFETCH(QString, ip);
    QFETCH(bool, deadPort);
    const int base = ThreadCount();
    Listener board;
    QVERIFY(board.listen(kLoopback));
    SyncTcpClient client;
    QVERIFY(client.connectTo(kLoopback, board.port()));
    QVERIFY(board.accept());

    ExpectAsioError();
    QVERIFY(!client.connectTo(ip, deadPort ? DeadPort() : board.port()));
    // The earlier connection is closed, its thread joined, and no socket is left.
    QTRY_COMPARE(board.peer->state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(ThreadCount(), base);
    QVERIFY(!client.sendData("anything"));
}

void TestTcp::sendBeforeConnectFails()
{
    SyncTcpClient client;
    QVERIFY(!client.sendData("early"));
    QVERIFY(!client.sendData(QByteArray()));
}

void TestTcp::sendWritesEveryByte_data()
{
    QTest::addColumn<int>("size");
    for (int size : {0, 1, 5000, 65535, 65536, 65537, 3 * 65536 + 17})
        QTest::addRow("%d bytes", size) << size;
}

void TestTcp::sendWritesEveryByte()
{
    QFETCH(int, size);
    Listener board;
    QVERIFY(board.listen(kLoopback));
    SyncTcpClient client;
    QVERIFY(client.connectTo(kLoopback, board.port()));
    QVERIFY(board.accept());

    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i % 251);  // a period that no chunk size is a multiple of
    // The write blocks until the listener, on this thread, has read enough.
    bool sent = false;
    std::thread writer([&] { sent = client.sendData(bytes); });
    QByteArray arrived;
    QTRY_VERIFY_WITH_TIMEOUT((arrived += board.peer->readAll()).size() >= size, 10000);
    writer.join();
    QVERIFY(sent);
    QCOMPARE(arrived, bytes);
}

void TestTcp::peerCloseEndsReceiveLoop()
{
    const int base = ThreadCount();
    Listener board;
    QVERIFY(board.listen(kLoopback));
    SyncTcpClient client;
    Received got;
    Collect(client, got);
    QVERIFY(client.connectTo(kLoopback, board.port()));
    QVERIFY(board.accept());
    board.peer->write("last words");
    QTRY_COMPARE(got.joined(), QByteArray("last words"));
    const int blocks = got.data.size();

    board.peer->disconnectFromHost();
    QTRY_COMPARE(ThreadCount(), base);  // the receive loop ended by itself
    QCoreApplication::processEvents();
    QCOMPARE(got.data.size(), blocks);
}

void TestTcp::reconnectReplacesConnection()
{
    const int base = ThreadCount();
    Listener first, second;
    QVERIFY(first.listen(kLoopback));
    QVERIFY(second.listen(kLoopback2));
    SyncTcpClient client;
    Received got;
    Collect(client, got);
    QVERIFY(client.connectTo(kLoopback, first.port()));
    QVERIFY(first.accept());
    first.peer->write("one");
    QTRY_COMPARE(got.joined(), QByteArray("one"));

    QVERIFY(client.connectTo(kLoopback2, second.port()));
    QVERIFY(second.accept());
    QTRY_COMPARE(first.peer->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(ThreadCount(), base + 1);  // the old thread joined, a new one reads

    second.peer->write("two");
    QTRY_COMPARE(got.data.size(), 2);
    QCOMPARE(got.data.last(), QByteArray("two"));
    QCOMPARE(got.addresses.last(), kLoopback2);
    QVERIFY(client.sendData("up"));
    QByteArray up;
    QTRY_COMPARE(up += second.peer->readAll(), QByteArray("up"));
}

// The upgrade worker sends on its own thread while the GUI thread closes
// the connection: the send fails (the close wakes it), nothing is used after
// it was freed (sanitizer builds check), and the client connects again.
void TestTcp::closeDuringSend()
{
    Listener listener;
    QVERIFY(listener.listen(kLoopback));
    SyncTcpClient client;
    QVERIFY(client.connectTo(kLoopback, listener.port()));
    QVERIFY(listener.accept());
    // The listener never reads: the writes fill every buffer and block.
    std::atomic<bool> sending{true};
    std::atomic<int> results{0};
    std::atomic<bool> failed{false};
    std::thread worker([&] {
        const QByteArray chunk(1 << 20, 'x');
        while (sending) {
            const bool ok = client.sendData(chunk);
            ++results;
            if (!ok) {
                failed = true;
                return;
            }
        }
    });
    // Wait until the writes block (the peer's receive buffer fills up and a
    // send takes its time), then close underneath.
    listener.peer->setReadBufferSize(1);
    QTRY_VERIFY_WITH_TIMEOUT(listener.peer->bytesAvailable() > 0, 10000);
    TestSupport::LogCapture log;  // the failing write logs its error, or finds no socket
    client.closeConnection();
    QTRY_VERIFY_WITH_TIMEOUT(failed.load(), 10000);
    sending = false;
    worker.join();
    QVERIFY(!client.sendData("after close"));

    QVERIFY(client.connectTo(kLoopback, listener.port()));
    QVERIFY(client.sendData("again"));
    client.closeConnection();
}

// A peer that takes 100 kB and then reads no more: the send fails once
// nothing went out for the stall time-out, and the next connection works.
void TestTcp::stalledPeerEndsTheSend()
{
    TakingBoard board(100 * 1024);
    QVERIFY(board.listen(kLoopback));
    SyncTcpClient client;
    client.setTimeouts(SyncTcpClient::kConnectTimeoutMs, 200);
    QVERIFY(client.connectTo(kLoopback, board.port()));
    TestSupport::LogCapture log;
    const QByteArray package(8 << 20, 'p');
    bool sent = true;
    QVERIFY(EndsByItself(
        client, [&] { return client.sendData(package); }, &sent));
    QVERIFY(!sent);
    QCOMPARE(board.lastBytes().size(), 100 * 1024);
    QVERIFY(SendsTo(client, board, "again"));
}

// A listener that answers no handshake: the connect gives up after the
// connect time-out, and the next one to a board that answers works.
void TestTcp::unansweredConnectGivesUp()
{
    SilentBoard silent;
    QVERIFY(silent.listen(kLoopback));
    SyncTcpClient client;
    client.setTimeouts(200, SyncTcpClient::kStallTimeoutMs);
    ExpectAsioError();
    bool connected = true;
    QVERIFY(EndsByItself(
        client, [&] { return client.connectTo(kLoopback, silent.port()); }, &connected));
    QVERIFY(!connected);
    QVERIFY(!client.sendData("nothing"));
    TakingBoard board(-1);
    QVERIFY(board.listen(kLoopback));
    QVERIFY(SendsTo(client, board, "answered"));
}

// The operator cancels while the board has not answered yet: the close from
// another thread ends the connect at once, whatever its time-out.
void TestTcp::closeEndsAPendingConnect()
{
    SilentBoard silent;
    QVERIFY(silent.listen(kLoopback));
    SyncTcpClient client;
    ExpectAsioError();
    {
        // Should the close not reach the connect, the deadline of the
        // connect ends it.
        client.setTimeouts(20000, SyncTcpClient::kStallTimeoutMs);
        Blocking connect([&] { return client.connectTo(kLoopback, silent.port()); });
        QTRY_VERIFY(ConnectPending(silent.port()));
        client.closeConnection();
        QTRY_VERIFY(connect.done);
        QVERIFY(!connect.result);
    }
    TakingBoard board(-1);
    QVERIFY(board.listen(kLoopback));
    QVERIFY(SendsTo(client, board, "after the close"));
}

QTEST_GUILESS_MAIN(TestTcp)
#include "test_tcp.moc"
