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
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "OpParamSet.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProcSim.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPair>
#include <QPushButton>
#include <QRegion>
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

// Changes to procsim's state: dotted paths (array indexes as keys) and
// their values.
using Tweaks = QList<QPair<QString, QJsonValue>>;

// Counts the paints and the restyles (a polish with the style sheet sets a
// new palette) of the widgets inside one page.
class LookChanges : public QObject {
public:
    explicit LookChanges(QWidget* page) : page_(page) { qApp->installEventFilter(this); }
    ~LookChanges() override { qApp->removeEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type t = e->type();
        if ((t == QEvent::Paint || t == QEvent::PaletteChange || t == QEvent::StyleChange) &&
            o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w == page_ || page_->isAncestorOf(w))
                seen.append(QStringLiteral("%1 %2 %3")
                                .arg(QLatin1String(o->metaObject()->className()), o->objectName(),
                                     QString::number(int(t))));
        }
        return false;
    }

private:
    QWidget* page_;
};

// What one widget has had painted: the union of its paint events' regions.
class Painted : public QObject {
public:
    explicit Painted(QWidget* w) { w->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

}  // namespace

Q_DECLARE_METATYPE(Tweaks)

class TestOpSetSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyChangeReachesTheDevice_data();
    void everyChangeReachesTheDevice();
    void outputLayoutKeepsWallAndPcTogether_data();
    void outputLayoutKeepsWallAndPcTogether();
    void layerSwitchAndRotation_data();
    void layerSwitchAndRotation();
    void refusedSourceOfALayerThatIsOff();
    void readBackOfTheSameConfigurationRepaintsNothing_data();
    void readBackOfTheSameConfigurationRepaintsNothing();
    void outputsThatGoOffLeaveTheLayerView_data();
    void outputsThatGoOffLeaveTheLayerView();

private:
    MData& record() { return *device.handler()->GetCurrentMData(); }
    // procsim playing z7050-1 in that working mode with the tweaks, linked
    // and read back; the frame log marked and the expected frames cleared.
    bool linkMode(int workMode, const Tweaks& tweaks);
    // Once everything is sent: the frames received since the link are the
    // expected ones, none of them resent (a warning tells what differs).
    bool framesAsExpected();
    const LayerRecord& layer(int n);
    QString layerCellsOn() const;
    // Adds the frames that the tokens name, encoded from the record as it
    // is now: "window r" (output window record r), "switch n", "rect n",
    // "source n", "rotation n" (layer n's command of that kind).
    void expectTokens(const QStringList& tokens);
    PaintCellCtrl* canvas() const { return page->canvas(); }
    // The frame that type sends of data now, as the device must receive it.
    void expect(const void* data, int type, const uint8_t* addr);
    void type(QWidget* panel, const char* edit, const QString& text);

    LinkedDevice device;
    std::unique_ptr<KSV_OpSetDlg> page;
    QTemporaryDir dir;
    QStringList expected;
    int resends = 0;
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

bool TestOpSetSession::linkMode(int workMode, const Tweaks& tweaks)
{
    QFile in(ProcSim::stateFile(QStringLiteral("z7050-1.json")));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QJsonObject state = QJsonDocument::fromJson(in.readAll()).object();
    Tweaks all = tweaks;
    all.prepend({QStringLiteral("M_AllCfg.workMode"), workMode});
    for (const auto& t : all) {
        QStringList parts = t.first.split(QLatin1Char('.'));
        const QString top = parts.takeFirst();
        SetJson(state[top], parts, t.second);
    }
    const QString path = dir.filePath(QStringLiteral("state-%1.json").arg(workMode));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    out.write(QJsonDocument(state).toJson());
    out.close();
    device.handler()->ResetForTest();
    if (!device.link({"--device", TestNet::kDeviceIp1 + "," + LinkedDevice::kMac1 + ",," + path}) ||
        !device.settle())
        return false;
    resends = device.handler()->ResendCount();
    expected.clear();
    return true;
}

bool TestOpSetSession::framesAsExpected()
{
    if (!TestSupport::WaitSenderIdle(device.handler())) {
        qWarning() << "the sender did not go idle";
        return false;
    }
    const QStringList got = device.frames().receivedTexts(TestNet::kDeviceIp1);
    if (got != expected) {
        qWarning() << "received" << got << "expected" << expected;
        return false;
    }
    if (device.handler()->ResendCount() != resends) {
        qWarning() << "frames were sent again";
        return false;
    }
    return true;
}

const LayerRecord& TestOpSetSession::layer(int n)
{
    MData& d = record();
    switch (d.M_AllCfg.workMode) {
    case SWITCHER_MODE:
        return d.M_SwitchLayerCfg.layer[3 + n];
    case BACKUP_MODE:
        return d.M_BackupLayerCfg.layer[n];
    default:
        return d.M_MosaicLayerCfg.layer[n];
    }
}

// "1" for every layer cell of the canvas that is on.
QString TestOpSetSession::layerCellsOn() const
{
    QString s;
    for (const PicVideoCell* c : canvas()->layerCells())
        s += c->on ? QLatin1Char('1') : QLatin1Char('0');
    return s;
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
    // The switcher drives its one raster over HDMI.
    Tweaks tweaks;
    if (workMode == SWITCHER_MODE)
        tweaks << qMakePair(QStringLiteral("M_OutputData.M_OutputResoCfg.outputMode"),
                            QJsonValue(int(HDMI_MODE)));
    QVERIFY(linkMode(workMode, tweaks));

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
    const LayerRecord& l = workMode == MOSAIC_MODE   ? record().M_MosaicLayerCfg.layer[0]
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
    // The backup set's main layer stays on: it has no off switch. The
    // button's own command follows the canvas's: the cell closed, or the
    // cell's rectangle and its switch.
    if (workMode != BACKUP_MODE) {
        const uint8_t onOffAddr[2] = {LAYER_ONOFF, 0};
        auto* layerOnOff = lp->findChild<QPushButton*>(QStringLiteral("LayerOnOffBtn"));
        QVERIFY(layerOnOff && layerOnOff->isChecked());
        layerOnOff->click();
        QCOMPARE(int(l.onOff), 0);
        QVERIFY(!cell->on);
        expect(&l, SEND_LAYERCMD, onOffAddr);
        expect(&l, SEND_LAYERCMD, onOffAddr);
        layerOnOff->click();
        QCOMPARE(int(l.onOff), 1);
        QVERIFY(cell->on);
        QCOMPARE(cell->deviceRect(), R(200, 100, 1159, 639));
        expect(&l, SEND_LAYERCMD, rect);
        expect(&l, SEND_LAYERCMD, onOffAddr);
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

    QVERIFY(framesAsExpected());

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
    const uint8_t duration = workMode == MOSAIC_MODE   ? record().M_MosaicLayerCfg.durationTime
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

void TestOpSetSession::expectTokens(const QStringList& tokens)
{
    for (const QString& t : tokens) {
        const QStringList parts = t.split(QLatin1Char(' '));
        QVERIFY2(parts.size() == 2, qPrintable(t));
        const int n = parts[1].toInt();
        if (parts[0] == QLatin1String("window")) {
            expect(&record().M_OutputData.M_OPDisplayCfg[n], SEND_OUTPUTWINDOWCMD, nullptr);
            continue;
        }
        const QMap<QString, int> subs = {{"switch", LAYER_ONOFF},
                                         {"rect", LAYER_RECT},
                                         {"source", LAYER_SOURCE},
                                         {"rotation", LAYER_ROTATION}};
        QVERIFY2(subs.contains(parts[0]), qPrintable(t));
        const uint8_t addr[2] = {uint8_t(subs[parts[0]]), uint8_t(n)};
        expect(&layer(n), SEND_LAYERCMD, addr);
    }
}

// The output layout buttons re-place the layers over the outputs: in mosaic
// mode layers 2 to 4 go off and layer 1 comes on, in backup mode the main
// layer and its stand-in follow; the switcher has no layout. Every
// switch reaches the device, so afterwards the wall and the PC hold the same
// layers, and the device's reports do not change what the PC shows.
void TestOpSetSession::outputLayoutKeepsWallAndPcTogether_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<Tweaks>("tweaks");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QRect>("layer0");  // empty: as it was
    QTest::addColumn<QString>("cellsOn");

    const QStringList dvi = {"window 0", "window 1", "window 2", "window 3"};
    const Tweaks hdmiWindows = {{"M_OutputData.M_OPDisplayCfg.4.onOff", 1},
                                {"M_OutputData.M_OPDisplayCfg.5.onOff", 1}};
    // z7050-1: mosaic layers 1 to 3 on, layer 4 off; four 1920 x 1080
    // outputs in a 2 x 2 wall.
    QTest::newRow("mosaic, horizontal, layers 2 and 3 on")
        << int(MOSAIC_MODE) << Tweaks{} << "pushButton_7"
        << dvi + QStringList{"switch 1", "switch 2", "rect 0", "source 0"} << R(0, 0, 7679, 1079)
        << "1000";
    QTest::newRow("mosaic, vertical, layer 1 off")
        << int(MOSAIC_MODE) << Tweaks{{"M_MosaicLayerCfg.layer.0.onOff", 0}} << "pushButton_8"
        << dvi + QStringList{"switch 1", "switch 2", "rect 0", "rect 0", "switch 0", "source 0"}
        << R(0, 0, 1919, 4319) << "1000";
    QTest::newRow("mosaic, 2 x 2, every layer on")
        << int(MOSAIC_MODE) << Tweaks{{"M_MosaicLayerCfg.layer.3.onOff", 1}} << "pushButton_9"
        << dvi + QStringList{"switch 1", "switch 2", "switch 3", "rect 0", "source 0"}
        << R(0, 0, 3839, 2159) << "1000";
    QTest::newRow("mosaic HDMI, horizontal, layer 1 off")
        << int(MOSAIC_MODE)
        << hdmiWindows + Tweaks{{"M_OutputData.M_OutputResoCfg.outputMode", int(HDMI_MODE)},
                                {"M_MosaicLayerCfg.layer.0.onOff", 0}}
        << "pushButton_7" << QStringList{"window 4", "window 5", "switch 1", "switch 2",
                                         "rect 0",   "rect 0",   "switch 0", "source 0"}
        << R(0, 0, 3839, 1079) << "1000";
    // The switcher's one raster has no layout: its buttons are disabled.
    QTest::newRow("switcher") << int(SWITCHER_MODE) << hdmiWindows << "pushButton_7"
                              << QStringList() << QRect() << "1110";
    // The main layer and its stand-in, both on; only the main layer has a
    // cell.
    QTest::newRow("backup, vertical")
        << int(BACKUP_MODE) << Tweaks{} << "pushButton_8"
        << dvi + QStringList{"rect 0", "source 0", "rect 1"} << R(0, 0, 1919, 4319) << "1000";
}

void TestOpSetSession::outputLayoutKeepsWallAndPcTogether()
{
    QFETCH(int, workMode);
    QFETCH(Tweaks, tweaks);
    QFETCH(QString, button);
    QFETCH(QStringList, frames);
    QFETCH(QRect, layer0);
    QFETCH(QString, cellsOn);
    QVERIFY(linkMode(workMode, tweaks));
    page->setMode(0);
    const QRect before(QPoint(layer(0).hs, layer(0).vs),
                       QSize(int(layer(0).hact), int(layer(0).vact)));

    auto* b = page->outputPanel()->findChild<QPushButton*>(button);
    QVERIFY(b && b->isVisible());
    QCOMPARE(b->isEnabled(), !frames.isEmpty());
    QTest::mouseClick(b, Qt::LeftButton);
    expectTokens(frames);
    QVERIFY(framesAsExpected());
    // The device reports its state after each frame of the sequence, some
    // of them between two frames for one layer: the PC is read once the last
    // report is in, and holds what the device holds.
    QVERIFY(device.settle());
    const QRect after(QPoint(layer(0).hs, layer(0).vs),
                      QSize(int(layer(0).hact), int(layer(0).vact)));
    QCOMPARE(after, layer0.isEmpty() ? before : layer0);
    QCOMPARE(layerCellsOn(), cellsOn);
    // The output view shows no layer.
    for (const PicVideoCell* c : canvas()->layerCells())
        QVERIFY(!c->isVisible());
    const QStringList diff = device.diffWithSim(TestNet::kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    page->setMode(1);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(canvas()->layerCells().at(i)->isVisible(), cellsOn[i] == QLatin1Char('1'));
    if (!layer0.isEmpty())
        QCOMPARE(canvas()->layerCells().at(0)->deviceRect(), layer0);
}

// The layer on/off button and the rotations that change the cell's picture
// rebuild the layer's cell with the canvas's notifications: the device gets
// the cell's rectangle and its switch, then the button's own command.
void TestOpSetSession::layerSwitchAndRotation_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<Tweaks>("tweaks");
    QTest::addColumn<int>("layer");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<bool>("on");  // the layer afterwards
    QTest::addColumn<int>("rotation");

    QTest::newRow("mosaic, layer 2 off")
        << int(MOSAIC_MODE) << Tweaks{} << 1 << "LayerOnOffBtn"
        << QStringList{"switch 1", "switch 1"} << false << int(ROTATE_NONE);
    QTest::newRow("mosaic, layer 4 on")
        << int(MOSAIC_MODE) << Tweaks{} << 3 << "LayerOnOffBtn"
        << QStringList{"rect 3", "switch 3", "switch 3"} << true << int(ROTATE_NONE);
    QTest::newRow("mosaic, turned by 180")
        << int(MOSAIC_MODE) << Tweaks{} << 1 << "pushButton_3"
        << QStringList{"rect 1", "switch 1", "rotation 1"} << true << int(ROTATE_180);
    QTest::newRow("mosaic, mirrored and turned by 90")
        << int(MOSAIC_MODE) << Tweaks{} << 1 << "pushButton_6"
        << QStringList{"rect 1", "switch 1", "rotation 1"} << true << int(ROTATE_H90);
    // Turning by 90 leaves the cell's picture as it is: no rebuild.
    QTest::newRow("mosaic, turned by 90") << int(MOSAIC_MODE) << Tweaks{} << 1 << "pushButton_2"
                                          << QStringList{"rotation 1"} << true << int(ROTATE_90);
    QTest::newRow("switcher, layer 2 off")
        << int(SWITCHER_MODE) << Tweaks{} << 1 << "LayerOnOffBtn"
        << QStringList{"switch 1", "switch 1"} << false << int(ROTATE_NONE);
    QTest::newRow("switcher, layer 3 on")
        << int(SWITCHER_MODE) << Tweaks{{"M_SwitchLayerCfg.layer.5.onOff", 0}} << 2
        << "LayerOnOffBtn" << QStringList{"rect 2", "switch 2", "switch 2"} << true
        << int(ROTATE_NONE);
}

void TestOpSetSession::layerSwitchAndRotation()
{
    QFETCH(int, workMode);
    QFETCH(Tweaks, tweaks);
    QFETCH(int, layer);
    QFETCH(QString, button);
    QFETCH(QStringList, frames);
    QFETCH(bool, on);
    QFETCH(int, rotation);
    QVERIFY(linkMode(workMode, tweaks));
    page->setMode(1);
    page->cellButton(layer)->click();
    LayerSettingDlg* lp = page->layerPanel();
    QCOMPARE(lp->currentLayer(), layer);

    auto* b = lp->findChild<QPushButton*>(button);
    QVERIFY(b && b->isVisible() && b->isEnabled());
    b->click();
    expectTokens(frames);
    QVERIFY(framesAsExpected());
    // The device reports its state after each frame of the sequence: the
    // record is read once the last report is in.
    QVERIFY(device.settle());
    QCOMPARE(int(this->layer(layer).onOff), int(on));
    QCOMPARE(int(this->layer(layer).rotation), rotation);
    PicVideoCell* cell = canvas()->layerCells().at(layer);
    QCOMPARE(cell->on, on);
    QCOMPARE(lp->findChild<QPushButton*>(QStringLiteral("LayerOnOffBtn"))->isChecked(), on);
    QCOMPARE(cell->isVisible(), on);
    const QStringList diff = device.diffWithSim(TestNet::kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

// A layer that is off may not take a tile (layer 4 never shows one): the
// choice stays on the PC unsent, and the cell is closed as by its close
// button, so the device hears the layer off once more and nothing else.
void TestOpSetSession::refusedSourceOfALayerThatIsOff()
{
    QVERIFY(linkMode(MOSAIC_MODE, {}));
    page->setMode(1);
    page->cellButton(3)->click();
    LayerSettingDlg* lp = page->layerPanel();
    QCOMPARE(lp->currentLayer(), 3);
    QVERIFY(!layer(3).onOff);
    auto* combo = lp->findChild<QComboBox*>(QStringLiteral("comboBox"));
    QVERIFY(combo);
    const int tile = combo->findData(6);
    QVERIFY(tile >= 0);

    GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
    combo->setCurrentIndex(tile);
    QCOMPARE(int(layer(3).tileEnable), 1);
    expectTokens({"switch 3"});
    QTRY_VERIFY(answer.answered());
    QCOMPARE(answer.text(), QStringLiteral("Layer Input Srouce Settings Cannot Be Applied."));
    QVERIFY(framesAsExpected());
    QVERIFY(!canvas()->layerCells().at(3)->on);
    QVERIFY(!lp->findChild<QPushButton*>(QStringLiteral("LayerOnOffBtn"))->isChecked());
    // The device's report of the layer brings its own source back.
    QVERIFY(device.settle());
    QCOMPARE(int(layer(3).onOff), 0);
    const QStringList diff = device.diffWithSim(TestNet::kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestOpSetSession::readBackOfTheSameConfigurationRepaintsNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("layer view") << 1;
    QTest::newRow("output view") << 0;
}

// A read-back reports every output and layer again, and each report selects
// its cell: of a configuration that has not changed, nothing on the page may
// be repainted or restyled, the selection ends where it was, and the page
// sends nothing.
void TestOpSetSession::readBackOfTheSameConfigurationRepaintsNothing()
{
    QFETCH(int, mode);
    QVERIFY(linkMode(MOSAIC_MODE, {}));
    page->setMode(mode);
    // No edit keeps the focus: its cursor blinks.
    page->setFocus();
    const auto readBack = [&] {
        QSignalSpy end(device.handler(), &MiddleHandler::SigUIRefreshRequstCmdEnd);
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        return end.wait(10000);
    };
    // The redraws that follow the end of the read-back, and their paints.
    const auto drawn = [] {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };
    // What the first read-back after the view switch changes is drawn.
    QVERIFY(readBack());
    QVERIFY(device.settle());
    drawn();
    const auto selection = [&] {
        QString s;
        for (int i = 0; i < KSV_OpSetDlg::kCellButtons; ++i)
            s += page->cellButton(i)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        for (const PicVideoCell* c : canvas()->layerCells() + canvas()->outputCells())
            s += c->selected ? QLatin1Char('1') : QLatin1Char('0');
        return s + QString::number(page->layerPanel()->currentLayer());
    };
    const QString before = selection();

    LookChanges changes(page.get());
    QVERIFY(readBack());
    drawn();
    QVERIFY2(changes.seen.isEmpty(), qPrintable(changes.seen.join(", ")));
    QCOMPARE(selection(), before);
    QVERIFY(!device.handler()->ReadBackUnderWay());
    expect(nullptr, SEND_INQUIREALLCMD, nullptr);
    QVERIFY(framesAsExpected());
}

void TestOpSetSession::outputsThatGoOffLeaveTheLayerView_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QList<int>>("goOff");
    QTest::newRow("output 4 switched off") << int(SEND_OUTPUTWINDOWCMD) << QList<int>{3};
    QTest::newRow("HDMI output") << int(SEND_OUTPUTRESOCMD) << QList<int>{2, 3};
}

// The layer view draws the outputs as frames on the canvas: when the device
// reports that outputs went off (here changed by a frame sent past the
// pages, as another controller would), their frames are wiped. The layers
// are off, so that no layer cell hides the frames.
void TestOpSetSession::outputsThatGoOffLeaveTheLayerView()
{
    QFETCH(int, command);
    QFETCH(QList<int>, goOff);
    QVERIFY(linkMode(MOSAIC_MODE, {{"M_MosaicLayerCfg.layer.0.onOff", 0},
                                   {"M_MosaicLayerCfg.layer.1.onOff", 0},
                                   {"M_MosaicLayerCfg.layer.2.onOff", 0}}));
    Painted painted(canvas());
    page->setMode(0);
    page->setMode(1);
    QCOMPARE(layerCellsOn(), QStringLiteral("0000"));
    QList<QRegion> frames;
    QRegion allFrames;
    for (const PicVideoCell* c : canvas()->outputCells()) {
        QVERIFY(c->on);
        // The dashed outline reaches a pixel past the cell's rectangle.
        frames << (QRegion(c->geometry().adjusted(0, 0, 1, 1)) & canvas()->visibleRegion());
        QVERIFY(!frames.last().isEmpty());
        allFrames += frames.last();
    }
    // The frames are drawn as the view is entered.
    QTRY_VERIFY((allFrames - painted.region).isEmpty());
    painted.region = QRegion();

    if (command == SEND_OUTPUTWINDOWCMD) {
        OutputWindowRecord w = record().M_OutputData.M_OPDisplayCfg[3];
        w.onOff = 0;
        SendCommand(&w, SEND_OUTPUTWINDOWCMD, nullptr, QString());
    } else {
        OutputResoCfg reso = record().M_OutputData.M_OutputResoCfg;
        reso.outputMode = HDMI_MODE;
        reso.resoId = 26;  // 1920 x 1080 60 Hz of the HDMI presets
        const uint8_t preset = 0;
        SendCommand(&reso, SEND_OUTPUTRESOCMD, &preset, QString());
    }
    for (int i : goOff) {
        QTRY_VERIFY(!canvas()->outputCells().at(i)->on);
        QTRY_VERIFY2((frames[i] - painted.region).isEmpty(),
                     qPrintable(QStringLiteral("output %1's frame is left").arg(i + 1)));
    }
}

LEDZ_GUI_TEST_MAIN(TestOpSetSession)
#include "test_opsetsession.moc"
