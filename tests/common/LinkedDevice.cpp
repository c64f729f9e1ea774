#include "LinkedDevice.h"

#include "MDataJson.h"
#include "MiddleHandler.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

QStringList LinkedDevice::oneDevice(const QString& ip, const QStringList& extra)
{
    return QStringList{"--device", ip + "," + kMac1, "--state", ProcSim::stateFile("z7050-1.json")} +
           extra;
}

QStringList LinkedDevice::twoDevices(const QStringList& extra)
{
    return QStringList{"--device",
                       TestNet::kDeviceIp1 + "," + kMac1 + "," + TestNet::kDeviceIp3,
                       "--device",
                       TestNet::kDeviceIp2 + "," + kMac2 + ",," + ProcSim::stateFile("z7050-2.json"),
                       "--state",
                       ProcSim::stateFile("z7050-1.json")} +
           extra;
}

LinkedDevice::LinkedDevice(QObject* parent)
    : QObject(parent),
      h_(MiddleHandler::GetInstance()),
      sim_(new ProcSim(this)),
      frames_(sim_)
{
    connect(h_, &MiddleHandler::SigMachineIPEvent, this, [this](QString ip, BYTE* mac, QString eth) {
        if (!ip.isEmpty() && mac) {
            announced_ << ip;
            boards_ << eth;
        }
    });
}

LinkedDevice::~LinkedDevice()
{
    stop();
}

bool LinkedDevice::start(const QStringList& procsimArgs)
{
    frames_ = FrameLog(sim_);  // a new log: marks of the old one do not apply
    if (sim_->start(procsimArgs))
        return true;
    qWarning() << "procsim did not start:" << sim_->errors();
    return false;
}

void LinkedDevice::stop()
{
    sim_->stop();
}

bool LinkedDevice::search()
{
    announced_.clear();
    boards_.clear();
    if (!h_->OpenBroadcastPort(TestNet::kPcIp, kBroadcastLocalPort))
        return false;
    const auto octets = Ipv4Octets(TestNet::kPcIp);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = TestNet::kPcIp;
    return true;
}

bool LinkedDevice::waitForDevices(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return announced_.size() >= count; }, timeoutMs);
}

void LinkedDevice::select(const QString& ip)
{
    h_->SelectMachine(ip);
    h_->SetUnicastRemote(ip, kDevicePort);
    h_->OpenUnicastPort(h_->GetBroadcastLocalIp(), kDevicePort);
}

bool LinkedDevice::selectAndReadBack(const QString& ip, int timeoutMs)
{
    QSignalSpy end(h_, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    select(ip);
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    if (TestSupport::WaitReadBackEnds(h_, end, 1, timeoutMs))
        return true;
    const QList<QJsonObject> log = sim_->logLines();
    qWarning() << "the read-back of" << ip << "did not end; procsim logged" << log.size()
               << "lines, the last" << (log.isEmpty() ? QJsonObject() : log.last());
    return false;
}

bool LinkedDevice::link(const QStringList& procsimArgs, const QString& ip)
{
    if (!start(procsimArgs) || !search())
        return false;
    if (!QTest::qWaitFor([&] { return announced_.contains(ip); }, 20000)) {
        qWarning() << "no announcement of" << ip << "; announced:" << announced_;
        return false;
    }
    return selectAndReadBack(ip);
}

bool LinkedDevice::settle()
{
    bool answered = false;
    const QMetaObject::Connection c =
        connect(h_, &MiddleHandler::SigUIRefreshMachineVer,
                [&answered](VerInfo_Enum kind) { answered |= kind == VER_ETHBOARD; });
    const uint8_t kind = VER_ETHBOARD;
    SendCommand(&kind, SEND_INQUIREVERCMD, nullptr, QString());
    (void)QTest::qWaitFor([&] { return answered; }, 10000);
    disconnect(c);
    if (!answered || !TestSupport::WaitSenderIdle(h_))
        return false;
    frames_.mark();
    return true;
}

QStringList LinkedDevice::diffWithSim(const QString& ip, const QStringList& ignored) const
{
    bool selected = false;
    MData* record = h_->FindMDataByIp(ip, &selected);
    if (!record)
        return {"no record for " + ip};
    return CompareMDataJson(sim_->dumpedState(ip), MDataToJson(*record), ignored);
}
