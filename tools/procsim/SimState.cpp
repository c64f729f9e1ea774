#include "SimState.h"

#include <QJsonArray>
#include <QJsonValue>

namespace sim {

namespace {

// Reading: a value that is missing or of another kind reads as zero / empty.
void Read(const QJsonValue& j, Num& x)
{
    x = j.isBool() ? Num(j.toBool()) : Num(j.toDouble());
}
void Read(const QJsonValue& j, bool& x)
{
    x = j.isBool() ? j.toBool() : j.toDouble() != 0;
}
void Read(const QJsonValue& j, QString& x)
{
    x = j.toString();
}
template <class T, size_t N>
void Read(const QJsonValue& j, T (&a)[N]);
template <class T>
void Read(const QJsonValue& j, T& rec);

template <class T, size_t N>
void Read(const QJsonValue& j, T (&a)[N])
{
    const QJsonArray arr = j.toArray();
    for (size_t i = 0; i < N; ++i)
        Read(int(i) < arr.size() ? arr.at(int(i)) : QJsonValue(), a[i]);
}

template <class T>
void Read(const QJsonValue& j, T& rec)
{
    const QJsonObject o = j.toObject();
    auto visit = [&o](const char* key, auto& field) { Read(o.value(QLatin1String(key)), field); };
    rec.fields(visit);
}

QJsonValue Write(const Num& x)
{
    return double(x);
}
QJsonValue Write(const bool& x)
{
    return x;
}
QJsonValue Write(const QString& x)
{
    return x;
}
template <class T, size_t N>
QJsonValue Write(const T (&a)[N]);
template <class T>
QJsonValue Write(const T& rec);

template <class T, size_t N>
QJsonValue Write(const T (&a)[N])
{
    QJsonArray arr;
    for (size_t i = 0; i < N; ++i)
        arr.append(Write(a[i]));
    return arr;
}

template <class T>
QJsonValue Write(const T& rec)
{
    QJsonObject o;
    auto visit = [&o](const char* key, auto& field) { o.insert(QLatin1String(key), Write(field)); };
    const_cast<T&>(rec).fields(visit);
    return o;
}

template <int N>
void SetLogoSize(LayerSet<N>& set, Num w, Num h)
{
    for (Layer& l : set.layer) {
        l.logoWidth = w;
        l.logoHeight = h;
    }
}

}  // namespace

State StateFromJson(const QJsonObject& o)
{
    State s;
    Read(QJsonValue(o), s);
    return s;
}

QJsonObject StateToJson(const State& s)
{
    return Write(s).toObject();
}

void Normalise(State& s)
{
    for (int i = 0; i < LayerSet<6>::kCount; ++i)
        s.M_SwitchLayerCfg.layer[i].bMain = i / 3;
    SetLogoSize(s.M_MosaicLayerCfg, s.M_LogoInfo.width, s.M_LogoInfo.height);
    SetLogoSize(s.M_SwitchLayerCfg, s.M_LogoInfo.width, s.M_LogoInfo.height);
    SetLogoSize(s.M_BackupLayerCfg, s.M_LogoInfo.width, s.M_LogoInfo.height);
    for (int w = 0; w < 6; ++w)
        s.M_OutputData.M_OPDisplayCfg[w].portID = w;
    for (int t = 0; t < 20; ++t)
        s.M_TaskCfg.task[t].index = t;
    for (Board& b : s.M_MachineInfo.board) {
        QByteArray date = b.buildDate.toLatin1().left(20);
        date.append(20 - date.size(), '\0');
        b.buildDate = QString::fromLatin1(date);
    }
}

}  // namespace sim
