// The output resolution panel as the operator uses it, against the simulated
// processor in the private test network: the button sets, the redraw from the
// device's record, what a preset and "Set" store and send, and the custom
// timing checks run by the edits.
#include "AppPaths.h"
#include "CommandEncoder.h"
#include "GuiTest.h"
#include "Look.h"
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "OutputResoDlg.h"
#include "ProcSim.h"
#include "SelectedSim.h"
#include "TestNet.h"
#include "TestSupport.h"
#include "TitleBar.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace TestNet;
using TestSupport::LogCapture;
using TestSupport::WaitSenderIdle;

namespace {

// The edits in the order of the record's timing: Hact, Vact, FPS, H tot,
// V tot, H Sync, V Sync, Hbp, Vbp.
const char* const kEdits[9] = {"lineEdit",    "lineEdit_2",  "lineEdit_13",
                               "lineEdit_7",  "lineEdit_8",  "lineEdit_9",
                               "lineEdit_10", "lineEdit_11", "lineEdit_12"};

QString Hex(const Payload& p)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(p.data()), Frame::kPayloadSize).toHex());
}

OutputResoCfg Timing1080p(int resoId, int outputMode)
{
    OutputResoCfg r;
    r.resoId = resoId;
    r.hact = 1920;
    r.vact = 1080;
    r.fps = 6000;
    r.htotal = 2200;
    r.hsync = 44;
    r.hbp = 148;
    r.vtotal = 1125;
    r.vsync = 5;
    r.vbp = 36;
    r.outputMode = outputMode;
    return r;
}

// The buttons of the panel that show, by number.
QList<int> Shown(const OutputResoDlg& panel)
{
    QList<int> out;
    for (int i = 0; i < OutputResoDlg::kButtonCount; ++i)
        if (panel.resoButton(i)->isVisibleTo(&panel))
            out << i;
    return out;
}

QList<int> Checked(const OutputResoDlg& panel)
{
    QList<int> out;
    for (int i = 0; i < OutputResoDlg::kButtonCount; ++i)
        if (panel.resoButton(i)->isChecked())
            out << i;
    return out;
}

QList<int> Range(int from, int to)
{
    QList<int> out;
    for (int i = from; i <= to; ++i)
        out << i;
    return out;
}

}  // namespace

class TestOutputReso : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void buttonSets_data();
    void buttonSets();
    void refresh_data();
    void refresh();
    void presets_data();
    void presets();
    void customButtonSendsNothing_data();
    void customButtonSendsNothing();
    void set_data();
    void set();
    void editChecks_data();
    void editChecks();
    void zeroRateKeepsValidValues();
    void titleBarCloses();
    void screenshot();

private:
    OutputResoCfg& reso() { return h->GetCurrentMData()->M_OutputData.M_OutputResoCfg; }
    QLineEdit* edit(OutputResoDlg& panel, int i) { return panel.findChild<QLineEdit*>(kEdits[i]); }
    QStringList edits(OutputResoDlg& panel);
    void typeInto(QLineEdit* edit, const QString& text);
    bool waitReceived(const QString& payload);
    // Fields of the record's output timing that differ from the device's.
    QStringList differencesFromDevice();
    QJsonObject deviceReso() const;
    // Waits for the device's whole answer to a timing sent with that output
    // mode: the new timing, or, when the device switches its output mode,
    // its whole state. Spies made before the click.
    class AnswerWait {
    public:
        AnswerWait(TestOutputReso* t, int outputMode);
        bool wait();

    private:
        TestOutputReso* t_;
        bool switches_;
        QSignalSpy timings_;
        QSignalSpy readBackEnds_;
    };
    // A shown panel of that set with the record's timing.
    std::unique_ptr<OutputResoDlg> shownPanel(int mode, const OutputResoCfg& timing);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
};

void TestOutputReso::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();
    sim = SelectedSim::Start(h, ProcSim::stateFile("z7050-1.json"));
    QVERIFY(sim);
    QCOMPARE(reso().resoId, 10);
}

void TestOutputReso::cleanupTestCase()
{
    sim.reset();
    if (h)
        h->ShutdownForTest();
}

void TestOutputReso::init()
{
    // A test that sends waits for the device's answer itself: no reply is
    // left to land in the next test.
    QVERIFY(WaitSenderIdle(h));
}

QStringList TestOutputReso::edits(OutputResoDlg& panel)
{
    QStringList out;
    for (int i = 0; i < 9; ++i)
        out << edit(panel, i)->text();
    return out;
}

void TestOutputReso::typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

bool TestOutputReso::waitReceived(const QString& payload)
{
    return sim->waitForLog(
        [&](const QJsonObject& l) {
            return l.value("dir").toString() == "rx" && l.value("dev").toString() == kDeviceIp1 &&
                   l.value("code").toInt() == DeviceCode::kOutputReso &&
                   l.value("payload").toString() == payload;
        },
        10000);
}

QJsonObject TestOutputReso::deviceReso() const
{
    return sim->dumpedState(kDeviceIp1)["M_OutputData"].toObject()["M_OutputResoCfg"].toObject();
}

QStringList TestOutputReso::differencesFromDevice()
{
    const QJsonObject dev = deviceReso();
    const QJsonObject mine =
        MDataToJson(*h->GetCurrentMData())["M_OutputData"].toObject()["M_OutputResoCfg"].toObject();
    if (dev.isEmpty())
        return {"no state dumped"};
    return CompareMDataJson(dev, mine);
}

TestOutputReso::AnswerWait::AnswerWait(TestOutputReso* t, int outputMode)
    : t_(t),
      switches_(t->deviceReso()["outputMode"].toInt() != outputMode),
      timings_(t->h, &MiddleHandler::SigUIRefreshOutputReso),
      readBackEnds_(t->h, &MiddleHandler::SigUIRefreshRequstCmdEnd)
{
}

bool TestOutputReso::AnswerWait::wait()
{
    if (switches_)
        return TestSupport::WaitReadBackEnds(t_->h, readBackEnds_, 1);
    return QTest::qWaitFor([&] { return timings_.count() >= 1; }, 10000) && WaitSenderIdle(t_->h);
}

std::unique_ptr<OutputResoDlg> TestOutputReso::shownPanel(int mode, const OutputResoCfg& timing)
{
    auto panel = std::make_unique<OutputResoDlg>(nullptr);
    reso() = timing;
    panel->SetMode(mode, false);
    panel->Refresh();
    panel->show();
    return panel;
}

void TestOutputReso::buttonSets_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<QStringList>("labels");  // buttons 0, 2, 9, the custom one
    // Button 2 shows from the start in the HDMI set, as every other button of
    // the set does.
    QTest::newRow("HDMI first") << 1 << false << Range(0, 10) << QList<int>{0}
                                << QStringList{"3840 x 1080 60Hz", "3840 x 2160 30Hz",
                                               "1920 x 1080 60Hz", "Custom Reso."};
    QTest::newRow("HDMI reset") << 1 << true << Range(0, 10) << QList<int>{9}
                                << QStringList{"3840 x 1080 60Hz", "3840 x 2160 30Hz",
                                               "1920 x 1080 60Hz", "Custom Reso."};
    QTest::newRow("DVI") << 0 << false << Range(0, 17) << QList<int>{0}
                         << QStringList{"1024 x 768 60Hz", "1024 x 768 120Hz",
                                        "1920 x 1080 59.94Hz", "Custom Reso."};
    QTest::newRow("DVI reset") << 0 << true << Range(0, 17) << QList<int>{10}
                               << QStringList{"1024 x 768 60Hz", "1024 x 768 120Hz",
                                              "1920 x 1080 59.94Hz", "Custom Reso."};
}

void TestOutputReso::buttonSets()
{
    QFETCH(int, mode);
    QFETCH(bool, reset);
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, checked);
    QFETCH(QStringList, labels);
    OutputResoDlg panel(nullptr);
    panel.SetMode(mode, reset);
    QCOMPARE(panel.Mode(), mode);
    QCOMPARE(Shown(panel), shown);
    QCOMPARE(Checked(panel), checked);
    const int custom = mode == 0 ? 17 : 10;
    QCOMPARE((QStringList{panel.resoButton(0)->text(), panel.resoButton(2)->text(),
                          panel.resoButton(9)->text(), panel.resoButton(custom)->text()}),
             labels);
    auto* group = panel.findChild<QGroupBox*>("groupBox");
    QVERIFY(!group->isVisibleTo(&panel));

    // The set chosen again keeps the operator's custom choice open.
    panel.resoButton(custom)->click();
    QVERIFY(group->isVisibleTo(&panel));
    panel.SetMode(mode, false);
    QVERIFY(group->isVisibleTo(&panel));
    panel.SetMode(mode, true);
    QVERIFY(!group->isVisibleTo(&panel));
}

void TestOutputReso::refresh_data()
{
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("resoId");
    QTest::addColumn<int>("fps");
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QString>("fpsText");
    QTest::newRow("DVI custom") << 0 << 27 << 6000 << QList<int>{17} << true << "60";
    QTest::newRow("DVI entry 17 is the custom button")
        << 0 << 17 << 6000 << QList<int>{17} << true << "60";
    QTest::newRow("DVI preset 3") << 0 << 3 << 5994 << QList<int>{3} << false << "59.94";
    QTest::newRow("DVI outside the table") << 0 << 40 << 6000 << QList<int>{} << false << "60";
    QTest::newRow("HDMI default") << 1 << 26 << 6000 << QList<int>{9} << false << "60";
    QTest::newRow("HDMI custom") << 1 << 27 << 2997 << QList<int>{10} << true << "29.97";
    QTest::newRow("HDMI with a DVI index") << 1 << 3 << 6000 << QList<int>{} << false << "60";
    QTest::newRow("HDMI mode 2 is HDMI") << 2 << 18 << 6000 << QList<int>{1} << false << "60";
}

void TestOutputReso::refresh()
{
    QFETCH(int, outputMode);
    QFETCH(int, resoId);
    QFETCH(int, fps);
    QFETCH(QList<int>, checked);
    QFETCH(bool, custom);
    QFETCH(QString, fpsText);
    OutputResoDlg panel(nullptr);
    panel.SetMode(0, false);
    OutputResoCfg r = Timing1080p(resoId, outputMode);
    r.fps = uint16_t(fps);
    reso() = r;
    // The device's reply is what redraws the panel.
    emit h->SigUIRefreshOutputReso();
    QCOMPARE(Checked(panel), checked);
    QCOMPARE(Shown(panel), outputMode == 0 ? Range(0, 17) : Range(0, 10));
    QCOMPARE(panel.findChild<QGroupBox*>("groupBox")->isVisibleTo(&panel), custom);
    QCOMPARE(edits(panel),
             (QStringList{"1920", "1080", fpsText, "2200", "1125", "44", "5", "148", "36"}));
    // The set the buttons act in is not changed by a refresh.
    QCOMPARE(panel.Mode(), 0);
}

void TestOutputReso::presets_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("resoId");
    QTest::addColumn<QString>("label");
    QTest::newRow("DVI 3") << 0 << 3 << 3 << "1280 x 720 59.94Hz";
    QTest::newRow("DVI 16") << 0 << 16 << 16 << "1536 x 1536 60Hz";
    QTest::newRow("HDMI 1") << 1 << 1 << 18 << "3840 x 2160 60Hz";
    QTest::newRow("HDMI 2, shown from the start") << 1 << 2 << 19 << "3840 x 2160 30Hz";
    QTest::newRow("HDMI 9, the HDMI default") << 1 << 9 << 26 << "1920 x 1080 60Hz";
}

void TestOutputReso::presets()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(int, resoId);
    QFETCH(QString, label);
    auto panel = shownPanel(mode, Timing1080p(mode == 0 ? 10 : 26, mode));
    panel->resoButton(mode == 0 ? 17 : 10)->click();
    QPushButton* b = panel->resoButton(button);
    QCOMPARE(b->text(), label);
    QVERIFY(b->isVisible());
    AnswerWait answer(this, mode);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!panel->findChild<QGroupBox*>("groupBox")->isVisible());
    QCOMPARE(reso().resoId, resoId);
    QVERIFY(waitReceived(Hex(OutputResoPayload(Timing1080p(resoId, mode), 0))));
    QVERIFY(answer.wait());

    // The device's timing of the preset is what the panel shows.
    QCOMPARE(differencesFromDevice(), QStringList());
    QCOMPARE(deviceReso()["resoId"].toInt(), resoId);
    QCOMPARE(edit(*panel, 0)->text(), QString::number(reso().hact));
    QCOMPARE(edit(*panel, 2)->text(), QString::number(reso().fps / 100.0));
    QCOMPARE(Checked(*panel), QList<int>{button});
    QVERIFY(panel->isVisible());
}

void TestOutputReso::customButtonSendsNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::newRow("DVI 17") << 0 << 17;
    QTest::newRow("HDMI 10") << 1 << 10;
}

void TestOutputReso::customButtonSendsNothing()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    auto panel = shownPanel(mode, Timing1080p(mode == 0 ? 10 : 26, mode));
    LogCapture log;
    QTest::mouseClick(panel->resoButton(button), Qt::LeftButton);
    QVERIFY(panel->findChild<QGroupBox*>("groupBox")->isVisible());
    QCOMPARE(reso().resoId, mode == 0 ? 10 : 26);
    QCOMPARE(log.count("Send CommandType"), 0);
}

void TestOutputReso::set_data()
{
    QTest::addColumn<bool>("advance");
    QTest::addColumn<QList<int>>("order");  // the edits typed into, by index into kEdits
    QTest::addColumn<QStringList>("typed");  // in that order
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("stored");  // hact vact fps htotal vtotal hsync vsync hbp vbp
    QTest::newRow("active size and rate")
        << false << QList<int>{0, 1, 2} << QStringList{"1920", "1080", "60"} << 1
        << QList<int>{1920, 1080, 6000, 1, 2, 3, 4, 5, 6};
    QTest::newRow("59.94 stored rounded")
        << false << QList<int>{0, 1, 2} << QStringList{"1280", "720", "59.94"} << 1
        << QList<int>{1280, 720, 5994, 1, 2, 3, 4, 5, 6};
    // Typed in an order in which each value passes its check unchanged.
    QTest::newRow("advanced") << true << QList<int>{0, 1, 2, 3, 4, 5, 8, 6, 7}
                              << QStringList{"1280", "720", "50", "1980", "750",
                                             "40",   "15",  "5",  "148"}
                              << 2 << QList<int>{1280, 720, 5000, 1980, 750, 40, 5, 148, 15};
}

void TestOutputReso::set()
{
    QFETCH(bool, advance);
    QFETCH(QList<int>, order);
    QFETCH(QStringList, typed);
    QFETCH(int, kind);
    QFETCH(QList<int>, stored);
    OutputResoCfg before = Timing1080p(10, 0);
    if (!advance) {
        // Advanced fields that "Set" must leave alone without "Advance".
        before.htotal = 1;
        before.vtotal = 2;
        before.hsync = 3;
        before.vsync = 4;
        before.hbp = 5;
        before.vbp = 6;
    }
    auto panel = shownPanel(0, before);
    QTest::mouseClick(panel->resoButton(17), Qt::LeftButton);
    if (advance)
        QTest::mouseClick(panel->findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(panel->findChild<QGroupBox*>("AdvGBox")->isVisible(), advance);
    for (int i = 0; i < order.size(); ++i) {
        typeInto(edit(*panel, order[i]), typed[i]);
        QCOMPARE(edit(*panel, order[i])->text(), typed[i]);
    }
    AnswerWait answer(this, 0);
    QTest::mouseClick(panel->findChild<QPushButton*>("pushButton"), Qt::LeftButton);

    const OutputResoCfg& r = reso();
    QCOMPARE(
        (QList<int>{r.hact, r.vact, r.fps, r.htotal, r.vtotal, r.hsync, r.vsync, r.hbp, r.vbp}),
        stored);
    QCOMPARE(r.resoId, 27);
    QVERIFY(waitReceived(Hex(OutputResoPayload(r, uint8_t(kind)))));
    QVERIFY(answer.wait());
    QCOMPARE(differencesFromDevice(), QStringList());
    QCOMPARE(deviceReso()["resoId"].toInt(), 27);
    QCOMPARE(deviceReso()["fps"].toInt(), stored[2]);
    if (advance)
        QCOMPARE(deviceReso()["vbp"].toInt(), 15);
    // The answer keeps the custom group open.
    QVERIFY(panel->resoButton(17)->isChecked());
    QVERIFY(panel->findChild<QGroupBox*>("groupBox")->isVisible());
}

void TestOutputReso::editChecks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("advance");
    QTest::addColumn<int>("edit");  // index into kEdits
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    // One row per edit: the limits themselves are tested as a table of the
    // rules; here each edit runs its own check in the panel's set.
    const QStringList base{"1920", "1080", "60", "2200", "1125", "44", "5", "148", "36"};
    auto with = [&](int i, const QString& v) {
        QStringList s = base;
        s[i] = v;
        return s;
    };
    auto with2 = [&](int i, const QString& v, int j, const QString& w) {
        QStringList s = with(i, v);
        s[j] = w;
        return s;
    };
    QTest::newRow("DVI Hact 4000") << 0 << false << 0 << "4000" << with(0, "2048");
    QTest::newRow("HDMI Hact 3841") << 1 << false << 0 << "3841" << with(0, "3840");
    QTest::newRow("HDMI Vact 5000") << 1 << false << 1 << "5000" << with(1, "3840");
    QTest::newRow("DVI FPS 150") << 0 << false << 2 << "150" << with(2, "96");
    QTest::newRow("DVI FPS 59.94") << 0 << false << 2 << "59.94" << with(2, "59.94");
    QTest::newRow("DVI H tot 3000") << 0 << true << 3 << "3000" << with(3, "2560");
    QTest::newRow("DVI V tot 3000") << 0 << true << 4 << "3000" << with(4, "2007");
    QTest::newRow("HDMI H Sync 100") << 1 << true << 5 << "100" << with(5, "96");
    QTest::newRow("DVI V Sync 10") << 0 << true << 6 << "10" << with(6, "5");
    QTest::newRow("DVI Hbp 300") << 0 << true << 7 << "300" << with(7, "148");
    QTest::newRow("DVI Vbp 30") << 0 << true << 8 << "30" << with2(8, "19", 6, "5");
    QTest::newRow("advanced DVI Hact 4000 moves H tot")
        << 0 << true << 0 << "4000" << with2(0, "2048", 3, "3925");
}

void TestOutputReso::editChecks()
{
    QFETCH(int, mode);
    QFETCH(bool, advance);
    QFETCH(int, edit);
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    auto panel = shownPanel(mode, Timing1080p(27, mode));
    if (advance)
        QTest::mouseClick(panel->findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
    const OutputResoCfg before = reso();
    LogCapture log;
    typeInto(this->edit(*panel, edit), typed);
    QCOMPARE(edits(*panel), shown);
    // The checks correct the edits only: nothing is stored or sent.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&reso()), sizeof(OutputResoCfg)),
             QByteArray(reinterpret_cast<const char*>(&before), sizeof(OutputResoCfg)));
    QCOMPARE(log.count("Send CommandType"), 0);
}

void TestOutputReso::zeroRateKeepsValidValues()
{
    // A device that reports no rate and no advanced timings.
    OutputResoCfg r = Timing1080p(27, 0);
    r.fps = 0;
    r.htotal = r.vtotal = 0;
    auto panel = shownPanel(0, r);
    LogCapture log;
    typeInto(edit(*panel, 0), "4000");
    QCOMPARE(edit(*panel, 0)->text(), QString("1920"));
    typeInto(edit(*panel, 1), "5000");
    QCOMPARE(edit(*panel, 1)->text(), QString("1080"));

    // A zero rate typed is a rate below the lowest.
    typeInto(edit(*panel, 2), "0");
    QCOMPARE(edit(*panel, 2)->text(), QString("25"));
    typeInto(edit(*panel, 0), "4000");
    QCOMPARE(edit(*panel, 0)->text(), QString("2048"));

    // With "Advance" the zero totals leave the other edits as they were.
    QTest::mouseClick(panel->findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
    typeInto(edit(*panel, 0), "1000");
    QCOMPARE(edit(*panel, 0)->text(), QString("2048"));
    typeInto(edit(*panel, 2), "60");
    QCOMPARE(edit(*panel, 2)->text(), QString("25"));
    QCOMPARE(log.count("Send CommandType"), 0);
}

void TestOutputReso::titleBarCloses()
{
    auto panel = shownPanel(0, Timing1080p(10, 0));
    QSignalSpy closed(panel.get(), &OutputResoDlg::DlgClose);
    auto* bar = panel->findChild<TitleBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->width(), panel->width());
    const QList<QPushButton*> barButtons = bar->findChildren<QPushButton*>();
    QCOMPARE(barButtons.size(), 1);  // only the close button
    QTest::mouseClick(barButtons.first(), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!panel->isVisible());
}

void TestOutputReso::screenshot()
{
    const QString out = qEnvironmentVariable("LEDZ_SCREENSHOT");
    if (out.isEmpty())
        QSKIP("set LEDZ_SCREENSHOT to a file name prefix");
    InitAppResources();
    QVERIFY(Look::ApplyStyleSheet());
    // The panel on the output settings panel's dark background, at its own
    // size and as wide as the page gives it.
    QWidget back;
    back.setObjectName("back");
    back.setStyleSheet("QWidget#back { background: rgb(46, 46, 46); }");
    auto* panel = new OutputResoDlg(&back);
    back.show();
    QVERIFY(QTest::qWaitForWindowExposed(&back));
    auto shot = [&](const QString& name, int width) {
        back.resize(width, 421);
        panel->resize(width, 421);
        return back.grab().save(out + "-" + name + ".png");
    };
    reso() = Timing1080p(10, 0);
    panel->SetMode(0, false);
    panel->Refresh();
    QVERIFY(shot("dvi", 721));
    reso() = Timing1080p(26, 1);
    panel->SetMode(1, false);
    panel->Refresh();
    QVERIFY(shot("hdmi", 721));
    reso() = Timing1080p(27, 0);
    panel->SetMode(0, false);
    panel->Refresh();
    panel->findChild<QPushButton*>("pushButton_2")->click();
    QVERIFY(shot("custom", 721));
    QVERIFY(shot("custom-wide", 1200));
}

LEDZ_GUI_TEST_MAIN(TestOutputReso)
#include "test_outputreso.moc"
