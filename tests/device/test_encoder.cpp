// Single-command encoding against golden payload bytes.
#include "CommandEncoder.h"
#include "SearchGroups.h"
#include "TestFrames.h"

#include <QtTest>
#include <deque>

using TestFrames::Padded;

namespace {

// What `data` points to in a row; null when the row passes none.
struct DataRef {
    const void* p = nullptr;
};

// Records with a distinct value in every field, so that a swapped or shifted
// field shows in the golden bytes.
struct Fixture {
    AllCfg all;
    AllCfg wideAll;
    InputCropCfg crop;
    InputData inputs;
    InputEdidCfg edid;
    OutputResoCfg reso;
    LayerZoomCfg zoom;
    OutputWindowRecord window;
    HdmiSettingCfg hdmi;
    LayerPictureCfg picture;
    ChromaKeyCfg key;
    LayerRecord layer;
    LogoInfo logo;
    ScheduleTask task;
    int32_t count5 = 5;
    int32_t count40 = 40;
    int32_t countNegative = -1;
    QByteArray groups[kTakeGroupCount];

    Fixture()
    {
        all.workMode = 2;
        all.brightLevel = 17;
        all.gammaMode = 8;
        all.gammaValue = 0;
        all.syncLock = 1;

        wideAll.workMode = 0x104;
        wideAll.brightLevel = 0x1234;
        wideAll.gammaMode = -1;
        wideAll.gammaValue = 50;
        wideAll.syncLock = 0x202;

        for (int k = 0; k < InputCropCfg::kEntries; ++k) {
            crop.hs[k] = static_cast<uint16_t>(0x1000 + k);
            crop.hact[k] = static_cast<uint16_t>(0x2000 + k);
            crop.vs[k] = static_cast<uint16_t>(0x3000 + k);
            crop.vact[k] = static_cast<uint16_t>(0x4000 + k);
            crop.hRange[k] = static_cast<uint16_t>(0x5000 + k);
            crop.vRange[k] = static_cast<uint16_t>(0x6000 + k);
            crop.onOff[k] = k % 2;
        }

        inputs.tile[0].count = 2;
        const int32_t in0[] = {1, 2, 3, 4}, half0[] = {0, 1, 0, 1};
        const int32_t in1[] = {5, 0, 0x101, 2}, half1[] = {1, 1, 0, 0};
        inputs.tile[1].count = 4;
        for (int k = 0; k < 4; ++k) {
            inputs.tile[0].input[k] = in0[k];
            inputs.tile[0].half[k] = half0[k];
            inputs.tile[1].input[k] = in1[k];
            inputs.tile[1].half[k] = half1[k];
        }

        const uint16_t hact[] = {0x0780, 0x0500, 0x0F00}, vact[] = {0x0438, 0x02D0, 0x0870};
        const uint16_t rate[] = {6000, 5000, 3000}, hblank[] = {280, 370, 560};
        const uint16_t vblank[] = {45, 30, 90};
        for (int p = 0; p < 3; ++p) {
            edid.hact[p] = hact[p];
            edid.vact[p] = vact[p];
            edid.rate[p] = rate[p];
            edid.hblank[p] = hblank[p];
            edid.vblank[p] = vblank[p];
        }

        reso.resoId = 27;
        reso.hact = 1920;
        reso.vact = 1080;
        reso.fps = 6000;
        reso.htotal = 2200;
        reso.hsync = 44;
        reso.hbp = 148;
        reso.vtotal = 1125;
        reso.vsync = 5;
        reso.vbp = 36;
        reso.outputMode = 1;

        zoom.hs = 0x0102;
        zoom.hact = 0x0304;
        zoom.vs = 0x0506;
        zoom.vact = 0x0708;
        zoom.hRange = 0x090A;
        zoom.vRange = 0x0B0C;
        zoom.onOff = true;

        window.onOff = 1;
        window.portID = 4;
        window.hs = 0x10;
        window.vs = 0x20;
        window.hact = 1920;
        window.vact = 1080;
        window.mosaicHs = 0x01020304;
        window.mosaicVs = -1;
        window.mosaicHact = 1920;
        window.mosaicVact = 1080;

        hdmi.colorSpace = 1;
        hdmi.rgbRange = 0x100;
        hdmi.colorDepth = 1;
        hdmi.hdr = 1;
        hdmi.dviHdmi = 0;
        hdmi.outputPort = 1;

        picture.brightness = 10;
        picture.contrast = 20;
        picture.saturation = 30;
        picture.colorTempMode = 8;
        picture.colorTempR = 0xC8;
        picture.colorTempG = 0xC9;
        picture.colorTempB = 0xCA;

        key.minR = 1;
        key.maxR = 2;
        key.minG = 3;
        key.maxG = 4;
        key.minB = 5;
        key.maxB = 6;
        key.onOff = 1;
        key.mode = 9;

        layer.onOff = 1;
        layer.hs = 0x11223344;
        layer.vs = 0x100;
        layer.hact = 1920;
        layer.vact = 0x10000;
        layer.inputId = 3;
        layer.halfId = 1;
        layer.rotation = 0x105;
        layer.alpha = 0x28;
        layer.tileEnable = 1;
        layer.tileId = 0;
        layer.logoOnOff = 0;

        logo.op = 1;
        logo.workMode = 0x104;

        task.index = 7;
        task.year = 24;
        task.month = 3;
        task.day = 5;
        task.hour = 14;
        task.minute = 7;
        task.second = 9;
        task.option = 3;
        task.period = 0x0102;
        task.flag = 0x77;
        task.presetId = 0x13;

        groups[0] = QByteArray::fromHex("0A0B0C");
        groups[1] = QByteArray::fromHex("0102");
        for (int i = 1; i <= 40; ++i)
            groups[3].append(static_cast<char>(i));
    }
};

const Fixture& F()
{
    static const Fixture fixture;
    return fixture;
}

DataRef Ref(const void* p)
{
    return DataRef{p};
}

// A small byte buffer that lives for the whole run.
DataRef Bytes(const char* hex)
{
    static std::deque<QByteArray> keep;
    keep.push_back(QByteArray::fromHex(hex));
    return DataRef{keep.back().constData()};
}

QByteArray Sequence(int first, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(first + i));
    return bytes;
}

const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 7, 9));

}  // namespace

Q_DECLARE_METATYPE(DataRef)
Q_DECLARE_METATYPE(CommandRoute)

class TestEncoder : public QObject {
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void currentContextReadsProcessRecords();
};

namespace {

const QString kHost = QStringLiteral("192.168.1.10");
const char* const kRefused = "^Command type \\d+ not sent";

QByteArray A(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// One row; addr empty means no address. log: a line that must be logged, as a pattern.
void Add(const char* name, int type, DataRef data, const QByteArray& addr, CommandRoute route,
         int code, const QByteArray& payload, const char* log = nullptr,
         const QString& host = kHost, int group = 0)
{
    QTest::newRow(name) << type << data << addr << host << group << route << code << payload
                        << QString::fromLatin1(log);
}

// A row of the types that read only the context.
void AddCtx(const char* name, int type, const QString& host, int group, CommandRoute route,
            int code, const QByteArray& payload, const char* log = nullptr)
{
    Add(name, type, DataRef(), QByteArray(), route, code, payload, log, host, group);
}

}  // namespace

void TestEncoder::encode_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<DataRef>("data");
    QTest::addColumn<QByteArray>("addr");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("group");
    QTest::addColumn<CommandRoute>("route");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("log");

    const Fixture& f = F();
    const QByteArray no;
    const DataRef nul;
    const auto Q = CommandRoute::Queue;
    const auto B = CommandRoute::Broadcast;
    const auto N = CommandRoute::None;
    const QByteArray x55 = Padded("");
    const QByteArray xFF = Padded("", char(0xFF));

    Add("0 inquire all", 0, nul, no, Q, 0x0600, x55);
    Add("1 inquire presets", 1, nul, no, Q, 0x0604, x55);
    Add("2 inquire version", 2, Bytes("03"), no, Q, 0x0710, Padded("03"));
    Add("2 without data", 2, nul, no, N, 0, x55, kRefused);
    Add("3 all settings", 3, Ref(&f.all), no, Q, 0x0601, Padded("FF 02 11 08 00 01 00 00"));
    Add("3 low bytes of wide fields", 3, Ref(&f.wideAll), no, Q, 0x0601,
        Padded("FF 04 34 FF 32 02 00 00"));
    Add("3 without data", 3, nul, no, N, 0, x55, kRefused);
    Add("4 preset load", 4, Bytes("07"), no, Q, 0x0603, Padded("01 01 07"));
    Add("5 preset save", 5, Bytes("07"), no, Q, 0x0603, Padded("01 00 07"));
    Add("6 clear all with data", 6, Bytes("05"), no, Q, 0x0603, Padded("01 03 05"));
    Add("6 clear all without data", 6, nul, no, Q, 0x0603, Padded("01 03"));
    Add("7 preset clear", 7, Bytes("07"), no, Q, 0x0603, Padded("01 02 07"));
    Add("8 preset source", 8, Bytes("01"), no, Q, 0x0603, Padded("01 04 01"));
    Add("9 test pattern", 9, Bytes("03"), no, Q, 0x0601, Padded("05 03"));
    Add("10 date and time", 10, nul, no, Q, 0x001F, Padded("E8 07 03 05 0E 07 09"));
    Add("11 input port", 11, Bytes("02 01"), no, Q, 0x0611, Padded("02 01"));
    Add("12 crop port 1", 12, Ref(&f.crop), A("03 01 00"), Q, 0x0614,
        Padded("03 1A 01 01  01 01 10 01 30 01 20 01 40 01 50 01 60"
               "  00 04 10 04 30 04 20 04 40 04 50 04 60"));
    Add("12 crop port 0", 12, Ref(&f.crop), A("00 00 00"), Q, 0x0614,
        Padded("00 1A 01 00  00 00 10 00 30 00 20 00 40 00 50 00 60"
               "  01 03 10 03 30 03 20 03 40 03 50 03 60"));
    Add("12 port out of range", 12, Ref(&f.crop), A("00 03 00"), N, 0, x55, kRefused);
    Add("12 without address", 12, Ref(&f.crop), no, N, 0, x55, kRefused);
    Add("13 tiles", 13, Ref(&f.inputs), no, Q, 0x0616,
        Padded("00 09 02 55  02 01 00 02 01 03 00 04 01  04 05 01 00 01 01 00 02 00"));
    Add("14 edid port 2", 14, Ref(&f.edid), A("05 02 02"), Q, 0x0618,
        Padded("05 09 01 02 02  00 0F 70 08 B8 0B 30 02 5A 00"));
    Add("14 port out of range", 14, Ref(&f.edid), A("05 07 02"), N, 0, x55, kRefused);
    Add("15 output timing", 15, Ref(&f.reso), A("02 00 00"), Q, 0x0630,
        Padded("02 FF 01 1B  80 07 38 04 70 17 98 08 2C 00 94 00 65 04 05 00 24 00"));
    Add("16 zoom", 16, Ref(&f.zoom), A("00 01 03"), Q, 0x0651,
        Padded("00 01 03 02  01 02 01 06 05 04 03 08 07 0A 09 0C 0B"));
    Add("17 output window", 17, Ref(&f.window), no, Q, 0x0632,
        Padded("04 01 10 00 20 00 80 07 38 04  04 03 02 01 FF FF FF FF 80 07 00 00 38 04 00 00"),
        "^Mdata->portID:4$");
    Add("18 hdmi", 18, Ref(&f.hdmi), no, Q, 0x0634, Padded("FF 01 00 01 01 00 01"));
    Add("19 picture, layer and group swapped", 19, Ref(&f.picture), A("02 00 01"), Q, 0x0651,
        Padded("02 01 00 01  0A 14 1E 32 32 08 C8 C9 CA"));
    Add("20 chroma key, max before min", 20, Ref(&f.key), A("04 01 01"), Q, 0x0651,
        Padded("04 01 01 03  01 02 01 04 03 06 05"));
    Add("21.0 on/off", 21, Ref(&f.layer), A("00 02 00"), Q, 0x0650, Padded("00 55 02 01"));
    Add("21.1 source", 21, Ref(&f.layer), A("01 02 00"), Q, 0x0650,
        Padded("01 55 02 01 00 03 01"));
    Add("21.2 logo", 21, Ref(&f.layer), A("02 02 00"), Q, 0x0650, Padded("02 55 02 00"));
    Add("21.3 rectangle", 21, Ref(&f.layer), A("03 01 00"), Q, 0x0650,
        Padded("03 55 01 55  44 33 22 11 00 01 00 00 80 07 00 00 00 00 01 00"));
    Add("21.4 alpha", 21, Ref(&f.layer), A("04 03 00"), Q, 0x0650, Padded("04 55 03 28"));
    Add("21.5 rotation low byte", 21, Ref(&f.layer), A("05 03 00"), Q, 0x0650,
        Padded("05 55 03 05"));
    Add("21.7 unknown still sent", 21, Ref(&f.layer), A("07 01 00"), Q, 0x0650, x55);
    Add("21.7 needs no record", 21, nul, A("07 01 00"), Q, 0x0650, x55);
    Add("21.11 unknown still sent", 21, Ref(&f.layer), A("0B 01 00"), Q, 0x0650, x55);
    Add("21.10 five raw bytes", 21, Ref(&f.count5), A("0A 01 02 03 04"), Q, 0x0650,
        Padded("0A 01 02 03 04"));
    Add("21.10 forty raw bytes cut to 32", 21, Ref(&f.count40), Sequence(0x0A, 40), Q, 0x0650,
        Sequence(0x0A, 32), "^Layer raw bytes: 40 cut to 32$");
    Add("21.10 negative count copies nothing", 21, Ref(&f.countNegative), A("0A 01"), Q, 0x0650,
        x55);
    Add("21.10 without count", 21, nul, A("0A 01"), N, 0, x55, kRefused);
    Add("21.3 without record", 21, nul, A("03 01 00"), N, 0, x55, kRefused);
    Add("21 without address", 21, Ref(&f.layer), no, N, 0, x55, kRefused);
    Add("22 take", 22, nul, no, Q, 0x0700, x55);
    Add("23 take duration", 23, Bytes("02 05"), no, Q, 0x0700,
        Padded("00 11 22 33 02 01 02 05"));
    Add("24 logo", 24, Ref(&f.logo), A("03 01 07"), Q, 0x0605, Padded("01 04 01 03 07"));
    Add("25 freeze", 25, nul, no, Q, 0x0601, Padded("06"));
    Add("26 factory reset", 26, nul, no, Q, 0x05F0, Padded("00"));
    Add("27 rebuild test pattern", 27, nul, no, Q, 0x05F0, Padded("01"));
    Add("28 task, 1 whatever the flag", 28, Ref(&f.task), no, Q, 0x0607,
        Padded("00 0E 01 55  07 18 03 05 0E 07 09 03  02 01  01 13"));
    Add("29 task run", 29, Bytes("01"), no, Q, 0x0607, Padded("02 01"));
    Add("30 task clear all", 30, Bytes("FF"), no, Q, 0x0607, Padded("01 FF"));
    Add("31 auto backup", 31, Bytes("01"), no, Q, 0x0601, Padded("07 01"));
    Add("32 video format", 32, Bytes("02"), no, Q, 0x0670, Padded("02"));
    AddCtx("33 host address", 33, kHost, 0, Q, 0x0401, Padded("C0 A8 01 0A"));
    AddCtx("33 part above 255 keeps low byte", 33, QStringLiteral("300.1.2.3"), 0, Q, 0x0401,
           Padded("2C 01 02 03"));
    AddCtx("33 before any search", 33, QString(), 0, Q, 0x0401, Padded("00 00 00 00"));
    Add("34 search", 34, Bytes("C0 A8 01 14"), no, B, 0x8080, Padded("FF C0 A8 01 14"));
    AddCtx("35 group of three", 35, kHost, 0, B, 0x0580, Padded("0A 0B 0C", char(0xFF)));
    AddCtx("35 empty group", 35, kHost, 2, B, 0x0580, xFF);
    AddCtx("35 forty devices cut to 32", 35, kHost, 3, B, 0x0580, Sequence(1, 32),
           "^Take group 3: 40 devices cut to 32$");
    AddCtx("35 all destinations", 35, kHost, -1, N, 0, x55, kRefused);
    AddCtx("35 group 4", 35, kHost, 4, N, 0, x55, kRefused);
    AddCtx("36 second take", 36, kHost, 1, B, 0x0581, Padded("01 02", char(0xFF)));
    AddCtx("36 all destinations", 36, kHost, -1, N, 0, x55, kRefused);
    Add("37 keyboard attached", 37, Bytes("01"), no, CommandRoute::Usb, 0x0001, Padded("01"));
    Add("38 nothing", 38, Bytes("01"), A("01 02 03"), N, 0, x55);
    Add("39 keyboard freeze", 39, Bytes("01"), no, N, 0, x55);
    Add("40 is a batch", 40, nul, no, N, 0, x55);
    Add("44 unknown", 44, Bytes("01"), no, N, 0, x55);
    Add("-1 unknown", -1, nul, no, N, 0, x55);
}

void TestEncoder::encode()
{
    QFETCH(int, type);
    QFETCH(DataRef, data);
    QFETCH(QByteArray, addr);
    QFETCH(QString, host);
    QFETCH(int, group);
    QFETCH(CommandRoute, route);
    QFETCH(int, code);
    QFETCH(QByteArray, payload);
    QFETCH(QString, log);

    CommandContext ctx;
    ctx.searchHostIp = host;
    ctx.takeGroups = F().groups;
    ctx.groupIndex = group;
    ctx.now = kNow;
    if (!log.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(log));

    const auto* addrBytes =
        addr.isEmpty() ? nullptr : reinterpret_cast<const uint8_t*>(addr.constData());
    const EncodedCommand cmd = EncodeCommand(data.p, type, addrBytes, ctx);

    QCOMPARE(int(cmd.route), int(route));
    QCOMPARE(int(cmd.code), code);
    const QByteArray got(reinterpret_cast<const char*>(cmd.payload.data()), Frame::kPayloadSize);
    QCOMPARE(got.toHex(' '), payload.toHex(' '));
}

void TestEncoder::currentContextReadsProcessRecords()
{
    SearchHostIp = QStringLiteral("192.168.1.10");
    CheckedMachineList[2] = QByteArray::fromHex("1415");
    CheckedGroupIndex = 2;

    const EncodedCommand host = EncodeCommand(nullptr, SEND_HOSTIPCMD, nullptr,
                                              CurrentCommandContext());
    QCOMPARE(host.payload.at(3), uint8_t(0x0A));
    const EncodedCommand take = EncodeCommand(nullptr, SEND_MULTITAKE1CMD, nullptr,
                                              CurrentCommandContext());
    QCOMPARE(int(take.route), int(CommandRoute::Broadcast));
    QCOMPARE(take.payload.at(0), uint8_t(0x14));
    QCOMPARE(take.payload.at(1), uint8_t(0x15));
    QCOMPARE(take.payload.at(2), uint8_t(0xFF));

    const QDateTime before = QDateTime::currentDateTime();
    const CommandContext ctx = CurrentCommandContext();
    QVERIFY(ctx.now >= before);

    SearchHostIp.clear();
    CheckedMachineList[2].clear();
    CheckedGroupIndex = -1;
}

QTEST_GUILESS_MAIN(TestEncoder)
#include "test_encoder.moc"
