#include "AppPaths.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
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
    // ones fit the fixed sizes the pages were laid out for.
    const QStringList families = QFontDatabase().families();
    if (!families.contains(QStringLiteral("Microsoft YaHei"))) {
        for (const QString& standIn : {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")}) {
            if (families.contains(standIn)) {
                QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), standIn);
                QFont::insertSubstitution(QStringLiteral("Microsoft YaHei UI"), standIn);
                break;
            }
        }
    }
}
