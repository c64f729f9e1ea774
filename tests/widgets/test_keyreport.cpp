// The control keyboard's key reports decoded without a window or a keyboard:
// the gate of the keyboard lock, the combinations (first match only), the
// keys that are down with their radio groups, and the lamp flush.

#include "KeyReport.h"

#include <QtTest>

namespace {
QByteArray reportOf(const QList<int>& keys, int size = kKeyReportSize)
{
    QByteArray report(size, '\0');
    for (int key : keys)
        report[key / 8] =
            static_cast<char>(static_cast<uint8_t>(report[key / 8]) | (1u << (key % 8)));
    return report;
}

// "13:13-32" for a key of a radio group, "75" for one of none.
QStringList pressesOf(const KeyReportActions& actions)
{
    QStringList presses;
    for (const KeyPress& press : actions.keys) {
        QString text = QString::number(press.key);
        if (press.groupFirst >= 0)
            text += QStringLiteral(":%1-%2").arg(press.groupFirst).arg(press.groupLast);
        presses << text;
    }
    return presses;
}
}  // namespace

class TestKeyReport : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
};

void TestKeyReport::decode_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("gate");
    QTest::addColumn<int>("combination");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<bool>("flush");
    const int accepted = KeyReportActions::Accepted;
    const int none = kCombinationNone;

    QTest::newRow("no key down") << reportOf({}) << false << accepted << none << QStringList{}
                                 << false;
    QTest::newRow("nine bytes are too short")
        << reportOf({13}, 9) << false << int(KeyReportActions::TooShort) << none << QStringList{}
        << false;
    QTest::newRow("bytes past the tenth are not read")
        << reportOf({76}).append("\xff\xff", 2) << false << accepted << none << QStringList{"76"}
        << false;
    QTest::newRow("key 0 is bit 0 of byte 0, key 78 bit 6 of byte 9")
        << reportOf({0, 78}) << false << accepted << none << QStringList{"0:0-9", "78"} << true;
    QTest::newRow("bit 7 of byte 9 is no key") << QByteArray(9, '\0').append('\x80') << false
                                               << accepted << none << QStringList{} << false;

    QTest::newRow("locked: a preset key is ignored")
        << reportOf({13}) << true << int(KeyReportActions::Locked) << none << QStringList{}
        << false;
    QTest::newRow("locked: the lock keys pass")
        << reportOf({10, 75}) << true << accepted << int(kCombinationLock)
        << QStringList{"10", "75"} << true;
    QTest::newRow("locked: unlock and recall in one report")
        << reportOf({75, 13, 10}) << true << accepted << int(kCombinationLock)
        << QStringList{"10", "13:13-32", "75"} << true;
    QTest::newRow("lock keys") << reportOf({10, 75}) << false << accepted << int(kCombinationLock)
                               << QStringList{"10", "75"} << true;
    QTest::newRow("lock wins over freeze")
        << reportOf({10, 73, 75}) << false << accepted << int(kCombinationLock)
        << QStringList{"10", "73", "75"} << true;
    QTest::newRow("freeze keys") << reportOf({73, 75}) << false << accepted
                                 << int(kCombinationFreeze) << QStringList{"73", "75"} << true;
    QTest::newRow("freeze wins over take")
        << reportOf({73, 75, 77, 78}) << false << accepted << int(kCombinationFreeze)
        << QStringList{"73", "75", "77", "78"} << true;
    QTest::newRow("take keys") << reportOf({77, 78}) << false << accepted << int(kCombinationTake)
                               << QStringList{"77", "78"} << false;
    QTest::newRow("74 and 75 block the take")
        << reportOf({74, 75, 77, 78}) << false << accepted << none
        << QStringList{"74", "75", "77", "78"} << true;
    QTest::newRow("74 alone does not block the take")
        << reportOf({74, 77, 78}) << false << accepted << int(kCombinationTake)
        << QStringList{"74", "77", "78"} << true;
    QTest::newRow("one take key alone")
        << reportOf({78}) << false << accepted << none << QStringList{"78"} << false;

    QTest::newRow("group key") << reportOf({5}) << false << accepted << none << QStringList{"5:0-9"}
                               << true;
    QTest::newRow("two preset keys in key order") << reportOf({14, 13}) << false << accepted << none
                                                  << QStringList{"13:13-32", "14:13-32"} << true;
    QTest::newRow("last preset key")
        << reportOf({32}) << false << accepted << none << QStringList{"32:13-32"} << true;
    QTest::newRow("keys beside the groups")
        << reportOf({33, 9}) << false << accepted << none << QStringList{"9:0-9", "33"} << true;
    QTest::newRow("lamp keys 11 and 12")
        << reportOf({11, 12}) << false << accepted << none << QStringList{"11", "12"} << true;
    QTest::newRow("quick take") << reportOf({76}) << false << accepted << none << QStringList{"76"}
                                << false;
}

void TestKeyReport::decode()
{
    QFETCH(QByteArray, report);
    QFETCH(bool, locked);
    QFETCH(int, gate);
    QFETCH(int, combination);
    QFETCH(QStringList, presses);
    QFETCH(bool, flush);
    const KeyReportActions actions = DecodeKeyReport(report, locked);
    QCOMPARE(int(actions.gate), gate);
    QCOMPARE(actions.combination, combination);
    QCOMPARE(pressesOf(actions), presses);
    QCOMPARE(actions.flush, flush);
}

QTEST_APPLESS_MAIN(TestKeyReport)
#include "test_keyreport.moc"
