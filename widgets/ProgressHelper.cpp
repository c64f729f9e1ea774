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
    // The dialog arms its own show timer when it is built; closed at once,
    // it stays hidden until the first start.
    dialog_->reset();
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

void ProgressHelper::retranslate()
{
    const char* context = owner_->metaObject()->className();
    if (labelSource_)
        setLabelText(QCoreApplication::translate(context, labelSource_));
    if (labelSource_ || timeOutSource_)
        timeOutText_ =
            timeOutSource_ ? QCoreApplication::translate(context, timeOutSource_) : QString();
    setCancelButtonText(tr("Cancel"));
}

void ProgressHelper::startOperation(const Operation& op)
{
    labelSource_ = op.label;
    timeOutSource_ = op.timeOutText;
    periodMs_ = op.periodMs;
    const char* context = owner_->metaObject()->className();
    timeOutText_ =
        op.timeOutText ? QCoreApplication::translate(context, op.timeOutText) : QString();
    showProgressDialog(QCoreApplication::translate(context, op.label));
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
    // The run this one takes over stops ticking first: setting the value of
    // a modal dialog processes events, and a tick of the old run there would
    // count for the new one.
    timer_.stop();
    count_ = 0;
    running_ = true;
    // On screen, the dialog stays and starts again from 0; not yet shown, it
    // takes its full delay from now.
    progress->setValue(0);
    if (periodMs_ > 0)
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
    setProgressValue(count_);
}

void ProgressHelper::setProgressValue(int value)
{
    if (!running_)
        return;
    QProgressDialog* progress = dialog();
    // Cancelling only hides the dialog; the operation and the count go on.
    // A value given to the cancelled dialog would bring it back: the toolkit
    // shows a dialog whose run looks long enough.
    if (progress->wasCanceled())
        return;
    progress->setValue(qBound(0, value, kSteps - 1));
    QCoreApplication::processEvents();
    if (progress->wasCanceled())
        progress->hide();
}

void ProgressHelper::stopProgressDialog()
{
    // The completion signals are shared (every page hears each read-back's
    // end): a page whose progress took no part changes nothing.
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    // A dialog hidden by Cancel stays as it is (its show timer went with the
    // cancel). One that is hidden only because it has not appeared yet is
    // closed too, or it would appear later at 0.
    if (dialog_->wasCanceled() && !completeWhenHidden_)
        return;
    count_ = kSteps;
    closeDialog();
}

void ProgressHelper::closeDialog()
{
    // reset() rather than the value 100: it hides the dialog and disarms its
    // show timer without ever showing it, where the value 100 given to a
    // dialog not on screen whose run looks long shows it, only to close it.
    dialog_->reset();
}
