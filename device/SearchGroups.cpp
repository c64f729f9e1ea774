#include "SearchGroups.h"

QString SearchHostIp;
QByteArray CheckedMachineList[kTakeGroupCount];
int CheckedGroupIndex = -1;

quint8 LastOctetByte(const QString& ip)
{
    const int dot = ip.lastIndexOf(QLatin1Char('.'));
    return static_cast<quint8>(ip.mid(dot + 1).toInt());
}

static bool IsGroup(int group)
{
    return group >= 0 && group < kTakeGroupCount;
}

bool AddCheckedMachine(int group, quint8 octet)
{
    if (!IsGroup(group))
        return false;
    const char byte = static_cast<char>(octet);
    if (!CheckedMachineList[group].contains(byte))
        CheckedMachineList[group].append(byte);
    return true;
}

bool RemoveCheckedMachine(int group, quint8 octet)
{
    if (!IsGroup(group))
        return false;
    const int at = CheckedMachineList[group].indexOf(static_cast<char>(octet));
    if (at >= 0)
        CheckedMachineList[group].remove(at, 1);
    return true;
}
