// Process-wide records that tie the device search and the take groups of the
// communication page to the command encoder. GUI thread only.
#pragma once

#include <QByteArray>
#include <QString>

constexpr int kTakeGroupCount = 4;

// The PC's IPv4 address of the search step whose search frame went out last.
extern QString SearchHostIp;
// Per group tab 1..4: last octets of the ticked devices, in ticking order, no repeats.
extern QByteArray CheckedMachineList[kTakeGroupCount];
// -1 while "All Destinations" is current, else the group tab index minus 1.
extern int CheckedGroupIndex;

// The last octet of a dotted IPv4 text, as base-10 text truncated to 8 bits.
quint8 LastOctetByte(const QString& ip);
// Appends the byte to group k unless it already holds it; false when k is not a group.
bool AddCheckedMachine(int group, quint8 octet);
// Removes the first equal byte from group k, if there is one.
bool RemoveCheckedMachine(int group, quint8 octet);
