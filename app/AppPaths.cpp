#include "AppPaths.h"

#include <QCoreApplication>
#include <QtGlobal>

QString AppDirPath()
{
    const QString dir = qEnvironmentVariable("LEDZ_APP_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void InitAppResources()
{
    // The resources are compiled into a static library; naming them here pulls
    // them into every executable that calls this.
    Q_INIT_RESOURCE(resources);
}
