// The system page: working mode, sync lock, test patterns, factory reset,
// language, project files, and reading and sending the whole configuration
// of the selected device. Its long operations share one progress at a time,
// each with its own label, tick and time-out text.
#pragma once

#include "LanguageType.h"
#include "MData.h"
#include "PageHelper.h"
#include "UpgradeWorker.h"
#include "XmlStreamHelper.h"

#include <QSet>
#include <QString>
#include <QTimer>
#include <QWidget>

class LogoSettingDlg;
class NeoSliderComb;
class ProgressHelper;
class QGroupBox;
class QPushButton;
class RedrawCoalescer;
class ScheduleTaskDlg;
class StatusInfoDlg;

class MiscDlg : public QWidget {
    Q_OBJECT

public:
    // With later, the sub-pages and what follows them are left there, to be
    // run before the page is used (see Page::BuildSteps).
    explicit MiscDlg(QWidget* parent, Page::BuildSteps* later = nullptr);

    void UiRefreshAll();
    // Enables the "Eth Output" group for a video board's address; the group
    // stays hidden either way.
    void EnableEthOutput(QString ethIp);
    // Tells the selected device the PC's search address and reads its whole
    // configuration back, with the progress until the device ends the reply.
    void InquireMachineData();
    // Reads the project file into the record that the pages show; sends nothing.
    void LoadProject(QString path);
    // The save at exit: writes the record into the current project, unless
    // that file exists and was neither loaded nor saved in this run (a
    // project that failed to load is never overwritten with the record).
    // False only when a write was due and did not reach the disk.
    bool SaveProject(QString path);

    // The settings file, in the application directory.
    static QString SettingsPath();

signals:
    void sigSysWorkModeChange(SystemWorkingMode mode);
    void sigLanguageChange(LANGUAGE_TYPE lanType);
    void sigUIRefreshAll();
    void sigVideoShow();

public slots:
    void On_SigUIRefreshAllCfg();
    void On_SigUIRefreshTestPattern(int Status1, int Status2);
    void On_SigUIRefreshResetFactory(int Status);
    void On_SigUIRefreshRequstCmdEnd();
    void On_SigUIRefreshMachineVer(VerInfo_Enum VerType);
    void SetSliderValueChange(float Value);

    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void onStatusDlgClose();
    void onLogoDlgClose();
    void onSchTaskDlgClose();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_9_clicked();
    void on_pushButton_10_clicked();
    void on_pushButton_11_clicked();
    void on_pushButton_12_clicked();
    void on_pushButton_13_clicked();
    void on_pushButton_14_clicked();
    void on_pushButton_15_clicked();
    void on_pushButton_16_clicked();
    void on_pushButton_17_clicked();
    void on_pushButton_18_clicked();
    void on_pushButton_19_clicked();
    void on_pushButton_20_clicked();
    void On_ShowMsgTimer();
    void On_UpgradeCanceled();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum Operation { kModeSwitch, kWholeRead, kFactoryReset, kRebuild, kUpgrade, kOperations };

    void initButtons();
    void initWidgets();
    void finishBuild();
    void initProgressDialog();
    void retranslate();
    void fitButtonWidths();
    QString switcherText() const;
    void showPageControls(bool show);
    void switchWorkMode(SystemWorkingMode mode);
    void setSyncLock(int lock);
    void SendMachineData();
    void startProgress(Operation op);
    void finishProgress();
    bool confirm(const QString& text);
    bool ReadProjectXml(const QString& path);
    bool WriteProjectXml(const QString& path);

    QPushButton* button(int n) const { return buttons_[n]; }

    QPushButton* buttons_[21] = {};
    QGroupBox* groups_[7] = {};
    NeoSliderComb* testPattern_ = nullptr;
    StatusInfoDlg* statusDlg_ = nullptr;
    LogoSettingDlg* logoDlg_ = nullptr;
    ScheduleTaskDlg* schTaskDlg_ = nullptr;
    XmlStreamHelper xml_;
    // The one progress of the page; each operation starts it with its own
    // label, tick and time-out text.
    ProgressHelper* progress_ = nullptr;
    Operation progressOp_ = kModeSwitch;
    RedrawCoalescer* redraw_ = nullptr;
    // The video-board upgrade: started with the page; when the page goes
    // away, a transfer in hand is ended and the worker joined.
    UpgradeWorker upgrade_;
    // Shows the upgrade's result 10 s after the request; a cancelled
    // transfer shows none.
    QTimer upgradeResult_;
    // Projects loaded or saved successfully in this run (absolute paths).
    QSet<QString> goodProjects_;
};
