// The user-interface languages. The system page reports the operator's choice
// with this type and the main window loads the matching language pack.
#pragma once

enum LANGUAGE_TYPE { LANGUAGE_ENGLISH = 0, LANGUAGE_CHINESE = 1, LANGUAGE_CHINESETRAD = 2 };
