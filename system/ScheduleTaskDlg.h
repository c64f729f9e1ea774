// The schedule sub-page of the system page: the device's twenty scheduled
// tasks (a preset recalled once, every day or every N minutes), one edited
// and sent at a time; "Clear Tasks", "Run" and "Stop" for the whole
// schedule. Everything is read from and written to the selected device's
// record at the moment it is needed; the page keeps no copy.
#pragma once

#include "MData.h"

#include <QWidget>

#include <array>

class QDateTimeEdit;
class QGroupBox;
class QPushButton;
class QSpinBox;
class TitleBar;

class ScheduleTaskDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTaskCount = MDataLimits::kTasks;
    static constexpr int kPresetCount = MDataLimits::kPresets;

    explicit ScheduleTaskDlg(QWidget* parent);

    // Shows task i of the selected device's record; values that no widget
    // can show (preset 20 and above, option above 3, an invalid date or
    // time) leave their widgets as they are.
    void showTaskConfig(int task);

    QPushButton* taskButton(int i) const { return taskButtons_.at(i); }
    QPushButton* taskIndicator(int i) const { return indicators_.at(i); }
    QPushButton* presetButton(int i) const { return presetButtons_.at(i); }

signals:
    void DlgClose();

public slots:
    void On_SigUiRefreshPresetValid();
    void On_SigUIRefreshTaskData();

private slots:
    void OnClickedPresetBtn();
    void OnClickedTaskBtn();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildForm();
    void retranslate();
    void calendarFollowsLanguage();
    void initWidgets();
    void initTitleBar();
    // The option buttons in option order 0..3.
    std::array<QPushButton*, 4> optionButtons() const;

    QGroupBox* groupBox = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QGroupBox* groupBox_3 = nullptr;
    QGroupBox* groupBox_4 = nullptr;
    QGroupBox* groupBox_5 = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QPushButton* pushButton_3 = nullptr;
    QPushButton* pushButton_4 = nullptr;
    QPushButton* pushButton_5 = nullptr;
    QPushButton* pushButton_6 = nullptr;
    QPushButton* pushButton_7 = nullptr;
    QPushButton* pushButton_8 = nullptr;
    QDateTimeEdit* dateTimeEdit = nullptr;
    QSpinBox* spinBox = nullptr;

    TitleBar* titleBar_ = nullptr;
    std::array<QPushButton*, kTaskCount> indicators_{};
    std::array<QPushButton*, kTaskCount> taskButtons_{};
    std::array<QPushButton*, kPresetCount> presetButtons_{};
};
