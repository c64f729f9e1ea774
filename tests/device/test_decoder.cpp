// Reply decoding: every handler against hand-built payloads, and the replies
// that must leave the record untouched.
//
// Each case starts from a record in which every field holds a distinct
// non-zero value, applies the decoder, and compares the whole record field by
// field with the expectation, so a write to a wrong field shows up as well as
// a missing one.
#include "ReplyDecoder.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QtTest>
#include <functional>

using Mutate = std::function<void(MData&)>;
Q_DECLARE_METATYPE(Mutate)

// ---------------------------------------------------------------------------
// A walk over every field of a record, with the field's path.

template <typename F, typename T>
void Walk(F& f, const QString& path, T& leaf)
{
    f(path, leaf);
}

template <typename F, typename T, size_t N>
void Walk(F& f, const QString& path, T (&array)[N])
{
    for (size_t i = 0; i < N; ++i)
        Walk(f, path + QStringLiteral("[%1]").arg(i), array[i]);
}

#define FIELD(name) Walk(f, path + QStringLiteral("." #name), s.name)

template <typename F>
void Walk(F& f, const QString& path, AllCfg& s)
{
    FIELD(workMode), FIELD(brightLevel), FIELD(gammaMode), FIELD(gammaValue), FIELD(syncLock);
    FIELD(freeze), FIELD(autoBackup);
}

template <typename F>
void Walk(F& f, const QString& path, OutputWindowRecord& s)
{
    FIELD(onOff), FIELD(portID), FIELD(hs), FIELD(vs), FIELD(hact), FIELD(vact);
    FIELD(mosaicHs), FIELD(mosaicVs), FIELD(mosaicHact), FIELD(mosaicVact);
}

template <typename F>
void Walk(F& f, const QString& path, OutputResoCfg& s)
{
    FIELD(resoId), FIELD(hact), FIELD(vact), FIELD(fps), FIELD(htotal), FIELD(hsync), FIELD(hbp);
    FIELD(vtotal), FIELD(vsync), FIELD(vbp), FIELD(outputMode);
}

template <typename F>
void Walk(F& f, const QString& path, HdmiSettingCfg& s)
{
    FIELD(colorSpace), FIELD(rgbRange), FIELD(colorDepth), FIELD(hdr), FIELD(dviHdmi);
    FIELD(outputPort);
}

template <typename F>
void Walk(F& f, const QString& path, OutputData& s)
{
    FIELD(M_OPDisplayCfg), FIELD(M_OutputResoCfg), FIELD(M_HdmiSettingCfg);
}

template <typename F>
void Walk(F& f, const QString& path, LayerRecord& s)
{
    FIELD(onOff), FIELD(hs), FIELD(vs), FIELD(hact), FIELD(vact), FIELD(logoWidth);
    FIELD(logoHeight), FIELD(inputId), FIELD(halfId), FIELD(rotation), FIELD(alpha);
    FIELD(tileEnable), FIELD(tileId), FIELD(logoOnOff), FIELD(bMain);
}

template <typename F>
void Walk(F& f, const QString& path, LayerZoomCfg& s)
{
    FIELD(hs), FIELD(hact), FIELD(vs), FIELD(vact), FIELD(hRange), FIELD(vRange), FIELD(onOff);
}

template <typename F>
void Walk(F& f, const QString& path, ChromaKeyCfg& s)
{
    FIELD(minR), FIELD(maxR), FIELD(minG), FIELD(maxG), FIELD(minB), FIELD(maxB), FIELD(onOff);
    FIELD(mode);
}

template <typename F>
void Walk(F& f, const QString& path, LayerPictureCfg& s)
{
    FIELD(brightness), FIELD(contrast), FIELD(saturation), FIELD(colorTempMode);
    FIELD(colorTempR), FIELD(colorTempG), FIELD(colorTempB);
}

template <typename F, int N>
void Walk(F& f, const QString& path, LayerSet<N>& s)
{
    FIELD(layer), FIELD(zoom), FIELD(chromaKey), FIELD(picture), FIELD(durationTime);
}

template <typename F>
void Walk(F& f, const QString& path, InputPortCfg& s)
{
    FIELD(portNum), FIELD(actId), FIELD(chnlId), FIELD(inputType), FIELD(inputRename);
}

template <typename F>
void Walk(F& f, const QString& path, InputSignalInfo& s)
{
    FIELD(width), FIELD(height), FIELD(infoA), FIELD(infoB), FIELD(interlaced);
}

template <typename F>
void Walk(F& f, const QString& path, InputCropCfg& s)
{
    FIELD(hs), FIELD(hact), FIELD(vs), FIELD(vact), FIELD(hRange), FIELD(vRange), FIELD(onOff);
}

template <typename F>
void Walk(F& f, const QString& path, InputTileCfg& s)
{
    FIELD(count), FIELD(input), FIELD(half), FIELD(name);
}

template <typename F>
void Walk(F& f, const QString& path, InputEdidCfg& s)
{
    FIELD(hact), FIELD(vact), FIELD(rate), FIELD(hblank), FIELD(vblank);
}

template <typename F>
void Walk(F& f, const QString& path, InputData& s)
{
    FIELD(port), FIELD(signal), FIELD(crop), FIELD(tile), FIELD(edid);
}

template <typename F>
void Walk(F& f, const QString& path, BoardVersion& s)
{
    FIELD(versionB), FIELD(versionA), FIELD(buildDate);
}

template <typename F>
void Walk(F& f, const QString& path, MachineInfo& s)
{
    FIELD(stdVoltage), FIELD(voltage), FIELD(board), FIELD(ethVersion);
}

template <typename F>
void Walk(F& f, const QString& path, LogoInfo& s)
{
    FIELD(op), FIELD(workMode), FIELD(state), FIELD(progress), FIELD(valueA), FIELD(valueB);
    FIELD(width), FIELD(height);
}

template <typename F>
void Walk(F& f, const QString& path, ScheduleTask& s)
{
    FIELD(index), FIELD(year), FIELD(month), FIELD(day), FIELD(hour), FIELD(minute);
    FIELD(second), FIELD(option), FIELD(period), FIELD(flag), FIELD(presetId);
}

template <typename F>
void Walk(F& f, const QString& path, TaskCfg& s)
{
    FIELD(task), FIELD(status);
}

template <typename F>
void Walk(F& f, const QString& path, MData& s)
{
    FIELD(M_AllCfg), FIELD(M_OutputData), FIELD(M_MosaicLayerCfg), FIELD(M_SwitchLayerCfg);
    FIELD(M_BackupLayerCfg), FIELD(M_PresetValid), FIELD(M_InputData), FIELD(M_MachineInfo);
    FIELD(M_LogoInfo), FIELD(M_TaskCfg), FIELD(M_SwitcherType), FIELD(M_PresetName);
}

#undef FIELD

// Gives every field its own non-zero value and every string a non-empty text.
struct Seeder {
    int n = 0;
    void operator()(const QString&, QString& s) { s = QStringLiteral("s%1").arg(++n); }
    void operator()(const QString&, bool& b) { b = (++n % 2) != 0; }
    template <typename T>
    void operator()(const QString&, T& v)
    {
        v = static_cast<T>(1 + (++n * 37) % 199);
    }
};

// One "path=value" line per field.
struct Dumper {
    QStringList lines;
    void operator()(const QString& path, const QString& s)
    {
        lines << path + QStringLiteral("=\"") + s + QLatin1Char('"');
    }
    template <typename T>
    void operator()(const QString& path, const T& v)
    {
        lines << path + QLatin1Char('=') + QString::number(v);
    }
};

QStringList Dump(MData record)
{
    Dumper dumper;
    Walk(dumper, QStringLiteral("d"), record);
    return dumper.lines;
}

// The fields in which two records differ (at most a few), empty when equal.
QString Diff(const MData& actual, const MData& expected)
{
    const QStringList a = Dump(actual);
    const QStringList e = Dump(expected);
    QStringList diffs;
    for (int i = 0; i < a.size() && diffs.size() < 8; ++i) {
        if (a[i] != e[i])
            diffs << QStringLiteral("got %1, want %2").arg(a[i], e[i]);
    }
    return diffs.join(QLatin1String("; "));
}

MData Seeded()
{
    MData d;
    Seeder seeder;
    Walk(seeder, QString(), d);
    return d;
}

const MData& Fallback()
{
    static const MData fallback = [] {
        MData d;
        d.M_PresetName[2][0] = QStringLiteral("FbP20");
        d.M_PresetName[2][1] = QStringLiteral("FbP21");
        d.M_PresetName[0][0] = QStringLiteral("FbP00");
        for (int i = 0; i < MDataLimits::kInputs; ++i)
            d.M_InputData.port[i].inputRename = QStringLiteral("FbIn%1").arg(i);
        return d;
    }();
    return fallback;
}

// ---------------------------------------------------------------------------
// Payloads: 32 bytes of 0x55 with the reply's bytes written over them.

class Bytes {
public:
    Bytes& at(int index, std::initializer_list<int> values)
    {
        for (int v : values)
            bytes_[index++] = static_cast<char>(v);
        return *this;
    }
    Bytes& le16(int index, int v) { return at(index, {v & 0xFF, (v >> 8) & 0xFF}); }
    Bytes& le32(int index, quint32 v)
    {
        return at(index,
                  {int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
    }
    // Pn = n from `from` on, so that a value read from a place names its place.
    Bytes& sequence(int from)
    {
        for (int i = from; i < bytes_.size(); ++i)
            bytes_[i] = static_cast<char>(i);
        return *this;
    }
    operator QByteArray() const { return bytes_; }

private:
    QByteArray bytes_ = QByteArray(32, '\x55');
};

// The 16-bit value at place i of a sequence payload.
uint16_t Seq16(int i)
{
    return static_cast<uint16_t>(i | ((i + 1) << 8));
}

QString Render(const RefreshEvents& events)
{
    static const char* const names[] = {
        "RequstCmdEnd",      "AllCfg",    "Freeze",      "PresetValid",
        "PresetOPResult",    "InputCfg",  "InputSignal", "InputCrop",
        "InputEdid",         "InputTile", "OutputReso",  "OutputWindow",
        "OutputHdmiSetting", "LayerData", "PictureData", "LayerZoomData",
        "LayerChromaKey",    "TakeData",  "TakeStatus",  "MachineVer",
        "MachineElectric",   "LogoData",  "TestPattern", "ResetFactory",
        "TaskData",          "SyncLock",  "HDRStatus",   "IpBoardVideoFormat"};
    QStringList parts;
    for (const RefreshEvent& e : events)
        parts << QStringLiteral("%1(%2,%3)")
                     .arg(QLatin1String(names[static_cast<int>(e.signal)]))
                     .arg(e.arg1)
                     .arg(e.arg2);
    return parts.join(QLatin1Char(' '));
}

Mutate WorkMode(int mode)
{
    return [mode](MData& d) { d.M_AllCfg.workMode = mode; };
}

RefreshEvents Decode(int code, const QByteArray& payload, MData& record)
{
    Q_ASSERT(payload.size() == 32);
    return DecodeReply(static_cast<uint16_t>(code),
                       reinterpret_cast<const uint8_t*>(payload.constData()), record, Fallback());
}

// Decodes and returns the rendered events and the debug lines written.
QPair<QString, QStringList> DecodeLogged(int code, const QByteArray& payload, MData& record)
{
    TestSupport::LogCapture capture;
    const QString events = Render(Decode(code, payload, record));
    return {events, capture.lines()};
}

// ---------------------------------------------------------------------------

class TestDecoder : public QObject {
    Q_OBJECT
private slots:
    void codeClasses_data();
    void codeClasses();
    void decodesReply_data();
    void decodesReply();
    void writesNothing_data();
    void writesNothing();
};

void TestDecoder::codeClasses_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("data");
    QTest::addColumn<bool>("heartbeat");
    for (int code :
         {0x0000, 0x012C, 0x0500, 0x05F1, 0x0600, 0x0602, 0x0604, 0x0606, 0x0608, 0x0612,
          0x0613, 0x0615, 0x0617, 0x0619, 0x0631, 0x0633, 0x0635, 0x0661, 0x0701, 0x0710})
        QTest::addRow("data 0x%04X", code) << code << true << true;
    QTest::newRow("video board format, no heartbeat") << 0x0671 << true << false;
    for (int code : {0x0400, 0x0402, 0x8080, 0x8081, 0x8100, 0x0651, 0x0601, 0x0100, 0xFFFF})
        QTest::addRow("other 0x%04X", code) << code << false << false;
}

void TestDecoder::codeClasses()
{
    QFETCH(int, code);
    QFETCH(bool, data);
    QFETCH(bool, heartbeat);
    QCOMPARE(IsDataReplyCode(static_cast<uint16_t>(code)), data);
    QCOMPARE(RaisesHeartbeat(static_cast<uint16_t>(code)), heartbeat);
}

void TestDecoder::decodesReply_data()
{
    using namespace MDataLimits;
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<Mutate>("setup");   // applied to the record before decoding
    QTest::addColumn<Mutate>("expect");  // the changes the reply must make
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("log");  // every debug line, one per line
    const Mutate none = [](MData&) {};

    // Status and result replies write nothing.
    QTest::newRow("0x0000 preset result") << 0x0000 << QByteArray(Bytes().at(0, {1, 0, 7})) << none
                                          << none << "PresetOPResult(7,0)" << QString();
    QTest::newRow("0x012C sync lock, HDR") << 0x012C << QByteArray(Bytes().at(6, {1, 0})) << none
                                           << none << "SyncLock(1,0) HDRStatus(0,0)" << QString();
    QTest::newRow("0x0500 sync lock, HDR") << 0x0500 << QByteArray(Bytes().at(6, {2, 1})) << none
                                           << none << "SyncLock(2,0) HDRStatus(1,0)" << QString();
    QTest::newRow("0x05F1 reset factory") << 0x05F1 << QByteArray(Bytes().at(0, {0, 1})) << none
                                          << none << "ResetFactory(1,0)" << QString();
    QTest::newRow("0x05F1 pattern as reported, P2 ignored when P1 != 0")
        << 0x05F1 << QByteArray(Bytes().at(0, {1, 3, 1, 5})) << none << none << "TestPattern(3,5)"
        << QString();
    QTest::newRow("0x05F1 P1=0 P2=1 reads pattern 2")
        << 0x05F1 << QByteArray(Bytes().at(0, {1, 0, 1, 6})) << none << none << "TestPattern(2,6)"
        << QString();
    QTest::newRow("0x05F1 P1=0 P2=0 reads pattern 0")
        << 0x05F1 << QByteArray(Bytes().at(0, {1, 0, 0, 4})) << none << none << "TestPattern(0,4)"
        << QString();
    QTest::newRow("0x0600 end of read-back") << 0x0600 << QByteArray(Bytes().at(2, {0xAA})) << none
                                             << none << "RequstCmdEnd(0,0)" << QString();
    QTest::newRow("0x0600 P2 not 0xAA")
        << 0x0600 << QByteArray(Bytes().at(2, {0xAB})) << none << none << "" << QString();
    QTest::newRow("0x0671 video board format") << 0x0671 << QByteArray(Bytes().at(0, {3})) << none
                                               << none << "IpBoardVideoFormat(3,0)" << QString();

    QTest::newRow("0x0602 seven values, P6 skipped")
        << 0x0602
        << QByteArray(Bytes().at(0, {0xFF, 0x02, 0x11, 0x08, 0x00, 0x01, 0x55, 0x01, 0x01})) << none
        << Mutate([](MData& d) {
               d.M_AllCfg.workMode = 2;
               d.M_AllCfg.brightLevel = 17;
               d.M_AllCfg.gammaMode = 8;
               d.M_AllCfg.gammaValue = 0;
               d.M_AllCfg.syncLock = 1;
               d.M_AllCfg.freeze = 1;
               d.M_AllCfg.autoBackup = 1;
           })
        << "AllCfg(0,0)" << QString();
    QTest::newRow("0x0602 freeze")
        << 0x0602 << QByteArray(Bytes().at(0, {6, 0})) << none
        << Mutate([](MData& d) { d.M_AllCfg.freeze = 0; }) << "Freeze(0,0)" << QString();

    {
        Bytes p;
        p.at(0, {1, 2});
        for (int i = 0; i < kPresets; ++i)
            p.at(2 + i, {i % 3});
        QTest::newRow("0x0604 validity, empty names from the fallback only")
            << 0x0604 << QByteArray(p) << Mutate([](MData& d) {
                   d.M_PresetName[2][0].clear();  // fallback has one
                   d.M_PresetName[2][2].clear();  // fallback has none
                   d.M_PresetName[0][0].clear();  // other mode: untouched
               })
            << Mutate([](MData& d) {
                   for (int i = 0; i < kPresets; ++i)
                       d.M_PresetValid[2][i] = static_cast<uint8_t>(i % 3);
                   d.M_PresetName[2][0] = QStringLiteral("FbP20");
               })
            << "PresetValid(0,0)" << QString();
    }
    {
        Bytes p;
        p.at(0, {1, 4});
        for (int i = 0; i < kPresets; ++i)
            p.at(2 + i, {1});
        QTest::newRow("0x0604 last working mode")
            << 0x0604 << QByteArray(p) << none << Mutate([](MData& d) {
                   for (int i = 0; i < kPresets; ++i)
                       d.M_PresetValid[4][i] = 1;
               })
            << "PresetValid(0,0)" << QString();
    }

    QTest::newRow("0x0606 logo size into all twelve layers")
        << 0x0606
        << QByteArray(Bytes()
                          .at(0, {1, 4, 0x99, 0x99, 3, 50})
                          .le16(6, 0x1234)
                          .le16(8, 0x5678)
                          .le16(10, 1920)
                          .le16(12, 1080))
        << none << Mutate([](MData& d) {
               d.M_LogoInfo = {1, 4, 3, 50, 0x1234, 0x5678, 1920, 1080};
               for (LayerRecord& l : d.M_MosaicLayerCfg.layer)
                   l.logoWidth = 1920, l.logoHeight = 1080;
               for (LayerRecord& l : d.M_SwitchLayerCfg.layer)
                   l.logoWidth = 1920, l.logoHeight = 1080;
               for (LayerRecord& l : d.M_BackupLayerCfg.layer)
                   l.logoWidth = 1920, l.logoHeight = 1080;
           })
        << "LogoData(1,0)" << QString();

    QTest::newRow("0x0608 tasks stored by their own index")
        << 0x0608
        << QByteArray(Bytes()
                          .at(0, {0, 12, 2})
                          .at(4, {5, 24, 6, 15, 8, 30, 0, 3})
                          .le16(12, 0x0102)
                          .at(14, {9, 7})
                          .at(16, {19, 25, 12, 31, 23, 59, 58, 1})
                          .le16(24, 600)
                          .at(26, {1, 19}))
        << none << Mutate([](MData& d) {
               d.M_TaskCfg.task[5] = {5, 24, 6, 15, 8, 30, 0, 3, 0x0102, 9, 7};
               d.M_TaskCfg.task[19] = {19, 25, 12, 31, 23, 59, 58, 1, 600, 1, 19};
           })
        << "" << QString();
    QTest::newRow("0x0608 last record ends at P31")
        << 0x0608 << QByteArray(Bytes().at(0, {0, 16, 2}).at(4, {0, 1}).at(20, {1, 2})) << none
        << Mutate([](MData& d) {
               // Bytes left at 0x55 in the payload arrive as 0x55.
               d.M_TaskCfg.task[0] = {0, 1, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x5555, 0x55, 0x55};
               d.M_TaskCfg.task[1] = {1, 2, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x5555, 0x55, 0x55};
           })
        << "" << QString();
    QTest::newRow("0x0608 schedule status")
        << 0x0608 << QByteArray(Bytes().at(0, {2, 1})) << none
        << Mutate([](MData& d) { d.M_TaskCfg.status = 1; }) << "TaskData(0,0)" << QString();

    QTest::newRow("0x0612 reaching input 5, name from fallback only when empty")
        << 0x0612
        << QByteArray(Bytes()
                          .at(0, {4, 8, 2})
                          .at(4, {3, 1, 0, 1, 2, 2, 1, 4})
                          .at(12, {1, 0, 1, 2, 0, 0, 0, 0}))
        << Mutate([](MData& d) {
               d.M_InputData.port[4].inputRename.clear();
               d.M_InputData.port[5].inputRename = QStringLiteral("Mine");
           })
        << Mutate([](MData& d) {
               InputPortCfg& a = d.M_InputData.port[4];
               a.portNum = 3, a.actId = 1;
               a.chnlId[0] = 0, a.chnlId[1] = 2, a.chnlId[2] = 1;
               a.inputType[0] = 1, a.inputType[1] = 2, a.inputType[2] = 4;
               a.inputRename = QStringLiteral("FbIn4");
               InputPortCfg& b = d.M_InputData.port[5];
               b.portNum = 1, b.actId = 0;
               b.chnlId[0] = 1, b.chnlId[1] = 0, b.chnlId[2] = 0;
               b.inputType[0] = 2, b.inputType[1] = 0, b.inputType[2] = 0;
           })
        << "InputCfg(0,0)"
        << "startId:4 num:2";
    {
        // Overlapping records (length 6 < 8 bytes read) are read as they lie.
        const auto fill = [](int first, int length, int count) {
            return Mutate([=](MData& d) {
                for (int k = 0; k < count; ++k) {
                    const int r = 4 + k * length;
                    InputPortCfg& port = d.M_InputData.port[first + k];
                    port.portNum = r, port.actId = r + 1;
                    for (int j = 0; j < kPorts; ++j) {
                        port.chnlId[j] = r + 2 + 2 * j;
                        port.inputType[j] = r + 3 + 2 * j;
                    }
                }
            });
        };
        QTest::newRow("0x0612 first four inputs: no refresh")
            << 0x0612 << QByteArray(Bytes().at(0, {0, 6, 4}).sequence(4)) << none << fill(0, 6, 4)
            << ""
            << "startId:0 num:4";
        QTest::newRow("0x0612 last record ends at P31")
            << 0x0612 << QByteArray(Bytes().at(0, {3, 10, 3}).sequence(4)) << none << fill(3, 10, 3)
            << "InputCfg(0,0)"
            << "startId:3 num:3";
    }

    const auto signalHalves = [](int input, int half, int port) {
        return Mutate([=](MData& d) {
            InputSignalInfo& s = d.M_InputData.signal[input];
            for (int h = 0; h < kHalves; ++h) {
                const int r = 5 + h * half;
                s.interlaced[h][port] = true;
                s.width[h][port] = Seq16(r + 1);
                s.height[h][port] = Seq16(r + 3);
                s.infoA[h][port] = Seq16(r + 7);
                s.infoB[h][port] = Seq16(r + 9);
            }
        });
    };
    QTest::newRow("0x0613 input signal")
        << 0x0613
        << QByteArray(Bytes()
                          .at(0, {2, 22, 0x99, 1})
                          .at(5, {1})
                          .le16(6, 1920)
                          .le16(8, 1080)
                          .le16(12, 0x1111)
                          .le16(14, 0x2222)
                          .at(16, {0})
                          .le16(17, 960)
                          .le16(19, 540)
                          .le16(23, 0x3333)
                          .le16(25, 0x4444))
        << none << Mutate([](MData& d) {
               InputSignalInfo& s = d.M_InputData.signal[2];
               s.interlaced[0][1] = true, s.width[0][1] = 1920, s.height[0][1] = 1080;
               s.infoA[0][1] = 0x1111, s.infoB[0][1] = 0x2222;
               s.interlaced[1][1] = false, s.width[1][1] = 960, s.height[1][1] = 540;
               s.infoA[1][1] = 0x3333, s.infoB[1][1] = 0x4444;
           })
        << "InputSignal(2,1)" << QString();
    QTest::newRow("0x0613 odd length 33: second half ends at P31")
        << 0x0613 << QByteArray(Bytes().at(0, {5, 33, 0, 2}).sequence(4)) << none
        << signalHalves(5, 16, 2) << "InputSignal(5,2)" << QString();
    QTest::newRow("0x0613 length 1: both halves from P5")
        << 0x0613 << QByteArray(Bytes().at(0, {0, 1, 0, 0}).sequence(4)) << none
        << signalHalves(0, 0, 0) << "InputSignal(0,0)" << QString();

    const auto cropHalves = [](int input, int half, int port) {
        return Mutate([=](MData& d) {
            InputCropCfg& c = d.M_InputData.crop[input];
            for (int h = 0; h < kHalves; ++h) {
                const int r = 4 + h * half;
                const int x = h * 3 + port;
                c.onOff[x] = true;
                c.hs[x] = Seq16(r + 1), c.vs[x] = Seq16(r + 3);
                c.hact[x] = Seq16(r + 5), c.vact[x] = Seq16(r + 7);
                c.hRange[x] = Seq16(r + 9), c.vRange[x] = Seq16(r + 11);
            }
        });
    };
    QTest::newRow("0x0615 crop, x = half * 3 + port")
        << 0x0615 << QByteArray(Bytes().at(0, {5, 26, 0, 2}).sequence(4)) << none
        << cropHalves(5, 13, 2) << "InputCrop(5,2)" << QString();
    QTest::newRow("0x0615 second half ends at P31")
        << 0x0615 << QByteArray(Bytes().at(0, {0, 31, 0, 0}).sequence(4)) << none
        << cropHalves(0, 15, 0) << "InputCrop(0,0)" << QString();
    QTest::newRow("0x0615 off") << 0x0615
                                << QByteArray(Bytes()
                                                  .at(0, {1, 26, 0, 1, 0})
                                                  .le16(5, 8)
                                                  .le16(7, 16)
                                                  .le16(9, 640)
                                                  .le16(11, 480)
                                                  .le16(13, 1920)
                                                  .le16(15, 1080)
                                                  .at(17, {1}))
                                << none << Mutate([](MData& d) {
                                       InputCropCfg& c = d.M_InputData.crop[1];
                                       c.onOff[1] = false, c.hs[1] = 8, c.vs[1] = 16,
                                       c.hact[1] = 640, c.vact[1] = 480;
                                       c.hRange[1] = 1920, c.vRange[1] = 1080;
                                       // The second half's bytes were left at 0x55.
                                       c.onOff[4] = true,
                                       c.hs[4] = c.vs[4] = c.hact[4] = c.vact[4] = 0x5555;
                                       c.hRange[4] = c.vRange[4] = 0x5555;
                                   })
                                << "InputCrop(1,1)" << QString();

    const auto tiles = [](int first, int length, int count) {
        return Mutate([=](MData& d) {
            for (int t = first; t < first + count; ++t) {
                const int r = 4 + t * length;
                InputTileCfg& tile = d.M_InputData.tile[t];
                tile.count = r;
                for (int k = 0; k < kTileSources; ++k) {
                    tile.input[k] = r + 1 + 2 * k;
                    tile.half[k] = r + 2 + 2 * k;
                }
            }
        });
    };
    QTest::newRow("0x0617 tile 1 from P13, not P4")
        << 0x0617 << QByteArray(Bytes().at(0, {1, 9, 1}).sequence(4)) << none << tiles(1, 9, 1)
        << "InputTile(0,0)" << QString();
    QTest::newRow("0x0617 both tiles") << 0x0617 << QByteArray(Bytes().at(0, {0, 9, 2}).sequence(4))
                                       << none << tiles(0, 9, 2) << "InputTile(0,0)" << QString();
    QTest::newRow("0x0617 tile 1 ends at P31")
        << 0x0617 << QByteArray(Bytes().at(0, {1, 19, 1}).sequence(4)) << none << tiles(1, 19, 1)
        << "InputTile(0,0)" << QString();

    QTest::newRow("0x0619 one refresh per record")
        << 0x0619
        << QByteArray(Bytes()
                          .at(0, {0, 12, 2})
                          .at(4, {1, 2})
                          .le16(6, 1920)
                          .le16(8, 1080)
                          .le16(10, 6000)
                          .le16(12, 280)
                          .le16(14, 45)
                          .at(16, {3, 0})
                          .le16(18, 3840)
                          .le16(20, 2160)
                          .le16(22, 3000)
                          .le16(24, 560)
                          .le16(26, 90))
        << none << Mutate([](MData& d) {
               InputEdidCfg& a = d.M_InputData.edid[1];
               a.hact[2] = 1920, a.vact[2] = 1080, a.rate[2] = 6000, a.hblank[2] = 280;
               a.vblank[2] = 45;
               InputEdidCfg& b = d.M_InputData.edid[3];
               b.hact[0] = 3840, b.vact[0] = 2160, b.rate[0] = 3000, b.hblank[0] = 560;
               b.vblank[0] = 90;
           })
        << "InputEdid(1,2) InputEdid(3,0)" << QString();
    QTest::newRow("0x0619 last record ends at P31")
        << 0x0619 << QByteArray(Bytes().sequence(6).at(0, {0, 16, 2}).at(4, {5, 2}).at(20, {0, 1}))
        << none << Mutate([](MData& d) {
               InputEdidCfg& a = d.M_InputData.edid[5];
               a.hact[2] = Seq16(6), a.vact[2] = Seq16(8), a.rate[2] = Seq16(10);
               a.hblank[2] = Seq16(12), a.vblank[2] = Seq16(14);
               InputEdidCfg& b = d.M_InputData.edid[0];
               b.hact[1] = Seq16(22), b.vact[1] = Seq16(24), b.rate[1] = Seq16(26);
               b.hblank[1] = Seq16(28), b.vblank[1] = Seq16(30);
           })
        << "InputEdid(5,2) InputEdid(0,1)" << QString();

    QTest::newRow("0x0631 output timing")
        << 0x0631
        << QByteArray(Bytes()
                          .at(2, {1, 27})
                          .le16(4, 1920)
                          .le16(6, 1080)
                          .le16(8, 6000)
                          .le16(10, 2200)
                          .le16(12, 44)
                          .le16(14, 148)
                          .le16(16, 1125)
                          .le16(18, 5)
                          .le16(20, 36))
        << none << Mutate([](MData& d) {
               d.M_OutputData.M_OutputResoCfg = {27,  1920, 1080, 6000, 2200, 44,
                                                 148, 1125, 5,    36,   1};
           })
        << "OutputReso(0,0)" << QString();

    QTest::newRow("0x0633 output window, signed canvas place")
        << 0x0633
        << QByteArray(Bytes()
                          .at(0, {3, 1})
                          .le16(2, 10)
                          .le16(4, 20)
                          .le16(6, 1920)
                          .le16(8, 1080)
                          .le32(10, 0xFFFFFF00u)
                          .le32(14, 1080)
                          .le32(18, 1920)
                          .le32(22, 1080))
        << none << Mutate([](MData& d) {
               d.M_OutputData.M_OPDisplayCfg[3] = {1,    3,    10,   20,   1920,
                                                   1080, -256, 1080, 1920, 1080};
           })
        << "OutputWindow(3,0)"
        << "id:3 MData->M_OutputData.M_OPDisplayCfg[id] OnOff:1";
    QTest::newRow("0x0633 last window")
        << 0x0633 << QByteArray(Bytes().at(0, {5, 0}).sequence(2)) << none << Mutate([](MData& d) {
               d.M_OutputData.M_OPDisplayCfg[5] = {0,          5,         Seq16(2),   Seq16(4),
                                                   Seq16(6),   Seq16(8),  0x0D0C0B0A, 0x11100F0E,
                                                   0x15141312, 0x19181716};
           })
        << "OutputWindow(5,0)"
        << "id:5 MData->M_OutputData.M_OPDisplayCfg[id] OnOff:0";

    QTest::newRow("0x0635 HDMI settings, logged")
        << 0x0635 << QByteArray(Bytes().at(0, {0xFF, 1, 0, 1, 1, 0, 1})) << none
        << Mutate([](MData& d) { d.M_OutputData.M_HdmiSettingCfg = {1, 0, 1, 1, 0, 1}; })
        << "OutputHdmiSetting(0,0)"
        << "HDROnoff:1";
    QTest::newRow("0x0635 HDMI settings, P0 = 0")
        << 0x0635 << QByteArray(Bytes().at(0, {0x00, 0, 1, 0, 0, 1, 0})) << none
        << Mutate([](MData& d) { d.M_OutputData.M_HdmiSettingCfg = {0, 1, 0, 0, 1, 0}; })
        << "OutputHdmiSetting(0,0)" << QString();

    // Layer replies: P0 mode, P1 group, P2 layer, P3 kind.
    const QByteArray layerBody = Bytes()
                                     .at(4, {1, 0, 1, 5, 0, 1, 64, 3, 9, 9, 9, 9})
                                     .le32(16, 100)
                                     .le32(20, 200)
                                     .le32(24, 1920)
                                     .le32(28, 1080);
    const auto layerRecord = [](LayerRecord& l) {
        l.onOff = 1, l.tileEnable = 0, l.tileId = 1, l.inputId = 5, l.halfId = 0;
        l.logoOnOff = 1, l.alpha = 64, l.rotation = 3;
        l.hs = 100, l.vs = 200, l.hact = 1920, l.vact = 1080;
    };
    const auto layerReply = [](int mode, int group, int layer, int kind, QByteArray body) {
        body[0] = char(mode), body[1] = char(group), body[2] = char(layer), body[3] = char(kind);
        return body;
    };
    QTest::newRow("0x0661 mosaic layer, bMain kept")
        << 0x0661 << layerReply(0, 0x77, 3, 0, layerBody) << WorkMode(0)
        << Mutate([=](MData& d) { layerRecord(d.M_MosaicLayerCfg.layer[3]); }) << "LayerData(3,0)"
        << QString();
    QTest::newRow("0x0661 switch group 0 layer, bMain = group")
        << 0x0661 << layerReply(2, 0, 2, 0, layerBody) << WorkMode(2) << Mutate([=](MData& d) {
               layerRecord(d.M_SwitchLayerCfg.layer[2]);
               d.M_SwitchLayerCfg.layer[2].bMain = 0;
           })
        << "LayerData(2,0)" << QString();
    QTest::newRow("0x0661 backup layer while mosaic is live")
        << 0x0661 << layerReply(4, 1, 1, 0, layerBody) << WorkMode(0) << Mutate([=](MData& d) {
               layerRecord(d.M_BackupLayerCfg.layer[1]);
               d.M_BackupLayerCfg.layer[1].bMain = 1;
           })
        << "" << QString();

    const QByteArray pictureBody = Bytes().at(4, {40, 60, 70, 0x99, 0x99, 8, 200, 210, 220});
    const auto picture = [](LayerPictureCfg& p) { p = {40, 60, 70, 8, 200, 210, 220}; };
    QTest::newRow("0x0661 switch picture, group 0: no refresh")
        << 0x0661 << layerReply(2, 0, 1, 1, pictureBody) << WorkMode(2)
        << Mutate([=](MData& d) { picture(d.M_SwitchLayerCfg.picture[1]); }) << "" << QString();
    QTest::newRow("0x0661 switch picture, group 1")
        << 0x0661 << layerReply(2, 1, 1, 1, pictureBody) << WorkMode(2)
        << Mutate([=](MData& d) { picture(d.M_SwitchLayerCfg.picture[4]); }) << "PictureData(1,0)"
        << QString();
    QTest::newRow("0x0661 mosaic picture")
        << 0x0661 << layerReply(0, 0, 0, 1, pictureBody) << WorkMode(0)
        << Mutate([=](MData& d) { picture(d.M_MosaicLayerCfg.picture[0]); }) << "PictureData(0,0)"
        << QString();

    const QByteArray zoomBody =
        Bytes().at(4, {1}).le16(5, 10).le16(7, 20).le16(9, 300).le16(11, 400).le16(13, 1920).le16(
            15, 1080);
    const auto zoom = [](LayerZoomCfg& z) { z = {10, 300, 20, 400, 1920, 1080, true}; };
    QTest::newRow("0x0661 mosaic zoom")
        << 0x0661 << layerReply(0, 0, 2, 2, zoomBody) << WorkMode(0)
        << Mutate([=](MData& d) { zoom(d.M_MosaicLayerCfg.zoom[2]); }) << "LayerZoomData(2,0)"
        << QString();
    QTest::newRow("0x0661 switch zoom, group 0 refreshes too")
        << 0x0661 << layerReply(2, 0, 0, 2, zoomBody) << WorkMode(2)
        << Mutate([=](MData& d) { zoom(d.M_SwitchLayerCfg.zoom[0]); }) << "LayerZoomData(0,0)"
        << QString();

    const QByteArray keyBody = Bytes().at(4, {1, 10, 20, 30, 40, 50, 60});
    const auto key = [](ChromaKeyCfg& k) {
        k.onOff = 1, k.minR = 10, k.maxR = 20, k.minG = 30, k.maxG = 40, k.minB = 50, k.maxB = 60;
    };
    QTest::newRow("0x0661 backup chroma key, minimum before maximum")
        << 0x0661 << layerReply(4, 1, 1, 3, keyBody) << WorkMode(4)
        << Mutate([=](MData& d) { key(d.M_BackupLayerCfg.chromaKey[1]); }) << "LayerChromaKey(1,0)"
        << QString();
    QTest::newRow("0x0661 switch chroma key, group 1 layer 2")
        << 0x0661 << layerReply(2, 1, 2, 3, keyBody) << WorkMode(2)
        << Mutate([=](MData& d) { key(d.M_SwitchLayerCfg.chromaKey[5]); }) << "LayerChromaKey(2,0)"
        << QString();

    QTest::newRow("0x0701 take durations, unknown mode skipped")
        << 0x0701 << QByteArray(Bytes().at(0, {0, 0x11, 0x22, 0x33, 2, 4, 0, 5, 2, 7, 4, 9, 1, 11}))
        << none << Mutate([](MData& d) {
               d.M_MosaicLayerCfg.durationTime = 5;
               d.M_SwitchLayerCfg.durationTime = 7;
               d.M_BackupLayerCfg.durationTime = 9;
           })
        << "TakeData(0,0)" << QString();
    QTest::newRow("0x0701 last item ends at P31")
        << 0x0701
        << QByteArray(Bytes()
                          .at(0, {0, 0x11, 0x22, 0x33, 12, 3})
                          .at(6, {0, 1})
                          .at(18, {2, 2})
                          .at(30, {4, 3}))
        << none << Mutate([](MData& d) {
               d.M_MosaicLayerCfg.durationTime = 1;
               d.M_SwitchLayerCfg.durationTime = 2;
               d.M_BackupLayerCfg.durationTime = 3;
           })
        << "TakeData(0,0)" << QString();
    QTest::newRow("0x0701 take status without marker")
        << 0x0701 << QByteArray(Bytes().at(0, {0, 0x11, 0x22, 0x34, 1, 1, 0, 5})) << none << none
        << "TakeStatus(1,0)" << QString();

    // Build date: 20 bytes, one character each, zero bytes and high bytes kept.
    const QByteArray date("2024-01\0\0"
                          "12:34\0\0\xE9\0\0Z",
                          20);
    QString dateText;
    for (char c : date)
        dateText.append(QChar(static_cast<uchar>(c)));
    const auto board = [&](int kind) {
        Bytes p;
        p.at(0, {kind, 0x99}).le16(2, 0x0102).le16(4, 0x0304).at(31, {4});
        for (int i = 0; i < date.size(); ++i)
            p.at(6 + i, {static_cast<uchar>(date[i])});
        return QByteArray(p);
    };
    QTest::newRow("0x0710 main board, switcher type from P31")
        << 0x0710 << board(0) << none << Mutate([=](MData& d) {
               d.M_MachineInfo.board[0] = {0x0102, 0x0304, dateText};
               d.M_SwitcherType = 4;
           })
        << "MachineVer(0,0)"
        << "buff[31]:4";
    QTest::newRow("0x0710 UI board") << 0x0710 << board(1) << none << Mutate([=](MData& d) {
        d.M_MachineInfo.board[1] = {0x0102, 0x0304, dateText};
    }) << "MachineVer(1,0)" << QString();
    {
        Bytes p;
        p.at(0, {2});
        for (int i = 0; i < kVoltages; ++i)
            p.le16(2 + 2 * i, 1000 + i).le16(16 + 2 * i, 2000 + i);
        QTest::newRow("0x0710 voltages") << 0x0710 << QByteArray(p) << none << Mutate([](MData& d) {
            for (int i = 0; i < kVoltages; ++i) {
                d.M_MachineInfo.stdVoltage[i] = static_cast<uint16_t>(1000 + i);
                d.M_MachineInfo.voltage[i] = static_cast<uint16_t>(2000 + i);
            }
        }) << "MachineElectric(0,0)" << QString();
    }
    QTest::newRow("0x0710 Ethernet board")
        << 0x0710 << QByteArray(Bytes().at(0, {3}).le16(2, 0x0A0B)) << none
        << Mutate([](MData& d) { d.M_MachineInfo.ethVersion = 0x0A0B; }) << "MachineVer(3,0)"
        << QString();
}

void TestDecoder::decodesReply()
{
    QFETCH(int, code);
    QFETCH(QByteArray, payload);
    QFETCH(Mutate, setup);
    QFETCH(Mutate, expect);
    QFETCH(QString, events);
    QFETCH(QString, log);

    MData record = Seeded();
    setup(record);
    MData expected = record;
    expect(expected);

    const auto result = DecodeLogged(code, payload, record);
    QCOMPARE(result.first, events);
    QCOMPARE(result.second.join(QLatin1Char('\n')), log);
    const QString diff = Diff(record, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestDecoder::writesNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<Mutate>("setup");
    QTest::addColumn<bool>("refused");  // one line names the code and the reason
    const Mutate none = [](MData&) {};
    const auto row = [](const char* name, int code, const QByteArray& payload, Mutate setup,
                        bool refused) {
        QTest::newRow(name) << code << payload << setup << refused;
    };

    // Kinds, modes and codes that carry nothing to store.
    row("0x0602 unknown kind", 0x0602, Bytes().at(0, {5, 1, 2, 3}), none, false);
    row("0x0604 kind 0", 0x0604, Bytes().at(0, {0, 2, 1, 1}), none, false);
    row("0x0608 kind 1", 0x0608, Bytes().at(0, {1, 1}), none, false);
    row("0x0608 no task records", 0x0608, Bytes().at(0, {0, 12, 0}), none, false);
    row("0x0635 unknown kind", 0x0635, Bytes().at(0, {1, 1, 1}), none, false);
    row("0x05F1 unknown kind", 0x05F1, Bytes().at(0, {2, 1, 1, 1}), none, false);
    row("0x0710 unknown kind", 0x0710, Bytes().at(0, {4, 1, 2, 3}), none, false);
    row("0x0661 unknown kind", 0x0661, Bytes().at(0, {0, 0, 0, 4, 1, 1}), WorkMode(0), false);
    row("0x0661 mode 1, live mode 1", 0x0661, Bytes().at(0, {1, 0, 0, 0, 1}), WorkMode(1), false);
    row("0x0661 mode 3", 0x0661, Bytes().at(0, {3, 0, 0, 2, 1}), WorkMode(3), false);
    row("0x0661 unknown kind, layer out of range", 0x0661, Bytes().at(0, {0, 0, 9, 7}), WorkMode(0),
        false);
    row("acknowledgement", 0x0400, Bytes().at(0, {0, 0x02, 0x06}), none, false);
    row("discovery", 0x8081, Bytes().at(0, {2, 0x0D, 4}), none, false);
    row("address change", 0x8100, Bytes(), none, false);
    row("unlisted code", 0x1234, Bytes().at(0, {0xFF, 2}), none, false);

    // Indices outside the record and records outside the payload.
    row("0x0604 mode 5", 0x0604, Bytes().at(0, {1, 5}), none, true);
    row("0x0604 mode 255", 0x0604, Bytes().at(0, {1, 255}), none, true);
    row("0x0608 second task index 20", 0x0608, Bytes().at(0, {0, 12, 2}).at(4, {3}).at(16, {20}),
        none, true);
    row("0x0608 three tasks of 12", 0x0608,
        Bytes().at(0, {0, 12, 3}).at(4, {0}).at(16, {1}).at(28, {2}), none, true);
    row("0x0608 second task past P31", 0x0608, Bytes().at(0, {0, 17, 2}).at(4, {0}).at(21, {1}),
        none, true);
    row("0x0612 inputs 5..6", 0x0612, Bytes().at(0, {5, 8, 2}), none, true);
    row("0x0612 input 6", 0x0612, Bytes().at(0, {6, 8, 1}), none, true);
    row("0x0612 input 255", 0x0612, Bytes().at(0, {255, 8, 1}), none, true);
    row("0x0612 start past the inputs, no records", 0x0612, Bytes().at(0, {6, 8, 0}), none, true);
    row("0x0612 four records of 8", 0x0612, Bytes().at(0, {0, 8, 4}), none, true);
    row("0x0612 third record past P31", 0x0612, Bytes().at(0, {3, 11, 3}), none, true);
    row("0x0612 length 255", 0x0612, Bytes().at(0, {0, 255, 2}), none, true);
    row("0x0613 input 6", 0x0613, Bytes().at(0, {6, 22, 0, 0}), none, true);
    row("0x0613 port 3", 0x0613, Bytes().at(0, {0, 22, 0, 3}), none, true);
    row("0x0613 half length 17", 0x0613, Bytes().at(0, {0, 34, 0, 0}), none, true);
    row("0x0613 half length 127", 0x0613, Bytes().at(0, {0, 255, 0, 0}), none, true);
    row("0x0615 input 6", 0x0615, Bytes().at(0, {6, 26, 0, 0}), none, true);
    row("0x0615 port 3", 0x0615, Bytes().at(0, {0, 26, 0, 3}), none, true);
    row("0x0615 half length 16", 0x0615, Bytes().at(0, {0, 32, 0, 0}), none, true);
    row("0x0617 tile 2", 0x0617, Bytes().at(0, {2, 9, 1}), none, true);
    row("0x0617 tiles 1..2", 0x0617, Bytes().at(0, {1, 9, 2}), none, true);
    row("0x0617 three tiles", 0x0617, Bytes().at(0, {0, 9, 3}), none, true);
    row("0x0617 tile 255", 0x0617, Bytes().at(0, {255, 9, 1}), none, true);
    row("0x0617 start past the tiles, no records", 0x0617, Bytes().at(0, {2, 9, 0}), none, true);
    row("0x0617 second tile past P31", 0x0617, Bytes().at(0, {0, 20, 2}), none, true);
    row("0x0617 tile 1 past P31", 0x0617, Bytes().at(0, {1, 20, 1}), none, true);
    row("0x0619 second record input 6", 0x0619,
        Bytes().at(0, {0, 12, 2}).at(4, {0, 0}).at(16, {6, 0}), none, true);
    row("0x0619 first record port 3", 0x0619,
        Bytes().at(0, {0, 12, 2}).at(4, {0, 3}).at(16, {0, 0}), none, true);
    row("0x0619 three records of 12", 0x0619,
        Bytes().at(0, {0, 12, 3}).at(4, {0, 0}).at(16, {0, 1}).at(28, {0, 2}), none, true);
    row("0x0619 second record past P31", 0x0619,
        Bytes().at(0, {0, 17, 2}).at(4, {0, 0}).at(21, {0, 0}), none, true);
    row("0x0633 window 6", 0x0633, Bytes().at(0, {6, 1}), none, true);
    row("0x0633 window 255", 0x0633, Bytes().at(0, {255, 1}), none, true);
    row("0x0661 mosaic layer 4", 0x0661, Bytes().at(0, {0, 0, 4, 0}), WorkMode(0), true);
    row("0x0661 switch group 2", 0x0661, Bytes().at(0, {2, 2, 0, 1}), WorkMode(2), true);
    row("0x0661 switch layer 3", 0x0661, Bytes().at(0, {2, 1, 3, 2}), WorkMode(2), true);
    row("0x0661 backup layer 2", 0x0661, Bytes().at(0, {4, 0, 2, 3}), WorkMode(4), true);
    row("0x0701 third item past P31", 0x0701, Bytes().at(0, {0, 0x11, 0x22, 0x33, 13, 3}), none,
        true);
    row("0x0701 length 255", 0x0701, Bytes().at(0, {0, 0x11, 0x22, 0x33, 255, 2}).at(6, {0, 1}),
        none, true);
}

void TestDecoder::writesNothing()
{
    QFETCH(int, code);
    QFETCH(QByteArray, payload);
    QFETCH(Mutate, setup);
    QFETCH(bool, refused);

    MData record = Seeded();
    setup(record);
    const MData before = record;

    const auto result = DecodeLogged(code, payload, record);
    QCOMPARE(result.first, QString());
    // The input reply logs its first input and count before anything else.
    QStringList lines = result.second;
    if (code == 0x0612 && !lines.isEmpty() && lines.first().startsWith(QLatin1String("startId:")))
        lines.removeFirst();
    if (refused) {
        const QRegularExpression refusal(
            QStringLiteral("^Reply 0x%1 ignored: .+")
                .arg(QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')).toUpper()));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(refusal.match(lines.first()).hasMatch(), qPrintable(lines.first()));
    } else {
        QCOMPARE(lines, QStringList());
    }
    const QString diff = Diff(record, before);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

QTEST_GUILESS_MAIN(TestDecoder)
#include "test_decoder.moc"
