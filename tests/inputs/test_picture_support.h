// What the picture page's tests share: a watch on broken string connections
// and the frames a simulated processor received.
#pragma once

#include "ProcSim.h"

#include <QJsonObject>
#include <QStringList>
#include <QtGlobal>
#include <mutex>

namespace PictureTest {

// A SIGNAL()/SLOT() connection fails only at run time, with a warning that
// starts "QObject::connect:". The watch counts those warnings while it is
// installed and passes every message on.
class ConnectWarnings {
public:
    ConnectWarnings() { previous() = qInstallMessageHandler(&ConnectWarnings::handle); }
    ~ConnectWarnings() { qInstallMessageHandler(previous()); }
    ConnectWarnings(const ConnectWarnings&) = delete;
    ConnectWarnings& operator=(const ConnectWarnings&) = delete;

    static QStringList seen()
    {
        std::lock_guard<std::mutex> lock(mutex());
        return lines();
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (message.startsWith(QLatin1String("QObject::connect:"))) {
            std::lock_guard<std::mutex> lock(mutex());
            lines() << message;
        }
        if (previous())
            previous()(type, context, message);
    }
    static QtMessageHandler& previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static QStringList& lines()
    {
        static QStringList l;
        return l;
    }
};

// One frame the device received outside a batch.
struct RxFrame {
    int code = 0;
    QByteArray payload;
};

// The frames received by the device at ip after the first `from` log lines.
inline QList<RxFrame> Received(const ProcSim& sim, const QString& ip, int from = 0)
{
    QList<RxFrame> out;
    const QList<QJsonObject> log = sim.logLines();
    for (int i = from; i < log.size(); ++i) {
        const QJsonObject& l = log[i];
        if (l.value("dir").toString() != "rx" || l.value("dev").toString() != ip ||
            l.value("inBatch").toBool())
            continue;
        out.append({l.value("code").toInt(),
                    QByteArray::fromHex(l.value("payload").toString().toLatin1())});
    }
    return out;
}

inline QList<int> Codes(const QList<RxFrame>& frames)
{
    QList<int> codes;
    for (const RxFrame& f : frames)
        codes << f.code;
    return codes;
}

// The frames as text, for failure messages.
inline QString Describe(const QList<RxFrame>& frames)
{
    QStringList out;
    for (const RxFrame& f : frames)
        out << QStringLiteral("%1:%2")
                   .arg(f.code, 4, 16, QLatin1Char('0'))
                   .arg(QString::fromLatin1(f.payload.left(13).toHex()));
    return out.join(QLatin1Char(' '));
}

inline QList<RxFrame> WithCode(const QList<RxFrame>& frames, int code)
{
    QList<RxFrame> out;
    for (const RxFrame& f : frames)
        if (f.code == code)
            out << f;
    return out;
}

}  // namespace PictureTest
