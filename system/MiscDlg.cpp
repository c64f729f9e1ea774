#include "MiscDlg.h"

#include "MiddleHandler.h"
#include "PageHelper.h"
#include "ProgressHelper.h"
#include "ProjectFile.h"
#include "SendCommand.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

MiscDlg::MiscDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MiscDlg"));
    Page::Setup(this, [this] {
        if (ethOutputButton_)
            ethOutputButton_->setText(tr("Eth Output"));
    });
    const QString style = QStringLiteral(
        "QPushButton { background-image: url(:/res/Image/HPageOff.png); color: rgb(235, 235, 235);"
        " border-radius: 5px; min-width: 120px; min-height: 36px; }"
        "QPushButton:hover { background-image: url(:/res/Image/HPageOn.png);"
        " color: rgb(239, 156, 0); border: none; }"
        "QPushButton:disabled { color: rgb(128, 128, 128); }"
        "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }");
    const QFont font(QStringLiteral("Microsoft YaHei"), 12, 80);

    // Each language is offered in its own script, whatever the current one.
    struct LanguageButton {
        const char* name;
        LANGUAGE_TYPE type;
    };
    static const LanguageButton kLanguages[] = {
        {"English", LANGUAGE_ENGLISH},
        {"简体中文", LANGUAGE_CHINESE},
        {"繁體中文", LANGUAGE_CHINESETRAD},
    };
    auto* languageRow = new QHBoxLayout;
    for (const LanguageButton& l : kLanguages) {
        auto* button = new QPushButton(QString::fromUtf8(l.name), this);
        button->setObjectName(QStringLiteral("languageButton%1").arg(int(l.type)));
        button->setFont(font);
        button->setStyleSheet(style);
        const LANGUAGE_TYPE type = l.type;
        connect(button, &QPushButton::clicked, this,
                [this, type] { emit sigLanguageChange(type); });
        languageRow->addWidget(button);
    }
    languageRow->addStretch();

    ethOutputButton_ = new QPushButton(tr("Eth Output"), this);
    ethOutputButton_->setObjectName(QStringLiteral("ethOutputButton"));
    ethOutputButton_->setFont(font);
    ethOutputButton_->setStyleSheet(style);
    ethOutputButton_->setEnabled(false);
    connect(ethOutputButton_, SIGNAL(clicked()), this, SIGNAL(sigVideoShow()));
    auto* ethRow = new QHBoxLayout;
    ethRow->addWidget(ethOutputButton_);
    ethRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addLayout(languageRow);
    column->addLayout(ethRow);
    column->addStretch();

    progress_ = new ProgressHelper(this, 60, tr("Inquire Machine Data."),
                                   tr("Inquire Machine Data Timeout."));
    connect(MiddleHandler::GetInstance(), &MiddleHandler::SigUIRefreshRequstCmdEnd, progress_,
            &ProgressHelper::stopProgressDialog);
}

void MiscDlg::UiRefreshAll() {}

void MiscDlg::InquireMachineData()
{
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    progress_->showProgressDialog();
}

void MiscDlg::EnableEthOutput(QString ethIp)
{
    ethOutputButton_->setEnabled(!ethIp.isEmpty());
}

void MiscDlg::LoadProject(QString path)
{
    ReadProjectXml(path);
}

void MiscDlg::SaveProject(QString path)
{
    WriteProjectXml(path);
}

bool MiscDlg::ReadProjectXml(QString path)
{
    MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    if (!data)
        return false;
    return ProjectFile::Read(xml_, path, *data) == ProjectFile::ReadResult::Loaded;
}

bool MiscDlg::WriteProjectXml(QString path)
{
    const MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    if (!data)
        return false;
    return ProjectFile::Write(xml_, path, *data);
}
