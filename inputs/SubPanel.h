// What the input page's sub-panels share: a title bar with only the close
// button, transparent over the panel and fixed in place.
#pragma once

class QWidget;
class TitleBar;

TitleBar* MakeSubPanelTitleBar(QWidget* panel);
