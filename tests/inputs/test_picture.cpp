// The picture page as the operator uses it: through its sliders, lists and
// buttons, against a simulated processor in the private test network,
// asserting the frames the processor received and the record.
#include "AppPaths.h"
#include "ColorManagementDlg.h"
#include "CustomMsgBox.h"
#include "GuiTest.h"
#include "KSV_PicSetDlg.h"
#include "LayerPicSetTabDlg.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "ProcSim.h"
#include "SendCommand.h"
#include "test_picture_support.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

using namespace TestNet;
using namespace PictureTest;
using TestSupport::WaitReadBackEnds;
using TestSupport::WaitSenderIdle;

namespace {

const QString kMac = QStringLiteral("02:4b:53:00:00:20");
constexpr int kPictureCode = 0x0651;
constexpr int kAllCfgCode = 0x0601;

QSlider* Groove(NeoSliderComb* comb)
{
    return comb->findChild<QSlider*>(QStringLiteral("slider"));
}

QString BoxText(NeoSliderComb* comb)
{
    return comb->findChild<QLineEdit*>(QStringLiteral("valueBox"))->text();
}

// Position, value box and enabled state of a slider, as one text.
QString Shows(NeoSliderComb* comb)
{
    QSlider* s = Groove(comb);
    return QStringLiteral("%1 %2 %3")
        .arg(s->value())
        .arg(BoxText(comb))
        .arg(s->isEnabled() ? "on" : "off");
}

QStringList ShowsRgb(LayerPicSetTabDlg* tab)
{
    return {Shows(tab->slider(SLIDER_RED)), Shows(tab->slider(SLIDER_GREEN)),
            Shows(tab->slider(SLIDER_BLUE))};
}

QRect SliderPart(QSlider* s, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    opt.upsideDown = false;
    opt.subControls = QStyle::SC_All;
    if (s->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, part, s);
}

QRect HandleRect(QSlider* s)
{
    return SliderPart(s, QStyle::SC_SliderHandle);
}

void WhenModal(std::function<void(CustomMsgBox*)> action)
{
    QTimer::singleShot(
        0, [action] { action(qobject_cast<CustomMsgBox*>(QApplication::activeModalWidget())); });
}

QJsonObject Child(const QJsonObject& o, const QString& key)
{
    return o.value(key).toObject();
}

// Sets state[set][array][index][field] = value in a record shaped as JSON.
void SetField(QJsonObject& state, const QString& set, const QString& array, int index,
              const QString& field, int value)
{
    QJsonObject s = Child(state, set);
    QJsonArray a = s.value(array).toArray();
    QJsonObject item = a.at(index).toObject();
    item.insert(field, value);
    a.replace(index, item);
    s.insert(array, a);
    state.insert(set, s);
}

void SetAll(QJsonObject& state, const QString& field, int value)
{
    QJsonObject all = Child(state, "M_AllCfg");
    all.insert(field, value);
    state.insert("M_AllCfg", all);
}

void SetPicture(QJsonObject& state, const QString& set, int index, const QList<int>& v)
{
    const char* fields[] = {"brightness", "contrast",   "saturation", "colorTempMode",
                            "colorTempR", "colorTempG", "colorTempB"};
    for (int i = 0; i < 7; ++i)
        SetField(state, set, "picture", index, fields[i], v[i]);
}

QList<int> Picture(const LayerPictureCfg& p)
{
    return {p.brightness, p.contrast,   p.saturation, p.colorTempMode,
            p.colorTempR, p.colorTempG, p.colorTempB};
}

QList<int> Repeat(int n, int code)
{
    return QVector<int>(n, code).toList();
}

// Bytes P0.. of a payload.
QList<int> Bytes(const QByteArray& payload, int from, int count)
{
    QList<int> out;
    for (int i = from; i < from + count && i < payload.size(); ++i)
        out << uint8_t(payload[i]);
    return out;
}

}  // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void sliderStepsSendOncePerChange_data();
    void sliderStepsSendOncePerChange();
    void addressPerWorkingMode_data();
    void addressPerWorkingMode();
    void colourTemperature();
    void resetAllLayers_data();
    void resetAllLayers();
    void colourScenesAndGamma();
    void brightLevelAndLayerReset();
    void redrawFromDevice();
    void projectLoadRedrawsEverything();
    void tabRedrawRaisesNothing();
    void escapeKeepsThePage();

private:
    QJsonObject baseState() const;
    void startDevice(const QJsonObject& state);
    void readBack();
    int mark() const { return sim->logLines().size(); }
    QList<RxFrame> since(int from) const { return Received(*sim, kDeviceIp1, from); }

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    std::unique_ptr<KSV_PicSetDlg> page;
    QTemporaryDir dir;
    MData fallbackBefore;
};

void TestPicture::initTestCase()
{
    InitAppResources();
    qRegisterMetaType<PicSlider>("PicSlider");
    // The device link's lines are many; the one test that reads the page's
    // lines turns them on.
    QLoggingCategory::setFilterRules(QStringLiteral("ledz.device.debug=false"));
    h = MiddleHandler::GetInstance();
    fallbackBefore = h->FallbackRecord();
}

void TestPicture::init()
{
    h->ResetForTest();
    h->FallbackRecord() = fallbackBefore;
    page = std::make_unique<KSV_PicSetDlg>(nullptr);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void TestPicture::cleanup()
{
    page.reset();
    sim.reset();
    h->ResetForTest();
    h->FallbackRecord() = fallbackBefore;
}

void TestPicture::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

QJsonObject TestPicture::baseState() const
{
    QFile f(ProcSim::stateFile("z7050-1.json"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// The device becomes the selected one, as after the operator chose it.
void TestPicture::startDevice(const QJsonObject& state)
{
    QVERIFY(!state.isEmpty());
    const QString path = dir.filePath("state.json");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QJsonDocument(state).toJson());
    f.close();
    sim = std::make_unique<ProcSim>();
    QVERIFY2(sim->start(
                 {"--device", kDeviceIp1 + "," + kMac, "--state", path, "--status-interval", "0"}),
             qPrintable(sim->errors()));
    MachineRecord record;
    record.ip = kDeviceIp1;
    record.mac = {0x02, 0x4b, 0x53, 0x00, 0x00, 0x20};
    h->Devices().UpdateMachineRecord(record, kPcIp);
    h->SelectMachine(kDeviceIp1);
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
    QVERIFY(h->SetUnicastRemote(kDeviceIp1, kDevicePort));
    QVERIFY(h->OpenUnicastPort(kPcIp, kDevicePort));
}

void TestPicture::readBack()
{
    QSignalSpy ends(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    QVERIFY(WaitReadBackEnds(h, ends, 1));
    // The page's one redraw after the read-back. Redraws that ran between
    // the replies may already show parts of the new record, so wait for the
    // coalesced one that follows the last reply, not for any value.
    const RedrawCoalescer* redraw = page->findChild<RedrawCoalescer*>();
    QVERIFY(redraw);
    QTRY_VERIFY(!redraw->pending());
    QTRY_COMPARE(Groove(page->brightLevelSlider())->value(),
                 int(h->GetCurrentMData()->M_AllCfg.brightLevel));
}

void TestPicture::sliderStepsSendOncePerChange_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("frames");
    QTest::newRow("drag") << "drag" << 1;
    QTest::newRow("two keys") << "keys" << 2;
    QTest::newRow("wheel") << "wheel" << 1;
    QTest::newRow("groove") << "groove" << 1;
}

void TestPicture::sliderStepsSendOncePerChange()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(QString, action);
    QFETCH(int, frames);
    QJsonObject state = baseState();
    SetPicture(state, "M_MosaicLayerCfg", 0, {30, 50, 50, 2, 128, 128, 128});
    startDevice(state);
    readBack();
    LayerPicSetTabDlg* tab = page->tab(0);
    QSlider* s = Groove(tab->slider(SLIDER_BRIGHTNESS));
    QTRY_COMPARE(s->value(), 30);
    const int from = mark();

    if (action == "drag") {
        const QPoint start = HandleRect(s).center();
        MouseEvents::press(s, start);
        for (int dx = 8; dx <= 40; dx += 8)
            MouseEvents::move(s, start + QPoint(dx, 0));
        MouseEvents::release(s, start + QPoint(40, 0));
    } else if (action == "keys") {
        s->setFocus();
        QTest::keyClick(s, Qt::Key_Right);
        QTest::keyClick(s, Qt::Key_Right);
    } else if (action == "wheel") {
        const QPoint at = HandleRect(s).center();
        QWheelEvent wheel(at, s->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &wheel);
    } else {
        const QRect groove = SliderPart(s, QStyle::SC_SliderGroove);
        const QPoint end(groove.right() - 3, groove.center().y());
        QVERIFY(!HandleRect(s).contains(end));
        QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, end);
        QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, end);
    }
    const int value = s->value();
    QVERIFY2(value > 30, qPrintable(QString::number(value)));
    QCOMPARE(int(h->GetCurrentMData()->M_MosaicLayerCfg.picture[0].brightness), value);

    QVERIFY(WaitSenderIdle(h));
    const QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == Repeat(frames, kPictureCode), qPrintable(Describe(got)));
    // Mosaic layer 0: mode 0, LAYERBMAIN 0, layer 0, the picture item, then
    // brightness, contrast, saturation.
    QCOMPARE(Bytes(got.last().payload, 0, 7), QList<int>({0, 0, 0, 1, value, 50, 50}));
}

void TestPicture::addressPerWorkingMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("backupMain");  // LAYERBMAIN of backup layer 0
    QTest::addColumn<QList<int>>("head");  // P0..P3 of the frame; empty: nothing sent

    QTest::newRow("switcher tab 1") << 2 << 1 << 0 << QList<int>{2, 1, 1, 1};
    QTest::newRow("backup tab 0, backup layer") << 4 << 0 << 1 << QList<int>{4, 1, 0, 1};
    QTest::newRow("backup tab 0, main layer") << 4 << 0 << 0 << QList<int>{4, 0, 0, 1};
    QTest::newRow("mosaic tab 3") << 0 << 3 << 0 << QList<int>{0, 0, 3, 1};
    QTest::newRow("working mode 1") << 1 << 0 << 0 << QList<int>{};
}

void TestPicture::addressPerWorkingMode()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(int, mode);
    QFETCH(int, tab);
    QFETCH(int, backupMain);
    QFETCH(QList<int>, head);
    QJsonObject state = baseState();
    SetAll(state, "workMode", mode);
    SetField(state, "M_BackupLayerCfg", "layer", 0, "bMain", backupMain);
    startDevice(state);
    readBack();
    MData* record = h->GetCurrentMData();
    QCOMPARE(record->M_AllCfg.workMode, mode);

    page->tabWidget()->setCurrentIndex(tab);
    QSlider* s = Groove(page->tab(tab)->slider(SLIDER_CONTRAST));
    QTRY_VERIFY(s->isVisible());
    const int before = s->value();
    const MData recordBefore = *record;
    const int from = mark();
    const quint64 sentBefore = h->SentFrameCount();
    {
        QLoggingCategory::setFilterRules(QStringLiteral("ledz.device.debug=true"));
        TestSupport::LogCapture log;
        s->setFocus();
        QTest::keyClick(s, Qt::Key_Right);
        QLoggingCategory::setFilterRules(QStringLiteral("ledz.device.debug=false"));
        QCOMPARE(log.count("tableIndex:"), 1);
        QCOMPARE(log.count("Send CommandType:"), head.isEmpty() ? 0 : 1);
    }
    if (head.isEmpty()) {
        // No layer set: nothing written, nothing queued.
        QCOMPARE(h->PendingShortFrames(), 0);
        QCOMPARE(h->SentFrameCount(), sentBefore);
        QCOMPARE(Picture(record->M_MosaicLayerCfg.picture[0]),
                 Picture(recordBefore.M_MosaicLayerCfg.picture[0]));
        return;
    }
    const LayerPictureCfg& entry = mode == 0   ? record->M_MosaicLayerCfg.picture[tab]
                                   : mode == 2 ? record->M_SwitchLayerCfg.picture[3 + tab]
                                               : record->M_BackupLayerCfg.picture[tab];
    QCOMPARE(int(entry.contrast), before + 1);
    QVERIFY(WaitSenderIdle(h));
    const QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kPictureCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 0, 4), head);
    QCOMPARE(Bytes(got[0].payload, 5, 1), QList<int>{before + 1});
    if (mode == 2) {
        // Group 0 of the switch set is never touched.
        QCOMPARE(Picture(record->M_SwitchLayerCfg.picture[tab]),
                 Picture(recordBefore.M_SwitchLayerCfg.picture[tab]));
    }
}

void TestPicture::colourTemperature()
{
    REQUIRE_PRIVATE_NETWORK();
    QJsonObject state = baseState();
    SetPicture(state, "M_MosaicLayerCfg", 2, {50, 52, 50, 8, 140, 128, 120});
    startDevice(state);
    readBack();
    page->tabWidget()->setCurrentIndex(2);
    LayerPicSetTabDlg* tab = page->tab(2);
    auto* list = tab->findChild<QComboBox*>("comboBox");
    QTRY_COMPARE(list->currentIndex(), 8);
    QCOMPARE(ShowsRgb(tab), QStringList({"140 140 on", "128 128 on", "120 120 on"}));
    LayerPictureCfg& entry = h->GetCurrentMData()->M_MosaicLayerCfg.picture[2];
    list->setFocus();
    // The device reports every picture it gets; each step waits for that
    // report, which would otherwise overwrite the next step's values late.
    QSignalSpy reports(h, &MiddleHandler::SigUIRefreshPictureData);
    int sent = 0;
    const auto settled = [&](int more) {
        sent += more;
        return WaitSenderIdle(h) && QTest::qWaitFor([&] { return reports.count() >= sent; });
    };

    // "9300K": the sliders show its row, locked; the device gets the mode
    // with the record's own red, green and blue.
    int from = mark();
    list->setCurrentIndex(5);
    QCOMPARE(ShowsRgb(tab), QStringList({"107 107 off", "112 112 off", "128 128 off"}));
    QCOMPARE(entry.colorTempMode, 5);
    QVERIFY(settled(1));
    QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kPictureCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 9, 4), QList<int>({5, 140, 128, 120}));

    // "5000K" by the keyboard: mode 1, the entry's colours unchanged.
    from = mark();
    list->setCurrentIndex(0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("5000K"));
    QCOMPARE(entry.colorTempMode, 1);
    QCOMPARE(QList<int>({entry.colorTempR, entry.colorTempG, entry.colorTempB}),
             QList<int>({140, 128, 120}));
    QVERIFY(settled(2));
    got = WithCode(since(from), kPictureCode);
    QCOMPARE(got.size(), 2);  // 4000K on the way, then 5000K
    QCOMPARE(Bytes(got.last().payload, 9, 4), QList<int>({1, 140, 128, 120}));
    QTRY_COMPARE(ShowsRgb(tab), QStringList({"128 128 off", "114 114 off", "103 103 off"}));

    // Custom: the operator's green survives a trip through the list.
    list->setCurrentIndex(8);
    QCOMPARE(ShowsRgb(tab), QStringList({"140 140 on", "128 128 on", "120 120 on"}));
    QVERIFY(settled(1));
    QLineEdit* green = tab->slider(SLIDER_GREEN)->findChild<QLineEdit*>("valueBox");
    green->setFocus();
    green->setText("90");
    from = mark();
    QTest::keyClick(green, Qt::Key_Return);
    QCOMPARE(int(entry.colorTempG), 90);
    QVERIFY(settled(1));
    got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kPictureCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 9, 4), QList<int>({8, 140, 90, 120}));
    list->setCurrentIndex(1);
    QVERIFY(settled(1));
    list->setCurrentIndex(8);
    QCOMPARE(ShowsRgb(tab), QStringList({"140 140 on", "90 90 on", "120 120 on"}));
    QVERIFY(settled(1));
    QTRY_COMPARE(ShowsRgb(tab), QStringList({"140 140 on", "90 90 on", "120 120 on"}));
    QCOMPARE(entry.colorTempMode, 8);
}

void TestPicture::resetAllLayers_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("cancel") << 10 << false << QList<int>{};
    QTest::newRow("ok, level 10") << 10 << true
                                  << QList<int>{kPictureCode, kPictureCode, kAllCfgCode};
    QTest::newRow("ok, level 17") << 17 << true << QList<int>{kPictureCode, kPictureCode};
}

void TestPicture::resetAllLayers()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(int, level);
    QFETCH(bool, ok);
    QFETCH(QList<int>, codes);
    QJsonObject state = baseState();
    SetAll(state, "workMode", 4);
    SetAll(state, "brightLevel", level);
    SetPicture(state, "M_BackupLayerCfg", 0, {20, 30, 40, 5, 1, 2, 3});
    SetPicture(state, "M_BackupLayerCfg", 1, {21, 31, 41, 8, 4, 5, 6});
    startDevice(state);
    readBack();
    QTRY_COMPARE(Groove(page->tab(1)->slider(SLIDER_SATURATION))->value(), 41);
    const MData before = *h->GetCurrentMData();
    const int from = mark();

    WhenModal([ok](CustomMsgBox* box) {
        QVERIFY(box);
        box->findChild<QDialogButtonBox*>()
            ->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
            ->click();
    });
    QTest::mouseClick(page->resetAllButton(), Qt::LeftButton);
    QVERIFY(WaitSenderIdle(h));
    const QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == codes, qPrintable(Describe(got)));
    const MData& after = *h->GetCurrentMData();
    if (!ok) {
        QCOMPARE(Picture(after.M_BackupLayerCfg.picture[0]),
                 Picture(before.M_BackupLayerCfg.picture[0]));
        QCOMPARE(Picture(after.M_BackupLayerCfg.picture[1]),
                 Picture(before.M_BackupLayerCfg.picture[1]));
        QCOMPARE(Groove(page->brightLevelSlider())->value(), level);
        return;
    }
    // Brightness, contrast, saturation 50 and 6500K; the colours stay.
    QCOMPARE(Picture(after.M_BackupLayerCfg.picture[0]), QList<int>({50, 50, 50, 2, 1, 2, 3}));
    QCOMPARE(Picture(after.M_BackupLayerCfg.picture[1]), QList<int>({50, 50, 50, 2, 4, 5, 6}));
    QCOMPARE(Bytes(got[0].payload, 0, 13),
             QList<int>({4, 0, 0, 1, 50, 50, 50, 0x32, 0x32, 2, 1, 2, 3}));
    QCOMPARE(Bytes(got[1].payload, 0, 4), QList<int>({4, 1, 1, 1}));
    QCOMPARE(after.M_AllCfg.brightLevel, 17);
    if (level != 17)
        QCOMPARE(Bytes(got[2].payload, 0, 3), QList<int>({0xFF, 4, 17}));
    QTRY_COMPARE(BoxText(page->brightLevelSlider()), QStringLiteral("OFF"));
    QTRY_COMPARE(ShowsRgb(page->tab(1)),
                 QStringList({"128 128 off", "128 128 off", "128 128 off"}));
    QCOMPARE(Groove(page->tab(1)->slider(SLIDER_SATURATION))->value(), 50);
}

void TestPicture::colourScenesAndGamma()
{
    REQUIRE_PRIVATE_NETWORK();
    startDevice(baseState());
    readBack();
    ColorManagementDlg* panel = page->colorPanel();
    NeoSliderComb* gamma = panel->gammaSlider();
    AllCfg& cfg = h->GetCurrentMData()->M_AllCfg;
    QTRY_VERIFY(panel->sceneButton(0)->isChecked());  // the state's scene 8
    // Each change waits for the device's report of it: a report still on its
    // way would move the slider back to the device's previous value.
    QSignalSpy reports(h, &MiddleHandler::SigUIRefreshAllCfg);

    int from = mark();
    QTest::mouseClick(panel->sceneButton(4), Qt::LeftButton);
    QCOMPARE(cfg.gammaMode, 3);
    QVERIFY(panel->sceneButton(4)->isChecked());
    QVERIFY(!Groove(gamma)->isEnabled());
    QVERIFY(WaitSenderIdle(h));
    QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kAllCfgCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 0, 5), QList<int>({0xFF, 0, 17, 3, 22}));
    QTRY_COMPARE(reports.count(), 1);

    from = mark();
    QTest::mouseClick(panel->sceneButton(0), Qt::LeftButton);
    QCOMPARE(cfg.gammaMode, 8);
    QVERIFY(Groove(gamma)->isEnabled());
    QVERIFY(WaitSenderIdle(h));
    got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kAllCfgCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 3, 1), QList<int>{8});
    QTRY_COMPARE(reports.count(), 2);

    // Every position, one keyboard step at a time, is stored as itself.
    QSlider* s = Groove(gamma);
    s->setFocus();
    from = mark();
    QTest::keyClick(s, Qt::Key_Home);
    QCOMPARE(int(cfg.gammaValue), 0);
    QCOMPARE(BoxText(gamma), QStringLiteral("OFF"));
    QTRY_COMPARE(reports.count(), 3);
    for (int position = 1; position <= 50; ++position) {
        QTest::keyClick(s, Qt::Key_Right);
        QCOMPARE(int(cfg.gammaValue), position);
        QCOMPARE(BoxText(gamma), QString::number(position / 10.0));
        QTRY_COMPARE(reports.count(), position + 3);
    }
    QVERIFY(WaitSenderIdle(h));
    got = since(from);
    QVERIFY2(Codes(got) == Repeat(51, kAllCfgCode), qPrintable(Describe(got)));
    for (int position = 0; position <= 50; ++position)
        QCOMPARE(Bytes(got[position].payload, 4, 1), QList<int>{position});
}

void TestPicture::brightLevelAndLayerReset()
{
    REQUIRE_PRIVATE_NETWORK();
    QJsonObject state = baseState();
    SetPicture(state, "M_MosaicLayerCfg", 1, {20, 30, 40, 8, 1, 2, 3});
    startDevice(state);
    readBack();
    NeoSliderComb* level = page->brightLevelSlider();
    QCOMPARE(Shows(level), QStringLiteral("17 OFF on"));

    // One step down: the whole summary goes with the new level.
    int from = mark();
    Groove(level)->setFocus();
    QTest::keyClick(Groove(level), Qt::Key_Left);
    QCOMPARE(Shows(level), QStringLiteral("16 16 on"));
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.brightLevel, 16);
    QVERIFY(WaitSenderIdle(h));
    QList<RxFrame> got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kAllCfgCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 0, 6), QList<int>({0xFF, 0, 16, 8, 22, 1}));

    // The layer's own "Reset": 50s and 6500K for that layer alone.
    page->tabWidget()->setCurrentIndex(1);
    LayerPicSetTabDlg* tab = page->tab(1);
    QTRY_COMPARE(Groove(tab->slider(SLIDER_CONTRAST))->value(), 30);
    from = mark();
    QTest::mouseClick(tab->findChild<QPushButton*>("Reset_Btn"), Qt::LeftButton);
    QCOMPARE(Picture(h->GetCurrentMData()->M_MosaicLayerCfg.picture[1]),
             QList<int>({50, 50, 50, 2, 1, 2, 3}));
    QCOMPARE(ShowsRgb(tab), QStringList({"128 128 off", "128 128 off", "128 128 off"}));
    QCOMPARE(Shows(tab->slider(SLIDER_CONTRAST)), QStringLiteral("50 50 on"));
    QVERIFY(WaitSenderIdle(h));
    got = since(from);
    QVERIFY2(Codes(got) == QList<int>{kPictureCode}, qPrintable(Describe(got)));
    QCOMPARE(Bytes(got[0].payload, 0, 13),
             QList<int>({0, 0, 1, 1, 50, 50, 50, 0x32, 0x32, 2, 1, 2, 3}));
}

void TestPicture::redrawFromDevice()
{
    REQUIRE_PRIVATE_NETWORK();
    QJsonObject state = baseState();
    SetAll(state, "brightLevel", 5);
    SetAll(state, "gammaMode", 7);
    SetAll(state, "gammaValue", 25);
    SetPicture(state, "M_MosaicLayerCfg", 0, {20, 30, 40, 5, 1, 2, 3});
    SetPicture(state, "M_MosaicLayerCfg", 1, {60, 70, 80, 8, 10, 20, 30});
    SetPicture(state, "M_MosaicLayerCfg", 2, {1, 2, 3, 12, 4, 5, 6});  // no such temperature
    SetPicture(state, "M_BackupLayerCfg", 0, {11, 12, 13, 3, 0, 0, 0});
    SetPicture(state, "M_BackupLayerCfg", 1, {14, 15, 16, 8, 7, 8, 9});
    SetField(state, "M_BackupLayerCfg", "layer", 0, "bMain", 1);
    SetField(state, "M_BackupLayerCfg", "layer", 1, "bMain", 7);
    startDevice(state);
    QSignalSpy tabLists(page->tab(0), SIGNAL(ColorTempComboxIndexChange(int)));
    int from = mark();
    readBack();

    auto list = [this](int t) { return page->tab(t)->findChild<QComboBox*>("comboBox"); };
    QTRY_COMPARE(Shows(page->tab(0)->slider(SLIDER_CONTRAST)), QStringLiteral("30 30 on"));
    QCOMPARE(Shows(page->brightLevelSlider()), QStringLiteral("5 5 on"));
    QCOMPARE(list(0)->currentIndex(), 5);
    QCOMPARE(ShowsRgb(page->tab(0)), QStringList({"107 107 off", "112 112 off", "128 128 off"}));
    QCOMPARE(list(1)->currentIndex(), 8);
    QCOMPARE(ShowsRgb(page->tab(1)), QStringList({"10 10 on", "20 20 on", "30 30 on"}));
    QCOMPARE(list(2)->currentIndex(), -1);
    QCOMPARE(Shows(page->tab(2)->slider(SLIDER_BRIGHTNESS)), QStringLiteral("1 1 on"));
    QVERIFY(page->colorPanel()->sceneButton(0)->isChecked());
    QCOMPARE(Shows(page->colorPanel()->gammaSlider()), QStringLiteral("25 2.5 on"));
    for (int t = 0; t < 4; ++t) {
        QVERIFY(page->tabWidget()->isTabEnabled(t));
        QCOMPARE(page->tabWidget()->tabText(t), QStringLiteral("layer-%1").arg(t + 1));
    }
    QCOMPARE(tabLists.count(), 0);
    // The redraw sent nothing: the device got the request alone.
    QVERIFY2(Codes(since(from)) == QList<int>{0x0600}, qPrintable(Describe(since(from))));

    // Another page switches the device to backup; its reports redraw the page.
    from = mark();
    MData* record = h->GetCurrentMData();
    record->M_AllCfg.workMode = BACKUP_MODE;
    QSignalSpy ends(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    SendCommand(&record->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    QVERIFY(WaitReadBackEnds(h, ends, 1));
    QTRY_VERIFY(!page->tabWidget()->isTabEnabled(2));
    QVERIFY(!page->tabWidget()->isTabEnabled(3));
    QVERIFY(page->tabWidget()->isTabEnabled(0) && page->tabWidget()->isTabEnabled(1));
    QCOMPARE(page->tabWidget()->tabText(0), QStringLiteral("Backup Layer"));
    QCOMPARE(page->tabWidget()->tabText(1), QString());
    QCOMPARE(page->tabWidget()->tabText(2), QStringLiteral("layer-3"));
    QCOMPARE(page->tabWidget()->tabText(3), QStringLiteral("layer-4"));
    QTRY_COMPARE(list(0)->currentIndex(), 3);
    QCOMPARE(ShowsRgb(page->tab(0)), QStringList({"119 119 off", "120 120 off", "128 128 off"}));
    QCOMPARE(Shows(page->tab(1)->slider(SLIDER_SATURATION)), QStringLiteral("16 16 on"));
    QCOMPARE(ShowsRgb(page->tab(1)), QStringList({"7 7 on", "8 8 on", "9 9 on"}));
    QCOMPARE(tabLists.count(), 0);
    QVERIFY2(Codes(since(from)) == QList<int>{kAllCfgCode}, qPrintable(Describe(since(from))));
}

void TestPicture::projectLoadRedrawsEverything()
{
    // No device: the page shows the record that a project load filled.
    MData& record = h->FallbackRecord();
    record.M_AllCfg.workMode = SWITCHER_MODE;
    record.M_AllCfg.brightLevel = 3;
    record.M_AllCfg.gammaMode = 2;
    record.M_AllCfg.gammaValue = 10;
    record.M_SwitchLayerCfg.picture[3 + 2].contrast = 77;
    record.M_SwitchLayerCfg.picture[2].contrast = 11;  // group 0: not this page's
    const quint64 sent = h->SentFrameCount();
    page->UiRefreshAll();
    ColorManagementDlg* panel = page->colorPanel();
    QVERIFY(panel->sceneButton(3)->isChecked());
    QCOMPARE(Shows(panel->gammaSlider()), QStringLiteral("10 1 off"));
    QCOMPARE(Shows(page->brightLevelSlider()), QStringLiteral("3 3 on"));
    QCOMPARE(Groove(page->tab(2)->slider(SLIDER_CONTRAST))->value(), 77);
    QVERIFY(page->tabWidget()->isTabEnabled(2));
    QVERIFY(!page->tabWidget()->isTabEnabled(3));
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->SentFrameCount(), sent);

    // A scene the panel does not know leaves its buttons and slider alone.
    record.M_AllCfg.gammaMode = 5;
    record.M_AllCfg.gammaValue = 200;
    page->UiRefreshAll();
    QVERIFY(panel->sceneButton(3)->isChecked());
    QCOMPARE(Shows(panel->gammaSlider()), QStringLiteral("50 5 off"));
}

void TestPicture::tabRedrawRaisesNothing()
{
    MData& record = h->FallbackRecord();
    record.M_AllCfg.workMode = MOSAIC_MODE;
    LayerPicSetTabDlg* tab2 = page->tab(2);
    LayerPicSetTabDlg* tab1 = page->tab(1);
    QSignalSpy raised(tab2, SIGNAL(ColorTempComboxIndexChange(int)));
    QSignalSpy slid(tab2, SIGNAL(FindSliderValueChange(float, PicSlider)));
    record.M_MosaicLayerCfg.picture[2] = LayerPictureCfg{5, 6, 7, 3, 0, 0, 0};
    record.M_MosaicLayerCfg.picture[1] = LayerPictureCfg{9, 9, 9, 8, 10, 20, 30};

    // The device's report redraws the page from the record at the next turn,
    // and nothing is raised.
    QComboBox* list2 = tab2->findChild<QComboBox*>("comboBox");
    emit h->SigUIRefreshPictureData(2);
    QTRY_COMPARE(list2->currentIndex(), 3);
    QCOMPARE(ShowsRgb(tab2), QStringList({"119 119 off", "120 120 off", "128 128 off"}));
    QCOMPARE(Shows(tab2->slider(SLIDER_SATURATION)), QStringLiteral("7 7 on"));
    QCOMPARE(ShowsRgb(tab1), QStringList({"10 10 on", "20 20 on", "30 30 on"}));
    // A tab answers the report of its own layer only.
    record.M_MosaicLayerCfg.picture[2].saturation = 44;
    tab2->On_SigUIRefreshPictureData(1);
    QCOMPARE(Shows(tab2->slider(SLIDER_SATURATION)), QStringLiteral("7 7 on"));
    tab2->On_SigUIRefreshPictureData(2);
    QCOMPARE(Shows(tab2->slider(SLIDER_SATURATION)), QStringLiteral("44 44 on"));
    QCOMPARE(raised.count(), 0);
    QCOMPARE(slid.count(), 0);

    // The colour-temperature "Reset": 128s at once, then 6500K from the page.
    tab2->findChild<QPushButton*>("pushButton")->click();
    QCOMPARE(record.M_MosaicLayerCfg.picture[2].colorTempMode, 2);
    QCOMPARE(tab2->findChild<QComboBox*>("comboBox")->currentText(), QStringLiteral("6500K"));
    QCOMPARE(ShowsRgb(tab2), QStringList({"128 128 off", "128 128 off", "128 128 off"}));
    QCOMPARE(Shows(tab2->slider(SLIDER_SATURATION)), QStringLiteral("44 44 on"));
    QCOMPARE(raised.count(), 0);
}

void TestPicture::escapeKeepsThePage()
{
    page->setFocus();
    QTest::keyClick(page.get(), Qt::Key_Escape);
    QTest::keyClick(page->tab(0), Qt::Key_Escape);
    QVERIFY(page->isVisible());
}

LEDZ_GUI_TEST_MAIN(TestPicture)
#include "test_picture.moc"
