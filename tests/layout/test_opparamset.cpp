// The output settings panel through its widgets against a simulated
// processor selected and read back inside the private network: the record,
// the frames the processor received, the panel's signals in their order, the
// "Tips" boxes and the progress of the mode switches. The canvas is stood in
// for by an object with the canvas's signals, connected as the page does.
#include "AppPaths.h"
#include "GuiTest.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "OpParamSet.h"
#include "OutputResoDlg.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProgressHelper.h"
#include "ProgressTest.h"
#include "SystemDevice.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The canvas's signals that reach the panel.
class CanvasStandIn : public QObject {
    Q_OBJECT
signals:
    void SigClickOutputCell(int id);
    void SigMouseMoveOPCell(QRect realRc);
    void SigOutputCellOnOff(int idx, bool IsOnOff);
};

namespace {

constexpr int kWindowCode = 0x0632;
constexpr int kResoCode = 0x0630;
constexpr int kHdmiCode = 0x0634;
constexpr int kAllCfgCode = 0x0601;

QString Le(uint32_t v, int bytes)
{
    QString out;
    for (int i = 0; i < bytes; ++i)
        out += QStringLiteral("%1").arg((v >> (8 * i)) & 0xFF, 2, 16, QLatin1Char('0'));
    return out;
}

// The 26 bytes of a window frame as the device reads them: port, on/off,
// the raster window (16 bits each), the canvas area (32 bits each).
QString WindowFrame(int port, int on, int hs, int vs, int hact, int vact, int mhs, int mvs,
                    int mhact, int mvact)
{
    return Le(uint32_t(port), 1) + Le(uint32_t(on), 1) + Le(uint32_t(hs), 2) + Le(uint32_t(vs), 2) +
           Le(uint32_t(hact), 2) + Le(uint32_t(vact), 2) + Le(uint32_t(mhs), 4) +
           Le(uint32_t(mvs), 4) + Le(uint32_t(mhact), 4) + Le(uint32_t(mvact), 4);
}

QString WindowFrame(const OutputWindowRecord& w)
{
    return WindowFrame(w.portID, w.onOff, w.hs, w.vs, w.hact, w.vact, w.mosaicHs, w.mosaicVs,
                       w.mosaicHact, w.mosaicVact);
}

}  // namespace

class TestOpParamSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void cellEditsItsRecord_data();
    void cellEditsItsRecord();
    void editEndingTwiceSendsOnce();
    void everyFinishedEditSends_data();
    void everyFinishedEditSends();
    void widthBeyondTheOutputIsCut();
    void rasterPositionStopsAt65535();
    void dragBeyondTheOutputIsCut();
    void dragOnTheCanvasMovesTheWindow();
    void layouts_data();
    void layouts();
    void resetFitsTheOutput_data();
    void resetFitsTheOutput();
    void onOffButtonAndCanvasSwitch();
    void hdmiSettingsAndHdrStatus();
    void refreshFollowsTheWorkingMode();
    void versionReportShowsTheModeRowUntilTheSubPanel();
    void hdmiSwitchEndsOnTheReadBack();
    void workModeSwitchEndsOnTheReadBack();
    void oneProgressForBothSwitches();
    void screenshot();
    void modeSwitchTimesOutWhenTheDeviceIsSilent();

private:
    MData& data() { return device_.data(); }
    OutputWindowRecord& window(int i) { return data().M_OutputData.M_OPDisplayCfg[i]; }
    QLineEdit* edit(const char* name) { return panel_->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return panel_->findChild<QPushButton*>(name); }
    // Types text into the edit as the operator does, then Return.
    void type(const char* name, const QString& text);
    // Until the frames sent are acknowledged; the window frames received
    // since the mark.
    QStringList sentWindows(int bytes = 26);
    // The panel's one progress.
    ProgressHelper* progress();
    // Every output back to the read-back's 2 x 2 of 1920 x 1080 windows, on
    // the PC only; the modes back to mosaic and DVI.
    void restoreRecord();

    SystemDevice device_;
    std::unique_ptr<QWidget> host_;
    OpParamSet* panel_ = nullptr;
    CanvasStandIn canvas_;
};

void TestOpParamSet::type(const char* name, const QString& text)
{
    QLineEdit* e = edit(name);
    QVERIFY(e);
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

QStringList TestOpParamSet::sentWindows(int bytes)
{
    if (!TestSupport::WaitSenderIdle(device_.handler()))
        return {QStringLiteral("sender not idle")};
    return device_.frames(kWindowCode, bytes);
}

ProgressHelper* TestOpParamSet::progress()
{
    const QList<ProgressHelper*> all = panel_->findChildren<ProgressHelper*>();
    return all.size() == 1 ? all[0] : nullptr;
}

void TestOpParamSet::restoreRecord()
{
    data().M_AllCfg.workMode = MOSAIC_MODE;
    OutputResoCfg& reso = data().M_OutputData.M_OutputResoCfg;
    reso.outputMode = DVI_MODE;
    reso.hact = 1920;
    reso.vact = 1080;
    for (int i = 0; i < 6; ++i) {
        OutputWindowRecord& w = window(i);
        w.onOff = i < 4 ? 1 : 0;
        w.hs = w.vs = 0;
        w.hact = w.mosaicHact = 1920;
        w.vact = w.mosaicVact = 1080;
        w.mosaicHs = (i % 2) * 1920;
        w.mosaicVs = (i >= 2 && i < 4) ? 1080 : 0;
    }
}

void TestOpParamSet::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    Look::ApplyStyleSheet();
    QVERIFY2(device_.start(), qPrintable(device_.error()));
    host_ = std::make_unique<QWidget>();
    host_->resize(1100, 240);
    // The page's background, for the screenshot.
    host_->setStyleSheet(QStringLiteral("QWidget#host { background: rgb(64, 64, 71); }"));
    host_->setObjectName(QStringLiteral("host"));
    host_->setAttribute(Qt::WA_StyledBackground);
    panel_ = new OpParamSet(host_.get());
    panel_->resize(1100, 240);
    QObject::connect(&canvas_, SIGNAL(SigClickOutputCell(int)), panel_,
                     SLOT(On_SigClickOutputCell(int)));
    QObject::connect(&canvas_, SIGNAL(SigMouseMoveOPCell(QRect)), panel_,
                     SLOT(On_SigMouseMoveOPCell(QRect)));
    QObject::connect(&canvas_, SIGNAL(SigOutputCellOnOff(int, bool)), panel_,
                     SLOT(On_SigOutputCellOnOff(int, bool)));
    host_->show();
    QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
}

void TestOpParamSet::init()
{
    QVERIFY(device_.settle());
    restoreRecord();
    emit canvas_.SigClickOutputCell(0);
}

void TestOpParamSet::cleanup()
{
    // Notices a test left open go before the next test looks for its own.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("CustomMsgBox"))
            w->close();
    }
}

void TestOpParamSet::cleanupTestCase()
{
    host_.reset();
    device_.stop();
}

void TestOpParamSet::cellEditsItsRecord_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("record");  // -1: the click is ignored
    QTest::addColumn<bool>("hdr");  // the HDR buttons enabled
    QTest::newRow("mosaic DVI, cell 2") << 0 << 0 << 2 << 2 << false;
    QTest::newRow("mosaic HDMI, cell 2 would be record 6") << 0 << 1 << 2 << -1 << false;
    QTest::newRow("mosaic HDMI, cell 1") << 0 << 1 << 1 << 5 << false;
    QTest::newRow("switcher, cell 0 with DVI") << 2 << 0 << 0 << 4 << true;
    QTest::newRow("switcher, cell 1 with HDMI") << 2 << 1 << 1 << 5 << false;
    QTest::newRow("backup HDMI, cell 0") << 4 << 1 << 0 << 4 << true;
}

void TestOpParamSet::cellEditsItsRecord()
{
    QFETCH(int, workMode);
    QFETCH(int, outputMode);
    QFETCH(int, cell);
    QFETCH(int, record);
    QFETCH(bool, hdr);
    data().M_AllCfg.workMode = workMode;
    data().M_OutputData.M_OutputResoCfg.outputMode = outputMode;
    emit canvas_.SigClickOutputCell(cell == 0 ? 1 : 0);  // another cell first
    const int before = panel_->currentOutput();
    QSignalSpy moved(panel_, &OpParamSet::sigOPPosChange);

    emit canvas_.SigClickOutputCell(cell);
    type("lineEdit", QStringLiteral("1234"));

    if (record < 0) {
        QCOMPARE(panel_->currentOutput(), before);
        QVERIFY(moved.isEmpty() || moved.last().at(1).toInt() != cell);
        return;
    }
    QCOMPARE(panel_->currentOutput(), record);
    QCOMPARE(button("pushButton_13")->isEnabled(), hdr);
    QCOMPARE(button("pushButton_12")->isEnabled(), hdr);
    QCOMPARE(window(record).mosaicHs, 1234);
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.last().at(0).value<void*>(), static_cast<void*>(&window(record)));
    QCOMPARE(moved.last().at(1).toInt(), cell);
    QCOMPARE(sentWindows(), QStringList{WindowFrame(window(record))});
    QCOMPARE(sentWindows(1).first().toInt(nullptr, 16), record);  // the record's port
}

void TestOpParamSet::editEndingTwiceSendsOnce()
{
    // Return ends the edit, and leaving the edit ends it again.
    host_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host_.get()));
    QLineEdit* e = edit("lineEdit_2");
    e->setFocus();
    QTRY_VERIFY(e->hasFocus());
    type("lineEdit_2", QStringLiteral("333"));
    edit("lineEdit_7")->setFocus();
    QTRY_VERIFY(!e->hasFocus());
    QCOMPARE(window(0).mosaicVs, 333);
    QCOMPARE(sentWindows(), QStringList{WindowFrame(0, 1, 0, 0, 1920, 1080, 0, 333, 1920, 1080)});
}

void TestOpParamSet::everyFinishedEditSends_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("record");
    QTest::newRow("mosaic DVI, cell 2") << int(MOSAIC_MODE) << int(DVI_MODE) << 1 << 1;
    QTest::newRow("switcher, cell 1") << int(SWITCHER_MODE) << int(DVI_MODE) << 0 << 4;
    QTest::newRow("backup HDMI, cell 2") << int(BACKUP_MODE) << int(HDMI_MODE) << 1 << 5;
}

// Typing again the value the PC holds still sends it: that is how the
// operator brings a device that holds something else back in line. Only
// the second finish of one edit (Return, then the focus leaving) is not sent.
void TestOpParamSet::everyFinishedEditSends()
{
    QFETCH(int, workMode);
    QFETCH(int, outputMode);
    QFETCH(int, cell);
    QFETCH(int, record);
    data().M_AllCfg.workMode = workMode;
    data().M_OutputData.M_OutputResoCfg.outputMode = outputMode;
    emit canvas_.SigClickOutputCell(cell);
    QCOMPARE(panel_->currentOutput(), record);
    const OutputWindowRecord held = window(record);
    QSignalSpy moved(panel_, &OpParamSet::sigOPPosChange);

    const QList<QPair<const char*, int>> edits = {
        {"lineEdit", held.mosaicHs}, {"lineEdit_2", held.mosaicVs}, {"lineEdit_5", held.hs},
        {"lineEdit_7", held.vs},     {"lineEdit_6", held.hact},     {"lineEdit_8", held.vact}};
    const QString frame = WindowFrame(held);
    QStringList frames;
    for (const auto& e : edits) {
        type(e.first, QString::number(e.second));
        frames << frame;
    }
    QCOMPARE(sentWindows(), frames);
    // The canvas follows the edits of its area and of the window's size.
    QCOMPARE(moved.size(), 4);
    QCOMPARE(moved.last().at(1).toInt(), cell);
    QVERIFY(!NoticeShown(QStringLiteral("Output Window Exceed Output Resolution.")));

    // Return, then the focus leaving the edit: one frame.
    device_.markFrames();
    host_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host_.get()));
    QLineEdit* e = edit("lineEdit");
    e->setFocus();
    QTRY_VERIFY(e->hasFocus());
    type("lineEdit", QString::number(held.mosaicHs));
    edit("lineEdit_2")->setFocus();
    QTRY_VERIFY(!e->hasFocus());
    QCOMPARE(sentWindows(), QStringList{frame});
}

void TestOpParamSet::widthBeyondTheOutputIsCut()
{
    emit canvas_.SigClickOutputCell(1);
    window(1).hact = window(1).mosaicHact = 1000;

    QString shown;
    AnswerNextBox(QDialogButtonBox::Ok, &shown);
    type("lineEdit_6", QStringLiteral("1921"));
    QTRY_COMPARE(shown, QStringLiteral("Output Window Exceed Output Resolution."));
    QCOMPARE(int(window(1).hact), 1920);
    QCOMPARE(window(1).mosaicHact, 1920);
    QCOMPARE(edit("lineEdit_6")->text(), QStringLiteral("1920"));
    QCOMPARE(edit("lineEdit_3")->text(), QStringLiteral("1920"));
    QCOMPARE(sentWindows(), QStringList{WindowFrame(1, 1, 0, 0, 1920, 1080, 1920, 0, 1920, 1080)});

    // A height equal to the output's passes without a box.
    device_.markFrames();
    window(1).vact = window(1).mosaicVact = 500;
    type("lineEdit_8", QStringLiteral("1080"));
    QCOMPARE(int(window(1).vact), 1080);
    QCOMPARE(edit("lineEdit_4")->text(), QStringLiteral("1080"));
    QCOMPARE(sentWindows().size(), 1);
    QVERIFY(!NoticeShown(QStringLiteral("Output Window Exceed Output Resolution.")));
}

void TestOpParamSet::rasterPositionStopsAt65535()
{
    // The field is 16-bit: a larger number is not taken (its low bits would
    // put the window somewhere else on the wall).
    type("lineEdit_5", QStringLiteral("70000"));
    QCOMPARE(int(window(0).hs), 0);
    QCOMPARE(sentWindows(), QStringList());

    edit("lineEdit_5")->clear();
    type("lineEdit_5", QStringLiteral("65535"));
    type("lineEdit_7", QStringLiteral("12"));
    QCOMPARE(int(window(0).hs), 65535);
    QCOMPARE(int(window(0).vs), 12);
    QCOMPARE(sentWindows(),
             (QStringList{WindowFrame(0, 1, 65535, 0, 1920, 1080, 0, 0, 1920, 1080),
                          WindowFrame(0, 1, 65535, 12, 1920, 1080, 0, 0, 1920, 1080)}));
    // The canvas area takes five digits whole.
    type("lineEdit_2", QStringLiteral("70000"));
    QCOMPARE(window(0).mosaicVs, 70000);
}

void TestOpParamSet::dragBeyondTheOutputIsCut()
{
    emit canvas_.SigClickOutputCell(2);
    QSignalSpy moved(panel_, &OpParamSet::sigOPPosChange);
    QString shown;
    AnswerNextBox(QDialogButtonBox::Ok, &shown);
    emit canvas_.SigMouseMoveOPCell(QRect(100, 50, 2000, 1200));
    QTRY_COMPARE(shown, QStringLiteral("Output Window Exceed Output Resolution."));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.last().at(1).toInt(), 2);
    const OutputWindowRecord& w = window(2);
    QCOMPARE(QRect(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact), QRect(100, 50, 1920, 1080));
    QCOMPARE(QSize(w.hact, w.vact), QSize(1920, 1080));
    QCOMPARE(edit("lineEdit")->text(), QStringLiteral("100"));
    QCOMPARE(edit("lineEdit_6")->text(), QStringLiteral("1920"));
    QCOMPARE(edit("lineEdit_8")->text(), QStringLiteral("1080"));

    // Inside the output: stored as it is, the cell keeps its rectangle.
    emit canvas_.SigMouseMoveOPCell(QRect(10, 20, 1000, 500));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(QRect(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact), QRect(10, 20, 1000, 500));
    QCOMPARE(edit("lineEdit_4")->text(), QStringLiteral("500"));
    QCOMPARE(sentWindows(), (QStringList{WindowFrame(2, 1, 0, 0, 1920, 1080, 100, 50, 1920, 1080),
                                         WindowFrame(2, 1, 0, 0, 1000, 500, 10, 20, 1000, 500)}));
}

void TestOpParamSet::dragOnTheCanvasMovesTheWindow()
{
    // The real canvas, wired as the page wires it.
    QScrollArea area;
    area.resize(900, 600);
    auto* canvas = new PaintCellCtrl(&area);
    canvas->setGeometry(0, 0, 10000, 10000);
    area.setWidget(canvas);
    QObject::connect(canvas, SIGNAL(SigClickOutputCell(int)), panel_,
                     SLOT(On_SigClickOutputCell(int)));
    QObject::connect(canvas, SIGNAL(SigMouseMoveOPCell(QRect)), panel_,
                     SLOT(On_SigMouseMoveOPCell(QRect)));
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    canvas->setOutputCell(QRect(QPoint(0, 0), QPoint(1919, 1079)), 0, true);
    canvas->setOutputCell(QRect(QPoint(1920, 0), QPoint(3839, 1079)), 1, true);
    canvas->setOutputCell(QRect(), 2, false);
    canvas->setOutputCell(QRect(), 3, false);

    // Output 1 picked up in its middle and moved 40 pixels right and down:
    // 320 device units at the canvas's scale of 8.
    PicVideoCell* cell = canvas->outputCells().at(1);
    const QPoint start(100, 60);
    const QPoint startGlobal = cell->mapToGlobal(start);
    MouseEvents::press(cell, start);
    QCOMPARE(panel_->currentOutput(), 1);
    for (int d : {10, 20, 40})
        MouseEvents::moveGlobal(cell, startGlobal + QPoint(d, d));
    MouseEvents::release(cell, cell->mapFromGlobal(startGlobal + QPoint(40, 40)));

    const OutputWindowRecord& w = window(1);
    QCOMPARE(QRect(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact),
             QRect(2240, 320, 1920, 1080));
    QCOMPARE(edit("lineEdit")->text(), QStringLiteral("2240"));
    QCOMPARE(edit("lineEdit_2")->text(), QStringLiteral("320"));
    QCOMPARE(sentWindows(),
             QStringList{WindowFrame(1, 1, 0, 0, 1920, 1080, 2240, 320, 1920, 1080)});
}

void TestOpParamSet::layouts_data()
{
    QTest::addColumn<QString>("layoutButton");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<QString>("onOff");  // records 0..5
    QTest::addColumn<QStringList>("events");  // the panel's signals in order
    QTest::addColumn<QStringList>("places");  // of the records sent, in order

    QTest::newRow("horizontal from (100, 50)")
        << "pushButton_7" << 0 << "111100"
        << QStringList{"pos 0", "pos 1", "pos 2", "pos 3", "layout"}
        << QStringList{"0 100,50", "1 2020,50", "2 3940,50", "3 5860,50"};
    QTest::newRow("horizontal, record 0 off")
        << "pushButton_7" << 0 << "011000" << QStringList{"pos 1", "pos 2", "layout"}
        << QStringList{"1 1920,0", "2 3840,0"};
    QTest::newRow("vertical") << "pushButton_8" << 0 << "110100"
                              << QStringList{"pos 0", "pos 1", "pos 3", "layout"}
                              << QStringList{"0 100,50", "1 100,1130", "3 100,2210"};
    QTest::newRow("2 x 2") << "pushButton_9" << 0 << "111100"
                           << QStringList{"pos 0", "pos 1", "pos 2", "pos 3", "layout"}
                           << QStringList{"0 100,50", "1 2020,50", "2 100,1130", "3 2020,1130"};
    QTest::newRow("horizontal HDMI: records 4 and 5, cells 0 and 1")
        << "pushButton_7" << 1 << "111111" << QStringList{"pos 0", "pos 1", "layout"}
        << QStringList{"4 0,0", "5 1920,0"};
}

void TestOpParamSet::layouts()
{
    QFETCH(QString, layoutButton);
    QFETCH(int, outputMode);
    QFETCH(QString, onOff);
    QFETCH(QStringList, events);
    QFETCH(QStringList, places);
    data().M_OutputData.M_OutputResoCfg.outputMode = outputMode;
    for (int i = 0; i < 6; ++i)
        window(i).onOff = onOff[i] == QLatin1Char('1') ? 1 : 0;
    window(0).mosaicHs = 100;
    window(0).mosaicVs = 50;

    QStringList seen;
    const auto a = connect(panel_, &OpParamSet::sigOPPosChange,
                           [&seen](void*, int idx) { seen << QStringLiteral("pos %1").arg(idx); });
    const auto b =
        connect(panel_, &OpParamSet::SigOuputLayout, [&seen] { seen << QStringLiteral("layout"); });
    button(qPrintable(layoutButton))->click();
    disconnect(a);
    disconnect(b);
    QCOMPARE(seen, events);

    QStringList expected;
    QStringList stored;
    for (const QString& p : places) {
        const int i = p.section(QLatin1Char(' '), 0, 0).toInt();
        expected << WindowFrame(window(i));
        const OutputWindowRecord& w = window(i);
        stored << QStringLiteral("%1 %2,%3").arg(i).arg(w.mosaicHs).arg(w.mosaicVs);
    }
    QCOMPARE(stored, places);
    QCOMPARE(sentWindows(), expected);
}

void TestOpParamSet::resetFitsTheOutput_data()
{
    QTest::addColumn<int>("outputWidth");
    QTest::addColumn<int>("outputHeight");
    QTest::addColumn<QSize>("window");
    QTest::newRow("3840 x 2160") << 3840 << 2160 << QSize(1920, 1080);
    QTest::newRow("1280 x 720") << 1280 << 720 << QSize(1280, 720);
}

void TestOpParamSet::resetFitsTheOutput()
{
    QFETCH(int, outputWidth);
    QFETCH(int, outputHeight);
    QFETCH(QSize, window);
    data().M_OutputData.M_OutputResoCfg.hact = uint16_t(outputWidth);
    data().M_OutputData.M_OutputResoCfg.vact = uint16_t(outputHeight);
    emit canvas_.SigClickOutputCell(3);
    this->window(3).hs = 40;
    QSignalSpy moved(panel_, &OpParamSet::sigOPPosChange);
    button("pushButton_11")->click();
    const OutputWindowRecord& w = this->window(3);
    QCOMPARE(QRect(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact),
             QRect(QPoint(0, 0), window));
    QCOMPARE(QRect(w.hs, w.vs, w.hact, w.vact), QRect(QPoint(0, 0), window));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(edit("lineEdit_6")->text(), QString::number(window.width()));
    QCOMPARE(sentWindows(), QStringList{WindowFrame(3, 1, 0, 0, window.width(), window.height(), 0,
                                                    0, window.width(), window.height())});
}

void TestOpParamSet::onOffButtonAndCanvasSwitch()
{
    emit canvas_.SigClickOutputCell(1);
    QPushButton* onOff = button("pushButton_10");
    QVERIFY(onOff->isChecked());
    QSignalSpy switched(panel_, &OpParamSet::sigOPOnoff);
    onOff->click();
    QCOMPARE(int(window(1).onOff), 0);
    QCOMPARE(switched.size(), 1);
    QCOMPARE(switched.last().at(1).toInt(), 1);

    // The canvas's switch of another cell leaves the button to the edited
    // output and tells nobody.
    emit canvas_.SigOutputCellOnOff(2, false);
    QCOMPARE(int(window(2).onOff), 0);
    QVERIFY(!onOff->isChecked());
    emit canvas_.SigOutputCellOnOff(1, true);
    QVERIFY(onOff->isChecked());
    QCOMPARE(switched.size(), 1);
    QCOMPARE(panel_->currentOutput(), 1);
    // Selecting an output that is off shows it off.
    emit canvas_.SigClickOutputCell(2);
    QVERIFY(!onOff->isChecked());
    QCOMPARE(sentWindows(2), (QStringList{"0100", "0200", "0101"}));
}

void TestOpParamSet::hdmiSettingsAndHdrStatus()
{
    const HdmiSettingCfg& h = data().M_OutputData.M_HdmiSettingCfg;
    const HdmiSettingCfg was = h;
    button("pushButton_5")->click();  // "Limited"
    QCOMPARE(h.rgbRange, 1);
    button("pushButton_6")->click();  // "Full"
    QCOMPARE(h.rgbRange, 0);
    button("pushButton_2")->click();  // "YUV444"
    QCOMPARE(h.colorSpace, 1);
    QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
    const QString rest = QStringLiteral("%1%2%3")
                             .arg(was.hdr, 2, 16, QLatin1Char('0'))
                             .arg(was.dviHdmi, 2, 16, QLatin1Char('0'))
                             .arg(was.outputPort, 2, 16, QLatin1Char('0'));
    const QString depth = QStringLiteral("%1").arg(was.colorDepth, 2, 16, QLatin1Char('0'));
    QCOMPARE(
        device_.frames(kHdmiCode, 7),
        (QStringList{
            "ff" + QString("%1").arg(was.colorSpace, 2, 16, QLatin1Char('0')) + "01" + depth + rest,
            "ff" + QString("%1").arg(was.colorSpace, 2, 16, QLatin1Char('0')) + "00" + depth + rest,
            "ff0100" + depth + rest}));
    // The device's report checks the rows' buttons.
    QTRY_VERIFY(button("pushButton_2")->isChecked());
    QVERIFY(button("pushButton_6")->isChecked());
    button("pushButton")->click();
    QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));

    // The HDR status report moves the buttons and sends nothing.
    device_.markFrames();
    emit device_.handler()->SigUIRefreshHDRStatus(3);
    QVERIFY(button("pushButton_13")->isChecked());
    emit device_.handler()->SigUIRefreshHDRStatus(2);
    QVERIFY(button("pushButton_12")->isChecked());
    QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
    QCOMPARE(device_.frames(kHdmiCode), QStringList());
}

void TestOpParamSet::refreshFollowsTheWorkingMode()
{
    QList<int> modes;
    const auto c = connect(panel_, &OpParamSet::SigOuputMode,
                           [&modes](OutputMode_Enum m) { modes << int(m); });
    const QList<QWidget*> geometry = {
        button("pushButton_7"), button("pushButton_8"), button("pushButton_9"),
        panel_->findChild<QWidget*>("MosaicGroup"), panel_->findChild<QWidget*>("OpWindowGroup")};
    data().M_AllCfg.workMode = SWITCHER_MODE;
    data().M_OutputData.M_OutputResoCfg.outputMode = HDMI_MODE;
    emit device_.handler()->SigUIRefreshAllCfg();
    QVERIFY(!button("DVIMODEBTN")->isEnabled());
    for (QWidget* w : geometry)
        QVERIFY(!w->isEnabled());
    QVERIFY(button("pushButton_19")->isEnabled());
    QVERIFY(button("pushButton_15")->isChecked());
    QVERIFY(button("HDMIMODEBTN")->isChecked());
    QCOMPARE(panel_->currentOutput(), 4);
    QCOMPARE(modes, QList<int>{HDMI_MODE});

    data().M_AllCfg.workMode = MOSAIC_MODE;
    data().M_OutputData.M_OutputResoCfg.outputMode = DVI_MODE;
    panel_->UiRefreshAll();
    QVERIFY(button("DVIMODEBTN")->isEnabled());
    for (QWidget* w : geometry)
        QVERIFY(w->isEnabled());
    QVERIFY(!button("pushButton_19")->isEnabled());
    QVERIFY(!button("pushButton_20")->isEnabled());
    QVERIFY(button("pushButton_14")->isChecked());
    QVERIFY(button("DVIMODEBTN")->isChecked());
    QCOMPARE(panel_->currentOutput(), 0);
    QCOMPARE(edit("lineEdit_6")->text(), QStringLiteral("1920"));

    // Working mode 3: only what the resolution refresh does.
    data().M_AllCfg.workMode = 3;
    data().M_OutputData.M_OutputResoCfg.outputMode = HDMI_MODE;
    panel_->UiRefreshAll();
    QVERIFY(button("pushButton_14")->isChecked());
    QVERIFY(button("DVIMODEBTN")->isEnabled());
    QVERIFY(button("HDMIMODEBTN")->isChecked());

    // An output mode the tool does not know (a reply's or a file's) is never
    // reported and changes nothing.
    data().M_OutputData.M_OutputResoCfg.outputMode = 2;
    emit device_.handler()->SigUIRefreshOutputReso();
    QVERIFY(button("HDMIMODEBTN")->isChecked());
    QCOMPARE(panel_->currentOutput(), 4);
    data().M_OutputData.M_OutputResoCfg.outputMode = HDMI_MODE;
    disconnect(c);
    QCOMPARE(modes, (QList<int>{HDMI_MODE, DVI_MODE, HDMI_MODE}));
}

void TestOpParamSet::versionReportShowsTheModeRowUntilTheSubPanel()
{
    QWidget* caption = panel_->findChild<QLabel*>("label");
    QVERIFY(!caption->isVisibleTo(panel_));
    const uint8_t was = data().M_SwitcherType;
    data().M_SwitcherType = 1;
    emit device_.handler()->SigUIRefreshMachineVer(VER_UIBOARD);
    QVERIFY(!caption->isVisibleTo(panel_));
    emit device_.handler()->SigUIRefreshMachineVer(VER_MAINBOARD);
    QVERIFY(caption->isVisibleTo(panel_));
    QCOMPARE(button("HDMIMODEBTN")->text(), QStringLiteral("DP"));
    QCOMPARE(button("pushButton_15")->text(), QStringLiteral("DP Switcher Mode"));
    QVERIFY(button("HDMIMODEBTN")->isVisibleTo(panel_));

    button("OPRESOBTN")->click();
    QVERIFY(panel_->resoDlg()->isVisibleTo(panel_));
    QVERIFY(!button("OPRESOBTN")->isVisibleTo(panel_));
    QVERIFY(!panel_->findChild<QWidget*>("MosaicGroup")->isVisibleTo(panel_));
    panel_->CloseResoDlg();
    QVERIFY(!panel_->resoDlg()->isVisibleTo(panel_));
    QVERIFY(button("OPRESOBTN")->isVisibleTo(panel_));
    QVERIFY(panel_->findChild<QWidget*>("MosaicGroup")->isVisibleTo(panel_));
    QVERIFY(!caption->isVisibleTo(panel_));
    QVERIFY(!button("HDMIMODEBTN")->isVisibleTo(panel_));
    QVERIFY(!button("pushButton_15")->isVisibleTo(panel_));

    // A language change takes the variant's texts and shows nothing.
    data().M_SwitcherType = 0;
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(panel_, &change);
    QCOMPARE(button("HDMIMODEBTN")->text(), QStringLiteral("HDMI"));
    QCOMPARE(button("pushButton_15")->text(), QStringLiteral("HDMI Switcher"));
    QVERIFY(!button("HDMIMODEBTN")->isVisibleTo(panel_));
    data().M_SwitcherType = was;
}

void TestOpParamSet::hdmiSwitchEndsOnTheReadBack()
{
    ProgressHelper* p = progress();
    QVERIFY(p);
    QSignalSpy ends(device_.handler(), &MiddleHandler::SigUIRefreshRequstCmdEnd);
    data().M_OutputData.M_OutputResoCfg.resoId = 10;
    // "DVI" in DVI mode: nothing sent, no progress, the HDMI settings hidden.
    button("DVIMODEBTN")->click();
    QVERIFY(!p->isRunning());
    QVERIFY(!button("HDMISETTINGBTN")->isEnabled());
    QVERIFY(!panel_->findChild<QWidget*>("HDMISETTINGGBOX")->isVisibleTo(panel_));

    button("HDMIMODEBTN")->click();
    QCOMPARE(data().M_OutputData.M_OutputResoCfg.outputMode, 1);
    QCOMPARE(data().M_OutputData.M_OutputResoCfg.resoId, 26);
    QVERIFY(p->isRunning());
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 1));
    QVERIFY(!p->isRunning());
    QCOMPARE(device_.frames(kResoCode, 4), QStringList{"00ff011a"});
    // The device's answer moves the edits to the first HDMI output.
    QCOMPARE(panel_->currentOutput(), 4);
    QVERIFY(button("HDMIMODEBTN")->isChecked());

    // "HDMI" again: nothing sent, no progress.
    device_.markFrames();
    button("HDMIMODEBTN")->click();
    QVERIFY(!p->isRunning());

    // The HDMI settings open in HDMI mode; "DVI" closes them.
    QVERIFY(button("HDMISETTINGBTN")->isEnabled());
    button("HDMISETTINGBTN")->click();
    QVERIFY(panel_->findChild<QWidget*>("HDMISETTINGGBOX")->isVisibleTo(panel_));

    // Back to DVI with its 1920 x 1080 preset.
    button("DVIMODEBTN")->click();
    QVERIFY(p->isRunning());
    QVERIFY(!button("pushButton_13")->isEnabled());
    QVERIFY(!panel_->findChild<QWidget*>("HDMISETTINGGBOX")->isVisibleTo(panel_));
    QVERIFY(!button("HDMISETTINGBTN")->isChecked());
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 2));
    QVERIFY(!p->isRunning());
    QCOMPARE(device_.frames(kResoCode, 4), QStringList{"00ff000a"});
    QCOMPARE(panel_->currentOutput(), 0);
    QVERIFY(!NoticeShown(QStringLiteral("Switch Output Mode Timeout")));
}

void TestOpParamSet::workModeSwitchEndsOnTheReadBack()
{
    ProgressHelper* p = progress();
    QVERIFY(p);
    QSignalSpy ends(device_.handler(), &MiddleHandler::SigUIRefreshRequstCmdEnd);
    button("pushButton_16")->click();  // "Backup Mode"
    QCOMPARE(data().M_AllCfg.workMode, 4);
    QVERIFY(p->isRunning());
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 1));
    QVERIFY(!p->isRunning());
    QCOMPARE(device_.frames(kAllCfgCode, 2), QStringList{"ff04"});
    QVERIFY(button("pushButton_16")->isChecked());

    // The same mode again: nothing.
    device_.markFrames();
    button("pushButton_16")->click();
    QVERIFY(!p->isRunning());
    QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
    QCOMPARE(device_.frames(kAllCfgCode), QStringList());

    button("pushButton_14")->click();  // "Mosaic Mode"
    QCOMPARE(data().M_AllCfg.workMode, 0);
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 2));
    QVERIFY(!p->isRunning());
    QCOMPARE(device_.frames(kAllCfgCode, 2), QStringList{"ff00"});
    QVERIFY(!NoticeShown(QStringLiteral("Switch Work Mode Timeout")));
}

// Both switches share one dialog: a working-mode switch takes over the
// output-mode switch's dialog with its own texts, the texts follow a
// language switch, and a run that ends before its first tick leaves no
// dialog to come up later.
void TestOpParamSet::oneProgressForBothSwitches()
{
    using ProgressTest::MarkingTranslator;
    ProgressHelper* p = progress();
    QVERIFY(p);
    QSignalSpy ends(device_.handler(), &MiddleHandler::SigUIRefreshRequstCmdEnd);
    button("HDMIMODEBTN")->click();
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Switch Output Mode"));
    QCOMPARE(p->timeOutText(), QStringLiteral("Switch Output Mode Timeout"));
    button("pushButton_16")->click();  // "Backup Mode"
    QVERIFY(p->isRunning());
    QCOMPARE(panel_->findChildren<QProgressDialog*>().size(), 1);
    QCOMPARE(p->count(), 0);
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Switch Work Mode..."));
    QCOMPARE(p->timeOutText(), QStringLiteral("Switch Work Mode Timeout"));

    MarkingTranslator marking;
    qApp->installTranslator(&marking);  // the language change is posted
    QTRY_COMPARE(p->dialog()->labelText(),
                 MarkingTranslator::mark("OpParamSet", "Switch Work Mode..."));
    QCOMPARE(p->timeOutText(), MarkingTranslator::mark("OpParamSet", "Switch Work Mode Timeout"));
    QCOMPARE(p->dialog()->findChild<QPushButton*>()->text(),
             MarkingTranslator::mark("OpParamSet", "Cancel"));
    qApp->removeTranslator(&marking);
    QTRY_COMPARE(p->dialog()->labelText(), QStringLiteral("Switch Work Mode..."));

    // The end before the first tick of 100 ms (the device's own ends come later
    // and find nothing running).
    emit device_.handler()->SigUIRefreshRequstCmdEnd();
    QVERIFY(!p->isRunning());
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 3));
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));

    // Back to mosaic and DVI on the device too.
    button("pushButton_14")->click();
    button("DVIMODEBTN")->click();
    QVERIFY(TestSupport::WaitReadBackEnds(device_.handler(), ends, 5));
    QVERIFY(!p->isRunning());
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
}

void TestOpParamSet::screenshot()
{
    panel_->UiRefreshAll();
    emit canvas_.SigClickOutputCell(1);
    const QImage shot = host_->grab().toImage();
    QVERIFY(!shot.isNull());
    QVERIFY(shot.save(QStringLiteral(LEDZ_SHOT_DIR "/opparamset.png")));
    // The resolution sub-panel in the place of the controls.
    button("OPRESOBTN")->click();
    QVERIFY(host_->grab().toImage().save(QStringLiteral(LEDZ_SHOT_DIR "/opparamset_reso.png")));
    panel_->CloseResoDlg();
}

void TestOpParamSet::modeSwitchTimesOutWhenTheDeviceIsSilent()
{
    device_.handler()->ResetForTest();
    QVERIFY2(device_.start(QStringLiteral("z7050-1.json"), {"--silent"}),
             qPrintable(device_.error()));
    data().M_OutputData.M_OutputResoCfg.outputMode = DVI_MODE;
    button("HDMIMODEBTN")->click();
    QTRY_VERIFY_WITH_TIMEOUT(NoticeShown(QStringLiteral("Switch Output Mode Timeout")), 20000);
    // The record keeps the new mode.
    QCOMPARE(data().M_OutputData.M_OutputResoCfg.outputMode, 1);
    QCOMPARE(data().M_OutputData.M_OutputResoCfg.resoId, 26);
}

LEDZ_GUI_TEST_MAIN(TestOpParamSet)
#include "test_opparamset.moc"
