// The program: one main window, centred on the first screen.
//
// Options for demonstrations and documentation:
//   --page NAME                open that page (picture, output, layers, input,
//                              presets, comm, misc; the system page's sub-pages
//                              status, logo, schedule), or the output preview
//                              (preview: the screenshot is of the preview)
//   --screenshot FILE          save a PNG of the main window and quit: with
//                              --page once the first device found is read
//                              back, else after --screenshot-after
//   --screenshot-after SECONDS wait this long before taking it (default 2)

#include "AppPaths.h"
#include "MainWindow.h"
#include "MiddleHandler.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {
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
// that opens the sub-page.
struct PageButton {
    const char* name;
    const char* button;
    const char* subPageButton;
};
constexpr PageButton kPages[] = {
    {"picture", "PicSet_Btn", nullptr},
    {"output", "Output_Btn", nullptr},
    {"layers", "pushButton_4", nullptr},
    {"input", "pushButton_3", nullptr},
    {"presets", "pushButton_5", nullptr},
    {"comm", "pushButton_6", nullptr},
    {"misc", "pushButton_8", nullptr},
    {"status", "pushButton_8", "pushButton"},
    {"logo", "pushButton_8", "pushButton_2"},
    {"schedule", "pushButton_8", "pushButton_3"},
    {"preview", "", nullptr},
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

// The communication page selects the first device it finds and reads it
// back; the picture is taken once that read-back has ended and every frame
// is acknowledged, so the page shows the device's values. A device that
// never answers ends the program with an error instead of a picture of an
// empty page.
void screenshotAfterReadBack(MainWindow* window, const QString& file)
{
    constexpr int kGiveUpMs = 30000;
    MiddleHandler* h = MiddleHandler::GetInstance();
    auto* poll = new QTimer(window);
    auto ended = std::make_shared<bool>(false);
    QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd, poll, [ended] { *ended = true; });
    QObject::connect(poll, &QTimer::timeout, window, [window, file, h, poll, ended] {
        if (!*ended || h->PendingShortFrames() != 0 || h->PendingLongFrames() != 0)
            return;
        poll->stop();
        // The network icon as the next status tick draws it (the device is
        // online by now), then one more turn of the event loop: the pages
        // redraw coalesced, once per turn.
        QMetaObject::invokeMethod(window, "On_StatusOnLine");
        QTimer::singleShot(0, window, [window, file] { saveScreenshot(window, file); });
    });
    poll->start(50);
    QTimer::singleShot(kGiveUpMs, window, [poll] {
        if (!poll->isActive())
            return;
        std::fprintf(stderr, "No device was read back within %d s: no screenshot\n",
                     kGiveUpMs / 1000);
        QCoreApplication::exit(1);
    });
}
}  // namespace

int main(int argc, char** argv)
{
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
                       "a sub-page of the system page: status, logo or schedule; or the "
                       "output preview: preview."),
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
    if (parser.isSet(shotOption)) {
        if (button)
            screenshotAfterReadBack(&window, parser.value(shotOption));
        else
            scheduleScreenshot(&window, parser.value(shotOption),
                               parser.value(afterOption).toDouble());
    }
    return finish(app.exec());
}
