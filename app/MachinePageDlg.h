// One tab of the communication page: the announced processors as a row of
// cells. The "All Destinations" page selects the first processor announced and
// reads its configuration back by itself; on every page a confirmed click
// selects a processor; on the group pages the cells' check buttons build the
// take groups.
#pragma once

#include "MachineCell.h"

#include <QList>
#include <QString>
#include <QWidget>

class ProgressHelper;
class QHBoxLayout;
class QScrollArea;

typedef unsigned char BYTE;

class MachinePageDlg : public QWidget {
    Q_OBJECT

public:
    explicit MachinePageDlg(QWidget* parent);

    // Set for the page of "All Destinations" right after it is built.
    void setAllDestinations(bool all) { bAllDestinations = all; }

    void setCurrentByIp(const QString& ip);
    const QList<MachineCell*>& cells() const { return cells_; }

signals:
    void sigMachineOnOffLine(bool bOnLine);
    void sigConnectEthBoard(QString EthIp);
    void sigInquireMachineData(QString mIpaddr);
    void sigGroupCheckMachineIp(QString mIpaddr, bool bChecked);

public slots:
    void On_MachineIpEvent(QString ip, BYTE* macAddr, QString EthIp);
    void On_sigClickMachineCell(MachineCell* MCell);
    void On_sigMachineCheck(MachineCell* MCell, bool bChecked);
    void On_sigMachineOnOffLine(bool bOnLine);
    void On_sigHpsEvent(QString ip);
    void On_SigSearchMachine();
    void On_SigUIRefreshRequstCmdEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    MachineCell* createCell(const QString& ip, const QString& macText, const QString& ethIp);
    void selectAnnounced(const QString& ip, const QString& ethIp);
    void reselectMoved(const QString& ip, const QString& ethIp, const QString& macText);
    void startReadBack();
    bool hasCell(const QString& ip) const;

    QList<MachineCell*> cells_;
    QScrollArea* scrollArea_;
    QWidget* row_;
    QHBoxLayout* rowLayout_;
    ProgressHelper* progress_;
    bool bAllDestinations = false;
};
