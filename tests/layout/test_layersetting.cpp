// The layer panel as the operator uses it, against a simulated processor in
// the private test network: its buttons, edits and list, and the canvas's
// signals connected as the page connects them; asserted by the frames the
// processor received, in order, and by the record the program keeps.
#include "AppPaths.h"
#include "ChromaKeyDlg.h"
#include "GuiTest.h"
#include "KSV_LayerGroupDlg.h"
#include "KeyLamps.h"
#include "LayerSettingDlg.h"
#include "LayerZoomDlg.h"
#include "LinkedDevice.h"
#include "Look.h"
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProgressHelper.h"
#include "SearchGroups.h"
#include "TakeControl.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TestNet;

namespace {

QString Hex8(int v)
{
    return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0'));
}

QString Hex32(uint32_t v)
{
    QString out;
    for (int i = 0; i < 4; ++i)
        out += Hex8(int(v >> (8 * i)));
    return out;
}

// A layer command as the processor logs it: code, then sub-command, the
// fill byte, the layer and the sub-command's value; the fill at its end cut.
QString Layer(int sub, int layer, int value)
{
    return QStringLiteral("0650 ") + Hex8(sub) + "55" + Hex8(layer) + Hex8(value);
}

QString Rect(int layer, uint32_t hs, uint32_t vs, uint32_t w, uint32_t h)
{
    return QStringLiteral("0650 03") + "55" + Hex8(layer) + "55" + Hex32(hs) + Hex32(vs) +
           Hex32(w) + Hex32(h);
}

QString Source(int layer, int tileEnable, int tileId, int input, int half)
{
    return QStringLiteral("0650 01") + "55" + Hex8(layer) + Hex8(tileEnable) + Hex8(tileId) +
           Hex8(input) + Hex8(half);
}

// Frames as sent() gives them, one text for a readable comparison.
QString Join(const QStringList& frames)
{
    return frames.join(" | ");
}

// The message box on screen as a notice with that text, null when none is.
QWidget* Notice(const QString& text)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->inherits("CustomMsgBox") || !w->isVisible())
            continue;
        auto* label = w->findChild<QLabel*>(QStringLiteral("messageLabel"));
        if (label && label->text() == text)
            return w;
    }
    return nullptr;
}

QRect R(int l, int t, int w, int h)
{
    return QRect(l, t, w, h);
}


// The take-related frames (take, durations) in the order received: "take"
// or "duration m d", with the processor's time of each.
struct TakeFrame {
    double t;
    QString what;
};

}  // namespace

class TestLayerSetting;
using PanelAction = std::function<void(TestLayerSetting*)>;
using RecordCheck = std::function<bool(const LayerRecord&)>;
Q_DECLARE_METATYPE(PanelAction)
Q_DECLARE_METATYPE(RecordCheck)

class TestLayerSetting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void readBackRedrawsAndSendsNothing();
    void screenshot();
    void mosaicControls_data();
    void mosaicControls();
    void switcherControls_data();
    void switcherControls();
    void backupControls_data();
    void backupControls();
    void backupEditsFollowThePartner();
    void untypableValuesKeepTheRecord();
    void dragAcrossWindowsDisablesRotation();
    void hdmiHalvesDecideRotation();
    void ninthOverlapIsParked();
    void wideSourceCannotRotate();
    void fourSourceTileRefusesLayerOne();
    void refusedSourceRestoresTheOldTile();
    void logoInMosaicResetsRotationFirst();
    void switcherLogoSizes();
    void inputListByKey();
    void subPanelsTakeTheControlsPlace();
    void invalidIndexesFromTheDevice();
    void unknownRotationChecksNoButton();
    void outputLayoutReplacesTheLayers();
    void durationSliderInSwitcher();
    void modeChangeReadBackSendsNoDuration();
    void workingModeChangeResetsTheLayer();
    void quickTakeInMosaic();
    void quickTakeInSwitcher();
    void multiTakeOfTheSecondGroup();
    void freezeFollowsTheDevice();
    void takeProgressFromThePanel();
    void cancelTextFollowsTheLanguage();

private:
    MData& data() { return *device_.handler()->GetCurrentMData(); }
    // Links the processor with the state of that working mode, unless it is
    // linked in that mode already.
    bool useMode(int mode);
    bool settle();
    // The frames the processor received since the mark, in order, once
    // everything sent has been acknowledged.
    QString sent();
    QList<TakeFrame> takeFrames();
    // The record and the processor's state agree.
    void checkRecord();
    void select(int layer);
    void type(QLineEdit* edit, const QString& text);
    template <typename T>
    T* find(const char* name) const
    {
        T* w = panel_->findChild<T*>(QLatin1String(name));
        if (!w)
            qWarning() << "no widget" << name;
        return w;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QLineEdit* edit(int i) const;
    QStringList shownRect() const;

    LinkedDevice device_;
    // The panel on a dark page background, as the page shows it.
    std::unique_ptr<QWidget> host_;
    LayerSettingDlg* panel_ = nullptr;
    std::unique_ptr<PaintCellCtrl> canvas_;
    QTemporaryDir dir_;
    QString states_[5];
    int linkedMode_ = -1;
};

void TestLayerSetting::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(dir_.isValid());

    // The device's own values, distinct from the panel's defaults, so that a
    // redraw shows in every control.
    QFile f(ProcSim::stateFile("z7050-1.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject base = QJsonDocument::fromJson(f.readAll()).object();
    for (int mode : {MOSAIC_MODE, SWITCHER_MODE, BACKUP_MODE}) {
        QJsonObject state = base;
        auto set = [&](const QString& path, const QJsonValue& v) {
            QStringList parts = path.split('.');
            const QString top = parts.takeFirst();
            SetJson(state[top], parts, v);
        };
        set("M_AllCfg.workMode", mode);
        set("M_AllCfg.freeze", 1);
        set("M_LogoInfo.workMode", mode);
        set("M_MosaicLayerCfg.durationTime", 2);
        set("M_SwitchLayerCfg.durationTime", 3);
        set("M_BackupLayerCfg.durationTime", 1);
        // Mosaic layer 0: input 2, mirrored, 100, 50, 1800 x 1000, alpha 33.
        const QString l0 = "M_MosaicLayerCfg.layer.0.";
        set(l0 + "hs", 100);
        set(l0 + "vs", 50);
        set(l0 + "hact", 1800);
        set(l0 + "vact", 1000);
        set(l0 + "alpha", 33);
        set(l0 + "rotation", int(ROTATE_H));
        set(l0 + "inputId", 1);
        states_[mode] = dir_.filePath(QStringLiteral("state%1.json").arg(mode));
        QFile out(states_[mode]);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(state).toJson());
    }

    // The panel and the canvas exist before the first read-back, connected
    // as the page connects them.
    InitAppResources();
    QVERIFY(Look::ApplyStyleSheet());
    host_ = std::make_unique<QWidget>();
    host_->setAutoFillBackground(true);
    QPalette dark = host_->palette();
    dark.setColor(QPalette::Window, QColor(48, 48, 48));
    host_->setPalette(dark);
    host_->setGeometry(20, 20, 1240, 260);
    panel_ = new LayerSettingDlg(host_.get());
    (new QHBoxLayout(host_.get()))->addWidget(panel_);
    canvas_ = std::make_unique<PaintCellCtrl>(nullptr);
    PaintCellCtrl* c = canvas_.get();
    LayerSettingDlg* p = panel_;
    connect(c, SIGNAL(SigMouseMoveLayerCell(QRect)), p, SLOT(On_SigMouseMoveLayerCell(QRect)));
    connect(c, SIGNAL(SigClickLayerCell(int)), p, SLOT(On_SigClickLayerCell(int)));
    connect(c, SIGNAL(SigLayerInputSrcChange(int, int, int)), p,
            SLOT(On_SigLayerInputSrcChange(int, int, int)));
    connect(c, SIGNAL(SigLayerCellOnOff(int, bool)), p, SLOT(On_SigLayerCellOnOff(int, bool)));
    connect(p, SIGNAL(sigChangeInputSrcEvent(int, int, int, bool, QString, bool)), c,
            SLOT(On_ChangeInputSrcEvent(int, int, int, bool, QString, bool)));
    host_->show();
    QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
    device_.handler()->SetInquiryDelay(300);
    QVERIFY(useMode(MOSAIC_MODE));
}

bool TestLayerSetting::useMode(int mode)
{
    if (linkedMode_ == mode)
        return settle();
    device_.handler()->ResetForTest();
    device_.handler()->SetInquiryDelay(300);
    if (!device_.link({"--device", kDeviceIp1 + "," + LinkedDevice::kMac1 + ",," + states_[mode]}))
        return false;
    linkedMode_ = mode;
    return data().M_AllCfg.workMode == mode && settle();
}

bool TestLayerSetting::settle()
{
    return device_.settle();
}

void TestLayerSetting::init()
{
    CheckedGroupIndex = -1;
}

void TestLayerSetting::cleanup()
{
    // A test that changed the device's layers leaves the next one a fresh
    // processor.
    QTRY_VERIFY(!panel_->takeControl()->isQuickTakeWaiting() &&
                !panel_->takeControl()->isMultiTakeWaiting());
    QTRY_VERIFY(!panel_->takeControl()->progress()->isRunning());
    if (QTest::currentTestFailed() || QByteArray(QTest::currentTestFunction()) != "screenshot")
        linkedMode_ = -1;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("CustomMsgBox"))
            w->close();
}

void TestLayerSetting::cleanupTestCase()
{
    host_.reset();
    canvas_.reset();
    device_.stop();
    device_.handler()->ShutdownForTest();
}

QString TestLayerSetting::sent()
{
    if (!TestSupport::WaitSenderIdle(device_.handler()))
        return "sender not idle";
    QStringList out;
    for (const LoggedFrame& f : device_.frames().received(kDeviceIp1, true))
        if (f.code != 0x0710)  // settle()'s version requests
            out << f.text();
    return out.join(" | ");
}

QList<TakeFrame> TestLayerSetting::takeFrames()
{
    QList<TakeFrame> out;
    for (const LoggedFrame& f : device_.frames().received(QString(), true)) {
        const QString text = f.text();
        if (text == "0700")
            out.append({f.t, "take"});
        else if (text.startsWith("0700 001122330201"))
            out.append({f.t, QStringLiteral("duration %1 %2")
                                 .arg(text.mid(17, 2).toInt(nullptr, 16))
                                 .arg(text.mid(19, 2).toInt(nullptr, 16))});
        else if (f.code == 0x0580 || f.code == 0x0581)
            out.append({f.t, QStringLiteral("multi%1 ").arg(f.code - 0x057F) +
                                 QString::fromLatin1(f.payload.left(4).toHex())});
    }
    return out;
}

void TestLayerSetting::checkRecord()
{
    QVERIFY(settle());
    const QStringList diff = device_.diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestLayerSetting::select(int layer)
{
    emit canvas_->SigClickLayerCell(layer);
}

void TestLayerSetting::type(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

QLineEdit* TestLayerSetting::edit(int i) const
{
    const char* const names[4] = {"lineEdit", "lineEdit_2", "lineEdit_3", "lineEdit_4"};
    return find<QLineEdit>(names[i]);
}

QStringList TestLayerSetting::shownRect() const
{
    return {edit(0)->text(), edit(1)->text(), edit(2)->text(), edit(3)->text()};
}

// ---------------------------------------------------------------------------

void TestLayerSetting::readBackRedrawsAndSendsNothing()
{
    // The read-back of the linking redrew the panel: layer 0 of the mosaic
    // set as the device reported it, and nothing went back to the device.
    QTRY_COMPARE(shownRect(), (QStringList{"100", "50", "1800", "1000"}));
    QVERIFY(button("LayerOnOffBtn")->isChecked());
    QVERIFY(!button("LOGOOnOffBtn")->isChecked());
    QVERIFY(button("pushButton_5")->isChecked());  // ROTATE_H
    QCOMPARE(panel_->alphaSlider()->findChild<QLineEdit*>()->text(), QString("33"));
    auto* combo = find<QComboBox>("comboBox");
    QCOMPARE(combo->currentData().toInt(), 1);
    QCOMPARE(combo->currentText(), QString("Input 2:DVI "));
    QCOMPARE(panel_->durationSlider()->findChild<QLineEdit*>()->text(), QString("2"));
    QVERIFY(button("Freeze_Btn")->isChecked());
    QVERIFY(KeyLamps().freezeOn);
    // Mosaic mode: fades, no take, layer groups, no auto backup.
    QVERIFY(button("FadeInBtn")->isEnabled());
    QVERIFY(!button("TakeBtn")->isEnabled());
    QVERIFY(button("LayerGroupBtn")->isVisible());
    QVERIFY(!find<QGroupBox>("AutoBackGBox")->isVisible());

    // Procsim's log from its start: the read-back and not one layer, take
    // or freeze command.
    QList<int> codes;
    for (const QJsonObject& l : device_.sim().logLines())
        if (l.value("dir").toString() == "rx")
            codes << l.value("code").toInt();
    QVERIFY(codes.contains(0x0600));
    for (int code : {0x0650, 0x0700, 0x0601})
        QVERIFY2(!codes.contains(code), qPrintable(QString::number(code, 16)));
    checkRecord();
    linkedMode_ = MOSAIC_MODE;  // nothing changed: the next test may keep it
}

void TestLayerSetting::screenshot()
{
    QVERIFY(useMode(MOSAIC_MODE));
    auto grab = [this] {
        QWidget* w = host_.get();
        return w->screen()->grabWindow(0, w->x(), w->y(), w->width(), w->height()).toImage();
    };
    const QImage before = grab();
    select(1);
    // The X server shows layer 1's values once the panel has repainted.
    QImage img;
    QVERIFY(QTest::qWaitFor(
        [&] {
            img = grab();
            return !img.isNull() && img != before;
        },
        5000));
    QVERIFY(img.save(QStringLiteral(LEDZ_SHOT_DIR "/layersetting.png")));
    QCOMPARE(sent(), Join(QStringList()));
}

// The columns of the per-mode control tables: the layer edited, what the
// operator does, the frames the device must get and what the record holds.
static void AddControlColumns()
{
    QTest::addColumn<int>("layer");
    QTest::addColumn<PanelAction>("action");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<RecordCheck>("stored");
}

// Each control of the layer panel in mosaic mode: what it sends and what
// the record holds afterwards (the device's reply carries it back). The
// panel stands here without the page: on the page, the on/off button and
// the rotations that rebuild the cell send the canvas's rectangle and switch
// of the cell first (test_opsetsession).
void TestLayerSetting::mosaicControls_data()
{
    AddControlColumns();

    using Act = PanelAction;
    using Check = RecordCheck;
    QTest::newRow("alpha typed") << 1 << Act([](TestLayerSetting* t) {
        QLineEdit* box = t->panel_->alphaSlider()->findChild<QLineEdit*>();
        t->type(box, "30");
    }) << QStringList{Layer(4, 1, 30)}
                                 << Check([](const LayerRecord& l) { return l.alpha == 30; });
    QTest::newRow("rotation 90") << 1 << Act([](TestLayerSetting* t) {
        t->button("pushButton_2")->click();
    }) << QStringList{Layer(5, 1, 1)}
                                 << Check([](const LayerRecord& l) { return l.rotation == 1; });
    QTest::newRow("rotation H 270")
        << 1 << Act([](TestLayerSetting* t) { t->button("pushButton_8")->click(); })
        << QStringList{Layer(5, 1, 6)}
        << Check([](const LayerRecord& l) { return l.rotation == 6; });
    QTest::newRow("Hpos") << 1 << Act([](TestLayerSetting* t) { t->type(t->edit(0), "300"); })
                          << QStringList{Rect(1, 300, 120, 960, 540)}
                          << Check([](const LayerRecord& l) { return l.hs == 300; });
    QTest::newRow("Hpos beyond 16 bits")
        << 1 << Act([](TestLayerSetting* t) { t->type(t->edit(0), "70000"); })
        << QStringList{Rect(1, 70000, 120, 960, 540)}
        << Check([](const LayerRecord& l) { return l.hs == 70000; });
    QTest::newRow("Vact") << 1 << Act([](TestLayerSetting* t) { t->type(t->edit(3), "99999"); })
                          << QStringList{Rect(1, 160, 120, 960, 99999)}
                          << Check([](const LayerRecord& l) { return l.vact == 99999; });
    QTest::newRow("layer 3 on") << 3 << Act([](TestLayerSetting* t) {
        t->button("LayerOnOffBtn")->click();
    }) << QStringList{Layer(0, 3, 1)}
                                << Check([](const LayerRecord& l) { return l.onOff == 1; });
    QTest::newRow("layer 1 off") << 1 << Act([](TestLayerSetting* t) {
        t->button("LayerOnOffBtn")->click();
    }) << QStringList{Layer(0, 1, 0)}
                                 << Check([](const LayerRecord& l) { return l.onOff == 0; });
    QTest::newRow("Reset") << 1
                           << Act([](TestLayerSetting* t) { t->button("pushButton_9")->click(); })
                           << QStringList{Rect(1, 0, 0, 1920, 1080)}
                           << Check([](const LayerRecord& l) {
                                  return l.hs == 0 && l.vs == 0 && l.hact == 1920 && l.vact == 1080;
                              });
    QTest::newRow("Fade In") << 1
                             << Act([](TestLayerSetting* t) { t->button("FadeInBtn")->click(); })
                             << QStringList{"0650 0a55010102"}
                             << Check([](const LayerRecord& l) { return l.alpha == 64; });
    QTest::newRow("Fade Out") << 1
                              << Act([](TestLayerSetting* t) { t->button("FadeOutBtn")->click(); })
                              << QStringList{"0650 0a55010002"}
                              << Check([](const LayerRecord& l) { return l.alpha == 0; });
    QTest::newRow("input 4 chosen")
        << 1 << Act([](TestLayerSetting* t) {
               auto* combo = t->find<QComboBox>("comboBox");
               combo->setCurrentIndex(combo->findData(3));
           })
        << QStringList{Source(1, 0, 0, 3, 0)}
        << Check([](const LayerRecord& l) { return l.inputId == 3 && !l.tileEnable; });
}

void TestLayerSetting::mosaicControls()
{
    QFETCH(int, layer);
    QFETCH(PanelAction, action);
    QFETCH(QStringList, frames);
    QFETCH(RecordCheck, stored);
    QVERIFY(useMode(MOSAIC_MODE));
    select(layer);
    action(this);
    QCOMPARE(sent(), Join(frames));
    checkRecord();
    QVERIFY(stored(data().M_MosaicLayerCfg.layer[layer]));
}

void TestLayerSetting::switcherControls_data()
{
    AddControlColumns();

    using Act = PanelAction;
    using Check = RecordCheck;
    // Group 1 (records 3..5) is what the panel edits.
    QTest::newRow("Vpos") << 1 << Act([](TestLayerSetting* t) { t->type(t->edit(1), "40"); })
                          << QStringList{Rect(1, 0, 40, 960, 1080)}
                          << Check([](const LayerRecord& l) { return l.vs == 40; });
    QTest::newRow("layer 2 off") << 2 << Act([](TestLayerSetting* t) {
        t->button("LayerOnOffBtn")->click();
    }) << QStringList{Layer(0, 2, 0)}
                                 << Check([](const LayerRecord& l) { return l.onOff == 0; });
    QTest::newRow("Reset of the right half")
        << 2 << Act([](TestLayerSetting* t) { t->button("pushButton_9")->click(); })
        << QStringList{Rect(2, 960, 0, 960, 1080)}
        << Check([](const LayerRecord& l) { return l.hs == 960 && l.hact == 960; });
    // Fade In is a mosaic control: nothing here, even by code.
    QTest::newRow("Fade In does nothing") << 0 << Act([](TestLayerSetting* t) {
        QMetaObject::invokeMethod(t->panel_, "on_FadeInBtn_clicked");
    }) << QStringList{} << Check([](const LayerRecord& l) { return l.alpha == 64; });
    QTest::newRow("tile 1 on layer 1 refused") << 1 << Act([](TestLayerSetting* t) {
        GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
        auto* combo = t->find<QComboBox>("comboBox");
        combo->setCurrentIndex(combo->findData(6));
        QTRY_COMPARE(answer.text(), QString("Layer Input Srouce Settings Cannot Be Applied."));
    }) << QStringList{} << Check([](const LayerRecord& l) {
        return l.inputId == 4 && !l.tileEnable;
    });
}

void TestLayerSetting::switcherControls()
{
    QFETCH(int, layer);
    QFETCH(PanelAction, action);
    QFETCH(QStringList, frames);
    QFETCH(RecordCheck, stored);
    QVERIFY(useMode(SWITCHER_MODE));
    // Switcher mode: take, no fades, no rotation, no layer groups.
    QVERIFY(button("TakeBtn")->isEnabled());
    QVERIFY(!button("FadeInBtn")->isEnabled());
    QVERIFY(!find<QGroupBox>("groupBox_3")->isEnabled());
    QVERIFY(!button("LayerGroupBtn")->isVisible());
    select(layer);
    action(this);
    QCOMPARE(sent(), Join(frames));
    checkRecord();
    QVERIFY(stored(data().M_SwitchLayerCfg.layer[3 + layer]));
}

void TestLayerSetting::backupControls_data()
{
    AddControlColumns();

    using Act = PanelAction;
    using Check = RecordCheck;
    // Backup mode has no placement rules; Reset gives the full picture.
    QTest::newRow("Vact, then Reset") << 0 << Act([](TestLayerSetting* t) {
        t->type(t->edit(3), "500");
        t->button("pushButton_9")->click();
    }) << QStringList{Rect(0, 0, 0, 1920, 500), Rect(0, 0, 0, 1920, 1080)}
                                      << Check([](const LayerRecord& l) { return l.vact == 1080; });
    QTest::newRow("input 3 chosen") << 0 << Act([](TestLayerSetting* t) {
        auto* combo = t->find<QComboBox>("comboBox");
        combo->setCurrentIndex(combo->findData(2));
    }) << QStringList{Source(0, 0, 0, 2, 0)}
                                    << Check([](const LayerRecord& l) { return l.inputId == 2; });
}

void TestLayerSetting::backupControls()
{
    QFETCH(int, layer);
    QFETCH(PanelAction, action);
    QFETCH(QStringList, frames);
    QFETCH(RecordCheck, stored);
    QVERIFY(useMode(BACKUP_MODE));
    select(layer);
    action(this);
    QCOMPARE(sent(), Join(frames));
    // The partner (record 1, bMain 1) follows record 0's typed position and
    // size in the program's record (Reset leaves it); the device is sent
    // record 0's only.
    QVERIFY(settle());
    QStringList ignored = LinkedDevice::kNotReadBack;
    for (const char* field : {"hs", "vs", "hact", "vact"})
        ignored << QStringLiteral("M_BackupLayerCfg.layer[1].") + field;
    const QStringList diff = device_.diffWithSim(kDeviceIp1, ignored);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    QVERIFY(stored(data().M_BackupLayerCfg.layer[layer]));
}

void TestLayerSetting::backupEditsFollowThePartner()
{
    QVERIFY(useMode(BACKUP_MODE));
    QVERIFY(!button("LayerOnOffBtn")->isEnabled());
    QVERIFY(find<QGroupBox>("AutoBackGBox")->isVisible());
    // Record 1 has bMain 1: it follows record 0 and its own edits are off.
    QCOMPARE(data().M_BackupLayerCfg.layer[1].bMain, uint8_t(1));
    select(1);
    QVERIFY(!edit(0)->isEnabled());
    QVERIFY(!button("LOGOOnOffBtn")->isEnabled());
    select(0);
    QVERIFY(edit(0)->isEnabled());

    QSignalSpy moved(panel_, &LayerSettingDlg::sigLayerPosChange);
    type(edit(0), "240");
    QCOMPARE(moved.size(), 2);
    QCOMPARE(moved.at(0).at(1).toInt(), 0);
    QCOMPARE(moved.at(1).at(1).toInt(), 1);
    QCOMPARE(data().M_BackupLayerCfg.layer[0].hs, 240u);
    QCOMPARE(data().M_BackupLayerCfg.layer[1].hs, 240u);
    QCOMPARE(sent(), Join(QStringList{Rect(0, 240, 0, 1920, 1080)}));
    device_.frames().mark();

    // The logo on: its size in Hact and Vact; bMain 0 keeps them enabled
    // in backup mode, bMain 1 keeps them off.
    button("LOGOOnOffBtn")->click();
    QCOMPARE(sent(), Join(QStringList{Layer(2, 0, 1)}));
    QTRY_COMPARE(shownRect().mid(2), (QStringList{"640", "360"}));
    QVERIFY(edit(2)->isEnabled());
    QCOMPARE(data().M_BackupLayerCfg.layer[1].logoOnOff, uint8_t(1));
    select(1);
    QTRY_COMPARE(shownRect().mid(2), (QStringList{"640", "360"}));
    QVERIFY(!edit(2)->isEnabled());
    QVERIFY(settle());
    QCOMPARE(data().M_BackupLayerCfg.layer[0].hs, 240u);
}

void TestLayerSetting::untypableValuesKeepTheRecord()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(1);
    // Past 99999 the validator refuses the text: Return does not finish
    // the edit, and a finish by focus or code stores nothing either.
    edit(0)->setFocus();
    edit(0)->setText("100000");
    edit(0)->setModified(true);
    QTest::keyClick(edit(0), Qt::Key_Return);
    QMetaObject::invokeMethod(panel_, "on_lineEdit_editingFinished");
    QCOMPARE(edit(0)->text(), QString("160"));
    // No number at all (what code may set): the record's value stays and
    // shows again.
    edit(1)->setText(QString());
    edit(1)->setModified(true);
    QMetaObject::invokeMethod(panel_, "on_lineEdit_2_editingFinished");
    QCOMPARE(edit(1)->text(), QString("120"));
    QCOMPARE(sent(), Join(QStringList()));
    QCOMPARE(data().M_MosaicLayerCfg.layer[1].hs, 160u);
    QCOMPARE(data().M_MosaicLayerCfg.layer[1].vs, 120u);
    linkedMode_ = MOSAIC_MODE;
}

// ---------------------------------------------------------------------------
// Placement rules, through the canvas's signals.

void TestLayerSetting::dragAcrossWindowsDisablesRotation()
{
    QVERIFY(useMode(MOSAIC_MODE));
    auto* rotation = find<QGroupBox>("groupBox_3");
    select(1);
    QVERIFY(rotation->isEnabled());
    // Across windows 1 and 2 (two regions of the four DVI windows).
    emit canvas_->SigMouseMoveLayerCell(R(1500, 100, 960, 540));
    QVERIFY(!rotation->isEnabled());
    QTRY_COMPARE(shownRect(), (QStringList{"1500", "100", "960", "540"}));
    // Back inside window 2.
    emit canvas_->SigMouseMoveLayerCell(R(2000, 100, 960, 540));
    QVERIFY(rotation->isEnabled());
    QCOMPARE(sent(),
             Join((QStringList{Rect(1, 1500, 100, 960, 540), Rect(1, 2000, 100, 960, 540)})));
    checkRecord();
}

void TestLayerSetting::hdmiHalvesDecideRotation()
{
    QVERIFY(useMode(MOSAIC_MODE));
    // HDMI output mode with window 5 (index 4) on, 3840 wide at the origin:
    // two regions, its halves.
    OutputData& out = data().M_OutputData;
    out.M_OutputResoCfg.outputMode = HDMI_MODE;
    out.M_OPDisplayCfg[4].onOff = 1;
    out.M_OPDisplayCfg[4].hact = 3840;
    out.M_OPDisplayCfg[4].vact = 1080;
    out.M_OPDisplayCfg[4].mosaicHs = 0;
    out.M_OPDisplayCfg[4].mosaicVs = 0;
    auto* rotation = find<QGroupBox>("groupBox_3");
    select(1);
    emit canvas_->SigMouseMoveLayerCell(R(100, 100, 960, 540));
    QVERIFY(rotation->isEnabled());
    emit canvas_->SigMouseMoveLayerCell(R(1500, 100, 960, 540));
    QVERIFY(!rotation->isEnabled());
    QCOMPARE(sent().count("0650 03"), 2);
}

void TestLayerSetting::ninthOverlapIsParked()
{
    QVERIFY(useMode(MOSAIC_MODE));
    // Layer 0 over all four windows (4 regions), layers 1 and 2 across two
    // windows each: 8 overlaps pass.
    select(0);
    type(edit(0), "0");
    type(edit(1), "0");
    type(edit(2), "3840");
    type(edit(3), "2160");
    select(1);
    emit canvas_->SigMouseMoveLayerCell(R(1500, 100, 960, 540));
    select(2);
    emit canvas_->SigMouseMoveLayerCell(R(1500, 1500, 960, 540));
    QCOMPARE(sent(),
             Join((QStringList{Rect(0, 0, 50, 1800, 1000), Rect(0, 0, 0, 1800, 1000),
                               Rect(0, 0, 0, 3840, 1000), Rect(0, 0, 0, 3840, 2160),
                               Rect(1, 1500, 100, 960, 540), Rect(2, 1500, 1500, 960, 540)})));
    device_.frames().mark();
    // Layer 3 (off, but counted as placed) dragged into window 4 would make
    // a ninth: refused, parked below the outputs at their left edge with its
    // size kept, its position sent, the message shown.
    select(3);
    {
        GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
        emit canvas_->SigMouseMoveLayerCell(R(2000, 1200, 640, 360));
        QTRY_COMPARE(answer.question(),
                     QString("Resource Constraints: Layer Can't Be Applied To Output Windows"));
    }
    const LayerRecord& l3 = data().M_MosaicLayerCfg.layer[3];
    QCOMPARE(l3.hs, 0u);
    QCOMPARE(l3.vs, 2160u);
    QCOMPARE(l3.hact, 640u);
    QCOMPARE(l3.vact, 360u);
    QCOMPARE(sent(), Join(QStringList{Rect(3, 0, 2160, 640, 360)}));
    QTRY_COMPARE(shownRect(), (QStringList{"0", "2160", "640", "360"}));
    checkRecord();
}

void TestLayerSetting::wideSourceCannotRotate()
{
    QVERIFY(useMode(MOSAIC_MODE));
    auto* rotation = find<QGroupBox>("groupBox_3");
    select(1);
    emit canvas_->SigMouseMoveLayerCell(R(2000, 100, 960, 540));
    QVERIFY(rotation->isEnabled());
    // Tile 1: input 5's two halves side by side, 1920 + 1920 wide.
    emit canvas_->SigLayerInputSrcChange(1, 6, 0);
    QCOMPARE(data().M_MosaicLayerCfg.layer[1].tileEnable, uint8_t(1));
    emit canvas_->SigMouseMoveLayerCell(R(2100, 100, 960, 540));
    QVERIFY(!rotation->isEnabled());
    QCOMPARE(sent(), Join((QStringList{Rect(1, 2000, 100, 960, 540), Source(1, 1, 0, 6, 0),
                                       Rect(1, 2100, 100, 960, 540)})));
    checkRecord();
}

void TestLayerSetting::fourSourceTileRefusesLayerOne()
{
    QVERIFY(useMode(MOSAIC_MODE));
    // Layers 1 and 2 off, then layer 0 on tile 2 (four sources).
    for (int layer : {1, 2}) {
        select(layer);
        button("LayerOnOffBtn")->click();
    }
    select(0);
    auto* combo = find<QComboBox>("comboBox");
    combo->setCurrentIndex(combo->findData(7));
    QCOMPARE(data().M_MosaicLayerCfg.layer[0].tileEnable, uint8_t(1));
    QCOMPARE(data().M_MosaicLayerCfg.layer[0].tileId, uint8_t(1));
    QCOMPARE(sent(), Join((QStringList{Layer(0, 1, 0), Layer(0, 2, 0), Source(0, 1, 1, 7, 0)})));
    device_.frames().mark();

    select(1);
    QPushButton* onOff = button("LayerOnOffBtn");
    GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
    onOff->click();
    QTRY_COMPARE(answer.question(),
                 QString("Resource Constraints: Layer Input Srouce Settings Cannot Be Applied."));
    QVERIFY(!onOff->isChecked());
    QCOMPARE(data().M_MosaicLayerCfg.layer[1].onOff, uint8_t(0));
    // Switched on from the canvas: refused without a message.
    emit canvas_->SigLayerCellOnOff(1, true);
    QVERIFY(!onOff->isChecked());
    QCOMPARE(sent(), Join(QStringList()));
    checkRecord();
}

void TestLayerSetting::refusedSourceRestoresTheOldTile()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(1);
    auto* combo = find<QComboBox>("comboBox");
    combo->setCurrentIndex(combo->findData(6));  // tile 1 on layer 1: allowed
    QCOMPARE(sent(), Join(QStringList{Source(1, 1, 0, 6, 0)}));
    device_.frames().mark();

    // Tile 2 (four sources) while layer 0 is on: refused, tile 1 comes back
    // with its own tile index, in the record, on the canvas and in the list.
    QSignalSpy back(panel_, &LayerSettingDlg::sigChangeInputSrc);
    GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
    combo->setCurrentIndex(combo->findData(7));
    QTRY_COMPARE(answer.text(), QString("Layer Input Srouce Settings Cannot Be Applied."));
    const LayerRecord& l = data().M_MosaicLayerCfg.layer[1];
    QCOMPARE(l.tileEnable, uint8_t(1));
    QCOMPARE(l.tileId, uint8_t(0));
    QCOMPARE(l.inputId, uint8_t(6));
    QCOMPARE(back.last().at(0).toInt(), 6);
    QCOMPARE(combo->currentData().toInt(), 6);
    QCOMPARE(canvas_->layerCells().at(1)->Gid, 6);
    QCOMPARE(sent(), Join(QStringList()));
    checkRecord();
}

void TestLayerSetting::logoInMosaicResetsRotationFirst()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(0);
    QSignalSpy rotated(panel_, &LayerSettingDlg::sigLayerRotationSet);
    button("LOGOOnOffBtn")->click();
    QCOMPARE(sent(), Join((QStringList{Layer(5, 0, 0), Layer(2, 0, 1)})));
    QCOMPARE(rotated.size(), 1);
    QVERIFY(button("pushButton")->isChecked());
    // The logo's size in Hact and Vact, not editable.
    QTRY_COMPARE(shownRect(), (QStringList{"100", "50", "640", "360"}));
    QTRY_VERIFY(!edit(2)->isEnabled() && !edit(3)->isEnabled());
    checkRecord();
}

void TestLayerSetting::switcherLogoSizes()
{
    QVERIFY(useMode(SWITCHER_MODE));
    LogoInfo& logo = data().M_LogoInfo;
    logo.width = 1000;
    logo.height = 360;
    // Layer 1 is the left half, 960 wide: the logo does not fit.
    select(1);
    {
        GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);
        button("LOGOOnOffBtn")->click();
        QTRY_COMPARE(answer.question(),
                     QString("Cannot Open Logo: Logo Size Exceed Layer Restrict Size."));
    }
    QVERIFY(!button("LOGOOnOffBtn")->isChecked());
    QCOMPARE(sent(), Join(QStringList()));
    // Layer 0 at hs 1500 moves to 920 so that the logo stays on the output;
    // its position goes first.
    select(0);
    type(edit(0), "1500");
    QCOMPARE(sent(), Join(QStringList{Rect(0, 1500, 0, 1920, 1080)}));
    device_.frames().mark();
    button("LOGOOnOffBtn")->click();
    QCOMPARE(sent(), Join((QStringList{Rect(0, 920, 0, 1920, 1080), Layer(2, 0, 1)})));
    QCOMPARE(data().M_SwitchLayerCfg.layer[3].hs, 920u);
    QTRY_COMPARE(shownRect(), (QStringList{"920", "0", "1000", "360"}));
}

// ---------------------------------------------------------------------------
// The input list and the working mode.

void TestLayerSetting::inputListByKey()
{
    QVERIFY(useMode(MOSAIC_MODE));
    auto* combo = find<QComboBox>("comboBox");
    // Input 5 delivers two halves on its version-2 port: a "-R" entry after
    // its own.
    emit device_.handler()->SigUIRefreshInputSignal(4, 0);
    const int right = combo->findData(4 + 256);
    QCOMPARE(right, combo->findData(4) + 1);
    const QString rightName = combo->itemText(right);
    QVERIFY2(rightName.endsWith("-R"), qPrintable(rightName));
    QVERIFY(combo->itemText(combo->findData(4)).endsWith("-L"));
    // The name refresh relabels by key: the "-R" entry, now at input 6's
    // position, keeps its name and input 6 keeps its own.
    emit device_.handler()->SigUIRefreshInputCfg();
    QCOMPARE(combo->itemText(right), rightName);
    QVERIFY(combo->itemText(combo->findData(5)) != rightName);

    // Selecting a layer makes its source current without a source change.
    QSignalSpy chosen(panel_, &LayerSettingDlg::sigChangeInputSrcEvent);
    select(2);
    QCOMPARE(combo->currentData().toInt(), 4);
    QCOMPARE(chosen.size(), 0);
    // The right half chosen goes to the canvas and back as a source change.
    select(3);
    combo->setCurrentIndex(right);
    QCOMPARE(sent(), Join(QStringList{Source(3, 0, 0, 4, 1)}));
    // The second half gone while its entry is current: the entry before it
    // becomes current and nothing is sent.
    data().M_InputData.signal[4].width[1][0] = 0;
    emit device_.handler()->SigUIRefreshInputSignal(4, 0);
    QCOMPARE(combo->findData(4 + 256), -1);
    QCOMPARE(combo->currentData().toInt(), 4);
    QVERIFY(!combo->currentText().contains('-'));
    QCOMPARE(sent(), Join(QStringList{Source(3, 0, 0, 4, 1)}));

    // Entries coming and going before the current one move it without a
    // source change: layer 1 showing tile 1 (as a reply may say), then input
    // 5's right half back and gone again.
    select(1);
    device_.frames().mark();
    data().M_MosaicLayerCfg.layer[1].tileEnable = 1;
    data().M_MosaicLayerCfg.layer[1].tileId = 0;
    emit device_.handler()->SigUIRefreshLayerData(1);
    QCOMPARE(combo->currentData().toInt(), 6);
    data().M_InputData.signal[4].width[1][0] = 1920;
    emit device_.handler()->SigUIRefreshInputSignal(4, 0);
    QCOMPARE(combo->currentData().toInt(), 6);
    data().M_InputData.signal[4].width[1][0] = 0;
    emit device_.handler()->SigUIRefreshInputSignal(4, 0);
    QCOMPARE(combo->currentData().toInt(), 6);
    QCOMPARE(sent(), Join(QStringList()));
}

// Indexes a reply may carry (255 marks an empty slot) never index anything:
// the rules count such a source as width 0 and the list keeps its entries.
void TestLayerSetting::invalidIndexesFromTheDevice()
{
    QVERIFY(useMode(MOSAIC_MODE));
    auto* combo = find<QComboBox>("comboBox");
    auto* rotation = find<QGroupBox>("groupBox_3");
    select(1);
    QVERIFY(rotation->isEnabled());
    const int entries = combo->count();
    LayerRecord& l = data().M_MosaicLayerCfg.layer[1];
    l.tileEnable = 1;
    l.tileId = 255;
    emit device_.handler()->SigUIRefreshLayerData(1);
    QVERIFY(!rotation->isEnabled());
    QCOMPARE(combo->currentData().toInt(), 1);  // no entry has that key
    l.tileEnable = 0;
    l.inputId = 255;
    emit device_.handler()->SigUIRefreshLayerData(1);
    QVERIFY(!rotation->isEnabled());
    // An input whose active port is out of range shows no picture.
    data().M_InputData.port[0].actId = 255;
    emit device_.handler()->SigUIRefreshInputCfg();
    QCOMPARE(combo->itemText(combo->findData(0)), QString("NONE"));
    emit device_.handler()->SigUIRefreshInputSignal(4, 255);
    panel_->UpdateInputEntry(0, 255);
    QCOMPARE(combo->count(), entries);
    QCOMPARE(sent(), Join(QStringList()));
}

// A rotation the tool does not know (a newer firmware's reply, a damaged
// project file's) checks no button and is never reported: the layer's last
// known rotation stays checked. Each case follows the one above it. Such a
// value must never become a RoationType: the checked build made with clang
// stops at the cast (GCC's UndefinedBehaviorSanitizer does not look at it).
void TestLayerSetting::unknownRotationChecksNoButton()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(1);
    int rotated = 0;
    const auto c =
        connect(panel_, &LayerSettingDlg::sigLayerRotationSet, [&rotated] { ++rotated; });
    LayerRecord& l = data().M_MosaicLayerCfg.layer[1];
    const int32_t was = l.rotation;
    const struct {
        const char* what;
        int32_t rotation;
        const char* checked;
    } cases[] = {
        {"none", ROTATE_NONE, "pushButton"},
        {"90", ROTATE_90, "pushButton_2"},
        {"180", ROTATE_180, "pushButton_3"},
        {"270", ROTATE_270, "pushButton_4"},
        {"H", ROTATE_H, "pushButton_5"},
        {"reply one past the last", ROTATE_H90 + 1, "pushButton_5"},
        {"H 90", ROTATE_H90, "pushButton_6"},
        {"reply's largest byte", 255, "pushButton_6"},
        {"H 180", ROTATE_H180, "pushButton_7"},
        {"file's -1", -1, "pushButton_7"},
        {"H 270", ROTATE_H270, "pushButton_8"},
        {"file's largest", INT32_MAX, "pushButton_8"},
        {"file's smallest", INT32_MIN, "pushButton_8"},
    };
    for (const auto& row : cases) {
        l.rotation = row.rotation;
        emit device_.handler()->SigUIRefreshLayerData(1);
        QStringList checked;
        for (QPushButton* b : find<QGroupBox>("groupBox_3")->findChildren<QPushButton*>())
            if (b->isChecked())
                checked << b->objectName();
        QVERIFY2(checked == QStringList{row.checked},
                 qPrintable(QStringLiteral("%1: %2").arg(row.what, checked.join(", "))));
    }
    l.rotation = was;
    disconnect(c);
    QCOMPARE(rotated, 0);
    QCOMPARE(sent(), Join(QStringList()));
}

void TestLayerSetting::subPanelsTakeTheControlsPlace()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(2);
    auto* layerGroup = find<QGroupBox>("groupBox");
    const struct {
        const char* button;
        QWidget* panel;
    } subPanels[] = {{"ZoomSetBtn", panel_->zoomPanel()},
                     {"ColorKeyerBtn", panel_->chromaKeyPanel()},
                     {"LayerGroupBtn", panel_->layerGroupPanel()}};
    for (const auto& sub : subPanels) {
        button(sub.button)->click();
        QVERIFY2(sub.panel->isVisible(), sub.button);
        QVERIFY(!layerGroup->isVisible());
        QVERIFY(!button("TakeBtn")->isVisible());
        QVERIFY(!find<QGroupBox>("FreezeGBox")->isVisible());
        sub.panel->close();  // as its title bar's close button does
        QVERIFY(layerGroup->isVisible());
        QVERIFY(button("TakeBtn")->isVisible());
        QVERIFY(!find<QGroupBox>("AutoBackGBox")->isVisible());
    }
    QCOMPARE(panel_->zoomPanel()->layerIndex(), 2);
    // The chroma key on takes the alpha slider away.
    emit panel_->chromaKeyPanel()->SigChromakeyOnOff(true);
    QVERIFY(!panel_->alphaSlider()->findChild<QLineEdit*>()->isEnabled());
    emit panel_->chromaKeyPanel()->SigChromakeyOnOff(false);
    QVERIFY(panel_->alphaSlider()->findChild<QLineEdit*>()->isEnabled());
    QCOMPARE(sent(), Join(QStringList()));
    linkedMode_ = MOSAIC_MODE;
}

void TestLayerSetting::outputLayoutReplacesTheLayers()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(1);
    QSignalSpy onOff(panel_, &LayerSettingDlg::sigLayerOnoff);
    // The output panel arranged the outputs: layer 0 covers all four
    // windows with the first input that shows a picture (input 1). The panel
    // sends no off command for the other layers itself: the page closes
    // their cells, and the canvas's notice of each sends it.
    QMetaObject::invokeMethod(panel_, "On_SigOuputLayout");
    QCOMPARE(sent(), Join({Rect(0, 0, 0, 3840, 2160), Source(0, 0, 0, 0, 0)}));
    // The device reports the layer after each command; the report of the
    // first one still holds the old source, so read the record once the
    // last report is in.
    QVERIFY(settle());
    const LayerRecord* l = data().M_MosaicLayerCfg.layer;
    QCOMPARE(l[0].onOff, uint8_t(1));
    QCOMPARE(l[0].inputId, uint8_t(0));
    QCOMPARE(l[0].hact, 3840u);
    QCOMPARE(l[1].onOff, uint8_t(0));
    QCOMPARE(l[2].onOff, uint8_t(0));
    QCOMPARE(onOff.size(), 2);
    QCOMPARE(onOff.at(0).at(1).toInt(), 1);
    QCOMPARE(onOff.at(1).at(1).toInt(), 2);
    QCOMPARE(canvas_->layerCells().at(0)->Gid, 0);
}

void TestLayerSetting::durationSliderInSwitcher()
{
    QVERIFY(useMode(SWITCHER_MODE));
    NeoSliderComb* slider = panel_->durationSlider();
    QLineEdit* box = slider->findChild<QLineEdit*>();
    QCOMPARE(box->text(), QString("3"));
    type(box, "0");
    QCOMPARE(data().M_SwitchLayerCfg.durationTime, uint8_t(0));
    QCOMPARE(sent(), Join({"0700 0011223302010200"}));
    QCOMPARE(box->text(), QString("CUT"));
    checkRecord();
}

void TestLayerSetting::modeChangeReadBackSendsNoDuration()
{
    // The slider shows switcher mode's 3; the read-back of a device in mosaic
    // mode narrows its range to 0..2, which must not send a duration of its own.
    QVERIFY(useMode(SWITCHER_MODE));
    QCOMPARE(panel_->durationSlider()->findChild<QLineEdit*>()->text(), QString("3"));
    QVERIFY(useMode(MOSAIC_MODE));
    QTRY_COMPARE(panel_->durationSlider()->findChild<QLineEdit*>()->text(), QString("2"));
    for (const QJsonObject& l : device_.sim().logLines())
        if (l.value("dir").toString() == "rx")
            QVERIFY(l.value("code").toInt() != 0x0700);
    checkRecord();
}

void TestLayerSetting::workingModeChangeResetsTheLayer()
{
    QVERIFY(useMode(MOSAIC_MODE));
    select(3);
    QCOMPARE(panel_->currentLayer(), 3);
    QVERIFY(useMode(BACKUP_MODE));
    // Layer 3 does not exist in backup mode: the panel is back on layer 0,
    // and so are its sub-panels.
    QCOMPARE(panel_->currentLayer(), 0);
    QCOMPARE(panel_->zoomPanel()->layerIndex(), 0);
    panel_->alphaSlider()->setValue(20, true);
    QCOMPARE(sent(), Join(QStringList{Layer(4, 0, 20)}));
    // An index outside the set, from the canvas: nothing is edited.
    select(5);
    type(edit(0), "10");
    panel_->alphaSlider()->setValue(21, true);
    QCOMPARE(sent(), Join(QStringList{Layer(4, 0, 20)}));

    // Back in mosaic mode, the edits that backup layer 1's partner rule
    // disabled are editable again.
    select(1);
    QVERIFY(!edit(0)->isEnabled());
    QVERIFY(useMode(MOSAIC_MODE));
    select(1);
    QVERIFY(edit(0)->isEnabled());
    QVERIFY(edit(1)->isEnabled());
    QVERIFY(button("LOGOOnOffBtn")->isEnabled());
}

// ---------------------------------------------------------------------------
// Take controls.

namespace {
QString Spacing(const TakeFrame& a, const TakeFrame& b)
{
    const double gap = b.t - a.t;
    if (gap >= TakeControl::kPauseMs - 50 && gap <= TakeControl::kPauseMs + 50)
        return QString();
    return QStringLiteral("%1 -> %2: %3 ms").arg(a.what, b.what).arg(gap);
}
QStringList Whats(const QList<TakeFrame>& frames)
{
    QStringList out;
    for (const TakeFrame& f : frames)
        out << f.what;
    return out;
}
constexpr int kRuns = 3;  // a spacing thrown off by a loaded machine is measured again
}  // namespace

void TestLayerSetting::quickTakeInMosaic()
{
    QVERIFY(useMode(MOSAIC_MODE));
    QString spacing;
    for (int run = 0; run < kRuns && (run == 0 || !spacing.isEmpty()); ++run) {
        QVERIFY(settle());
        panel_->QuickTake();
        QTRY_VERIFY(takeFrames().size() >= 2);
        QTRY_VERIFY(!panel_->takeControl()->isQuickTakeWaiting());
        QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
        const QList<TakeFrame> r = takeFrames();
        QCOMPARE(Whats(r), (QStringList{"duration 0 0", "duration 0 2"}));
        spacing = Spacing(r[0], r[1]);
        // The device acknowledges the restored duration before it reports
        // it; until that report the record holds the CUT's 0.
        QVERIFY(settle());
        QCOMPARE(data().M_MosaicLayerCfg.durationTime, uint8_t(2));
        QCOMPARE(panel_->durationSlider()->findChild<QLineEdit*>()->text(), QString("2"));
    }
    QVERIFY2(spacing.isEmpty(), qPrintable(spacing));
    linkedMode_ = MOSAIC_MODE;
}

void TestLayerSetting::quickTakeInSwitcher()
{
    QVERIFY(useMode(SWITCHER_MODE));
    QString spacing;
    for (int run = 0; run < kRuns && (run == 0 || !spacing.isEmpty()); ++run) {
        QVERIFY(settle());
        QTRY_VERIFY(!panel_->takeControl()->progress()->isRunning());
        QSignalSpy reports(device_.handler(), &MiddleHandler::SigUIRefreshTakeData);
        panel_->QuickTake();
        // The device's report of the CUT arrives within the pause; a run in
        // which a loaded machine held it back past the pause is run again.
        QTRY_VERIFY(!reports.isEmpty());
        const bool cutInPause = panel_->takeControl()->isQuickTakeWaiting();
        QTRY_VERIFY(!panel_->takeControl()->isQuickTakeWaiting());
        QTRY_COMPARE(data().M_SwitchLayerCfg.durationTime, uint8_t(3));
        QTRY_VERIFY(takeFrames().size() >= 3);
        QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
        const QList<TakeFrame> r = takeFrames();
        QCOMPARE(Whats(r), (QStringList{"duration 2 0", "take", "duration 2 3"}));
        spacing = cutInPause ? Spacing(r[1], r[2]) : QStringLiteral("CUT reported after the pause");
        QCOMPARE(panel_->durationSlider()->findChild<QLineEdit*>()->text(), QString("3"));
    }
    QVERIFY2(spacing.isEmpty(), qPrintable(spacing));
}

void TestLayerSetting::multiTakeOfTheSecondGroup()
{
    QVERIFY(useMode(BACKUP_MODE));
    CheckedMachineList[1] = QByteArray("\x14\x16", 2);  // .20 (the device) and .22
    CheckedGroupIndex = 1;
    QString spacing;
    for (int run = 0; run < kRuns && (run == 0 || !spacing.isEmpty()); ++run) {
        QVERIFY(settle());
        QTRY_VERIFY(!panel_->takeControl()->progress()->isRunning());
        button("TakeBtn")->click();
        QTRY_VERIFY(!panel_->takeControl()->isMultiTakeWaiting());
        QTRY_VERIFY(takeFrames().size() >= 2);
        const QList<TakeFrame> r = takeFrames();
        QCOMPARE(Whats(r), (QStringList{"multi1 1416ffff", "multi2 1416ffff"}));
        spacing = Spacing(r[0], r[1]);
    }
    QVERIFY2(spacing.isEmpty(), qPrintable(spacing));

    // Auto backup on: a plain take and the refusal.
    button("AutoBackupBtn")->click();
    QVERIFY(settle());
    QCOMPARE(data().M_AllCfg.autoBackup, uint8_t(1));
    // The take's progress dialog is modal: the notice is looked for beside it.
    button("TakeBtn")->click();
    const QString refusal = "Auto Backup Is On,Can't Do Multi-Take Action.";
    QTRY_VERIFY(Notice(refusal));
    Notice(refusal)->close();

    QTRY_VERIFY(!takeFrames().isEmpty());
    QCOMPARE(Whats(takeFrames()), QStringList{"take"});
    CheckedGroupIndex = -1;
}

void TestLayerSetting::freezeFollowsTheDevice()
{
    QVERIFY(useMode(MOSAIC_MODE));
    QPushButton* freeze = button("Freeze_Btn");
    QVERIFY(freeze->isChecked());
    QVERIFY(KeyLamps().freezeOn);
    QSignalSpy reported(device_.handler(), &MiddleHandler::SigUIRefreshFreeze);
    freeze->click();
    // The lamp waits for the device's report; then both show it off.
    QVERIFY(KeyLamps().freezeOn);
    QTRY_VERIFY(!reported.isEmpty());
    QVERIFY(!freeze->isChecked());
    QVERIFY(!KeyLamps().freezeOn);
    QCOMPARE(KeyLamps().entries[kFreezeKey].colorB, uint8_t(0));
    QCOMPARE(sent(), Join(QStringList{"0601 06"}));
    QCOMPARE(data().M_AllCfg.freeze, uint8_t(0));
}

void TestLayerSetting::takeProgressFromThePanel()
{
    QVERIFY(useMode(SWITCHER_MODE));
    QSignalSpy status(device_.handler(), &MiddleHandler::SigUiRefreshTakeStatus);
    button("TakeBtn")->click();
    QTRY_VERIFY(status.size() >= 1);
    QVERIFY(panel_->takeControl()->progress()->isRunning());
    QTRY_VERIFY(status.size() >= 2);
    QVERIFY(!panel_->takeControl()->progress()->isRunning());
    QCOMPARE(Whats(takeFrames()), QStringList{"take"});
    // A status 1 without its 0 ends by itself.
    emit device_.handler()->SigUiRefreshTakeStatus(1);
    QVERIFY(panel_->takeControl()->progress()->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!panel_->takeControl()->progress()->isRunning(), 20000);
}

void TestLayerSetting::cancelTextFollowsTheLanguage()
{
    // A language change before the first take: the progress dialog, built
    // later, carries the new language's cancel text.
    LayerSettingDlg fresh(nullptr);
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(LEDZ_LANGUAGE_DIR "/KSV_Z9050_Chinese.qm")));
    qApp->installTranslator(&chinese);
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&fresh, &change);
    QProgressDialog* dialog = fresh.takeControl()->progress()->dialog();
    auto* cancel = dialog->findChild<QPushButton*>();
    qApp->removeTranslator(&chinese);
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QString::fromUtf8("取消"));
}

LEDZ_GUI_TEST_MAIN(TestLayerSetting)
#include "test_layersetting.moc"
