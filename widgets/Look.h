// The program's look in one place: the accent colour, the font the pages are
// laid out with, and the application style sheet (":/res/qss/style_Main.qss")
// that styles the pages and shared widgets by class and object name. Code
// that needs a colour or a font takes it from here; repeated styles live in
// the sheet, not in the widgets.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The accent and the font family as literals for the style sheets that a
// widget still writes in code, joined with the literals beside them:
// "color: " LOOK_ACCENT ";".
#define LOOK_ACCENT "rgb(239, 156, 0)"
#define LOOK_FAMILY "Microsoft YaHei"

namespace Look {

// The accent: captions, selected buttons, the current device.
inline QColor Accent()
{
    return QColor(239, 156, 0);
}

// The Windows UI font the pages are laid out with; where it is missing a
// stand-in of similar metrics is substituted (InitAppResources).
constexpr const char* kFamily = LOOK_FAMILY;
constexpr const char* kFamilyUi = "Microsoft YaHei UI";
// The weight the pages give their texts (between bold and extra bold).
constexpr int kWeight = 80;

QFont Font(int pointSize, int weight = kWeight);

// A font of the size that pointSize has on the 96 dpi screens the pages were
// laid out for, whatever the screen's dpi: for texts that must fit a fixed
// widget width.
QFont LaidOutFont(int pointSize, int weight = kWeight);

constexpr const char* kStyleSheet = ":/res/qss/style_Main.qss";

// Sets the text of the style sheet file, up to its first NUL byte, as the
// application's style sheet. False, with the warning "Can't open the style
// sheet file.", when the file cannot be read; the program then runs unstyled.
bool ApplyStyleSheet(const QString& path = QString::fromLatin1(kStyleSheet));

// A rule of the sheet that selects by a dynamic property takes effect once
// the widget and the children it styles are polished again.
void Repolish(QWidget* widget);

}  // namespace Look
