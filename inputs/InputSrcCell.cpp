#include "InputSrcCell.h"

#include "InputDragInfo.h"
#include "InputLook.h"

#include <QApplication>
#include <QDebug>
#include <QDrag>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, int points)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(InputLook::Font(points));
    label->setProperty(InputLook::kTextLook, InputLook::kLabelLight);
    return label;
}

QPushButton* MakeLamp(QWidget* parent, const QString& name, const QString& style)
{
    auto* lamp = new QPushButton(parent);
    lamp->setObjectName(name);
    lamp->setCheckable(true);
    lamp->setEnabled(false);
    lamp->setMaximumSize(16, 16);
    lamp->setStyleSheet(style);
    return lamp;
}

// A new look for one widget: its property, and one polish of that widget
// alone (the rules select by the widget's own property, so its children keep
// theirs). A redraw after a read-back sets hundreds of looks, nearly all
// unchanged: those cost nothing. shown is the look the widget was last given.
void SetLook(QWidget* w, const char* property, QString& shown, const QString& look)
{
    if (!w || shown == look)
        return;
    shown = look;
    w->setProperty(property, look);
    if (!w->testAttribute(Qt::WA_WState_Polished))
        return;  // polished with the new look when it is first shown
    QStyle* style = w->style();
    style->unpolish(w);
    style->polish(w);
    w->update();
}

void SetFrameLook(QWidget* w, QString& shown, const QString& look)
{
    SetLook(w, InputLook::kFrameLook, shown, look);
}

void SetTextLook(QWidget* w, QString& shown, const QString& look)
{
    SetLook(w, InputLook::kTextLook, shown, look);
}

}  // namespace

InputSrcCell::InputSrcCell(QWidget* parent) : QWidget(parent)
{
    main_ = new QFrame(this);
    mainLook_ = InputLook::kFrameDark;
    main_->setProperty(InputLook::kFrameLook, mainLook_);
    auto* mainLayout = new QHBoxLayout(main_);
    mainLayout->setContentsMargins(2, 2, 2, 2);
    signalLamp_ = MakeLamp(main_, QStringLiteral("INPUTSIGNAL"), InputLook::kSignalLamp);
    mainLayout->addWidget(signalLamp_);
    nameLabel_ = MakeLabel(main_, "IPSRCLABEL", 12);
    mainLayout->addWidget(nameLabel_);
    signalLabel_ = MakeLabel(main_, "IPSIGNALLABEL", 10);
    mainLayout->addWidget(signalLabel_);
    renameLabel_ = MakeLabel(main_, "IPSRCRENAMELABEL", 10);
    mainLayout->addWidget(renameLabel_);
    clearButton_ = new QPushButton(main_);
    clearButton_->setObjectName(QStringLiteral("INPUTCLEAR"));
    confirmButton_ = new QPushButton(main_);
    confirmButton_->setObjectName(QStringLiteral("INPUTCONFIRM"));
    for (QPushButton* button : {clearButton_, confirmButton_}) {
        button->setMaximumSize(50, 32);
        button->setFont(InputLook::Font(12));
        button->setStyleSheet(InputLook::kTileButtons);
        mainLayout->addWidget(button);
    }
    auto* right = new QFrame(main_);
    right->setObjectName(QStringLiteral("IPSRCRIGHT"));
    rightLook_ = InputLook::kFrameRight;
    right->setProperty(InputLook::kFrameLook, rightLook_);
    auto* rightLayout = new QHBoxLayout(right);
    rightLabel_ = MakeLabel(right, "IPSRCLABELR", 12);
    rightLayout->addWidget(rightLabel_);
    right->hide();
    mainLayout->addWidget(right);
    right_ = right;

    for (int i = 0; i < kSubCells; ++i) {
        subs_[i] = new QFrame(this);
        subLooks_[i] = InputLook::kFrameDark;
        subs_[i]->setProperty(InputLook::kFrameLook, subLooks_[i]);
        auto* layout = new QHBoxLayout(subs_[i]);
        subLamps_[i] =
            MakeLamp(subs_[i], QStringLiteral("SubCellSignalBtn%1").arg(i), InputLook::kSubLamp);
        layout->addWidget(subLamps_[i], 1);
        QLabel* label = MakeLabel(subs_[i], "", 12);
        label->setObjectName(QStringLiteral("SubCell%1").arg(i));
        label->setText(QStringLiteral("NONE"));
        layout->addWidget(label, 2);
        subLabels_[i] = label;
        subTextLooks_[i] = InputLook::kLabelLight;
    }

    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    row->addWidget(main_, 10);
    for (QFrame* sub : subs_)
        row->addWidget(sub, 1);

    connect(clearButton_, &QPushButton::clicked, this, &InputSrcCell::OnClickClearBtn);
    connect(confirmButton_, &QPushButton::clicked, this, &InputSrcCell::OnClickConfirmBtn);
    retranslate();
}

void InputSrcCell::SetSrcLabel(const QString& text)
{
    nameText_ = text;
    nameLabel_->setText(text);
}

void InputSrcCell::SetSrcLabel(const QString& text, bool split)
{
    nameText_ = text;
    SetSplit(split);
}

InputSrcCell::~InputSrcCell()
{
    // QWidget's destructor hides the cell and deletes its children after this
    // part of the cell is gone: the rename editor's focus-out (editingFinished)
    // and any other child's signal would run a slot of a half-destroyed cell,
    // and could report a rename during teardown.
    const QList<QObject*> kids = findChildren<QObject*>();
    for (QObject* kid : kids)
        disconnect(kid, nullptr, this, nullptr);
}

void InputSrcCell::SetRenameLabel(const QString& text)
{
    renameLabel_->setText(text);
}

void InputSrcCell::SetSignalLabel(const QString& text)
{
    signalLabel_->setText(text);
}

void InputSrcCell::SetSignal(bool on)
{
    signalLamp_->setChecked(on);
}

void InputSrcCell::SetSubSignal(int sub, bool on)
{
    if (sub >= 0 && sub < kSubCells)
        subLamps_[sub]->setChecked(on);
}

void InputSrcCell::SetSubText(int sub, const QString& text)
{
    if (sub < 0 || sub >= kSubCells)
        return;
    subLabels_[sub]->setText(text);
}

void InputSrcCell::SetSubCount(int count)
{
    for (int i = 0; i < kSubCells; ++i)
        subs_[i]->setVisible(i < count);
    if (count == 0) {
        clearButton_->hide();
        confirmButton_->hide();
    }
}

void InputSrcCell::SetSubSource(int sub, int source)
{
    if (sub >= 0 && sub < kSubCells)
        subSource_[sub] = source;
}

int InputSrcCell::SubSource(int sub) const
{
    return sub >= 0 && sub < kSubCells ? subSource_[sub] : kNoSource;
}

void InputSrcCell::SetSubEnabled(int sub, bool enabled)
{
    if (sub < 0 || sub >= kSubCells)
        return;
    QFrame* frame = subs_[sub];
    QLabel* label = subLabels_[sub];
    frame->setEnabled(enabled);
    if (enabled && subSelected_[sub]) {
        SetFrameLook(frame, subLooks_[sub], InputLook::kFrameAccent);
        SetTextLook(label, subTextLooks_[sub], InputLook::kLabelDark);
    } else {
        SetFrameLook(frame, subLooks_[sub],
                     enabled ? InputLook::kFrameDark : InputLook::kFrameDisabled);
        SetTextLook(label, subTextLooks_[sub], InputLook::kLabelLight);
    }
}

void InputSrcCell::SelectSub(int sub, bool notify)
{
    if (sub < 0 || sub >= kSubCells)
        return;
    for (int i = 0; i < kSubCells; ++i) {
        if (!subs_[i]->isEnabled())
            continue;
        // The chosen sub-cell goes straight to its own look: through the
        // others' and back would polish it twice at every read-back.
        if (i != sub) {
            SetFrameLook(subs_[i], subLooks_[i], InputLook::kFrameDark);
            SetTextLook(subLabels_[i], subTextLooks_[i], InputLook::kLabelLight);
        }
        subSelected_[i] = false;
    }
    subSelected_[sub] = true;
    SetFrameLook(subs_[sub], subLooks_[sub], InputLook::kFrameAccent);
    SetTextLook(subLabels_[sub], subTextLooks_[sub], InputLook::kLabelDark);
    if (notify)
        emit SigClickInputSubSrc(index, sub);
}

void InputSrcCell::SetSelected(bool selected, int area)
{
    selected_ = selected;
    QWidget* right = rightPart();
    if (selected) {
        if (area == 0) {
            SetFrameLook(main_, mainLook_, InputLook::kFrameAccent);
            SetFrameLook(right, rightLook_, InputLook::kFrameRight);
        } else if (area == 1) {
            SetFrameLook(main_, mainLook_, InputLook::kFrameDark);
            SetFrameLook(right, rightLook_, InputLook::kFrameAccent);
        }
        return;
    }
    SetFrameLook(main_, mainLook_, tileValid_ ? InputLook::kFrameDark : InputLook::kFrameInvalid);
    SetFrameLook(right, rightLook_, InputLook::kFrameRight);
}

void InputSrcCell::SetSplit(bool split)
{
    split_ = split;
    rightPart()->setVisible(split);
    if (split) {
        nameLabel_->setText(nameText_ + QStringLiteral("-L"));
        rightLabel_->setText(nameText_ + QStringLiteral("-R"));
    } else {
        nameLabel_->setText(nameText_);
    }
}

void InputSrcCell::SetTileMode(bool tile)
{
    tileMode = tile;
    clearButton_->setVisible(tile);
    confirmButton_->setVisible(tile);
    signalLamp_->setVisible(!tile);
    if (tile) {
        tileValid_ = false;
        for (int i = 0; i < kSubCells; ++i) {
            subLamps_[i]->hide();
            SetSubEnabled(i, i == 0);
        }
        clickable = false;
    } else {
        clickable = true;
        SelectSub(0, false);
    }
}

void InputSrcCell::SetTileValid(bool valid)
{
    tileValid_ = valid;
    SetSelected(selected_, 0);
}

void InputSrcCell::SetApplyEnabled(bool enabled)
{
    confirmButton_->setEnabled(enabled);
}

void InputSrcCell::SetInputType(int type)
{
    inputType_ = type;
}

void InputSrcCell::SetDraggable(bool on)
{
    draggable_ = on;
}

QWidget* InputSrcCell::rightPart() const
{
    return right_;
}

bool InputSrcCell::onRightPart(const QPoint& pos) const
{
    const QWidget* right = rightPart();
    if (!right->isVisible())
        return false;
    return QRect(right->mapTo(this, QPoint(0, 0)), right->size()).contains(pos);
}

QByteArray InputSrcCell::DragPayload(const QPoint& pos) const
{
    InputDragInfo info;
    info.source = index;
    info.port = activePort;
    info.half = onRightPart(pos) ? 1 : 0;
    info.split = split_ ? 1 : 0;
    info.type = inputType_;
    return info.toBytes();
}

void InputSrcCell::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->pos();
    if (main_->geometry().contains(p)) {
        setFocus(Qt::MouseFocusReason);
        if (!draggable_ || (tileMode && !tileValid_))
            return;
        dragDone_ = false;
        pressPos_ = p;
        return;
    }
    for (int i = 0; i < kSubCells; ++i) {
        if (subs_[i]->geometry().contains(p) && subs_[i]->isEnabled() && subs_[i]->isVisible()) {
            SelectSub(i, true);
            return;
        }
    }
}

void InputSrcCell::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->pos();
    if (main_->geometry().contains(p) && !dragDone_ && clickable)
        emit ClickInputSrcEvent(index, onRightPart(p) ? 1 : 0);
    dragDone_ = true;
}

void InputSrcCell::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QLabel* label = renameLabel_;
    const QRect rect(label->mapTo(this, QPoint(0, 0)), label->size());
    if (!rect.contains(event->pos()))
        return;
    qDebug("mouseDoubleClickEvent IPSRCRENAMELABEL");
    if (!renameEdit_) {
        renameEdit_ = new QLineEdit(this);
        renameEdit_->setFont(InputLook::Font(12));
        renameEdit_->setStyleSheet(
            QStringLiteral("background:#242424;color:rgb(239,156,0);"
                           "border-image:url(:/res/Image/HPageOn.png);"));
        connect(renameEdit_, &QLineEdit::editingFinished, this, &InputSrcCell::RenameEditFinished);
    }
    label->hide();
    renameEdit_->setGeometry(rect);
    renameEdit_->setText(label->text());
    renameEdit_->show();
    renameEdit_->raise();
    renameEdit_->setFocus(Qt::MouseFocusReason);
    renameEdit_->selectAll();
}

void InputSrcCell::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint d = event->pos() - pressPos_;
    if (d.manhattanLength() < QApplication::startDragDistance() || dragDone_)
        return;
    dragDone_ = true;
    startDrag();
}

void InputSrcCell::startDrag()
{
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(InputDragInfo::kFormat), DragPayload(pressPos_));
    drag->setMimeData(mime);
    drag->setPixmap(QPixmap(QStringLiteral(":/res/Image/DrageBmp.bmp"))
                        .scaled(30, 40, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    drag->setHotSpot(QPoint(15, 30));
    drag->exec(Qt::LinkAction);
}

void InputSrcCell::OnClickClearBtn()
{
    for (int i = 0; i < kSubCells; ++i) {
        SetSubText(i, QStringLiteral("NONE"));
        subSource_[i] = kNoSource;
        subSelected_[i] = false;
    }
    SetApplyEnabled(false);
    tileValid_ = false;
    SetSelected(selected_, 0);
    emit SigInputClearBtn(index);
}

void InputSrcCell::OnClickConfirmBtn()
{
    tileValid_ = true;
    SetSelected(selected_, 0);
    emit SigInputApplyBtn(index);
}

void InputSrcCell::RenameEditFinished()
{
    // editingFinished also comes when the hidden editor loses the focus.
    if (!renameEdit_->isVisible())
        return;
    renameEdit_->hide();
    QLabel* label = renameLabel_;
    const QString text = renameEdit_->text();
    label->setText(text);
    label->show();
    emit SigRenameInputSrc(index, text);
}

void InputSrcCell::retranslate()
{
    clearButton_->setText(tr("Clear"));
    confirmButton_->setText(tr("Apply"));
}

void InputSrcCell::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
