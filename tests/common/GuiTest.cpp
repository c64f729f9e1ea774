#include "GuiTest.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

GuiTest::BoxAnswer::BoxAnswer(QDialogButtonBox::StandardButton button, int timeoutMs)
    : BoxAnswer([button](QWidget* box) { QVERIFY(clickBoxButton(box, button)); }, timeoutMs)
{
}

GuiTest::BoxAnswer::BoxAnswer(std::function<void(QWidget*)> action, int timeoutMs)
    : action_(std::move(action)), deadline_(timeoutMs)
{
    // Polled from the event loop: the modal loop of exec() runs it too, and a
    // box that opens only after a reply has come is still found.
    connect(&timer_, &QTimer::timeout, this, &BoxAnswer::poll);
    timer_.start(5);
}

namespace {
// The modal widget that exec() shows, or else a message box shown as a
// notice (without exec(), so not modal).
QWidget* nextBox()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible())
        return modal;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("CustomMsgBox") && top->isVisible())
            return top;
    return nullptr;
}
}  // namespace

void GuiTest::BoxAnswer::poll()
{
    QWidget* box = nextBox();
    if (!box) {
        if (deadline_.hasExpired())
            timer_.stop();
        return;
    }
    timer_.stop();
    answered_ = true;
    title_ = box->windowTitle();
    if (auto* message = box->findChild<QLabel*>(QStringLiteral("messageLabel")))
        text_ = message->text();
    action_(box);
}

bool GuiTest::clickBoxButton(QWidget* box, QDialogButtonBox::StandardButton button)
{
    if (!box)
        return false;
    QAbstractButton* b = nullptr;
    if (button == QDialogButtonBox::NoButton) {
        b = box->findChild<QPushButton*>(QStringLiteral("closeButton"));
    } else if (auto* buttons = box->findChild<QDialogButtonBox*>()) {
        b = buttons->button(button);
    }
    if (!b)
        return false;
    b->click();
    return true;
}

namespace {
// The status icon of the window's own title bar: sub-pages have title bars
// (and icons) of their own.
QLabel* statusIconLabel(QWidget* window, int index)
{
    QWidget* bar = window;
    for (QObject* child : window->children())
        if (child->inherits("TitleBar"))
            bar = static_cast<QWidget*>(child);
    return bar->findChild<QLabel*>(QStringLiteral("statusIcon%1").arg(index));
}
}  // namespace

QImage GuiTest::statusIcon(QWidget* window, int index)
{
    QLabel* icon = statusIconLabel(window, index);
    return icon ? icon->pixmap(Qt::ReturnByValue).toImage() : QImage();
}

void GuiTest::clearStatusIcon(QWidget* window, int index)
{
    if (QLabel* icon = statusIconLabel(window, index))
        icon->clear();
}

// Found by class name: the preview lives in system/, and the widget tests
// link no page.
QWidget* GuiTest::currentPreview()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("KSV_ShowVideoDlg"))
            return top;
    return nullptr;
}

bool GuiTest::previewShows(const QString& text)
{
    QWidget* preview = currentPreview();
    if (!preview)
        return false;
    for (const QLabel* l : preview->findChildren<QLabel*>())
        if (l->text() == text)
            return true;
    return false;
}

void GuiTest::dropPreviews()
{
    while (QWidget* old = currentPreview())
        delete old;
}
