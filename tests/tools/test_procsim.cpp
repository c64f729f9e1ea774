// The simulated processor seen from the PC's side: raw sockets on the PC's
// test address send frames built by the PC's own frame code and read what
// procsim answers.
#include "BatchEncoder.h"
#include "CommandEncoder.h"
#include "Frames.h"
#include "MDataJson.h"
#include "ProcSim.h"
#include "ReplyDecoder.h"
#include "TestFrames.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QSet>
#include <QUdpSocket>
#include <QtTest>
#include <functional>

using namespace TestFrames;

namespace {

constexpr quint16 kDevicePort = 61214;
constexpr quint16 kSearchPort = 61215;
const QString kDev1 = TestNet::kDeviceIp1;  // 192.168.1.20, video board .40
const QString kDev2 = TestNet::kDeviceIp2;  // 192.168.1.21, no video board
const QString kMac1 = QStringLiteral("02:00:00:00:00:20");
const QString kMac2 = QStringLiteral("02:00:00:00:00:21");

struct Rx {
    uint16_t code = 0;
    QByteArray payload;  // 32 bytes
    QByteArray frame;    // the whole short frame
    QString from;
    bool batched = false;
};

uint8_t Sum(const QByteArray& b, int n)
{
    uint8_t s = 0;
    for (int i = 0; i < n; ++i)
        s = uint8_t(s + uint8_t(b[i]));
    return s;
}

QByteArray IpBytes(const QString& ip)
{
    const quint32 a = QHostAddress(ip).toIPv4Address();
    const char b[4] = {char(a >> 24), char(a >> 16), char(a >> 8), char(a)};
    return QByteArray(b, 4);
}

int U16(const QByteArray& p, int at)
{
    return uint8_t(p[at]) | (uint8_t(p[at + 1]) << 8);
}

// A datagram of procsim holds one short frame or one batch frame; frames
// with a wrong checksum are kept (ok is checked by the tests that care).
QList<Rx> Decode(const QNetworkDatagram& d)
{
    const QByteArray data = d.data();
    const QString from = QHostAddress(d.senderAddress().toIPv4Address()).toString();
    auto one = [&from](const QByteArray& f, bool batched) {
        Rx r;
        r.code = uint16_t(U16(f, 4));
        r.payload = f.mid(Frame::kPayloadOffset, Frame::kPayloadSize);
        r.frame = f;
        r.from = from;
        r.batched = batched;
        return r;
    };
    QList<Rx> out;
    if (data.size() == Frame::kShortSize && uint8_t(data[0]) == 0xED)
        out.append(one(data, false));
    if (data.size() == Frame::kLongSize && uint8_t(data[0]) == 0xD1) {
        for (int i = 0; i < uint8_t(data[10]); ++i)
            out.append(one(
                data.mid(Frame::kLongAreaOffset + i * Frame::kShortSize, Frame::kShortSize), true));
    }
    return out;
}

}  // namespace

class TestProcSim : public QObject {
    Q_OBJECT

private:
    ProcSim sim;
    QUdpSocket pcUnicast;
    QUdpSocket pcSearch;
    QList<QNetworkDatagram> datagrams;  // raw, for the batch layout checks

    // Two devices unless told otherwise: .20 with a video board at .40, .21 without.
    bool startSim(const QStringList& extra, const QStringList& devices = {})
    {
        QStringList args;
        for (const QString& d : devices.isEmpty() ? QStringList{kDev1 + QLatin1Char(',') + kMac1 +
                                                                    QStringLiteral(",192.168.1.40"),
                                                                kDev2 + QLatin1Char(',') + kMac2}
                                                  : devices)
            args << QStringLiteral("--device") << d;
        if (!sim.start(args + extra)) {
            qWarning("procsim did not start: %s", qPrintable(sim.errors()));
            return false;
        }
        return pcUnicast.bind(QHostAddress(TestNet::kPcIp), kDevicePort) &&
               pcSearch.bind(QHostAddress(TestNet::kPcIp), kSearchPort);
    }

    void sendTo(QUdpSocket& s, const QString& ip, const QByteArray& frame)
    {
        s.writeDatagram(frame, QHostAddress(ip), kDevicePort);
    }

    // Frames arriving on s until done() holds or timeoutMs has passed.
    QList<Rx> collect(QUdpSocket& s, const std::function<bool(const QList<Rx>&)>& done,
                      int timeoutMs = 5000)
    {
        QList<Rx> got;
        QDeadlineTimer deadline(timeoutMs);
        while (!done(got) && !deadline.hasExpired()) {
            if (!s.hasPendingDatagrams() &&
                !s.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                continue;
            while (s.hasPendingDatagrams()) {
                const QNetworkDatagram d = s.receiveDatagram();
                datagrams.append(d);
                got.append(Decode(d));
            }
        }
        return got;
    }

    QList<Rx> collectCount(QUdpSocket& s, int n, int timeoutMs = 5000)
    {
        return collect(
            s, [n](const QList<Rx>& g) { return g.size() >= n; }, timeoutMs);
    }

    // The answer to one frame: waits as long as collectCount for the n frames
    // expected, however slow a loaded machine makes the device, then listens
    // quietMs more for any that should not come.
    QList<Rx> collectExactly(QUdpSocket& s, int n, int quietMs = 300)
    {
        QList<Rx> got = collectCount(s, n);
        got += collect(
            s, [](const QList<Rx>&) { return false; }, quietMs);
        return got;
    }

    // Asks for the whole configuration; the frames up to its end marker.
    QList<Rx> readBackFrames(const QString& ip)
    {
        sendTo(pcUnicast, ip, Short(0x0600, {}));
        return collect(pcUnicast,
                       [](const QList<Rx>& g) { return !g.isEmpty() && g.last().code == 0x0600; });
    }

    // Sends one frame and waits for its acknowledgement, as the PC's sender does.
    bool sendAcked(const QString& ip, const QByteArray& frame)
    {
        sendTo(pcUnicast, ip, frame);
        const QList<Rx> got = collect(pcUnicast, [](const QList<Rx>& g) {
            return std::any_of(g.begin(), g.end(), [](const Rx& r) { return r.code == 0x0400; });
        });
        return std::any_of(got.begin(), got.end(), [&frame](const Rx& r) {
            return r.code == 0x0400 && uint8_t(r.payload[0]) == uint8_t(frame[frame.size() - 1]);
        });
    }

    static MData Decoded(const QList<Rx>& frames)
    {
        MData record;
        const MData fallback;
        for (const Rx& r : frames)
            if (r.code != 0x0400)
                DecodeReply(r.code, reinterpret_cast<const uint8_t*>(r.payload.constData()), record,
                            fallback);
        return record;
    }

    static QList<Rx> without(const QList<Rx>& in, uint16_t code)
    {
        QList<Rx> out;
        for (const Rx& r : in)
            if (r.code != code)
                out.append(r);
        return out;
    }

private slots:
    void cleanup()
    {
        sim.stop();
        pcUnicast.close();
        pcSearch.close();
        datagrams.clear();
    }

    void search_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QByteArray>("mac");
        QTest::addColumn<QByteArray>("board");
        QTest::newRow("with video board")
            << kDev1 << QByteArray::fromHex("020000000020") << QByteArray::fromHex("c0a80128");
        QTest::newRow("without video board")
            << kDev2 << QByteArray::fromHex("020000000021") << QByteArray::fromHex("ffffffff");
    }

    void search()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(QString, ip);
        QFETCH(QByteArray, mac);
        QFETCH(QByteArray, board);
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcSearch, QStringLiteral("255.255.255.255"),
               Short(0x8080, QByteArray::fromHex("ffc0a8010a")));
        const QList<Rx> replies = collectCount(pcSearch, 2);
        QCOMPARE(replies.size(), 2);
        const auto it = std::find_if(replies.begin(), replies.end(),
                                     [&ip](const Rx& r) { return r.from == ip; });
        QVERIFY(it != replies.end());
        const QByteArray& p = it->payload;
        QCOMPARE(it->code, uint16_t(0x8080));
        QCOMPARE(p.left(3), QByteArray::fromHex("020d04"));
        QCOMPARE(p.mid(3, 6), mac);
        QCOMPARE(p.mid(9, 4), IpBytes(ip));
        QCOMPARE(p.mid(13, 4), QByteArray(4, char(0x55)));
        QCOMPARE(p.mid(17, 4), board);
        QCOMPARE(p.mid(21), QByteArray(11, char(0x55)));
        QCOMPARE(Sum(it->frame, 38), uint8_t(it->frame[38]));
    }

    // An announcement answers a broadcast search; the PC's follow-up search
    // sent to the device itself gets a plain reply, so the two never loop.
    void announce()
    {
        REQUIRE_PRIVATE_NETWORK();
        QVERIFY(startSim({QStringLiteral("--announce")}));
        const QByteArray search = Short(0x8080, QByteArray::fromHex("ffc0a8010a"));
        sendTo(pcSearch, QStringLiteral("255.255.255.255"), search);
        const QList<Rx> announced = collectCount(pcSearch, 2);
        QCOMPARE(announced.size(), 2);
        QCOMPARE(announced[0].code, uint16_t(0x8081));
        QCOMPARE(announced[1].code, uint16_t(0x8081));
        sendTo(pcSearch, kDev1, search);
        const QList<Rx> direct = collectCount(pcSearch, 1);
        QCOMPARE(direct.size(), 1);
        QCOMPARE(direct[0].code, uint16_t(0x8080));
        QCOMPARE(direct[0].from, kDev1);
        QVERIFY(collectCount(pcUnicast, 1, 300).isEmpty());  // not acknowledged
    }

    void acknowledge_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("ackedCode");
        QTest::addColumn<QList<int>>("replyCodes");
        QTest::newRow("version request")
            << Short(0x0710, QByteArray::fromHex("02")) << 0x0710 << QList<int>{0x0710};
        QTest::newRow("host address, no reply")
            << Short(0x0401, QByteArray::fromHex("c0a8010a")) << 0x0401 << QList<int>{};
        QTest::newRow("unknown code") << Short(0x1234, {}) << 0x1234 << QList<int>{};
        const QByteArray crop0 = Short(0x0614, QByteArray::fromHex("001a0100"));
        const QByteArray crop1 = Short(0x0614, QByteArray::fromHex("031a0102"));
        QTest::newRow("batch of two crops")
            << Batch({crop0, crop1}) << 0x0402 << QList<int>{0x0615, 0x0615};
    }

    void acknowledge()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(QByteArray, frame);
        QFETCH(int, ackedCode);
        QFETCH(QList<int>, replyCodes);
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcUnicast, kDev1, frame);
        const QList<Rx> got = collectExactly(pcUnicast, 1 + replyCodes.size());
        QCOMPARE(got.size(), 1 + replyCodes.size());
        const Rx& ack = got[0];
        QCOMPARE(ack.from, kDev1);
        QCOMPARE(ack.code, uint16_t(0x0400));
        QCOMPARE(uint8_t(ack.payload[0]), uint8_t(frame[frame.size() - 1]));
        QCOMPARE(U16(ack.payload, 1), ackedCode);
        QCOMPARE(ack.payload.mid(3), QByteArray(29, char(0x55)));
        QCOMPARE(Sum(ack.frame, 38), uint8_t(ack.frame[38]));
        for (int i = 0; i < replyCodes.size(); ++i)
            QCOMPARE(int(got[i + 1].code), replyCodes[i]);
    }

    // Commands change the state, and the reply carries the new values in
    // the reply's own layout (which differs from the command's in places).
    void commandReply_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("replyCode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::newRow("chroma key: max before min in, min before max out")
            << 0x0651
            << QByteArray::fromHex(
                   "00000103"
                   "01f010e020d030")
            << 0x0661
            << QByteArray::fromHex(
                   "00000103"
                   "0110f020e030d0")
            << "M_MosaicLayerCfg.chromaKey.1.minG" << double(0x20);
        // The crop reply carries the command's own layout back.
        const QByteArray crop = QByteArray::fromHex("021a0101" "01" "0a00" "1400" "8007" "3804"
                                                    "8007" "3804" "00" "0100" "0200" "0300"
                                                    "0400" "0500" "0600");
        QTest::newRow("crop: left and right half of port 1") << 0x0614
                                                             << crop
                                                             << 0x0615
                                                             << crop
                                                             << "M_InputData.crop.2.hact.4" << 3.0;
        QTest::newRow("layer rectangle, sub-command 3 on mosaic layer 1")
            << 0x0650
            << QByteArray::fromHex(
                   "035501"
                   "55"
                   "10000000"
                   "20000000"
                   "80070000"
                   "38040000")
            << 0x0661
            << QByteArray::fromHex(
                   "00000100"
                   "0000000000000000"
                   "55555555"
                   "10000000"
                   "20000000"
                   "80070000"
                   "38040000")
            << "M_MosaicLayerCfg.layer.1.vact" << 1080.0;
        QTest::newRow("take duration of the switch set") << 0x0700
                                                         << QByteArray::fromHex(
                                                                "00112233"
                                                                "0201"
                                                                "0203")
                                                         << 0x0701
                                                         << QByteArray::fromHex(
                                                                "00112233"
                                                                "0203"
                                                                "0000"
                                                                "0203"
                                                                "0400")
                                                         << "M_SwitchLayerCfg.durationTime" << 3.0;
        QTest::newRow("task 5, flag from the command") << 0x0607
                                                       << QByteArray::fromHex(
                                                              "000e0155"
                                                              "05180b1e1700000314000107")
                                                       << 0x0608
                                                       << QByteArray::fromHex(
                                                              "000c0155"
                                                              "05180b1e170000031400"
                                                              "0107")
                                                       << "M_TaskCfg.task.5.period" << 20.0;
        QTest::newRow("output window 4") << 0x0632
                                         << QByteArray::fromHex(
                                                "0401"
                                                "0000"
                                                "0000"
                                                "000f"
                                                "7008"
                                                "00000000"
                                                "38040000"
                                                "000f0000"
                                                "70080000")
                                         << 0x0633
                                         << QByteArray::fromHex(
                                                "0401"
                                                "0000"
                                                "0000"
                                                "000f"
                                                "7008"
                                                "00000000"
                                                "38040000"
                                                "000f0000"
                                                "70080000")
                                         << "M_OutputData.M_OPDisplayCfg.4.mosaicVs" << 1080.0;
        QTest::newRow("table resolution: the device fills in its timing")
            << 0x0630 << QByteArray::fromHex("00ff0112") << 0x0631
            << QByteArray::fromHex(
                   "00ff0112"
                   "000f"
                   "7008"
                   "7017")
            << "M_OutputData.M_OutputResoCfg.hact" << 3840.0;
    }

    void commandReply()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(int, code);
        QFETCH(QByteArray, command);
        QFETCH(int, replyCode);
        QFETCH(QByteArray, reply);
        QFETCH(QString, field);
        QFETCH(double, value);
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcUnicast, kDev1, Short(uint16_t(code), command));
        const QList<Rx> got = collect(pcUnicast, [replyCode](const QList<Rx>& g) {
            return std::any_of(g.begin(), g.end(),
                               [replyCode](const Rx& r) { return r.code == replyCode; });
        });
        const QList<Rx> replies = without(got, 0x0400);
        QVERIFY(!replies.isEmpty());
        QCOMPARE(int(replies[0].code), replyCode);
        QCOMPARE(replies[0].payload.left(reply.size()).toHex(), reply.toHex());

        QJsonValue v = sim.dumpedState(kDev1);
        for (const QString& key : field.split(QLatin1Char('.'))) {
            bool isIndex = false;
            const int index = key.toInt(&isIndex);
            v = isIndex ? v.toArray().at(index) : v.toObject().value(key);
        }
        QCOMPARE(v.toDouble(), value);
    }

    void setIp_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("replyFrom");
        QTest::addColumn<QByteArray>("ipAndBoard");  // P9..P12 and P17..P20 of the reply
        QTest::newRow("new address")
            << QByteArray::fromHex(
                   "020000000020"
                   "c0a80116"
                   "ffffff00"
                   "55"
                   "55555555"
                   "55555555"
                   "55555555"
                   "c0a80101")
            << TestNet::kDeviceIp3 << QByteArray::fromHex("c0a80116c0a80128");
        QTest::newRow("video board only") << QByteArray::fromHex(
                                                 "020000000020"
                                                 "c0a80114"
                                                 "ffffff00"
                                                 "ff"
                                                 "c0a80129"
                                                 "ffffff00"
                                                 "c0a80101"
                                                 "c0a80101")
                                          << kDev1 << QByteArray::fromHex("c0a80114c0a80129");
        QTest::newRow("another MAC") << QByteArray::fromHex(
                                            "020000000099"
                                            "c0a80116"
                                            "ffffff00"
                                            "55")
                                     << QString() << QByteArray();
    }

    void setIp()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(QByteArray, request);
        QFETCH(QString, replyFrom);
        QFETCH(QByteArray, ipAndBoard);
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcSearch, QStringLiteral("255.255.255.255"), Short(0x8100, request));
        const QList<Rx> got = collectExactly(pcSearch, replyFrom.isEmpty() ? 0 : 1);
        if (replyFrom.isEmpty()) {
            QVERIFY(got.isEmpty());
            return;
        }
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].code, uint16_t(0x8100));
        QCOMPARE(got[0].from, replyFrom);
        QCOMPARE(got[0].payload.left(9), QByteArray::fromHex("020d04020000000020"));
        QCOMPARE(got[0].payload.mid(9, 4) + got[0].payload.mid(17, 4), ipAndBoard);

        // The device now answers on its (new) address.
        sendTo(pcUnicast, replyFrom, Short(0x0401, QByteArray::fromHex("c0a8010a")));
        const QList<Rx> acks = collectCount(pcUnicast, 1);
        QCOMPARE(acks.size(), 1);
        QCOMPARE(acks[0].from, replyFrom);
        QCOMPARE(acks[0].code, uint16_t(0x0400));
        const QJsonArray devices = sim.dump().value(QStringLiteral("devices")).toArray();
        QCOMPARE(devices[0].toObject().value(QStringLiteral("ip")).toString(), replyFrom);
    }

    void readBack_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("one frame per datagram") << QStringList();
        QTest::newRow("batch frames") << QStringList{QStringLiteral("--batch-replies")};
    }

    // The PC's own decoder turns the read-back into a record equal to the
    // device's state in every field that a reply carries.
    void readBack()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(QStringList, args);
        QVERIFY(
            startSim(args + QStringList{QStringLiteral("--state"),
                                        ProcSim::stateFile(QStringLiteral("z7050-1.json")),
                                        QStringLiteral("--status-interval"), QStringLiteral("0")}));
        const QList<Rx> got = readBackFrames(kDev1);
        QVERIFY(got.size() > 2);
        QCOMPARE(got.first().code, uint16_t(0x0400));
        QCOMPARE(got.last().code, uint16_t(0x0600));
        QCOMPARE(uint8_t(got.last().payload[2]), uint8_t(0xAA));

        const bool batched = !args.isEmpty();
        for (const QNetworkDatagram& d : datagrams) {
            const QByteArray b = d.data();
            if (!batched || b.size() == Frame::kShortSize)
                continue;
            QCOMPARE(b.size(), Frame::kLongSize);
            const int count = uint8_t(b[10]);
            QVERIFY(count >= 1 && count <= Frame::kLongMaxFrames);
            QCOMPARE(U16(b, 8), 0x0402);
            const int used = Frame::kLongAreaOffset + count * Frame::kShortSize;
            QCOMPARE(b.mid(used, Frame::kLongSize - 1 - used),
                     QByteArray(Frame::kLongSize - 1 - used, char(0x55)));
            QCOMPARE(Sum(b, Frame::kLongSize - 1), uint8_t(b[Frame::kLongSize - 1]));
        }

        QMap<int, int> counts;
        for (const Rx& r : without(got, 0x0400)) {
            QCOMPARE(r.batched, batched);
            QCOMPARE(Sum(r.frame, 38), uint8_t(r.frame[38]));
            ++counts[r.code];
        }
        QCOMPARE(counts.value(0x0661), 48);  // 12 layers x 4 kinds
        QCOMPARE(counts.value(0x0613), 18);
        QCOMPARE(counts.value(0x0615), 18);
        QCOMPARE(counts.value(0x0633), 6);
        const QStringList notCarried{QStringLiteral("M_MosaicLayerCfg.layer[*].bMain"),
                                     QStringLiteral("*.chromaKey[*].mode"),
                                     QStringLiteral("M_InputData.port[*].inputRename"),
                                     QStringLiteral("M_InputData.tile[*].name"),
                                     QStringLiteral("M_PresetName")};
        const QStringList diff =
            CompareMDataJson(sim.dumpedState(kDev1), MDataToJson(Decoded(got)), notCarried);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char(' '))));
    }

    // The whole-configuration send, built by the PC's encoders from one
    // device's read-back and sent to a second device in another state,
    // leaves the second device with the first one's values in everything
    // those frames carry.
    void wholeConfigurationSend()
    {
        REQUIRE_PRIVATE_NETWORK();
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")},
                         {kDev1 + QLatin1Char(',') + kMac1 + QStringLiteral(",,") +
                              ProcSim::stateFile(QStringLiteral("z7050-1.json")),
                          kDev2 + QLatin1Char(',') + kMac2 + QStringLiteral(",,") +
                              ProcSim::stateFile(QStringLiteral("z7050-2.json"))}));
        const MData record = Decoded(readBackFrames(kDev1));
        const QJsonObject before = sim.dumpedState(kDev2);
        QVERIFY(!CompareMDataJson(MDataToJson(record), before).isEmpty());

        const EncodedCommand allCfg = EncodeCommand(&record.M_AllCfg, 3, nullptr, CommandContext());
        QVERIFY(sendAcked(
            kDev2,
            Short(allCfg.code, QByteArray(reinterpret_cast<const char*>(allCfg.payload.data()),
                                          Frame::kPayloadSize))));
        for (int type = 40; type <= 43; ++type) {
            for (const BatchArea& a : EncodeBatch(record, type)) {
                const LongFrame f = BuildLongFrame(Frame::kBatchCode, a.area.data(), a.count);
                QVERIFY(sendAcked(
                    kDev2, QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()))));
            }
        }
        const QStringList notSent{QStringLiteral("M_AllCfg.freeze"),
                                  QStringLiteral("M_AllCfg.autoBackup"),
                                  QStringLiteral("M_OutputData.M_HdmiSettingCfg"),
                                  QStringLiteral("*.durationTime"),
                                  QStringLiteral("*.layer[*].logoWidth"),
                                  QStringLiteral("*.layer[*].logoHeight"),
                                  QStringLiteral("M_MosaicLayerCfg.layer[*].bMain"),
                                  QStringLiteral("*.chromaKey[*].mode"),
                                  QStringLiteral("M_PresetValid"),
                                  QStringLiteral("M_InputData.port"),
                                  QStringLiteral("M_InputData.signal"),
                                  QStringLiteral("M_InputData.tile"),
                                  QStringLiteral("M_InputData.edid"),
                                  QStringLiteral("M_MachineInfo"),
                                  QStringLiteral("M_LogoInfo"),
                                  QStringLiteral("M_TaskCfg.status"),
                                  QStringLiteral("M_TaskCfg.task[*].flag"),
                                  QStringLiteral("M_SwitcherType"),
                                  QStringLiteral("M_PresetName")};
        const QStringList diff =
            CompareMDataJson(MDataToJson(record), sim.dumpedState(kDev2), notSent);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char(' '))));
    }

    void status()
    {
        REQUIRE_PRIVATE_NETWORK();
        QVERIFY(
            startSim({QStringLiteral("--state"), ProcSim::stateFile(QStringLiteral("z7050-2.json")),
                      QStringLiteral("--status-interval"), QStringLiteral("100")}));
        QVERIFY2(collectCount(pcUnicast, 1, 400).isEmpty(), "status before any PC talked");
        sendTo(pcUnicast, kDev1, Short(0x0401, QByteArray::fromHex("c0a8010a")));
        const QList<Rx> got = collect(pcUnicast, [](const QList<Rx>& g) {
            return std::any_of(g.begin(), g.end(), [](const Rx& r) { return r.code == 0x0500; });
        });
        const auto it =
            std::find_if(got.begin(), got.end(), [](const Rx& r) { return r.code == 0x0500; });
        QVERIFY(it != got.end());
        QCOMPARE(uint8_t(it->payload[6]), uint8_t(2));  // sync lock: genlock
        QCOMPARE(uint8_t(it->payload[7]), uint8_t(1));  // HDR on
        const QJsonObject settings = sim.dump()
                                         .value(QStringLiteral("devices"))
                                         .toArray()
                                         .at(0)
                                         .toObject()
                                         .value(QStringLiteral("settings"))
                                         .toObject();
        QCOMPARE(settings.value(QStringLiteral("hostIp")).toString(), TestNet::kPcIp);
    }

    void faults_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<int>>("firstCodes");   // after the first frame
        QTest::addColumn<QList<int>>("secondCodes");  // after a second, equal frame
        QTest::addColumn<bool>("checksumsOk");
        QTest::newRow("no ack") << QStringList{QStringLiteral("--no-ack")} << QList<int>{0x0710}
                                << QList<int>{0x0710} << true;
        QTest::newRow("drop first")
            << QStringList{QStringLiteral("--drop-first"), QStringLiteral("1")} << QList<int>{}
            << QList<int>{0x0400, 0x0710} << true;
        QTest::newRow("bad checksum")
            << QStringList{QStringLiteral("--bad-checksum")} << QList<int>{0x0400, 0x0710}
            << QList<int>{0x0400, 0x0710} << false;
        QTest::newRow("duplicate ack")
            << QStringList{QStringLiteral("--dup-ack")} << QList<int>{0x0400, 0x0400, 0x0710}
            << QList<int>{0x0400, 0x0400, 0x0710} << true;
        QTest::newRow("silent") << QStringList{QStringLiteral("--silent")} << QList<int>{}
                                << QList<int>{} << true;
    }

    void faults()
    {
        REQUIRE_PRIVATE_NETWORK();
        QFETCH(QStringList, args);
        QFETCH(QList<int>, firstCodes);
        QFETCH(QList<int>, secondCodes);
        QFETCH(bool, checksumsOk);
        QVERIFY(
            startSim(args + QStringList{QStringLiteral("--status-interval"), QStringLiteral("0")}));
        const QByteArray request = Short(0x0710, QByteArray::fromHex("03"));
        for (const QList<int>& expected : {firstCodes, secondCodes}) {
            sendTo(pcUnicast, kDev1, request);
            const QList<Rx> got = collectExactly(pcUnicast, expected.size());
            QList<int> codes;
            for (const Rx& r : got) {
                codes.append(r.code);
                QCOMPARE(Sum(r.frame, 38) == uint8_t(r.frame[38]), checksumsOk);
            }
            QCOMPARE(codes, expected);
        }
    }

    void wrongAckCode()
    {
        REQUIRE_PRIVATE_NETWORK();
        QVERIFY(startSim({QStringLiteral("--wrong-ack-code"), QStringLiteral("--junk-before"),
                          QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcUnicast, kDev1, Short(0x0401, QByteArray::fromHex("c0a8010a")));
        QVERIFY(pcUnicast.waitForReadyRead(5000));
        const QByteArray d = pcUnicast.receiveDatagram().data();
        QCOMPARE(d.left(3), QByteArray::fromHex("00ed11"));
        QCOMPARE(U16(d, 3 + 4), 0x0400);
        QCOMPARE(U16(d, 3 + 6 + 1), 0x0402);
    }

    void logsEveryFrame()
    {
        REQUIRE_PRIVATE_NETWORK();
        QVERIFY(startSim({QStringLiteral("--status-interval"), QStringLiteral("0")}));
        sendTo(pcUnicast, kDev2, Short(0x0710, QByteArray::fromHex("01")));
        QVERIFY(sim.waitForLog(
            [](const QJsonObject& l) {
                return l.value(QStringLiteral("dir")) == QLatin1String("tx") &&
                       l.value(QStringLiteral("code")).toInt() == 0x0710;
            },
            5000));
        QList<QJsonObject> lines = sim.logLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].value(QStringLiteral("dir")).toString(), QStringLiteral("rx"));
        QCOMPARE(lines[0].value(QStringLiteral("dev")).toString(), kDev2);
        QCOMPARE(lines[0].value(QStringLiteral("peer")).toString(),
                 QStringLiteral("192.168.1.10:61214"));
        QCOMPARE(lines[0].value(QStringLiteral("payload")).toString(),
                 QStringLiteral("01") + QString(62, QLatin1Char('5')));
        QVERIFY(lines[0].value(QStringLiteral("ok")).toBool());
        QCOMPARE(lines[1].value(QStringLiteral("code")).toInt(), 0x0400);
        QVERIFY(lines[1].contains(QStringLiteral("t")));
    }

    // The PC-side JSON form of a record and the field-by-field comparison.
    void mdataJson()
    {
        MData a;
        a.M_AllCfg.brightLevel = 17;
        a.M_InputData.crop[2].hs[4] = 100;
        a.M_InputData.signal[1].interlaced[1][2] = true;
        a.M_PresetName[4][19] = QStringLiteral("Last");
        a.M_SwitchLayerCfg.chromaKey[5].mode = 3;
        const QJsonObject ja = MDataToJson(a);
        QCOMPARE(ja.value(QStringLiteral("M_AllCfg"))
                     .toObject()
                     .value(QStringLiteral("brightLevel"))
                     .toInt(),
                 17);
        QCOMPARE(ja.value(QStringLiteral("M_SwitchLayerCfg"))
                     .toObject()
                     .value(QStringLiteral("layer"))
                     .toArray()
                     .size(),
                 6);
        QCOMPARE(ja.value(QStringLiteral("M_PresetValid")).toArray().at(4).toArray().size(), 20);
        QCOMPARE(
            ja.value(QStringLiteral("M_PresetName")).toArray().at(4).toArray().at(19).toString(),
            QStringLiteral("Last"));
        QVERIFY(CompareMDataJson(ja, ja, {}).isEmpty());

        MData b = a;
        b.M_InputData.crop[2].hs[4] = 101;
        b.M_InputData.signal[1].interlaced[1][2] = false;
        b.M_PresetName[4][19].clear();
        b.M_SwitchLayerCfg.chromaKey[5].mode = 0;
        b.M_MachineInfo.board[1].buildDate = QStringLiteral("x");
        const QJsonObject jb = MDataToJson(b);
        QCOMPARE(CompareMDataJson(ja, jb, {}),
                 (QStringList{QStringLiteral("M_InputData.crop[2].hs[4]"),
                              QStringLiteral("M_InputData.signal[1].interlaced[1][2]"),
                              QStringLiteral("M_MachineInfo.board[1].buildDate"),
                              QStringLiteral("M_PresetName[4][19]"),
                              QStringLiteral("M_SwitchLayerCfg.chromaKey[5].mode")}));
        QCOMPARE(CompareMDataJson(
                     ja, jb,
                     {QStringLiteral("M_InputData.crop"), QStringLiteral("*.chromaKey[*].mode"),
                      QStringLiteral("M_PresetName"), QStringLiteral("M_MachineInfo.board[*]"),
                      QStringLiteral("M_InputData.signal[1].interlaced[1]")}),
                 QStringList());
        // "M_InputData.cro" names no field: no prefix match inside a key.
        QCOMPARE(CompareMDataJson(ja, jb, {QStringLiteral("M_InputData.cro")}).size(), 5);

        // Booleans equal numbers of the same value; a missing key differs.
        QJsonObject c = ja;
        QJsonObject all = c.value(QStringLiteral("M_AllCfg")).toObject();
        all.insert(QStringLiteral("freeze"), false);
        all.remove(QStringLiteral("autoBackup"));
        c.insert(QStringLiteral("M_AllCfg"), all);
        QCOMPARE(CompareMDataJson(ja, c, {}), QStringList{QStringLiteral("M_AllCfg.autoBackup")});
    }
};

LEDZ_TEST_GUILESS_MAIN(TestProcSim)
#include "test_procsim.moc"
