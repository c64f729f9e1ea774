// The UDP transports on real sockets inside the private test network:
// binding and rebinding, datagrams with their sender's address, truncation,
// the target's life across closing, limited broadcast, closing while a
// receive blocks, the unicast transport's one-step target and send, and the
// repeated status frames that wait for the owner's next turn.
#include "CoreBroadcastUdp.h"
#include "CoreNetWorkUDP.h"
#include "TestFrames.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {
constexpr quint16 kLocalPort = 47010;
constexpr quint16 kPeerPort = 47020;
constexpr quint16 kDevicePort = 61214;
constexpr quint16 kBroadcastLocalPort = 61215;
constexpr int kReceiveLimit = 8192;
const QString kSecondPcIp = TestNet::kForeignIp;
const QString kLimitedBroadcast = QStringLiteral("255.255.255.255");
const QString kLoopback = QStringLiteral("127.0.0.1");

// An open transport adds exactly its receive thread to the process.
using TestSupport::ExpectAsioError;
using TestSupport::ThreadCount;

// Either transport behind one face, so that what they share runs as one table.
struct Transport {
    std::unique_ptr<QObject> object;
    std::function<bool(const QString&, quint16)> openPort;
    std::function<bool()> startPort;
    std::function<void()> closePort;
    std::function<bool(const QString&, quint16)> setRemote;
    std::function<QString()> remoteIp;
    std::function<bool(const QByteArray&)> sendData;
    // What the transport handed out, collected on the test's thread.
    QList<QByteArray> data;
    QStringList senders;
};

template <typename T>
std::unique_ptr<Transport> Wrap(void (T::*signal)(const QByteArray&, const QString&))
{
    auto t = std::make_unique<Transport>();
    T* udp = new T;
    t->object.reset(udp);
    t->openPort = [udp](const QString& ip, quint16 port) { return udp->openPort(ip, port); };
    t->startPort = [udp] { return udp->startPort(); };
    t->closePort = [udp] { udp->closePort(); };
    t->setRemote = [udp](const QString& ip, quint16 port) { return udp->setRemote(ip, port); };
    t->remoteIp = [udp] { return udp->remoteIp(); };
    t->sendData = [udp](const QByteArray& d) { return udp->sendData(d); };
    Transport* raw = t.get();
    // The transport lives on this thread, so its receive thread's signal arrives queued.
    QObject::connect(udp, signal, udp, [raw](const QByteArray& d, const QString& sender) {
        raw->data.append(d);
        raw->senders.append(sender);
    });
    return t;
}

std::unique_ptr<Transport> MakeTransport(bool broadcast)
{
    return broadcast ? Wrap(&CoreBroadcastUdp::sigBroadcastReadData)
                     : Wrap(&CoreNetWorkUDP::sigReadData);
}

// A plain socket standing in for a device, a listener or a squatter on a port.
struct Peer {
    QUdpSocket socket;
    QList<QNetworkDatagram> received;

    Peer()
    {
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams())
                received.append(socket.receiveDatagram());
        });
    }
    // Never shares the address: binding fails while a transport still holds it.
    bool bind(const QString& ip, quint16 port)
    {
        return socket.bind(QHostAddress(ip), port, QUdpSocket::DontShareAddress);
    }
    void send(const QByteArray& data, const QString& ip, quint16 port)
    {
        QCOMPARE(socket.writeDatagram(data, QHostAddress(ip), port), qint64(data.size()));
    }
};

// Joins the threads of a test however the test ends.
struct Threads {
    std::vector<std::thread> list;
    ~Threads()
    {
        for (std::thread& t : list)
            t.join();
    }
};

void AddTransportRows()
{
    QTest::addColumn<bool>("broadcast");
    QTest::newRow("unicast") << false;
    QTest::newRow("broadcast") << true;
}

// A device's status frame (0x0500): sync lock in P6, HDR in P7.
QByteArray Status(char syncLock)
{
    return TestFrames::Short(
        0x0500, QByteArray("\x55\x55\x55\x55\x55\x55", 6) + syncLock + QByteArray(1, 0));
}

QByteArray Pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i % 251);
    return bytes;
}
}  // namespace

class TestUdp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void receivesWithSenderAddress_data() { AddTransportRows(); }
    void receivesWithSenderAddress();
    void unicastKeepsLastSender();
    void emptyAddressKeepsOpenPort_data() { AddTransportRows(); }
    void emptyAddressKeepsOpenPort();
    void reopenReplacesSocket_data() { AddTransportRows(); }
    void reopenReplacesSocket();
    void secondTransportOnSameAddress_data() { AddTransportRows(); }
    void secondTransportOnSameAddress();
    void startOnRunningTransportFails_data() { AddTransportRows(); }
    void startOnRunningTransportFails();
    void longDatagramIsCut_data();
    void longDatagramIsCut();
    void sendBeforeOpenFails_data() { AddTransportRows(); }
    void sendBeforeOpenFails();
    void targetSurvivesClose_data() { AddTransportRows(); }
    void targetSurvivesClose();
    void burstArrivesWholeAndInOrder_data();
    void burstArrivesWholeAndInOrder();
    void busyOwnerTakesBurstInOneCall();
    void closedPortDeliversNothingMore();
    void repeatedReceiveErrorPauses();
    void bindFailureLeavesTransportClosed_data();
    void bindFailureLeavesTransportClosed();
    void broadcastLocalIpFollowsLastOpen();
    void limitedBroadcast_data() { AddTransportRows(); }
    void limitedBroadcast();
    void sendDataToWithoutTargetSendsNothing_data();
    void sendDataToWithoutTargetSendsNothing();
    void sendDataToKeepsEachFrameWithItsTarget();
    void closeEndsBlockedReceive_data() { AddTransportRows(); }
    void closeEndsBlockedReceive();
    void statusRepeatsWait_data();
    void statusRepeatsWait();
    void waitingRepeatsJoinNextDelivery();
    void repeatWaitsForOwnersTurn_data() { AddTransportRows(); }
    void repeatWaitsForOwnersTurn();
};

void TestUdp::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
}

void TestUdp::receivesWithSenderAddress()
{
    QFETCH(bool, broadcast);
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    device.send("first", TestNet::kPcIp, kLocalPort);
    device.send("second", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(t->data.size(), 2);
    QCOMPARE(t->data, (QList<QByteArray>{"first", "second"}));
    QCOMPARE(t->senders, QStringList({TestNet::kDeviceIp1, TestNet::kDeviceIp1}));

    // Frames leave from the bound address and port.
    QVERIFY(t->setRemote(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(t->sendData("reply"));
    QTRY_COMPARE(device.received.size(), 1);
    QCOMPARE(device.received[0].data(), QByteArray("reply"));
    QCOMPARE(device.received[0].senderAddress(), QHostAddress(TestNet::kPcIp));
    QCOMPARE(device.received[0].senderPort(), int(kLocalPort));
}

void TestUdp::unicastKeepsLastSender()
{
    QStringList senders;
    CoreNetWorkUDP udp;
    connect(&udp, &CoreNetWorkUDP::sigReadData, &udp,
            [&senders](const QByteArray&, const QString& sender) { senders.append(sender); });
    QVERIFY(udp.lastSender().isEmpty());
    QVERIFY(udp.openPort(TestNet::kPcIp, kLocalPort));
    Peer first, second;
    QVERIFY(first.bind(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(second.bind(TestNet::kDeviceIp2, kPeerPort));
    first.send("a", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(senders.size(), 1);
    QCOMPARE(udp.lastSender(), TestNet::kDeviceIp1);
    second.send("b", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(senders.size(), 2);
    QCOMPARE(udp.lastSender(), TestNet::kDeviceIp2);
}

void TestUdp::emptyAddressKeepsOpenPort()
{
    QFETCH(bool, broadcast);
    const int base = ThreadCount();
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    QCOMPARE(ThreadCount(), base + 1);
    QVERIFY(!t->openPort(QString(), kLocalPort));
    QCOMPARE(ThreadCount(), base + 1);
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    device.send("still here", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(t->data.size(), 1);
    QCOMPARE(t->data[0], QByteArray("still here"));
}

void TestUdp::reopenReplacesSocket()
{
    QFETCH(bool, broadcast);
    const int base = ThreadCount();
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    QVERIFY(t->openPort(kSecondPcIp, kLocalPort));
    QTRY_COMPARE(ThreadCount(), base + 1);

    // The first address is free again: a socket that shares nothing can take it
    // and gets what is sent there.
    Peer squatter, device;
    QVERIFY(squatter.bind(TestNet::kPcIp, kLocalPort));
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    device.send("to first", TestNet::kPcIp, kLocalPort);
    device.send("to second", kSecondPcIp, kLocalPort);
    QTRY_COMPARE(squatter.received.size(), 1);
    QTRY_COMPARE(t->data.size(), 1);
    QCOMPARE(t->data[0], QByteArray("to second"));
}

void TestUdp::secondTransportOnSameAddress()
{
    QFETCH(bool, broadcast);
    // The unicast socket asks to reuse its address before it binds, so a second
    // one may bind beside it; the broadcast socket does not ask.
    auto first = MakeTransport(broadcast);
    auto second = MakeTransport(broadcast);
    QVERIFY(first->openPort(TestNet::kPcIp, kLocalPort));
    if (broadcast)
        ExpectAsioError();
    QCOMPARE(second->openPort(TestNet::kPcIp, kLocalPort), !broadcast);
}

void TestUdp::startOnRunningTransportFails()
{
    QFETCH(bool, broadcast);
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    const int open = ThreadCount();
    QVERIFY(!t->startPort());
    QCOMPARE(ThreadCount(), open);
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    device.send("after start", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(t->data.size(), 1);
}

void TestUdp::longDatagramIsCut_data()
{
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<int>("size");
    for (bool broadcast : {false, true}) {
        const char* name = broadcast ? "broadcast" : "unicast";
        for (int size : {1, kReceiveLimit - 1, kReceiveLimit, kReceiveLimit + 1, 9000})
            QTest::addRow("%s %d bytes", name, size) << broadcast << size;
    }
}

void TestUdp::longDatagramIsCut()
{
    QFETCH(bool, broadcast);
    QFETCH(int, size);
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    const QByteArray bytes = Pattern(size);
    device.send(bytes, TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(t->data.size(), 1);
    QCOMPARE(t->data[0], bytes.left(kReceiveLimit));
    QCOMPARE(t->senders[0], TestNet::kDeviceIp1);
}

void TestUdp::sendBeforeOpenFails()
{
    QFETCH(bool, broadcast);
    auto t = MakeTransport(broadcast);
    QVERIFY(t->setRemote(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(!t->sendData("nowhere"));
    t->closePort();  // on a transport never opened: nothing to do
    QVERIFY(!t->sendData("nowhere"));
    QCOMPARE(t->remoteIp(), TestNet::kDeviceIp1);
}

void TestUdp::targetSurvivesClose()
{
    QFETCH(bool, broadcast);
    auto t = MakeTransport(broadcast);
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(t->setRemote(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    t->closePort();
    QVERIFY(!t->sendData("while closed"));
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    QVERIFY(t->sendData("after reopen"));
    QTRY_COMPARE(device.received.size(), 1);
    QCOMPARE(device.received[0].data(), QByteArray("after reopen"));
}

void TestUdp::bindFailureLeavesTransportClosed_data()
{
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("portTaken");
    for (bool broadcast : {false, true}) {
        const char* name = broadcast ? "broadcast" : "unicast";
        QTest::addRow("%s, address not local", name) << broadcast << "10.99.99.99" << false;
        QTest::addRow("%s, not IPv4 text", name) << broadcast << "300.1.2.3" << false;
        QTest::addRow("%s, port in use", name) << broadcast << TestNet::kPcIp << true;
    }
}

void TestUdp::bindFailureLeavesTransportClosed()
{
    QFETCH(bool, broadcast);
    QFETCH(QString, address);
    QFETCH(bool, portTaken);
    Peer squatter;
    if (portTaken)
        QVERIFY(squatter.bind(TestNet::kPcIp, kLocalPort));
    const int base = ThreadCount();
    auto t = MakeTransport(broadcast);
    QVERIFY(t->setRemote(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(t->openPort(kSecondPcIp, kLocalPort));

    ExpectAsioError();
    QVERIFY(!t->openPort(address, kLocalPort));
    QTRY_COMPARE(ThreadCount(), base);  // the socket opened before is gone too
    QVERIFY(!t->sendData("closed"));
}

void TestUdp::broadcastLocalIpFollowsLastOpen()
{
    CoreBroadcastUdp udp;
    QVERIFY(udp.localIp().isEmpty());
    ExpectAsioError();
    QVERIFY(!udp.openPort(QStringLiteral("10.99.99.99"), kBroadcastLocalPort));
    QCOMPARE(udp.localIp(), QStringLiteral("10.99.99.99"));
    QVERIFY(udp.openPort(TestNet::kPcIp, kBroadcastLocalPort));
    QCOMPARE(udp.localIp(), TestNet::kPcIp);
    QVERIFY(!udp.openPort(QString(), kBroadcastLocalPort));
    QCOMPARE(udp.localIp(), TestNet::kPcIp);
}

void TestUdp::limitedBroadcast()
{
    QFETCH(bool, broadcast);
    Peer listener;
    QVERIFY(listener.bind(kLimitedBroadcast, kDevicePort));
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kBroadcastLocalPort));
    QVERIFY(t->setRemote(kLimitedBroadcast, kDevicePort));
    if (!broadcast) {
        // Only the broadcast transport's socket may broadcast.
        ExpectAsioError();
        QVERIFY(!t->sendData("search"));
        return;
    }
    QVERIFY(t->sendData("search"));
    QTRY_COMPARE(listener.received.size(), 1);
    QCOMPARE(listener.received[0].data(), QByteArray("search"));
    QCOMPARE(listener.received[0].senderAddress(), QHostAddress(TestNet::kPcIp));
    QCOMPARE(listener.received[0].senderPort(), int(kBroadcastLocalPort));
}

void TestUdp::sendDataToWithoutTargetSendsNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("logged");
    QTest::newRow("empty (no device selected)") << QString() << false;
    QTest::newRow("not IPv4 text") << "300.1.2.3" << true;
    QTest::newRow("a name, not an address") << "localhost" << true;
}

void TestUdp::sendDataToWithoutTargetSendsNothing()
{
    QFETCH(QString, target);
    QFETCH(bool, logged);
    // An unresolved target must not fall back to the local host.
    Peer local;
    QVERIFY(local.bind(kLoopback, kPeerPort));
    CoreNetWorkUDP udp;
    QVERIFY(udp.openPort(kLoopback, kLocalPort));
    QVERIFY(udp.setRemote(kLoopback, kPeerPort));
    if (logged)
        ExpectAsioError();
    QVERIFY(!udp.sendDataTo(target, kPeerPort, "lost"));
    QCOMPARE(udp.remoteIp(), target);
    QVERIFY(!udp.sendData("lost"));  // the old target went with the change

    // Datagrams from one socket to one address keep their order: once the
    // marker is in, anything sent before it would be too.
    QVERIFY(udp.sendDataTo(kLoopback, kPeerPort, "marker"));
    QTRY_COMPARE(local.received.size(), 1);
    QCOMPARE(local.received[0].data(), QByteArray("marker"));
}

void TestUdp::sendDataToKeepsEachFrameWithItsTarget()
{
    constexpr int kFrames = 200;
    CoreNetWorkUDP udp;
    QVERIFY(udp.openPort(TestNet::kPcIp, kLocalPort));
    Peer a, b, bystander;
    QVERIFY(a.bind(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(b.bind(TestNet::kDeviceIp2, kPeerPort));
    QVERIFY(bystander.bind(TestNet::kDeviceIp3, kPeerPort));

    std::atomic<int> failed{0};
    {
        Threads threads;
        // Two senders with their own targets, and target changes from a third
        // thread as a selection on the GUI thread would make them.
        auto sender = [&](QString ip, char tag) {
            for (int i = 0; i < kFrames; ++i)
                if (!udp.sendDataTo(ip, kPeerPort, tag + QByteArray::number(i)))
                    ++failed;
        };
        threads.list.emplace_back(sender, TestNet::kDeviceIp1, 'A');
        threads.list.emplace_back(sender, TestNet::kDeviceIp2, 'B');
        threads.list.emplace_back([&] {
            for (int i = 0; i < kFrames; ++i)
                udp.setRemote(TestNet::kDeviceIp3, kPeerPort);
        });
        // Drain the receivers while the frames go out, so that none overflows;
        // every frame lands somewhere, the right place or not.
        QTRY_VERIFY(a.received.size() + b.received.size() + bystander.received.size() >=
                    2 * kFrames);
    }
    QCOMPARE(failed.load(), 0);
    QCOMPARE(bystander.received.size(), 0);
    for (const auto& [peer, tag] : {std::pair<Peer*, char>{&a, 'A'}, {&b, 'B'}}) {
        QCOMPARE(peer->received.size(), kFrames);
        for (int i = 0; i < kFrames; ++i)
            QCOMPARE(peer->received[i].data(), tag + QByteArray::number(i));
    }
}

void TestUdp::closeEndsBlockedReceive()
{
    QFETCH(bool, broadcast);
    const int base = ThreadCount();
    auto t = MakeTransport(broadcast);
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    // One datagram through proves the receive thread is in its loop; it then
    // blocks on the next receive.
    Peer device;
    QVERIFY(device.bind(TestNet::kDeviceIp1, kPeerPort));
    device.send("ping", TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE(t->data.size(), 1);

    std::promise<void> closed;
    std::future<void> done = closed.get_future();
    std::thread closer([&] {
        t->closePort();
        closed.set_value();
    });
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
        qFatal("closePort stayed blocked in the receive thread's join");
    closer.join();
    QTRY_COMPARE(ThreadCount(), base);
    Peer squatter;
    QVERIFY(squatter.bind(TestNet::kPcIp, kLocalPort));  // the socket is closed
}

// While the owner's thread is busy, a burst piles up in the transport and is
// then delivered in one call, not one per datagram.
void TestUdp::busyOwnerTakesBurstInOneCall()
{
    REQUIRE_PRIVATE_NETWORK();
    CoreNetWorkUDP udp;
    QList<int> batchSizes;
    connect(&udp, &CoreNetWorkUDP::sigReadBatch, &udp,
            [&](const DatagramBatch& batch) { batchSizes << batch.size(); });
    QVERIFY(udp.openPort(TestNet::kPcIp, kLocalPort));
    Peer peer;
    QVERIFY(peer.bind(TestNet::kDeviceIp1, kPeerPort));
    constexpr int kBurst = 50;
    for (int i = 0; i < kBurst; ++i)
        peer.send(QByteArray::number(i), TestNet::kPcIp, kLocalPort);
    // This thread stays away from its event loop until the receive thread
    // has taken the whole burst.
    QDeadlineTimer deadline(10000);
    while (udp.pendingDatagrams() < kBurst && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    QCOMPARE(udp.pendingDatagrams(), kBurst);
    QTRY_COMPARE(batchSizes, QList<int>{kBurst});
    QCOMPARE(udp.pendingDatagrams(), 0);
    udp.closePort();
}

// Datagrams that a port received before it was closed, and that its owner
// had not yet taken, are never delivered: they belong to the ended session.
void TestUdp::closedPortDeliversNothingMore()
{
    REQUIRE_PRIVATE_NETWORK();
    CoreNetWorkUDP udp;
    int delivered = 0;
    connect(&udp, &CoreNetWorkUDP::sigReadBatch, &udp,
            [&](const DatagramBatch& batch) { delivered += batch.size(); });
    QVERIFY(udp.openPort(TestNet::kPcIp, kLocalPort));
    Peer peer;
    QVERIFY(peer.bind(TestNet::kDeviceIp1, kPeerPort));
    peer.send("late reply", TestNet::kPcIp, kLocalPort);
    QDeadlineTimer deadline(10000);
    while (udp.pendingDatagrams() < 1 && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    QCOMPARE(udp.pendingDatagrams(), 1);
    udp.closePort();
    QCOMPARE(udp.pendingDatagrams(), 0);
    // The delivery already posted finds nothing.
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);
}

// A burst of datagrams arrives whole and in order, in batches (several
// datagrams taken in one call of the receive thread), each datagram with its
// sender: one device's burst, and two devices' datagrams interleaved while
// the owner's thread is busy, so that they are taken together.
void TestUdp::burstArrivesWholeAndInOrder_data()
{
    QTest::addColumn<int>("devices");
    QTest::newRow("one device") << 1;
    QTest::newRow("two devices interleaved") << 2;
}

void TestUdp::burstArrivesWholeAndInOrder()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(int, devices);
    CoreNetWorkUDP udp;
    QList<QByteArray> data;
    QStringList senders;
    int batches = 0;
    connect(&udp, &CoreNetWorkUDP::sigReadBatch, &udp, [&](const DatagramBatch& batch) {
        ++batches;
        for (const Datagram& d : batch) {
            data << d.data;
            senders << d.sender;
        }
    });
    QVERIFY(udp.openPort(TestNet::kPcIp, kLocalPort));
    Peer peers[2];
    QVERIFY(peers[0].bind(TestNet::kDeviceIp1, kPeerPort));
    QVERIFY(peers[1].bind(TestNet::kDeviceIp2, kPeerPort));
    const QString addresses[2] = {TestNet::kDeviceIp1, TestNet::kDeviceIp2};
    constexpr int kBurst = 600;
    for (int i = 0; i < kBurst; ++i)
        peers[i % devices].send(QByteArray::number(i), TestNet::kPcIp, kLocalPort);
    QTRY_COMPARE_WITH_TIMEOUT(data.size(), kBurst, 10000);
    for (int i = 0; i < kBurst; ++i) {
        QCOMPARE(data[i], QByteArray::number(i));
        QCOMPARE(senders[i], addresses[i % devices]);
    }
    QVERIFY(batches < kBurst);
    udp.closePort();
}

namespace {
// The descriptor of the socket bound to ip:port in this process, or -1.
int SocketBoundTo(const QString& ip, quint16 port)
{
    const quint32 address = htonl(QHostAddress(ip).toIPv4Address());
    for (int fd = 3; fd < 4096; ++fd) {
        sockaddr_in a{};
        socklen_t length = sizeof a;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0 &&
            a.sin_family == AF_INET && a.sin_port == htons(port) && a.sin_addr.s_addr == address)
            return fd;
    }
    return -1;
}
}  // namespace

// A socket gone bad fails every receive at once: the receive thread must
// neither spin a core nor flood the log (it pauses from the second error in
// a row). Here the socket's descriptor is replaced by a file under the
// transport's feet, so that each receive fails with "not a socket".
void TestUdp::repeatedReceiveErrorPauses()
{
    REQUIRE_PRIVATE_NETWORK();
    auto udp = std::make_unique<CoreNetWorkUDP>();
    QVERIFY(udp->openPort(TestNet::kPcIp, kLocalPort));
    const int fd = SocketBoundTo(TestNet::kPcIp, kLocalPort);
    QVERIFY(fd >= 0);
    TestSupport::LogCapture log;
    const int null = ::open("/dev/null", O_RDONLY);
    QVERIFY(null >= 0);
    QVERIFY(::dup2(null, fd) == fd);
    ::close(null);
    // The receive blocked on the old socket ends with this datagram; every
    // receive after it fails.
    Peer peer;
    QVERIFY(peer.bind(TestNet::kDeviceIp1, kPeerPort));
    peer.send("wake", TestNet::kPcIp, kLocalPort);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("Exception: ")) >= 3, 10000);

    // An upper bound only, so a loaded machine cannot make it fail: without
    // the pause this would be tens of thousands of lines.
    const int before = log.count(QStringLiteral("Exception: "));
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::qWait(300);
    const int errors = log.count(QStringLiteral("Exception: ")) - before;
    const qint64 ms = elapsed.elapsed();
    QVERIFY2(errors <= ms / 10 + 5, qPrintable(QStringLiteral("%1 errors in %2 ms").arg(errors).arg(ms)));
    udp->closePort();
}

QTEST_GUILESS_MAIN(TestUdp)
// Which datagrams the hand-off holds back: steps "sender kind ms" (kind A
// and B two status frames, R a reply, J bytes that are no frame), each
// delivered by the owner before the next comes; urgent says which of them
// asked for a delivery at once.
void TestUdp::statusRepeatsWait_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<bool>>("urgent");
    QTest::newRow("first status frame") << QStringList{"1 A 0"} << QList<bool>{true};
    QTest::newRow("repeat within the gap waits")
        << QStringList{"1 A 0", "1 A 2000", "1 A 4000"} << QList<bool>{true, false, false};
    QTest::newRow("changed sync lock at once")
        << QStringList{"1 A 0", "1 B 2000", "1 B 4000", "1 A 6000"}
        << QList<bool>{true, true, false, true};
    // A cell counts a missed heartbeat after 6000 ms: after a silence the
    // device may be shown offline, and its return must be seen at once.
    QTest::newRow("repeat after a silence at once")
        << QStringList{"1 A 0", "1 A 2999", "1 A 5999"} << QList<bool>{true, false, true};
    QTest::newRow("each sender on its own")
        << QStringList{"1 A 0", "2 A 10", "1 A 2000", "2 B 2010", "2 B 4010"}
        << QList<bool>{true, true, false, true, false};
    QTest::newRow("replies never wait")
        << QStringList{"1 R 0", "1 R 100", "1 J 200"} << QList<bool>{true, true, true};
    QTest::newRow("replies between repeats")
        << QStringList{"1 A 0", "1 R 500", "1 A 2000"} << QList<bool>{true, true, false};
}

void TestUdp::statusRepeatsWait()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<bool>, urgent);
    DatagramHandOff handOff;
    handOff.LetRepeatsWait();
    QList<bool> posted;
    int delivered = 0;
    for (const QString& step : steps) {
        const QStringList f = step.split(' ');
        const QByteArray data = f[1] == "A"   ? Status(0)
                                : f[1] == "B" ? Status(1)
                                : f[1] == "R" ? TestFrames::Short(0x0602)
                                              : QByteArray("junk");
        const QString sender = f[0] == "1" ? TestNet::kDeviceIp1 : TestNet::kDeviceIp2;
        posted << handOff.Add(DatagramBatch{Datagram{data, sender, f[2].toLongLong()}});
        // Held back or not, every datagram reaches the owner, in order.
        const DatagramBatch batch = handOff.Take();
        QCOMPARE(batch.size(), 1);
        QCOMPARE(batch.first().data, data);
        ++delivered;
    }
    QCOMPARE(posted, urgent);
    QCOMPARE(delivered, steps.size());
}

// A held-back repeat goes with the next delivery, or with the one that the
// owner's next turn posts; until the owner turns its loop that way, nothing
// is held back.
void TestUdp::waitingRepeatsJoinNextDelivery()
{
    const QString ip = TestNet::kDeviceIp1;
    DatagramHandOff handOff;
    QVERIFY(handOff.Add(DatagramBatch{Datagram{Status(0), ip, 0}}));
    QVERIFY(!handOff.IdleDeliveryDue());  // already posted
    QCOMPARE(handOff.Take().size(), 1);
    QVERIFY(handOff.Add(DatagramBatch{Datagram{Status(0), ip, 100}}));  // not yet let wait
    QCOMPARE(handOff.Take().size(), 1);

    handOff.LetRepeatsWait();
    QVERIFY(!handOff.IdleDeliveryDue());  // nothing waits
    QVERIFY(!handOff.Add(DatagramBatch{Datagram{Status(0), ip, 200}}));
    QVERIFY(!handOff.Add(DatagramBatch{Datagram{Status(0), ip, 300}}));
    QCOMPARE(handOff.Pending(), 2);
    // A reply after them is urgent and takes them along, in order.
    QVERIFY(handOff.Add(DatagramBatch{Datagram{TestFrames::Short(0x0602), ip, 400}}));
    QVERIFY(!handOff.IdleDeliveryDue());
    const DatagramBatch three = handOff.Take();
    QCOMPARE(three.size(), 3);
    QCOMPARE(three.at(2).receivedMs, 400);

    QVERIFY(!handOff.Add(DatagramBatch{Datagram{Status(0), ip, 500}}));
    QVERIFY(handOff.IdleDeliveryDue());
    QVERIFY(!handOff.IdleDeliveryDue());  // one delivery posted is enough
    QCOMPARE(handOff.Take().size(), 1);
    QVERIFY(!handOff.IdleDeliveryDue());

    // After the selection moved, the next status frame is not a repeat.
    handOff.ForgetRepeats();
    QVERIFY(handOff.Add(DatagramBatch{Datagram{Status(0), ip, 600}}));
}

// Over a real socket: a repeated status frame posts no delivery, so it wakes
// nobody; the owner's next event-loop turn delivers it. A changed one is
// delivered at once.
void TestUdp::repeatWaitsForOwnersTurn()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(bool, broadcast);
    std::unique_ptr<Transport> t = MakeTransport(broadcast);
    QObject* udp = t->object.get();
    QVERIFY(t->openPort(TestNet::kPcIp, kLocalPort));
    Peer peer;
    QVERIFY(peer.bind(TestNet::kDeviceIp1, kPeerPort));
    // Waits, away from the event loop, until the receive thread has left one
    // datagram, then runs only the deliveries that were posted.
    auto receivedThenPostedOnly = [&] {
        auto pending = [&] {
            return broadcast ? static_cast<CoreBroadcastUdp*>(udp)->pendingDatagrams()
                             : static_cast<CoreNetWorkUDP*>(udp)->pendingDatagrams();
        };
        QDeadlineTimer deadline(10000);
        while (pending() < 1 && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        QCOMPARE(pending(), 1);
        QCoreApplication::sendPostedEvents(udp, QEvent::MetaCall);
    };

    // The receive thread leaves a datagram and then posts its delivery: runs
    // what is posted until n have come, never the owner's idle turn.
    auto postedOnlyUntil = [&](int n) {
        QDeadlineTimer deadline(10000);
        while (t->data.size() < n && !deadline.hasExpired()) {
            QCoreApplication::sendPostedEvents(udp, QEvent::MetaCall);
            QThread::yieldCurrentThread();
        }
    };

    peer.send(Status(0), TestNet::kPcIp, kLocalPort);
    postedOnlyUntil(1);
    QCOMPARE(t->data.size(), 1);

    peer.send(Status(0), TestNet::kPcIp, kLocalPort);
    receivedThenPostedOnly();
    QCOMPARE(t->data.size(), 1);  // a repeat posts nothing
    QTRY_COMPARE(t->data.size(), 2);  // the owner's next turn delivers it

    peer.send(Status(1), TestNet::kPcIp, kLocalPort);
    postedOnlyUntil(3);
    QCOMPARE(t->data.size(), 3);
    QCOMPARE(t->data.at(2), Status(1));
    t->closePort();
}

#include "test_udp.moc"
