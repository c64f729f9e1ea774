#include "TitleBar.h"

#include "ServerDrawnIcon.h"

#include <QHBoxLayout>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kMaxIcon = ":/res/Image/MAX_Window.png";
const char* const kRestoreIcon = ":/res/Image/Restore_window.png";

// A button's picture, read from the resources once: the window, its pages
// and their panels carry a dozen title bars, and each reading decodes the
// picture again. Never freed: a static table would be destroyed after the
// application object, which no picture may outlive.
QIcon ButtonIcon(const char* path)
{
    static auto* icons = new QHash<QString, QIcon>;
    const QString key = QString::fromLatin1(path);
    auto it = icons->find(key);
    if (it == icons->end())
        it = icons->insert(key, QIcon(key));
    return *it;
}

QPushButton* makeButton(QWidget* parent, const char* icon, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setIcon(ButtonIcon(icon));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
}  // namespace

TitleBar::TitleBar(QWidget* parent) : QWidget(parent), owner_(parent)
{
    maxButton_ = makeButton(this, kMaxIcon, "maxButton");
    maxButton_->setCheckable(true);
    maxButton_->setChecked(false);
    minButton_ = makeButton(this, ":/res/Image/Min_Window.png", "minButton");
    closeButton_ = makeButton(this, ":/res/Image/+Close.png", "closeButton");

    QFont font(QStringLiteral("Microsoft YaHei"));
    // The heaviest weight Qt 5 accepts: its scale ends at 99.
    font.setWeight(QFont::Black);
    font.setItalic(false);
    static const int kPointSizes[kTextCount] = {14, 12, 10, 10};
    for (int i = 0; i < kTextCount; ++i) {
        texts_[i] = new QLabel(this);
        texts_[i]->setObjectName(QStringLiteral("titleText%1").arg(i));
        texts_[i]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        texts_[i]->setStyleSheet(QStringLiteral("color:rgb(239, 156, 0)"));
        font.setPointSize(kPointSizes[i]);
        texts_[i]->setFont(font);
    }

    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("titleIcon"));
    icon_->setFixedSize(30, 30);
    icon_->setScaledContents(true);
    for (int i = 0; i < kStatusIconCount; ++i) {
        statusIcons_[i] = new QLabel(this);
        statusIcons_[i]->setObjectName(QStringLiteral("statusIcon%1").arg(i));
        statusIcons_[i]->setFixedSize(30, 30);
        statusIcons_[i]->setScaledContents(true);
    }
    for (QPushButton* b : {minButton_, maxButton_, closeButton_})
        b->setFixedSize(30, 30);

    auto* row = new QHBoxLayout(this);
    row->addWidget(icon_);
    row->addSpacing(5);
    for (QLabel* text : texts_)
        row->addWidget(text);
    for (QLabel* status : statusIcons_)
        row->addWidget(status);
    row->addWidget(minButton_);
    row->addWidget(maxButton_);
    row->addWidget(closeButton_);
    row->setSpacing(5);
    row->setContentsMargins(5, 0, 5, 0);

    setBackgroundColor(QColor(46, 46, 46, 255));
    setAutoFillBackground(true);
    resize(owner_ ? owner_->width() : 0, kHeight);

    for (QPushButton* b : {minButton_, maxButton_, closeButton_})
        b->setStyleSheet(QStringLiteral("background-color:transparent;"));
    connect(minButton_, SIGNAL(clicked(bool)), this, SLOT(showMin()));
    connect(maxButton_, SIGNAL(clicked(bool)), this, SLOT(showMax()));
    connect(closeButton_, SIGNAL(clicked(bool)), this, SLOT(showClose()));

    // Sub-panels get the bar on top of their own content; a window that has a
    // layout already (the main window) places and sizes the bar itself.
    if (owner_ && !owner_->layout()) {
        auto* column = new QVBoxLayout(owner_);
        column->addWidget(this);
        column->addStretch();
        column->setSpacing(0);
        column->setContentsMargins(0, 0, 0, 0);
    }
}

void TitleBar::setLabelText(int index, const QString& text)
{
    if (index >= 0 && index < kTextCount)
        texts_[index]->setText(text);
}

void TitleBar::setIcon(const QString& path)
{
    icon_->setPixmap(QPixmap(path));
}

TitleBar::~TitleBar() = default;

void TitleBar::setStatusIcon(int index, const QString& path)
{
    if (index < 0 || index >= kStatusIconCount)
        return;
    QLabel* label = statusIcons_[index];
    const auto change = [&] {
        if (path.isEmpty()) {
            label->clear();
            return;
        }
        auto image = statusImages_.find(path);
        if (image == statusImages_.end())
            image = statusImages_.insert(path, QPixmap(path));
        label->setPixmap(*image);
    };
    // The blinking icon is tried once the bar is on screen; a label that
    // cannot be drawn by the server paints itself as the others do.
    if (index == kBlinkingStatusIcon && !blinkingIconTried_ && label->isVisible()) {
        blinkingIconTried_ = true;
        blinkingIcon_ = ServerDrawnIcon::Attach(label);
    }
    if (index != kBlinkingStatusIcon || !blinkingIcon_) {
        change();
        return;
    }
    ServerDrawnIcon::WithoutRepaint(label, change);
    const bool shown = blinkingIcon_->show(path, [this, label] {
        // The label as it paints itself, over the bar's background.
        QImage picture(label->size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(palette().color(QPalette::Window));
        label->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
        return picture;
    });
    if (!shown)
        blinkingIcon_.reset();  // and the label is painted as it now is
}

void TitleBar::deleteButton(QPushButton*& button)
{
    delete button;
    button = nullptr;
}

void TitleBar::removeButton(const int& which)
{
    switch (which) {
    case 0:
        deleteButton(maxButton_);
        break;
    case 1:
        deleteButton(minButton_);
        break;
    case 2:
        deleteButton(closeButton_);
        break;
    case 3:
        deleteButton(minButton_);
        deleteButton(maxButton_);
        break;
    default:
        break;
    }
}

void TitleBar::setBackgroundColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(color, Qt::SolidPattern));
    setPalette(pal);
    if (blinkingIcon_)
        blinkingIcon_->forget();
}

void TitleBar::showMax()
{
    if (!maxButton_ || !owner_)
        return;
    if (maxButton_->isChecked()) {
        maxButton_->setIcon(ButtonIcon(kRestoreIcon));
        owner_->showMaximized();
    } else {
        maxButton_->setIcon(ButtonIcon(kMaxIcon));
        owner_->showNormal();
    }
}

void TitleBar::showMin()
{
    if (owner_)
        owner_->showMinimized();
}

void TitleBar::showClose()
{
    if (owner_)
        owner_->close();
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (!movable || !owner_)
        return;
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    const QPoint global = event->globalPos();
    offsetX_ = global.x() - owner_->x();
    offsetY_ = global.y() - owner_->y();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!movable || !pressed_ || !owner_)
        return;
    const QPoint global = event->globalPos();
    if (maxButton_ && maxButton_->isChecked() && restoreForDrag(global))
        return;
    owner_->move(global.x() - offsetX_, global.y() - offsetY_);
}

bool TitleBar::restoreForDrag(const QPoint& global)
{
    // Read while the window still counts as maximised: afterwards Qt reports
    // the current (maximised) geometry as the normal one.
    const QRect normal = owner_->normalGeometry();
    const int maximisedWidth = owner_->width();
    // The offset is taken from the frame's corner, setGeometry() places the
    // client area.
    const QPoint frameToClient = owner_->geometry().topLeft() - owner_->pos();
    maxButton_->setIcon(ButtonIcon(kMaxIcon));
    owner_->showNormal();
    maxButton_->setChecked(false);
    if (!normal.isValid() || normal.isEmpty())
        return false;
    // A press beyond the restored width would leave the window away from the
    // pointer: the pointer keeps its relative place along the bar instead.
    if (offsetX_ >= normal.width() && maximisedWidth > 0)
        offsetX_ = offsetX_ * normal.width() / maximisedWidth;
    offsetX_ = qBound(0, offsetX_, normal.width() - 1);
    offsetY_ = qBound(0, offsetY_, normal.height() - 1);
    // On X11 showNormal() only asks the window manager, which restores the
    // size some time later; a move() now would send the maximised size along
    // with the new place and keep the window screen-sized. Place and restored
    // size go together instead.
    const QPoint frame(global.x() - offsetX_, global.y() - offsetY_);
    owner_->setGeometry(QRect(frame + frameToClient, normal.size()));
    return true;
}

void TitleBar::mouseReleaseEvent(QMouseEvent*)
{
    if (movable)
        pressed_ = false;
}
