// The custom output timing limits, as one table: each row is a timing as the
// operator left the edits, the edit just finished, the output mode and
// whether the advanced timings are in use, and the timing after the check.
#include "OutputTimingRules.h"

#include <QtTest>

using namespace OutputTimingRules;

Q_DECLARE_METATYPE(OutputTimingRules::Field)

namespace {

// Hact, Vact, rate in Hz, H tot, V tot, H Sync, V Sync, Hbp, Vbp.
using Values = QList<double>;

Timing Make(const Values& v)
{
    Timing t;
    t.hact = int(v[0]);
    t.vact = int(v[1]);
    t.rate = float(v[2]);
    t.htotal = int(v[3]);
    t.vtotal = int(v[4]);
    t.hsync = int(v[5]);
    t.vsync = int(v[6]);
    t.hbp = int(v[7]);
    t.vbp = int(v[8]);
    return t;
}

// The rate as the record holds it, so that 59.94 compares exactly.
QList<int> Fields(const Timing& t)
{
    return {t.hact, t.vact, int(RateToHundredths(t.rate)), t.htotal, t.vtotal, t.hsync, t.vsync,
            t.hbp,  t.vbp};
}

}  // namespace

class TestOutputTiming : public QObject {
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
    void rateHundredths_data();
    void rateHundredths();
};

void TestOutputTiming::limits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("advance");
    QTest::addColumn<Field>("field");
    QTest::addColumn<Values>("before");
    QTest::addColumn<Values>("after");  // empty: the check cannot run

    const bool plain = false;
    const bool adv = true;
    // Without "Advance" only the active size and the rate count.
    QTest::newRow("DVI Hact 4000 -> 2048, the width limit below the clock's 3778")
        << 0 << plain << Field::Hact << Values{4000, 1080, 60, 0, 0, 0, 0, 0, 0}
        << Values{2048, 1080, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI Hact 100 -> 692, the lowest clock's 694 aligned to 4")
        << 0 << plain << Field::Hact << Values{100, 1080, 60, 0, 0, 0, 0, 0, 0}
        << Values{692, 1080, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI Hact 3841 -> 3840, aligned to 8")
        << 1 << plain << Field::Hact << Values{3841, 2160, 60, 0, 0, 0, 0, 0, 0}
        << Values{3840, 2160, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI Hact 5000 -> 4096")
        << 1 << plain << Field::Hact << Values{5000, 2160, 60, 0, 0, 0, 0, 0, 0}
        << Values{4096, 2160, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI Vact 5000 -> 2047, the clock's 2075 less 28")
        << 0 << plain << Field::Vact << Values{1920, 5000, 60, 0, 0, 0, 0, 0, 0}
        << Values{1920, 2047, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI Vact 200 -> 480")
        << 0 << plain << Field::Vact << Values{1920, 200, 60, 0, 0, 0, 0, 0, 0}
        << Values{1920, 480, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI Vact 4000 -> 3840 at a low rate")
        << 1 << plain << Field::Vact << Values{1920, 4000, 24, 0, 0, 0, 0, 0, 0}
        << Values{1920, 3840, 24, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI FPS 150 -> 96, though the clock allows 112")
        << 0 << plain << Field::Rate << Values{1920, 1080, 150, 0, 0, 0, 0, 0, 0}
        << Values{1920, 1080, 96, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI FPS 10 -> 25, the lowest clock")
        << 0 << plain << Field::Rate << Values{1920, 1080, 10, 0, 0, 0, 0, 0, 0}
        << Values{1920, 1080, 25, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI FPS 59.94 stays")
        << 0 << plain << Field::Rate << Values{1920, 1080, 59.94, 0, 0, 0, 0, 0, 0}
        << Values{1920, 1080, 59.94, 0, 0, 0, 0, 0, 0};
    QTest::newRow("DVI FPS 0 -> 25")
        << 0 << plain << Field::Rate << Values{1920, 1080, 0, 0, 0, 0, 0, 0, 0}
        << Values{1920, 1080, 25, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI 3840 x 2160 FPS 100 -> 67")
        << 1 << plain << Field::Rate << Values{3840, 2160, 100, 0, 0, 0, 0, 0, 0}
        << Values{3840, 2160, 67, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI 3840 x 2160 FPS 20 -> 23, above the clock's 13")
        << 1 << plain << Field::Rate << Values{3840, 2160, 20, 0, 0, 0, 0, 0, 0}
        << Values{3840, 2160, 23, 0, 0, 0, 0, 0, 0};
    QTest::newRow("HDMI 640 x 480 FPS 20 -> 96, the clock's lowest 278 held at 96")
        << 1 << plain << Field::Rate << Values{640, 480, 20, 0, 0, 0, 0, 0, 0}
        << Values{640, 480, 96, 0, 0, 0, 0, 0, 0};

    // With "Advance": the six timings, a front porch of 16 pixels and 4 lines.
    QTest::newRow("DVI H Sync 100 stays")
        << 0 << adv << Field::Hsync << Values{1920, 1080, 60, 2200, 1125, 100, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 100, 5, 148, 36};
    QTest::newRow("HDMI H Sync 100 -> 96, aligned to 8")
        << 1 << adv << Field::Hsync << Values{1920, 1080, 60, 2200, 1125, 100, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 96, 5, 148, 36};
    QTest::newRow("H Sync 200 -> 116, the front porch kept")
        << 0 << adv << Field::Hsync << Values{1920, 1080, 60, 2200, 1125, 200, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 116, 5, 148, 36};
    QTest::newRow("H Sync with H tot below Hact -> 0, not negative")
        << 0 << adv << Field::Hsync << Values{1920, 1080, 60, 1900, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 1900, 1125, 0, 5, 148, 36};
    QTest::newRow("DVI Hbp 300 with H Sync 44 -> 148, 192 at most")
        << 0 << adv << Field::Hbp << Values{1920, 1080, 60, 2200, 1125, 44, 5, 300, 36}
        << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 36};
    QTest::newRow("Hbp 100 with H tot 2000 -> 20, the front porch kept")
        << 0 << adv << Field::Hbp << Values{1920, 1080, 60, 2000, 1125, 44, 5, 100, 36}
        << Values{1920, 1080, 60, 2000, 1125, 44, 5, 20, 36};
    QTest::newRow("Vbp 30 with V Sync 5 -> 19, 24 at most")
        << 0 << adv << Field::Vbp << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 30}
        << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 19};
    QTest::newRow("Vbp 19 with V tot 1100 -> 11, the front porch kept")
        << 0 << adv << Field::Vbp << Values{1920, 1080, 60, 2200, 1100, 44, 5, 148, 19}
        << Values{1920, 1080, 60, 2200, 1100, 44, 5, 148, 11};
    QTest::newRow("V Sync 10 with Vbp 36 -> 5")
        << 0 << adv << Field::Vsync << Values{1920, 1080, 60, 2200, 1125, 44, 10, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 36};
    QTest::newRow("V Sync 4 with Vbp 36 stays")
        << 0 << adv << Field::Vsync << Values{1920, 1080, 60, 2200, 1125, 44, 4, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 44, 4, 148, 36};
    QTest::newRow("DVI H tot 3000 -> 2560")
        << 0 << adv << Field::Htotal << Values{1920, 1080, 60, 3000, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 2560, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI H tot 500 -> 888, the lowest clock")
        << 0 << adv << Field::Htotal << Values{1920, 1080, 60, 500, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 888, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI H tot 0 -> 888")
        << 0 << adv << Field::Htotal << Values{1920, 1080, 60, 0, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 888, 1125, 44, 5, 148, 36};
    QTest::newRow("HDMI H tot 5000 -> 4600")
        << 1 << adv << Field::Htotal << Values{1920, 1080, 60, 5000, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 4600, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI V tot 3000 -> 2007, the highest clock")
        << 0 << adv << Field::Vtotal << Values{1920, 1080, 60, 2200, 3000, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 2007, 44, 5, 148, 36};
    QTest::newRow("DVI V tot 100 -> 454, the lowest clock")
        << 0 << adv << Field::Vtotal << Values{1920, 1080, 60, 2200, 100, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 454, 44, 5, 148, 36};
    QTest::newRow("HDMI V tot 5000 -> 4096, not aligned")
        << 1 << adv << Field::Vtotal << Values{1920, 1080, 23, 2201, 5000, 44, 5, 148, 36}
        << Values{1920, 1080, 23, 2201, 4096, 44, 5, 148, 36};
    QTest::newRow("DVI Hact 1920 with H tot 2000 raises H tot to 2128")
        << 0 << adv << Field::Hact << Values{1920, 1080, 60, 2000, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 2128, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI Hact 4000: H tot held at the clock's 3925, Hact at 2048")
        << 0 << adv << Field::Hact << Values{4000, 1080, 60, 2000, 1125, 44, 5, 148, 36}
        << Values{2048, 1080, 60, 3925, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI Hact 600 with H tot 2200 -> 680, the lowest clock")
        << 0 << adv << Field::Hact << Values{600, 1080, 60, 2200, 1125, 44, 5, 148, 36}
        << Values{680, 1080, 60, 2200, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI Vact 3000: V tot held at the clock's 2007, Vact at 1962")
        << 0 << adv << Field::Vact << Values{1920, 3000, 60, 2200, 1125, 44, 5, 148, 36}
        << Values{1920, 1962, 60, 2200, 2007, 44, 5, 148, 36};
    QTest::newRow("DVI Vact 1080 within V tot 1125 stays")
        << 0 << adv << Field::Vact << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 60, 2200, 1125, 44, 5, 148, 36};
    QTest::newRow("DVI FPS 100 with the totals 2200 x 1125 -> 96")
        << 0 << adv << Field::Rate << Values{1920, 1080, 100, 2200, 1125, 44, 5, 148, 36}
        << Values{1920, 1080, 96, 2200, 1125, 44, 5, 148, 36};
    QTest::newRow("tiny rate: the clock's totals held within the edits")
        << 0 << adv << Field::Htotal << Values{1920, 1080, 0.01, 2200, 1, 44, 5, 148, 36}
        << Values{1920, 1080, 0.01, 2560, 1, 44, 5, 148, 36};

    // A zero rate or total leaves nothing to divide by: the check does not run.
    QTest::newRow("Hact with rate 0")
        << 0 << plain << Field::Hact << Values{1920, 1080, 0, 0, 0, 0, 0, 0, 0} << Values{};
    QTest::newRow("Vact with rate 0")
        << 1 << plain << Field::Vact << Values{1920, 1080, 0, 0, 0, 0, 0, 0, 0} << Values{};
    QTest::newRow("advanced Hact with V tot 0")
        << 0 << adv << Field::Hact << Values{1920, 1080, 60, 2200, 0, 44, 5, 148, 36} << Values{};
    QTest::newRow("advanced Vact with H tot 0")
        << 0 << adv << Field::Vact << Values{1920, 1080, 60, 0, 1125, 44, 5, 148, 36} << Values{};
    QTest::newRow("H tot with V tot 0")
        << 0 << adv << Field::Htotal << Values{1920, 1080, 60, 2200, 0, 44, 5, 148, 36} << Values{};
    QTest::newRow("V tot with rate 0")
        << 1 << adv << Field::Vtotal << Values{1920, 1080, 0, 2200, 1125, 44, 5, 148, 36}
        << Values{};
    QTest::newRow("advanced FPS with H tot 0")
        << 0 << adv << Field::Rate << Values{1920, 1080, 60, 0, 1125, 44, 5, 148, 36} << Values{};
}

void TestOutputTiming::limits()
{
    QFETCH(int, mode);
    QFETCH(bool, advance);
    QFETCH(Field, field);
    QFETCH(Values, before);
    QFETCH(Values, after);
    Timing t = Make(before);
    const bool ran = Correct(t, field, mode, advance);
    QCOMPARE(ran, !after.isEmpty());
    QCOMPARE(Fields(t), Fields(Make(ran ? after : before)));
}

void TestOutputTiming::rateHundredths_data()
{
    QTest::addColumn<float>("hz");
    QTest::addColumn<int>("stored");
    QTest::newRow("59.94 rounded, not 5993") << 59.94f << 5994;
    QTest::newRow("60") << 60.0f << 6000;
    QTest::newRow("29.97") << 29.97f << 2997;
    QTest::newRow("23.976 -> 2398") << 23.976f << 2398;
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("beyond the field") << 9999.0f << 65535;
}

void TestOutputTiming::rateHundredths()
{
    QFETCH(float, hz);
    QFETCH(int, stored);
    QCOMPARE(int(RateToHundredths(hz)), stored);
}

QTEST_APPLESS_MAIN(TestOutputTiming)
#include "test_outputtiming.moc"
