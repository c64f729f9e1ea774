#include "HDMIRGBColorDlg.h"

#include "InputLook.h"
#include "PageHelper.h"
#include "TitleBar.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>

HDMIRGBColorDlg::HDMIRGBColorDlg(QWidget* parent) : QWidget(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("HDMIRGBColorDlg"));
    setWindowTitle(QStringLiteral("Form"));
    // Set once: the panel keeps the texts of the start on a language change.
    const std::pair<const char*, QString> texts[] = {
        {"pushButton", tr("Auto")}, {"pushButton_2", tr("Limited")}, {"pushButton_3", tr("Full")}};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(texts[i].second, this);
        buttons_[i]->setObjectName(QLatin1String(texts[i].first));
        buttons_[i]->setCheckable(true);
        buttons_[i]->setAutoExclusive(true);
        buttons_[i]->setMaximumHeight(32);
    }
    QMetaObject::connectSlotsByName(this);
    initWidgets();
    initTitleBar();
}

void HDMIRGBColorDlg::initWidgets()
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 15, 0, 0);
    for (QPushButton* button : buttons_) {
        button->setFont(InputLook::Font(12));
        button->setStyleSheet(InputLook::kButtons);
        layout->addWidget(button);
    }
}

void HDMIRGBColorDlg::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

void HDMIRGBColorDlg::resizeEvent(QResizeEvent* event)
{
    titleBar_->resize(width(), TitleBar::kHeight);
    QWidget::resizeEvent(event);
}

void HDMIRGBColorDlg::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    event->accept();
}
