// scripts/demo --page NAME --screenshot FILE, as the documentation uses it:
// the program on that page, a simulated processor selected and read back,
// the picture written and the program ended; for a sub-panel, the panel
// opened on the page after the read-back (the program ends with an error
// when it cannot open it); an unknown page is a usage error. The script
// makes its own network namespace and X server.
#include "GuiTest.h"

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestDemo : public QObject {
    Q_OBJECT
private slots:
    void pageScreenshot_data();
    void pageScreenshot();
    void unknownPage();

private:
    // Runs scripts/demo with the programs of this build; its exit status, or
    // -1 when it did not end.
    int demo(const QStringList& args, QByteArray* output);
};

int TestDemo::demo(const QStringList& args, QByteArray* output)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LEDZ_BUILD_DIR", LEDZ_BUILD_DIR);
    // Always the script's own X server, never a display the test may see.
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("bash",
            QStringList{qEnvironmentVariable("LEDZ_SOURCE_DIR") + "/scripts/demo", "--no-build"} +
                args);
    const bool ended = p.waitForFinished(150000);
    *output = p.readAll();
    if (!ended) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TestDemo::pageScreenshot_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("output") << "output";
    QTest::newRow("comm") << "comm";
    for (const char* subPanel :
         {"zoom", "chroma", "group", "reso", "crop", "edid", "hdmirange", "colour"})
        QTest::newRow(subPanel) << subPanel;
}

void TestDemo::pageScreenshot()
{
    QFETCH(QString, page);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(page + ".png");
    QByteArray output;
    const int status = demo({"--page", page, "--screenshot", file}, &output);
    QVERIFY2(status == 0, output.constData());
    QVERIFY2(output.contains("Screenshot saved to " + file.toUtf8()), output.constData());

    QImage shot(file);
    QCOMPARE(shot.size(), QSize(1366, 768));
    // Drawn, not one colour: the title bar, the page buttons, the page.
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            colours.insert(shot.pixel(x, y));
    QVERIFY2(colours.size() > 50, qPrintable(QString::number(colours.size())));
}

void TestDemo::unknownPage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("x.png");
    QByteArray output;
    QCOMPARE(demo({"--page", "lamps", "--screenshot", file}, &output), 2);
    QVERIFY2(output.contains("unknown page lamps"), output.constData());
    QVERIFY(output.contains("picture output layers input presets comm misc"));
    QVERIFY(!QFile::exists(file));
}

LEDZ_GUI_TEST_MAIN(TestDemo)
#include "test_demo.moc"
