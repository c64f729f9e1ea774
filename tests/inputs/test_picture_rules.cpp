// The picture page's rules without widgets: the colour-temperature table,
// which entry and address each tab has in each working mode, the tab titles,
// and the colour scenes and gamma positions.
#include "ColorManagementDlg.h"
#include "KSV_PicSetDlg.h"
#include "LayerPicSetTabDlg.h"

#include <QtTest>

using Address = std::array<uint8_t, 3>;
Q_DECLARE_METATYPE(Address)

class TestPictureRules : public QObject {
    Q_OBJECT
private slots:
    void colorTempRows_data();
    void colorTempRows();
    void customRow_data();
    void customRow();
    void entryAndAddress_data();
    void entryAndAddress();
    void pictureValue_data();
    void pictureValue();
    void tabTitle_data();
    void tabTitle();
    void indexFromName_data();
    void indexFromName();
    void scenes_data();
    void scenes();
    void gammaPositions();
    void gammaLimits_data();
    void gammaLimits();
};

void TestPictureRules::colorTempRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("4000K") << 0 << "4000K" << 128 << 107 << 81;
    QTest::newRow("5000K") << 1 << "5000K" << 128 << 114 << 103;
    QTest::newRow("6500K") << 2 << "6500K" << 128 << 128 << 128;
    QTest::newRow("7500K") << 3 << "7500K" << 119 << 120 << 128;
    QTest::newRow("8200K") << 4 << "8200K" << 114 << 116 << 128;
    QTest::newRow("9300K") << 5 << "9300K" << 107 << 112 << 128;
    QTest::newRow("10000K") << 6 << "10000K" << 104 << 109 << 128;
    QTest::newRow("11500K") << 7 << "11500K" << 99 << 106 << 128;
    QTest::newRow("custom at start") << 8 << "" << 128 << 128 << 128;
    QTest::newRow("below") << -1 << "" << -1 << -1 << -1;
    QTest::newRow("above") << 9 << "" << -1 << -1 << -1;
    QTest::newRow("device's 255") << 255 << "" << -1 << -1 << -1;
}

void TestPictureRules::colorTempRows()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    const ColorTempTable table;
    QCOMPARE(ColorTempTable::fixedText(row), text);
    const ColorTempRow* r = table.row(row);
    if (red < 0) {
        QVERIFY(!r);
        return;
    }
    QVERIFY(r);
    QCOMPARE(r->index, row);
    QCOMPARE(QList<int>({r->red, r->green, r->blue}), QList<int>({red, green, blue}));
}

void TestPictureRules::customRow_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QList<int>>("custom");
    QTest::newRow("red") << int(SLIDER_RED) << true << QList<int>{90, 128, 128};
    QTest::newRow("green") << int(SLIDER_GREEN) << true << QList<int>{128, 90, 128};
    QTest::newRow("blue") << int(SLIDER_BLUE) << true << QList<int>{128, 128, 90};
    QTest::newRow("brightness") << int(SLIDER_BRIGHTNESS) << false << QList<int>{128, 128, 128};
    QTest::newRow("saturation") << int(SLIDER_SATURATION) << false << QList<int>{128, 128, 128};
    QTest::newRow("past the sliders") << 6 << false << QList<int>{128, 128, 128};
}

void TestPictureRules::customRow()
{
    QFETCH(int, slider);
    QFETCH(bool, taken);
    QFETCH(QList<int>, custom);
    ColorTempTable table;
    QCOMPARE(table.setCustomChannel(slider, 90), taken);
    const ColorTempRow* r = table.row(ColorTempTable::kCustom);
    QCOMPARE(QList<int>({r->red, r->green, r->blue}), custom);
    // The fixed rows never change.
    QCOMPARE(int(table.row(2)->red), 128);
    table.setCustom(1, 2, 3);
    QCOMPARE(QList<int>({r->red, r->green, r->blue}), QList<int>({1, 2, 3}));
}

void TestPictureRules::entryAndAddress_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("entry");  // set and index, empty for none
    QTest::addColumn<Address>("address");

    // Distinct LAYERBMAIN values show where the third byte comes from.
    QTest::newRow("mosaic 0") << 0 << 0 << "mosaic 0" << Address{0, 0, 10};
    QTest::newRow("mosaic 3") << 0 << 3 << "mosaic 3" << Address{0, 3, 13};
    QTest::newRow("mosaic 4") << 0 << 4 << "" << Address{};
    QTest::newRow("switcher 0") << 2 << 0 << "switch 3" << Address{2, 0, 1};
    QTest::newRow("switcher 1") << 2 << 1 << "switch 4" << Address{2, 1, 1};
    QTest::newRow("switcher 2") << 2 << 2 << "switch 5" << Address{2, 2, 1};
    QTest::newRow("switcher 3") << 2 << 3 << "" << Address{};
    QTest::newRow("backup 0") << 4 << 0 << "backup 0" << Address{4, 0, 1};
    QTest::newRow("backup 1") << 4 << 1 << "backup 1" << Address{4, 1, 0};
    QTest::newRow("backup 2") << 4 << 2 << "" << Address{};
    QTest::newRow("mode 1") << 1 << 0 << "" << Address{};
    QTest::newRow("mode 3") << 3 << 0 << "" << Address{};
    QTest::newRow("mode 5") << 5 << 0 << "" << Address{};
    QTest::newRow("mode -1") << -1 << 0 << "" << Address{};
    QTest::newRow("negative tab") << 0 << -1 << "" << Address{};
}

void TestPictureRules::entryAndAddress()
{
    QFETCH(int, mode);
    QFETCH(int, tab);
    QFETCH(QString, entry);
    QFETCH(Address, address);
    MData data;
    data.M_AllCfg.workMode = mode;
    for (int l = 0; l < MDataLimits::kMosaicLayers; ++l)
        data.M_MosaicLayerCfg.layer[l].bMain = uint8_t(10 + l);
    data.M_BackupLayerCfg.layer[0].bMain = 1;
    data.M_BackupLayerCfg.layer[1].bMain = 0;
    for (int l = 0; l < MDataLimits::kSwitchLayers; ++l)
        data.M_SwitchLayerCfg.layer[l].bMain = uint8_t(l / 3);

    LayerPictureCfg* expected = nullptr;
    if (!entry.isEmpty()) {
        const int i = entry.section(' ', 1).toInt();
        const QString set = entry.section(' ', 0, 0);
        expected = set == "mosaic"   ? &data.M_MosaicLayerCfg.picture[i]
                   : set == "switch" ? &data.M_SwitchLayerCfg.picture[i]
                                     : &data.M_BackupLayerCfg.picture[i];
    }
    QCOMPARE(PictureEntryOf(data, tab), expected);
    const auto addr = PictureAddressOf(data, tab);
    QCOMPARE(addr.has_value(), expected != nullptr);
    if (addr)
        QCOMPARE(*addr, address);
}

void TestPictureRules::pictureValue_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<float>("value");
    QTest::addColumn<QList<int>>("bytes");  // B, C, S, R, G, B of the entry after
    const QList<int> none{1, 2, 3, 4, 5, 6};
    QTest::newRow("brightness") << 0 << 77.9f << QList<int>{77, 2, 3, 4, 5, 6};
    QTest::newRow("contrast") << 1 << 100.0f << QList<int>{1, 100, 3, 4, 5, 6};
    QTest::newRow("saturation") << 2 << 0.0f << QList<int>{1, 2, 0, 4, 5, 6};
    QTest::newRow("red") << 3 << 255.0f << QList<int>{1, 2, 3, 255, 5, 6};
    QTest::newRow("green") << 4 << 90.0f << QList<int>{1, 2, 3, 4, 90, 6};
    QTest::newRow("blue") << 5 << 12.0f << QList<int>{1, 2, 3, 4, 5, 12};
    QTest::newRow("no slider 6") << 6 << 9.0f << none;
    QTest::newRow("no slider -1") << -1 << 9.0f << none;
}

void TestPictureRules::pictureValue()
{
    QFETCH(int, slider);
    QFETCH(float, value);
    QFETCH(QList<int>, bytes);
    LayerPictureCfg e;
    e.brightness = 1;
    e.contrast = 2;
    e.saturation = 3;
    e.colorTempR = 4;
    e.colorTempG = 5;
    e.colorTempB = 6;
    e.colorTempMode = 7;
    QCOMPARE(SetPictureValue(e, slider, value), slider >= 0 && slider < 6);
    QCOMPARE(QList<int>({e.brightness, e.contrast, e.saturation, e.colorTempR, e.colorTempG,
                         e.colorTempB}),
             bytes);
    QCOMPARE(e.colorTempMode, 7);
}

void TestPictureRules::tabTitle_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("bMain");
    QTest::addColumn<QString>("title");  // "-" leaves the title
    QTest::newRow("mosaic") << 0 << 2 << 1 << "layer-3";
    QTest::newRow("switcher") << 2 << 3 << 0 << "layer-4";
    QTest::newRow("backup main") << 4 << 0 << 0 << "Main Layer";
    QTest::newRow("backup backup") << 4 << 1 << 1 << "Backup Layer";
    QTest::newRow("backup unknown") << 4 << 0 << 7 << "";
    QTest::newRow("backup past the layers") << 4 << 2 << 1 << "layer-3";
    QTest::newRow("other mode") << 1 << 0 << 0 << "-";
    QTest::newRow("tab past the last") << 0 << 4 << 0 << "-";
    QTest::newRow("negative tab") << 4 << -1 << 0 << "-";
}

void TestPictureRules::tabTitle()
{
    QFETCH(int, mode);
    QFETCH(int, tab);
    QFETCH(int, bMain);
    QFETCH(QString, title);
    const std::optional<QString> got = PictureTabTitle(mode, tab, bMain);
    QCOMPARE(got.value_or(QStringLiteral("-")), title);
}

void TestPictureRules::indexFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");  // -100: not a number
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("negative") << "-2" << -2;
    QTest::newRow("form name") << "LayerPicSetTabDlg" << -100;
    QTest::newRow("empty") << "" << -100;
    QTest::newRow("hex") << "0x1" << -100;
}

void TestPictureRules::indexFromName()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(IndexFromName(name).value_or(-100), index);
}

void TestPictureRules::scenes_data()
{
    QTest::addColumn<int>("gammaMode");
    QTest::addColumn<int>("button");  // -1: no button changes
    QTest::newRow("low gray") << 0 << 1;
    QTest::newRow("suppress red") << 1 << 2;
    QTest::newRow("enhance blue") << 2 << 3;
    QTest::newRow("vivid") << 3 << 4;
    QTest::newRow("4") << 4 << -1;
    QTest::newRow("5") << 5 << -1;
    QTest::newRow("6") << 6 << -1;
    QTest::newRow("device's 7") << 7 << 0;
    QTest::newRow("disable") << 8 << 0;
    QTest::newRow("9") << 9 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void TestPictureRules::scenes()
{
    QFETCH(int, gammaMode);
    QFETCH(int, button);
    QCOMPARE(ColorScene::ButtonOfGammaMode(gammaMode), button);
    // Every button writes the mode it shows (7 is shown, never written).
    if (button >= 0 && gammaMode != 7)
        QCOMPARE(ColorScene::GammaModeOfButton(button), gammaMode);
}

void TestPictureRules::gammaPositions()
{
    // The slider reports position / 10 in float; every position comes back
    // as itself (0.7 as 7, 4.7 as 47) and shows as itself.
    for (int position = 0; position <= 50; ++position) {
        const float reported = float(position) / 10.0f;
        QCOMPARE(int(ColorScene::GammaValueOf(reported)), position);
        QCOMPARE(ColorScene::GammaSliderPosition(position), position);
    }
    QCOMPARE(ColorScene::GammaModeOfButton(5), -1);
    QCOMPARE(ColorScene::GammaModeOfButton(-1), -1);
}

void TestPictureRules::gammaLimits_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("below") << -0.3f << 0;
    QTest::newRow("above") << 7.0f << 50;
    QTest::newRow("rounding") << 2.449f << 24;
}

void TestPictureRules::gammaLimits()
{
    QFETCH(float, value);
    QFETCH(int, stored);
    QCOMPARE(int(ColorScene::GammaValueOf(value)), stored);
    QCOMPARE(ColorScene::GammaSliderPosition(255), 50);
}

QTEST_MAIN(TestPictureRules)
#include "test_picture_rules.moc"
