#include "EdidDlg.h"

#include "CommandEncoder.h"
#include "InputLook.h"
#include "InputRules.h"
#include "MiddleHandler.h"
#include "SendCommand.h"
#include "PageHelper.h"
#include "TitleBar.h"

#include <QCloseEvent>
#include <QDoubleValidator>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

EdidDlg::EdidDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EdidDlg"));
    box_ = new QGroupBox(this);
    box_->setObjectName(QStringLiteral("EdidCfgGBox"));
    adv_ = new QGroupBox(box_);
    adv_->setObjectName(QStringLiteral("AdvGbox"));
    const char* const labelNames[5] = {"label", "label_2", "label_3", "label_4", "label_5"};
    for (int i = 0; i < 5; ++i) {
        QWidget* owner = i < 3 ? static_cast<QWidget*>(box_) : adv_;
        labels_[i] = new QLabel(owner);
        labels_[i]->setObjectName(QLatin1String(labelNames[i]));
        edits_[i] = new QLineEdit(owner);
        edits_[i]->setObjectName(i == 0 ? QStringLiteral("lineEdit")
                                        : QStringLiteral("lineEdit_%1").arg(i + 1));
    }
    reset_ = new QPushButton(box_);
    reset_->setObjectName(QStringLiteral("pushButton"));
    accept_ = new QPushButton(box_);
    accept_->setObjectName(QStringLiteral("pushButton_2"));
    advance_ = new QPushButton(box_);
    advance_->setObjectName(QStringLiteral("pushButton_3"));
    advance_->setCheckable(true);
    exit_ = new QPushButton(box_);
    exit_->setObjectName(QStringLiteral("pushButton_4"));
    retranslateUi();
    QMetaObject::connectSlotsByName(this);
    initWidgets();
    adv_->hide();
}

void EdidDlg::retranslateUi()
{
    setWindowTitle(tr("Form"));
    box_->setTitle(tr("Edid Config"));
    adv_->setTitle(tr("Advanced"));
    labels_[0]->setText(tr("Hact"));
    labels_[1]->setText(tr("Vact"));
    labels_[2]->setText(tr("FPS"));
    labels_[3]->setText(tr("Hblank"));
    labels_[4]->setText(tr("Vblank"));
    reset_->setText(tr("Reset"));
    accept_->setText(tr("Accept"));
    advance_->setText(tr("Advance"));
    exit_->setText(tr("Exit"));
}

void EdidDlg::initWidgets()
{
    const QFont font = InputLook::Font(12);
    QFont fieldFont(QStringLiteral("Arial Black"), 12);
    fieldFont.setBold(true);
    for (QLineEdit* e : edits_) {
        e->setFixedSize(50, 24);
        e->setAlignment(Qt::AlignCenter);
        e->setFont(fieldFont);
        e->setStyleSheet(InputLook::kEdit);
    }
    auto* sizes = new QIntValidator(0, 9999, this);
    edits_[0]->setValidator(sizes);
    edits_[1]->setValidator(sizes);
    auto* rate = new QDoubleValidator(0, 999, 2, this);
    rate->setNotation(QDoubleValidator::StandardNotation);
    rate->setLocale(QLocale::c());
    edits_[2]->setValidator(rate);
    for (QPushButton* b : {reset_, accept_, advance_, exit_}) {
        b->setFont(font);
        b->setStyleSheet(InputLook::kButtons);
        b->setMinimumSize(100, 32);
    }
    box_->setFont(font);
    box_->setStyleSheet(InputLook::kGroupBox);

    auto* row1 = new QHBoxLayout;
    row1->addWidget(labels_[0]);
    row1->addWidget(edits_[0]);
    row1->addWidget(labels_[2]);
    row1->addWidget(edits_[2]);
    row1->addWidget(reset_);
    row1->addStretch();
    auto* row2 = new QHBoxLayout;
    row2->addWidget(labels_[1]);
    row2->addWidget(edits_[1]);
    row2->addWidget(advance_);
    row2->addWidget(accept_);
    row2->addStretch();
    auto* rows = new QVBoxLayout;
    rows->addLayout(row1);
    rows->addLayout(row2);
    auto* advRow = new QHBoxLayout(adv_);
    for (int i = 3; i < 5; ++i) {
        advRow->addWidget(labels_[i]);
        advRow->addWidget(edits_[i]);
    }
    auto* inBox = new QHBoxLayout(box_);
    inBox->addLayout(rows);
    inBox->addWidget(adv_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 15 + 26, 0, 0);
    outer->addWidget(box_);
    initTitleBar();
    exit_->hide();
}

void EdidDlg::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

void EdidDlg::setInputIndex(int input)
{
    input_ = input;
    if (isVisible())
        refresh();
}

void EdidDlg::setPortIndex(int port)
{
    port_ = port;
    refresh();
}

void EdidDlg::refreshFor(int input, int port)
{
    if (input == input_ && port == port_)
        refresh();
}

InputEdidCfg* EdidDlg::current() const
{
    if (input_ < 0 || input_ >= MDataLimits::kInputs || port_ < 0 || port_ >= MDataLimits::kPorts)
        return nullptr;
    MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    return data ? &data->M_InputData.edid[input_] : nullptr;
}

void EdidDlg::refresh()
{
    const InputEdidCfg* e = current();
    if (!e)
        return;
    edits_[0]->setText(QString::number(e->hact[port_]));
    edits_[1]->setText(QString::number(e->vact[port_]));
    edits_[2]->setText(EdidRules::RateText(e->rate[port_] / 100.0));
    edits_[3]->setText(QString::number(e->hblank[port_]));
    edits_[4]->setText(QString::number(e->vblank[port_]));
}

EdidRules::Fields EdidDlg::fields() const
{
    EdidRules::Fields f;
    f.hact = edits_[0]->text().toInt();
    f.vact = edits_[1]->text().toInt();
    f.rate = double(edits_[2]->text().toFloat());
    f.hblank = edits_[3]->text().toInt();
    f.vblank = edits_[4]->text().toInt();
    f.advanced = advance_->isChecked();
    return f;
}

EdidRules::Port EdidDlg::port() const
{
    EdidRules::Port p;
    MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    if (!data || input_ < 0 || input_ >= MDataLimits::kInputs || port_ < 0 ||
        port_ >= MDataLimits::kPorts) {
        p.present = false;
        return p;
    }
    p.version = data->M_InputData.port[input_].chnlId[port_];
    p.type = data->M_InputData.port[input_].inputType[port_];
    return p;
}

void EdidDlg::on_lineEdit_editingFinished()
{
    edits_[0]->setText(QString::number(EdidRules::LimitWidth(fields(), port())));
}

void EdidDlg::on_lineEdit_2_editingFinished()
{
    edits_[1]->setText(QString::number(EdidRules::LimitHeight(fields(), port())));
}

void EdidDlg::on_lineEdit_3_editingFinished()
{
    edits_[2]->setText(EdidRules::RateText(EdidRules::LimitRate(fields(), port())));
}

void EdidDlg::on_lineEdit_4_editingFinished()
{
    edits_[3]->setText(QString::number(EdidRules::LimitHblank(edits_[3]->text().toInt())));
}

void EdidDlg::on_lineEdit_5_editingFinished()
{
    edits_[4]->setText(QString::number(EdidRules::LimitVblank(edits_[4]->text().toInt())));
}

void EdidDlg::showAdvanced(bool show)
{
    adv_->setVisible(show);
}

void EdidDlg::on_pushButton_3_clicked(bool checked)
{
    showAdvanced(checked);
}

// An empty field keeps the record's value: storing it as 0 would send the
// device a timing of zero.
void EdidDlg::on_pushButton_2_clicked()
{
    InputEdidCfg* e = current();
    if (!e)
        return;
    const auto store = [](QLineEdit* edit, uint16_t& field) {
        if (!edit->text().trimmed().isEmpty())
            field = uint16_t(edit->text().toInt());
    };
    store(edits_[0], e->hact[port_]);
    store(edits_[1], e->vact[port_]);
    if (!edits_[2]->text().trimmed().isEmpty())
        e->rate[port_] = EdidRules::RateToRecord(double(edits_[2]->text().toFloat()));
    store(edits_[3], e->hblank[port_]);
    store(edits_[4], e->vblank[port_]);
    const uint8_t addr[3] = {uint8_t(input_), uint8_t(port_), 2};
    SendCommand(e, SEND_INPUTEDIDCMD, addr, QString());
}

void EdidDlg::on_pushButton_clicked()
{
    const InputEdidCfg* e = current();
    if (!e)
        return;
    const InputEdidCfg snapshot = *e;
    const uint8_t addr[3] = {uint8_t(input_), uint8_t(port_), 0};
    SendCommand(&snapshot, SEND_INPUTEDIDCMD, addr, QString());
}

void EdidDlg::on_pushButton_4_clicked()
{
    close();
}

void EdidDlg::resizeEvent(QResizeEvent* event)
{
    titleBar_->resize(width(), TitleBar::kHeight);
    QWidget::resizeEvent(event);
    event->ignore();
}

void EdidDlg::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    event->accept();
}

void EdidDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
