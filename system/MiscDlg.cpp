#include "MiscDlg.h"

#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "ProgressHelper.h"
#include "SendCommand.h"
#include "XmlStreamHelper.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kRoot = QStringLiteral("PROJECTDATA");
const QString kAllCfg = QStringLiteral("ALLCONFG");
}

MiscDlg::MiscDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MiscDlg"));
    Page::Setup(this, [this] {
        if (ethOutputButton_)
            ethOutputButton_->setText(tr("Eth Output"));
    });
    const QFont font = Look::Font(12);

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
        const LANGUAGE_TYPE type = l.type;
        connect(button, &QPushButton::clicked, this, [this, type] { emit sigLanguageChange(type); });
        languageRow->addWidget(button);
    }
    languageRow->addStretch();

    ethOutputButton_ = new QPushButton(tr("Eth Output"), this);
    ethOutputButton_->setObjectName(QStringLiteral("ethOutputButton"));
    ethOutputButton_->setFont(font);
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
    XmlStreamHelper xml;
    if (!xml.openRead(path))
        return;
    // The elements are read in the order in which the file holds them.
    AllCfg& cfg = MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg;
    QString text;
    if (xml.findElementText(QStringLiteral("BRIGHTLEVEL"), text))
        cfg.brightLevel = text.toInt();
    if (xml.findElementText(QStringLiteral("SYSTEMWORK"), text))
        cfg.workMode = text.toInt();
    if (xml.findElementText(QStringLiteral("GENLOCK"), text))
        cfg.syncLock = text.toInt();
    if (xml.findElementText(QStringLiteral("GAMMAMODE"), text))
        cfg.gammaMode = text.toInt();
    if (xml.findElementText(QStringLiteral("GAMMAVALUE"), text))
        cfg.gammaValue = static_cast<uint8_t>(text.toUInt());
    if (xml.findElementText(QStringLiteral("FREEZE"), text))
        cfg.freeze = static_cast<uint8_t>(text.toUInt());
}

void MiscDlg::SaveProject(QString path)
{
    // No settings file, no project path: nothing to write.
    if (path.isEmpty())
        return;
    const AllCfg& cfg = MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg;
    XmlStreamHelper xml;
    xml.openWrite(path);
    xml.beginDocument(kRoot);
    xml.writeStartElement(kAllCfg);
    xml.writeTextElement(QStringLiteral("BRIGHTLEVEL"), QString::number(cfg.brightLevel));
    xml.writeTextElement(QStringLiteral("SYSTEMWORK"), QString::number(cfg.workMode));
    xml.writeTextElement(QStringLiteral("GENLOCK"), QString::number(cfg.syncLock));
    xml.writeTextElement(QStringLiteral("GAMMAMODE"), QString::number(cfg.gammaMode));
    xml.writeTextElement(QStringLiteral("GAMMAVALUE"), QString::number(cfg.gammaValue));
    xml.writeTextElement(QStringLiteral("FREEZE"), QString::number(cfg.freeze));
    xml.writeEndElement();
    xml.endDocument();
}
