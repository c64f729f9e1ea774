// The frames procsim logged, read back for assertions: a page test marks
// the log, works a widget, and compares what the device received with the
// row's expectation, in order:
//
//   FrameLog frames(&sim);
//   frames.mark();
//   freezeButton->click();
//   QVERIFY(TestSupport::WaitSenderIdle(handler));
//   QCOMPARE(frames.receivedTexts(TestNet::kDeviceIp1), QStringList{"0601 06"});
//
// A frame's text is its code (4 hex digits) and its payload in hex without
// the fill bytes (55) at its end: "0601 06" is code 0x0601 with payload
// 06 55 55 ... 55. Sends are acknowledged before WaitSenderIdle() returns,
// and procsim logs a frame before it acknowledges it, so the log is
// complete by then.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ProcSim;

struct LoggedFrame {
    double t = 0;       // ms since procsim started
    bool rx = false;    // received by the device (false: sent by it)
    QString dev;        // the device's address; 255.255.255.255: broadcast socket
    QString peer;       // ip:port of the other side
    int code = -1;      // -1: a datagram without a frame
    QByteArray payload; // 32 bytes; a batch frame's line holds the whole frame
    bool inBatch = false;  // carried by the batch frame logged just before
    bool ok = false;       // checksum correct

    QString text() const;
};

class FrameLog {
public:
    explicit FrameLog(const ProcSim* sim) : sim_(sim) {}

    // Every line logged since the mark (since the start before any mark).
    QList<LoggedFrame> all() const;
    // Later reads list only what is logged after this.
    void mark();

    // What the device at dev (any device when empty) received from the PC,
    // in order, searches (0x8080) left out: short frames and batch frames as
    // they were sent, or with openBatches the frames that batches carry in
    // their place.
    QList<LoggedFrame> received(const QString& dev = QString(), bool openBatches = false) const;
    QList<int> receivedCodes(const QString& dev = QString(), bool openBatches = false) const;
    // The texts of the frames received, batches opened.
    QStringList receivedTexts(const QString& dev = QString()) const;
    // The payloads (hex, their first bytes bytes) of the frames of that code
    // received, batches opened, in order.
    QStringList payloads(int code, int bytes = 32, const QString& dev = QString()) const;
    // Frames of that code received whose payload starts with the hex text,
    // alone or carried by a batch (batch frames themselves under 0x0402).
    int count(int code, const QString& payloadHexPrefix = QString(),
              const QString& dev = QString()) const;

    // Processes events until a line matches; false after timeoutMs.
    bool waitFor(const std::function<bool(const LoggedFrame&)>& match, int timeoutMs = 5000) const;
    bool waitForReceived(int code, const QString& dev = QString(),
                         const QString& payloadHexPrefix = QString(), int timeoutMs = 5000) const;

private:
    const ProcSim* sim_;
    int mark_ = 0;
};
