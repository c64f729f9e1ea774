// The take controls of the layer settings panel, apart from their buttons:
// take, take duration, quick take, freeze, auto backup, the multi-take of the
// current take group, and the take progress. Everything goes to the device
// through SendCommand and is written to the selected device's record.
//
// The 200 ms pauses between the two halves of a quick take and of a
// multi-take are single-shot timers, not sleeps: the GUI thread keeps
// handling acknowledgements and replies meanwhile. A second quick take (or
// multi-take) while the first one waits is ignored, so the device never sees
// their halves interleaved.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class ProgressHelper;
class QWidget;

class TakeControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kPauseMs = 200;  // between the halves of a (quick/multi) take
    static constexpr int kProgressPeriodMs = 50;  // one step of the take progress

    // owner: the panel; it parents the take progress dialog and the notices.
    // Connects MiddleHandler's freeze, take-data and take-status signals.
    explicit TakeControl(QWidget* owner);
    ~TakeControl() override;

    // The Take button is enabled in switcher and backup mode only.
    static bool IsTakeEnabled(int workMode);
    // The duration slider's range top: 2 in mosaic mode, 3 otherwise.
    static int DurationMaximum(int workMode);

    // The duration slider moved to value (SetSliderValueChange).
    void SetDuration(float value);
    // The working mode's take duration for the slider; -1 in a mode without one.
    int CurrentDuration() const;
    // The Take button (on_TakeBtn_clicked): a take, or in backup mode with a
    // take group current the multi-take of that group.
    void Take();
    // The quick take: (mode, 0), the Take button pressed when it is enabled,
    // then 200 ms after it (after a multi-take's second half) (mode, the
    // duration as it was when this began; while the record still holds the
    // device's answer to an earlier quick take's CUT, the duration that one
    // restores).
    // takeEnabled: the Take button's state.
    void QuickTake(bool takeEnabled);
    // Asks the device to toggle freeze (on_Freeze_Btn_clicked); the switch and
    // the lamp follow the device's answer.
    void Freeze();
    // The Auto Backup switch (on_AutoBackupBtn_clicked).
    void SetAutoBackup(bool checked);

    // Take progress (StartTakeProgress, StopTakeProgress).
    void StartTakeProgress();
    void StopTakeProgress();

    bool isQuickTakeWaiting() const { return quickTakeTimer_.isActive() || restoreAfterMultiTake_; }
    bool isMultiTakeWaiting() const { return multiTakeTimer_.isActive(); }
    ProgressHelper* progress() const { return progress_; }
    // The text of the last notice shown (for the panel's tests).
    QString lastNotice() const { return lastNotice_; }

    // Texts in the panel's translation context.
    static QString AutoBackupRefusalText();
    static QString TakeProgressLabel();

signals:
    // The device reported freeze: the Freeze switch shows on.
    void SigFreezeChanged(bool on);
    // The device reported the take durations: the slider shows duration
    // (set without notification).
    void SigDurationChanged(int duration);

public slots:
    void On_SigUIRefreshTakeData();
    void On_SigUIRefreshTakeStatus(int TStatus);
    void On_SigUIRefreshFreeze();

private:
    void sendDuration(int mode, int duration);
    void showNotice(const QString& text);

    QWidget* owner_;
    ProgressHelper* progress_;
    QTimer quickTakeTimer_;
    QTimer multiTakeTimer_;
    int restoreMode_ = 0;
    int restoreDuration_ = 0;
    int multiTakeGroup_ = -1;
    // A quick take whose take is a multi-take: its pause starts once the
    // multi-take's second half is out.
    bool restoreAfterMultiTake_ = false;
    // The device answers the CUT with 0 for the duration, and the record
    // keeps that 0 until the answer to the restore comes, a round trip after
    // the pause (longer when the queue is busy). Until then the duration to
    // come back to is restoreDuration_, for restoreMode_ on the device at
    // cutIp_: a quick take begun meanwhile must not take the 0 for it.
    bool cutPending_ = false;
    QString cutIp_;
    QString lastNotice_;
};
