// The picture page in the main window on an X server (run under Xvfb), as
// the operator sees it after a project load: the brightness level, the four
// layer tabs, the colour panel. The picture is kept as
// test_picture_screenshot.png.
#include "AppPaths.h"
#include "ColorManagementDlg.h"
#include "KSV_PicSetDlg.h"
#include "MainWindow.h"
#include "MiddleHandler.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool Near(QRgb pixel, const QColor& want, int tolerance)
{
    return qAbs(qRed(pixel) - want.red()) <= tolerance &&
           qAbs(qGreen(pixel) - want.green()) <= tolerance &&
           qAbs(qBlue(pixel) - want.blue()) <= tolerance;
}

int CountNear(const QImage& img, const QRect& area, const QColor& want)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Near(img.pixel(x, y), want, 40);
    return n;
}

const QColor kAccent(239, 156, 0);
}  // namespace

class TestPictureScreenshot : public QObject {
    Q_OBJECT
private slots:
    void picturePage();
};

void TestPictureScreenshot::picturePage()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    InitAppResources();
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    qputenv("LEDZ_APP_DIR", appDir.path().toLocal8Bit());

    MData& record = *MiddleHandler::GetInstance()->GetCurrentMData();
    record.M_AllCfg.workMode = BACKUP_MODE;
    record.M_AllCfg.brightLevel = 12;
    record.M_AllCfg.gammaMode = 8;
    record.M_AllCfg.gammaValue = 22;
    record.M_BackupLayerCfg.layer[0].bMain = 0;
    record.M_BackupLayerCfg.layer[1].bMain = 1;
    record.M_BackupLayerCfg.picture[0] = LayerPictureCfg{60, 45, 55, 8, 140, 120, 100};
    record.M_BackupLayerCfg.picture[1] = LayerPictureCfg{50, 50, 50, 2, 128, 128, 128};

    MainWindow w;
    w.move(100, 50);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QPushButton*>(QStringLiteral("PicSet_Btn"))->click();
    w.UiRefreshAll();
    auto* page = w.findChild<KSV_PicSetDlg*>();
    QVERIFY(page);
    QTRY_VERIFY(page->isVisible());
    QCOMPARE(page->tabWidget()->tabText(0), QStringLiteral("Main Layer"));
    QVERIFY(!page->tabWidget()->isTabEnabled(2));

    // The tab frame and the colour panel's frame are drawn in the accent
    // colour once the page's first frame has reached the screen.
    const QRect tabs(page->tabWidget()->mapTo(&w, QPoint(0, 0)), page->tabWidget()->size());
    const QRect panel(page->colorPanel()->mapTo(&w, QPoint(0, 0)), page->colorPanel()->size());
    QImage shot;
    const auto drawn = [&] {
        shot = w.screen()
                   ->grabWindow(0, w.x(), w.y(), w.width(), w.height())
                   .toImage()
                   .convertToFormat(QImage::Format_RGB32);
        return CountNear(shot, tabs, kAccent) > 200 && CountNear(shot, panel, kAccent) > 200;
    };
    const bool shown = QTest::qWaitFor(drawn, 10000);
    shot.save(QStringLiteral("test_picture_screenshot.png"));
    QVERIFY2(shown, "the picture page did not reach the screen");
    // The page sits right of the page buttons and inside the window.
    QVERIFY(tabs.left() > 185 && panel.right() < 1366 && panel.bottom() < 768);
    QVERIFY(tabs.right() < panel.left());
}

QTEST_MAIN(TestPictureScreenshot)
#include "test_picture_screenshot.moc"
