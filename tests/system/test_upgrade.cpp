// The video-board upgrade worker against procsim's video board, through
// MiddleHandler's TCP client: what the board receives (start record, the
// package, end record with its count), the writes the worker makes, its
// messages, and its life: waiting without a request; a board that stops
// reading or never answers, a cancel and the worker's end, none of which may
// hold it for good, and a retry after each.
#include "BoardStubs.h"
#include "SyncTcpClient.h"
#include "TestNet.h"
#include "UpgradeWorker.h"
#include "VideoBoardSim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <mutex>

namespace {

const QString kDone = QStringLiteral("Update successed. Restart machine");
const QString kNoBoard = QStringLiteral("Can not connect the video board");
const QString kWrongFile = QStringLiteral("Please Select the correct File");
const QString kNoFile = QStringLiteral("Upgrade File is not exist");

// MiddleHandler's link with every write's length recorded; failAt (0: never)
// makes that write fail without sending.
struct RecordingLink {
    std::mutex lock;
    QList<int> writes;
    int failAt = 0;
    bool endSent = false;

    UpgradeLink make()
    {
        UpgradeLink link = UpgradeLink::FromMiddleHandler();
        auto send = link.send;
        link.send = [this, send](const uint8_t* data, int length) {
            std::lock_guard<std::mutex> g(lock);
            writes.append(length);
            if (failAt == writes.size())
                return false;
            if (length == UpgradeWorker::kRecordBytes && data[6] == 'o')
                endSent = true;
            return send(data, length);
        };
        return link;
    }
    QList<int> taken()
    {
        std::lock_guard<std::mutex> g(lock);
        return writes;
    }
};

QByteArray Package(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + 7) & 0xFF);
    return bytes;
}

}  // namespace

class TestUpgrade : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void records();
    void packageName_data();
    void packageName();
    void packageReachesTheBoard_data();
    void packageReachesTheBoard();
    void refusedRequests_data();
    void refusedRequests();
    void noBoard();
    void unreadableFileKeepsTheWorker();
    void failedPieceIsNoSuccess();
    void blockedTransferEnds_data();
    void blockedTransferEnds();
    void idleWorkerStops();

private:
    void selectDevice(bool withBoard);
    QString writeFile(const QString& name, const QByteArray& bytes);
    QList<QJsonObject> boardEvents(const QString& event) const;

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestUpgrade::initTestCase()
{
    h = MiddleHandler::GetInstance();
}

void TestUpgrade::init()
{
    REQUIRE_PRIVATE_NETWORK();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestUpgrade::cleanup()
{
    h->DisconnectTcp();
    sim.reset();
    h->ResetForTest();
}

void TestUpgrade::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

// The processor selected with its video board beside it in the list.
void TestUpgrade::selectDevice(bool withBoard)
{
    sim = std::make_unique<ProcSim>();
    QVERIFY2(VideoBoardSim::Start(*sim, withBoard), qPrintable(sim->errors()));
    QVERIFY(VideoBoardSim::SelectDevice(h));
}

QString TestUpgrade::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = dir->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

QList<QJsonObject> TestUpgrade::boardEvents(const QString& event) const
{
    return VideoBoardSim::BoardEvents(*sim, QStringLiteral("upgrade"), event);
}

void TestUpgrade::records()
{
    const UpgradeWorker::Record start = UpgradeWorker::StartRecord();
    const UpgradeWorker::Record end = UpgradeWorker::EndRecord(0x01020304);
    const QByteArray s(reinterpret_cast<const char*>(start.data()), 15);
    const QByteArray e(reinterpret_cast<const char*>(end.data()), 15);
    QCOMPARE(s.toHex(), QByteArray("ff01000000006d0000000000000000"));
    QCOMPARE(e.toHex(), QByteArray("ff01000000006f0403020100000000"));
}

void TestUpgrade::packageName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("any folder") << "/some/where/z9050_venc.tar.gz" << true;
    QTest::newRow("bare name") << "z9050_venc.tar.gz" << true;
    QTest::newRow("letter case") << "/x/Z9050_venc.tar.gz" << false;
    QTest::newRow("other package") << "/x/z9050_venc.tar" << false;
    QTest::newRow("folder of that name") << "/z9050_venc.tar.gz/other.gz" << false;
    QTest::newRow("empty") << "" << false;
}

void TestUpgrade::packageName()
{
    QFETCH(QString, path);
    QFETCH(bool, accepted);
    QCOMPARE(UpgradeWorker::IsPackageName(path), accepted);
}

void TestUpgrade::packageReachesTheBoard_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("writes");
    QTest::newRow("2049 bytes: 2048 and 1") << 2049 << QList<int>{15, 2048, 1, 15};
    QTest::newRow("2048 bytes: one write") << 2048 << QList<int>{15, 2048, 15};
    QTest::newRow("empty: one empty write") << 0 << QList<int>{15, 0, 15};
}

void TestUpgrade::packageReachesTheBoard()
{
    QFETCH(int, size);
    QFETCH(QList<int>, writes);
    selectDevice(true);
    if (QTest::currentTestFailed())
        return;
    const QByteArray package = Package(size);
    const QString path = writeFile(QStringLiteral("z9050_venc.tar.gz"), package);
    RecordingLink link;
    UpgradeWorker worker(link.make());
    worker.Start();
    worker.Request(path);
    QTRY_COMPARE_WITH_TIMEOUT(worker.Message(), kDone, 10000);
    QVERIFY(!worker.RequestPending());
    QCOMPARE(link.taken(), writes);

    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) {
            return l.value(QStringLiteral("event")) == QLatin1String("end");
        },
        5000));
    QCOMPARE(boardEvents(QStringLiteral("start")).size(), 1);
    const QJsonObject end = boardEvents(QStringLiteral("end")).value(0);
    QCOMPARE(end.value(QStringLiteral("count")).toInt(), size);
    QCOMPARE(end.value(QStringLiteral("bytes")).toInt(), size);
    QCOMPARE(end.value(QStringLiteral("sha256")).toString().toLatin1(),
             QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex());
    int pieces = 0;
    for (const QJsonObject& p : boardEvents(QStringLiteral("piece")))
        pieces += p.value(QStringLiteral("size")).toInt();
    QCOMPARE(pieces, size);
}

void TestUpgrade::refusedRequests_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("letter case") << "Z9050_venc.tar.gz";
    QTest::newRow("other name") << "update.tar.gz";
    QTest::newRow("empty path") << "";
}

void TestUpgrade::refusedRequests()
{
    QFETCH(QString, name);
    selectDevice(true);
    if (QTest::currentTestFailed())
        return;
    const QString path = name.isEmpty() ? QString() : writeFile(name, Package(10));
    RecordingLink link;
    UpgradeWorker worker(link.make());
    worker.Start();
    worker.Request(path);
    QTRY_COMPARE(worker.Message(), kWrongFile);
    QVERIFY(link.taken().isEmpty());
    QVERIFY(worker.IsRunning());
}

void TestUpgrade::noBoard()
{
    // The processor is there, its board does not listen.
    selectDevice(false);
    if (QTest::currentTestFailed())
        return;
    const QString path = writeFile(QStringLiteral("z9050_venc.tar.gz"), Package(100));
    UpgradeWorker worker;
    worker.Start();
    worker.Request(path);
    QTRY_COMPARE_WITH_TIMEOUT(worker.Message(), kNoBoard, 10000);
    QVERIFY(worker.IsRunning());
}

void TestUpgrade::unreadableFileKeepsTheWorker()
{
    selectDevice(true);
    if (QTest::currentTestFailed())
        return;
    RecordingLink link;
    UpgradeWorker worker(link.make());
    worker.Start();
    worker.Request(dir->filePath(QStringLiteral("missing/z9050_venc.tar.gz")));
    QTRY_COMPARE(worker.Message(), kNoFile);
    // Nothing reached the board, and the next request is handled.
    QVERIFY(link.taken().isEmpty());
    QVERIFY(worker.IsRunning());
    worker.Request(writeFile(QStringLiteral("z9050_venc.tar.gz"), Package(3000)));
    QTRY_COMPARE_WITH_TIMEOUT(worker.Message(), kDone, 10000);
    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) {
            return l.value(QStringLiteral("event")) == QLatin1String("end");
        },
        5000));
    QCOMPARE(boardEvents(QStringLiteral("start")).size(), 1);
}

void TestUpgrade::failedPieceIsNoSuccess()
{
    selectDevice(true);
    if (QTest::currentTestFailed())
        return;
    RecordingLink link;
    link.failAt = 3;  // start record, first piece, then the second piece fails
    UpgradeWorker worker(link.make());
    worker.Start();
    worker.Request(writeFile(QStringLiteral("z9050_venc.tar.gz"), Package(5000)));
    QTRY_COMPARE_WITH_TIMEOUT(worker.Message(), kNoBoard, 10000);
    QCOMPARE(link.taken(), (QList<int>{15, 2048, 2048}));
    QVERIFY(!link.endSent);
    // The board saw the start and a part, never an end.
    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) {
            return l.value(QStringLiteral("event")) == QLatin1String("piece");
        },
        5000));
    QVERIFY(boardEvents(QStringLiteral("end")).isEmpty());
    QVERIFY(worker.IsRunning());
}

void TestUpgrade::blockedTransferEnds_data()
{
    // How the transfer is held up, and what ends it: the stall or connect
    // time-out (shortened here), the operator's Cancel, or the worker's end
    // when the page goes away. Only the time-out leaves a message.
    QTest::addColumn<QString>("board");  // "stops reading" or "silent"
    QTest::addColumn<QString>("end");  // "time-out", "cancel" or "destroy"
    QTest::newRow("board stops reading: stall time-out") << "stops reading"
                                                         << "time-out";
    QTest::newRow("board stops reading: Cancel") << "stops reading"
                                                 << "cancel";
    QTest::newRow("board stops reading: worker destroyed") << "stops reading"
                                                           << "destroy";
    QTest::newRow("board never answers: connect time-out") << "silent"
                                                           << "time-out";
    QTest::newRow("board never answers: Cancel") << "silent"
                                                 << "cancel";
    QTest::newRow("board never answers: worker destroyed") << "silent"
                                                           << "destroy";
}

void TestUpgrade::blockedTransferEnds()
{
    QFETCH(QString, board);
    QFETCH(QString, end);
    selectDevice(false);  // the test plays the board
    if (QTest::currentTestFailed())
        return;
    const bool timeOut = end == QLatin1String("time-out");
    // A time-out not under test is far beyond any wait of this test.
    h->SetTcpTimeouts(timeOut ? 300 : 600000, timeOut ? 300 : 600000);
    const QByteArray package = Package(1 << 20);
    const QString path = writeFile(QStringLiteral("z9050_venc.tar.gz"), package);
    constexpr int kTaken = 100 * 1024;

    TakingBoard taking(kTaken);
    auto silent = std::make_unique<SilentBoard>();
    if (board == QLatin1String("silent")) {
        QVERIFY(silent->listen(VideoBoardSim::kBoardIp, UpgradeWorker::kBoardPort));
    } else {
        silent.reset();
        QVERIFY(taking.listen(VideoBoardSim::kBoardIp, UpgradeWorker::kBoardPort));
    }
    RecordingLink link;
    auto worker = std::make_unique<UpgradeWorker>(link.make());
    worker->Start();
    worker->Request(path);
    if (silent)
        QTRY_VERIFY_WITH_TIMEOUT(ConnectPending(UpgradeWorker::kBoardPort), 10000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(taking.lastBytes().size(), kTaken, 10000);

    {
        // Should the end not reach the blocked call, the close frees it.
        Rescue rescue([this] { h->DisconnectTcp(); }, 20000);
        if (end == QLatin1String("cancel"))
            worker->Cancel();
        if (end == QLatin1String("destroy"))
            worker.reset();
        if (worker)
            QTRY_VERIFY_WITH_TIMEOUT(!worker->RequestPending(), 10000);
        QVERIFY(!rescue.rescued());
    }
    QVERIFY(!link.endSent);
    if (worker) {
        QCOMPARE(worker->Message(), timeOut ? kNoBoard : QString());
        QVERIFY(worker->IsRunning());
    }

    // A retry reaches a board that reads: the whole package between its records.
    TakingBoard* retryBoard = &taking;
    retryBoard->setTake(-1);
    if (silent) {
        silent.reset();
        QVERIFY(taking.listen(VideoBoardSim::kBoardIp, UpgradeWorker::kBoardPort));
    }
    if (!worker) {
        worker = std::make_unique<UpgradeWorker>(link.make());
        worker->Start();
    }
    worker->Request(path);
    QTRY_COMPARE_WITH_TIMEOUT(worker->Message(), kDone, 10000);
    const UpgradeWorker::Record start = UpgradeWorker::StartRecord();
    const UpgradeWorker::Record last = UpgradeWorker::EndRecord(uint32_t(package.size()));
    const QByteArray expected = QByteArray(reinterpret_cast<const char*>(start.data()), 15) +
                                package +
                                QByteArray(reinterpret_cast<const char*>(last.data()), 15);
    QTRY_COMPARE(retryBoard->lastBytes().size(), expected.size());
    QVERIFY(retryBoard->lastBytes() == expected);
}

void TestUpgrade::idleWorkerStops()
{
    // Started twice: still one worker. Without a request it ends at once when
    // stopped.
    UpgradeWorker idle;
    idle.Start();
    idle.Start();
    QVERIFY(idle.IsRunning());
    idle.Stop();
    QVERIFY(!idle.IsRunning());
}

QTEST_MAIN(TestUpgrade)
#include "test_upgrade.moc"
