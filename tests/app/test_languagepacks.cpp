// The three language packs as the translators keep them (resources/*.ts):
// every text the sources hand to tr() is in each pack, finished and really
// translated, so that an operator never meets a text of the other language.
// A new tr() text makes this test fail until resources/update_translations.sh
// has been run and the new entries translated.

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "obsolete", "vanished" or empty when finished
};

QString keyOf(const QString& context, const QString& source)
{
    return context + QLatin1Char('\x1f') + source;
}

QString describe(const Message& m)
{
    return QStringLiteral("context \"%1\", source \"%2\"").arg(m.context, m.source);
}

// The messages of a .ts file in file order; an unreadable or broken file
// gives an error text.
QList<Message> readTs(const QString& path, QString* error)
{
    QList<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return out;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            current = Message();
            current.context = context;
        } else if (name == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            out.append(current);
        }
    }
    if (xml.hasError())
        *error =
            QStringLiteral("%1: %2 at line %3").arg(path, xml.errorString()).arg(xml.lineNumber());
    return out;
}

bool isHan(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x3400 && u <= 0x9fff) || (u >= 0xf900 && u <= 0xfaff);
}

bool hasHan(const QString& s)
{
    return std::any_of(s.begin(), s.end(), isHan);
}

// The group title of the language buttons reads in both languages on
// purpose: an operator lost in a language he cannot read still finds it.
bool isBilingual(const Message& m)
{
    return m.context == QLatin1String("MiscDlg") && m.source == QString::fromUtf8("语言/language");
}

// A text that names a locale ("en_US") tells a widget which locale speaks
// the pack's language; each pack puts its own locale's name in its place.
bool isLocaleName(const Message& m)
{
    return QRegularExpression(QStringLiteral("^[a-z]{2}_[A-Z]{2}$")).match(m.source).hasMatch();
}

// What may stay in Latin letters in a Chinese translation: the names of
// ports, signals and formats, the video-timing abbreviations the operators
// use as they are, and the makers' names for things.
const char* const kKeptTerms[] = {
    "H tot", "V tot",  "H Sync", "V Sync", "HDMI",   "DVI",    "DP",     "SDI",  "VGA",
    "EDID",  "RGB444", "YUV444", "RGB",    "HDR",    "BIT",    "FPS",    "LOGO", "Hpos",
    "Vpos",  "Hact",   "Vact",   "HRange", "VRange", "Hblank", "Vblank", "Hbp",  "Vbp",
    "RMIN",  "RMAX",   "GMIN",   "GMAX",   "BMIN",   "BMAX",
};

// The Latin words of a Chinese translation that are not kept terms; format
// placeholders, file patterns, markup and single letters (480P, 1 x 2) are
// not words.
QStringList untranslatedWords(const Message& m)
{
    if (isLocaleName(m))
        return {};
    QString text = m.translation;
    text.remove(
        QRegularExpression(QStringLiteral("<[^>]*>|&[a-z]+;|%\\d+|%[dsn]|\\(\\*\\.[^)]*\\)")));
    if (isBilingual(m))
        text.remove(QStringLiteral("Language"));
    for (const char* term : kKeptTerms)
        text.remove(QRegularExpression(
            QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(QLatin1String(term)))));
    QStringList words;
    auto it = QRegularExpression(QStringLiteral("[A-Za-z]{2,}")).globalMatch(text);
    while (it.hasNext())
        words << it.next().captured();
    return words;
}

// Characters that exist only in the simplified script: a traditional
// translation holding one was copied from the simplified pack.
const QString kSimplifiedOnly = QString::fromUtf8(
    "为义仅关冻删务动参发启围图备复对层属应开强当态执抠择换数无时测温状电画监确红级纯组结络统绿缩网"
    "艳蓝视览计讯设试话语请读调败质资转载输过运连选锁键长闭间预频颜饱马鲜显页认");

QStringList placeholders(const QString& s)
{
    QStringList out;
    auto it = QRegularExpression(QStringLiteral("%\\d+|%[dsn]")).globalMatch(s);
    while (it.hasNext())
        out << it.next().captured();
    out.sort();
    return out;
}

QString edgeSpace(const QString& s)
{
    const int lead =
        int(s.size() - QString(s).remove(QRegularExpression(QStringLiteral("^\\s+"))).size());
    const int trail =
        int(s.size() - QString(s).remove(QRegularExpression(QStringLiteral("\\s+$"))).size());
    return QStringLiteral("%1/%2").arg(lead).arg(trail);
}

QString packPath(const char* pack)
{
    return QStringLiteral(LEDZ_TS_DIR "/KSV_Z9050_%1.ts").arg(QLatin1String(pack));
}

const char* const kPacks[] = {"English", "Chinese", "ChineseTrad"};

// Fails the test with one line per offending message, so that whoever reads
// the log knows which text to translate.
void failOn(const QStringList& problems, const QString& what)
{
    if (problems.isEmpty())
        return;
    const QString text = QStringLiteral("%1 (%2):\n  %3")
                             .arg(what)
                             .arg(problems.size())
                             .arg(problems.join(QStringLiteral("\n  ")));
    QFAIL(qPrintable(text));
}

}  // namespace

class TestLanguagePacks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void packsHoldEveryTextOfTheSources();
    void everyTextFinished_data();
    void everyTextFinished();
    void englishPackHasNoChinese();
    void chinesePacksHaveNoEnglish_data();
    void chinesePacksHaveNoEnglish();
    void traditionalPackIsTraditional();
    void localeNamesMatchThePack_data();
    void localeNamesMatchThePack();

private:
    QMap<QString, QList<Message>> packs_;  // by pack name
};

void TestLanguagePacks::initTestCase()
{
    for (const char* pack : kPacks) {
        QString error;
        const QList<Message> messages = readTs(packPath(pack), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(!messages.isEmpty(), pack);
        packs_.insert(QLatin1String(pack), messages);
    }
}

void TestLanguagePacks::packsHoldEveryTextOfTheSources()
{
    // What the update script would collect now, from this source tree.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString probe = dir.filePath(QStringLiteral("probe.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(LEDZ_SOURCE_ROOT));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(LEDZ_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("app"), QStringLiteral("widgets"),
                   QStringLiteral("layout"), QStringLiteral("inputs"), QStringLiteral("system"),
                   QStringLiteral("forms"), QStringLiteral("-ts"), probe});
    QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());
    QString error;
    const QList<Message> sources = readTs(probe, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!sources.isEmpty());
    QSet<QString> wanted;
    for (const Message& m : sources)
        wanted.insert(keyOf(m.context, m.source));

    QStringList problems;
    for (const char* pack : kPacks) {
        const QList<Message>& messages = packs_[QLatin1String(pack)];
        QSet<QString> held;
        for (const Message& m : messages) {
            held.insert(keyOf(m.context, m.source));
            if (!wanted.contains(keyOf(m.context, m.source)))
                problems << QStringLiteral("%1: no source uses %2").arg(pack, describe(m));
        }
        for (const Message& m : sources)
            if (!held.contains(keyOf(m.context, m.source)))
                problems << QStringLiteral("%1: missing %2").arg(pack, describe(m));
    }
    failOn(problems,
           QStringLiteral("The language packs do not match the sources' texts; run "
                          "resources/update_translations.sh and translate the new entries"));
}

void TestLanguagePacks::everyTextFinished_data()
{
    QTest::addColumn<QString>("pack");
    for (const char* pack : kPacks)
        QTest::newRow(pack) << QString::fromLatin1(pack);
}

void TestLanguagePacks::everyTextFinished()
{
    QFETCH(QString, pack);
    const QList<Message>& messages = packs_[pack];
    QStringList problems;
    for (const Message& m : messages) {
        if (!m.type.isEmpty())
            problems << QStringLiteral("%1 %2").arg(m.type, describe(m));
        else if (m.translation.trimmed().isEmpty())
            problems << QStringLiteral("empty %1").arg(describe(m));
        else if (placeholders(m.translation) != placeholders(m.source))
            problems << QStringLiteral("placeholders differ from the source: %1 -> \"%2\"")
                            .arg(describe(m), m.translation);
        else if (edgeSpace(m.translation) != edgeSpace(m.source))
            problems << QStringLiteral(
                            "leading or trailing spaces differ from the source: %1 -> \"%2\"")
                            .arg(describe(m), m.translation);
    }
    failOn(problems, QStringLiteral("Texts left untranslated or broken in the %1 pack").arg(pack));
}

void TestLanguagePacks::englishPackHasNoChinese()
{
    const QList<Message>& messages = packs_[QStringLiteral("English")];
    QStringList problems;
    for (const Message& m : messages)
        if (!isBilingual(m) && hasHan(m.translation))
            problems << QStringLiteral("%1 -> \"%2\"").arg(describe(m), m.translation);
    failOn(problems, QStringLiteral("Chinese left in the English pack"));
}

void TestLanguagePacks::chinesePacksHaveNoEnglish_data()
{
    QTest::addColumn<QString>("pack");
    QTest::newRow("simplified") << QStringLiteral("Chinese");
    QTest::newRow("traditional") << QStringLiteral("ChineseTrad");
}

void TestLanguagePacks::chinesePacksHaveNoEnglish()
{
    QFETCH(QString, pack);
    const QList<Message>& messages = packs_[pack];
    QStringList problems;
    for (const Message& m : messages) {
        const QStringList words = untranslatedWords(m);
        if (!words.isEmpty())
            problems << QStringLiteral("%1 -> \"%2\" (%3)")
                            .arg(describe(m), m.translation, words.join(QStringLiteral(", ")));
    }
    failOn(problems, QStringLiteral("English left in the %1 pack").arg(pack));
}

void TestLanguagePacks::traditionalPackIsTraditional()
{
    const QList<Message>& messages = packs_[QStringLiteral("ChineseTrad")];
    QStringList problems;
    for (const Message& m : messages)
        for (QChar c : m.translation)
            if (kSimplifiedOnly.contains(c)) {
                problems << QStringLiteral("%1 -> \"%2\" (%3)").arg(describe(m), m.translation, c);
                break;
            }
    failOn(problems, QStringLiteral("Simplified characters in the traditional pack"));
}

void TestLanguagePacks::localeNamesMatchThePack_data()
{
    QTest::addColumn<QString>("pack");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("script");
    QTest::newRow("English") << "English" << int(QLocale::English) << int(QLocale::LatinScript);
    QTest::newRow("simplified") << "Chinese" << int(QLocale::Chinese)
                                << int(QLocale::SimplifiedHanScript);
    QTest::newRow("traditional") << "ChineseTrad" << int(QLocale::Chinese)
                                 << int(QLocale::TraditionalHanScript);
}

void TestLanguagePacks::localeNamesMatchThePack()
{
    QFETCH(QString, pack);
    QFETCH(int, language);
    QFETCH(int, script);
    QStringList problems;
    for (const Message& m : packs_[pack]) {
        if (!isLocaleName(m))
            continue;
        const QLocale locale(m.translation);
        if (locale.name() != m.translation || locale.language() != language ||
            locale.script() != script)
            problems << QStringLiteral("%1 -> \"%2\"").arg(describe(m), m.translation);
    }
    failOn(problems, QStringLiteral("Locale names that are not the %1 pack's language").arg(pack));
}

QTEST_GUILESS_MAIN(TestLanguagePacks)
#include "test_languagepacks.moc"
