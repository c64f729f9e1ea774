#include "MachineCell.h"

#include "DeviceList.h"
#include "Look.h"
#include "MiddleHandler.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

MachineCell::MachineCell(QWidget* parent) : QWidget(parent)
{
    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("frame"));
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Raised);
    // The colours of each state are rules of the application style sheet
    // that select by the properties that restyle() sets.
    const QFont font = Look::Font(9);
    QLabel** labels[] = {&nameLabel_, &ipLabel_, &ethIpLabel_, &macLabel_};
    const char* const names[] = {"label", "label_2", "label_3", "label_4"};
    for (int i = 0; i < 4; ++i) {
        QLabel* label = new QLabel(frame_);
        label->setObjectName(QLatin1String(names[i]));
        label->setFont(font);
        *labels[i] = label;
    }

    checkBtn_ = new QPushButton(frame_);
    checkBtn_->setObjectName(QStringLiteral("checkButton"));
    checkBtn_->setCheckable(true);
    checkBtn_->setFixedSize(36, 36);
    checkBtn_->hide();
    connect(checkBtn_, SIGNAL(clicked(bool)), this, SLOT(OnClickedCheckBtn(bool)));

    auto* column = new QVBoxLayout(frame_);
    column->setContentsMargins(5, 5, 5, 5);
    auto* top = new QHBoxLayout;
    top->addWidget(nameLabel_);
    top->addWidget(checkBtn_, 0, Qt::AlignRight | Qt::AlignTop);
    column->addLayout(top);
    column->addWidget(ipLabel_);
    column->addWidget(ethIpLabel_);
    column->addWidget(macLabel_);
    auto* row = new QHBoxLayout(this);
    row->addWidget(frame_);

    heartBeat_ = new QTimer(this);
    connect(heartBeat_, &QTimer::timeout, this, &MachineCell::heartBeatTimerRanOut);
    lastBeatMs_ = DeviceList::NowMs();
    heartBeat_->start(kHeartBeatMs);
    timerSetMs_ = lastBeatMs_;
}

void MachineCell::setName(const QString& name)
{
    name_ = name;
    nameLabel_->setText(QString::asprintf("Name:%s", name.toLocal8Bit().constData()));
}

void MachineCell::setIpAddr(const QString& ip)
{
    ipAddr_ = ip;
    ipLabel_->setText(QString::asprintf("IpAddr:%s", ip.toLocal8Bit().constData()));
}

void MachineCell::setMacAddr(const QString& mac)
{
    macAddr_ = mac;
    macLabel_->setText(QString::asprintf("MacAddr:%s", mac.toLocal8Bit().constData()));
}

void MachineCell::setEthIpAddr(const QString& ethIp)
{
    ethIpAddr_ = ethIp;
    ethIpLabel_->setText(QString::asprintf("EthIpAddr:%s", ethIp.toLocal8Bit().constData()));
}

void MachineCell::restyle()
{
    // A polish of the cell and all it holds, on every page of the
    // communication page: a read-back names the current cell again and again,
    // and only a change of state is worth one.
    if (property("styled").toBool() && property("current").toBool() == current_ &&
        property("online").toBool() == online_)
        return;
    setProperty("styled", true);
    setProperty("current", current_);
    setProperty("online", online_);
    Look::Repolish(this);
}

void MachineCell::setCurrent(bool current)
{
    const bool becomesCurrent = current && !current_;
    current_ = current;
    restyle();
    // Only the current cell reports its changes; the one that takes over
    // reports where it stands, or the main window would go on showing the
    // state of the cell that was current before.
    if (becomesCurrent)
        emit sigMachineOnOffLine(online_);
}

void MachineCell::setOnline(bool online)
{
    setOnline(online, DeviceList::NowMs());
}

void MachineCell::setOnline(bool online, int64_t beatMs)
{
    lastBeatMs_ = std::max(lastBeatMs_, beatMs);
    // Restarted at most twice a second: a read-back's burst of replies
    // restarts it once, while the heartbeats at rest still restart it each
    // time, so that it never runs out (and wakes the program) while they come.
    // Measured by the heartbeats' own times, not the clock: reading it for
    // every reply of a burst costs more than the rest of this. A run-out
    // before its time is set again for what is left (heartBeatTimerRanOut).
    if (lastBeatMs_ - timerSetMs_ >= kRestartAfterMs) {
        const int64_t now = DeviceList::NowMs();
        heartBeat_->start(int(std::max<int64_t>(0, kHeartBeatMs - (now - lastBeatMs_))));
        timerSetMs_ = now;
    }
    if (online == online_)
        return;
    online_ = online;
    restyle();
    if (current_)
        emit sigMachineOnOffLine(online);
    update();
}

// Every reply is a heartbeat, and a read-back brings hundreds: restarting
// the timer for each would cost more than the reply. When it runs out before
// kHeartBeatMs have passed since the last heartbeat, it is set again for what
// is left, so a run-out still comes kHeartBeatMs after that heartbeat.
void MachineCell::heartBeatTimerRanOut()
{
    if (sinceLastBeatMs() >= kHeartBeatMs) {
        // Repeated status frames wait for the program's next turn: those that
        // came before this run-out are heartbeats all the same.
        MiddleHandler::GetInstance()->TakeWaitingDatagrams();
    }
    const int64_t now = DeviceList::NowMs();
    const int64_t left = kHeartBeatMs - (now - lastBeatMs_);
    if (left > 0) {
        heartBeat_->start(int(left));
        timerSetMs_ = now;
        return;
    }
    if (heartBeat_->interval() != kHeartBeatMs) {
        heartBeat_->start(kHeartBeatMs);
        timerSetMs_ = now;
    }
    On_HeartBeatOnLine();
}

int64_t MachineCell::sinceLastBeatMs() const
{
    return DeviceList::NowMs() - lastBeatMs_;
}

void MachineCell::On_HeartBeatOnLine()
{
    // Offline at the second run-out since creation or since it last went
    // offline; a heartbeat restarts the timer but keeps the count.
    if (++runOuts_ > 1) {
        runOuts_ = 0;
        setOnline(false);
        update();
    }
}

void MachineCell::setCheckBtnVisible(bool visible)
{
    checkBtn_->setVisible(visible);
}

void MachineCell::OnClickedCheckBtn(bool bChecked)
{
    emit sigMachineCheck(this, bChecked);
}

void MachineCell::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit sigClickMachineCell(this);
}
