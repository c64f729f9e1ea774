// The program: one main window, centred on the first screen.
//
// Options for demonstrations and documentation:
//   --screenshot FILE          save a PNG of the main window and quit
//   --screenshot-after SECONDS wait this long before taking it (default 2)
//   --page NAME                open this page first (picture, output, input, layers,
//                              presets, comm, misc), or the output preview (preview:
//                              the screenshot then shows the preview window)

#include "AppPaths.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {
// Saves the window as it is drawn, then ends the event loop without the exit
// question, so nothing is saved to the project.
void scheduleScreenshot(QWidget* window, const QString& file, double seconds)
{
    QTimer::singleShot(static_cast<int>(seconds * 1000), window, [window, file] {
        const bool saved = window->grab().save(file, "PNG");
        if (!saved)
            std::fprintf(stderr, "Cannot write the screenshot %s\n", qPrintable(file));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

// The output preview window, which has no parent.
QWidget* previewWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("KSV_ShowVideoDlg"))
            return w;
    return nullptr;
}

// Opens a page as its page button does, or the preview as the system page's
// "Eth Output" does; false for a name no button has.
bool openPage(MainWindow* window, const QString& name)
{
    if (name == QLatin1String("preview")) {
        window->On_sigVideoShow();
        return true;
    }
    const QStringList names = {"picture", "output", "input", "layers", "presets", "comm", "misc"};
    const QStringList buttons = {"PicSet_Btn",   "Output_Btn",   "pushButton_3", "pushButton_4",
                                 "pushButton_5", "pushButton_6", "pushButton_8"};
    const int i = names.indexOf(name);
    auto* button = i < 0 ? nullptr : window->findChild<QPushButton*>(buttons[i]);
    if (!button)
        return false;
    button->click();
    return true;
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
        QStringLiteral(
            "Open this page first: picture, output, input, layers, presets, comm or misc; "
            "or the output preview: preview."),
        QStringLiteral("NAME"));
    parser.addOption(shotOption);
    parser.addOption(afterOption);
    parser.addOption(pageOption);
    parser.process(app);

    QScreen* screen = QGuiApplication::screens().first();
    MainWindow window;
    const QSize screenSize = screen->size();
    window.move((screenSize.width() - window.width()) / 2,
                (screenSize.height() - window.height()) / 2);
    window.show();
    if (parser.isSet(pageOption) && !openPage(&window, parser.value(pageOption))) {
        std::fprintf(stderr, "Unknown page %s\n", qPrintable(parser.value(pageOption)));
        return 2;
    }
    QWidget* shown = &window;
    if (parser.value(pageOption) == QLatin1String("preview") && previewWindow())
        shown = previewWindow();
    if (parser.isSet(shotOption))
        scheduleScreenshot(shown, parser.value(shotOption), parser.value(afterOption).toDouble());
    return app.exec();
}
