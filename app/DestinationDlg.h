// The communication page: five device pages as tabs ("All Destinations" and
// the four take groups) and the device search, which visits the PC's local
// IPv4 addresses in turn until a processor is announced. It keeps the search
// address and the take groups that the broadcast commands read, and passes the
// device pages' reports on to the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class MachinePageDlg;
class ProgressHelper;
class QPushButton;
class QTabWidget;
class QTimer;

typedef unsigned char BYTE;

class DestinationDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPageCount = 5;
    static constexpr int kSearchStepMs = 4000;
    static constexpr int kInquireDelayMs = 500;

    explicit DestinationDlg(QWidget* parent);

    void StartSearch();

    // Tests shorten the timings and search fixed addresses instead of the
    // PC's own (an empty list means the PC's local IPv4 addresses).
    void setSearchTimings(int stepMs, int inquireDelayMs);
    void setSearchAddresses(const QStringList& addresses) { fixedAddresses_ = addresses; }

    MachinePageDlg* page(int index) const { return pages_[index]; }
    QTabWidget* tabWidget() const { return tabWidget_; }
    bool isSearching() const;

signals:
    void SigSearchMachine();
    void sigMachineOnOffLine(bool bOnLine);
    void sigInquireMachineData();
    void sigConnectEthBoard(QString EthIp);

public slots:
    void On_MachineIpEvent(QString ip, BYTE* macAddr, QString EthIp);
    void On_sigMachineOnOffLine(bool bOnLine);
    void On_sigGroupCheckMachineIp(QString mIpAddr, bool bChecked);
    void On_sigInquireMachineData(QString mIpaddr);
    void On_sigConnectEthBoard(QString EthIpaddr);
    void On_tabWidgetChanged(int indx);

private slots:
    void on_pushButton_clicked();
    void On_InquireTimer();
    void On_SearchTimeOut();

protected:
    void changeEvent(QEvent* event) override;

private:
    void searchStep();
    void retranslate();

    QTabWidget* tabWidget_;
    QPushButton* pushButton_;
    MachinePageDlg* pages_[kPageCount] = {};
    QStringList addresses_;
    int searchPos_ = 0;
    QTimer* searchTimer_;
    ProgressHelper* progress_;
    QStringList fixedAddresses_;
    int searchStepMs_ = kSearchStepMs;
    int inquireDelayMs_ = kInquireDelayMs;
};
