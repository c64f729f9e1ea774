// The preset page as the operator uses it: its buttons, name edits and the
// control keyboard's preset keys, against a simulated processor selected and
// read back inside the private network. Asserts the frames the processor
// received, the record and the key lamps.
#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "KeyLamps.h"
#include "MiddleHandler.h"
#include "PresetDlg.h"
#include "LinkedDevice.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using TestSupport::WaitSenderIdle;

namespace {

// The presets of working mode 0 that the processor's state holds.
const QVector<int> kStoredPresets = {0, 1, 2, 5};

struct LampColours {
    int a;
    int b;
};

LampColours Lamp(int key)
{
    const KeyLampEntry& e = KeyLamps().entries[key];
    return {e.colorA, e.colorB};
}

}  // namespace

class TestPresets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void startsEmptyAndShowsTheReport();
    void sourceRowFollowsTheWorkingMode_data();
    void sourceRowFollowsTheWorkingMode();
    void keysRecallPresets_data();
    void keysRecallPresets();
    void sourceButtonsSendTheSource();
    void saveAsksThenStores_data();
    void saveAsksThenStores();
    void clearPresetClearsTheCheckedOne();
    void renameChangesOnlyTheModesName();
    void workingModeOutsideTheTablesTouchesNothing();
    void clearAllPresets();

private:
    // The payloads (hex) of the preset frames (0x0603) the processor has
    // received since the test began.
    QStringList presetFrames() const;
    bool waitForPresetReports(int count);
    MData& data() { return *h_->GetCurrentMData(); }

    LinkedDevice device_;
    std::unique_ptr<PresetDlg> page_;
    std::unique_ptr<QSignalSpy> presetReports_;
    MiddleHandler* h_ = nullptr;
};

void TestPresets::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    QVERIFY2(device_.start(), qPrintable(device_.error()));
    h_ = device_.handler();
    page_ = std::make_unique<PresetDlg>(nullptr);
    presetReports_ = std::make_unique<QSignalSpy>(h_, &MiddleHandler::SigUiRefreshPresetValid);
    QCOMPARE(data().M_AllCfg.workMode, int32_t(MOSAIC_MODE));
}

void TestPresets::init()
{
    // Nothing of the previous test is still to arrive.
    QVERIFY(device_.settle());
    presetReports_->clear();
    data().M_AllCfg.workMode = MOSAIC_MODE;
}

void TestPresets::cleanupTestCase()
{
    page_.reset();
    device_.stop();
}

QStringList TestPresets::presetFrames() const
{
    return device_.frames(0x0603, 3);
}

// Until the program has handled count validity reports since the test began.
bool TestPresets::waitForPresetReports(int count)
{
    return WaitSenderIdle(h_) &&
           QTest::qWaitFor([&] { return presetReports_->count() >= count; }, 10000) &&
           presetReports_->count() == count;
}

void TestPresets::startsEmptyAndShowsTheReport()
{
    PresetDlg fresh(nullptr);
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        QVERIFY(!fresh.loadButton(i)->isEnabled());
        QVERIFY(!fresh.nameEdit(i)->isEnabled());
        QVERIFY(fresh.saveButton(i)->isEnabled());
        QCOMPARE(fresh.nameEdit(i)->text(), QString::number(i + 1));
    }
    QVERIFY(fresh.findChild<QLabel*>("label")->isHidden());
    QVERIFY(fresh.findChild<QPushButton*>("pushButton")->isChecked());

    // The read-back's validity report has reached the page: the stored
    // presets are enabled, an empty name shows the preset's number.
    data().M_PresetName[MOSAIC_MODE][1] = QStringLiteral("Opening");
    page_->On_SigUiRefreshPresetValid();
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        QCOMPARE(page_->loadButton(i)->isEnabled(), kStoredPresets.contains(i));
        QCOMPARE(page_->nameEdit(i)->isEnabled(), kStoredPresets.contains(i));
        QCOMPARE(page_->loadButton(i)->text(), QString::number(i + 1));
    }
    QCOMPARE(page_->nameEdit(0)->text(), QStringLiteral("1"));
    QCOMPARE(page_->nameEdit(1)->text(), QStringLiteral("Opening"));
    data().M_PresetName[MOSAIC_MODE][1].clear();
    QVERIFY(presetFrames().isEmpty());
}

void TestPresets::sourceRowFollowsTheWorkingMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("shown");
    QTest::newRow("mosaic") << int(MOSAIC_MODE) << false;
    QTest::newRow("switcher") << int(SWITCHER_MODE) << true;
    QTest::newRow("backup") << int(BACKUP_MODE) << false;
}

void TestPresets::sourceRowFollowsTheWorkingMode()
{
    QFETCH(int, mode);
    QFETCH(bool, shown);
    const auto row = {page_->findChild<QWidget*>("label"),
                      page_->findChild<QWidget*>("pushButton"),
                      page_->findChild<QWidget*>("pushButton_2")};
    // From the system page's signal...
    page_->On_sigSysWorkModeChange(SystemWorkingMode(mode));
    for (QWidget* w : row)
        QCOMPARE(!w->isHidden(), shown);
    // ...and from the record after a read-back, one redraw per burst.
    page_->On_sigSysWorkModeChange(SystemWorkingMode(shown ? MOSAIC_MODE : SWITCHER_MODE));
    data().M_AllCfg.workMode = mode;
    for (int i = 0; i < 3; ++i)
        emit h_->SigUIRefreshAllCfg();
    QTRY_COMPARE(!page_->findChild<QWidget*>("label")->isHidden(), shown);
    for (QWidget* w : row)
        QCOMPARE(!w->isHidden(), shown);
    data().M_AllCfg.workMode = MOSAIC_MODE;
    page_->On_sigSysWorkModeChange(MOSAIC_MODE);
}

void TestPresets::keysRecallPresets_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("lampA");
    QTest::addColumn<int>("lampB");
    QTest::newRow("key 15, preset 2 stored") << 15 << QStringList{"010102"} << 2 << 0 << 2;
    QTest::newRow("key 16, preset 3 empty") << 16 << QStringList{} << 3 << 2 << 0;
    QTest::newRow("key 32, preset 19 empty") << 32 << QStringList{} << 19 << 2 << 0;
    QTest::newRow("key 12: no preset key") << 12 << QStringList{} << -1 << 0 << 0;
    QTest::newRow("key 33: no preset key") << 33 << QStringList{} << -1 << 0 << 0;
}

void TestPresets::keysRecallPresets()
{
    QFETCH(int, key);
    QFETCH(QStringList, frames);
    QFETCH(int, checked);
    QFETCH(int, lampA);
    QFETCH(int, lampB);

    page_->On_SigUiRefreshPresetValid();
    // No load button checked before the key.
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        page_->loadButton(i)->setAutoExclusive(false);
        page_->loadButton(i)->setChecked(false);
        page_->loadButton(i)->setAutoExclusive(true);
    }
    KeyLamps() = KeyLampTable();

    page_->ClickPresetByKey(key);
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(presetFrames(), frames);
    // The processor answers a recall with its validity report.
    QVERIFY(waitForPresetReports(frames.size()));
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        QCOMPARE(page_->loadButton(i)->isChecked(), i == checked);
        if (checked < 0)
            continue;
        // Every preset lamp is written again: plain, by its validity.
        const LampColours lamp = Lamp(13 + i);
        const bool stored = kStoredPresets.contains(i);
        const int shown = i == checked ? 2 : 1;
        QCOMPARE(lamp.a, stored ? 0 : shown);
        QCOMPARE(lamp.b, stored ? shown : 0);
        QCOMPARE(int(KeyLamps().entries[13 + i].kind), int(LAMP_PLAIN));
    }
    if (checked >= 0) {
        QCOMPARE(Lamp(key).a, lampA);
        QCOMPARE(Lamp(key).b, lampB);
    } else {
        for (int i = 0; i < KeyLampTable::kKeyCount; ++i)
            QCOMPARE(Lamp(i).a + Lamp(i).b, 0);
    }
}

void TestPresets::sourceButtonsSendTheSource()
{
    page_->On_sigSysWorkModeChange(SWITCHER_MODE);
    QTest::mouseClick(page_->findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
    QTest::mouseClick(page_->findChild<QPushButton*>("pushButton"), Qt::LeftButton);
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(presetFrames(), (QStringList{"010400", "010401"}));
    QVERIFY(page_->findChild<QPushButton*>("pushButton")->isChecked());
    QVERIFY(!page_->findChild<QPushButton*>("pushButton_2")->isChecked());
    page_->On_sigSysWorkModeChange(MOSAIC_MODE);
}

void TestPresets::saveAsksThenStores_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("saveChecked");
    QTest::newRow("Ok") << 7 << int(QDialogButtonBox::Ok) << QStringList{"010007"} << true
                        << true;
    QTest::newRow("Cancel") << 8 << int(QDialogButtonBox::Cancel) << QStringList{} << false
                            << false;
    QTest::newRow("closed by the title row") << 10 << 0 << QStringList{} << false << true;
}

void TestPresets::saveAsksThenStores()
{
    QFETCH(int, preset);
    QFETCH(int, answer);
    QFETCH(QStringList, frames);
    QFETCH(bool, stored);
    QFETCH(bool, saveChecked);
    const int key = 13 + preset;
    page_->On_SigUiRefreshPresetValid();
    const LampColours lampBefore = Lamp(key);

    QString asked;
    AnswerNextBox(answer, &asked);
    QTest::mouseClick(page_->saveButton(preset), Qt::LeftButton);
    QCOMPARE(asked, QStringLiteral("Save Preset?"));
    // At once, before the device reports: the load button and the record.
    QCOMPARE(page_->loadButton(preset)->isEnabled(), stored);
    QCOMPARE(page_->nameEdit(preset)->isEnabled(), stored);
    QCOMPARE(data().M_PresetValid[MOSAIC_MODE][preset] != 0, stored);
    QCOMPARE(page_->saveButton(preset)->isChecked(), saveChecked);
    QCOMPARE(Lamp(key).a, lampBefore.a);
    QCOMPARE(Lamp(key).b, lampBefore.b);

    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(presetFrames(), frames);
    QVERIFY(waitForPresetReports(frames.size()));
    if (stored) {
        // The lamp follows the device's report.
        QCOMPARE(Lamp(key).a, 0);
        QCOMPARE(Lamp(key).b, 1);
    }
}

void TestPresets::clearPresetClearsTheCheckedOne()
{
    page_->On_SigUiRefreshPresetValid();
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        page_->loadButton(i)->setAutoExclusive(false);
        page_->loadButton(i)->setChecked(false);
        page_->loadButton(i)->setAutoExclusive(true);
    }
    QPushButton* clear = page_->findChild<QPushButton*>("pushButton_4");

    // Nothing checked: asked, then nothing sent.
    QString asked;
    AnswerNextBox(QDialogButtonBox::Ok, &asked);
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(asked, QStringLiteral("Clear The Preset?"));
    // Refused: nothing sent either.
    QTest::mouseClick(page_->loadButton(1), Qt::LeftButton);
    AnswerNextBox(QDialogButtonBox::Cancel);
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(page_->loadButton(1)->isChecked());

    AnswerNextBox(QDialogButtonBox::Ok);
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(!page_->loadButton(1)->isEnabled());
    QVERIFY(!page_->loadButton(1)->isChecked());
    QVERIFY(!page_->nameEdit(1)->isEnabled());
    QCOMPARE(data().M_PresetValid[MOSAIC_MODE][1], uint8_t(0));
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(presetFrames(), (QStringList{"010101", "010201"}));
    QVERIFY(waitForPresetReports(2));
    QCOMPARE(data().M_PresetValid[MOSAIC_MODE][1], uint8_t(0));
}

void TestPresets::renameChangesOnlyTheModesName()
{
    data().M_AllCfg.workMode = BACKUP_MODE;
    data().M_PresetValid[BACKUP_MODE][5] = 1;
    data().M_PresetName[MOSAIC_MODE][5] = QStringLiteral("Mosaic five");
    page_->On_SigUiRefreshPresetValid();
    QLineEdit* edit = page_->nameEdit(5);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("6"));

    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Finale"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(data().M_PresetName[BACKUP_MODE][5], QStringLiteral("Finale"));
    QCOMPARE(data().M_PresetName[MOSAIC_MODE][5], QStringLiteral("Mosaic five"));
    for (int mode : {0, 1, 2, 3, 4})
        for (int i = 0; i < PresetDlg::kPresetCount; ++i)
            if (!(i == 5 && (mode == BACKUP_MODE || mode == MOSAIC_MODE)))
                QVERIFY(data().M_PresetName[mode][i].isEmpty());
    // Names never go to the device.
    QVERIFY(WaitSenderIdle(h_));
    QVERIFY(presetFrames().isEmpty());

    data().M_PresetName[MOSAIC_MODE][5].clear();
    data().M_PresetName[BACKUP_MODE][5].clear();
    data().M_PresetValid[BACKUP_MODE][5] = 0;
}

void TestPresets::workingModeOutsideTheTablesTouchesNothing()
{
    page_->On_SigUiRefreshPresetValid();
    const MData before = data();
    QVector<bool> enabled;
    for (int i = 0; i < PresetDlg::kPresetCount; ++i)
        enabled << page_->loadButton(i)->isEnabled();
    KeyLamps() = KeyLampTable();

    for (int mode : {7, -1, 5}) {
        data().M_AllCfg.workMode = mode;
        page_->On_SigUiRefreshPresetValid();
        page_->ClickPresetByKey(16);
        // The commands still go out; the tables stay as they are.
        AnswerNextBox(QDialogButtonBox::Ok);
        QTest::mouseClick(page_->saveButton(9), Qt::LeftButton);
        AnswerNextBox(QDialogButtonBox::Ok);
        QTest::mouseClick(page_->findChild<QPushButton*>("pushButton_4"), Qt::LeftButton);
        page_->nameEdit(9)->setText(QStringLiteral("x"));
        emit page_->nameEdit(9)->editingFinished();
        for (int i = 0; i < KeyLampTable::kKeyCount; ++i)
            QCOMPARE(int(KeyLamps().entries[i].dirty) + Lamp(i).a + Lamp(i).b, 0);
        for (int m = 0; m < MDataLimits::kWorkModes; ++m)
            for (int i = 0; i < PresetDlg::kPresetCount; ++i)
                QCOMPARE(data().M_PresetName[m][i], before.M_PresetName[m][i]);
    }
    data().M_AllCfg.workMode = MOSAIC_MODE;
    QVERIFY(WaitSenderIdle(h_));
    // Each round: the save of 9, then the clear of the checked 3.
    QCOMPARE(presetFrames(), (QStringList{"010009", "010203", "010009", "010203", "010009",
                                          "010203"}));
    // The device's reports name its own working mode's row.
    QVERIFY(waitForPresetReports(6));
    QCOMPARE(data().M_PresetValid[MOSAIC_MODE][9], uint8_t(1));
}

void TestPresets::clearAllPresets()
{
    data().M_PresetName[MOSAIC_MODE][0] = QStringLiteral("Walk-in");
    page_->On_SigUiRefreshPresetValid();
    AnswerNextBox(QDialogButtonBox::Cancel);
    QTest::mouseClick(page_->findChild<QPushButton*>("pushButton_3"), Qt::LeftButton);
    QVERIFY(page_->loadButton(0)->isEnabled());

    QString asked;
    AnswerNextBox(QDialogButtonBox::Ok, &asked);
    QTest::mouseClick(page_->findChild<QPushButton*>("pushButton_3"), Qt::LeftButton);
    QCOMPARE(asked, QStringLiteral("Clear All Presets?"));
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        QVERIFY(!page_->loadButton(i)->isEnabled());
        QVERIFY(!page_->nameEdit(i)->isEnabled());
        QCOMPARE(data().M_PresetValid[MOSAIC_MODE][i], uint8_t(0));
    }
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(presetFrames(), QStringList{"010355"});
    // The device's all-zero report keeps everything disabled; names stay.
    QVERIFY(waitForPresetReports(1));
    for (int i = 0; i < PresetDlg::kPresetCount; ++i) {
        QVERIFY(!page_->loadButton(i)->isEnabled());
        QVERIFY(!page_->nameEdit(i)->isEnabled());
    }
    QCOMPARE(page_->nameEdit(0)->text(), QStringLiteral("Walk-in"));
    QCOMPARE(page_->nameEdit(1)->text(), QStringLiteral("2"));
    for (int i = 13; i <= 32; ++i) {
        QCOMPARE(Lamp(i).b, 0);
        QVERIFY(Lamp(i).a > 0);
    }
}

QTEST_MAIN(TestPresets)
#include "test_presets.moc"
