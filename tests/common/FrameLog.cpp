#include "FrameLog.h"

#include "Frames.h"
#include "ProcSim.h"

#include <QJsonObject>
#include <QtTest>

#include <algorithm>

namespace {
constexpr int kSearchCode = 0x8080;

LoggedFrame FromJson(const QJsonObject& l)
{
    LoggedFrame f;
    f.t = l.value(QStringLiteral("t")).toDouble();
    f.rx = l.value(QStringLiteral("dir")).toString() == QLatin1String("rx");
    f.dev = l.value(QStringLiteral("dev")).toString();
    f.peer = l.value(QStringLiteral("peer")).toString();
    f.code = l.value(QStringLiteral("code")).toInt(-1);
    f.payload = QByteArray::fromHex(l.value(QStringLiteral("payload")).toString().toLatin1());
    f.inBatch = l.value(QStringLiteral("inBatch")).toBool();
    f.ok = l.value(QStringLiteral("ok")).toBool();
    return f;
}

bool Matches(const LoggedFrame& f, const QString& dev)
{
    return f.rx && f.code != kSearchCode && (dev.isEmpty() || f.dev == dev);
}
}  // namespace

QString LoggedFrame::text() const
{
    QByteArray p = payload;
    while (p.endsWith('\x55'))
        p.chop(1);
    QString out = QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0'));
    if (!p.isEmpty())
        out += QLatin1Char(' ') + QString::fromLatin1(p.toHex());
    return out;
}

QList<LoggedFrame> FrameLog::all() const
{
    QList<LoggedFrame> frames;
    const QList<QJsonObject> lines = sim_->logLines();
    for (int i = mark_; i < lines.size(); ++i)
        frames << FromJson(lines[i]);
    return frames;
}

void FrameLog::mark()
{
    mark_ = sim_->logLines().size();
}

QList<LoggedFrame> FrameLog::received(const QString& dev, bool openBatches) const
{
    QList<LoggedFrame> out;
    for (const LoggedFrame& f : all()) {
        if (!Matches(f, dev))
            continue;
        const bool container = f.code == Frame::kBatchCode && !f.inBatch;
        if (openBatches ? !container : !f.inBatch)
            out << f;
    }
    return out;
}

QList<int> FrameLog::receivedCodes(const QString& dev, bool openBatches) const
{
    QList<int> codes;
    for (const LoggedFrame& f : received(dev, openBatches))
        codes << f.code;
    return codes;
}

QStringList FrameLog::receivedTexts(const QString& dev) const
{
    QStringList texts;
    for (const LoggedFrame& f : received(dev, true))
        texts << f.text();
    return texts;
}

QStringList FrameLog::payloads(int code, int bytes, const QString& dev) const
{
    QStringList out;
    for (const LoggedFrame& f : received(dev, true))
        if (f.code == code)
            out << QString::fromLatin1(f.payload.left(bytes).toHex());
    return out;
}

int FrameLog::count(int code, const QString& payloadHexPrefix, const QString& dev) const
{
    const QByteArray prefix = QByteArray::fromHex(payloadHexPrefix.toLatin1());
    int n = 0;
    for (const LoggedFrame& f : all())
        n += f.rx && f.code == code && (dev.isEmpty() || f.dev == dev) &&
             f.payload.startsWith(prefix);
    return n;
}

bool FrameLog::waitFor(const std::function<bool(const LoggedFrame&)>& match, int timeoutMs) const
{
    return QTest::qWaitFor(
        [&] {
            const QList<LoggedFrame> frames = all();
            return std::any_of(frames.begin(), frames.end(), match);
        },
        timeoutMs);
}

bool FrameLog::waitForReceived(int code, const QString& dev, const QString& payloadHexPrefix,
                               int timeoutMs) const
{
    const QByteArray prefix = QByteArray::fromHex(payloadHexPrefix.toLatin1());
    return waitFor(
        [&](const LoggedFrame& f) {
            return f.rx && f.code == code && (dev.isEmpty() || f.dev == dev) &&
                   f.payload.startsWith(prefix);
        },
        timeoutMs);
}
