#include "SystemDevice.h"

#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include "CustomMsgBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace TestNet;

void AnswerNextBox(int button, QString* text)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, button, text] {
        auto* box = qobject_cast<CustomMsgBox*>(QApplication::activeModalWidget());
        if (!box) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* notice = qobject_cast<CustomMsgBox*>(w); notice && notice->isVisible())
                    box = notice;
        }
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        if (text)
            *text = box->findChild<QLabel*>(QStringLiteral("messageLabel"))->text();
        if (button == 0)
            box->sltOnBtnClose();
        else
            box->findChild<QDialogButtonBox*>()
                ->button(QDialogButtonBox::StandardButton(button))
                ->click();
    });
    poll->start(5);
}

void ChooseInNextFileDialog(const QString& path)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll->start(5);
}

bool NoticeShown(const QString& text)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CustomMsgBox*>(w) && w->isVisible())
            for (QLabel* l : w->findChildren<QLabel*>())
                if (l->text() == text)
                    return true;
    return false;
}

bool SystemDevice::start(const QString& stateName, const QStringList& extraArgs)
{
    h_ = MiddleHandler::GetInstance();
    h_->SetInquiryDelay(300);
    proc_ = std::make_unique<ProcSim>();
    if (!proc_->start(QStringList{"--device", kDeviceIp1 + ",00:1c:88:00:00:01", "--state",
                                  ProcSim::stateFile(stateName)} +
                      extraArgs)) {
        error_ = QStringLiteral("procsim did not start: ") + proc_->errors();
        return false;
    }
    // Found and selected as the communication page does, then read back.
    bool announced = false;
    const QMetaObject::Connection announcement = QObject::connect(
        h_, &MiddleHandler::SigMachineIPEvent,
        [&announced](QString ip, BYTE*, QString) { announced = announced || !ip.isEmpty(); });
    if (!h_->OpenBroadcastPort(kPcIp, kBroadcastLocalPort)) {
        error_ = QStringLiteral("broadcast port not opened");
        return false;
    }
    const auto octets = Ipv4Octets(kPcIp);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = kPcIp;
    const bool found = QTest::qWaitFor([&] { return announced; }, 20000);
    QObject::disconnect(announcement);
    if (!found) {
        error_ = QStringLiteral("the device did not answer the search");
        return false;
    }
    QSignalSpy ends(h_, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    h_->SelectMachine(kDeviceIp1);
    h_->SetUnicastRemote(kDeviceIp1, kDevicePort);
    h_->OpenUnicastPort(h_->GetBroadcastLocalIp(), kDevicePort);
    if (extraArgs.contains(QStringLiteral("--silent")))
        return true;
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    if (!TestSupport::WaitReadBackEnds(h_, ends, 1)) {
        error_ = QStringLiteral("the read-back did not end");
        return false;
    }
    return true;
}

void SystemDevice::stop()
{
    proc_.reset();
    if (h_)
        h_->ShutdownForTest();
}

bool SystemDevice::settle()
{
    bool answered = false;
    const QMetaObject::Connection c =
        QObject::connect(h_, &MiddleHandler::SigUIRefreshMachineVer,
                         [&answered](VerInfo_Enum kind) { answered |= kind == VER_ETHBOARD; });
    const uint8_t kind = VER_ETHBOARD;
    SendCommand(&kind, SEND_INQUIREVERCMD, nullptr, QString());
    (void)QTest::qWaitFor([&] { return answered; }, 10000);  // answered says it
    QObject::disconnect(c);
    if (!answered || !TestSupport::WaitSenderIdle(h_))
        return false;
    markFrames();
    return true;
}

void SystemDevice::markFrames()
{
    mark_ = proc_->logLines().size();
}

QStringList SystemDevice::frames(int code, int bytes) const
{
    QStringList out;
    const QList<QJsonObject> lines = proc_->logLines();
    for (int i = mark_; i < lines.size(); ++i)
        if (lines[i].value("dir").toString() == "rx" && lines[i].value("code").toInt() == code)
            out << lines[i].value("payload").toString().left(2 * bytes);
    return out;
}
