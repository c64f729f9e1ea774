// The caption bar of every frameless window: icon, four texts, three status
// icons, minimise / maximise / close buttons, and dragging of its window.
#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class ServerDrawnIcon;
class QPushButton;

class TitleBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTextCount = 4;        // 0 title, 1 page caption, 2 spare, 3 status
    static constexpr int kStatusIconCount = 3;  // 0 keyboard, 1 sync lock, 2 network
    static constexpr int kBlinkingStatusIcon = 2;  // changes every 800 ms while on line
    static constexpr int kHeight = 32;

    explicit TitleBar(QWidget* parent);
    ~TitleBar() override;

    void setLabelText(int index, const QString& text);
    void setIcon(const QString& path);
    void setStatusIcon(int index, const QString& path);
    // 0 maximise, 1 minimise, 2 close, 3 minimise and maximise.
    void removeButton(const int& which);
    void setBackgroundColor(const QColor& color);

    bool movable = true;

public slots:
    void showMax();
    void showMin();
    void showClose();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    static void deleteButton(QPushButton*& button);
    // Restores a maximised owner at the start of a drag and places it, at its
    // restored size, under the pointer; false when its size is not known.
    bool restoreForDrag(const QPoint& global);

    bool pressed_ = false;
    int offsetX_ = 0;
    int offsetY_ = 0;
    QPushButton* maxButton_ = nullptr;
    QPushButton* minButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* icon_ = nullptr;
    QWidget* owner_ = nullptr;
    QLabel* texts_[kTextCount] = {};
    QLabel* statusIcons_[kStatusIconCount] = {};
    // Each status image is read once: the network icon changes every 800 ms,
    // and reading it anew each time would keep the process-wide pixmap cache
    // in use and its clean-up timer waking the program.
    QHash<QString, QPixmap> statusImages_;
    // The network icon, drawn by the X server once on screen there: at rest
    // its blink is all the program paints.
    std::unique_ptr<ServerDrawnIcon> blinkingIcon_;
    bool blinkingIconTried_ = false;
};
