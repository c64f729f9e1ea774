#include "SelectedSim.h"

#include "DeviceList.h"
#include "MiddleHandler.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

namespace SelectedSim {

std::unique_ptr<ProcSim> Start(MiddleHandler* h, const QString& statePath)
{
    using namespace TestNet;
    h->SetAckTimeout(2000);
    h->SetInquiryDelay(300);
    h->ResetForTest();
    auto sim = std::make_unique<ProcSim>();
    if (!sim->start({"--device", kDeviceIp1 + ",02:4b:53:00:00:20,," + statePath})) {
        qWarning() << sim->errors();
        return nullptr;
    }
    bool announced = false;
    const QMetaObject::Connection c = QObject::connect(
        h, &MiddleHandler::SigMachineIPEvent,
        [&announced](QString ip, BYTE* mac, QString) { announced |= !ip.isEmpty() && mac; });
    if (!h->OpenBroadcastPort(kPcIp, kBroadcastLocalPort))
        return nullptr;
    const auto octets = Ipv4Octets(kPcIp);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = kPcIp;
    const bool found = QTest::qWaitFor([&] { return announced; }, 20000);
    QObject::disconnect(c);
    if (!found) {
        qWarning() << "no device announced";
        return nullptr;
    }
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    h->SelectMachine(kDeviceIp1);
    h->SetUnicastRemote(kDeviceIp1, kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    if (!TestSupport::WaitReadBackEnds(h, end, 1)) {
        qWarning() << "read-back did not end";
        return nullptr;
    }
    return sim;
}

}  // namespace SelectedSim
