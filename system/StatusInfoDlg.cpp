#include "StatusInfoDlg.h"

#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "TitleBar.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

StatusInfoDlg::StatusInfoDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusInfoDlg"));
    setWindowTitle(QStringLiteral("Form"));
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    tableView = new QTableView(this);
    tableView->setObjectName(QStringLiteral("tableView"));
    label_3 = new QLabel(this);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_4 = new QLabel(this);
    label_4->setObjectName(QStringLiteral("label_4"));
    initWidgets();

    MiddleHandler* handler = MiddleHandler::GetInstance();
    connect(handler, SIGNAL(SigUIRefreshMachineVer(VerInfo_Enum)), this,
            SLOT(On_SigUIRefreshMachineVer(VerInfo_Enum)));
    connect(handler, SIGNAL(SigUIRefreshMachineElectric()), this,
            SLOT(On_SigUIRefreshMachineElectric()));
}

void StatusInfoDlg::initWidgets()
{
    const QFont font = Look::Font(12);
    label->setText(QStringLiteral("Main Board: B0000 A0001 Jan 7 2019 15:00:25"));
    label_2->setText(QStringLiteral("UI Board: B0002 A0002 Mar 1 2019 10:26:25"));
    label_3->setText(QStringLiteral("Z7050 Ver:1.04"));
    for (QLabel* l : {label, label_2, label_3, label_4})
        l->setFont(font);

    model_ = new QStandardItemModel(kVoltageRows, 1, this);
    model_->setHorizontalHeaderItem(0, new QStandardItem(tr("Electrical state")));
    for (int row = 0; row < kVoltageRows; ++row) {
        auto* item = new QStandardItem;
        item->setTextAlignment(Qt::AlignCenter);
        model_->setItem(row, 0, item);
    }
    tableView->setModel(model_);
    tableView->setFont(font);
    tableView->setColumnWidth(0, 800);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The system page gives the sub-page no more height than it asks for:
    // enough for the header and all seven rows, without a scroll bar.
    tableView->ensurePolished();
    tableView->setMinimumHeight(tableView->horizontalHeader()->sizeHint().height() +
                                kVoltageRows * tableView->verticalHeader()->defaultSectionSize() +
                                2 * tableView->frameWidth());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(9, 26, 9, 9);
    for (QWidget* w : std::initializer_list<QWidget*>{label, label_2, label_4, label_3, tableView})
        column->addWidget(w);
    initTitleBar();
}

void StatusInfoDlg::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

QString StatusInfoDlg::BoardText(VerInfo_Enum kind, const MachineInfo& info)
{
    switch (kind) {
    case VER_MAINBOARD:
    case VER_UIBOARD: {
        const BoardVersion& board = info.board[kind];
        const char* format = kind == VER_MAINBOARD ? "Main Board: B%04X A%04X "
                                                   : "UI Board: B%04X A%04X ";
        return QString::asprintf(format, unsigned(board.versionB), unsigned(board.versionA)) +
               board.buildDate;
    }
    case VER_ETHBOARD:
        return QString::asprintf("Eth Board: V%04X", unsigned(info.ethVersion));
    default:
        return QString();
    }
}

QString StatusInfoDlg::VoltageText(const MachineInfo& info, int row)
{
    return QStringLiteral("Voltage,") + QString::asprintf("(STD: %d mv),%d mv",
                                                          int(info.stdVoltage[row]),
                                                          int(info.voltage[row]));
}

void StatusInfoDlg::On_SigUIRefreshMachineVer(VerInfo_Enum VerType)
{
    const MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    if (!data)
        return;
    QLabel* target = VerType == VER_MAINBOARD ? label
                     : VerType == VER_UIBOARD ? label_2
                     : VerType == VER_ETHBOARD ? label_4
                                               : nullptr;
    if (target)
        target->setText(BoardText(VerType, data->M_MachineInfo));
}

void StatusInfoDlg::On_SigUIRefreshMachineElectric()
{
    const MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    if (!data)
        return;
    for (int row = 0; row < kVoltageRows; ++row)
        model_->item(row, 0)->setText(VoltageText(data->M_MachineInfo, row));
}

void StatusInfoDlg::resizeEvent(QResizeEvent* event)
{
    Page::ResizeTitleBar(titleBar_, this);
    QWidget::resizeEvent(event);
}

void StatusInfoDlg::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    QWidget::closeEvent(event);
}

void StatusInfoDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        model_->horizontalHeaderItem(0)->setText(tr("Electrical state"));
    QWidget::changeEvent(event);
}
