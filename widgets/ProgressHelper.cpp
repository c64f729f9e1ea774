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
    : QObject(owner),
      owner_(owner),
      periodMs_(periodMs),
      label_(label),
      cancelText_(tr("Cancel")),
      timeOutText_(timeOutText)
{
    connect(&timer_, SIGNAL(timeout()), this, SLOT(updateProgressDialog()));
}

QProgressDialog* ProgressHelper::dialog()
{
    if (dialog_)
        return dialog_;
    dialog_ = new QProgressDialog(label_, cancelText_, 0, kSteps, owner_);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog_->setFixedSize(320, 140);
    dialog_->setStyleSheet(QString::fromLatin1(kProgressStyle));
    // The dialog arms its own show timer when it is built; completed at once,
    // it stays hidden until the first start.
    dialog_->setValue(kSteps);
    return dialog_;
}

void ProgressHelper::setLabelText(const QString& label)
{
    label_ = label;
    if (dialog_)
        dialog_->setLabelText(label);
}

void ProgressHelper::setCancelButtonText(const QString& text)
{
    cancelText_ = text;
    if (dialog_)
        dialog_->setCancelButtonText(text);
}

void ProgressHelper::showProgressDialog(const QString& label)
{
    if (!label.isEmpty())
        setLabelText(label);
    QProgressDialog* progress = dialog();
    // The cancelled mark outlives the run that the operator cancelled; left
    // standing, it would hide this run's dialog at its first step. The dialog
    // is hidden already, so the reset shows nothing.
    if (progress->wasCanceled())
        progress->reset();
    count_ = 0;
    progress->setValue(0);
    timer_.start(periodMs_);
}

void ProgressHelper::updateProgressDialog()
{
    ++count_;
    if (count_ >= kSteps) {
        stopProgressDialog();
        if (!timeOutText_.isEmpty()) {
            auto* notice = new CustomMsgBox(owner_, tr("Tips"), timeOutText_, QDialogButtonBox::Ok,
                                            QDialogButtonBox::Ok);
            // Nobody waits for the answer: the notice goes when it is closed,
            // or every time-out of the session would leave one behind.
            notice->setAttribute(Qt::WA_DeleteOnClose);
        }
        return;
    }
    QProgressDialog* progress = dialog();
    progress->setValue(count_);
    QCoreApplication::processEvents();
    // Cancelling only hides the dialog; the operation and the count go on.
    if (progress->wasCanceled())
        progress->hide();
}

void ProgressHelper::stopProgressDialog()
{
    // Completing a dialog that is not running would still show and hide it
    // (the toolkit counts it as overdue), a flicker on every read-back for
    // each page whose progress took no part.
    if (!timer_.isActive())
        return;
    timer_.stop();
    // A dialog hidden by Cancel stays as it is. One that is hidden only because
    // it has not appeared yet is completed, or it would appear later at 0.
    if (dialog_->wasCanceled() && !completeWhenHidden_)
        return;
    count_ = kSteps;
    dialog_->setValue(kSteps);
}
