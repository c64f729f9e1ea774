// libFuzzer target: the project reader, ProjectFile::Read, fed any file.
//
// A project file comes from the operator's disk, another tool or a damaged
// copy. Whatever it holds, the reader must not crash, and a file it does not
// load must leave the record exactly as it was.
#include "MData.h"
#include "ProjectFile.h"
#include "XmlStreamHelper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QString FilePath()
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/fuzz_project_%1.KPrj").arg(::getpid());
    return path;
}

// A record whose fields are not all 0, so that a partial apply shows.
MData Seeded()
{
    MData d;
    d.M_AllCfg.brightLevel = 3;
    d.M_InputData.port[2].portNum = 2;
    d.M_InputData.port[2].inputRename = QStringLiteral("kept");
    d.M_MosaicLayerCfg.layer[1].hs = 77;
    d.M_TaskCfg.task[4].index = 9;
    d.M_PresetName[2][3] = QStringLiteral("p");
    return d;
}

bool SameFileFields(const MData& a, const MData& b)
{
    return a.M_AllCfg.brightLevel == b.M_AllCfg.brightLevel &&
           a.M_InputData.port[2].portNum == b.M_InputData.port[2].portNum &&
           a.M_InputData.port[2].inputRename == b.M_InputData.port[2].inputRename &&
           a.M_MosaicLayerCfg.layer[1].hs == b.M_MosaicLayerCfg.layer[1].hs &&
           a.M_TaskCfg.task[4].index == b.M_TaskCfg.task[4].index &&
           a.M_PresetName[2][3] == b.M_PresetName[2][3];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_project";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    {
        QFile f(FilePath());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const MData before = Seeded();
    MData record = before;
    XmlStreamHelper xml;
    const ProjectFile::ReadResult result = ProjectFile::Read(xml, FilePath(), record);
    if (result != ProjectFile::ReadResult::Loaded && !SameFileFields(before, record)) {
        std::fprintf(stderr, "a file that did not load changed the record\n");
        std::abort();
    }
    return 0;
}
