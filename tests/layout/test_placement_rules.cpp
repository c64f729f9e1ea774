// The layer placement rules over records built here: rotation, output-window
// resources, tiles, logo size, parking and re-placing, and indexes out of
// range in what a reply or a project file delivered.
#include "LayerPlacementRules.h"

#include <QtTest>

#include <functional>

using namespace LayerPlacement;

namespace {

// Mosaic mode, DVI output mode, four 1920 x 1080 windows on in a 2 x 2 wall
// (0..3839 x 0..2159); input 0 shows 1920 x 1080 on its port 0, input 1
// 1100 x 1080 on both halves of port 1; all layers off at (100, 100) 800 x 600.
MData DviWall()
{
    MData d;
    d.M_AllCfg.workMode = MOSAIC_MODE;
    d.M_OutputData.M_OutputResoCfg.outputMode = DVI_MODE;
    d.M_OutputData.M_OutputResoCfg.hact = 1920;
    d.M_OutputData.M_OutputResoCfg.vact = 1080;
    for (int i = 0; i < 4; ++i) {
        OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[i];
        w.onOff = 1;
        w.mosaicHs = (i % 2) * 1920;
        w.mosaicVs = (i / 2) * 1080;
        w.hact = w.mosaicHact = 1920;
        w.vact = w.mosaicVact = 1080;
    }
    d.M_InputData.port[0].actId = 0;
    d.M_InputData.signal[0].width[0][0] = 1920;
    d.M_InputData.signal[0].height[0][0] = 1080;
    d.M_InputData.port[1].actId = 1;
    for (int half = 0; half < 2; ++half) {
        d.M_InputData.signal[1].width[half][1] = 1100;
        d.M_InputData.signal[1].height[half][1] = 1080;
    }
    for (LayerRecord& l : d.M_MosaicLayerCfg.layer) {
        l.hs = l.vs = 100;
        l.hact = 800;
        l.vact = 600;
    }
    return d;
}

// HDMI output mode: window 4 on at (0, 0), 3840 x 1080 (halves 0..1919 and
// 1920..3839); windows 0..3 stay as they are but do not count.
MData HdmiWall()
{
    MData d = DviWall();
    d.M_OutputData.M_OutputResoCfg.outputMode = HDMI_MODE;
    OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[4];
    w.onOff = 1;
    w.hact = w.mosaicHact = 3840;
    w.vact = w.mosaicVact = 1080;
    return d;
}

void Place(LayerRecord& l, int x, int y, int w, int h)
{
    l.hs = uint32_t(x);
    l.vs = uint32_t(y);
    l.hact = uint32_t(w);
    l.vact = uint32_t(h);
}

void UseTile(MData& d, int layer, int tile, std::initializer_list<int> inputs)
{
    LayerRecord& l = d.M_MosaicLayerCfg.layer[layer];
    l.tileEnable = 1;
    l.tileId = uint8_t(tile);
    l.inputId = uint8_t(6 + tile);
    InputTileCfg& t = d.M_InputData.tile[tile];
    t.count = int(inputs.size());
    int k = 0;
    for (int input : inputs) {
        t.input[k] = input;
        t.half[k] = k % 2;
        ++k;
    }
}

struct Case {
    const char* name;
    std::function<void(MData&)> setup;
    int layer;
    bool expected;
};

using Build = MData (*)();

void RunTable(Build base, const std::vector<Case>& cases,
              const std::function<bool(const MData&, int)>& rule)
{
    for (const Case& c : cases) {
        MData d = base();
        c.setup(d);
        QVERIFY2(rule(d, c.layer) == c.expected, c.name);
    }
}

}  // namespace

class TestPlacementRules : public QObject {
    Q_OBJECT
private slots:
    void rotationInDviMode();
    void rotationInHdmiMode();
    void rotationWithIndexesOutOfRange();
    void resourceCountsRegionOverlaps();
    void resourceRefusalParksBelowTheOutputs();
    void storingADrag();
    void resetUnderTheResourceRule();
    void tileRule();
    void layerOnUnderTheRules();
    void refusedSourceChange();
    void logoChecks();
    void logoSwitch();
    void boundingRectAndParking();
    void replacingAfterOutputLayout();
    void messagesKeepTheirTexts();
};

void TestPlacementRules::rotationInDviMode()
{
    RunTable(
        DviWall,
        {
            {"inside one window", [](MData&) {}, 0, true},
            {"across two windows",
             [](MData& d) { Place(d.M_MosaicLayerCfg.layer[0], 1800, 100, 400, 300); }, 0, false},
            {"outside every window",
             [](MData& d) { Place(d.M_MosaicLayerCfg.layer[0], 4000, 100, 400, 300); }, 0, false},
            {"logo on", [](MData& d) { d.M_MosaicLayerCfg.layer[0].logoOnOff = 1; }, 0, false},
            {"source 2176 wide", [](MData& d) { d.M_InputData.signal[0].width[0][0] = 2176; }, 0,
             true},
            {"source 2177 wide", [](MData& d) { d.M_InputData.signal[0].width[0][0] = 2177; }, 0,
             false},
            {"tile of two 1100-wide sources",
             [](MData& d) {
                 UseTile(d, 0, 0, {1, 1});
             },
             0, false},
            {"tile of two sources, 1000 wide",
             [](MData& d) {
                 UseTile(d, 0, 1, {1, 1});
                 d.M_InputData.signal[1].width[0][1] = d.M_InputData.signal[1].width[1][1] = 1000;
             },
             0, true},
            {"tile of one source", [](MData& d) { UseTile(d, 0, 0, {0}); }, 0, false},
            {"switcher mode", [](MData& d) { d.M_AllCfg.workMode = SWITCHER_MODE; }, 0, false},
            {"other output mode: no region condition",
             [](MData& d) {
                 d.M_OutputData.M_OutputResoCfg.outputMode = 2;
                 Place(d.M_MosaicLayerCfg.layer[0], 1800, 100, 400, 300);
             },
             0, true},
            {"layer outside the set", [](MData&) {}, 4, false},
            {"negative layer", [](MData&) {}, -1, false},
        },
        IsRotationAvailable);
}

void TestPlacementRules::rotationInHdmiMode()
{
    RunTable(
        HdmiWall,
        {
            {"left half of window 4",
             [](MData& d) { Place(d.M_MosaicLayerCfg.layer[0], 0, 0, 1920, 1080); }, 0, true},
            {"right half of window 4",
             [](MData& d) { Place(d.M_MosaicLayerCfg.layer[0], 2000, 10, 500, 500); }, 0, true},
            {"across the middle",
             [](MData& d) { Place(d.M_MosaicLayerCfg.layer[0], 1900, 0, 40, 100); }, 0, false},
            {"window 4 off", [](MData& d) { d.M_OutputData.M_OPDisplayCfg[4].onOff = 0; }, 0,
             false},
        },
        IsRotationAvailable);
}

void TestPlacementRules::rotationWithIndexesOutOfRange()
{
    // 255 marks an empty slot in the device's replies; any such index is a
    // source of unknown width, which never rotates, and never reads outside
    // the record.
    RunTable(
        DviWall,
        {
            {"input 255", [](MData& d) { d.M_MosaicLayerCfg.layer[0].inputId = 255; }, 0, false},
            {"half 255", [](MData& d) { d.M_MosaicLayerCfg.layer[0].halfId = 255; }, 0, false},
            {"active port 255", [](MData& d) { d.M_InputData.port[0].actId = 255; }, 0, false},
            {"tile 255",
             [](MData& d) {
                 UseTile(d, 0, 0, {1, 1});
                 d.M_MosaicLayerCfg.layer[0].tileId = 255;
             },
             0, false},
            {"tile count 255",
             [](MData& d) {
                 UseTile(d, 0, 0, {0, 0});
                 d.M_InputData.tile[0].count = 255;
             },
             0, false},
            {"tile count -1",
             [](MData& d) {
                 UseTile(d, 0, 0, {0, 0});
                 d.M_InputData.tile[0].count = -1;
             },
             0, false},
            {"tile source input 255",
             [](MData& d) {
                 UseTile(d, 0, 0, {0, 0});
                 d.M_InputData.tile[0].input[1] = 255;
             },
             0, false},
            {"tile source half 255",
             [](MData& d) {
                 UseTile(d, 0, 0, {0, 0});
                 d.M_InputData.tile[0].half[1] = 255;
             },
             0, false},
        },
        IsRotationAvailable);

    MData d = DviWall();
    QCOMPARE(SignalWidth(d, 0, 0), 1920);
    QCOMPARE(SignalWidth(d, 255, 0), 0);
    QCOMPARE(SignalWidth(d, 0, 255), 0);
    QCOMPARE(SignalWidth(d, -1, 0), 0);
    d.M_InputData.port[0].actId = 3;
    QCOMPARE(SignalWidth(d, 0, 0), 0);
}

void TestPlacementRules::resourceCountsRegionOverlaps()
{
    // Each of layers 1..3 on and straddling two windows: 6 overlaps.
    auto threeAcross = [](MData& d) {
        for (int i = 1; i < 4; ++i) {
            d.M_MosaicLayerCfg.layer[i].onOff = 1;
            Place(d.M_MosaicLayerCfg.layer[i], 1800, 100 + 200 * i, 400, 100);
        }
    };
    struct R {
        const char* name;
        std::function<void(MData&)> setup;
        QRect candidate;
        bool exceeds;
    };
    const std::vector<R> cases = {
        {"8 overlaps pass", threeAcross, QRect(1800, 0, 400, 100), false},
        {"a ninth is too many", threeAcross, QRect(1800, 1000, 400, 200), true},
        {"layer off still counts its candidate",
         [&](MData& d) {
             threeAcross(d);
             d.M_MosaicLayerCfg.layer[0].onOff = 0;
         },
         QRect(1800, 1000, 400, 200), true},
        {"a layer that is off does not count",
         [&](MData& d) {
             threeAcross(d);
             d.M_MosaicLayerCfg.layer[3].onOff = 0;
         },
         QRect(0, 0, 3840, 2160), false},
        {"one layer over all four windows", [](MData&) {}, QRect(0, 0, 3840, 2160), false},
        {"switcher mode has no resource rule",
         [&](MData& d) {
             threeAcross(d);
             d.M_AllCfg.workMode = SWITCHER_MODE;
         },
         QRect(1800, 1000, 400, 200), false},
        {"output mode 2 has no resource rule",
         [&](MData& d) {
             threeAcross(d);
             d.M_OutputData.M_OutputResoCfg.outputMode = 2;
         },
         QRect(1800, 1000, 400, 200), false},
        {"touching an edge is an overlap",
         [&](MData& d) {
             threeAcross(d);
             Place(d.M_MosaicLayerCfg.layer[1], 1919, 0, 1, 1080);  // one window
         },
         QRect(1919, 1079, 2, 2), true},  // 5 + 4
        {"empty candidate", threeAcross, QRect(0, 0, -1, -1), false},
    };
    for (const R& c : cases) {
        MData d = DviWall();
        c.setup(d);
        QVERIFY2(ExceedsWindowResource(d, 0, c.candidate) == c.exceeds, c.name);
    }

    // HDMI mode: each window half is a region of its own.
    MData h = HdmiWall();
    for (int i = 1; i < 4; ++i) {
        h.M_MosaicLayerCfg.layer[i].onOff = 1;
        Place(h.M_MosaicLayerCfg.layer[i], 1800, 100 * i, 400, 50);
    }
    QVERIFY(!ExceedsWindowResource(h, 0, QRect(1800, 0, 400, 50)));
    h.M_OutputData.M_OPDisplayCfg[5] = h.M_OutputData.M_OPDisplayCfg[4];
    h.M_OutputData.M_OPDisplayCfg[5].mosaicVs = 1080;
    QVERIFY(ExceedsWindowResource(h, 0, QRect(1800, 1000, 400, 200)));
}

void TestPlacementRules::resourceRefusalParksBelowTheOutputs()
{
    MData d = DviWall();
    for (int i = 1; i < 4; ++i) {
        d.M_MosaicLayerCfg.layer[i].onOff = 1;
        Place(d.M_MosaicLayerCfg.layer[i], 1800, 100 + 200 * i, 400, 100);
    }
    Place(d.M_MosaicLayerCfg.layer[0], 10, 20, 640, 480);
    const MData before = d;

    // 8 overlaps: the drag may be stored, nothing changes.
    QVERIFY(CheckDrag(d, 0, QRect(1800, 0, 400, 100)).isEmpty());
    QCOMPARE(d.M_MosaicLayerCfg.layer[0].hs, 10u);

    // The ninth: refused, parked at the left edge just below the wall, with
    // its stored size; the requested rectangle is not stored.
    const RuleMessage m = CheckDrag(d, 0, QRect(1800, 1000, 400, 200));
    QCOMPARE(QString::fromLatin1(m.title), QStringLiteral("Resource Constraints"));
    QCOMPARE(QString::fromLatin1(m.text),
             QStringLiteral("Layer Can't Be Applied To Output Windows"));
    const LayerRecord& l = d.M_MosaicLayerCfg.layer[0];
    QCOMPARE(l.hs, 0u);
    QCOMPARE(l.vs, 2160u);
    QCOMPARE(l.hact, 640u);
    QCOMPARE(l.vact, 480u);
    // Parked, it touches no output.
    QVERIFY(!ExceedsWindowResource(d, 0, LayerRect(l)));
    for (const QRect& region : OutputRegions(d))
        QVERIFY(!region.intersects(LayerRect(l)));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(d.M_MosaicLayerCfg.layer[i].hs, before.M_MosaicLayerCfg.layer[i].hs);
}

void TestPlacementRules::storingADrag()
{
    // Mosaic: position and size; a logo keeps its size.
    MData d = DviWall();
    QVERIFY(StoreDraggedRect(d, 1, QRect(10, 20, 300, 200)));
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[1]), QRect(10, 20, 300, 200));
    d.M_MosaicLayerCfg.layer[1].logoOnOff = 1;
    QVERIFY(StoreDraggedRect(d, 1, QRect(30, 40, 500, 500)));
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[1]), QRect(30, 40, 300, 200));
    QVERIFY(!StoreDraggedRect(d, 4, QRect(0, 0, 1, 1)));

    // Switcher: group 1's record.
    d.M_AllCfg.workMode = SWITCHER_MODE;
    QVERIFY(StoreDraggedRect(d, 2, QRect(5, 6, 7, 8)));
    QCOMPARE(LayerRect(d.M_SwitchLayerCfg.layer[5]), QRect(5, 6, 7, 8));
    QCOMPARE(d.M_SwitchLayerCfg.layer[2].hs, 0u);

    // Backup: the partner follows; its logo decides the size of both.
    struct B {
        const char* name;
        int bMain1;
        int partnerLogo;
        int partner;
        bool sized;
    };
    const B cases[] = {
        {"record 1 is the partner", 1, 0, 1, true},
        {"record 0 is the partner", 0, 0, 0, true},
        {"the partner's logo keeps both sizes", 1, 1, 1, false},
    };
    for (const B& c : cases) {
        MData b = DviWall();
        b.M_AllCfg.workMode = BACKUP_MODE;
        for (LayerRecord& l : b.M_BackupLayerCfg.layer)
            Place(l, 1, 1, 10, 10);
        b.M_BackupLayerCfg.layer[1].bMain = uint8_t(c.bMain1);
        b.M_BackupLayerCfg.layer[c.partner].logoOnOff = uint8_t(c.partnerLogo);
        QVERIFY2(StoreDraggedRect(b, 0, QRect(100, 200, 300, 400)), c.name);
        const QRect expected = c.sized ? QRect(100, 200, 300, 400) : QRect(100, 200, 10, 10);
        QVERIFY2(LayerRect(b.M_BackupLayerCfg.layer[0]) == expected, c.name);
        QVERIFY2(LayerRect(b.M_BackupLayerCfg.layer[c.partner]) == expected, c.name);
    }
}

void TestPlacementRules::resetUnderTheResourceRule()
{
    // A layer that is not rotated has no output area: 0, 0, 1920 x 1080.
    MData d = DviWall();
    QVERIFY(ApplyReset(d, 0).isEmpty());
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[0]), QRect(0, 0, 1920, 1080));

    // A rotated layer inside window 3 takes the window.
    Place(d.M_MosaicLayerCfg.layer[0], 2000, 1200, 100, 100);
    d.M_MosaicLayerCfg.layer[0].rotation = ROTATE_90;
    QVERIFY(ApplyReset(d, 0).isEmpty());
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[0]), QRect(1920, 1080, 1920, 1080));

    // Eight overlaps taken by the others: the reset layer is parked.
    d = DviWall();
    for (int i = 1; i < 3; ++i) {
        d.M_MosaicLayerCfg.layer[i].onOff = 1;
        Place(d.M_MosaicLayerCfg.layer[i], 1800, 900 + 20 * i, 400, 400);  // 4 windows each
    }
    QCOMPARE(ApplyReset(d, 0).text, kResourceRefused.text);
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[0]), QRect(0, 2160, 1920, 1080));

    // Backup mode: no area and no rule.
    MData b = DviWall();
    b.M_AllCfg.workMode = BACKUP_MODE;
    QVERIFY(ApplyReset(b, 1).isEmpty());
    QCOMPARE(LayerRect(b.M_BackupLayerCfg.layer[1]), QRect(0, 0, 1920, 1080));
}

void TestPlacementRules::tileRule()
{
    struct T {
        const char* name;
        std::function<void(MData&)> setup;
        int layer;
        bool allowed;
    };
    auto on = [](MData& d, std::initializer_list<int> layers) {
        for (int i : layers)
            d.M_MosaicLayerCfg.layer[i].onOff = 1;
    };
    const std::vector<T> cases = {
        {"no tiles: every layer",
         [&](MData& d) {
             on(d, {0, 1, 2, 3});
         },
         2, true},
        {"4-source tile on layer 0 refuses layer 1",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1, 0, 1});
             on(d, {0});
         },
         1, false},
        {"4-source tile on layer 0 that is off lets layer 1 on",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1, 0, 1});
         },
         1, true},
        {"4-source tile on layer 0 with layer 3 on",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1, 0, 1});
             on(d, {3});
         },
         0, false},
        {"2-source tile on layer 0 with layer 2 on",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1});
             on(d, {2});
         },
         0, false},
        {"2-source tile on layer 0 with layer 3 on",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1});
             on(d, {3});
         },
         0, true},
        {"two 2-source tiles coexist",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1});
             UseTile(d, 1, 1, {1, 0});
             on(d, {0, 1});
         },
         1, true},
        {"3-source tile on layer 1 beside a tile on layer 0",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1});
             UseTile(d, 1, 1, {1, 0, 1});
             on(d, {0});
         },
         1, false},
        {"3-source tile on layer 1 with layer 2 on",
         [&](MData& d) {
             UseTile(d, 1, 1, {1, 0, 1});
             on(d, {2});
         },
         1, false},
        {"layer 2 never takes a tile",
         [](MData& d) {
             UseTile(d, 2, 0, {0, 1});
         },
         2, false},
        {"layer 3 beside a 2-source tile on layer 0",
         [](MData& d) {
             UseTile(d, 0, 0, {0, 1});
         },
         3, true},
        {"layer 3 beside a 3-source tile on layer 0",
         [](MData& d) {
             UseTile(d, 0, 0, {0, 1, 0});
         },
         3, false},
        {"own tile index 255 is refused",
         [](MData& d) {
             UseTile(d, 0, 0, {0, 1});
             d.M_MosaicLayerCfg.layer[0].tileId = 255;
         },
         0, false},
        {"own tile count 255 is refused",
         [](MData& d) {
             UseTile(d, 1, 1, {0, 1});
             d.M_InputData.tile[1].count = 255;
         },
         1, false},
        {"another layer's tile index 255 counts as no known size",
         [&](MData& d) {
             UseTile(d, 0, 0, {0, 1, 0, 1});
             d.M_MosaicLayerCfg.layer[0].tileId = 255;
             on(d, {0});
         },
         1, true},
        {"switcher: layer 0 takes a tile",
         [](MData& d) {
             d.M_AllCfg.workMode = SWITCHER_MODE;
             d.M_SwitchLayerCfg.layer[3].tileEnable = 1;
         },
         0, true},
        {"switcher: layer 1 does not",
         [](MData& d) {
             d.M_AllCfg.workMode = SWITCHER_MODE;
             d.M_SwitchLayerCfg.layer[4].tileEnable = 1;
         },
         1, false},
        {"switcher: group 0's tiles do not count",
         [](MData& d) {
             d.M_AllCfg.workMode = SWITCHER_MODE;
             d.M_SwitchLayerCfg.layer[1].tileEnable = 1;
         },
         1, true},
        {"backup: no rule",
         [](MData& d) {
             d.M_AllCfg.workMode = BACKUP_MODE;
             UseTile(d, 2, 0, {0, 1});
         },
         2, true},
        {"layer outside the set", [](MData&) {}, 7, true},
    };
    for (const T& c : cases) {
        MData d = DviWall();
        c.setup(d);
        QVERIFY2(IsLayerSourceAllowed(d, c.layer) == c.allowed, c.name);
    }
}

void TestPlacementRules::layerOnUnderTheRules()
{
    // The tile rule first: the record stays as it was.
    MData d = DviWall();
    UseTile(d, 0, 0, {0, 1, 0, 1});
    d.M_MosaicLayerCfg.layer[0].onOff = 1;
    MData before = d;
    QCOMPARE(QString::fromLatin1(CheckLayerOn(d, 1).text),
             QStringLiteral("Layer Input Srouce Settings Cannot Be Applied."));
    QCOMPARE(d.M_MosaicLayerCfg.layer[1].onOff, before.M_MosaicLayerCfg.layer[1].onOff);
    QCOMPARE(d.M_MosaicLayerCfg.layer[1].hs, before.M_MosaicLayerCfg.layer[1].hs);

    // Then the resource rule, with the logo's size in place of the layer's.
    d = DviWall();
    for (int i = 1; i < 4; ++i) {
        d.M_MosaicLayerCfg.layer[i].onOff = 1;
        Place(d.M_MosaicLayerCfg.layer[i], 1800, 100 + 200 * i, 400, 100);
    }
    LayerRecord& l = d.M_MosaicLayerCfg.layer[0];
    Place(l, 1800, 1000, 100, 50);  // within window 0 with its own size
    l.logoOnOff = 1;
    l.logoWidth = 400;  // across all four with the logo
    l.logoHeight = 200;
    l.onOff = 1;
    QCOMPARE(CheckLayerOn(d, 0).text, kResourceRefused.text);
    QCOMPARE(l.onOff, uint8_t(0));
    QCOMPARE(l.vs, 2160u);
    l.logoOnOff = 0;
    l.vs = 1000;
    QVERIFY(CheckLayerOn(d, 0).isEmpty());

    // Backup mode: no rules.
    d.M_AllCfg.workMode = BACKUP_MODE;
    QVERIFY(CheckLayerOn(d, 1).isEmpty());
}

void TestPlacementRules::refusedSourceChange()
{
    // Layer 0 on with input 0; layer 1 on with tile 1 (two sources); tile 0
    // has four.
    MData d = DviWall();
    d.M_MosaicLayerCfg.layer[0].onOff = 1;
    UseTile(d, 1, 1, {0, 1});
    UseTile(d, 2, 0, {0, 1, 0, 1});
    d.M_MosaicLayerCfg.layer[2].tileEnable = 0;
    d.M_MosaicLayerCfg.layer[1].onOff = 1;
    d.M_MosaicLayerCfg.layer[1].halfId = 1;

    // Tile 0 on layer 1 would exclude layer 0: the old tile comes back with
    // its own tile index.
    SourceChange c = ApplySourceChange(d, 1, 6, 0);
    QCOMPARE(c.message.text, kSourceRefused.text);
    QVERIFY(c.restored);
    QCOMPARE(c.oldInputId, uint8_t(7));
    QCOMPARE(c.oldHalfId, uint8_t(1));
    const LayerRecord& l1 = d.M_MosaicLayerCfg.layer[1];
    QCOMPARE(l1.inputId, uint8_t(7));
    QCOMPARE(l1.halfId, uint8_t(1));
    QCOMPARE(l1.tileEnable, uint8_t(1));
    QCOMPARE(l1.tileId, uint8_t(1));

    // A plain input comes back without a tile.
    d.M_MosaicLayerCfg.layer[1].inputId = 2;
    d.M_MosaicLayerCfg.layer[1].tileEnable = 0;
    c = ApplySourceChange(d, 1, 6, 0);
    QVERIFY(c.restored);
    QCOMPARE(l1.inputId, uint8_t(2));
    QCOMPARE(l1.tileEnable, uint8_t(0));

    // A layer that is off keeps the refused source.
    d.M_MosaicLayerCfg.layer[1].onOff = 0;
    c = ApplySourceChange(d, 1, 6, 0);
    QCOMPARE(c.message.text, kSourceRefused.text);
    QVERIFY(!c.restored);
    QCOMPARE(l1.inputId, uint8_t(6));
    QCOMPARE(l1.tileId, uint8_t(0));

    // An allowed change: the new source, plain.
    c = ApplySourceChange(d, 1, 3, 1);
    QVERIFY(c.message.isEmpty());
    QCOMPARE(l1.inputId, uint8_t(3));
    QCOMPARE(l1.tileEnable, uint8_t(0));

    // An index outside the working mode's set changes nothing.
    d.M_AllCfg.workMode = BACKUP_MODE;
    const MData before = d;
    c = ApplySourceChange(d, 2, 6, 0);
    QVERIFY(c.message.isEmpty());
    QCOMPARE(d.M_BackupLayerCfg.layer[0].inputId, before.M_BackupLayerCfg.layer[0].inputId);
}

void TestPlacementRules::logoChecks()
{
    auto switcher = [] {
        MData d = DviWall();
        d.M_AllCfg.workMode = SWITCHER_MODE;
        d.M_LogoInfo.state = 1;
        d.M_LogoInfo.workMode = SWITCHER_MODE;
        d.M_LogoInfo.width = 1000;
        d.M_LogoInfo.height = 100;
        return d;
    };
    struct L {
        const char* name;
        std::function<void(MData&)> setup;
        int layer;
        const char* text;  // null: allowed
        uint32_t hs, vs;
        bool moved;
    };
    const std::vector<L> cases = {
        {"layer 1's half is 960 wide", [](MData&) {}, 1, kLogoExceedsLayer.text, 0, 0, false},
        {"layer 2's half too", [](MData&) {}, 2, kLogoExceedsLayer.text, 0, 0, false},
        {"layer 0 at hs 1500 moves to 920", [](MData& d) { d.M_SwitchLayerCfg.layer[3].hs = 1500; },
         0, nullptr, 920, 0, true},
        {"layer 0 at vs 1000 moves to 980", [](MData& d) { d.M_SwitchLayerCfg.layer[3].vs = 1000; },
         0, nullptr, 0, 980, true},
        {"layer 0 at 900 stays", [](MData& d) { d.M_SwitchLayerCfg.layer[3].hs = 900; }, 0, nullptr,
         900, 0, false},
        {"wider than the output", [](MData& d) { d.M_LogoInfo.width = 1921; }, 0,
         kLogoExceedsOutput.text, 0, 0, false},
        {"higher than the output", [](MData& d) { d.M_LogoInfo.height = 1081; }, 0,
         kLogoExceedsOutput.text, 0, 0, false},
        {"a 960-wide logo fits layer 1", [](MData& d) { d.M_LogoInfo.width = 960; }, 1, nullptr, 0,
         0, false},
        {"no logo stored", [](MData& d) { d.M_LogoInfo.state = 0; }, 0, kLogoMissing.text, 0, 0,
         false},
        {"logo of another mode", [](MData& d) { d.M_LogoInfo.workMode = MOSAIC_MODE; }, 0,
         kLogoOtherMode.text, 0, 0, false},
        {"mosaic: no size check",
         [](MData& d) {
             d.M_AllCfg.workMode = d.M_LogoInfo.workMode = MOSAIC_MODE;
             d.M_LogoInfo.width = 5000;
         },
         0, nullptr, 100, 100, false},
    };
    for (const L& c : cases) {
        MData d = switcher();
        c.setup(d);
        const LogoPlacement p = CheckLogoOn(d, c.layer);
        QVERIFY2(p.message.text == c.text, c.name);
        if (!c.text) {
            QVERIFY2(p.hs == c.hs && p.vs == c.vs && p.moved == c.moved, c.name);
        }
    }
    QCOMPARE(QString::fromLatin1(kLogoExceedsLayer.text),
             QStringLiteral("Logo Size Exceed Layer Restrict Size."));
    QCOMPARE(QString::fromLatin1(kLogoExceedsLayer.title), QStringLiteral("Cannot Open Logo"));
}

void TestPlacementRules::logoSwitch()
{
    // A 1000 x 100 logo stored for the working mode.
    auto withLogo = [](int mode) {
        MData d = DviWall();
        d.M_AllCfg.workMode = mode;
        d.M_LogoInfo.state = 1;
        d.M_LogoInfo.workMode = mode;
        d.M_LogoInfo.width = 1000;
        d.M_LogoInfo.height = 100;
        return d;
    };

    // Mosaic, on: the rotation goes first, the logo size is the layer's.
    MData d = withLogo(MOSAIC_MODE);
    LayerRecord& m = d.M_MosaicLayerCfg.layer[0];
    m.rotation = ROTATE_90;
    LogoSwitch s = ApplyLogoSwitch(d, 0, true);
    QVERIFY(s.refused.isEmpty() && s.resource.isEmpty() && s.applied);
    QVERIFY(s.rotationReset);
    QCOMPARE(m.rotation, int32_t(ROTATE_NONE));
    QCOMPARE(m.logoOnOff, uint8_t(1));
    QCOMPARE(LayerRect(m, true), QRect(100, 100, 1000, 100));
    // Off: no rotation command; the logo size is written all the same.
    d.M_LogoInfo.width = 500;
    s = ApplyLogoSwitch(d, 0, false);
    QVERIFY(s.applied && !s.rotationReset);
    QCOMPARE(m.logoOnOff, uint8_t(0));
    QCOMPARE(m.logoWidth, 500);

    // Mosaic, on, with the logo across all four windows beside 6 overlaps:
    // parked, and the edit goes on.
    d = withLogo(MOSAIC_MODE);
    for (int i = 1; i < 4; ++i) {
        d.M_MosaicLayerCfg.layer[i].onOff = 1;
        Place(d.M_MosaicLayerCfg.layer[i], 1800, 100 + 200 * i, 400, 100);
    }
    Place(d.M_MosaicLayerCfg.layer[0], 1500, 1000, 10, 10);
    s = ApplyLogoSwitch(d, 0, true);
    QCOMPARE(s.resource.text, kResourceRefused.text);
    QVERIFY(s.rotationReset && s.applied);
    QCOMPARE(LayerRect(d.M_MosaicLayerCfg.layer[0], true), QRect(0, 2160, 1000, 100));

    // Switcher: moved inside the output; refused for a half too narrow; off
    // keeps the size.
    d = withLogo(SWITCHER_MODE);
    d.M_SwitchLayerCfg.layer[3].hs = 1500;
    s = ApplyLogoSwitch(d, 0, true);
    QVERIFY(s.moved && s.applied && !s.rotationReset);
    QCOMPARE(d.M_SwitchLayerCfg.layer[3].hs, 920u);
    QCOMPARE(d.M_SwitchLayerCfg.layer[3].logoOnOff, uint8_t(1));
    d.M_LogoInfo.width = 10;
    s = ApplyLogoSwitch(d, 0, false);
    QCOMPARE(d.M_SwitchLayerCfg.layer[3].logoOnOff, uint8_t(0));
    QCOMPARE(d.M_SwitchLayerCfg.layer[3].logoWidth, 1000);
    d.M_LogoInfo.width = 1000;
    s = ApplyLogoSwitch(d, 1, true);
    QCOMPARE(s.refused.text, kLogoExceedsLayer.text);
    QVERIFY(!s.applied);
    QCOMPARE(d.M_SwitchLayerCfg.layer[4].logoOnOff, uint8_t(0));

    // No logo on the device: refused before anything changes.
    d = withLogo(MOSAIC_MODE);
    d.M_LogoInfo.state = 0;
    s = ApplyLogoSwitch(d, 0, true);
    QCOMPARE(s.refused.text, kLogoMissing.text);
    QCOMPARE(d.M_MosaicLayerCfg.layer[0].logoOnOff, uint8_t(0));

    // Backup: the records with bMain 1 follow.
    d = withLogo(BACKUP_MODE);
    d.M_BackupLayerCfg.layer[1].bMain = 1;
    s = ApplyLogoSwitch(d, 0, true);
    QCOMPARE(s.followers, QVector<int>({1}));
    QCOMPARE(d.M_BackupLayerCfg.layer[1].logoOnOff, uint8_t(1));
    QCOMPARE(d.M_BackupLayerCfg.layer[1].logoWidth, 1000);

    // A working mode without layers: nothing.
    d = withLogo(1);
    s = ApplyLogoSwitch(d, 0, true);
    QVERIFY(!s.applied && s.refused.isEmpty());
}

void TestPlacementRules::boundingRectAndParking()
{
    struct B {
        const char* name;
        std::function<void(MData&)> setup;
        QRect expected;
    };
    const QRect none(0, 0, -1, -1);
    const std::vector<B> cases = {
        {"four DVI windows", [](MData&) {}, QRect(0, 0, 3840, 2160)},
        {"area sizes, not window sizes",
         [](MData& d) { d.M_OutputData.M_OPDisplayCfg[3].mosaicHact = 1000; },
         QRect(0, 0, 3840, 2160)},
        {"window 3's area smaller",
         [](MData& d) {
             d.M_OutputData.M_OPDisplayCfg[1].onOff = 0;
             d.M_OutputData.M_OPDisplayCfg[3].mosaicHact = 1000;
         },
         QRect(0, 0, 2920, 2160)},
        {"only window 0",
         [](MData& d) {
             for (int i = 1; i < 4; ++i)
                 d.M_OutputData.M_OPDisplayCfg[i].onOff = 0;
         },
         QRect(0, 0, 1920, 1080)},
        {"none on",
         [](MData& d) {
             for (int i = 0; i < 4; ++i)
                 d.M_OutputData.M_OPDisplayCfg[i].onOff = 0;
         },
         none},
        {"HDMI output mode: windows 4 and 5", [](MData& d) { d = HdmiWall(); },
         QRect(0, 0, 3840, 1080)},
        {"switcher mode: windows 4 and 5, none on",
         [](MData& d) { d.M_AllCfg.workMode = SWITCHER_MODE; }, none},
    };
    for (const B& c : cases) {
        MData d = DviWall();
        c.setup(d);
        QVERIFY2(OutputBoundingRect(d) == c.expected, c.name);
    }

    LayerRecord l;
    Place(l, 5, 6, 7, 8);
    QVERIFY(!ParkLayer(l, none));
    QCOMPARE(l.hs, 5u);
    QVERIFY(ParkLayer(l, QRect(10, 20, 100, 50)));
    QCOMPARE(l.hs, 10u);
    QCOMPARE(l.vs, 70u);
    QCOMPARE(l.hact, 7u);
}

void TestPlacementRules::replacingAfterOutputLayout()
{
    MData d = DviWall();
    for (int i = 1; i < 4; ++i)
        d.M_MosaicLayerCfg.layer[i].onOff = 1;
    d.M_InputData.signal[0].height[0][0] = 0;  // input 0 shows nothing
    d.M_MosaicLayerCfg.layer[0].inputId = 5;
    d.M_MosaicLayerCfg.layer[0].halfId = 1;
    Replacement r = ReplaceAfterOutputLayout(d);
    QCOMPARE(r.switchedOff, QVector<int>({1, 2, 3}));
    QCOMPARE(r.placed, QVector<int>({0}));
    QVERIFY(r.switchedOn);
    QCOMPARE(r.sourced, QVector<int>({0}));
    const LayerRecord& l0 = d.M_MosaicLayerCfg.layer[0];
    QCOMPARE(l0.inputId, uint8_t(1));
    QCOMPARE(l0.halfId, uint8_t(0));
    QCOMPARE(LayerRect(l0), QRect(0, 0, 3840, 2160));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(d.M_MosaicLayerCfg.layer[i].onOff, uint8_t(0));

    // No output on and no picture: the layer keeps its place and source.
    for (int i = 0; i < 4; ++i)
        d.M_OutputData.M_OPDisplayCfg[i].onOff = 0;
    d.M_InputData.port[1].actId = 255;
    Place(d.M_MosaicLayerCfg.layer[0], 1, 2, 3, 4);
    r = ReplaceAfterOutputLayout(d);
    QVERIFY(!r.switchedOn);
    QCOMPARE(LayerRect(l0), QRect(1, 2, 3, 4));
    QCOMPARE(l0.inputId, uint8_t(1));

    // Backup mode: records that are on, by their bMain.
    MData b = DviWall();
    b.M_AllCfg.workMode = BACKUP_MODE;
    b.M_BackupLayerCfg.layer[0].onOff = 1;
    b.M_BackupLayerCfg.layer[0].bMain = 1;
    b.M_BackupLayerCfg.layer[0].inputId = 4;
    b.M_BackupLayerCfg.layer[1].onOff = 1;
    b.M_BackupLayerCfg.layer[1].inputId = 4;
    r = ReplaceAfterOutputLayout(b);
    QCOMPARE(r.placed, QVector<int>({0, 1}));
    QCOMPARE(r.sourced, QVector<int>({1}));
    QCOMPARE(b.M_BackupLayerCfg.layer[0].inputId, uint8_t(4));
    QCOMPARE(b.M_BackupLayerCfg.layer[1].inputId, uint8_t(0));
    QCOMPARE(LayerRect(b.M_BackupLayerCfg.layer[1]), QRect(0, 0, 3840, 2160));

    // Switcher mode: nothing.
    MData s = DviWall();
    s.M_AllCfg.workMode = SWITCHER_MODE;
    r = ReplaceAfterOutputLayout(s);
    QVERIFY(r.placed.isEmpty() && r.switchedOff.isEmpty() && r.sourced.isEmpty());
}

void TestPlacementRules::messagesKeepTheirTexts()
{
    // The panel shows them through its translations: titles and texts are
    // the source texts, as the language packs know them.
    const struct {
        RuleMessage m;
        const char* title;
        const char* text;
    } cases[] = {
        {kResourceRefused, "Resource Constraints", "Layer Can't Be Applied To Output Windows"},
        {kSourceRefused, "Resource Constraints", "Layer Input Srouce Settings Cannot Be Applied."},
        {kLogoMissing, "Tips", "LOGO Is Not Exist"},
        {kLogoOtherMode, "Tips", "Current Work Mode LOGO Is Not Exist"},
        {kLogoExceedsOutput, "Cannot Open Logo", "Logo Size Exceed Output Resolution."},
        {kLogoExceedsLayer, "Cannot Open Logo", "Logo Size Exceed Layer Restrict Size."},
    };
    for (const auto& c : cases) {
        QCOMPARE(c.m.translatedTitle(), QString::fromLatin1(c.title));
        QCOMPARE(c.m.translatedText(), QString::fromLatin1(c.text));
    }
    QVERIFY(RuleMessage().isEmpty());
}

QTEST_APPLESS_MAIN(TestPlacementRules)
#include "test_placement_rules.moc"
