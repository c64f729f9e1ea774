// The layout canvas of the output and layer page: a large dotted widget on
// which the output windows and the layers of the selected device are cells
// (PicVideoCell) that the operator selects, moves, resizes, closes, and fills
// by dropping an input. It knows nothing of the device: the page tells it
// what to show, and it reports the operator's actions by signals.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class PicVideoCell;
class RedrawCoalescer;

class PaintCellCtrl : public QWidget {
    Q_OBJECT

public:
    explicit PaintCellCtrl(QWidget* parent);
    ~PaintCellCtrl() override;

    void setLayerCell(QRect rect, int idx, bool on, int Gid, int AreadId, bool bLR, int type,
                      bool notify);
    void setOutputCell(QRect rect, int idx, bool on);
    void setScale(double sx, double sy);
    void setMaxLayers(int n) { maxLayers_ = n; }
    int maxLayers() const { return maxLayers_; }
    void setOutputRect(QRect rect, int idx);
    void setLayerRect(QRect rect, int idx);
    void setLayerArea(int idx, QRect rect);
    void setLayerSizeLocked(int idx, bool locked);
    void setLayerSubtitle(int idx, QString text);
    void setCloseHidden(int idx, bool hide, bool outputs);
    void hideLayerCells();
    void showLayerCells();
    void enterLayerView();
    void enterOutputView();
    void reannounceSelection();

    // The device's reports, drawn between beginReport and endReport: each
    // reported cell is selected as it is drawn, as ever, but the selection
    // is announced and the cells repainted once, as a coalesced redraw (at
    // the next turn of the event loop, or at the end of the read-back under
    // way), for the cell selected then. A read-back reports every cell in
    // turn and leaves the selection where it was; announced at once, each
    // step would redraw the panels and restyle the input column.
    void beginReport();
    void endReport();

    bool inLayerView() const { return layerView_; }
    double scaleX() const { return sx_; }
    double scaleY() const { return sy_; }
    const QList<PicVideoCell*>& layerCells() const { return layerCells_; }
    const QList<PicVideoCell*>& outputCells() const { return outputCells_; }

    // Appends a layer cell's caption to *text: its source, then "Layer n: "
    // in front.
    static void cellLabel(int layer, int Gid, int AreadId, QString* text, bool bLR,
                          QString TypeStr);

signals:
    void SigMouseMoveLayerCell(QRect realRc);
    void SigMouseMoveOPCell(QRect realRc);
    void SigClickLayerCell(int LayerID);
    void ClickCellEvent(int InputId, int AreadId);
    void SigClickOutputCell(int OuputID);
    void SigOutputCellOnOff(int idx, bool IsOnOff);
    void SigLayerCellOnOff(int idx, bool IsOnOff);
    void SigLayerInputSrcChange(int layerid, int Gid, int AreadId);

public slots:
    void OnChangeCellInput(int id, int AreadId, bool bLR, QString TypeStr);
    void On_ChangeInputSrcEvent(int idx, int id, int AreadId, bool bLR, QString TypeStr,
                                bool SendCmd = false);
    void On_SigSelectOpCell(int idx);
    void On_SigSelectLayerCell(int idx);
    void On_SigCellOff(int idx, bool isWnd);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Owed { Layer, Output };
    // An announcement of the selection, now or (while a report is drawn)
    // with the coalesced redraw.
    void announce(Owed what);
    void settle();

    PicVideoCell* newCell(int index, bool isWnd);
    void fitToOutputs(PicVideoCell* layer);
    QList<PicVideoCell*> allCells() const;

    QList<PicVideoCell*> layerCells_;
    QList<PicVideoCell*> outputCells_;
    bool moved_ = false;
    bool layerView_ = false;
    double sx_ = 8.0;
    double sy_ = 8.0;
    int maxLayers_ = 4;
    int reporting_ = 0;
    // Until hideLayerCells: a layer cell that is switched on is shown.
    bool layersShown_ = true;
    RedrawCoalescer* settle_ = nullptr;
    // In the order of their last cause: the panels hear them in that order.
    QList<Owed> owed_;
};
