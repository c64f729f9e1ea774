#include "OutputResoDlg.h"

#include <QEvent>

struct OutputResoDlg::Form {};

OutputResoDlg::OutputResoDlg(QWidget* parent) : QWidget(parent), ui(new Form)
{
    setObjectName(QStringLiteral("OutputResoDlg"));
}

OutputResoDlg::~OutputResoDlg()
{
    delete ui;
}

void OutputResoDlg::SetMode(int m, bool)
{
    mode = m;
}

void OutputResoDlg::Refresh() {}
void OutputResoDlg::OnClickedResoBtn() {}
void OutputResoDlg::On_SigUIRefreshOutputReso()
{
    Refresh();
}
void OutputResoDlg::on_pushButton_clicked() {}
void OutputResoDlg::on_pushButton_2_clicked(bool) {}
void OutputResoDlg::on_lineEdit_editingFinished() {}
void OutputResoDlg::on_lineEdit_2_editingFinished() {}
void OutputResoDlg::on_lineEdit_7_editingFinished() {}
void OutputResoDlg::on_lineEdit_8_editingFinished() {}
void OutputResoDlg::on_lineEdit_9_editingFinished() {}
void OutputResoDlg::on_lineEdit_10_editingFinished() {}
void OutputResoDlg::on_lineEdit_11_editingFinished() {}
void OutputResoDlg::on_lineEdit_12_editingFinished() {}
void OutputResoDlg::on_lineEdit_13_editingFinished() {}

void OutputResoDlg::resizeEvent(QResizeEvent*) {}

void OutputResoDlg::closeEvent(QCloseEvent*)
{
    emit DlgClose();
}

void OutputResoDlg::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
}
