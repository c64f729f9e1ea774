#include "ProgressHelper.h"

#include "CustomMsgBox.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
const char* const kProgressStyle =
    "QProgressDialog { background: rgb(46,46,46); }"
    "QLabel { color: rgb(235,235,235); font: bold 14px \"Microsoft YaHei\"; }"
    "QProgressBar { border: 2px solid white; border-radius: 10px; text-align: center;"
    " color: rgb(255,255,0); font: bold 14px \"Microsoft YaHei\"; }"
    "QProgressBar::chunk { background-image: url(:/res/Image/Chnl_BK.png); }"
    "QPushButton { min-width: 76px; max-width: 76px; min-height: 32px; max-height: 32px;"
    " background-image: url(:/res/Image/HPageOff.png); color: rgb(239, 156, 0);"
    " font: bold 14px \"Microsoft YaHei\"; }"
    "QPushButton:hover { background-image: url(:/res/Image/HPageOn.png); }";
}

ProgressHelper::ProgressHelper(QWidget* owner, int periodMs, const QString& label,
                               const QString& timeOutText)
    : QObject(owner), owner_(owner), periodMs_(periodMs), timeOutText_(timeOutText)
{
    dialog_ = new QProgressDialog(label, tr("Cancel"), 0, kSteps, owner);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog_->setFixedSize(320, 140);
    dialog_->setStyleSheet(QString::fromLatin1(kProgressStyle));
    // Completed and hidden until the first start.
    dialog_->setValue(kSteps);
    connect(&timer_, SIGNAL(timeout()), this, SLOT(updateProgressDialog()));
}

void ProgressHelper::showProgressDialog(const QString& label)
{
    if (!label.isEmpty())
        dialog_->setLabelText(label);
    count_ = 0;
    dialog_->setValue(0);
    timer_.start(periodMs_);
}

void ProgressHelper::updateProgressDialog()
{
    ++count_;
    if (count_ >= kSteps) {
        stopProgressDialog();
        if (!timeOutText_.isEmpty())
            new CustomMsgBox(owner_, tr("Tips"), timeOutText_, QDialogButtonBox::Ok,
                             QDialogButtonBox::Ok);
        return;
    }
    dialog_->setValue(count_);
    QCoreApplication::processEvents();
    // Cancelling only hides the dialog; the operation and the count go on.
    if (dialog_->wasCanceled())
        dialog_->hide();
}

void ProgressHelper::stopProgressDialog()
{
    timer_.stop();
    // A dialog hidden by Cancel stays as it is. One that is hidden only because
    // it has not appeared yet is completed, or it would appear later at 0.
    if (dialog_->wasCanceled() && !completeWhenHidden_)
        return;
    count_ = kSteps;
    dialog_->setValue(kSteps);
}
