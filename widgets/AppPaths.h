// Where the program finds its files: the language packs, the settings file
// and the fallback start-up project all live in the application directory.
#pragma once

#include <QString>

// The directory of the executable. LEDZ_APP_DIR, when set, names another one,
// so that tests and benchmarks run against a directory of their own.
QString AppDirPath();

// Registers the compiled-in resources (images, style sheet, icon). The program
// and every test that shows widgets call it once before building them.
void InitAppResources();

// Before the application object: the program draws nothing with OpenGL, so
// on an X11 display Qt does not load the OpenGL driver to probe it (unless
// the operator has set QT_XCB_GL_INTEGRATION).
void PrepareX11Display();
