// The seabed type list dialogs: deleting a type moves the rest up, naming a class copies the
// chosen type, and a new type name is entered and sent to the classification window.
#include "BoxEditorHost.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"

#include <QComboBox>
#include <QLabel>

#include <string>
#include <vector>

namespace {

class TypeNameDialogsTest : public BoxEditorHost {
protected:
    void setTypes(std::vector<const char*> names)
    {
        std::memset(boxFile.typeNames, 0, sizeof boxFile.typeNames);
        boxFile.typeCount = uint16_t(names.size());
        for (size_t i = 0; i < names.size(); ++i)
            std::snprintf(boxFile.typeNames[i], BOX_NAME_SIZE, "%s", names[i]);
    }
    std::vector<std::string> types() const
    {
        return {boxFile.typeNames, boxFile.typeNames + boxFile.typeCount};
    }
    // Chooses the entry as the user does, then presses the button.
    void choose(HWND dialog, int entry, int button)
    {
        auto* list = control<QComboBox>(dialog, IDC_TYPE_LIST);
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(entry);
        control<QAbstractButton>(dialog, button)->click();
        EXPECT_EQ(awaitPosted(WM_SEDRIX_DIALOG_CLOSED).size(), 1u);
        EXPECT_TRUE(closed(dialog));
        received().clear();
    }
};

TEST_F(TypeNameDialogsTest, DeletingATypeMovesTheFollowingOnesUp)
{
    setTypes({"Sand", "Mud", "Fine Sand", "Gravel"});
    HWND dialog = ShowDeleteTypeDialog(sedrixWindow, &boxFile);
    auto* list = control<QComboBox>(dialog, IDC_TYPE_LIST);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(control<QAbstractButton>(dialog, IDCANCEL), nullptr); // OK only
    choose(dialog, 1, IDOK);
    EXPECT_EQ(types(), (std::vector<std::string>{"Sand", "Fine Sand", "Gravel"}));
    EXPECT_STREQ(boxFile.typeNames[3], "");
    // The last entry.
    choose(ShowDeleteTypeDialog(sedrixWindow, &boxFile), 2, IDOK);
    EXPECT_EQ(types(), (std::vector<std::string>{"Sand", "Fine Sand"}));
}

TEST_F(TypeNameDialogsTest, DeletingWithNothingChosenDeletesNothing)
{
    for (auto names : {std::vector<const char*>{"Sand", "Mud"}, std::vector<const char*>{}}) {
        SCOPED_TRACE(names.size());
        setTypes(names);
        choose(ShowDeleteTypeDialog(sedrixWindow, &boxFile), -1, IDOK);
        EXPECT_EQ(boxFile.typeCount, names.size());
        EXPECT_EQ(types(), std::vector<std::string>(names.begin(), names.end()));
    }
}

TEST_F(TypeNameDialogsTest, NamingAClassCopiesTheChosenType)
{
    boxFile.currentClass = 5;
    HWND dialog = ShowBottomDialog(sedrixWindow, &boxFile);
    EXPECT_EQ(control<QComboBox>(dialog, IDC_TYPE_LIST)->count(), 3);
    choose(dialog, 2, IDOK);
    EXPECT_STREQ(boxFile.classNames[5], "Fine Sand");
    EXPECT_STREQ(boxFile.classNames[4], "(?)");
    // Cancel, and OK with nothing chosen, leave the name.
    choose(ShowBottomDialog(sedrixWindow, &boxFile), 1, IDCANCEL);
    choose(ShowBottomDialog(sedrixWindow, &boxFile), -1, IDOK);
    EXPECT_STREQ(boxFile.classNames[5], "Fine Sand");
}

TEST_F(TypeNameDialogsTest, TheEnteredNameIsSentCutToWhatTheListHolds)
{
    struct Case {
        intptr_t code;
        const char* typed;
        const char* sent; // null: nothing sent
    };
    const Case cases[] = {
        {IDOK, "Gravel", "Gravel"},
        {IDOK, "  Shell grit ", "Shell grit"},
        {IDOK, "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRS"},
        {IDOK, "   ", nullptr},
        {IDCANCEL, "Rock", nullptr},
    };
    std::vector<std::string> names;
    onReceived() = [&](const Received& r) {
        if (r.message == WM_SEDRIX_TYPE_ENTERED)
            names.push_back(reinterpret_cast<const char*>(r.lParam));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        names.clear();
        win::scripted::queueDialog("Add Seabed Type", {c.code, {{IDC_TYPE_NAME, c.typed}}});
        AskForTypeName(sedrixWindow);
        EXPECT_EQ(names, c.sent ? std::vector<std::string>{c.sent} : std::vector<std::string>{});
    }
}

} // namespace
