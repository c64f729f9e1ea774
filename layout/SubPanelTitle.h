// The title bar of the layer settings panel's sub-panels: only a close
// button, transparent over the panel, fixed in place.
#pragma once

class QWidget;
class TitleBar;

TitleBar* AddSubPanelTitleBar(QWidget* panel);
