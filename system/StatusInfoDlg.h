// The status sub-page of the system page: the versions of the selected
// device's main, UI and Ethernet boards and its seven voltages, as the device
// reports them. It sends nothing: the system page asks for the voltages when
// it shows this page. The labels and rows keep the last report while hidden.
#pragma once

#include "MData.h"

#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTableView;
class TitleBar;

class StatusInfoDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kVoltageRows = MDataLimits::kVoltages;

    explicit StatusInfoDlg(QWidget* parent);

    // The texts of a version label and of a voltage row as the page shows
    // them.
    static QString BoardText(VerInfo_Enum kind, const MachineInfo& info);
    static QString VoltageText(const MachineInfo& info, int row);

signals:
    void DlgClose();

public slots:
    void On_SigUIRefreshMachineVer(VerInfo_Enum VerType);
    void On_SigUIRefreshMachineElectric();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initWidgets();
    void initTitleBar();

    QLabel* label = nullptr;
    QLabel* label_2 = nullptr;
    QLabel* label_3 = nullptr;
    QLabel* label_4 = nullptr;
    QTableView* tableView = nullptr;
    TitleBar* titleBar_ = nullptr;
    QStandardItemModel* model_ = nullptr;
};
