// The zoom window of one layer: a rectangle inside a reference range, shown
// as six numbers and as a draggable rectangle; "Match To Input" makes the
// range the size of the layer's source. Every change is written into the
// selected device's record and sent at once.
#pragma once

#include <QRect>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QGroupBox;
class ResizeShowComponent;
class TitleBar;

class LayerZoomDlg : public QWidget {
    Q_OBJECT

public:
    explicit LayerZoomDlg(QWidget* parent);

    void setLayerIndex(int layer);
    int layerIndex() const { return layer_; }
    void refreshPanel(bool withRect);
    void updateResizeRect();
    ResizeShowComponent* resizeRect() const { return rect_; }

signals:
    void DlgClose();

public slots:
    void On_SigUIRefreshLayerZoomData(int idx);
    void On_SigRealSize(QRect RealRc, bool bSendCMD);

private slots:
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_3_editingFinished();
    void on_lineEdit_4_editingFinished();
    void on_lineEdit_5_editingFinished();
    void on_lineEdit_6_editingFinished();
    void on_ZoomOnoffBtn_clicked(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    // Applies edit to the layer's zoom record and sends it; nothing outside
    // the working mode's layer set.
    template <typename Edit>
    bool change(Edit edit);
    void send();
    void positionOrSizeTyped(int edit, void (*rule)(struct LayerZoomCfg&, int));
    void rangeTyped(int edit, bool (*rule)(struct LayerZoomCfg&, int));

    TitleBar* titleBar_ = nullptr;
    ResizeShowComponent* rect_ = nullptr;
    QLineEdit* edits_[6] = {};  // Hpos, Vpos, Hact, Vact, HRange, VRange
    QPushButton* onOff_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* match_ = nullptr;
    QPushButton* exit_ = nullptr;
    QGroupBox* group_ = nullptr;
    class QLabel* labels_[6] = {};
    int layer_ = 0;
};
