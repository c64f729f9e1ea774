// One simulated processor found, selected and read back for the tests of the
// system pages, inside the private network.
#pragma once

#include "MiddleHandler.h"
#include "ProcSim.h"

#include <QJsonObject>
#include <QStringList>

#include <memory>

// Answers the next message box (a CustomMsgBox) as soon as it is open, with
// button (a QDialogButtonBox::StandardButton; 0 closes it by its title row);
// the text it showed goes to *text.
void AnswerNextBox(int button, QString* text = nullptr);
// Chooses path in the next file dialog, or cancels it when path is empty.
void ChooseInNextFileDialog(const QString& path);
// A "Tips" notice with that text is on screen.
bool NoticeShown(const QString& text);

class LinkedDevice {
public:
    // Starts procsim with state file stateName (and extraArgs) and links to
    // it; false (with the reason in error()) when any step fails. A device
    // started --silent is selected without a read-back, which it would not
    // answer. Starting again replaces the processor.
    bool start(const QString& stateName = QStringLiteral("z7050-1.json"),
               const QStringList& extraArgs = {});
    void stop();

    MiddleHandler* handler() const { return h_; }
    MData& data() const { return *h_->GetCurrentMData(); }
    ProcSim& sim() const { return *proc_; }
    QString error() const { return error_; }

    // Until every reply to what was sent before has been handled: a version
    // request goes last and its answer comes back after them (the device
    // answers in order). Replies the device sends after a delay are not
    // covered. Then marks the frames received so far as seen.
    bool settle();
    // Marks the frames received so far as seen: frames() returns the later
    // ones.
    void markFrames();
    // The payloads (hex, the first bytes bytes) of the frames of that code
    // the processor received since the mark, in order.
    QStringList frames(int code, int bytes = 32) const;

private:
    std::unique_ptr<ProcSim> proc_;
    MiddleHandler* h_ = nullptr;
    int mark_ = 0;
    QString error_;
};
