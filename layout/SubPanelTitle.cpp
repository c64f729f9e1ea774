#include "SubPanelTitle.h"

#include "TitleBar.h"

TitleBar* AddSubPanelTitleBar(QWidget* panel)
{
    auto* bar = new TitleBar(panel);
    bar->removeButton(1);
    bar->removeButton(3);
    bar->setBackgroundColor(QColor(46, 46, 46, 0));
    bar->movable = false;
    return bar;
}
