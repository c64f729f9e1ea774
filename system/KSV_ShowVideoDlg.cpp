#include "KSV_ShowVideoDlg.h"

#include "TitleBar.h"

#include <QLabel>
#include <QLayout>

KSV_ShowVideoDlg::KSV_ShowVideoDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KSV_ShowVideoDlg"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    auto* bar = new TitleBar(this);
    bar->setIcon(QStringLiteral(":/KESTRAVOL.ico"));
    bar->setLabelText(0, tr("Show Output"));
    bar->removeButton(1);
    view_ = new QLabel(this);
    view_->setAlignment(Qt::AlignCenter);
    view_->setObjectName(QStringLiteral("videoView"));
    // The bar made a column of itself and a stretch: the view takes the stretch's place.
    delete layout()->takeAt(1);
    layout()->addWidget(view_);
}

void KSV_ShowVideoDlg::ConnectVideoShow(QString ethIp, bool)
{
    view_->setText(QStringLiteral("rtsp://%1/h264").arg(ethIp));
}

void KSV_ShowVideoDlg::StopVideo()
{
    view_->clear();
}
