#include "LogoSettingDlg.h"

#include "CustomMsgBox.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "TitleBar.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Logo states of the device's report.
constexpr uint8_t kStateNone = 0;
constexpr uint8_t kStateSaving = 2;
constexpr uint8_t kStateSaved = 3;
constexpr uint8_t kStateLoading = 5;
constexpr uint8_t kStateLoaded = 6;
constexpr int kProgressSteps = 100;


}  // namespace

LogoSettingDlg::LogoSettingDlg(QWidget* parent) : QWidget(parent)
{
    buildForm();
    retranslate();
    initWidgets();

    MiddleHandler* handler = MiddleHandler::GetInstance();
    connect(handler, SIGNAL(SigUIRefreshLogoData(int)), this, SLOT(On_SigUIRefreshLogoData(int)));
    connect(handler, SIGNAL(SigUIRefreshAllCfg()), this, SLOT(On_SigUIRefreshAllCfg()));
}

void LogoSettingDlg::buildForm()
{
    setObjectName(QStringLiteral("LogoSettingDlg"));
    lineEdit = new QLineEdit(this);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setEnabled(false);
    pushButton = Page::MakeButton(this, "pushButton", false);
    groupBox = new QGroupBox(this);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    pushButton_2 = Page::MakeButton(groupBox, "pushButton_2", true);
    pushButton_3 = Page::MakeButton(groupBox, "pushButton_3", true);
    pushButton_4 = Page::MakeButton(groupBox, "pushButton_4", true);
    pushButton_5 = Page::MakeButton(groupBox, "pushButton_5", true);
    pushButton_6 = Page::MakeButton(groupBox, "pushButton_6", false);
    pushButton_7 = Page::MakeButton(groupBox, "pushButton_7", true);
    pushButton_8 = Page::MakeButton(groupBox, "pushButton_8", true);
    pushButton_9 = Page::MakeButton(groupBox, "pushButton_9", false);

    buttonGroup = new QButtonGroup(this);
    buttonGroup->setObjectName(QStringLiteral("buttonGroup"));
    for (QPushButton* b : {pushButton_2, pushButton_3, pushButton_4, pushButton_5})
        buttonGroup->addButton(b);
    pushButton_2->setChecked(true);
    buttonGroup_2 = new QButtonGroup(this);
    buttonGroup_2->setObjectName(QStringLiteral("buttonGroup_2"));
    buttonGroup_2->addButton(pushButton_7);
    buttonGroup_2->addButton(pushButton_8);
    pushButton_7->setChecked(true);

    connect(pushButton_6, &QPushButton::clicked, this, &LogoSettingDlg::on_pushButton_6_clicked);
    connect(pushButton, &QPushButton::clicked, this, &LogoSettingDlg::on_pushButton_clicked);
    connect(pushButton_9, &QPushButton::clicked, this, &LogoSettingDlg::on_pushButton_9_clicked);
}

void LogoSettingDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    pushButton->setText(tr("Load"));
    groupBox->setTitle(tr("LOGO Setting"));
    pushButton_2->setText(tr("Layer 1"));
    pushButton_3->setText(tr("Layer 2"));
    pushButton_4->setText(tr("Layer 3"));
    pushButton_5->setText(tr("Layer 4"));
    pushButton_6->setText(tr("Start"));
    pushButton_7->setText(tr("Preview"));
    pushButton_8->setText(tr("Program"));
    pushButton_9->setText(tr("Delete"));
}

void LogoSettingDlg::initWidgets()
{
    const QFont font = Look::Font(12);
    auto* top = new QHBoxLayout;
    top->addWidget(lineEdit, 2);
    top->addWidget(pushButton, 1);
    top->addStretch(1);
    auto* grid = new QGridLayout(groupBox);
    grid->addWidget(pushButton_7, 0, 0);
    grid->addWidget(pushButton_8, 0, 1);
    grid->addWidget(pushButton_2, 1, 0);
    grid->addWidget(pushButton_3, 1, 1);
    grid->addWidget(pushButton_4, 1, 2);
    grid->addWidget(pushButton_5, 1, 3);
    grid->addWidget(pushButton_6, 2, 0);
    grid->addWidget(pushButton_9, 2, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(9, 26, 9, 9);
    column->addLayout(top);
    column->addWidget(groupBox);

    for (QPushButton* b : {pushButton, pushButton_2, pushButton_3, pushButton_4, pushButton_5,
                           pushButton_6, pushButton_7, pushButton_8, pushButton_9}) {
        b->setFont(font);
    }
    lineEdit->setFont(font);
    initTitleBar();
}

QProgressDialog* LogoSettingDlg::progressDialog()
{
    if (progress_)
        return progress_;
    progress_ = new QProgressDialog(QString(), tr("Cancel"), 0, kProgressSteps, this);
    progress_->setObjectName(QStringLiteral("logoProgress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    progress_->setFixedSize(320, 140);
    // Reset and hidden until the device reports a save or a load.
    progress_->setValue(kProgressSteps);
    return progress_;
}

void LogoSettingDlg::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

QString LogoSettingDlg::StateText(const LogoInfo& info)
{
    QString mode;
    switch (info.workMode) {
    case MOSAIC_MODE: mode = tr("Mosaic Mode"); break;
    case SWITCHER_MODE: mode = tr("HDMI Switcher"); break;
    case BACKUP_MODE: mode = tr("Backup Mode"); break;
    default: break;
    }
    const QString size = QString::asprintf("  %d x %d  ", int(info.width), int(info.height));
    switch (info.state) {
    case kStateNone: return tr("LOGO  None  ");
    case kStateSaved: return tr("LOGO  Saved  ") + size + mode;
    case kStateLoaded: return tr("LOGO  Loaded  ") + size + mode;
    default: return QString();
    }
}

void LogoSettingDlg::On_SigUIRefreshLogoData(int)
{
    const LogoInfo& info = Page::CurrentRecord().M_LogoInfo;
    if (info.state == kStateSaving || info.state == kStateLoading) {
        if (info.progress == 0)
            progressDialog()->setLabelText(info.state == kStateSaving ? tr("Logo Saving")
                                                                      : tr("Logo Loading"));
        // A report beyond 100 would leave the dialog open for good.
        progressDialog()->setValue(qMin(int(info.progress), kProgressSteps));
    }
    lineEdit->setText(StateText(info));
    pushButton->setEnabled(info.state != kStateNone);
}

void LogoSettingDlg::On_SigUIRefreshAllCfg()
{
    const int mode = Page::CurrentRecord().M_AllCfg.workMode;
    if (mode == SWITCHER_MODE) {
        pushButton_7->show();
        pushButton_8->show();
    } else if (mode == MOSAIC_MODE || mode == BACKUP_MODE) {
        pushButton_7->hide();
        pushButton_8->hide();
    }
}

int LogoSettingDlg::checkedLayer() const
{
    const QPushButton* layers[] = {pushButton_2, pushButton_3, pushButton_4, pushButton_5};
    for (int i = 0; i < 4; ++i)
        if (layers[i]->isChecked())
            return i;
    return 0;
}

void LogoSettingDlg::send(LogoOperation operation)
{
    MData& data = Page::CurrentRecord();
    const uint8_t address[3] = {uint8_t(checkedLayer()), uint8_t(pushButton_7->isChecked() ? 1 : 0),
                                operation};
    data.M_LogoInfo.workMode = data.M_AllCfg.workMode;
    SendCommand(&data.M_LogoInfo, SEND_LOGOCMD, address, QString());
}

void LogoSettingDlg::on_pushButton_6_clicked()
{
    const int layer = checkedLayer();
    if (Page::CurrentRecord().M_MosaicLayerCfg.layer[layer].rotation != 0) {
        // A notice shows itself; it goes away with its answer.
        auto* box = new CustomMsgBox(this, tr("Tips"), tr("Layer Roation Is On,Can't Save Logo."),
                                     QDialogButtonBox::Ok, QDialogButtonBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        connect(box, &QDialog::finished, box, &QObject::deleteLater);
        return;
    }
    send(LOGO_SAVE);
}

void LogoSettingDlg::on_pushButton_clicked()
{
    send(LOGO_LOAD);
}

void LogoSettingDlg::on_pushButton_9_clicked()
{
    send(LOGO_DELETE);
}

void LogoSettingDlg::resizeEvent(QResizeEvent* event)
{
    Page::ResizeTitleBar(titleBar_, this);
    QWidget::resizeEvent(event);
}

void LogoSettingDlg::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    QWidget::closeEvent(event);
}

void LogoSettingDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        lineEdit->setText(StateText(Page::CurrentRecord().M_LogoInfo));
        if (progress_)
            progress_->setCancelButtonText(tr("Cancel"));
    }
    QWidget::changeEvent(event);
}
