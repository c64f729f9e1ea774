#include "TestNet.h"

#include <QHostAddress>
#include <QNetworkInterface>

bool TestNet::InPrivateNetwork()
{
    if (qEnvironmentVariable("LEDZ_TEST_NETNS") != QLatin1String("1"))
        return false;
    const QHostAddress pc(kPcIp);
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a == pc)
            return true;
    return false;
}
