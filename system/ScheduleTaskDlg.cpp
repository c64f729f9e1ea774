#include "ScheduleTaskDlg.h"

#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "TitleBar.h"
#include "Unchanged.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr uint8_t kOptionSkip = 0;
constexpr uint8_t kOptionPeriod = 3;
constexpr uint8_t kAllTasks = 0xFF;
constexpr uint8_t kStatusStopped = 0;
constexpr uint8_t kStatusRunning = 1;

}  // namespace

ScheduleTaskDlg::ScheduleTaskDlg(QWidget* parent) : QWidget(parent)
{
    buildForm();
    retranslate();
    initWidgets();

    // The sub-page is mostly folded away while a read-back brings it several
    // reports; hidden, it shows each kind once it is opened, from the record.
    MiddleHandler* handler = MiddleHandler::GetInstance();
    auto* presets = new RedrawCoalescer(this, [this] { On_SigUiRefreshPresetValid(); });
    connect(handler, &MiddleHandler::SigUiRefreshPresetValid, this, [this, presets] {
        if (!presets->oweWhileHidden())
            On_SigUiRefreshPresetValid();
    });
    auto* tasks = new RedrawCoalescer(this, [this] { On_SigUIRefreshTaskData(); });
    connect(handler, &MiddleHandler::SigUIRefreshTaskData, this, [this, tasks] {
        if (!tasks->oweWhileHidden())
            On_SigUIRefreshTaskData();
    });
}

void ScheduleTaskDlg::buildForm()
{
    setObjectName(QStringLiteral("ScheduleTaskDlg"));
    groupBox = new QGroupBox(this);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox_2 = new QGroupBox(this);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    groupBox_3 = new QGroupBox(this);
    groupBox_3->setObjectName(QStringLiteral("groupBox_3"));
    groupBox_4 = new QGroupBox(groupBox_3);
    groupBox_4->setObjectName(QStringLiteral("groupBox_4"));
    groupBox_5 = new QGroupBox(groupBox_3);
    groupBox_5->setObjectName(QStringLiteral("groupBox_5"));

    pushButton = Page::MakeButton(groupBox_2, "pushButton", false);
    pushButton_2 = Page::MakeButton(groupBox_2, "pushButton_2", true);
    pushButton_3 = Page::MakeButton(groupBox_2, "pushButton_3", true);
    pushButton_2->setAutoExclusive(true);
    pushButton_3->setAutoExclusive(true);
    pushButton_4 = Page::MakeButton(groupBox_3, "pushButton_4", false);
    pushButton_4->setFixedSize(160, 32);
    pushButton_5 = Page::MakeButton(groupBox_5, "pushButton_5", true);
    pushButton_6 = Page::MakeButton(groupBox_5, "pushButton_6", true);
    pushButton_7 = Page::MakeButton(groupBox_5, "pushButton_7", true);
    pushButton_8 = Page::MakeButton(groupBox_5, "pushButton_8", true);
    for (QPushButton* b : optionButtons())
        b->setAutoExclusive(true);

    dateTimeEdit = new QDateTimeEdit(groupBox_3);
    dateTimeEdit->setObjectName(QStringLiteral("dateTimeEdit"));
    dateTimeEdit->setMinimumSize(217, 32);
    dateTimeEdit->setCalendarPopup(true);
    spinBox = new QSpinBox(groupBox_5);
    spinBox->setObjectName(QStringLiteral("spinBox"));

    connect(pushButton, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_clicked);
    connect(pushButton_2, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_2_clicked);
    connect(pushButton_3, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_3_clicked);
    connect(pushButton_4, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_4_clicked);
    connect(pushButton_5, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_5_clicked);
    connect(pushButton_6, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_6_clicked);
    connect(pushButton_7, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_7_clicked);
    connect(pushButton_8, &QPushButton::clicked, this, &ScheduleTaskDlg::on_pushButton_8_clicked);
}

std::array<QPushButton*, 4> ScheduleTaskDlg::optionButtons() const
{
    return {pushButton_5, pushButton_6, pushButton_7, pushButton_8};
}

void ScheduleTaskDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    groupBox->setTitle(tr("Task Select"));
    groupBox_2->setTitle(tr("Schedule Status"));
    groupBox_3->setTitle(tr("Task Config"));
    groupBox_4->setTitle(tr("Preset Select"));
    groupBox_5->setTitle(tr("频率"));
    pushButton->setText(tr("Clear Tasks"));
    pushButton_2->setText(tr("Run"));
    pushButton_3->setText(tr("Stop"));
    pushButton_4->setText(tr("Set"));
    pushButton_5->setText(tr("Skip"));
    pushButton_6->setText(tr("Only Once"));
    pushButton_7->setText(tr("Every Day"));
    pushButton_8->setText(tr("Period"));
}

void ScheduleTaskDlg::initWidgets()
{
    const QFont font = Look::Font(12);

    auto* presetGrid = new QGridLayout(groupBox_4);
    auto* taskGrid = new QGridLayout(groupBox);
    for (int i = 0; i < kPresetCount; ++i) {
        auto* preset = new QPushButton(QString::number(i + 1), groupBox_4);
        preset->setObjectName(QString::number(i));
        preset->setCheckable(true);
        preset->setAutoExclusive(true);
        preset->setFixedHeight(36);
        preset->setEnabled(false);
        preset->setFont(font);
        presetGrid->addWidget(preset, i / 5, i % 5);
        connect(preset, SIGNAL(clicked()), this, SLOT(OnClickedPresetBtn()));
        presetButtons_[i] = preset;
    }
    for (int i = 0; i < kTaskCount; ++i) {
        auto* indicator = new QPushButton(groupBox);
        indicator->setCheckable(true);
        indicator->setMaximumSize(36, 36);
        indicator->setEnabled(false);
        indicator->setObjectName(QStringLiteral("taskIndicator"));
        taskGrid->addWidget(indicator, i / 5, 2 * (i % 5));
        indicators_[i] = indicator;

        auto* task = new QPushButton(QString::number(i + 1), groupBox);
        task->setObjectName(QString::number(i));
        task->setCheckable(true);
        task->setAutoExclusive(true);
        task->setFixedHeight(36);
        task->setFont(font);
        taskGrid->addWidget(task, i / 5, 2 * (i % 5) + 1);
        connect(task, SIGNAL(clicked()), this, SLOT(OnClickedTaskBtn()));
        taskButtons_[i] = task;
    }
    taskButtons_[0]->setChecked(true);

    auto* statusGrid = new QGridLayout(groupBox_2);
    statusGrid->addWidget(pushButton, 0, 0, 1, 2);
    statusGrid->addWidget(pushButton_2, 1, 0);
    statusGrid->addWidget(pushButton_3, 1, 1);

    auto* optionRow = new QHBoxLayout(groupBox_5);
    for (QPushButton* b : optionButtons())
        optionRow->addWidget(b);
    optionRow->addWidget(spinBox);

    auto* config = new QVBoxLayout(groupBox_3);
    config->addWidget(dateTimeEdit, 0, Qt::AlignHCenter);
    config->addWidget(groupBox_5);
    config->addWidget(groupBox_4);
    config->addWidget(pushButton_4, 0, Qt::AlignHCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(groupBox);
    left->addWidget(groupBox_2);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(9, 26, 9, 9);
    columns->addLayout(left, 1);
    columns->addWidget(groupBox_3, 1);

    for (QPushButton* b : {pushButton, pushButton_2, pushButton_3, pushButton_4, pushButton_5,
                           pushButton_6, pushButton_7, pushButton_8}) {
        b->setFont(font);
    }
    for (QGroupBox* g : {groupBox, groupBox_2, groupBox_3, groupBox_4, groupBox_5}) {
        g->setFont(font);
    }

    const QDate today = QDate::currentDate();
    dateTimeEdit->setMinimumDate(today.addDays(-365));
    dateTimeEdit->setMaximumDate(today.addDays(36500));
    dateTimeEdit->setFont(font);
    // Digits only: the page keeps the window's Chinese locale whatever the
    // language, whose own format would put Chinese words before the operator
    // of an English interface.
    dateTimeEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    auto* calendar = new QCalendarWidget(dateTimeEdit);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setFont(font);
    dateTimeEdit->setCalendarWidget(calendar);
    calendarFollowsLanguage();
    spinBox->setRange(1, 1440);
    spinBox->setSuffix(QStringLiteral(" min"));
    spinBox->setFont(font);
    spinBox->hide();
    initTitleBar();
}

void ScheduleTaskDlg::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

void ScheduleTaskDlg::showTaskConfig(int task)
{
    if (task < 0 || task >= kTaskCount)
        return;
    const ScheduleTask& t = Page::CurrentRecord().M_TaskCfg.task[task];
    const QTime time(t.hour, t.minute, t.second, 0);
    const QDate date(2000 + t.year, t.month, t.day);
    if (time.isValid())
        Unchanged::SetTime(dateTimeEdit, time);
    if (date.isValid())
        Unchanged::SetDate(dateTimeEdit, date);
    if (t.presetId < kPresetCount)
        presetButtons_[t.presetId]->setChecked(true);
    if (t.option <= kOptionPeriod) {
        optionButtons()[t.option]->setChecked(true);
        spinBox->setVisible(t.option == kOptionPeriod);
    }
    Unchanged::SetValue(spinBox, t.period);
}

void ScheduleTaskDlg::On_SigUIRefreshTaskData()
{
    const TaskCfg& cfg = Page::CurrentRecord().M_TaskCfg;
    if (cfg.status == kStatusRunning)
        pushButton_2->setChecked(true);
    else if (cfg.status == kStatusStopped)
        pushButton_3->setChecked(true);
    for (int i = 0; i < kTaskCount; ++i) {
        if (taskButtons_[i]->isChecked())
            showTaskConfig(i);
        indicators_[i]->setChecked(Page::CurrentRecord().M_TaskCfg.task[i].option != kOptionSkip);
    }
}

void ScheduleTaskDlg::On_SigUiRefreshPresetValid()
{
    const MData& data = Page::CurrentRecord();
    const int mode = data.M_AllCfg.workMode;
    // A working mode outside the table's rows leaves the buttons as they are.
    if (mode < 0 || mode >= MDataLimits::kWorkModes)
        return;
    for (int i = 0; i < kPresetCount; ++i)
        presetButtons_[i]->setEnabled(data.M_PresetValid[mode][i] != 0);
}

void ScheduleTaskDlg::OnClickedPresetBtn() {}

void ScheduleTaskDlg::OnClickedTaskBtn()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    bool ok = false;
    const int task = button->objectName().toInt(&ok);
    if (ok)
        showTaskConfig(task);
}

void ScheduleTaskDlg::on_pushButton_5_clicked()
{
    spinBox->hide();
}

void ScheduleTaskDlg::on_pushButton_6_clicked()
{
    spinBox->hide();
}

void ScheduleTaskDlg::on_pushButton_7_clicked()
{
    spinBox->hide();
}

void ScheduleTaskDlg::on_pushButton_8_clicked()
{
    spinBox->show();
}

void ScheduleTaskDlg::on_pushButton_4_clicked()
{
    for (int i = 0; i < kTaskCount; ++i) {
        if (!taskButtons_[i]->isChecked())
            continue;
        ScheduleTask& t = Page::CurrentRecord().M_TaskCfg.task[i];
        const QDateTime when = dateTimeEdit->dateTime();
        t.year = uint8_t(when.date().year() - 2000);
        t.month = uint8_t(when.date().month());
        t.day = uint8_t(when.date().day());
        t.hour = uint8_t(when.time().hour());
        t.minute = uint8_t(when.time().minute());
        t.second = uint8_t(when.time().second());
        const auto options = optionButtons();
        for (int option = 0; option < int(options.size()); ++option)
            if (options[option]->isChecked()) {
                t.option = uint8_t(option);
                break;
            }
        t.period = uint16_t(spinBox->value());
        for (int p = 0; p < kPresetCount; ++p)
            if (presetButtons_[p]->isChecked()) {
                t.presetId = uint8_t(p);
                break;
            }
        indicators_[i]->setChecked(t.option != kOptionSkip);
        SendCommand(&t, SEND_TASKCONFIGCMD, nullptr, QString());
    }
}

void ScheduleTaskDlg::on_pushButton_clicked()
{
    const uint8_t all = kAllTasks;
    SendCommand(&all, SEND_TASKCLEARCMD, nullptr, QString());
    for (int i = 0; i < kTaskCount; ++i) {
        Page::CurrentRecord().M_TaskCfg.task[i].option = kOptionSkip;
        if (taskButtons_[i]->isChecked())
            showTaskConfig(i);
        indicators_[i]->setChecked(false);
    }
}

void ScheduleTaskDlg::on_pushButton_2_clicked()
{
    const uint8_t run = 1;
    SendCommand(&run, SEND_TASKRUNCMD, nullptr, QString());
}

void ScheduleTaskDlg::on_pushButton_3_clicked()
{
    const uint8_t stop = 0;
    SendCommand(&stop, SEND_TASKRUNCMD, nullptr, QString());
}

void ScheduleTaskDlg::resizeEvent(QResizeEvent* event)
{
    Page::ResizeTitleBar(titleBar_, this);
    QWidget::resizeEvent(event);
}

void ScheduleTaskDlg::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    QWidget::closeEvent(event);
}

void ScheduleTaskDlg::calendarFollowsLanguage()
{
    // The pop-up names months and weekdays in its locale; the page itself
    // keeps the window's Chinese one. Each language pack names the locale
    // of its language, as Qt's own packs name their layout direction.
    if (QCalendarWidget* calendar = dateTimeEdit->calendarWidget())
        calendar->setLocale(
            QLocale(tr("en_US", "locale name of the calendar's month and day names")));
}

void ScheduleTaskDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        calendarFollowsLanguage();
    }
    QWidget::changeEvent(event);
}
