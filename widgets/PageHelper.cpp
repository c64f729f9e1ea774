#include "PageHelper.h"

#include "MiddleHandler.h"
#include "TitleBar.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace {

// Installed on the page itself: sees the page's own events before it does.
class PageEventFilter : public QObject {
public:
    PageEventFilter(QWidget* page, std::function<void()> retranslate)
        : QObject(page), retranslate_(std::move(retranslate))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            // Escape would close a dialog page (QDialog::reject) and leave a
            // hole in the main window.
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                return true;
            break;
        case QEvent::LanguageChange:
            if (retranslate_)
                retranslate_();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> retranslate_;
};

}  // namespace

void Page::Setup(QWidget* page, std::function<void()> retranslate)
{
    page->setWindowFlags(page->windowFlags() | Qt::FramelessWindowHint);
    page->installEventFilter(new PageEventFilter(page, std::move(retranslate)));
}

TitleBar* Page::AddSubPageTitleBar(QWidget* page)
{
    auto* bar = new TitleBar(page);
    bar->removeButton(3);
    bar->setBackgroundColor(QColor(46, 46, 46, 0));
    bar->movable = false;
    ResizeTitleBar(bar, page);
    return bar;
}

MData& Page::CurrentRecord()
{
    return *MiddleHandler::GetInstance()->GetCurrentMData();
}

bool Page::BuildSteps::runNext()
{
    if (steps_.empty())
        return false;
    const std::function<void()> step = std::move(steps_.front());
    steps_.pop_front();
    step();
    return true;
}

void Page::BuildSteps::runAll()
{
    while (runNext()) {
    }
}

QPushButton* Page::MakeButton(QWidget* parent, const char* objectName, bool checkable)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(objectName));
    b->setCheckable(checkable);
    return b;
}

void Page::ResizeTitleBar(TitleBar* bar, const QWidget* page)
{
    bar->resize(page->width(), TitleBar::kHeight);
}

RedrawCoalescer::RedrawCoalescer(QObject* parent, std::function<void()> redraw)
    : QObject(parent), redraw_(std::move(redraw))
{
    if (parent && parent->isWidgetType()) {
        page_ = static_cast<QWidget*>(parent);
        page_->installEventFilter(this);
    }
    connect(MiddleHandler::GetInstance(), &MiddleHandler::SigReadBackDone, this,
            &RedrawCoalescer::readBackDone);
}

void RedrawCoalescer::request()
{
    if (pending_)
        return;
    pending_ = true;
    if (pageHidden()) {
        waitsForShow_ = true;
        return;
    }
    schedule();
}

bool RedrawCoalescer::oweWhileHidden()
{
    if (!pageHidden())
        return false;
    request();
    return true;
}

bool RedrawCoalescer::pageHidden() const
{
    return page_ && !page_->isVisible() && page_->window() != page_ && page_->window()->isVisible();
}

void RedrawCoalescer::schedule()
{
    if (MiddleHandler::GetInstance()->ReadBackUnderWay()) {
        waitsForReadBack_ = true;
        return;
    }
    // Queued: runs after every reply already waiting in this turn.
    QMetaObject::invokeMethod(this, &RedrawCoalescer::run, Qt::QueuedConnection);
}

void RedrawCoalescer::readBackDone()
{
    if (!waitsForReadBack_)
        return;
    waitsForReadBack_ = false;
    if (!pending_)
        return;  // redrawn on being shown meanwhile
    if (pageHidden()) {
        waitsForShow_ = true;
        return;
    }
    schedule();
}

bool RedrawCoalescer::eventFilter(QObject* watched, QEvent* event)
{
    // At once, before the page is first painted: a queued redraw would let
    // the operator see one frame of what the page showed when it was hidden.
    if (watched == page_ && event->type() == QEvent::Show && waitsForShow_)
        run();
    return QObject::eventFilter(watched, event);
}

void RedrawCoalescer::run()
{
    pending_ = false;
    waitsForShow_ = false;
    waitsForReadBack_ = false;
    ++redraws_;
    if (redraw_)
        redraw_();
}
