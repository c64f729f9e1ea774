#include "DestinationDlg.h"

#include "DeviceList.h"
#include "Look.h"
#include "MachinePageDlg.h"
#include "MiddleHandler.h"
#include "ProgressHelper.h"
#include "SearchGroups.h"
#include "SendCommand.h"

#include <QEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kSearchProgressMs = 50;
}  // namespace

DestinationDlg::DestinationDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DestinationDlg"));
    resize(400, 300);
    tabWidget_ = new QTabWidget(this);
    tabWidget_->setObjectName(QStringLiteral("tabWidget"));
    tabWidget_->setTabPosition(QTabWidget::South);
    pushButton_ = new QPushButton(this);
    pushButton_->setObjectName(QStringLiteral("pushButton"));
    pushButton_->setMinimumHeight(32);
    pushButton_->setMaximumSize(180, 32);
    QMetaObject::connectSlotsByName(this);

    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    tabWidget_->setFont(Look::Font(12));
    // At the size the page was laid out with, or "Search Destinations" fills
    // the button's 180 px edge to edge on screens of more than 96 dpi.
    pushButton_->setFont(Look::LaidOutFont(12));

    // The device pages are built in the tab widget's own stack: moving a
    // built page into it restyles every widget of the page once more.
    auto* tabStack = tabWidget_->findChild<QStackedWidget*>(
        QStringLiteral("qt_tabwidget_stackedwidget"), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < kPageCount; ++i) {
        MachinePageDlg* page = new MachinePageDlg(tabStack);
        page->setAllDestinations(i == 0);
        page->setObjectName(QString::number(i));
        tabWidget_->insertTab(i, page, QString());
        pages_[i] = page;
        connect(this, SIGNAL(SigSearchMachine()), page, SLOT(On_SigSearchMachine()));
        connect(page, SIGNAL(sigMachineOnOffLine(bool)), this, SLOT(On_sigMachineOnOffLine(bool)));
        connect(page, SIGNAL(sigInquireMachineData(QString)), this,
                SLOT(On_sigInquireMachineData(QString)));
        connect(page, SIGNAL(sigGroupCheckMachineIp(QString, bool)), this,
                SLOT(On_sigGroupCheckMachineIp(QString, bool)));
        connect(page, SIGNAL(sigConnectEthBoard(QString)), this,
                SLOT(On_sigConnectEthBoard(QString)));
    }
    connect(tabWidget_, SIGNAL(currentChanged(int)), this, SLOT(On_tabWidgetChanged(int)));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget_);
    layout->addWidget(pushButton_);
    layout->addStretch();

    progress_ = new ProgressHelper(this, kSearchProgressMs, QString());
    retranslate();

    searchTimer_ = new QTimer(this);
    connect(searchTimer_, SIGNAL(timeout()), this, SLOT(On_SearchTimeOut()));
    // After the device pages: an announcement reaches them first.
    connect(MiddleHandler::GetInstance(), SIGNAL(SigMachineIPEvent(QString, BYTE*, QString)), this,
            SLOT(On_MachineIpEvent(QString, BYTE*, QString)));
}

void DestinationDlg::setSearchTimings(int stepMs, int inquireDelayMs)
{
    searchStepMs_ = stepMs;
    inquireDelayMs_ = inquireDelayMs;
}

bool DestinationDlg::isSearching() const
{
    return searchTimer_->isActive();
}

void DestinationDlg::StartSearch()
{
    addresses_ = fixedAddresses_.isEmpty() ? LocalIpv4Addresses() : fixedAddresses_;
    if (addresses_.isEmpty())
        return;
    searchPos_ = 0;
    searchStep();
}

void DestinationDlg::searchStep()
{
    // Whether the socket opens or not, the step runs its course by its timers.
    MiddleHandler::GetInstance()->OpenBroadcastPort(addresses_[searchPos_], kBroadcastLocalPort);
    emit SigSearchMachine();
    // The cells, and the selected device with them, are gone: the main window
    // must not go on showing it online.
    emit sigMachineOnOffLine(false);
    QTimer::singleShot(inquireDelayMs_, this, SLOT(On_InquireTimer()));
    searchTimer_->start(searchStepMs_);
    progress_->showProgressDialog();
}

void DestinationDlg::On_InquireTimer()
{
    // The address of the step in progress when the delay ends, which may be
    // a later one than the step that armed it.
    if (searchPos_ >= addresses_.size())
        return;
    const QString address = addresses_[searchPos_];
    const auto octets = Ipv4Octets(address);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = address;
}

void DestinationDlg::On_SearchTimeOut()
{
    if (++searchPos_ < addresses_.size()) {
        searchStep();
        return;
    }
    searchTimer_->stop();
    progress_->stopProgressDialog();
}

void DestinationDlg::On_MachineIpEvent(QString ip, BYTE* macAddr, QString)
{
    // Empty texts or no MAC: the device list is empty; the search goes on.
    if (ip.isEmpty() || !macAddr)
        return;
    searchTimer_->stop();
    // The first announcement ends the search and closes the dialog, even one
    // that the operator hid with Cancel.
    progress_->setCompleteWhenHidden(true);
    progress_->stopProgressDialog();
    progress_->setCompleteWhenHidden(false);
    const bool groups = MiddleHandler::GetInstance()->GetMachineCount() > 1;
    for (int i = 1; i < kPageCount; ++i)
        tabWidget_->setTabEnabled(i, groups);
}

void DestinationDlg::On_tabWidgetChanged(int indx)
{
    CheckedGroupIndex = indx - 1;
}

void DestinationDlg::On_sigGroupCheckMachineIp(QString mIpAddr, bool bChecked)
{
    const auto* page = qobject_cast<MachinePageDlg*>(sender());
    if (!page)
        return;
    const int group = page->objectName().toInt() - 1;
    const quint8 octet = LastOctetByte(mIpAddr);
    if (bChecked)
        AddCheckedMachine(group, octet);
    else
        RemoveCheckedMachine(group, octet);
}

void DestinationDlg::On_sigInquireMachineData(QString mIpaddr)
{
    emit sigInquireMachineData();
    // The page that reports marks its own cell; the selected device becomes
    // the current cell on the others.
    for (int i = 0; i < kPageCount; ++i)
        if (i != tabWidget_->currentIndex())
            pages_[i]->setCurrentByIp(mIpaddr);
}

void DestinationDlg::On_sigMachineOnOffLine(bool bOnLine)
{
    emit sigMachineOnOffLine(bOnLine);
}

void DestinationDlg::On_sigConnectEthBoard(QString EthIpaddr)
{
    emit sigConnectEthBoard(EthIpaddr);
}

void DestinationDlg::on_pushButton_clicked()
{
    StartSearch();
}

void DestinationDlg::retranslate()
{
    pushButton_->setText(tr("Search Destinations"));
    tabWidget_->setTabText(0, tr("All Destinations"));
    for (int i = 1; i < kPageCount; ++i)
        tabWidget_->setTabText(i, tr("MACHINEPAGE-%1").arg(i));
    progress_->setLabelText(tr("Search Machine..."));
    progress_->setCancelButtonText(tr("Cancel"));
}

void DestinationDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
