#include "AppPaths.h"

#include "Look.h"

#include <QCoreApplication>
#include <QFont>
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

    // The pages name the Windows UI font. Where it is missing, a CJK font of
    // similar metrics stands in, so the Chinese texts render and the Latin
    // ones fit the fixed sizes the pages were laid out for. A substitute is
    // tried only when the named family is not installed, and an uninstalled
    // substitute is passed over, so the installed families need not be
    // listed and searched first.
    const QStringList standIns{QStringLiteral("Noto Sans CJK SC"),
                               QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QString::fromLatin1(Look::kFamily), standIns);
    QFont::insertSubstitutions(QString::fromLatin1(Look::kFamilyUi), standIns);
}

void PrepareX11Display()
{
    // With software OpenGL the probe alone costs some 50 MB and part of the
    // start.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}
