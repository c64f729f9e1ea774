// What every page does the same way: its window flags, Escape swallowed,
// retranslation on a language change, and redraws that follow the device's
// reports, coalesced so that a burst of replies (a read-back's hundreds)
// costs one redraw per event-loop turn instead of one per reply.
//
// A page keeps its own base class (QWidget or QDialog) and calls these from
// its constructor:
//
//     Page::Setup(this, [this] { Retranslate(); });
//     redraw_ = new RedrawCoalescer(this, [this] { UiRefreshAll(); });
//     redraw_->follow(MiddleHandler::GetInstance(), &MiddleHandler::SigUIRefreshAllCfg);
#pragma once

#include <QObject>

#include <deque>
#include <functional>

class QPushButton;
class QWidget;
class TitleBar;
struct MData;

namespace Page {

// Frameless page; Escape never reaches the page (a page never closes
// itself); retranslate, when given, runs on every language change.
void Setup(QWidget* page, std::function<void()> retranslate = {});

// The title bar of a sub-page of the system page: a child of the page with
// only its close button, transparent, not movable. The page keeps it as wide
// as itself (ResizeTitleBar from its resizeEvent).
TitleBar* AddSubPageTitleBar(QWidget* page);

// The record the pages show and edit: the selected device's, or the
// stand-in record while none is selected (never null).
MData& CurrentRecord();

// A button of a page's form, by the form's object name.
QPushButton* MakeButton(QWidget* parent, const char* objectName, bool checkable);
void ResizeTitleBar(TitleBar* bar, const QWidget* page);

// The rest of a page's building, for an owner that spreads a long build over
// turns of the event loop. A page given these builds its first part in its
// constructor and leaves the others here, in order; it is complete, and may
// be used, only once every step has run. A page given none runs every step
// in its constructor.
class BuildSteps {
public:
    void add(std::function<void()> step) { steps_.push_back(std::move(step)); }
    // Runs the next step; false when none was left.
    bool runNext();
    void runAll();
    bool done() const { return steps_.empty(); }

private:
    std::deque<std::function<void()>> steps_;
};

}  // namespace Page

// A page that is hidden in a shown window (another page of the stack is up,
// or a panel of its page is folded away) owes its redraw until it is shown:
// it then redraws once, as it is shown and before it is painted, however
// many requests came while it was hidden. A
// page that is not in a window (a test's page on its own) redraws at once.
// While a read-back is under way (MiddleHandler::ReadBackUnderWay) the
// redraw waits for its end: the device's answer comes in many batches.
class RedrawCoalescer : public QObject {
    Q_OBJECT
public:
    // parent: the page; a QWidget parent is watched for being shown.
    RedrawCoalescer(QObject* parent, std::function<void()> redraw);

    // Asks for one redraw at the next turn of the event loop (or when the
    // hidden page is shown); any number of requests before then give that
    // one redraw.
    void request();
    bool pending() const { return pending_; }
    // Redraws run so far, for tests and diagnostics.
    int redraws() const { return redraws_; }
    // For a report that a page shows at once while it is up: true, with the
    // redraw owed until the page is shown, while the page is hidden in a
    // shown window; false (nothing requested) otherwise.
    bool oweWhileHidden();

    // Every emission of sender's signal (whatever its arguments) requests a
    // redraw.
    template <typename Sender, typename Signal>
    QMetaObject::Connection follow(Sender* sender, Signal signal)
    {
        return connect(sender, signal, this, [this] { request(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();
    void schedule();
    void readBackDone();
    bool pageHidden() const;

    QWidget* page_ = nullptr;
    std::function<void()> redraw_;
    bool pending_ = false;
    bool waitsForShow_ = false;
    bool waitsForReadBack_ = false;
    int redraws_ = 0;
};
