// The progress of a long operation: a window-modal dialog from 0 to 100 that
// a timer advances one step per period until the operation's completion
// (stopProgressDialog) or the hundredth step, the time-out. A time-out ends
// silently, or with a "Tips" box carrying the owner's time-out text.
//
// The dialog is built when it is first needed: most owners never run their
// progress in a session, and each dialog costs a style sheet and a window.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QProgressDialog;
class QWidget;

class ProgressHelper : public QObject {
    Q_OBJECT

public:
    static constexpr int kSteps = 100;

    // The dialog is a child of owner. An empty timeOutText ends silently.
    ProgressHelper(QWidget* owner, int periodMs, const QString& label,
                   const QString& timeOutText = QString());

    // Most owners leave a dialog that the operator cancelled (and so hid) as
    // it is when their operation completes; an owner that sets this completes
    // it anyway.
    void setCompleteWhenHidden(bool complete) { completeWhenHidden_ = complete; }

    // Start, or restart from 0; an empty label keeps the current one. A
    // dialog that the operator cancelled in an earlier run shows again.
    void showProgressDialog(const QString& label = QString());
    // Ends a running progress; one that is not running is left alone.
    void stopProgressDialog();

    // The texts of the dialog, kept until it is built.
    void setLabelText(const QString& label);
    void setCancelButtonText(const QString& text);

    // Builds the dialog when it does not exist yet.
    QProgressDialog* dialog();
    bool hasDialog() const { return dialog_ != nullptr; }
    int count() const { return count_; }
    bool isRunning() const { return timer_.isActive(); }

public slots:
    void updateProgressDialog();

private:
    QWidget* owner_;
    QProgressDialog* dialog_ = nullptr;
    QTimer timer_;
    int periodMs_;
    int count_ = kSteps;
    QString label_;
    QString cancelText_;
    QString timeOutText_;
    bool completeWhenHidden_ = false;
};
