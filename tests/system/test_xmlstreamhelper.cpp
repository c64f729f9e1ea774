// The XML helper: its forward-only search, the written layout, and files
// that cannot be read or written.
#include "XmlStreamHelper.h"

#include "FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kDoc =
    "<?xml version=\"1.0\"?>\n<ROOT><A>1</A><B>2</B><P><Q>3</Q></P><E/><F></F><C>4</C>"
    "<P2/><C>5</C></ROOT>\n";

}  // namespace

class TestXmlStreamHelper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void findElementStaysOnIt();
    void searchNeverGoesBack();
    void emptyElements();
    void childFoundWhereverItStands();
    void missingFile();
    void childElementStopsTheReader();
    void writtenLayout();
    void laterDocumentsStayFormatted();
    void unwritableFile();
    void failedDocumentDoesNotSpoilTheNext();
    void wellFormedness_data();
    void wellFormedness();

private:
    QString doc()
    {
        const QString p = dir.filePath("doc.xml");
        WriteFileBytes(p, kDoc);
        return p;
    }
    QTemporaryDir dir;
};

void TestXmlStreamHelper::findElementStaysOnIt()
{
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(doc()));
    QVERIFY(xml.findElement("B"));
    QVERIFY(xml.findElement("B"));
    QString text;
    QVERIFY(xml.findElementText("B", text));
    QCOMPARE(text, QStringLiteral("2"));
}

void TestXmlStreamHelper::searchNeverGoesBack()
{
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(doc()));
    QString text = "kept";
    QVERIFY(xml.findElementText("B", text));
    QVERIFY(!xml.findElementText("A", text));  // stands before: runs to the end
    QVERIFY(!xml.findElementText("C", text));  // and every later search fails
    QCOMPARE(text, QStringLiteral("2"));
}

void TestXmlStreamHelper::emptyElements()
{
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(doc()));
    QString text = "x";
    QVERIFY(xml.findElementText("E", text));
    QCOMPARE(text, QString());
    text = "x";
    QVERIFY(xml.findElementText("F", text));
    QCOMPARE(text, QString());
}

void TestXmlStreamHelper::childFoundWhereverItStands()
{
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(doc()));
    QString text;
    // P2 holds no C: the next C after it is taken.
    QVERIFY(xml.findChildElementText("P", "Q", text));
    QCOMPARE(text, QStringLiteral("3"));
    QVERIFY(xml.findChildElementText("P2", "C", text));
    QCOMPARE(text, QStringLiteral("5"));
    QVERIFY(!xml.findChildElementText("P2", "C", text));
}

void TestXmlStreamHelper::missingFile()
{
    XmlStreamHelper xml;
    QVERIFY(!xml.openRead(dir.filePath("none.xml")));
    QString text;
    QVERIFY(!xml.findElementText("A", text));
    QVERIFY(text.isEmpty());
    QVERIFY(!xml.findElement("A"));
    QVERIFY(!xml.readToEndWellFormed());
}

void TestXmlStreamHelper::childElementStopsTheReader()
{
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(doc()));
    QString text;
    QVERIFY(xml.findElementText("P", text));
    QCOMPARE(text, QString());
    QVERIFY(!xml.findElementText("C", text));
}

void TestXmlStreamHelper::writtenLayout()
{
    const QString p = dir.filePath("out.xml");
    XmlStreamHelper xml;
    QVERIFY(xml.openWrite(p));
    xml.beginDocument("ROOT");
    xml.writeStartElement("G");
    xml.writeTextElement("V", "a<b>&\"c\"");
    xml.writeTextElement("EMPTY", QString());
    xml.writeEndElement();
    QVERIFY(xml.endDocument());
    QCOMPARE(ReadFileBytes(p), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n"
                                          "    <G>\n        <V>a&lt;b&gt;&amp;&quot;c&quot;</V>\n"
                                          "        <EMPTY></EMPTY>\n    </G>\n</ROOT>\n"));
}

void TestXmlStreamHelper::laterDocumentsStayFormatted()
{
    // The settings file: one element, written after a project through the
    // same helper, begins with a line feed; before any project it does not.
    const QString p = dir.filePath("settings.xml");
    XmlStreamHelper xml;
    QVERIFY(xml.openWrite(p));
    xml.writeTextElement("PROJECTPATH", "/a&b.KPrj");
    QVERIFY(xml.close());
    QCOMPARE(ReadFileBytes(p), QByteArray("<PROJECTPATH>/a&amp;b.KPrj</PROJECTPATH>"));

    QVERIFY(xml.openWrite(dir.filePath("project.xml")));
    xml.beginDocument("PROJECTDATA");
    QVERIFY(xml.endDocument());
    QVERIFY(xml.openWrite(p));
    xml.writeTextElement("PROJECTPATH", "/a&b.KPrj");
    QVERIFY(xml.openRead(p));  // the next open completes the file
    QString text;
    QVERIFY(xml.findElementText("PROJECTPATH", text));
    QCOMPARE(text, QStringLiteral("/a&b.KPrj"));
    QCOMPARE(ReadFileBytes(p), QByteArray("\n<PROJECTPATH>/a&amp;b.KPrj</PROJECTPATH>"));
}

void TestXmlStreamHelper::unwritableFile()
{
    const QString p = dir.filePath("no-folder/out.xml");
    XmlStreamHelper xml;
    QVERIFY(!xml.openWrite(p));
    xml.beginDocument("ROOT");
    xml.writeTextElement("V", "1");
    QVERIFY(!xml.endDocument());
    QVERIFY(!QFile::exists(p));
}

void TestXmlStreamHelper::failedDocumentDoesNotSpoilTheNext()
{
    XmlStreamHelper xml;
    xml.openWrite(dir.filePath("no-folder/out.xml"));
    xml.beginDocument("ROOT");
    xml.endDocument();
    const QString p = dir.filePath("next.xml");
    QVERIFY(xml.openWrite(p));
    xml.beginDocument("ROOT");
    xml.writeTextElement("V", "1");
    QVERIFY(xml.endDocument());
    QCOMPARE(ReadFileBytes(p), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n"
                                          "    <V>1</V>\n</ROOT>\n"));
}

void TestXmlStreamHelper::wellFormedness_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("wellFormed");
    QTest::newRow("whole") << kDoc << true;
    QTest::newRow("cut") << kDoc.left(40) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("two roots") << QByteArray("<A/><B/>") << false;
}

void TestXmlStreamHelper::wellFormedness()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, wellFormed);
    const QString p = dir.filePath("wf.xml");
    QVERIFY(WriteFileBytes(p, content));
    XmlStreamHelper xml;
    QVERIFY(xml.openRead(p));
    QVERIFY(!xml.findElement("NOTHERE"));
    QCOMPARE(xml.readToEndWellFormed(), wellFormed);
}

QTEST_GUILESS_MAIN(TestXmlStreamHelper)
#include "test_xmlstreamhelper.moc"
