// A page's ProgressHelper, built the first time the page runs its operation.
// Most pages never run theirs in a session, and the dialogs that every page
// built up front were a good part of the program's start-up time.
//
// The page keeps one by value and reaches the helper with "->", which builds
// it; stop() and built() never build one, since a dialog that never ran has
// nothing to stop.
#pragma once

#include "ProgressHelper.h"

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

class LazyProgress {
public:
    // Run on the helper right after it is built: texts, flags, connections.
    using SetUp = std::function<void(ProgressHelper*)>;

    LazyProgress() = default;
    // The arguments of the ProgressHelper to build.
    LazyProgress(QWidget* owner, int periodMs, const QString& label,
                 const QString& timeOutText = QString(), SetUp setUp = {});

    ProgressHelper* operator->() { return get(); }
    ProgressHelper* get();
    // The helper, or null while none was built.
    ProgressHelper* built() const { return helper_; }
    void stop();

private:
    QWidget* owner_ = nullptr;
    int periodMs_ = 0;
    QString label_;
    QString timeOutText_;
    SetUp setUp_;
    QPointer<ProgressHelper> helper_;
};
