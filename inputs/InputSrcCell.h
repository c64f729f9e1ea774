// One input or tile of the input page: its name, ports, signal text and
// lamps, or a tile's four source slots with Clear and Apply. It reports
// clicks, port and slot choices, renames and the tile buttons, and starts the
// drag that carries the input or tile to the layout canvas. It reads no
// record and sends nothing: its page does both.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QByteArray;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class InputSrcCell : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSubCells = 4;
    static constexpr int kNoSource = 255;

    explicit InputSrcCell(QWidget* parent = nullptr);
    ~InputSrcCell() override;

    void SetSrcLabel(const QString& text);
    // The name and the split at once: the name label goes straight to its
    // text, "-L" included while split, instead of through the bare name.
    void SetSrcLabel(const QString& text, bool split);
    void SetRenameLabel(const QString& text);
    void SetSignalLabel(const QString& text);
    void SetSignal(bool on);
    void SetSubSignal(int sub, bool on);
    void SetSubText(int sub, const QString& text);
    void SetSubCount(int count);
    void SetSubSource(int sub, int source);
    int SubSource(int sub) const;
    void SetSubEnabled(int sub, bool enabled);
    void SelectSub(int sub, bool notify);
    void SetSelected(bool selected, int area);
    void SetSplit(bool split);
    void SetTileMode(bool tile);
    void SetTileValid(bool valid);
    void SetApplyEnabled(bool enabled);
    void SetInputType(int type);
    void SetDraggable(bool on);

    // The "INFO" record a drag begun at pos (cell coordinates) carries.
    QByteArray DragPayload(const QPoint& pos) const;

    bool isSplit() const { return split_; }
    bool isTileValid() const { return tileValid_; }
    bool isSelected() const { return selected_; }
    bool isDraggable() const { return draggable_; }
    bool isSubSelected(int sub) const { return sub >= 0 && sub < kSubCells && subSelected_[sub]; }
    QFrame* mainFrame() const { return main_; }
    QFrame* subFrame(int sub) const { return subs_[sub]; }
    QWidget* rightPart() const;
    QLineEdit* renameEditor() const { return renameEdit_; }

    int index = 0;
    int activePort = 0;
    bool clickable = true;
    bool tileMode = true;

signals:
    void ClickInputSrcEvent(int id, int AreaId);
    void SigClickInputSubSrc(int idx, int SubId);
    void SigRenameInputSrc(int idx, QString Str);
    void SigInputClearBtn(int idx);
    void SigInputApplyBtn(int idx);

public slots:
    void OnClickClearBtn();
    void OnClickConfirmBtn();
    void RenameEditFinished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    bool onRightPart(const QPoint& pos) const;
    void startDrag();

    QFrame* main_ = nullptr;
    QFrame* subs_[kSubCells] = {};
    QLabel* subLabels_[kSubCells] = {};
    QPushButton* subLamps_[kSubCells] = {};
    QLineEdit* renameEdit_ = nullptr;
    QFrame* right_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* rightLabel_ = nullptr;
    QLabel* renameLabel_ = nullptr;
    QLabel* signalLabel_ = nullptr;
    QPushButton* signalLamp_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    // The looks the frames and sub-cell texts were last given: a read-back's
    // redraws give them hundreds of times, and asking a widget for its
    // property looks the name up each time.
    QString mainLook_;
    QString rightLook_;
    QString subLooks_[kSubCells];
    QString subTextLooks_[kSubCells];
    int inputType_ = 0;
    bool split_ = false;
    bool draggable_ = true;
    bool tileValid_ = true;
    bool selected_ = false;
    bool subSelected_[kSubCells] = {};
    int subSource_[kSubCells] = {kNoSource, kNoSource, kNoSource, kNoSource};
    QPoint pressPos_;
    bool dragDone_ = true;
    QString nameText_;
};
