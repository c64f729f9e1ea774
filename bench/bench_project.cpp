// Save and load of a full project file (every input with ports and a name,
// every preset named), the operator's Open Project and the exit's save.
// Goal: under 5 ms each. Reported, never asserted.
#include "MData.h"
#include "ProjectFile.h"
#include "XmlStreamHelper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

MData FullRecord()
{
    MData d;
    d.M_AllCfg.brightLevel = 17;
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        d.M_InputData.port[i].portNum = 3;
        d.M_InputData.port[i].inputRename = QStringLiteral("Input name %1 & more").arg(i);
        for (int e = 0; e < InputCropCfg::kEntries; ++e)
            d.M_InputData.crop[i].hact[e] = uint16_t(1920 + e);
    }
    for (int l = 0; l < MDataLimits::kSwitchLayers; ++l)
        d.M_SwitchLayerCfg.layer[l].hs = uint32_t(1000 * l + 1);
    for (auto& row : d.M_PresetName)
        for (QString& name : row)
            name = QStringLiteral("Preset name");
    return d;
}

struct Spread {
    double median, min, max;
};

Spread Measure(int rounds, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void Run(const QString& where, const QString& folder)
{
    QTemporaryDir dir(folder + QStringLiteral("/bench_project-XXXXXX"));
    if (!dir.isValid())
        return;
    const QString path = dir.filePath(QStringLiteral("full.KPrj"));
    const MData full = FullRecord();
    XmlStreamHelper xml;  // one helper for all, as the system page has
    ProjectFile::Write(xml, path, full);  // warm-up
    const int rounds = 200;

    const Spread save = Measure(rounds, [&] { ProjectFile::Write(xml, path, full); });
    MData record;
    const Spread load = Measure(rounds, [&] { ProjectFile::Read(xml, path, record); });

    std::printf("%s (%s), file %lld bytes\n", qPrintable(where), qPrintable(folder),
                QFileInfo(path).size());
    std::printf("  save: median %.3f ms (min %.3f, max %.3f) over %d rounds; goal < 5 ms\n",
                save.median, save.min, save.max, rounds);
    std::printf("  load: median %.3f ms (min %.3f, max %.3f) over %d rounds; goal < 5 ms\n",
                load.median, load.min, load.max, rounds);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // A save goes through a temporary file, flushed to the disk before it
    // replaces the project; in memory (tmpfs) that flush costs nothing, so
    // the two figures separate the program's work from the disk's.
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        Run(QStringLiteral("in memory"), QStringLiteral("/dev/shm"));
    Run(QStringLiteral("on disk"), QCoreApplication::applicationDirPath());
    return 0;
}
