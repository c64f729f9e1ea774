#include "LazyProgress.h"

LazyProgress::LazyProgress(QWidget* owner, int periodMs, const QString& label,
                           const QString& timeOutText, SetUp setUp)
    : owner_(owner),
      periodMs_(periodMs),
      label_(label),
      timeOutText_(timeOutText),
      setUp_(std::move(setUp))
{
}

ProgressHelper* LazyProgress::get()
{
    if (!helper_) {
        helper_ = new ProgressHelper(owner_, periodMs_, label_, timeOutText_);
        if (setUp_)
            setUp_(helper_);
    }
    return helper_;
}

void LazyProgress::stop()
{
    if (helper_)
        helper_->stopProgressDialog();
}
