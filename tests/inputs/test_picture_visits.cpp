// The picture page in the main window, visited again and again through the
// page buttons as an operator goes between it and the system page: each visit
// leaves nothing behind.
#include "AppPaths.h"
#include "GuiTest.h"
#include "KSV_PicSetDlg.h"
#include "LayerPicSetTabDlg.h"
#include "MainWindow.h"
#include "MiddleHandler.h"

#include <QComboBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QSet>
#include <QStyleOptionComplex>
#include <QTemporaryDir>
#include <QtTest>
#include <vector>

namespace {

// The application's own style, noting the palette of every paint of one
// combo box that reaches it. The style caches the box's picture under the
// palette's cache key, so a palette never seen before is one more picture
// kept in the pixmap cache.
class PaletteNotes : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        if (control == CC_ComboBox && widget && widget == watched)
            keys.push_back(option->palette.cacheKey());
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    const QWidget* watched = nullptr;
    mutable std::vector<qint64> keys;
};

PaletteNotes* notes = nullptr;

QSet<qint64> distinct(const std::vector<qint64>& keys)
{
    return QSet<qint64>(keys.begin(), keys.end());
}

}  // namespace

class TestPictureVisits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void colourTemperatureBoxKeepsItsPicture();

private:
    QTemporaryDir appDir_;
};

void TestPictureVisits::initTestCase()
{
    // Before any widget and before the window's style sheet, which wraps
    // whatever style the application has.
    notes = new PaletteNotes;
    QApplication::setStyle(notes);
    InitAppResources();
    QVERIFY(appDir_.isValid());
    qputenv("LEDZ_APP_DIR", appDir_.path().toLocal8Bit());
}

void TestPictureVisits::cleanupTestCase()
{
    MiddleHandler::GetInstance()->ShutdownForTest();
}

void TestPictureVisits::colourTemperatureBoxKeepsItsPicture()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* picture = w.findChild<QPushButton*>(QStringLiteral("PicSet_Btn"));
    auto* system = w.findChild<QPushButton*>(QStringLiteral("pushButton_8"));
    QVERIFY(picture && system);
    // The page may be built only when first opened: open it once, leave it,
    // and watch the box from the next visit on.
    picture->click();
    system->click();
    auto* page = w.findChild<KSV_PicSetDlg*>();
    QVERIFY(page);
    auto* box = page->tab(0)->findChild<QComboBox*>(QStringLiteral("comboBox"));
    QVERIFY(box);
    notes->watched = box;

    picture->click();
    QTRY_VERIFY(!notes->keys.empty());
    const QSet<qint64> firstVisit = distinct(notes->keys);

    constexpr int kVisits = 12;
    for (int i = 0; i < kVisits; ++i) {
        system->click();
        QTRY_VERIFY(!box->isVisible());
        const size_t paints = notes->keys.size();
        picture->click();
        QTRY_VERIFY(notes->keys.size() > paints);
    }
    // Every later paint of the box comes with a palette of the first visit.
    const QSet<qint64> all = distinct(notes->keys);
    QCOMPARE(all.size(), firstVisit.size());
    QCOMPARE(all, firstVisit);
}

LEDZ_GUI_TEST_MAIN(TestPictureVisits)
#include "test_picture_visits.moc"
