// The progress of a long operation: a window-modal dialog from 0 to 100 that
// a timer advances one step per period until the operation's completion
// (stopProgressDialog) or the hundredth step, the time-out. A time-out ends
// silently, or with a "Tips" box carrying the owner's time-out text.
//
// The dialog is built when it is first needed: most owners never run their
// progress in a session, and each dialog costs a style sheet and a window.
//
// The toolkit's dialog shows itself by its own timer some seconds after a
// start unless it is closed properly: every way a run ends here disarms that
// timer, so no dialog ever appears after its operation has ended.
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

    // One of the owner's operations. The texts are source texts of the
    // owner's translation context (its class name): they are translated when
    // the operation starts and again by retranslate(), so that a running
    // progress follows a language switch. A period of 0 runs no timer: the
    // owner reports the value (setProgressValue) and ends the run; an empty
    // time-out text ends silently.
    struct Operation {
        const char* label;
        const char* timeOutText;
        int periodMs;
    };

    // The dialog is a child of owner. An empty timeOutText ends silently.
    ProgressHelper(QWidget* owner, int periodMs, const QString& label,
                   const QString& timeOutText = QString());

    // Most owners leave a dialog that the operator cancelled (and so hid) as
    // it is when their operation completes; an owner that sets this completes
    // it anyway.
    void setCompleteWhenHidden(bool complete) { completeWhenHidden_ = complete; }

    // Start, or restart from 0; an empty label keeps the current one. A
    // dialog that the operator cancelled in an earlier run shows again. A
    // dialog on screen stays there and shows the new run.
    void showProgressDialog(const QString& label = QString());
    // Starts op with its own label, period and time-out text; a run in
    // progress hands its dialog over.
    void startOperation(const Operation& op);
    // Ends a running progress; one that is not running is left alone.
    void stopProgressDialog();
    // The value of a run whose owner reports it (0 to kSteps - 1).
    void setProgressValue(int value);

    // The texts of the dialog, kept until it is built.
    void setLabelText(const QString& label);
    void setCancelButtonText(const QString& text);
    // On a language change: the texts of the operation started last and the
    // cancel text, translated again.
    void retranslate();

    // Builds the dialog when it does not exist yet.
    QProgressDialog* dialog();
    bool hasDialog() const { return dialog_ != nullptr; }
    int count() const { return count_; }
    bool isRunning() const { return running_; }
    QString timeOutText() const { return timeOutText_; }

public slots:
    void updateProgressDialog();

private:
    void closeDialog();

    QWidget* owner_;
    QProgressDialog* dialog_ = nullptr;
    QTimer timer_;
    int periodMs_;
    int count_ = kSteps;
    bool running_ = false;
    QString label_;
    QString cancelText_;
    QString timeOutText_;
    // The source texts of the operation started last (startOperation).
    const char* labelSource_ = nullptr;
    const char* timeOutSource_ = nullptr;
    bool completeWhenHidden_ = false;
};
