// The communication page, in its first form: the search entry point and the
// signals through which the main window follows the selected device. The
// device search and the device tabs take their places here as they are built.
#pragma once

#include <QString>
#include <QWidget>

class DestinationDlg : public QWidget {
    Q_OBJECT

public:
    explicit DestinationDlg(QWidget* parent);

    void StartSearch();

signals:
    void SigSearchMachine();
    void sigMachineOnOffLine(bool bOnLine);
    void sigInquireMachineData();
    void sigConnectEthBoard(QString EthIp);
};
