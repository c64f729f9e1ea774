#include "InputDragInfo.h"

#include <QMimeData>

const char* const InputDragInfo::kFormat = "INFO";

namespace {

void PutLe32(QByteArray& b, int at, int32_t v)
{
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(uint8_t(u >> (8 * i)));
}

int32_t GetLe32(const QByteArray& b, int at)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return int32_t(u);
}

}  // namespace

QByteArray InputDragInfo::toBytes() const
{
    QByteArray b(kSize, '\0');
    PutLe32(b, 0, source);
    PutLe32(b, 4, port);
    PutLe32(b, 8, half);
    b[12] = char(split);
    PutLe32(b, 16, type);
    return b;
}

std::optional<InputDragInfo> InputDragInfo::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() < kSize)
        return std::nullopt;
    InputDragInfo info;
    info.source = GetLe32(bytes, 0);
    info.port = GetLe32(bytes, 4);
    info.half = GetLe32(bytes, 8);
    info.split = uint8_t(bytes[12]);
    info.type = GetLe32(bytes, 16);
    return info;
}

std::optional<InputDragInfo> InputDragInfo::fromMime(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(QLatin1String(kFormat)))
        return std::nullopt;
    return fromBytes(mime->data(QLatin1String(kFormat)));
}

QMimeData* InputDragInfo::toMime() const
{
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(kFormat), toBytes());
    return mime;
}
