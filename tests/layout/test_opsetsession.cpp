// Every change reaches the device: one scripted session through the output
// and layer page in each working mode, as the operator works it (the page's
// cell buttons, the output panel's and the layer panel's edits, a drag on the
// canvas). procsim then holds exactly the frames that the edits make, in
// order, none dropped and none sent twice; and a new read-back brings the
// edited values back onto both panels and the canvas.
#include "AppPaths.h"
#include "CommandEncoder.h"
#include "GuiTest.h"
#include "KSV_OpSetDlg.h"
#include "LayerSettingDlg.h"
#include "LinkedDevice.h"
#include "MData.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "OpParamSet.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProcSim.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QRect R(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

// A frame as procsim's log shows it (FrameLog.h): the code, then the payload
// without its trailing fill.
QString Text(const EncodedCommand& cmd)
{
    QByteArray p(reinterpret_cast<const char*>(cmd.payload.data()), Frame::kPayloadSize);
    while (p.endsWith('\x55'))
        p.chop(1);
    QString out = QStringLiteral("%1").arg(cmd.code, 4, 16, QLatin1Char('0'));
    if (!p.isEmpty())
        out += QLatin1Char(' ') + QString::fromLatin1(p.toHex());
    return out;
}

}  // namespace

class TestOpSetSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyChangeReachesTheDevice_data();
    void everyChangeReachesTheDevice();

private:
    MData& record() { return *device.handler()->GetCurrentMData(); }
    PaintCellCtrl* canvas() const { return page->canvas(); }
    // The frame that type sends of data now, as the device must receive it.
    void expect(const void* data, int type, const uint8_t* addr);
    void type(QWidget* panel, const char* edit, const QString& text);

    LinkedDevice device;
    std::unique_ptr<KSV_OpSetDlg> page;
    QTemporaryDir dir;
    QStringList expected;
};

void TestOpSetSession::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    page = std::make_unique<KSV_OpSetDlg>(nullptr);
    page->setGeometry(50, 50, 1200, 950);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void TestOpSetSession::cleanupTestCase()
{
    page.reset();
    device.stop();
    device.handler()->ShutdownForTest();
}

void TestOpSetSession::expect(const void* data, int type, const uint8_t* addr)
{
    const EncodedCommand cmd = EncodeCommand(data, type, addr, CurrentCommandContext());
    QCOMPARE(cmd.route, CommandRoute::Queue);
    expected << Text(cmd);
}

void TestOpSetSession::type(QWidget* panel, const char* edit, const QString& text)
{
    auto* e = panel->findChild<QLineEdit*>(QLatin1String(edit));
    QVERIFY2(e, edit);
    QVERIFY2(e->isEnabled(), edit);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

void TestOpSetSession::everyChangeReachesTheDevice_data()
{
    QTest::addColumn<int>("workMode");
    QTest::newRow("mosaic") << int(MOSAIC_MODE);
    QTest::newRow("switcher") << int(SWITCHER_MODE);
    QTest::newRow("backup") << int(BACKUP_MODE);
}

void TestOpSetSession::everyChangeReachesTheDevice()
{
    QFETCH(int, workMode);
    QFile in(ProcSim::stateFile(QStringLiteral("z7050-1.json")));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QJsonObject state = QJsonDocument::fromJson(in.readAll()).object();
    QJsonObject all = state[QStringLiteral("M_AllCfg")].toObject();
    all[QStringLiteral("workMode")] = workMode;
    state[QStringLiteral("M_AllCfg")] = all;
    // The switcher drives its one raster over HDMI.
    if (workMode == SWITCHER_MODE) {
        QJsonObject output = state[QStringLiteral("M_OutputData")].toObject();
        QJsonObject reso = output[QStringLiteral("M_OutputResoCfg")].toObject();
        reso[QStringLiteral("outputMode")] = int(HDMI_MODE);
        output[QStringLiteral("M_OutputResoCfg")] = reso;
        state[QStringLiteral("M_OutputData")] = output;
    }
    const QString path = dir.filePath(QStringLiteral("state-%1.json").arg(workMode));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(state).toJson());
    out.close();
    device.handler()->ResetForTest();
    QVERIFY(device.link({"--device", TestNet::kDeviceIp1 + "," + LinkedDevice::kMac1 + ",," + path}));
    QVERIFY(device.settle());
    MiddleHandler* h = device.handler();
    const int resends = h->ResendCount();
    expected.clear();

    // The output view. Mosaic and backup: the second output's window moved,
    // switched off and on. Switcher (one raster, no windows to place): the
    // HDMI settings' RGB range and colour space.
    page->setMode(0);
    OpParamSet* op = page->outputPanel();
    auto opButton = [op](const char* name) { return op->findChild<QPushButton*>(name); };
    const int outputCell = workMode == SWITCHER_MODE ? 0 : 1;
    QVERIFY(page->cellButton(outputCell)->isEnabled());
    page->cellButton(outputCell)->click();
    const int rec = op->currentOutput();
    QVERIFY(rec >= 0 && rec < 6);
    const OutputWindowRecord& w = record().M_OutputData.M_OPDisplayCfg[rec];
    const HdmiSettingCfg& hdmi = record().M_OutputData.M_HdmiSettingCfg;
    if (workMode != SWITCHER_MODE) {
        type(op, "lineEdit", QStringLiteral("100"));
        QCOMPARE(int(w.mosaicHs), 100);
        expect(&w, SEND_OUTPUTWINDOWCMD, nullptr);
        type(op, "lineEdit_2", QStringLiteral("50"));
        QCOMPARE(int(w.mosaicVs), 50);
        expect(&w, SEND_OUTPUTWINDOWCMD, nullptr);
        QPushButton* onOff = opButton("pushButton_10");
        QVERIFY(onOff);
        const bool wasOn = w.onOff != 0;
        onOff->click();
        QCOMPARE(canvas()->outputCells().at(1)->on, !wasOn);
        expect(&w, SEND_OUTPUTWINDOWCMD, nullptr);
        onOff->click();
        QCOMPARE(w.onOff != 0, wasOn);
        QCOMPARE(canvas()->outputCells().at(1)->on, wasOn);
        expect(&w, SEND_OUTPUTWINDOWCMD, nullptr);
    } else {
        QPushButton* settings = opButton("HDMISETTINGBTN");
        QVERIFY(settings && settings->isEnabled());
        if (!settings->isChecked())
            settings->click();
        QVERIFY(opButton("pushButton_5")->isVisible());
        opButton("pushButton_5")->click();  // "Limited"
        QCOMPARE(int(hdmi.rgbRange), 1);
        expect(&hdmi, SEND_HDMISETTINGCMD, nullptr);
        opButton("pushButton_2")->click();  // "YUV444"
        QCOMPARE(int(hdmi.colorSpace), 1);
        expect(&hdmi, SEND_HDMISETTINGCMD, nullptr);
    }

    // The layer view: layer 1 made smaller, moved by numbers, switched off
    // and on, then dragged on the canvas.
    page->setMode(1);
    LayerSettingDlg* lp = page->layerPanel();
    page->cellButton(0)->click();
    QCOMPARE(lp->currentLayer(), 0);
    const LayerRecord& l = workMode == MOSAIC_MODE    ? record().M_MosaicLayerCfg.layer[0]
                           : workMode == BACKUP_MODE ? record().M_BackupLayerCfg.layer[0]
                                                     : record().M_SwitchLayerCfg.layer[3];
    QVERIFY(l.onOff);
    const uint8_t rect[2] = {LAYER_RECT, 0};
    type(lp, "lineEdit_3", QStringLiteral("960"));
    QCOMPARE(int(l.hact), 960);
    expect(&l, SEND_LAYERCMD, rect);
    type(lp, "lineEdit_4", QStringLiteral("540"));
    QCOMPARE(int(l.vact), 540);
    expect(&l, SEND_LAYERCMD, rect);
    type(lp, "lineEdit", QStringLiteral("200"));
    QCOMPARE(int(l.hs), 200);
    expect(&l, SEND_LAYERCMD, rect);
    type(lp, "lineEdit_2", QStringLiteral("100"));
    QCOMPARE(int(l.vs), 100);
    expect(&l, SEND_LAYERCMD, rect);

    PaintCellCtrl* canvas = this->canvas();
    PicVideoCell* cell = canvas->layerCells().at(0);
    QTRY_COMPARE(cell->deviceRect(), R(200, 100, 1159, 639));
    // The backup set's main layer stays on: it has no off switch.
    if (workMode != BACKUP_MODE) {
        const uint8_t onOffAddr[2] = {LAYER_ONOFF, 0};
        auto* layerOnOff = lp->findChild<QPushButton*>(QStringLiteral("LayerOnOffBtn"));
        QVERIFY(layerOnOff && layerOnOff->isChecked());
        layerOnOff->click();
        QCOMPARE(int(l.onOff), 0);
        QVERIFY(!cell->on);
        expect(&l, SEND_LAYERCMD, onOffAddr);
        layerOnOff->click();
        QCOMPARE(int(l.onOff), 1);
        QVERIFY(cell->on);
        expect(&l, SEND_LAYERCMD, onOffAddr);
    }

    // Dragged by 40 screen pixels to the right and 24 down: 8 device units
    // per pixel.
    page->cellButton(0)->click();
    const QPoint start(30, 30);
    const QPoint g = cell->mapToGlobal(start);
    MouseEvents::press(cell, start);
    for (int d : {10, 20, 40})
        MouseEvents::moveGlobal(cell, g + QPoint(d, d * 24 / 40));
    MouseEvents::release(cell, cell->mapFromGlobal(g + QPoint(40, 24)));
    // Where the cell ends up is the canvas's business (it snaps to edges);
    // the device gets where it ended.
    QVERIFY(l.hs > 200 && l.vs > 100);
    const QRect dragged(QPoint(l.hs, l.vs), QSize(960, 540));
    QCOMPARE(cell->deviceRect(), dragged);
    expect(&l, SEND_LAYERCMD, rect);

    QVERIFY(TestSupport::WaitSenderIdle(h));
    if (device.frames().receivedTexts(TestNet::kDeviceIp1) != expected)
        qWarning() << "received" << device.frames().receivedTexts(TestNet::kDeviceIp1)
                   << "expected" << expected;
    QCOMPARE(device.frames().receivedTexts(TestNet::kDeviceIp1), expected);
    QCOMPARE(h->ResendCount(), resends);

    // Read back as when the operator selects the device again: the panels
    // and the canvas show what was edited.
    page->ResetCells();
    QVERIFY(device.selectAndReadBack(TestNet::kDeviceIp1));
    const QStringList diff = device.diffWithSim(TestNet::kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    page->setMode(1);
    page->cellButton(0)->click();
    QTRY_COMPARE(canvas->layerCells().at(0)->deviceRect(), dragged);
    QCOMPARE(lp->findChild<QLineEdit*>("lineEdit")->text(), QString::number(dragged.x()));
    QCOMPARE(lp->findChild<QLineEdit*>("lineEdit_2")->text(), QString::number(dragged.y()));
    QCOMPARE(lp->findChild<QLineEdit*>("lineEdit_3")->text(), QStringLiteral("960"));
    QCOMPARE(lp->findChild<QLineEdit*>("lineEdit_4")->text(), QStringLiteral("540"));
    page->setMode(0);
    page->cellButton(outputCell)->click();
    QCOMPARE(op->currentOutput(), rec);
    if (workMode != SWITCHER_MODE) {
        QCOMPARE(op->findChild<QLineEdit*>("lineEdit")->text(), QStringLiteral("100"));
        QCOMPARE(op->findChild<QLineEdit*>("lineEdit_2")->text(), QStringLiteral("50"));
        QCOMPARE(canvas->outputCells().at(1)->deviceRect().topLeft(), QPoint(100, 50));
    } else {
        QVERIFY(opButton("pushButton_5")->isChecked());
        QVERIFY(opButton("pushButton_2")->isChecked());
    }

    // The control keyboard's quick take goes through the layer panel: the
    // working mode's duration CUT, the take where Take is enabled, then the
    // mode's duration again.
    QVERIFY(device.settle());
    const uint8_t duration = workMode == MOSAIC_MODE    ? record().M_MosaicLayerCfg.durationTime
                             : workMode == BACKUP_MODE ? record().M_BackupLayerCfg.durationTime
                                                       : record().M_SwitchLayerCfg.durationTime;
    const uint8_t cut[2] = {uint8_t(workMode), 0};
    const uint8_t restore[2] = {uint8_t(workMode), duration};
    const QString first = Text(EncodeCommand(cut, SEND_TAKEDURATIONCMD, nullptr, {}));
    const QString last = Text(EncodeCommand(restore, SEND_TAKEDURATIONCMD, nullptr, {}));
    page->QuickTake();
    QTRY_VERIFY(device.frames().receivedTexts(TestNet::kDeviceIp1).size() >= 2 &&
                device.frames().receivedTexts(TestNet::kDeviceIp1).constLast() == last);
    const QStringList take = device.frames().receivedTexts(TestNet::kDeviceIp1);
    QCOMPARE(take.constFirst(), first);
    QVERIFY(!take.mid(1, take.size() - 2).contains(last));
}

LEDZ_GUI_TEST_MAIN(TestOpSetSession)
#include "test_opsetsession.moc"
