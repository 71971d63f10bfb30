// Message boxes shown for real: each box type's buttons, icon and default, the answer returned as
// the program expects it, and a box asked for from another thread shown on the GUI thread over its
// owner.
#include "platform/gui.h"
#include "recorder.h"

#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <future>

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget* parent = nullptr;
};

// Waits for the next message box, notes what it shows, then clicks the button (or presses
// Escape when the button is NoButton).
void answerNextBox(QMessageBox::StandardButton button, SeenBox& seen)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                box->standardButton(box->defaultButton()), box->parentWidget()};
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
    poll->start(5);
}

class QtMessageBoxTest : public testing::Test {
protected:
    void SetUp() override { win::setMessageBoxBackend(win::qtMessageBoxBackend()); }
    void TearDown() override { win::setMessageBoxBackend(nullptr); }
};

TEST_F(QtMessageBoxTest, ShowsTheTypeAndReturnsTheWin32Answer)
{
    using B = QMessageBox;
    struct Case {
        UINT type;
        B::StandardButtons buttons;
        B::Icon icon;
        B::StandardButton defaultButton;
        B::StandardButton press; // NoButton: Escape
        int answer;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONHAND, B::Ok, B::Critical, B::Ok, B::Ok, IDOK},
        {MB_OK, B::Ok, B::NoIcon, B::Ok, B::NoButton, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, B::Ok | B::Cancel, B::Question, B::Ok, B::Cancel, IDCANCEL},
        {MB_OKCANCEL, B::Ok | B::Cancel, B::NoIcon, B::Ok, B::NoButton, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION | MB_DEFBUTTON3, B::Abort | B::Retry | B::Ignore,
         B::Warning, B::Ignore, B::Ignore, IDIGNORE},
        {MB_ABORTRETRYIGNORE, B::Abort | B::Retry | B::Ignore, B::NoIcon, B::Abort, B::Abort,
         IDABORT},
        {MB_YESNOCANCEL | MB_ICONASTERISK | MB_DEFBUTTON2, B::Yes | B::No | B::Cancel,
         B::Information, B::No, B::No, IDNO},
        {MB_YESNO | MB_ICONEXCLAMATION, B::Yes | B::No, B::Warning, B::Yes, B::Yes, IDYES},
        {MB_RETRYCANCEL | MB_DEFBUTTON2, B::Retry | B::Cancel, B::NoIcon, B::Cancel, B::Retry,
         IDRETRY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.type);
        SeenBox seen;
        answerNextBox(c.press, seen);
        EXPECT_EQ(MessageBoxA(nullptr, "Failed opening heading file", "Varnel System Manager",
                              c.type),
                  c.answer);
        EXPECT_EQ(seen.text, "Failed opening heading file");
        EXPECT_EQ(seen.title, "Varnel System Manager");
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}

TEST_F(QtMessageBoxTest, BoxFromAnotherThreadIsShownOnTheGuiThreadOverItsOwner)
{
    HWND owner = win::createWindow("TestWnd", "owner", test::Recorder::proc);
    QPointer<QWidget> ownerWidget = new QWidget;
    win::attachWidget(owner, ownerWidget);

    SeenBox seen;
    answerNextBox(QMessageBox::No, seen);
    auto answer = std::async(std::launch::async, [owner] {
        return MessageBoxA(owner, "HpControl and ExtControl both true. Accept ExtControl?",
                           "Warning", MB_YESNO | MB_ICONEXCLAMATION);
    });
    ASSERT_TRUE(test::processEventsUntil([&] {
        return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    EXPECT_EQ(answer.get(), IDNO);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.parent, ownerWidget.data());
    DestroyWindow(owner);
}

} // namespace
