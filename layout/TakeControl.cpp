#include "TakeControl.h"

#include "KeyLamps.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SearchGroups.h"
#include "SendCommand.h"

#include "CustomMsgBox.h"
#include "ProgressHelper.h"

#include <QCoreApplication>
#include <cstdint>

namespace {

// The take duration of a working mode, null in a mode without one.
uint8_t* DurationOf(MData& data, int mode)
{
    switch (mode) {
    case MOSAIC_MODE:
        return &data.M_MosaicLayerCfg.durationTime;
    case SWITCHER_MODE:
        return &data.M_SwitchLayerCfg.durationTime;
    case BACKUP_MODE:
        return &data.M_BackupLayerCfg.durationTime;
    default:
        return nullptr;
    }
}

uint8_t* DurationOf(MData& data)
{
    return DurationOf(data, data.M_AllCfg.workMode);
}

}  // namespace

TakeControl::TakeControl(QWidget* owner)
    : QObject(owner),
      owner_(owner),
      progress_(new ProgressHelper(owner, kProgressPeriodMs, TakeProgressLabel()))
{
    progress_->setParent(this);
    quickTakeTimer_.setSingleShot(true);
    quickTakeTimer_.setInterval(kPauseMs);
    quickTakeTimer_.setTimerType(Qt::PreciseTimer);
    multiTakeTimer_.setSingleShot(true);
    multiTakeTimer_.setInterval(kPauseMs);
    multiTakeTimer_.setTimerType(Qt::PreciseTimer);
    connect(&quickTakeTimer_, &QTimer::timeout, this,
            [this] { sendDuration(restoreMode_, restoreDuration_); });
    // The second half carries the group that was current when the take
    // began: the encoder reads the group index at each send, and the operator
    // may switch tabs within the pause.
    connect(&multiTakeTimer_, &QTimer::timeout, this, [this] {
        const int now = CheckedGroupIndex;
        CheckedGroupIndex = multiTakeGroup_;
        SendCommand(nullptr, SEND_MULTITAKE2CMD, nullptr, QString());
        CheckedGroupIndex = now;
        if (restoreAfterMultiTake_) {
            restoreAfterMultiTake_ = false;
            quickTakeTimer_.start();
        }
    });

    MiddleHandler* h = MiddleHandler::GetInstance();
    connect(h, &MiddleHandler::SigUIRefreshFreeze, this, &TakeControl::On_SigUIRefreshFreeze);
    connect(h, &MiddleHandler::SigUIRefreshTakeData, this, &TakeControl::On_SigUIRefreshTakeData);
    connect(h, &MiddleHandler::SigUiRefreshTakeStatus, this,
            &TakeControl::On_SigUIRefreshTakeStatus);
}

TakeControl::~TakeControl() = default;

bool TakeControl::IsTakeEnabled(int workMode)
{
    return workMode == SWITCHER_MODE || workMode == BACKUP_MODE;
}

int TakeControl::DurationMaximum(int workMode)
{
    return workMode == MOSAIC_MODE ? 2 : 3;
}

QString TakeControl::AutoBackupRefusalText()
{
    return QCoreApplication::translate("LayerSettingDlg",
                                       "Auto Backup Is On,Can't Do Multi-Take Action.");
}

QString TakeControl::TakeProgressLabel()
{
    return QCoreApplication::translate("LayerSettingDlg", "Take Action...");
}

void TakeControl::sendDuration(int mode, int duration)
{
    const uint8_t item[2] = {uint8_t(mode), uint8_t(duration)};
    SendCommand(item, SEND_TAKEDURATIONCMD, nullptr, QString());
}

void TakeControl::SetDuration(float value)
{
    MData& data = Page::CurrentRecord();
    const auto d = uint8_t(int(value));
    if (uint8_t* stored = DurationOf(data))
        *stored = d;
    cutPending_ = false;
    sendDuration(data.M_AllCfg.workMode, d);
}

int TakeControl::CurrentDuration() const
{
    const uint8_t* stored = DurationOf(Page::CurrentRecord());
    return stored ? int(*stored) : -1;
}

void TakeControl::showNotice(const QString& text)
{
    lastNotice_ = text;
    // Shown without waiting: the notice goes away with its answer.
    auto* box = new CustomMsgBox(owner_, QCoreApplication::translate("LayerSettingDlg", "Tips"),
                                 text, QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
}

void TakeControl::Take()
{
    const MData& data = Page::CurrentRecord();
    switch (data.M_AllCfg.workMode) {
    case MOSAIC_MODE:
    case SWITCHER_MODE:
        SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
        return;
    case BACKUP_MODE:
        if (CheckedGroupIndex < 0) {
            SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
        } else if (data.M_AllCfg.autoBackup) {
            SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
            showNotice(AutoBackupRefusalText());
        } else if (!multiTakeTimer_.isActive()) {
            multiTakeGroup_ = CheckedGroupIndex;
            SendCommand(nullptr, SEND_MULTITAKE1CMD, nullptr, QString());
            multiTakeTimer_.start();
        }
        return;
    default:
        return;
    }
}

void TakeControl::QuickTake(bool takeEnabled)
{
    if (isQuickTakeWaiting())
        return;
    MData& data = Page::CurrentRecord();
    const int mode = data.M_AllCfg.workMode;
    const QString ip = MiddleHandler::GetInstance()->GetCurrentIp();
    // Taken now: the device's answer to the CUT below arrives during the
    // pause and writes 0 into the record.
    const uint8_t* stored = DurationOf(data);
    int duration = stored ? *stored : 0;
    // A 0 may still be the device's answer to the last quick take's CUT,
    // its restored duration not yet reported back: that duration is meant.
    if (duration == 0 && cutPending_ && mode == restoreMode_ && ip == cutIp_)
        duration = restoreDuration_;
    restoreMode_ = mode;
    restoreDuration_ = duration;
    cutPending_ = duration != 0;
    cutIp_ = ip;
    sendDuration(restoreMode_, 0);
    const bool multiTakeBefore = multiTakeTimer_.isActive();
    if (takeEnabled)
        Take();
    // The duration comes back one pause after the take; when the take is a
    // multi-take, after its second half, so the wall never gets the duration
    // before the take it was cut for.
    if (!multiTakeBefore && multiTakeTimer_.isActive())
        restoreAfterMultiTake_ = true;
    else
        quickTakeTimer_.start();
}

void TakeControl::Freeze()
{
    SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
}

void TakeControl::SetAutoBackup(bool checked)
{
    MData& data = Page::CurrentRecord();
    data.M_AllCfg.autoBackup = checked ? 1 : 0;
    SendCommand(&data.M_AllCfg.autoBackup, SEND_AUTOBACKUPCMD, nullptr, QString());
}

void TakeControl::StartTakeProgress()
{
    progress_->showProgressDialog();
}

void TakeControl::StopTakeProgress()
{
    progress_->stopProgressDialog();
}

void TakeControl::On_SigUIRefreshTakeData()
{
    // Only a duration other than the CUT's 0 is the device's own again.
    if (cutPending_ && MiddleHandler::GetInstance()->GetCurrentIp() == cutIp_) {
        const uint8_t* reported = DurationOf(Page::CurrentRecord(), restoreMode_);
        if (reported && *reported != 0)
            cutPending_ = false;
    }
    const int d = CurrentDuration();
    if (d >= 0)
        emit SigDurationChanged(d);
}

void TakeControl::On_SigUIRefreshTakeStatus(int TStatus)
{
    if (TStatus == 1)
        StartTakeProgress();
    else if (TStatus == 0)
        StopTakeProgress();
}

void TakeControl::On_SigUIRefreshFreeze()
{
    const bool on = Page::CurrentRecord().M_AllCfg.freeze != 0;
    emit SigFreezeChanged(on);
    SetFreezeLamp(on, false);
}
