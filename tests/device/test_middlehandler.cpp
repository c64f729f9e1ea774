// The protocol object without a network: the send queues, acknowledgement,
// give-up, the receive scanners and the dispatch rules. No socket is opened,
// so every send fails and frames stay pending until acknowledged. The sender
// thread is stopped: tests run its steps by hand on a clock of their own.
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "ReplyDecoder.h"
#include "TestFrames.h"
#include "TestSupport.h"

#include <QtTest>

#include <cstring>

using namespace TestFrames;

namespace {

const QString kPc = QStringLiteral("192.168.1.10");
const QString kSelected = QStringLiteral("192.168.1.20");
const QString kOther = QStringLiteral("192.168.1.21");
const QString kUnknown = QStringLiteral("192.168.1.99");

QByteArray AllCfgReply()
{
    return Short(0x0602, QByteArray::fromHex("ff0211080001550101"));
}

using Clock = MiddleHandler::Clock;
Clock::time_point g_now = Clock::time_point() + std::chrono::hours(1);

void Advance(int ms)
{
    g_now += std::chrono::milliseconds(ms);
}

void Feed(const QByteArray& datagram, const QString& ip)
{
    MiddleHandler::GetInstance()->ParseNetData(reinterpret_cast<const uint8_t*>(datagram.constData()),
                                               datagram.size(), ip);
}

}  // namespace

class TestMiddleHandler : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();
    void fallbackRecord();
    void emptyTargetIsNotQueued();
    void fortyFirstFrameIsDropped();
    void acknowledgementMatching();
    void batchAcknowledgement();
    void repeatedAcknowledgement();
    void lateAcknowledgementAfterResend();
    void searchResendsWithoutCounting();
    void giveUpRestampsSendTime();
    void pacing();
    void giveUpEmptiesQueues();
    void scanner_data();
    void scanner();
    void batchFrames();
    void dispatchRules();
    void refusedReplyKeepsHeartbeat();
    void heartbeatDatedByArrival();
    void keyboardPackets_data();
    void keyboardPackets();
    void randomRepliesAreSafe();

private:
    MiddleHandler* h = nullptr;
};

void TestMiddleHandler::init()
{
    h = MiddleHandler::GetInstance();
    h->StopSendThread();
    h->ResetForTest();
    h->SetAckTimeout(2000);
    h->SetSendPacing(0);
    h->SetClockForTest([] { return g_now; });
    MachineRecord a;
    a.ip = kSelected;
    a.mac = {1, 2, 3, 4, 5, 6};
    MachineRecord b;
    b.ip = kOther;
    b.mac = {1, 2, 3, 4, 5, 7};
    h->Devices().UpdateMachineRecord(a, kPc);
    h->Devices().UpdateMachineRecord(b, kPc);
    h->SelectMachine(kSelected);
}

void TestMiddleHandler::cleanupTestCase()
{
    MiddleHandler::GetInstance()->ShutdownForTest();
}

void TestMiddleHandler::fallbackRecord()
{
    h->ResetForTest();
    MData* d = h->GetCurrentMData();
    QCOMPARE(d, &h->FallbackRecord());
    QCOMPARE(d->M_AllCfg.workMode, 0);
    QCOMPARE(d->M_AllCfg.brightLevel, 17);
    QCOMPARE(d->M_AllCfg.gammaMode, 8);
    QCOMPARE(h->GetCurrentIp(), QString());
}

void TestMiddleHandler::emptyTargetIsNotQueued()
{
    QTest::ignoreMessage(QtDebugMsg, "No device selected: frame 0x0600 not queued");
    h->EnqueueShortFrame(0x0600, nullptr, QString(), 0x28, 0x38);
    QCOMPARE(h->PendingShortFrames(), 0);
}

void TestMiddleHandler::fortyFirstFrameIsDropped()
{
    Payload p;
    for (int i = 0; i < 41; ++i) {
        p.set8(0, uint8_t(i));
        h->EnqueueShortFrame(0x0601, p.data(), kSelected, 0x28, 0x38);
    }
    QCOMPARE(h->PendingShortFrames(), 40);
    // Slot 0 still holds frame 0: once sent, acknowledging it frees exactly one slot.
    h->SendProcess();
    p.set8(0, 0);
    Feed(Ack(BuildShortFrame(0x0601, p.data())), kSelected);
    QCOMPARE(h->PendingShortFrames(), 39);
}

void TestMiddleHandler::acknowledgementMatching()
{
    const ShortFrame f = BuildShortFrame(0x0600, nullptr);
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);

    Feed(Ack(f), kSelected);  // not sent yet: nothing to acknowledge
    QCOMPARE(h->PendingShortFrames(), 1);

    h->SendProcess();
    Feed(Ack(f), kOther);  // another device's acknowledgement frees nothing
    QCOMPARE(h->PendingShortFrames(), 1);

    ShortFrame otherCode = f;
    otherCode[4] = 0x01;  // same checksum byte, other code
    Payload p;
    p.set8(0, f[38]);
    p.set8(1, 0x01);
    p.set8(2, 0x06);
    Feed(Bytes(BuildShortFrame(Frame::kAckCode, p.data())), kSelected);
    QCOMPARE(h->PendingShortFrames(), 1);

    Feed(Ack(f), kSelected);
    QCOMPARE(h->PendingShortFrames(), 0);
}

void TestMiddleHandler::batchAcknowledgement()
{
    std::array<uint8_t, Frame::kLongAreaSize> area;
    area.fill(0x55);
    h->EnqueueLongFrame(Frame::kBatchCode, area.data(), 0, kSelected);
    h->SendProcess();  // the batch goes out
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    const LongFrame l = BuildLongFrame(Frame::kBatchCode, area.data(), 0);
    Payload p;
    p.set8(0, l[1358]);
    p.set16(1, Frame::kBatchCode);
    // The short slot does not match; the batch slot does.
    Feed(Bytes(BuildShortFrame(Frame::kAckCode, p.data())), kSelected);
    QCOMPARE(h->PendingLongFrames(), 0);
    QCOMPARE(h->PendingShortFrames(), 1);
}

// Two identical frames queued (two freeze toggles) against a device that
// acknowledges every frame twice: the second acknowledgement of the first
// frame must not free the second frame, which has not gone out yet.
void TestMiddleHandler::repeatedAcknowledgement()
{
    const ShortFrame f = BuildShortFrame(0x0601, nullptr);
    h->EnqueueShortFrame(0x0601, nullptr, kSelected, 0x28, 0x38);
    h->EnqueueShortFrame(0x0601, nullptr, kSelected, 0x28, 0x38);
    const quint64 sent = h->SentFrameCount();

    h->SendProcess();
    Feed(Ack(f), kSelected);
    Feed(Ack(f), kSelected);
    QCOMPARE(h->PendingShortFrames(), 1);

    h->SendProcess();  // the second toggle goes out too
    QCOMPARE(h->SentFrameCount() - sent, quint64(2));
    Feed(Ack(f), kSelected);
    Feed(Ack(f), kSelected);
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->SentFrameCount() - sent, quint64(2));
}

// An acknowledgement that comes after the resend: the first one frees the
// frame, the late second one (of the resend) frees nothing that is queued
// behind it.
void TestMiddleHandler::lateAcknowledgementAfterResend()
{
    TestSupport::LogCapture log;
    const ShortFrame f = BuildShortFrame(0x0601, nullptr);
    h->EnqueueShortFrame(0x0601, nullptr, kSelected, 0x28, 0x38);
    h->SendProcess();
    Advance(2001);
    h->SendProcess();  // time-out: ready to resend
    QCOMPARE(h->ResendCount(), 1);
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 1);
    h->SendProcess();  // the resend
    h->EnqueueShortFrame(0x0601, nullptr, kSelected, 0x28, 0x38);

    Feed(Ack(f), kSelected);
    QCOMPARE(h->PendingShortFrames(), 1);
    QCOMPARE(h->ResendCount(), 0);
    Feed(Ack(f), kSelected);  // late: the queued frame has not gone out
    QCOMPARE(h->PendingShortFrames(), 1);
}

// A search broadcast sends a frame that awaits its acknowledgement again at
// the next step, without counting a resend: the frame then still gets its
// three resends before the give-up.
void TestMiddleHandler::searchResendsWithoutCounting()
{
    TestSupport::LogCapture log;
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    const quint64 sent = h->SentFrameCount();
    h->SendProcess();
    Advance(500);
    h->SendProcess();  // still waiting
    QCOMPARE(h->SentFrameCount() - sent, quint64(1));

    Payload search;
    search.set8(0, 0xFF);
    h->SendBroadcastCommand(kSearchCode, search.data(), QString());
    h->SendProcess();
    QCOMPARE(h->SentFrameCount() - sent, quint64(2));
    QCOMPARE(h->ResendCount(), 0);

    for (int step = 0; step < 8 && !h->IsTimedOut(); ++step) {
        Advance(2001);
        h->SendProcess();
        h->SendProcess();
    }
    QVERIFY(h->IsTimedOut());
    QCOMPARE(h->SentFrameCount() - sent, quint64(5));
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 3);
    QCOMPARE(log.count(QStringLiteral("The Network is TimeOut"), true), 1);
}

// The give-up restamps the send time: the 2-second test then runs on from
// the give-up and logs one more "Resend the command" with empty queues.
void TestMiddleHandler::giveUpRestampsSendTime()
{
    TestSupport::LogCapture log;
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    h->SendProcess();
    for (int i = 0; i < 3; ++i) {
        Advance(2001);
        h->SendProcess();
        h->SendProcess();
    }
    Advance(2001);
    h->SendProcess();
    QVERIFY(h->IsTimedOut());
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 3);

    Advance(2000);  // not more than the wait since the give-up
    h->SendProcess();
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 3);
    Advance(1);
    const quint64 sent = h->SentFrameCount();
    h->SendProcess();
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 4);
    h->SendProcess();
    Advance(5000);
    QCOMPARE(h->SendProcess(), Clock::time_point::max());  // idle: nothing more to wake for
    QCOMPARE(h->SentFrameCount(), sent);
    QCOMPARE(log.count(QStringLiteral("Resend the command "), true), 4);
    QCOMPARE(h->PendingShortFrames(), 0);
}

// At most one frame per pacing step: an acknowledged frame's successor
// waits for the rest of the step, a lone frame after a quiet spell does not.
void TestMiddleHandler::pacing()
{
    h->SetSendPacing(10);
    const ShortFrame f = BuildShortFrame(0x0600, nullptr);
    const quint64 sent = h->SentFrameCount();
    Advance(100);
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    h->SendProcess();
    QCOMPARE(h->SentFrameCount() - sent, quint64(1));

    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    Advance(1);
    Feed(Ack(f), kSelected);
    QCOMPARE(h->SendProcess(), g_now + std::chrono::milliseconds(9));
    QCOMPARE(h->SentFrameCount() - sent, quint64(1));
    Advance(9);
    h->SendProcess();
    QCOMPARE(h->SentFrameCount() - sent, quint64(2));
}

void TestMiddleHandler::giveUpEmptiesQueues()
{
    h->SetClockForTest({});
    h->SetSendPacing(10);
    h->SetAckTimeout(40);
    h->StartSendThread();
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    std::array<uint8_t, Frame::kLongAreaSize> area;
    area.fill(0x55);
    h->EnqueueLongFrame(Frame::kBatchCode, area.data(), 0, kSelected);
    QTest::ignoreMessage(QtDebugMsg, "Resend the command ");
    QTest::ignoreMessage(QtDebugMsg, "Resend the command ");
    QTest::ignoreMessage(QtDebugMsg, "Resend the command ");
    QTest::ignoreMessage(QtDebugMsg, "The Network is TimeOut");
    QTRY_VERIFY_WITH_TIMEOUT(h->IsTimedOut(), 3000);
    h->StopSendThread();
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->PendingLongFrames(), 0);

    // The next frame clears the mark and is queued.
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, 0x28, 0x38);
    QVERIFY(!h->IsTimedOut());
    QCOMPARE(h->PendingShortFrames(), 1);
}

void TestMiddleHandler::scanner_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("heartbeats");
    const QByteArray good = AllCfgReply();
    QByteArray bad = good;
    bad[38] = char(bad[38] + 1);
    QTest::newRow("two frames back to back") << good + good << 2;
    QTest::newRow("junk before a frame") << QByteArray("\x01\x02\x03", 3) + good << 1;
    QTest::newRow("bad checksum skipped whole") << bad + good << 1;
    QTest::newRow("38 bytes") << good.left(38) << 0;
    QTest::newRow("frame then a cut frame") << good + good.left(20) << 1;
    QTest::newRow("last byte 0xED") << good + QByteArray("\xED", 1) << 1;
    QTest::newRow("batch sync cut short") << Batch({good}).left(600) << 0;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestMiddleHandler::scanner()
{
    QFETCH(QByteArray, datagram);
    QFETCH(int, heartbeats);
    QSignalSpy hps(h, &MiddleHandler::SigHpsEvent);
    Feed(datagram, kOther);
    QCOMPARE(hps.count(), heartbeats);
    for (const QList<QVariant>& args : hps)
        QCOMPARE(args.at(0).toString(), kOther);
}

void TestMiddleHandler::batchFrames()
{
    QSignalSpy hps(h, &MiddleHandler::SigHpsEvent);
    QTest::ignoreMessage(QtDebugMsg, "GetLongCommandParam B_Frac_Num:2");
    Feed(Batch({AllCfgReply(), AllCfgReply()}), kOther);
    QCOMPARE(hps.count(), 2);

    QTest::ignoreMessage(QtDebugMsg, "GetLongCommandParam B_Frac_Num:0");
    Feed(Batch({}), kOther);
    QCOMPARE(hps.count(), 2);

    // A count past the area's 34 frames reads no further than the area.
    QByteArray huge = Batch({AllCfgReply()});
    huge[10] = char(200);
    MakeChecksum(reinterpret_cast<uint8_t*>(huge.data()), huge.size());
    QTest::ignoreMessage(QtDebugMsg, "GetLongCommandParam B_Frac_Num:200");
    Feed(huge, kOther);
    QCOMPARE(hps.count(), 3);
}

// A repeated status frame waits for the GUI thread's next turn, so it may be
// handled well after it came: the heartbeat it raises is dated by its
// arrival, or the device cell would count the silence from too late.
void TestMiddleHandler::heartbeatDatedByArrival()
{
    const QByteArray status = Short(0x0500, QByteArray("\x55\x55\x55\x55\x55\x55\x01\x00", 8));
    const int64_t arrived = DeviceList::NowMs() - 4000;
    QList<int64_t> dated;
    QObject beats;  // ends the connection with the test
    connect(h, &MiddleHandler::SigHpsEvent, &beats, [&] { dated << h->ReceivedAtMs(); });
    h->On_ReadBatch(DatagramBatch{Datagram{status, kOther, arrived},
                                  Datagram{status, kSelected, arrived + 2000}});
    QCOMPARE(dated, (QList<int64_t>{arrived, arrived + 2000}));
    // Outside the handling of a datagram, and for what came another way: now.
    const int64_t before = DeviceList::NowMs();
    QVERIFY(h->ReceivedAtMs() >= before);
    Feed(status, kOther);
    QCOMPARE(dated.size(), 3);
    QVERIFY(dated.last() >= before);
}

void TestMiddleHandler::dispatchRules()
{
    QSignalSpy all(h, &MiddleHandler::SigUIRefreshAllCfg);
    QSignalSpy hps(h, &MiddleHandler::SigHpsEvent);

    Feed(AllCfgReply(), kSelected);
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.workMode, 2);
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.freeze, uint8_t(1));
    QCOMPARE(all.count(), 1);
    QCOMPARE(hps.count(), 1);

    bool selected = true;
    Feed(AllCfgReply(), kOther);  // known, not selected: written silently
    QCOMPARE(h->FindMDataByIp(kOther, &selected)->M_AllCfg.brightLevel, 17);
    QVERIFY(!selected);
    QCOMPARE(all.count(), 1);
    QCOMPARE(hps.count(), 2);

    Feed(AllCfgReply(), kUnknown);  // unknown: nothing written, heartbeat only
    QCOMPARE(all.count(), 1);
    QCOMPARE(hps.count(), 3);

    QSignalSpy video(h, &MiddleHandler::SigIpBoardVideoFormat);
    Feed(Short(0x0671, QByteArray("\x02", 1)), kSelected);
    QCOMPARE(video.count(), 1);
    QCOMPARE(video.at(0).at(0).toInt(), 2);
    QCOMPARE(hps.count(), 3);  // no heartbeat for the video format

    QSignalSpy sync(h, &MiddleHandler::SigUIRefreshSyncLock);
    Feed(Short(0x0500, QByteArray::fromHex("000000000000" "0201")), kUnknown);
    QCOMPARE(sync.count(), 0);
    QCOMPARE(hps.count(), 4);  // status frames beat for any sender
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^CommandType:12c IPAddr:192.168.1.20$"));
    Feed(Short(0x012C, QByteArray::fromHex("000000000000" "0201")), kSelected);
    QCOMPARE(sync.count(), 1);
    QCOMPARE(sync.at(0).at(0).toInt(), 2);

    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    Feed(Short(0x0600, QByteArray::fromHex("0000ab")), kSelected);
    QCOMPARE(end.count(), 0);
    Feed(Short(0x0600, QByteArray::fromHex("0000aa")), kSelected);
    QCOMPARE(end.count(), 1);
}

void TestMiddleHandler::refusedReplyKeepsHeartbeat()
{
    QSignalSpy window(h, &MiddleHandler::SigUIRefreshOutputWindow);
    QSignalSpy hps(h, &MiddleHandler::SigHpsEvent);
    const MData before = *h->GetCurrentMData();
    Feed(Short(0x0633, QByteArray("\x06\x01", 2)), kSelected);  // window 6 does not exist
    QCOMPARE(window.count(), 0);
    QCOMPARE(hps.count(), 1);
    QCOMPARE(h->GetCurrentMData()->M_OutputData.M_OPDisplayCfg[5].onOff,
             before.M_OutputData.M_OPDisplayCfg[5].onOff);
}

void TestMiddleHandler::keyboardPackets_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<int>("reports");
    auto frame = [](uint16_t code, int n) {
        QByteArray f(8 + n, '\0');
        f[0] = char(0xED);
        f[1] = char(0xCB);
        f[4] = char(code & 0xFF);
        f[5] = char(code >> 8);
        f[6] = char(n);
        for (int i = 0; i < n; ++i)
            f[7 + i] = char(i + 1);
        unsigned sum = 0;
        for (int i = 3; i <= n + 6; ++i)
            sum += uint8_t(f[i]);
        f[7 + n] = char(sum);
        return f;
    };
    QTest::newRow("key report in a 64-byte packet") << frame(0x00AC, 10).leftJustified(64, '\0') << 1;
    QTest::newRow("other code ignored") << frame(0x00AB, 10).leftJustified(64, '\0') << 0;
    QTest::newRow("cut by the packet end") << frame(0x00AC, 10).left(17) << 0;
    QTest::newRow("length byte past the end") << frame(0x00AC, 10).left(6) << 0;
    QByteArray bad = frame(0x00AC, 10);
    bad[17] = char(bad[17] + 1);
    QTest::newRow("bad checksum") << bad + frame(0x00AC, 10) << 1;
    QTest::newRow("empty frame") << frame(0x00AC, 0) << 1;
}

void TestMiddleHandler::keyboardPackets()
{
    QFETCH(QByteArray, packet);
    QFETCH(int, reports);
    QSignalSpy spy(h, &MiddleHandler::SigUsbNormalToPc);
    h->ParseUsbData(reinterpret_cast<const uint8_t*>(packet.constData()), packet.size());
    QCOMPARE(spy.count(), reports);
    if (reports == 1 && packet.size() == 64)
        QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray::fromHex("0102030405060708090a"));
}

// Whatever a device sends, with a valid checksum and any payload: a reply
// that the decoder refuses writes nothing, and no reply writes outside the
// record (guard bytes on both sides stay as they were; sanitizer builds check
// every access on top). Both the refused and the accepted path are reached.
void TestMiddleHandler::randomRepliesAreSafe()
{
    const uint16_t codes[] = {0x0000, 0x012C, 0x0500, 0x05F1, 0x0600, 0x0602, 0x0604,
                              0x0606, 0x0608, 0x0612, 0x0613, 0x0615, 0x0617, 0x0619,
                              0x0631, 0x0633, 0x0635, 0x0661, 0x0671, 0x0701, 0x0710};
    struct Guarded {
        uint8_t before[64];
        MData record;
        uint8_t after[64];
    };
    auto guarded = std::make_unique<Guarded>();
    std::memset(guarded->before, 0xA5, sizeof guarded->before);
    std::memset(guarded->after, 0x5A, sizeof guarded->after);
    MData fallback;
    InitFallbackRecord(fallback);
    auto guardsIntact = [&] {
        return std::all_of(std::begin(guarded->before), std::end(guarded->before), [](uint8_t b) { return b == 0xA5; }) &&
               std::all_of(std::begin(guarded->after), std::end(guarded->after), [](uint8_t b) { return b == 0x5A; });
    };

    QRandomGenerator random(20261210);
    auto randomPayload = [&](int i) {
        Payload p;
        for (int b = 0; b < Frame::kPayloadSize; ++b)
            p.set8(b, uint8_t(random.bounded(256)));
        if (i % 2)  // small values reach the interesting branches more often
            for (int b = 0; b < 4; ++b)
                p.set8(b, uint8_t(random.bounded(8)));
        return p;
    };

    TestSupport::LogCapture log;
    int refused = 0;
    int accepted = 0;
    for (uint16_t code : codes) {
        for (int i = 0; i < 300; ++i) {
            const Payload p = randomPayload(i);
            const QJsonObject before = MDataToJson(guarded->record);
            log.clear();
            DecodeReply(code, p.data(), guarded->record, fallback);
            if (log.count(QStringLiteral(" ignored: ")) > 0) {
                ++refused;
                const QStringList changed = CompareMDataJson(before, MDataToJson(guarded->record));
                if (!changed.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("refused reply 0x%1 wrote %2")
                                         .arg(code, 4, 16, QLatin1Char('0'))
                                         .arg(changed.join(QLatin1Char(' ')))));
            } else {
                ++accepted;
            }
            QVERIFY2(guardsIntact(), qPrintable(QStringLiteral("reply 0x%1 wrote past the record").arg(code, 4, 16)));
        }
    }
    QVERIFY(refused > 0);
    QVERIFY(accepted > 0);

    // The same through the receive path, discovery and acknowledgements too,
    // from the selected device and from strangers: nothing breaks the list.
    const uint16_t dispatched[] = {0x0604, 0x0612, 0x0631, 0x0400, 0x8080, 0x8081, 0x8100};
    for (uint16_t code : dispatched)
        for (int i = 0; i < 300; ++i)
            Feed(Bytes(BuildShortFrame(code, randomPayload(i).data())), i % 3 ? kSelected : kUnknown);
    QVERIFY(h->GetMachineCount() >= 2);
    QVERIFY(h->GetCurrentMData() != nullptr);
}

QTEST_GUILESS_MAIN(TestMiddleHandler)
#include "test_middlehandler.moc"
