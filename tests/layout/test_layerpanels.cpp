// The layer sub-panels (zoom window, chroma key, group fades) as the operator
// uses them, against the simulated processor in the private test network:
// the frames it received and the record the program keeps.
#include "ChromaKeyDlg.h"
#include "CommandEncoder.h"
#include "GuiTest.h"
#include "KSV_LayerGroupDlg.h"
#include "LayerZoomDlg.h"
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "NeoSliderComb.h"
#include "ProcSim.h"
#include "ResizeShowComponent.h"
#include "SelectedSim.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace TestNet;
using TestSupport::LogCapture;
using TestSupport::WaitSenderIdle;

namespace {
QString Hex(const Payload& p)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(p.data()), Frame::kPayloadSize).toHex());
}

}  // namespace

class TestLayerPanels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void redrawFromDevice();
    void groupFade();
    void chromaQuickSet();
    void chromaSliderInSwitcher();
    void zoomDragSendsOnRelease();
    void zoomEdits_data();
    void zoomEdits();
    void matchToInput();
    void otherWorkingModesSendNothing();

private:
    MData* record() { return h->GetCurrentMData(); }
    // Frames of that code the device received (outside batches), payloads in hex.
    QStringList received(int code) const;
    bool waitReceived(int code, const QString& payload);
    void typeInto(QLineEdit* edit, const QString& text);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    QTemporaryDir dir;
};

void TestLayerPanels::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();

    // The device's own values, which the panels must show after a read-back.
    QFile f(ProcSim::stateFile("z7050-1.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QJsonObject state = QJsonDocument::fromJson(f.readAll()).object();
    QJsonValueRef root = state["M_MosaicLayerCfg"];
    auto set = [&](const QString& path, const QJsonValue& v) {
        QStringList parts = path.split('.');
        const QString top = parts.takeFirst();
        SetJson(state[top], parts, v);
    };
    Q_UNUSED(root);
    set("M_AllCfg.workMode", 0);
    set("M_MosaicLayerCfg.durationTime", 10);
    const QList<int> zoom1 = {100, 1000, 50, 700, 1920, 1080};  // hs hact vs vact ranges
    const char* zoomKeys[] = {"hs", "hact", "vs", "vact", "hRange", "vRange"};
    for (int i = 0; i < 6; ++i)
        set(QString("M_MosaicLayerCfg.zoom.1.%1").arg(zoomKeys[i]), zoom1[i]);
    set("M_MosaicLayerCfg.zoom.1.onOff", true);
    const char* keyKeys[] = {"minR", "maxR", "minG", "maxG", "minB", "maxB", "onOff"};
    const QList<int> key1 = {11, 22, 33, 44, 55, 66, 1};
    for (int i = 0; i < 7; ++i)
        set(QString("M_MosaicLayerCfg.chromaKey.1.%1").arg(keyKeys[i]), key1[i]);
    // Layer 1 shows input 2, whose active port 1 carries 3840 x 2160.
    set("M_MosaicLayerCfg.layer.1.inputId", 1);
    set("M_MosaicLayerCfg.layer.1.halfId", 0);
    set("M_MosaicLayerCfg.layer.1.tileEnable", 0);
    set("M_InputData.port.1.actId", 1);
    set("M_InputData.signal.1.width.0.1", 3840);
    set("M_InputData.signal.1.height.0.1", 2160);
    // Tile 1 of two 1920 x 1080 sources (inputs 3 and 4, port 0).
    set("M_InputData.tile.0.count", 2);
    set("M_InputData.tile.0.input.0", 2);
    set("M_InputData.tile.0.input.1", 3);
    set("M_InputData.tile.0.half.0", 0);
    set("M_InputData.tile.0.half.1", 0);
    for (int in : {2, 3}) {
        set(QString("M_InputData.port.%1.actId").arg(in), 0);
        set(QString("M_InputData.signal.%1.width.0.0").arg(in), 1920);
        set(QString("M_InputData.signal.%1.height.0.0").arg(in), 1080);
    }
    set("M_InputData.tile.1.count", 0);
    const QString path = dir.filePath("state.json");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(state).toJson());
    out.close();

    sim = SelectedSim::Start(h, path);
    QVERIFY(sim);
    QCOMPARE(record()->M_MosaicLayerCfg.durationTime, uint8_t(10));
}

void TestLayerPanels::cleanupTestCase()
{
    sim.reset();
    if (h)
        h->ShutdownForTest();
}

void TestLayerPanels::init()
{
    QVERIFY(WaitSenderIdle(h));
    record()->M_AllCfg.workMode = MOSAIC_MODE;
}

QStringList TestLayerPanels::received(int code) const
{
    QStringList out;
    for (const QJsonObject& l : sim->logLines())
        if (l.value("dir").toString() == "rx" && l.value("dev").toString() == kDeviceIp1 &&
            !l.value("inBatch").toBool() && l.value("code").toInt() == code)
            out << l.value("payload").toString();
    return out;
}

bool TestLayerPanels::waitReceived(int code, const QString& payload)
{
    return sim->waitForLog(
        [&](const QJsonObject& l) {
            return l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
                   l.value("payload").toString() == payload;
        },
        5000);
}

void TestLayerPanels::typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestLayerPanels::redrawFromDevice()
{
    LogCapture log;
    LayerZoomDlg zoom(nullptr);
    ChromaKeyDlg key(nullptr);
    QSignalSpy keyOn(&key, &ChromaKeyDlg::SigChromakeyOnOff);
    zoom.setLayerIndex(1);
    key.setLayerIndex(1);
    const QStringList shown = {zoom.findChild<QLineEdit*>("lineEdit")->text(),
                               zoom.findChild<QLineEdit*>("lineEdit_3")->text(),
                               zoom.findChild<QLineEdit*>("lineEdit_2")->text(),
                               zoom.findChild<QLineEdit*>("lineEdit_4")->text(),
                               zoom.findChild<QLineEdit*>("lineEdit_5")->text(),
                               zoom.findChild<QLineEdit*>("lineEdit_6")->text()};
    QCOMPARE(shown, (QStringList{"100", "1000", "50", "700", "1920", "1080"}));
    QVERIFY(zoom.findChild<QPushButton*>("ZoomOnoffBtn")->isChecked());
    const QList<int> keyValues = {11, 22, 33, 44, 55, 66};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(key.slider(i)->findChild<QLineEdit*>()->text(), QString::number(keyValues[i]));
    QCOMPARE(keyOn.count(), 1);
    QCOMPARE(keyOn.at(0).at(0).toBool(), true);

    // A reply for another layer changes nothing; for this one it redraws.
    record()->M_MosaicLayerCfg.zoom[1].hs = 200;
    emit h->SigUIRefreshLayerZoomData(0);
    QCOMPARE(zoom.findChild<QLineEdit*>("lineEdit")->text(), QString("100"));
    emit h->SigUIRefreshLayerZoomData(1);
    QCOMPARE(zoom.findChild<QLineEdit*>("lineEdit")->text(), QString("200"));
    record()->M_MosaicLayerCfg.zoom[1].hs = 100;
    QCOMPARE(log.count("Send CommandType"), 0);
}

void TestLayerPanels::groupFade()
{
    KSV_LayerGroupDlg panel(nullptr);
    // Group2: layers 1 and 3; the same layer 2 ticked in Group1 takes no part.
    panel.layerButton(1, 0)->click();
    panel.layerButton(1, 2)->click();
    panel.layerButton(0, 1)->click();
    record()->M_MosaicLayerCfg.layer[0].alpha = 0;
    record()->M_MosaicLayerCfg.layer[1].alpha = 7;
    record()->M_MosaicLayerCfg.layer[2].alpha = 0;
    // The record is checked before the device's answers arrive: they carry
    // its own alphas back.
    panel.fadeButton(1, true)->click();
    QCOMPARE(record()->M_MosaicLayerCfg.layer[0].alpha, uint8_t(64));
    QCOMPARE(record()->M_MosaicLayerCfg.layer[2].alpha, uint8_t(64));
    QCOMPARE(record()->M_MosaicLayerCfg.layer[1].alpha, uint8_t(7));
    const QString in = "0a5500010a55555502010a555555" + QString("55").repeated(18);
    QVERIFY(waitReceived(0x0650, in));
    QVERIFY(WaitSenderIdle(h));

    panel.fadeButton(1, false)->click();
    QCOMPARE(record()->M_MosaicLayerCfg.layer[0].alpha, uint8_t(0));
    QCOMPARE(record()->M_MosaicLayerCfg.layer[2].alpha, uint8_t(0));
    const QString out = "0a5500000a55555502000a555555" + QString("55").repeated(18);
    QVERIFY(waitReceived(0x0650, out));

    // A group with nothing ticked sends nothing.
    LogCapture log;
    panel.fadeButton(3, true)->click();
    QCOMPARE(log.count("Send CommandType"), 0);
    QVERIFY(WaitSenderIdle(h));
    QCOMPARE(received(0x0650).count(in) + received(0x0650).count(out), 2);
}

void TestLayerPanels::chromaQuickSet()
{
    ChromaKeyDlg panel(nullptr);
    record()->M_MosaicLayerCfg.layer[2].bMain = 1;
    record()->M_MosaicLayerCfg.chromaKey[2].onOff = 1;
    panel.setLayerIndex(2);
    panel.quickSetButton(11)->click();  // "Blue On White"
    QCOMPARE(panel.quickSetButton(11)->text(), QString("Blue On White"));
    const ChromaKeyCfg& k = record()->M_MosaicLayerCfg.chromaKey[2];
    QCOMPARE((QList<int>{k.minR, k.maxR, k.minG, k.maxG, k.minB, k.maxB}),
             (QList<int>{0, 128, 0, 128, 192, 255}));
    QCOMPARE(k.onOff, uint8_t(1));
    QCOMPARE(panel.slider(5)->findChild<QLineEdit*>()->text(), QString("255"));
    QVERIFY(waitReceived(DeviceCode::kLayerItem, Hex(ChromaKeyPayload(k, 0, 1, 2))));
    QVERIFY(WaitSenderIdle(h));
    const QJsonObject dev = sim->dumpedState(kDeviceIp1)["M_MosaicLayerCfg"]
                                .toObject()["chromaKey"]
                                .toArray()
                                .at(2)
                                .toObject();
    QCOMPARE(dev["minB"].toInt(), 192);
    QCOMPARE(dev["maxG"].toInt(), 128);
    record()->M_MosaicLayerCfg.layer[2].bMain = 0;

    // "Red On White" and "Red On Black" give the same record.
    panel.quickSetButton(9)->click();
    const ChromaKeyCfg white = k;
    panel.quickSetButton(6)->click();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&k), 6),
             QByteArray(reinterpret_cast<const char*>(&white), 6));
}

void TestLayerPanels::chromaSliderInSwitcher()
{
    ChromaKeyDlg panel(nullptr);
    record()->M_AllCfg.workMode = SWITCHER_MODE;
    panel.setLayerIndex(0);
    QLineEdit* box = panel.slider(3)->findChild<QLineEdit*>();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "200");
    QTest::keyClick(box, Qt::Key_Return);
    const ChromaKeyCfg& k = record()->M_SwitchLayerCfg.chromaKey[3];
    QCOMPARE(k.maxG, uint8_t(200));
    QVERIFY(waitReceived(DeviceCode::kLayerItem, Hex(ChromaKeyPayload(k, 2, 1, 0))));
}

void TestLayerPanels::zoomDragSendsOnRelease()
{
    LayerZoomDlg panel(nullptr);
    LayerZoomCfg& z = record()->M_MosaicLayerCfg.zoom[0];
    z = LayerZoomCfg{0, 960, 0, 540, 1920, 1080, true};
    panel.resize(783, 160);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.setLayerIndex(0);
    ResizeShowComponent* r = panel.resizeRect();
    LogCapture log;
    const QPoint start(r->width() / 4, r->height() / 4);
    const QPoint g = r->mapToGlobal(start);
    MouseEvents::press(r, start);
    for (int d : {5, 10, 20})
        MouseEvents::moveGlobal(r, g + QPoint(d, d / 2));
    QCOMPARE(log.count("Send CommandType:16"), 0);
    QVERIFY(z.hs > 0 && z.vs > 0);
    QCOMPARE(panel.findChild<QLineEdit*>("lineEdit")->text(), QString::number(z.hs));
    MouseEvents::release(r, r->mapFromGlobal(g + QPoint(20, 10)));
    QCOMPARE(log.count("Send CommandType:16"), 1);
    QCOMPARE(z.hact, uint16_t(960));
    QVERIFY(waitReceived(DeviceCode::kLayerItem, Hex(LayerZoomPayload(z, 0, 0, 0))));
}

void TestLayerPanels::zoomEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("before");  // hs hact hRange
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("Hact 100 -> 256")
        << "lineEdit_3"
        << "100" << QList<int>{0, 1000, 1920} << QList<int>{0, 256, 1920};
    QTest::newRow("Hact held in range")
        << "lineEdit_3"
        << "300" << QList<int>{1800, 100, 1920} << QList<int>{1800, 120, 1920};
    QTest::newRow("Hpos held in range")
        << "lineEdit"
        << "2000" << QList<int>{0, 1920, 1920} << QList<int>{0, 1920, 1920};
    QTest::newRow("HRange 100 -> 256")
        << "lineEdit_5"
        << "100" << QList<int>{0, 256, 1920} << QList<int>{0, 256, 256};
    QTest::newRow("HRange below hact")
        << "lineEdit_5"
        << "1000" << QList<int>{100, 1800, 1920} << QList<int>{0, 1000, 1000};
    QTest::newRow("HRange moves the window")
        << "lineEdit_5"
        << "1000" << QList<int>{800, 500, 1920} << QList<int>{500, 500, 1000};
    QTest::newRow("HRange at 0 shrinks")
        << "lineEdit_5"
        << "1280" << QList<int>{0, 1920, 1920} << QList<int>{0, 1280, 1280};
    QTest::newRow("HRange fits") << "lineEdit_5"
                                 << "1000" << QList<int>{100, 500, 1920}
                                 << QList<int>{100, 500, 1000};
    QTest::newRow("window larger than range: 0, not wrapped")
        << "lineEdit"
        << "10" << QList<int>{0, 2000, 1920} << QList<int>{0, 2000, 1920};
}

void TestLayerPanels::zoomEdits()
{
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    LayerZoomDlg panel(nullptr);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    LayerZoomCfg& z = record()->M_MosaicLayerCfg.zoom[3];
    z = LayerZoomCfg{
        uint16_t(before[0]), uint16_t(before[1]), 0, 540, uint16_t(before[2]), 1080, false};
    panel.setLayerIndex(3);
    typeInto(panel.findChild<QLineEdit*>(edit), typed);
    QCOMPARE((QList<int>{z.hs, z.hact, z.hRange}), after);
    QCOMPARE(panel.findChild<QLineEdit*>("lineEdit_3")->text(), QString::number(after[1]));
    QVERIFY(waitReceived(DeviceCode::kLayerItem, Hex(LayerZoomPayload(z, 0, 0, 3))));
}

void TestLayerPanels::matchToInput()
{
    LayerZoomDlg panel(nullptr);
    LayerZoomCfg& z = record()->M_MosaicLayerCfg.zoom[1];
    const LayerZoomCfg saved = z;
    z = LayerZoomCfg{960, 960, 540, 540, 1920, 1080, true};
    panel.setLayerIndex(1);
    panel.findChild<QPushButton*>("pushButton_2")->click();
    QCOMPARE((QList<int>{z.hs, z.vs, z.hact, z.vact, z.hRange, z.vRange}),
             (QList<int>{1920, 1080, 1920, 1080, 3840, 2160}));
    QVERIFY(waitReceived(DeviceCode::kLayerItem, Hex(LayerZoomPayload(z, 0, 0, 1))));

    // A tile of two 1920 x 1080 sources.
    LayerRecord& layer = record()->M_MosaicLayerCfg.layer[1];
    layer.inputId = 6;
    z = LayerZoomCfg{0, 1920, 0, 1080, 1920, 1080, true};
    panel.findChild<QPushButton*>("pushButton_2")->click();
    QCOMPARE((QList<int>{z.hs, z.vs, z.hact, z.vact, z.hRange, z.vRange}),
             (QList<int>{0, 0, 3840, 1080, 3840, 1080}));

    // A tile of no sources has no size: nothing changes, nothing is sent.
    LogCapture log;
    layer.inputId = 7;
    const LayerZoomCfg before = z;
    panel.findChild<QPushButton*>("pushButton_2")->click();
    QCOMPARE(z.hRange, before.hRange);
    QCOMPARE(z.hact, before.hact);
    QCOMPARE(log.count("Send CommandType"), 0);
    layer.inputId = 1;
    z = saved;
}

void TestLayerPanels::otherWorkingModesSendNothing()
{
    LayerZoomDlg zoom(nullptr);
    ChromaKeyDlg key(nullptr);
    KSV_LayerGroupDlg group(nullptr);
    const MData before = *record();
    LogCapture log;
    QSignalSpy keyOn(&key, &ChromaKeyDlg::SigChromakeyOnOff);
    for (int mode : {1, 3, 5}) {
        record()->M_AllCfg.workMode = mode;
        zoom.setLayerIndex(0);
        key.setLayerIndex(0);
        zoom.findChild<QPushButton*>("pushButton")->click();
        zoom.findChild<QPushButton*>("pushButton_2")->click();
        zoom.findChild<QPushButton*>("ZoomOnoffBtn")->click();
        typeInto(zoom.findChild<QLineEdit*>("lineEdit_3"), "500");
        key.quickSetButton(0)->click();
        key.findChild<QPushButton*>("pushButton")->click();
        group.layerButton(0, 0)->setChecked(true);
        group.fadeButton(0, true)->click();
    }
    // Layer indexes outside the working mode's set.
    record()->M_AllCfg.workMode = BACKUP_MODE;
    zoom.setLayerIndex(2);
    zoom.findChild<QPushButton*>("pushButton")->click();
    key.setLayerIndex(2);
    key.quickSetButton(0)->click();
    record()->M_AllCfg.workMode = SWITCHER_MODE;
    group.fadeButton(0, true)->click();
    QCOMPARE(log.count("Send CommandType"), 0);
    // The key's switch still reports its state.
    QCOMPARE(keyOn.count(), 3);
    record()->M_AllCfg.workMode = MOSAIC_MODE;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&before.M_MosaicLayerCfg.zoom[0]),
                        sizeof(LayerZoomCfg)),
             QByteArray(reinterpret_cast<const char*>(&record()->M_MosaicLayerCfg.zoom[0]),
                        sizeof(LayerZoomCfg)));
}

LEDZ_GUI_TEST_MAIN(TestLayerPanels)
#include "test_layerpanels.moc"
