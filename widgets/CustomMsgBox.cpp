#include "CustomMsgBox.h"

#include "Look.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CustomMsgBox::CustomMsgBox(QWidget* parent, const QString& title, const QString& text,
                           QDialogButtonBox::StandardButtons buttons,
                           QDialogButtonBox::StandardButton)
    : QDialog(parent), title_(title), text_(text), buttons_(buttons)
{
    buttonBox_ = new QDialogButtonBox(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(title_);
    setContentsMargins(1, 1, 1, 1);
    auto* mainLayout = new QVBoxLayout(this);

    // Title row: icon and title on the left, close button on the right.
    titleRow_ = new QWidget(this);
    titleRow_->setObjectName(QStringLiteral("titleRow"));
    titleRow_->setContentsMargins(8, 0, 16, 0);
    titleRow_->setFixedSize(430, 33);
    auto* titleInner = new QWidget(titleRow_);
    auto* innerRow = new QHBoxLayout(titleInner);
    innerRow->setContentsMargins(0, 0, 0, 0);
    innerRow->setSpacing(7);
    iconLabel_ = new QLabel(titleInner);
    iconLabel_->setObjectName(QStringLiteral("iconLabel"));
    iconLabel_->setFixedSize(32, 30);
    iconLabel_->setScaledContents(true);
    iconLabel_->setPixmap(QPixmap(QStringLiteral(":/KESTRAVOL.ico")));
    iconLabel_->installEventFilter(this);
    titleLabel_ = new QLabel(title_, titleInner);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setFont(Look::Font(12));
    innerRow->addWidget(iconLabel_, 0, Qt::AlignHCenter);
    innerRow->addWidget(titleLabel_, 0, Qt::AlignHCenter);
    closeButton_ = new QPushButton(titleRow_);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    // Our own cross in the accent colour: the platform style's close pixmap is
    // drawn dark and all but vanishes on the dark title row.
    closeButton_->setIcon(QIcon(QStringLiteral(":/res/Image/+Close.png")));
    closeButton_->setIconSize(QSize(20, 20));
    connect(closeButton_, SIGNAL(clicked()), this, SLOT(sltOnBtnClose()));
    auto* titleLayout = new QHBoxLayout(titleRow_);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addWidget(titleInner, 0, Qt::AlignLeft);
    titleLayout->addWidget(closeButton_, 0, Qt::AlignRight);

    // Body: a bordered light panel with the message and the buttons.
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("body"));
    body_->setContentsMargins(8, 8, 8, 8);
    body_->setFixedSize(430, 165);
    auto* panel = new QWidget(body_);
    panel->setObjectName(QStringLiteral("panel"));
    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(panel);
    contentLayout_ = new QVBoxLayout(panel);
    contentLayout_->setContentsMargins(48, 30, 48, 10);
    messageLabel_ = new QLabel(text_, panel);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    messageLabel_->setWordWrap(true);
    contentLayout_->addWidget(messageLabel_, 0, Qt::AlignCenter);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->addWidget(buttonBox_, 2);
    contentLayout_->addLayout(buttonRow);

    buttonBox_->setStandardButtons(buttons_);
    for (QAbstractButton* button : buttonBox_->buttons()) {
        button->setFixedSize(84, 30);
        button->setFont(Look::Font(14));
    }
    labelButtons();
    connect(buttonBox_, SIGNAL(clicked(QAbstractButton*)), this,
            SLOT(onButtonClicked(QAbstractButton*)));

    mainLayout->setSpacing(0);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(titleRow_);
    mainLayout->addWidget(body_);
    // Colours and borders come from the application style sheet. Widgets it
    // styles only paint their background when asked to.
    titleRow_->setAttribute(Qt::WA_StyledBackground);
    body_->setAttribute(Qt::WA_StyledBackground);
    panel->setAttribute(Qt::WA_StyledBackground);

    // A confirmation waits for exec(): shown here it would not be modal.
    if (!buttons_.testFlag(QDialogButtonBox::Cancel))
        show();
}

void CustomMsgBox::labelButtons()
{
    for (QAbstractButton* button : buttonBox_->buttons()) {
        switch (buttonBox_->standardButton(button)) {
        case QDialogButtonBox::Ok:
        case QDialogButtonBox::Yes:
            button->setText(tr("Ok"));
            break;
        case QDialogButtonBox::Cancel:
            button->setText(tr("Cancel"));
            break;
        default:
            break;
        }
    }
}

void CustomMsgBox::onButtonClicked(QAbstractButton* button)
{
    done(buttonBox_->standardButton(button));
}

void CustomMsgBox::sltOnBtnClose()
{
    close();
}

void CustomMsgBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    offsetX_ = event->globalPos().x() - x();
    offsetY_ = event->globalPos().y() - y();
    event->accept();
}

void CustomMsgBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPos().x() - offsetX_, event->globalPos().y() - offsetY_);
    event->accept();
}

void CustomMsgBox::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

bool CustomMsgBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == iconLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool CustomMsgBox::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    // After the base class: it passes the change on to the button box, which
    // gives its buttons the toolkit's texts again.
    if (event->type() == QEvent::LanguageChange)
        labelButtons();
    return handled;
}
