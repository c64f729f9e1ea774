#include "BenchWindow.h"

#include "BenchUtil.h"
#include "DestinationDlg.h"
#include "MiddleHandler.h"

#include <QWidget>

namespace Bench {

DestinationDlg* SearchAndReadBack(QWidget* window, const QString& pc, int timeoutMs)
{
    auto* comm = window->findChild<DestinationDlg*>();
    if (!comm)
        return nullptr;
    MiddleHandler* h = MiddleHandler::GetInstance();
    int readBacks = 0;
    const QMetaObject::Connection c = QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd,
                                                       [&readBacks] { ++readBacks; });
    comm->setSearchAddresses({pc});
    comm->setSearchTimings(DestinationDlg::kSearchStepMs, 50);
    comm->StartSearch();
    const bool readBack = WaitFor([&readBacks] { return readBacks > 0; }, timeoutMs);
    QObject::disconnect(c);
    const bool idle =
        readBack &&
        WaitFor([h] { return h->PendingShortFrames() == 0 && h->PendingLongFrames() == 0; }, 5000);
    return idle ? comm : nullptr;
}

}  // namespace Bench
