// The program: one main window, centred on the first screen.
//
// Options for demonstrations and documentation:
//   --page NAME                open that page (picture, output, layers, input,
//                              presets, comm, misc; the system page's sub-pages
//                              status, logo, schedule), a sub-panel of a page
//                              once the first device found is read back (zoom,
//                              chroma, group, reso, crop, edid, hdmirange,
//                              colour), or the output preview (preview: the
//                              screenshot is of the preview)
//   --screenshot FILE          save a PNG of the main window and quit: with
//                              --page once the first device found is read
//                              back, else after --screenshot-after
//   --screenshot-after SECONDS wait this long before taking it (default 2)

#include "AppPaths.h"
#include "FirstFrame.h"
#include "MainWindow.h"
#include "MiddleHandler.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {
// A sub-panel that a page opens in place of its own controls: the page's
// panel that holds it (by class), the buttons that may open it, the first
// one enabled being clicked (none: the panel is always shown), and the
// sub-panel's class.
struct SubPanel {
    const char* owner;
    std::array<const char*, 3> buttons;
    const char* panel;
};

// The event loop's status. The checked build looks for leaks as the loop
// ends, while the window system's libraries are still loaded: at exit,
// Mesa's driver is already unloaded and what it keeps could not be told from
// ours.
int finish(int status)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    return status;
}

// The pages by the names of --page, the buttons of the main window that
// open them and, for the system page's sub-pages, the system page's button
// that opens the sub-page; for the sub-panels, the sub-panel, opened once
// the device is read back: they show its values and some are only offered
// for what the device has (an EDID for a port that takes one).
struct PageButton {
    const char* name;
    const char* button;
    const char* subPageButton;
    SubPanel subPanel;
};
const PageButton kPages[] = {
    {"picture", "PicSet_Btn", nullptr, {}},
    {"output", "Output_Btn", nullptr, {}},
    {"layers", "pushButton_4", nullptr, {}},
    {"input", "pushButton_3", nullptr, {}},
    {"presets", "pushButton_5", nullptr, {}},
    {"comm", "pushButton_6", nullptr, {}},
    {"misc", "pushButton_8", nullptr, {}},
    {"status", "pushButton_8", "pushButton", {}},
    {"logo", "pushButton_8", "pushButton_2", {}},
    {"schedule", "pushButton_8", "pushButton_3", {}},
    {"zoom", "pushButton_4", nullptr, {"LayerSettingDlg", {"ZoomSetBtn"}, "LayerZoomDlg"}},
    {"chroma", "pushButton_4", nullptr, {"LayerSettingDlg", {"ColorKeyerBtn"}, "ChromaKeyDlg"}},
    {"group", "pushButton_4", nullptr, {"LayerSettingDlg", {"LayerGroupBtn"}, "KSV_LayerGroupDlg"}},
    {"reso", "Output_Btn", nullptr, {"OpParamSet", {"OPRESOBTN"}, "OutputResoDlg"}},
    {"crop", "pushButton_3", nullptr, {"InputSrcSetDlg", {"pushButton"}, "ImageCrop"}},
    {"edid",
     "pushButton_3",
     nullptr,
     {"InputSrcSetDlg", {"pushButton_4", "pushButton_5", "pushButton_6"}, "EdidDlg"}},
    {"hdmirange", "pushButton_3", nullptr, {"InputSrcSetDlg", {"pushButton_7"}, "HDMIRGBColorDlg"}},
    {"colour", "PicSet_Btn", nullptr, {"KSV_PicSetDlg", {}, "ColorManagementDlg"}},
    {"preview", "", nullptr, {}},
};

const PageButton* pageButton(const QString& name)
{
    for (const PageButton& p : kPages)
        if (name == QLatin1String(p.name))
            return &p;
    return nullptr;
}

// Clicks the page's button and, for a sub-page, the system page's button
// that shows it.
void openPage(MainWindow* window, const PageButton& page)
{
    if (auto* b = window->findChild<QPushButton*>(QLatin1String(page.button)))
        b->click();
    if (!page.subPageButton)
        return;
    if (auto* misc = window->findChild<QWidget*>(QStringLiteral("MiscDlg")))
        if (auto* b = misc->findChild<QPushButton*>(QLatin1String(page.subPageButton),
                                                    Qt::FindDirectChildrenOnly))
            b->click();
}

// The shown widget of the class inside the window (the input page and the
// layer view's input column are both input panels: the one on screen).
QWidget* shownWidget(QWidget* inside, const char* className)
{
    for (QWidget* w : inside->findChildren<QWidget*>())
        if (w->inherits(className) && w->isVisible())
            return w;
    return nullptr;
}

// Opens the page's sub-panel as the operator does, through the first of its
// buttons that is enabled. False when the panel is not on screen afterwards.
bool openSubPanel(MainWindow* window, const SubPanel& sub)
{
    QWidget* owner = shownWidget(window, sub.owner);
    if (!owner)
        return false;
    for (const char* name : sub.buttons) {
        if (!name)
            break;
        auto* b = owner->findChild<QPushButton*>(QLatin1String(name));
        if (b && b->isVisible() && b->isEnabled()) {
            b->click();
            break;
        }
    }
    return shownWidget(owner, sub.panel) != nullptr;
}

// Saves the window as it is drawn, then ends the event loop without the exit
// question, so nothing is saved to the project.
void saveScreenshot(QWidget* window, const QString& file)
{
    const bool saved = window->grab().save(file, "PNG");
    if (!saved)
        std::fprintf(stderr, "Cannot write the screenshot %s\n", qPrintable(file));
    QCoreApplication::exit(saved ? 0 : 1);
}

void scheduleScreenshot(QWidget* window, const QString& file, double seconds)
{
    QTimer::singleShot(static_cast<int>(seconds * 1000), window,
                       [window, file] { saveScreenshot(window, file); });
}

// Runs then once ready holds and every frame sent is acknowledged, one turn
// of the event loop later: the pages redraw coalesced, once per turn.
void whenSettled(QObject* context, std::function<bool()> ready, std::function<void()> then)
{
    MiddleHandler* h = MiddleHandler::GetInstance();
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [h, poll, ready, then] {
        if (!ready() || h->PendingShortFrames() != 0 || h->PendingLongFrames() != 0)
            return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(0, then);
    });
    poll->start(50);
}

// The communication page selects the first device it finds and reads it
// back; once that read-back has ended and every frame is acknowledged, the
// pages show the device's values and then runs. A device that never answers
// ends the program with an error when giveUp is set.
void afterReadBack(MainWindow* window, bool giveUp, std::function<void()> then)
{
    // Generous: on a machine busy with other work the search and the read-back
    // can take several times their usual few seconds.
    constexpr int kGiveUpMs = 60000;
    auto ended = std::make_shared<bool>(false);
    auto done = std::make_shared<bool>(false);
    QObject::connect(MiddleHandler::GetInstance(), &MiddleHandler::SigUIRefreshRequstCmdEnd, window,
                     [ended] { *ended = true; });
    whenSettled(
        window, [ended] { return *ended; },
        [done, then] {
            *done = true;
            then();
        });
    if (!giveUp)
        return;
    QTimer::singleShot(kGiveUpMs, window, [done] {
        if (*done)
            return;
        std::fprintf(stderr, "No device was read back within %d s: no screenshot\n",
                     kGiveUpMs / 1000);
        QCoreApplication::exit(1);
    });
}

// The picture of the page as the device's values show on it: the network
// icon as the next status tick draws it (the device is online by now).
void screenshotNow(MainWindow* window, const QString& file)
{
    QMetaObject::invokeMethod(window, "On_StatusOnLine");
    QTimer::singleShot(0, window, [window, file] { saveScreenshot(window, file); });
}
}  // namespace

int main(int argc, char** argv)
{
    PrepareX11Display();
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QCoreApplication::setAttribute(Qt::AA_X11InitThreads, true);
    QT_WARNING_POP
    QApplication app(argc, argv);
    InitAppResources();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a PNG of the main window and quit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption afterOption(QStringLiteral("screenshot-after"),
                                         QStringLiteral("Seconds to wait before the screenshot."),
                                         QStringLiteral("SECONDS"), QStringLiteral("2"));
    const QCommandLineOption pageOption(
        QStringLiteral("page"),
        QStringLiteral("Open this page: picture, output, layers, input, presets, comm or misc; "
                       "a sub-page of the system page: status, logo or schedule; a sub-panel, "
                       "once the first device is read back: zoom, chroma, group, reso, crop, "
                       "edid, hdmirange or colour; or the output preview: preview."),
        QStringLiteral("NAME"));
    parser.addOption(shotOption);
    parser.addOption(afterOption);
    parser.addOption(pageOption);
    parser.process(app);
    const PageButton* button = nullptr;
    if (parser.isSet(pageOption)) {
        button = pageButton(parser.value(pageOption));
        if (!button) {
            std::fprintf(stderr, "Unknown page %s\n\n%s", qPrintable(parser.value(pageOption)),
                         qPrintable(parser.helpText()));
            return 2;
        }
    }

    QScreen* screen = QGuiApplication::screens().first();
    MainWindow window;
    const QSize screenSize = screen->size();
    window.move((screenSize.width() - window.width()) / 2,
                (screenSize.height() - window.height()) / 2);
    FirstFrame::watch(&window);
    window.show();
    // The preview plays the streams of the selected device's video board:
    // its picture is taken after the given time, once the streams have had
    // that long to start.
    if (button && !*button->button) {
        window.On_sigVideoShow();
        QWidget* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("KSV_ShowVideoDlg"))
                preview = w;
        if (parser.isSet(shotOption))
            scheduleScreenshot(preview ? preview : &window, parser.value(shotOption),
                               parser.value(afterOption).toDouble());
        return finish(app.exec());
    }
    if (button)
        openPage(&window, *button);
    const bool shot = parser.isSet(shotOption);
    const QString file = parser.value(shotOption);
    if (!button) {
        if (shot)
            scheduleScreenshot(&window, file, parser.value(afterOption).toDouble());
        return finish(app.exec());
    }
    MainWindow* w = &window;
    if (!button->subPanel.owner) {
        if (shot)
            afterReadBack(w, true, [w, file] { screenshotNow(w, file); });
        return finish(app.exec());
    }
    afterReadBack(w, shot, [w, button, shot, file] {
        if (!openSubPanel(w, button->subPanel)) {
            std::fprintf(stderr, "The %s panel cannot be opened on this device\n", button->name);
            if (shot)
                QCoreApplication::exit(1);
            return;
        }
        // A panel may ask the device for its values as it opens.
        if (shot)
            whenSettled(
                w, [] { return true; }, [w, file] { screenshotNow(w, file); });
    });
    return finish(app.exec());
}
