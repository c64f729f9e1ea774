// What the tests of widgets, pages and the main window share (library
// guitest; led_add_test(... GUI) links it).
//
//   LEDZ_GUI_TEST_MAIN(TestPicturePage)   instead of QTEST_MAIN: the same
//       main(), with the connection guard of TestSupport.h on, so that a
//       SIGNAL()/SLOT() connection that does not resolve fails the test.
//
//   GuiTest::BoxAnswer answer(QDialogButtonBox::Ok);   before the action
//   button->click();                                    that opens the box
//   QCOMPARE(answer.text(), QString("Inquire The Machine Data?"));
//       answers the next message box once it is open (Ok, Cancel, or
//       NoButton for its title row's close button) and keeps what it said:
//       the modal one that exec() shows, or else a notice on screen (shown
//       without exec()). A function instead of the button does anything else
//       with it. answered() tells whether a box came at all; for a notice
//       that comes after a reply, wait for it (QTRY_VERIFY(answer.answered())).
//
//   GuiTest::statusIcon(window, 2)   the picture in the title bar's status
//       icon 2 (null when it shows none).
//   GuiTest::currentPreview() / previewShows(text) / dropPreviews()
//       the output preview window, which outlives its main window.
//
// A page test against a simulated processor adds LinkedDevice.h (procsim
// started, the device searched, selected and read back) and FrameLog.h (the
// frames procsim received, as a table's expected column).
#pragma once

#include "TestSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace GuiTest {

class BoxAnswer : public QObject {
    Q_OBJECT
public:
    // Clicks that standard button of the next message box; NoButton clicks
    // its close button instead.
    explicit BoxAnswer(QDialogButtonBox::StandardButton button, int timeoutMs = 10000);
    // Runs action on the next message box.
    explicit BoxAnswer(std::function<void(QWidget*)> action, int timeoutMs = 10000);

    // A box came, and the action ran on it.
    bool answered() const { return answered_; }
    // What the message box showed: its window title and its message.
    QString title() const { return title_; }
    QString text() const { return text_; }
    // "title: text", for one comparison.
    QString question() const { return title_ + QStringLiteral(": ") + text_; }

private:
    void poll();

    std::function<void(QWidget*)> action_;
    QTimer timer_;
    QDeadlineTimer deadline_;
    bool answered_ = false;
    QString title_;
    QString text_;
};

// Clicks a standard button of a message box (NoButton: its close button);
// false when the box has no such button.
bool clickBoxButton(QWidget* box, QDialogButtonBox::StandardButton button);

// The picture that status icon index of the window's title bar shows, or a
// null image; and clearing it, to see whether something sets it again.
QImage statusIcon(QWidget* window, int index);
void clearStatusIcon(QWidget* window, int index);

// The output preview window (a top-level window of its own), or nullptr.
QWidget* currentPreview();
// The preview shows a label with exactly this text (the stream address).
bool previewShows(const QString& text);
// Deletes every preview window, so that the next main window's is the only one.
void dropPreviews();

}  // namespace GuiTest

// Instead of QTEST_MAIN: main() of a test with widgets, the connection guard on.
#define LEDZ_GUI_TEST_MAIN(TestObject) LEDZ_TEST_MAIN_WITH(QApplication, TestObject)
