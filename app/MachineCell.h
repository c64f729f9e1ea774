// One announced processor on a device page: its name and addresses, whether it
// is the current (selected) device and whether it is online, the check button
// that ticks it into a take group, and the heartbeat timer that decides when
// the device has fallen silent.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class MachineCell : public QWidget {
    Q_OBJECT

public:
    // A device that sends nothing for this long has missed a heartbeat.
    static constexpr int kHeartBeatMs = 6000;
    static constexpr int kRestartAfterMs = 500;

    explicit MachineCell(QWidget* parent);

    void setName(const QString& name);
    void setIpAddr(const QString& ip);
    void setMacAddr(const QString& mac);
    void setEthIpAddr(const QString& ethIp);
    QString name() const { return name_; }
    QString ipAddr() const { return ipAddr_; }
    // Without a copy of the address: every reply asks it of every cell.
    bool hasIpAddr(const QString& ip) const { return ipAddr_ == ip; }
    QString macAddr() const { return macAddr_; }
    QString ethIpAddr() const { return ethIpAddr_; }

    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    void setOnline(bool online);
    // The same for a heartbeat received at beatMs (DeviceList::NowMs), which
    // may be handled a little later: the timer runs out kHeartBeatMs after
    // the heartbeat itself.
    void setOnline(bool online, int64_t beatMs);
    bool isOnline() const { return online_; }
    void setCheckBtnVisible(bool visible);

signals:
    void sigClickMachineCell(MachineCell* MCell);
    void sigMachineOnOffLine(bool bOnline);
    void sigMachineCheck(MachineCell* MCell, bool bChecked);

public slots:
    void On_HeartBeatOnLine();
    void OnClickedCheckBtn(bool bChecked);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void restyle();
    void heartBeatTimerRanOut();
    int64_t sinceLastBeatMs() const;

    QFrame* frame_;
    QLabel* nameLabel_;
    QLabel* ipLabel_;
    QLabel* ethIpLabel_;
    QLabel* macLabel_;
    QString ipAddr_;
    QString name_;
    QString macAddr_;
    QString ethIpAddr_;
    bool current_ = false;
    bool online_ = false;
    int runOuts_ = 0;
    QTimer* heartBeat_;
    int64_t lastBeatMs_;  // DeviceList::NowMs
    int64_t timerSetMs_;  // DeviceList::NowMs
    QPushButton* checkBtn_;
};
