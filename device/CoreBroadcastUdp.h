// The broadcast transport: one socket allowed to broadcast, which sends the
// search, set-IP and take frames and receives the devices' answers.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class UdpEndpoint;

class CoreBroadcastUdp : public QObject {
    Q_OBJECT
public:
    explicit CoreBroadcastUdp(QObject* parent = nullptr);
    ~CoreBroadcastUdp() override;

    virtual bool setRemoteIp(const QString& ip);
    virtual QString remoteIp() const;
    virtual bool setRemotePort(quint16 port);
    virtual quint16 remotePort() const;
    virtual bool setRemote(const QString& ip, quint16 port);
    // Address text of the last openPort, even when its bind failed; empty before.
    virtual QString localIp() const;
    virtual bool sendData(const QByteArray& data);

    bool openPort(const QString& localIp, quint16 localPort);
    bool startPort();
    void closePort();

signals:
    void sigBroadcastReadData(const QByteArray& data, const QString& sender);

private:
    std::unique_ptr<UdpEndpoint> endpoint_;
};
