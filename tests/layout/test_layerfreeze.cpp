// The layer panel's Freeze switch with the simulated USB control keyboard
// attached (umockdev) and a simulated processor in the private network: the
// freeze lamp on the keyboard changes only once the processor has reported
// its new freeze state, and the switch follows the report.
#include "GuiTest.h"
#include "KeyLamps.h"
#include "LayerSettingDlg.h"
#include "LinkedDevice.h"
#include "MiddleHandler.h"
#include "SimKeyboard.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestLayerFreeze : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lampFollowsTheProcessor();

private:
    std::unique_ptr<SimKeyboard> keyboard_;
    std::unique_ptr<LinkedDevice> device_;
    std::unique_ptr<LayerSettingDlg> panel_;
};

void TestLayerFreeze::initTestCase()
{
    if (!SimKeyboard::mockEnvironment())
        QSKIP("needs umockdev's preload library: run under umockdev-wrapper");
    REQUIRE_PRIVATE_NETWORK();
    // Before anything asks libusb for devices.
    keyboard_ = std::make_unique<SimKeyboard>();
    keyboard_->plug();
    MiddleHandler* h = MiddleHandler::GetInstance();
    QVERIFY(h->OpenUsbPort(SimKeyboard::kVendorId, SimKeyboard::kProductId));
    h->SetInquiryDelay(300);
    device_ = std::make_unique<LinkedDevice>();
    panel_ = std::make_unique<LayerSettingDlg>(nullptr);
    QVERIFY(device_->link(LinkedDevice::oneDevice()));
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.freeze, uint8_t(0));
}

void TestLayerFreeze::cleanupTestCase()
{
    panel_.reset();
    if (device_)
        device_->stop();
    MiddleHandler* h = MiddleHandler::GetInstance();
    h->CloseUsbPort();
    h->ShutdownForTest();
}

void TestLayerFreeze::lampFollowsTheProcessor()
{
    MiddleHandler* h = MiddleHandler::GetInstance();
    auto* freeze = panel_->findChild<QPushButton*>(QStringLiteral("Freeze_Btn"));
    QVERIFY(freeze);
    for (const bool on : {true, false}) {
        QVERIFY(device_->settle());
        keyboard_->clearTransfers();
        QSignalSpy reported(h, &MiddleHandler::SigUIRefreshFreeze);
        freeze->click();
        // Nothing reaches the keyboard before the processor's report.
        QCOMPARE(keyboard_->transferCount(), 0);
        QCOMPARE(KeyLamps().freezeOn, !on);
        QTRY_VERIFY(!reported.isEmpty());
        // The lamp planes of one flush, with key 73's colour B on while
        // frozen; the switch shows the reported state.
        QVERIFY(keyboard_->waitForTransfers(kLampPlaneCount, 5000));
        QTRY_COMPARE(keyboard_->lamp(kFreezeKey).colorB, on ? 1 : 0);
        QCOMPARE(freeze->isChecked(), on);
        QCOMPARE(h->GetCurrentMData()->M_AllCfg.freeze, uint8_t(on ? 1 : 0));
        // The panel asked for one toggle; the lamp sent no second one.
        QVERIFY(TestSupport::WaitSenderIdle(h));
        QCOMPARE(device_->frames().receivedTexts(TestNet::kDeviceIp1), QStringList{"0601 06"});
    }
}

LEDZ_GUI_TEST_MAIN(TestLayerFreeze)
#include "test_layerfreeze.moc"
