// A simulated processor linked as the communication page links one: procsim
// started in the private test network, the search sent, the device selected
// and its whole configuration read back. Then the record can be compared
// with procsim's state, and procsim's frame log read (FrameLog.h).
//
//   void TestOutputPage::initTestCase()
//   {
//       REQUIRE_PRIVATE_NETWORK();
//       QVERIFY(device.link(LinkedDevice::oneDevice()));   // .20, state z7050-1
//   }
//   void TestOutputPage::init() { QVERIFY(device.settle()); }   // marks the log
//   ...  work the page's widgets, then:
//   QVERIFY(TestSupport::WaitSenderIdle(device.handler()));
//   QCOMPARE(device.frames().receivedTexts(TestNet::kDeviceIp1), expectedFrames);
//   const QStringList diff = device.diffWithSim(TestNet::kDeviceIp1);
//   QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
//
// The protocol object is the process's one instance: the test resets it
// (MiddleHandler::ResetForTest) between cases that link anew, and shuts it
// down in cleanupTestCase (ShutdownForTest). Tests that open sockets are
// registered with NET (one at a time on the protocol's fixed ports).
#pragma once

#include "FrameLog.h"
#include "MiddleHandler.h"
#include "ProcSim.h"
#include "TestNet.h"

#include <QObject>
#include <QStringList>


class LinkedDevice : public QObject {
    Q_OBJECT
public:
    // The MACs the simulated processors use; addresses come from TestNet.
    static inline const QString kMac1 = QStringLiteral("02:4b:53:00:00:20");
    static inline const QString kMac2 = QStringLiteral("02:4b:53:00:00:21");
    // Fields that no reply carries: names the operator gives, values the
    // device keeps to itself, the logo size that one reply writes into every
    // layer. diffWithSim() leaves them out unless told otherwise.
    static inline const QStringList kNotReadBack = {
        "M_InputData.port[*].inputRename", "M_InputData.tile[*].name", "M_PresetName",
        "*.chromaKey[*].mode",             "*.layer[*].logoWidth",      "*.layer[*].logoHeight",
        "M_MosaicLayerCfg.layer[*].bMain", "M_TaskCfg.task[*].flag",
    };

    // procsim's arguments: one processor at ip (state z7050-1.json), plus
    // extra options such as "--status-interval", "200".
    static QStringList oneDevice(const QString& ip = TestNet::kDeviceIp1,
                                 const QStringList& extra = {});
    // Z7050-1 at kDeviceIp1 with its video board at kDeviceIp3 and state
    // z7050-1.json, Z7050-2 at kDeviceIp2 with z7050-2.json.
    static QStringList twoDevices(const QStringList& extra = {});

    explicit LinkedDevice(QObject* parent = nullptr);
    ~LinkedDevice() override;

    // Starts procsim (stopping one started before); on failure its errors
    // are logged.
    bool start(const QStringList& procsimArgs);
    void stop();
    ProcSim& sim() { return *sim_; }
    FrameLog& frames() { return frames_; }
    const FrameLog& frames() const { return frames_; }
    MiddleHandler* handler() const { return h_; }

    // One search step as the communication page sends it: the broadcast
    // socket on the PC's address, the search frame, the search address kept.
    bool search();
    // The devices announced with a MAC since the last search, in order, and
    // their video boards' addresses.
    QStringList announced() const { return announced_; }
    QStringList announcedBoards() const { return boards_; }
    // Until count devices are announced; false after timeoutMs.
    bool waitForDevices(int count = 1, int timeoutMs = 5000);
    // What selecting a device does first: it becomes the target and the
    // unicast socket opens on the search address. Nothing is sent.
    void select(const QString& ip);
    // All that selecting a device does: select(), then the PC's address and
    // the request for the whole configuration go out. True once the
    // read-back has ended and nothing is left to send.
    bool selectAndReadBack(const QString& ip, int timeoutMs = 10000);
    // All of it: start, search, wait for ip, select and read back.
    bool link(const QStringList& procsimArgs, const QString& ip = TestNet::kDeviceIp1);

    // Until every reply to what was sent before has been handled: a version
    // request goes last and its answer comes back after them (the device
    // answers in order; replies it sends after a delay are not covered).
    // Then marks the frame log: a test starts from what it sends itself.
    bool settle();

    // Paths of the fields in which the PC's record of the device at ip
    // differs from procsim's state (see MDataJson.h); "no record" when the PC
    // has none.
    QStringList diffWithSim(const QString& ip = TestNet::kDeviceIp1,
                            const QStringList& ignored = kNotReadBack) const;

private:
    MiddleHandler* h_;
    ProcSim* sim_;
    FrameLog frames_;
    QStringList announced_;
    QStringList boards_;
};
