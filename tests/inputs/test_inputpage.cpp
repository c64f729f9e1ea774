// The input page as the operator uses it, against the simulated processor in
// the private test network: the cells drawn from a read-back, port switches,
// tiles, the crop, EDID and HDMI range panels, renames, the compact column and
// the drag record.
#include "AppPaths.h"
#include "ColorManagementDlg.h"
#include "EdidDlg.h"
#include "GuiTest.h"
#include "HDMIRGBColorDlg.h"
#include "ImageCrop.h"
#include "InputDragInfo.h"
#include "InputLook.h"
#include "InputSrcCell.h"
#include "InputSrcSetDlg.h"
#include "Look.h"
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "ProcSim.h"
#include "ProgressTest.h"
#include "ResizeShowComponent.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestNet;

namespace {

const QString kMac1 = QStringLiteral("00:1c:88:00:00:01");

// Payloads of the frames the device received with this code, in order.
QList<QByteArray> Received(const QList<QJsonObject>& log, int code)
{
    QList<QByteArray> out;
    for (const QJsonObject& l : log)
        if (l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
            !l.value("inBatch").toBool())
            out << QByteArray::fromHex(l.value("payload").toString().toLatin1());
    return out;
}

int Le16(const QByteArray& p, int at)
{
    return uint8_t(p[at]) | (uint8_t(p[at + 1]) << 8);
}

QString LabelText(InputSrcCell* c, const char* name)
{
    return c->findChild<QLabel*>(QLatin1String(name))->text();
}

QPoint Center(QWidget* w, QWidget* in)
{
    return w->mapTo(in, w->rect().center());
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    // The operator's next click takes the focus; that finishes no second edit.
    const QSignalBlocker quiet(edit);
    edit->clearFocus();
}

}  // namespace

class TestInputPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void readBackDrawsCells();
    void inputWithoutPortsCannotBeUsed();
    void portSwitchSendsInputAndPort();
    void tileApplyAndClear();
    void tileRuleRefusesChoices();
    void cropDragSendsAtRelease();
    void cropRightHalfEditsEntryFour();
    void cropMatchWithoutSignalSendsNothing();
    void edidAcceptAndReset();
    void hdmiRangeSendsNothing();
    void renameStoresAfterSignal();
    void compactColumn();
    void edidFollowsSelection();
    void reportsOfOtherPortsAndBadTiles();
    void languageChangeKeepsPortTexts();
    void cellTextsFollowALanguageSwitch();
    void dragCarriesRecord();
    void hiddenPageRedrawsWhenShown();
    void screenshot();

private:
    QList<QByteArray> waitFrames(int code, int count);
    int frameCount(int code) const { return Received(sim->logLines(), code).size(); }
    void clickSub(int cell, int sub);
    void clickButton(QPushButton* b);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    QTemporaryDir dir;
    InputSrcSetDlg* page = nullptr;
};

void TestInputPage::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    h = MiddleHandler::GetInstance();
    h->SetInquiryDelay(300);

    // The stored state, changed where these cases need it: input 6 has no
    // ports, tile 1 is empty.
    QFile file(ProcSim::stateFile("z7050-1.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    QJsonObject inputs = state["M_InputData"].toObject();
    QJsonArray ports = inputs["port"].toArray();
    QJsonObject in6 = ports[5].toObject();
    in6["portNum"] = 0;
    ports[5] = in6;
    inputs["port"] = ports;
    QJsonArray tiles = inputs["tile"].toArray();
    QJsonObject tile1 = tiles[0].toObject();
    tile1["count"] = 0;
    tiles[0] = tile1;
    inputs["tile"] = tiles;
    state["M_InputData"] = inputs;
    const QString statePath = dir.filePath("state.json");
    QFile out(statePath);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(state).toJson());
    out.close();

    sim = std::make_unique<ProcSim>();
    QVERIFY2(sim->start({"--device", kDeviceIp1 + "," + kMac1, "--state", statePath,
                         "--status-interval", "0"}),
             qPrintable(sim->errors()));

    page = new InputSrcSetDlg(nullptr);
    page->resize(1100, 1000);
    page->show();

    // What the communication page does: search, select, read back.
    QStringList found;
    connect(h, &MiddleHandler::SigMachineIPEvent, this, [&found](QString ip, BYTE* mac, QString) {
        if (!ip.isEmpty() && mac)
            found << ip;
    });
    QVERIFY(h->OpenBroadcastPort(kPcIp, kBroadcastLocalPort));
    const QStringList octets = kPcIp.split('.');
    const uint8_t search[4] = {uint8_t(octets[0].toInt()), uint8_t(octets[1].toInt()),
                               uint8_t(octets[2].toInt()), uint8_t(octets[3].toInt())};
    SendCommand(search, SEND_SEARCHCMD, nullptr, QString());
    QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 5000);
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    h->SelectMachine(found.first());
    h->SetUnicastRemote(found.first(), kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    QVERIFY(TestSupport::WaitReadBackEnds(h, end, 1));
    QTRY_VERIFY(!page->redraws()->pending());
}

void TestInputPage::cleanupTestCase()
{
    delete page;
    sim.reset();
    if (h)
        h->ShutdownForTest();
}

void TestInputPage::init()
{
    QVERIFY(TestSupport::WaitSenderIdle(h));
}

// A case that fails with a panel open leaves the page as the next expects it.
void TestInputPage::cleanup()
{
    for (QWidget* panel :
         std::initializer_list<QWidget*>{page->cropPanel(), page->edidPanel(), page->rangePanel()})
        if (panel->isVisible())
            panel->close();
}

QList<QByteArray> TestInputPage::waitFrames(int code, int count)
{
    sim->waitForLog(
        [this, code, count](const QJsonObject&) {
            return Received(sim->logLines(), code).size() >= count;
        },
        5000);
    [&] { QTRY_COMPARE_WITH_TIMEOUT(Received(sim->logLines(), code).size(), count, 5000); }();
    return Received(sim->logLines(), code);
}

void TestInputPage::clickSub(int cell, int sub)
{
    InputSrcCell* c = page->cell(cell);
    QTest::mouseClick(c, Qt::LeftButton, {}, Center(c->subFrame(sub), c));
}

void TestInputPage::clickButton(QPushButton* b)
{
    QVERIFY(b->isVisible());
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestInputPage::readBackDrawsCells()
{
    const MData* d = h->GetCurrentMData();
    QCOMPARE(d->M_InputData.port[0].actId, 1);
    InputSrcCell* c0 = page->cell(0);
    QCOMPARE(LabelText(c0, "IPSRCLABEL"), QStringLiteral("Input 1:HDMI "));
    // Names stay on the PC: a read-back leaves the default name.
    QCOMPARE(LabelText(c0, "IPSRCRENAMELABEL"), QStringLiteral("Input 1"));
    QCOMPARE(LabelText(c0, "IPSIGNALLABEL"), QStringLiteral("1920 x 1080"));
    QVERIFY(c0->findChild<QPushButton*>("INPUTSIGNAL")->isChecked());
    QCOMPARE(LabelText(c0, "SubCell0"), QStringLiteral("DVI"));
    QCOMPARE(LabelText(c0, "SubCell2"), QStringLiteral("VGA"));
    QVERIFY(c0->isSubSelected(1));
    QCOMPARE(c0->activePort, 1);

    // Input 2: an interlaced port 2 that is not active.
    QCOMPARE(LabelText(page->cell(1), "IPSIGNALLABEL"), QStringLiteral("1920 x 1200"));
    // Input 3 has two ports: the third sub-cell is hidden.
    QVERIFY(!page->cell(2)->subFrame(2)->isVisible());
    QVERIFY(page->cell(2)->subFrame(1)->isVisible());

    // Input 5: an HDMI 2.0 port whose picture comes as two halves.
    InputSrcCell* c4 = page->cell(4);
    QVERIFY(c4->isSplit());
    QCOMPARE(LabelText(c4, "IPSRCLABEL"), QStringLiteral("Input 5:HDMI 2.0-L"));
    QCOMPARE(LabelText(c4, "IPSRCLABELR"), QStringLiteral("Input 5:HDMI 2.0-R"));
    QCOMPARE(LabelText(c4, "IPSIGNALLABEL"), QStringLiteral("3840 x 2160"));

    // Input 1 is selected after the refresh: its port types name the buttons.
    QCOMPARE(page->currentInput(), 0);
    QCOMPARE(page->panelButton(1)->text(), QStringLiteral("DVI Image Crop"));
    QCOMPARE(page->panelButton(2)->text(), QStringLiteral("HDMI Image Crop"));
    QCOMPARE(page->panelButton(3)->text(), QStringLiteral("VGA Image Crop"));
    QCOMPARE(page->panelButton(4)->text(), QStringLiteral("DVI EDID"));
    QVERIFY(page->panelButton(4)->isEnabled());
    QVERIFY(page->panelButton(5)->isEnabled());
    QVERIFY(!page->panelButton(6)->isEnabled());
    QVERIFY(page->panelButton(7)->isEnabled());

    // Tile 2 from the record: inputs 1 to 4, of unequal sizes.
    InputSrcCell* t2 = page->cell(7);
    QCOMPARE(LabelText(t2, "IPSIGNALLABEL"), QStringLiteral("Input:1,2,3,4,"));
    QCOMPARE(LabelText(t2, "IPSRCRENAMELABEL"), QStringLiteral("Tile 2"));
    QVERIFY(!t2->isTileValid());
    QCOMPARE(LabelText(page->cell(6), "IPSIGNALLABEL"), QString());

    // Selecting input 3 (SDI, SDI): crop of port 2 off, no EDID, no HDMI range.
    QTest::mouseClick(page->cell(2), Qt::LeftButton, {},
                      Center(page->cell(2)->mainFrame(), page->cell(2)));
    QCOMPARE(page->currentInput(), 2);
    QVERIFY(!page->panelButton(3)->isEnabled());
    QVERIFY(!page->panelButton(4)->isEnabled());
    QVERIFY(!page->panelButton(5)->isEnabled());
    QVERIFY(!page->panelButton(7)->isEnabled());
}

void TestInputPage::inputWithoutPortsCannotBeUsed()
{
    InputSrcCell* c = page->cell(5);
    QCOMPARE(LabelText(c, "IPSRCLABEL"), QStringLiteral("None"));
    QCOMPARE(LabelText(c, "IPSRCRENAMELABEL"), QStringLiteral("None"));
    QCOMPARE(LabelText(c, "IPSIGNALLABEL"), QStringLiteral("NO SIGNAL"));
    QVERIFY(!c->isDraggable());
    QVERIFY(!c->subFrame(0)->isVisible());
    QVERIFY(!page->tileButton(6)->isEnabled());
    QVERIFY(!page->tileButton(15)->isEnabled());
    QSignalSpy clicks(page, &InputSrcSetDlg::ChangeInputSrcEvent);
    QTest::mouseClick(c, Qt::LeftButton, {}, Center(c->mainFrame(), c));
    QCOMPARE(clicks.count(), 0);
}

void TestInputPage::portSwitchSendsInputAndPort()
{
    const int before = frameCount(0x0611);
    const quint64 queuedBefore = h->SentFrameCount() + h->PendingShortFrames();
    bool queuedAtSignal = false;
    auto conn = connect(page, &InputSrcSetDlg::SigChangeInputSubSrc, this, [&] {
        queuedAtSignal = h->SentFrameCount() + h->PendingShortFrames() > queuedBefore;
    });
    QSignalSpy changed(page, &InputSrcSetDlg::SigChangeInputSubSrc);
    clickSub(0, 0);
    disconnect(conn);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toInt(), 0);
    QCOMPARE(changed[0][1].toInt(), 0);
    QVERIFY(queuedAtSignal);
    QCOMPARE(h->GetCurrentMData()->M_InputData.port[0].actId, 0);
    QCOMPARE(LabelText(page->cell(0), "IPSRCLABEL"), QStringLiteral("Input 1:DVI "));

    const QList<QByteArray> frames = waitFrames(0x0611, before + 1);
    const QByteArray p = frames.last();
    QCOMPARE(p.left(2), QByteArray::fromHex("0000"));
    QCOMPARE(p.mid(2), QByteArray(30, char(0x55)));
    // The device's reply redraws the page from the record.
    QTRY_COMPARE(sim->dumpedState(kDeviceIp1)["M_InputData"]
                     .toObject()["port"]
                     .toArray()[0]
                     .toObject()["actId"]
                     .toInt(),
                 0);
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QTRY_VERIFY(!page->redraws()->pending());
    QVERIFY(page->cell(0)->isSubSelected(0));
    QCOMPARE(LabelText(page->cell(0), "IPSIGNALLABEL"), QStringLiteral("1920 x 1080"));
}

void TestInputPage::tileApplyAndClear()
{
    InputSrcCell* t1 = page->cell(6);
    QPushButton* apply = t1->findChild<QPushButton*>("INPUTCONFIRM");
    QVERIFY(!apply->isEnabled());
    clickSub(6, 0);
    QVERIFY(page->tileButton(4)->isVisible());
    clickButton(page->tileButton(4));
    QVERIFY(!page->tileButton(4)->isVisible());
    QCOMPARE(LabelText(t1, "SubCell0"), QStringLiteral("Input 5-L "));
    QVERIFY(!apply->isEnabled());
    clickSub(6, 1);
    clickButton(page->tileButton(5));
    QVERIFY(apply->isEnabled());

    const int before = frameCount(0x0616);
    QSignalSpy enable(page, &InputSrcSetDlg::SigInputTileEnable);
    clickButton(apply);
    const MData* d = h->GetCurrentMData();
    QCOMPARE(d->M_InputData.tile[0].count, 2);
    QCOMPARE(d->M_InputData.tile[0].input[1], 4);
    QCOMPARE(d->M_InputData.tile[0].half[1], 1);
    QVERIFY(enable.count() >= 1);
    QCOMPARE(enable[0][0].toInt(), 6);
    QVERIFY(enable[0][1].toBool());
    QCOMPARE(LabelText(t1, "IPSIGNALLABEL"), QStringLiteral("Input:5L,5R,"));
    QCOMPARE(LabelText(t1, "SubCell0"), QStringLiteral("Input 5 -L"));

    QByteArray p = waitFrames(0x0616, before + 1).last();
    QCOMPARE(p.left(9).toHex(), QByteArray("0009025502"
                                           "04000401"));
    // Slots 2 and 3 of tile 1 as stored, then tile 2 as stored.
    QCOMPARE(p.mid(13, 9).toHex(), QByteArray("04"
                                              "00000100"
                                              "02000300"));
    QCOMPARE(p.mid(22), QByteArray(10, char(0x55)));
    QTRY_COMPARE(sim->dumpedState(kDeviceIp1)["M_InputData"]
                     .toObject()["tile"]
                     .toArray()[0]
                     .toObject()["count"]
                     .toInt(),
                 2);

    // Clear on tile 2: count 0, and tile 1 still goes with it. The device's
    // answer to the apply comes first, or it would redraw tile 2 afterwards.
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QTRY_VERIFY(!page->redraws()->pending());
    enable.clear();
    clickButton(page->cell(7)->findChild<QPushButton*>("INPUTCLEAR"));
    QCOMPARE(d->M_InputData.tile[1].count, 0);
    QCOMPARE(enable[0][0].toInt(), 7);
    QVERIFY(!enable[0][1].toBool());
    p = waitFrames(0x0616, before + 2).last();
    QCOMPARE(p.left(9).toHex(), QByteArray("0009025502"
                                           "04000401"));
    QCOMPARE(uint8_t(p[13]), 0);
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QTRY_COMPARE(LabelText(page->cell(7), "SubCell0"), QStringLiteral("NONE"));
}

void TestInputPage::tileRuleRefusesChoices()
{
    InputSrcCell* t2 = page->cell(7);
    // First source: input 1 (1920 x 1080 on its active port).
    clickSub(7, 0);
    clickButton(page->tileButton(8 + 0));
    // Input 2 is 1920 x 1200: refused, the slot stays empty.
    clickSub(7, 1);
    clickButton(page->tileButton(8 + 1));
    QCOMPARE(t2->SubSource(1), InputSrcCell::kNoSource);
    QCOMPARE(LabelText(t2, "SubCell1"), QStringLiteral("NONE"));
    // The same source twice passes.
    clickSub(7, 1);
    clickButton(page->tileButton(8 + 0));
    QCOMPARE(t2->SubSource(1), 0);
    QVERIFY(t2->findChild<QPushButton*>("INPUTCONFIRM")->isEnabled());
    // Clicking a slot twice shows and hides its row.
    clickSub(7, 2);
    QVERIFY(page->tileButton(8)->isVisible());
    clickSub(7, 2);
    QVERIFY(!page->tileButton(8)->isVisible());
    // Nothing was sent for choices.
    QCOMPARE(h->PendingShortFrames(), 0);
    t2->OnClickClearBtn();
}

void TestInputPage::cropDragSendsAtRelease()
{
    QTest::mouseClick(page->cell(0), Qt::LeftButton, {},
                      Center(page->cell(0)->mainFrame(), page->cell(0)));
    clickButton(page->panelButton(1));
    ImageCrop* crop = page->cropPanel();
    QVERIFY(crop->isVisible());
    QVERIFY(!page->panelButton(1)->isVisible());
    QCOMPARE(crop->entry(), 0);
    auto* hpos = crop->findChild<QLineEdit*>("lineEdit");
    // A window inside the range, so that the canvas has room to move it.
    Type(crop->findChild<QLineEdit*>("lineEdit_3"), "960");
    Type(crop->findChild<QLineEdit*>("lineEdit_4"), "540");
    QVERIFY(TestSupport::WaitSenderIdle(h));
    const int before = frameCount(0x0614);
    const quint64 sent = h->SentFrameCount();

    ResizeShowComponent* canvas = crop->canvas();
    QFrame* rect = canvas->findChild<QFrame*>();
    const QPoint start = rect->geometry().center();
    MouseEvents::press(canvas, start);
    MouseEvents::move(canvas, start + QPoint(5, 3));
    MouseEvents::move(canvas, start + QPoint(12, 6));
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->SentFrameCount(), sent);
    const InputCropCfg& c = h->GetCurrentMData()->M_InputData.crop[0];
    QVERIFY(c.hs[0] > 0);
    QCOMPARE(hpos->text(), QString::number(c.hs[0]));
    MouseEvents::release(canvas, start + QPoint(12, 6));

    const QByteArray p = waitFrames(0x0614, before + 1).last();
    QCOMPARE(uint8_t(p[0]), 0);
    QCOMPARE(uint8_t(p[3]), 0);
    QCOMPARE(Le16(p, 5), int(c.hs[0]));
    QCOMPARE(Le16(p, 7), int(c.vs[0]));
    QCOMPARE(Le16(p, 9), 960);
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(frameCount(0x0614), before + 1);

    // "Reset" fills the range again and keeps the on/off state.
    const bool onOff = c.onOff[0];
    clickButton(crop->findChild<QPushButton*>("pushButton"));
    QCOMPARE(c.hs[0], 0);
    QCOMPARE(c.hact[0], c.hRange[0]);
    QCOMPARE(c.onOff[0], onOff);
    crop->close();
    QVERIFY(!crop->isVisible());
    QVERIFY(page->panelButton(1)->isVisible());
}

void TestInputPage::cropRightHalfEditsEntryFour()
{
    InputSrcCell* c4 = page->cell(4);
    QTest::mouseClick(c4, Qt::LeftButton, {}, Center(c4->rightPart(), c4));
    clickButton(page->panelButton(2));
    ImageCrop* crop = page->cropPanel();
    QCOMPARE(crop->entry(), 4);
    const InputCropCfg& c = h->GetCurrentMData()->M_InputData.crop[4];
    const InputCropCfg before = c;
    const int frames = frameCount(0x0614);
    Type(crop->findChild<QLineEdit*>("lineEdit_5"), "1920");
    QCOMPARE(c.hRange[4], 1920);
    QCOMPARE(c.hRange[1], before.hRange[1]);
    const QByteArray p = waitFrames(0x0614, frames + 1).last();
    QCOMPARE(uint8_t(p[0]), 4);
    QCOMPARE(uint8_t(p[3]), 1);
    QCOMPARE(Le16(p, 13), int(before.hRange[1]));
    QCOMPARE(Le16(p, 26), 1920);

    // Another half while the panel is shown: it shows that entry at once.
    QTest::mouseClick(c4, Qt::LeftButton, {},
                      Center(c4->mainFrame(), c4) - QPoint(c4->mainFrame()->width() / 3, 0));
    QCOMPARE(crop->entry(), 1);
    QCOMPARE(crop->findChild<QLineEdit*>("lineEdit_5")->text(), QString::number(c.hRange[1]));
    crop->close();
}

void TestInputPage::cropMatchWithoutSignalSendsNothing()
{
    InputSrcCell* c2 = page->cell(2);
    QTest::mouseClick(c2, Qt::LeftButton, {}, Center(c2->mainFrame(), c2));
    clickButton(page->panelButton(2));
    ImageCrop* crop = page->cropPanel();
    QCOMPARE(crop->entry(), 1);
    Type(crop->findChild<QLineEdit*>("lineEdit_5"), "1920");
    Type(crop->findChild<QLineEdit*>("lineEdit_6"), "1080");
    QVERIFY(TestSupport::WaitSenderIdle(h));
    const InputCropCfg before = h->GetCurrentMData()->M_InputData.crop[2];
    const quint64 sent = h->SentFrameCount();
    clickButton(crop->findChild<QPushButton*>("pushButton_2"));
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->SentFrameCount(), sent);
    QCOMPARE(h->GetCurrentMData()->M_InputData.crop[2].hRange[1], before.hRange[1]);
    crop->close();
}

void TestInputPage::edidAcceptAndReset()
{
    InputSrcCell* c0 = page->cell(0);
    QTest::mouseClick(c0, Qt::LeftButton, {}, Center(c0->mainFrame(), c0));
    clickButton(page->panelButton(4));
    EdidDlg* edid = page->edidPanel();
    QVERIFY(edid->isVisible());
    auto* hact = edid->findChild<QLineEdit*>("lineEdit");
    auto* vact = edid->findChild<QLineEdit*>("lineEdit_2");
    auto* fps = edid->findChild<QLineEdit*>("lineEdit_3");
    QCOMPARE(hact->text(), QStringLiteral("1920"));
    QCOMPARE(fps->text(), QStringLiteral("60"));
    // DVI port of version 1, 1080 lines at 60 Hz: 297 MHz allows 4400 - 280.
    Type(hact, "5000");
    QCOMPARE(hact->text(), QStringLiteral("4120"));
    // 4120 + 280 pixels a line at 60 Hz leave 1125 lines, blanking included.
    Type(vact, "2200");
    QCOMPARE(vact->text(), QStringLiteral("1080"));
    Type(vact, "1080");
    Type(fps, "59.94");
    const InputEdidCfg& e = h->GetCurrentMData()->M_InputData.edid[0];
    QCOMPARE(e.hact[0], 1920);  // nothing stored before "Accept"

    const int before = frameCount(0x0618);
    clickButton(edid->findChild<QPushButton*>("pushButton_2"));
    QCOMPARE(e.hact[0], 4120);
    QCOMPARE(e.rate[0], 5994);
    QByteArray p = waitFrames(0x0618, before + 1).last();
    QCOMPARE(p.left(5).toHex(), QByteArray("0009010002"));
    QCOMPARE(Le16(p, 5), 4120);
    QCOMPARE(Le16(p, 7), 1080);
    QCOMPARE(Le16(p, 9), 5994);
    QCOMPARE(Le16(p, 11), 280);
    QCOMPARE(Le16(p, 13), 45);

    // "Reset" sends the stored values with mode 0 and changes nothing shown.
    hact->setText("2000");
    clickButton(edid->findChild<QPushButton*>("pushButton"));
    QCOMPARE(hact->text(), QStringLiteral("2000"));
    p = waitFrames(0x0618, before + 2).last();
    QCOMPARE(p.left(5).toHex(), QByteArray("0009010000"));
    QCOMPARE(Le16(p, 5), 4120);

    // The device's answer redraws the panel with the timing it then holds.
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QTRY_COMPARE(hact->text(), QString::number(e.hact[0]));

    // An empty field keeps the record's value.
    const uint16_t hblank = e.hblank[0];
    edid->findChild<QLineEdit*>("lineEdit_4")->clear();
    clickButton(edid->findChild<QPushButton*>("pushButton_2"));
    QCOMPARE(e.hblank[0], hblank);
    p = waitFrames(0x0618, before + 3).last();
    QCOMPARE(Le16(p, 11), int(hblank));
    edid->close();
    QVERIFY(page->panelButton(4)->isVisible());
}

void TestInputPage::hdmiRangeSendsNothing()
{
    InputSrcCell* c0 = page->cell(0);
    QTest::mouseClick(c0, Qt::LeftButton, {}, Center(c0->mainFrame(), c0));
    clickButton(page->panelButton(7));
    HDMIRGBColorDlg* range = page->rangePanel();
    QVERIFY(range->isVisible());
    const quint64 sent = h->SentFrameCount();
    auto* limited = range->findChild<QPushButton*>("pushButton_2");
    clickButton(limited);
    QVERIFY(limited->isChecked());
    QCOMPARE(h->PendingShortFrames(), 0);
    QCOMPARE(h->SentFrameCount(), sent);
    QSignalSpy closed(range, &HDMIRGBColorDlg::DlgClose);
    range->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(page->panelButton(7)->isVisible());
    clickButton(page->panelButton(7));
    QVERIFY(limited->isChecked());
    range->close();
}

void TestInputPage::renameStoresAfterSignal()
{
    InputSrcCell* c = page->cell(6);
    QLabel* label = c->findChild<QLabel*>("IPSRCRENAMELABEL");
    QString atSignal;
    auto conn = connect(page, &InputSrcSetDlg::SigRenameInputSrc, this,
                        [&] { atSignal = h->GetCurrentMData()->M_InputData.tile[0].name; });
    QTest::mouseDClick(c, Qt::LeftButton, {}, Center(label, c));
    QLineEdit* editor = c->renameEditor();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClicks(editor, "Left Wall");
    QTest::keyClick(editor, Qt::Key_Return);
    disconnect(conn);
    QCOMPARE(atSignal, QString());
    QCOMPARE(h->GetCurrentMData()->M_InputData.tile[0].name, QStringLiteral("Left Wall"));
    QCOMPARE(label->text(), QStringLiteral("Left Wall"));
    QVERIFY(!editor->isVisible());
}

void TestInputPage::compactColumn()
{
    InputSrcSetDlg column(nullptr);
    column.SetLayerPanelMode();
    column.resize(400, 700);
    column.show();
    QSignalSpy refreshed(&column, &InputSrcSetDlg::ChangeInputSrcEvent);
    column.On_SigUIRefreshInputCfg();
    QCOMPARE(refreshed.count(), 0);
    QVERIFY(!column.panelButton(1)->isVisible());
    QVERIFY(!column.cell(0)->subFrame(0)->isVisible());
    QSignalSpy changes(&column, &InputSrcSetDlg::ChangeInputSrcEvent);
    // A tile cell is selected by its index and reaches no port record.
    column.On_SigUIRefreshInputTile();
    column.cell(7)->SetTileValid(true);
    QTest::mouseClick(column.cell(7), Qt::LeftButton, {},
                      Center(column.cell(7)->mainFrame(), column.cell(7)));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].toInt(), 7);
    // The input without ports is clickable again after the next switch.
    QVERIFY(!column.cell(5)->clickable);
    column.SetLayerPanelMode();
    QVERIFY(column.cell(5)->clickable);
    // Reports for indices past the records change nothing.
    column.On_SigUIRefreshInputSignal(6, 0);
    column.On_SigUIRefreshInputSignal(0, 3);
    column.OnClickInputSrc(9, 0);
    column.On_SigClickInputSubSrc(0, 3);
    QCOMPARE(h->PendingShortFrames(), 0);
}

// Pointing the shown panel at another input shows that input's timing at
// once: "Accept" must never write what was shown for another input.
void TestInputPage::edidFollowsSelection()
{
    InputSrcCell* c0 = page->cell(0);
    QTest::mouseClick(c0, Qt::LeftButton, {}, Center(c0->mainFrame(), c0));
    clickButton(page->panelButton(4));
    EdidDlg* edid = page->edidPanel();
    MData* d = h->GetCurrentMData();
    const uint16_t kept = d->M_InputData.edid[1].hact[0];
    d->M_InputData.edid[1].hact[0] = 1280;
    InputSrcCell* c1 = page->cell(1);
    QTest::mouseClick(c1, Qt::LeftButton, {}, Center(c1->mainFrame(), c1));
    QCOMPARE(edid->inputIndex(), 1);
    QCOMPARE(edid->findChild<QLineEdit*>("lineEdit")->text(), QStringLiteral("1280"));
    d->M_InputData.edid[1].hact[0] = kept;
    edid->close();
}

// Records as a device may report them, drawn as the page's slots see them.
void TestInputPage::reportsOfOtherPortsAndBadTiles()
{
    MData* d = h->GetCurrentMData();
    const MData saved = *d;
    InputSrcCell* c1 = page->cell(1);
    const int a = d->M_InputData.port[1].actId;
    const int other = a == 0 ? 1 : 0;
    const QString label = LabelText(c1, "IPSIGNALLABEL");
    // A report of a port that is not active changes its sub-cell lamp only.
    d->M_InputData.signal[1].width[0][other] = 0;
    page->On_SigUIRefreshInputSignal(1, other);
    QCOMPARE(LabelText(c1, "IPSIGNALLABEL"), label);
    QVERIFY(c1->findChild<QPushButton*>("INPUTSIGNAL")->isChecked());
    QVERIFY(!c1->findChild<QPushButton*>(QString("SubCellSignalBtn%1").arg(other))->isChecked());
    // An interlaced left half of the active port: the input offers no tile source.
    d->M_InputData.signal[1].interlaced[0][a] = true;
    page->On_SigUIRefreshInputSignal(1, a);
    QCOMPARE(LabelText(c1, "IPSIGNALLABEL"),
             QString("%1 i").arg(d->M_InputData.signal[1].height[0][a]));
    QVERIFY(!page->tileButton(1)->isEnabled());
    QVERIFY(!page->tileButton(9)->isEnabled());

    // Tile counts outside 2..4 show an empty tile; a slot past input 6 is skipped.
    QSignalSpy enable(page, &InputSrcSetDlg::SigInputTileEnable);
    for (int count : {1, 5}) {
        d->M_InputData.tile[1].count = count;
        page->On_SigUIRefreshInputTile();
        QCOMPARE(LabelText(page->cell(7), "SubCell0"), QStringLiteral("NONE"));
        QVERIFY(!page->cell(7)->findChild<QPushButton*>("INPUTCONFIRM")->isEnabled());
        QCOMPARE(enable.last()[0].toInt(), 7);
        QVERIFY(!enable.last()[1].toBool());
    }
    d->M_InputData.tile[1].count = 2;
    d->M_InputData.tile[1].input[0] = 9;
    d->M_InputData.tile[1].input[1] = 2;
    page->On_SigUIRefreshInputTile();
    QCOMPARE(LabelText(page->cell(7), "IPSIGNALLABEL"), QStringLiteral("Input:3,"));
    *d = saved;
    page->On_SigUIRefreshInputSignal(1, a);
    page->On_SigUIRefreshInputSignal(1, other);
    QCOMPARE(h->PendingShortFrames(), 0);
}

void TestInputPage::languageChangeKeepsPortTexts()
{
    InputSrcCell* c2 = page->cell(2);
    QTest::mouseClick(c2, Qt::LeftButton, {}, Center(c2->mainFrame(), c2));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(page, &change);
    QCOMPARE(page->panelButton(1)->text(), QStringLiteral("SDI Image Crop"));
    QCOMPARE(page->panelButton(2)->text(), QStringLiteral("SDI Image Crop"));
    QCOMPARE(page->panelButton(4)->text(), QStringLiteral("SDI EDID"));
    QCOMPARE(page->panelButton(6)->text(), QStringLiteral("VGA EDID"));
    QCOMPARE(page->panelButton(7)->text(), QStringLiteral("HDMI RGB Color Range"));
}

// Texts the cells and panels set when they are built follow a language
// switch too.
void TestInputPage::cellTextsFollowALanguageSwitch()
{
    using ProgressTest::MarkingTranslator;
    ColorManagementDlg colour(nullptr);
    MarkingTranslator marking;
    QVERIFY(QCoreApplication::installTranslator(&marking));
    auto button = [](InputSrcCell* c, const char* name) {
        return c->findChild<QPushButton*>(QLatin1String(name))->text();
    };
    // The application posts the change to its windows.
    QTRY_COMPARE(button(page->cell(0), "INPUTCLEAR"),
                 MarkingTranslator::mark("InputSrcCell", "Clear"));
    QCOMPARE(button(page->cell(7), "INPUTCONFIRM"),
             MarkingTranslator::mark("InputSrcCell", "Apply"));
    QCOMPARE(page->cell(7)->findChild<QLabel*>(QStringLiteral("IPSRCLABEL"))->text(),
             MarkingTranslator::mark("InputSrcSetDlg", "Tile %1").arg(2));
    QCOMPARE(colour.findChild<NeoSliderComb*>(QStringLiteral("gammaSlider"))
                 ->findChild<QLabel*>(QStringLiteral("label"))
                 ->text(),
             MarkingTranslator::mark("ColorManagementDlg", "Gamma"));
    QVERIFY(QCoreApplication::removeTranslator(&marking));
    QTRY_COMPARE(button(page->cell(0), "INPUTCLEAR"), QStringLiteral("Clear"));
    QCOMPARE(page->cell(7)->findChild<QLabel*>(QStringLiteral("IPSRCLABEL"))->text(),
             QStringLiteral("Tile 2"));
}

// A real drag out of a cell: the drag's own event loop runs until the
// release over a drop target that reads the record as the layout canvas does.
class DropTarget : public QWidget {
public:
    DropTarget() { setAcceptDrops(true); }
    std::optional<InputDragInfo> got;

protected:
    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (e->mimeData()->hasFormat("INFO"))
            e->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* e) override
    {
        if (e->mimeData()->hasFormat("INFO"))
            e->acceptProposedAction();
    }
    void dropEvent(QDropEvent* e) override
    {
        got = InputDragInfo::fromMime(e->mimeData());
        e->acceptProposedAction();
    }
};

void TestInputPage::dragCarriesRecord()
{
    // Payloads as the cells build them.
    struct Case {
        int cell;
        bool right;
        int source, half, split;
    };
    for (const Case& k : {Case{1, false, 1, 0, 0}, Case{4, true, 4, 1, 1}, Case{4, false, 4, 0, 1},
                          Case{7, false, 7, 0, 0}}) {
        InputSrcCell* c = page->cell(k.cell);
        const QPoint at = k.right ? Center(c->rightPart(), c) : QPoint(10, c->height() / 2);
        const auto info = InputDragInfo::fromBytes(c->DragPayload(at));
        QVERIFY(info);
        QCOMPARE(info->source, k.source);
        QCOMPARE(info->half, k.half);
        QCOMPARE(int(info->split), k.split);
        if (k.cell < 6) {
            const InputPortCfg& port = h->GetCurrentMData()->M_InputData.port[k.cell];
            QCOMPARE(info->port, int(port.actId));
            QCOMPARE(info->type, port.inputType[port.actId]);
        }
    }

    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("a drag through the window system runs under Xvfb (test_inputpage_drag)");
    DropTarget target;
    target.setGeometry(page->geometry().right() + 20, page->geometry().top(), 200, 200);
    target.show();
    QVERIFY(QTest::qWaitForWindowExposed(&target));
    InputSrcCell* c4 = page->cell(4);
    const QPoint from = Center(c4->rightPart(), c4);
    const QPoint to = target.mapToGlobal(target.rect().center());
    // The drag runs its own loop; these steps reach it from inside.
    QTimer::singleShot(0, &target, [&] {
        QTest::mouseMove(target.windowHandle(), target.rect().center());
        QTest::mouseRelease(target.windowHandle(), Qt::LeftButton, {}, target.rect().center());
    });
    MouseEvents::press(c4, from);
    MouseEvents::moveGlobal(
        c4, c4->mapToGlobal(from) + QPoint(QApplication::startDragDistance() + 5, 0));
    Q_UNUSED(to);
    QTRY_VERIFY(target.got.has_value());
    QCOMPARE(target.got->source, 4);
    QCOMPARE(target.got->half, 1);
    QCOMPARE(int(target.got->split), 1);
}

// Behind another page of the window, the page follows no read-back: shown,
// it redraws once and shows the device's inputs.
void TestInputPage::hiddenPageRedrawsWhenShown()
{
    QStackedWidget window;
    auto* front = new QWidget;
    auto* hidden = new InputSrcSetDlg(nullptr);
    window.addWidget(front);
    window.addWidget(hidden);
    window.setCurrentWidget(front);
    window.resize(1100, 1000);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int before = hidden->redraws()->redraws();
    const QString unread = LabelText(hidden->cell(0), "IPSRCLABEL");

    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    QVERIFY(TestSupport::WaitReadBackEnds(h, end, 1));
    QCoreApplication::processEvents();
    QCOMPARE(hidden->redraws()->redraws(), before);
    QVERIFY(hidden->redraws()->pending());
    const QString drawn = LabelText(page->cell(0), "IPSRCLABEL");
    QVERIFY(drawn != unread);
    QCOMPARE(LabelText(hidden->cell(0), "IPSRCLABEL"), unread);

    window.setCurrentWidget(hidden);
    QCOMPARE(hidden->redraws()->redraws(), before + 1);
    QCOMPARE(LabelText(hidden->cell(0), "IPSRCLABEL"), drawn);
    QCoreApplication::processEvents();
    QCOMPARE(hidden->redraws()->redraws(), before + 1);
    QTRY_VERIFY(!page->redraws()->pending());
}

// The page as the operator sees it, on a real X server: kept as
// test_inputpage.png beside the test.
void TestInputPage::screenshot()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("screenshots are taken under Xvfb (test_inputpage_xvfb)");
    // The cells' colours are rules of the application's style sheet.
    QVERIFY(Look::ApplyStyleSheet());
    page->raise();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QTRY_VERIFY(!page->redraws()->pending());
    auto grab = [this] {
        return QGuiApplication::primaryScreen()->grabWindow(0, page->x(), page->y(), page->width(),
                                                            page->height());
    };
    // Wait until the window shows the sheet: the first cell's frame in its look.
    QFrame* frame = page->cell(0)->mainFrame();
    const QColor look = frame->property(InputLook::kFrameLook).toString() == InputLook::kFrameAccent
                            ? QColor(239, 156, 0)
                            : QColor(16, 16, 16);
    const QPoint inFrame = frame->mapTo(page, QPoint(frame->width() / 2, 1));
    QTRY_COMPARE(grab().toImage().pixelColor(inFrame), look);
    const QPixmap shot = grab();
    QVERIFY(!shot.isNull());
    QVERIFY(shot.save(QStringLiteral("test_inputpage.png")));

    // With the crop panel and then the EDID panel (advanced fields shown) open.
    InputSrcCell* c0 = page->cell(0);
    QTest::mouseClick(c0, Qt::LeftButton, {}, Center(c0->mainFrame(), c0));
    clickButton(page->panelButton(2));
    QTRY_VERIFY(page->cropPanel()->canvas()->width() > 0);
    QApplication::processEvents();
    QVERIFY(page->grab().save(QStringLiteral("test_inputpage_crop.png")));
    page->cropPanel()->close();
    clickButton(page->panelButton(4));
    QTest::mouseClick(page->edidPanel()->findChild<QPushButton*>("pushButton_3"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(page->grab().save(QStringLiteral("test_inputpage_edid.png")));
    page->edidPanel()->close();
}

LEDZ_GUI_TEST_MAIN(TestInputPage)
#include "test_inputpage.moc"
