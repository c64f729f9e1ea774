#include "MachinePageDlg.h"

#include "CustomMsgBox.h"
#include "DeviceLog.h"
#include "MiddleHandler.h"
#include "ProgressHelper.h"
#include "SendCommand.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollArea>

namespace {
QString MacText(const BYTE* mac)
{
    return QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                             mac[4], mac[5]);
}
}  // namespace

MachinePageDlg::MachinePageDlg(QWidget* parent) : QWidget(parent)
{
    resize(400, 300);
    MiddleHandler* handler = MiddleHandler::GetInstance();
    connect(handler, SIGNAL(SigMachineIPEvent(QString, BYTE*, QString)), this,
            SLOT(On_MachineIpEvent(QString, BYTE*, QString)));
    connect(handler, SIGNAL(SigHpsEvent(QString)), this, SLOT(On_sigHpsEvent(QString)));
    connect(handler, SIGNAL(SigUIRefreshRequstCmdEnd()), this,
            SLOT(On_SigUIRefreshRequstCmdEnd()));

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setAlignment(Qt::AlignTop);
    row_ = new QWidget;
    row_->setObjectName(QStringLiteral("cellRow"));
    rowLayout_ = new QHBoxLayout(row_);
    rowLayout_->setSpacing(20);
    // The row keeps the size the page gives it; the area scrolls when it is wider.
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setWidget(row_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollArea_);

    progress_ = new ProgressHelper(this, 1000, QString(), tr("Inquire Machine Data Timeout."));
    progress_->setCompleteWhenHidden(true);
}

void MachinePageDlg::On_MachineIpEvent(QString ip, BYTE* macAddr, QString EthIp)
{
    // Empty texts or no MAC: the device list is empty, nothing to show.
    if (ip.isEmpty() || !macAddr)
        return;
    DeviceLog("IPAddr:%s,MACAddr:%2X-%2X-%2X-%2X-%2X-%2X,EthIP:%s", qPrintable(ip), macAddr[0],
              macAddr[1], macAddr[2], macAddr[3], macAddr[4], macAddr[5], qPrintable(EthIp));
    const QString macText = MacText(macAddr);

    // Cells are known by their MAC: a device keeps its cell when its address
    // changes (DHCP, or a change on its own panel).
    MachineCell* touched = nullptr;
    bool selectedMoved = false;
    if (cells_.isEmpty()) {
        touched = createCell(ip, macText, EthIp);
    } else {
        for (MachineCell* cell : cells_) {
            if (cell->macAddr() != macText)
                continue;
            selectedMoved = selectedMoved || (cell->isCurrent() && cell->ipAddr() != ip);
            cell->setOnline(true);
            cell->setIpAddr(ip);
            cell->setEthIpAddr(EthIp);
            touched = cell;
        }
        if (!touched)
            touched = createCell(ip, macText, EthIp);
    }

    if (bAllDestinations && selectedMoved) {
        // The selected device at its new address is selected and read there
        // again, once every page shows it there: the selection marks it
        // current on the other pages by that address.
        QMetaObject::invokeMethod(
            this, [this, ip, EthIp, macText] { reselectMoved(ip, EthIp, macText); },
            Qt::QueuedConnection);
    } else if (cells_.size() == 1 && bAllDestinations) {
        // A single device is selected again at each of its announcements.
        selectAnnounced(ip, EthIp);
    }

    row_->setGeometry(x(), y(), cells_.size() * touched->width(), height() / 2);
}

MachineCell* MachinePageDlg::createCell(const QString& ip, const QString& macText,
                                        const QString& ethIp)
{
    auto* cell = new MachineCell(row_);
    cell->setCheckBtnVisible(!bAllDestinations);
    // Marked before its signals are connected: becoming current while still
    // offline is not worth a report, going online just below is.
    if (cells_.isEmpty())
        cell->setCurrent(true);
    connect(cell, SIGNAL(sigClickMachineCell(MachineCell*)), this,
            SLOT(On_sigClickMachineCell(MachineCell*)));
    connect(cell, SIGNAL(sigMachineOnOffLine(bool)), this, SLOT(On_sigMachineOnOffLine(bool)));
    connect(cell, SIGNAL(sigMachineCheck(MachineCell*, bool)), this,
            SLOT(On_sigMachineCheck(MachineCell*, bool)));
    cell->setMinimumSize(220, 124);
    cell->setMaximumSize(240, 135);
    cell->setAttribute(Qt::WA_DeleteOnClose);
    rowLayout_->addWidget(cell);
    cell->setIpAddr(ip);
    cell->setEthIpAddr(ethIp);
    cell->setOnline(true);
    cell->setMacAddr(macText);
    cell->setName(QString::asprintf("%s-%d", "Z7050", int(cells_.size()) + 1));
    cells_.append(cell);
    cell->show();
    return cell;
}

void MachinePageDlg::selectAnnounced(const QString& ip, const QString& ethIp)
{
    emit sigInquireMachineData(ip);
    MiddleHandler* handler = MiddleHandler::GetInstance();
    handler->SelectMachine(ip);
    handler->SetUnicastRemote(ip, kDevicePort);
    // The socket of the search address through which the device was found.
    handler->OpenUnicastPort(handler->GetBroadcastLocalIp(), kDevicePort);
    if (!ethIp.isEmpty())
        emit sigConnectEthBoard(ethIp);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    SendCommand(nullptr, SEND_DATETIMECMD, nullptr, QString());
    startReadBack();
}

void MachinePageDlg::reselectMoved(const QString& ip, const QString& ethIp, const QString& macText)
{
    // A search step or another announcement may have come in between: only
    // the device still current, and still at that address, is selected.
    for (const MachineCell* cell : cells_)
        if (cell->macAddr() == macText && cell->isCurrent() && cell->ipAddr() == ip) {
            selectAnnounced(ip, ethIp);
            return;
        }
}

void MachinePageDlg::startReadBack()
{
    progress_->showProgressDialog(tr("Inquire Machine Data."));
}

bool MachinePageDlg::hasCell(const QString& ip) const
{
    for (const MachineCell* cell : cells_)
        if (cell->ipAddr() == ip)
            return true;
    return false;
}

void MachinePageDlg::On_sigClickMachineCell(MachineCell* MCell)
{
    // exec() runs the event loop, where a search step may delete every cell:
    // only the address is kept across it, and the cell is looked up again.
    const QString ip = MCell->ipAddr();
    int asks = 0;
    for (const MachineCell* cell : cells_)
        asks += cell->ipAddr() == ip;

    bool confirmed = false;
    for (int i = 0; i < asks; ++i) {
        CustomMsgBox box(this, tr("Tips"), tr("Inquire The Machine Data?"),
                         QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
        if (box.exec() != QDialogButtonBox::Ok || !hasCell(ip))
            continue;
        confirmed = true;
        emit sigInquireMachineData(ip);
        MiddleHandler* handler = MiddleHandler::GetInstance();
        handler->SelectMachine(ip);
        handler->SetUnicastRemote(ip, kDevicePort);
        SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        startReadBack();
    }
    if (confirmed)
        setCurrentByIp(ip);
}

void MachinePageDlg::setCurrentByIp(const QString& ip)
{
    for (MachineCell* cell : cells_)
        cell->setCurrent(cell->ipAddr() == ip);
}

void MachinePageDlg::On_sigHpsEvent(QString ip)
{
    for (MachineCell* cell : cells_) {
        if (!cell->hasIpAddr(ip))
            continue;
        // The selected device is back: "All Destinations" reads it again.
        if (cell->isCurrent() && !cell->isOnline() && bAllDestinations) {
            if (!cell->ethIpAddr().isEmpty())
                emit sigConnectEthBoard(cell->ethIpAddr());
            SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
            startReadBack();
        }
        cell->setOnline(true, MiddleHandler::GetInstance()->ReceivedAtMs());
    }
}

void MachinePageDlg::On_SigUIRefreshRequstCmdEnd()
{
    progress_->stopProgressDialog();
}

void MachinePageDlg::On_sigMachineCheck(MachineCell* MCell, bool bChecked)
{
    emit sigGroupCheckMachineIp(MCell->ipAddr(), bChecked);
}

void MachinePageDlg::On_sigMachineOnOffLine(bool bOnLine)
{
    emit sigMachineOnOffLine(bOnLine);
}

void MachinePageDlg::On_SigSearchMachine()
{
    for (MachineCell* cell : cells_) {
        // Its heartbeat may still run out before the deferred delete.
        disconnect(cell, nullptr, this, nullptr);
        cell->close();
    }
    cells_.clear();
    update();
}

void MachinePageDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(16, 16, 16));
}

void MachinePageDlg::resizeEvent(QResizeEvent* event)
{
    scrollArea_->setGeometry(geometry());
    QWidget::resizeEvent(event);
}

void MachinePageDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        progress_->setCancelButtonText(tr("Cancel"));
    QWidget::changeEvent(event);
}
