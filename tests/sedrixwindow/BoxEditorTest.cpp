// The box editor: painting cells by dragging in the grid, Fix Edit and Cancel Edit, the class
// chosen in the selection window, adding type names, the questions on leaving, and its position.
#include "SedrixHost.h"

#include "chart/ChartWindow.h"
#include "classification/BoxDialogs.h"
#include "frame/Inifile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>

#include <cstring>
#include <string>

namespace {

using BoxEditor = SedrixHost;

constexpr char LEAVE_QUESTION[] = "Do you want to save the changes\nyou have made?";

class BoxEditorOpen : public SedrixHost {
protected:
    void SetUp() override
    {
        SedrixHost::SetUp();
        open();
        click(IDC_SEDRIX_MODE);
        ASSERT_TRUE(editing());
        cell = screenMetrics.unitEdit;
    }
    int cell = 0;
};

// The class of a cell that none of the demo box's classes uses.
constexpr int PAINT = 7;
constexpr int OTHER = 9;

TEST_F(BoxEditorOpen, ADragFromInsideToOutsideTheGridPaintsUpToItsEdge)
{
    chooseClass(PAINT);
    const uint16_t left = boxFile.grid[28][3], below = boxFile.grid[30][6];
    drag(cellCentre(29, 3, cell), QPoint(32 * cell + 40, cellCentre(0, 5, cell).y()));
    for (int c = 29; c < 32; ++c)
        for (int r = 3; r <= 5; ++r)
            EXPECT_EQ(boxFile.grid[c][r], PAINT) << c << "," << r;
    EXPECT_EQ(boxFile.grid[28][3], left);
    EXPECT_EQ(boxFile.grid[30][6], below);
    // And upwards out of the grid, dragged right to left.
    drag(cellCentre(2, 1, cell), QPoint(-30, -30));
    for (int c = 0; c <= 2; ++c)
        for (int r = 0; r <= 1; ++r)
            EXPECT_EQ(boxFile.grid[c][r], PAINT) << c << "," << r;
    keepPicture(win::widgetOf(hwndSedrixWnd)->grab().toImage(), "editor");
}

TEST_F(BoxEditorOpen, CancelEditGoesBackToTheGridAsItWasAtFixEdit)
{
    chooseClass(PAINT);
    const uint16_t beforeB = boxFile.grid[10][10];
    drag(cellCentre(4, 4, cell), cellCentre(4, 4, cell));
    click(IDC_SEDRIX_FIX_EDIT);
    chooseClass(OTHER);
    drag(cellCentre(10, 10, cell), cellCentre(10, 10, cell));
    drag(cellCentre(4, 4, cell), cellCentre(4, 4, cell));
    ASSERT_EQ(boxFile.grid[10][10], OTHER);
    click(IDC_SEDRIX_CANCEL_EDIT);
    EXPECT_EQ(boxFile.grid[4][4], PAINT);
    EXPECT_EQ(boxFile.grid[10][10], beforeB);
}

TEST_F(BoxEditorOpen, TheMouseShowsE1AndE2UnderIt)
{
    // Qt drops a move to where the mouse already is: come from elsewhere.
    QTest::mouseMove(gridWidget(), QPoint(2, 2));
    QTest::mouseMove(gridWidget(), QPoint(8 * cell, 24 * cell));
    auto text = [](int id) {
        return win::widgetOf(hwndSedrixWnd)->findChild<QLabel*>(QString::number(id))->text().toStdString();
    };
    char e1[16], e2[16];
    std::snprintf(e1, sizeof e1, "%4.2f", boxFile.e1Max - 0.75 * (boxFile.e1Max - boxFile.e1Min));
    std::snprintf(e2, sizeof e2, "%4.2f", boxFile.e2Min + 0.25 * (boxFile.e2Max - boxFile.e2Min));
    EXPECT_EQ(text(IDC_SEDRIX_MOUSE_E1), e1);
    EXPECT_EQ(text(IDC_SEDRIX_MOUSE_E2), e2);
}

TEST_F(BoxEditorOpen, LeavingUnchangedAsksNothing)
{
    click(IDC_SEDRIX_GRID);
    click(IDC_SEDRIX_MODE);
    EXPECT_FALSE(editing());
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(buttonOf(hwndSedrixWnd, IDC_SEDRIX_SAVE), nullptr);
    EXPECT_EQ(selectionWidget(), nullptr);
}

TEST_F(BoxEditorOpen, LeavingChangedAsksAndSavesOnYesOnly)
{
    for (int answer : {IDNO, IDYES}) {
        if (!editing())
            click(IDC_SEDRIX_MODE);
        win::scripted::clear();
        chooseClass(PAINT);
        drag(cellCentre(12, 20, cell), cellCentre(13, 20, cell));
        win::scripted::queueAnswer(answer);
        win::scripted::queueDialog(SAVE_BOXFILE_TITLE, {IDOK, {{IDC_FILE_NAME, "edited.box"}}});
        click(IDC_SEDRIX_MODE);
        EXPECT_FALSE(editing());
        const auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, LEAVE_QUESTION);
        EXPECT_EQ(boxes[0].caption, "Varnel System Manager");
        EXPECT_EQ(boxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
        const auto saved = home.driveC() / "varnel" / "BoxFiles" / "edited.box";
        EXPECT_EQ(std::filesystem::exists(saved), answer == IDYES);
        EXPECT_EQ(boxFile.grid[13][20], PAINT);
        if (answer == IDYES) {
            const std::string bytes = TempDataRoot::readFile(saved);
            ASSERT_EQ(bytes.size(), size_t(BOX_FILE_BYTES));
            uint16_t stored;
            std::memcpy(&stored, bytes.data() + 660 + 64 * 13 + 2 * 20, 2);
            EXPECT_EQ(stored, PAINT);
        } else {
            win::scripted::takeDialog(SAVE_BOXFILE_TITLE);
        }
    }
}

TEST_F(BoxEditorOpen, AddIsRefusedWhenTheTypeListIsFullAndAddsOtherwise)
{
    win::scripted::queueDialog("Add Seabed Type", {IDOK, {{IDC_TYPE_NAME, "Shell Gravel"}}});
    const int count = boxFile.typeCount;
    click(IDC_SEDRIX_ADD);
    ASSERT_EQ(boxFile.typeCount, count + 1);
    EXPECT_STREQ(boxFile.typeNames[count], "Shell Gravel");

    for (int i = boxFile.typeCount; i < BOX_TYPE_NAMES; ++i)
        std::snprintf(boxFile.typeNames[i], BOX_NAME_SIZE, "Type %d", i);
    boxFile.typeCount = BOX_TYPE_NAMES;
    win::scripted::clear();
    click(IDC_SEDRIX_ADD);
    const auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Seabed type list is full");
    EXPECT_EQ(boxes[0].caption, "Varnel System Manager");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONINFORMATION);
    EXPECT_TRUE(win::scripted::dialogsOpened().empty());
    EXPECT_EQ(boxFile.typeCount, BOX_TYPE_NAMES);

    // The name added earlier makes the box changed: leaving asks.
    win::scripted::clear();
    win::scripted::queueAnswer(IDNO);
    click(IDC_SEDRIX_MODE);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, LEAVE_QUESTION);
}

TEST_F(BoxEditorOpen, GridOnDrawsTheInnerLinesAndOffTakesThemAway)
{
    const QImage bare = gridPicture();
    const QPoint onLine(cell, 5 * cell + 3), inCell(cell + 3, 5 * cell + 3);
    click(IDC_SEDRIX_GRID);
    EXPECT_EQ(buttonOf(hwndSedrixWnd, IDC_SEDRIX_GRID)->text(), "Grid Off");
    const QImage lined = gridPicture();
    EXPECT_EQ(lined.pixel(onLine), bare.pixel(onLine) ^ 0x00FFFFFFu);
    EXPECT_EQ(lined.pixel(inCell), bare.pixel(inCell));
    EXPECT_EQ(lined.pixel(QPoint(0, 3)), bare.pixel(QPoint(0, 3))); // no line on the outer edge
    click(IDC_SEDRIX_GRID);
    EXPECT_EQ(buttonOf(hwndSedrixWnd, IDC_SEDRIX_GRID)->text(), "Grid On");
    EXPECT_EQ(gridPicture(), bare);
}

// Save clears the changed state only when the box was saved.
TEST_F(BoxEditorOpen, SaveThatIsCancelledLeavesTheBoxChanged)
{
    for (bool saved : {false, true}) {
        if (!editing())
            click(IDC_SEDRIX_MODE);
        chooseClass(PAINT);
        drag(cellCentre(6, 6, cell), cellCentre(6, 6, cell));
        win::scripted::queueDialog(SAVE_BOXFILE_TITLE, saved ? win::scripted::DialogResult{IDOK, {{IDC_FILE_NAME, "kept.box"}}}
                                                             : win::scripted::DialogResult{IDCANCEL, {}});
        click(IDC_SEDRIX_SAVE);
        EXPECT_EQ(std::filesystem::exists(home.driveC() / "varnel" / "BoxFiles" / "kept.box"), saved);
        win::scripted::clear();
        win::scripted::queueAnswer(IDNO);
        click(IDC_SEDRIX_MODE);
        EXPECT_EQ(win::scripted::boxes().size(), saved ? 0u : 1u) << (saved ? "saved" : "cancelled");
    }
}

TEST_F(BoxEditorOpen, LoadAsksToSaveAChangedBoxThenLoadsAndRefreshes)
{
    BoxFile other = boxFile;
    for (auto& column : other.grid)
        for (auto& c : column)
            c = OTHER;
    ASSERT_EQ(SaveBoxFile("c:\\varnel\\BoxFiles\\other.box", nullptr, &other), 0);
    chooseClass(PAINT);
    drag(cellCentre(3, 3, cell), cellCentre(3, 3, cell));
    win::scripted::clear();
    win::scripted::queueAnswer(IDYES);
    win::scripted::queueDialog(SAVE_BOXFILE_TITLE, {IDOK, {{IDC_FILE_NAME, "painted.box"}}});
    win::scripted::queueDialog(LOAD_BOXFILE_TITLE, {IDOK, {{IDC_FILE_NAME, "other.box"}}});
    click(IDC_SEDRIX_LOAD);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "Do you want to save the current boxfile?");
    EXPECT_TRUE(std::filesystem::exists(home.driveC() / "varnel" / "BoxFiles" / "painted.box"));
    ASSERT_EQ(boxFile.grid[3][3], OTHER);
    // The refresh: the chart redraws, the box names this window, and the loaded grid is the one
    // Cancel Edit goes back to.
    ASSERT_TRUE(processEventsUntil([this] { return !receivedBy(chartWindow, WM_CHART_REFRESH).empty(); }));
    EXPECT_EQ(boxFile.ownerWindow, hwndSedrixWnd);
    EXPECT_EQ(boxFile.currentClass, 0);
    chooseClass(PAINT);
    drag(cellCentre(8, 8, cell), cellCentre(8, 8, cell));
    click(IDC_SEDRIX_CANCEL_EDIT);
    EXPECT_EQ(boxFile.grid[8][8], OTHER);
}

// Counts the paints a widget gets from now on.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

TEST_F(BoxEditorOpen, SelectTextNamesTheChosenClassAndItsDialogOpensOnce)
{
    chooseClass(PAINT);
    click(IDC_SEDRIX_SELECT_TEXT);
    click(IDC_SEDRIX_SELECT_TEXT);
    HWND dialog = FindWindowA("BOTTOMDIALOG", nullptr);
    ASSERT_TRUE(dialog);
    QWidget* widget = win::widgetOf(dialog);
    auto* list = widget->findChild<QComboBox*>(QString::number(IDC_TYPE_LIST));
    ASSERT_NE(list, nullptr);
    list->setCurrentIndex(1);
    const std::string chosen = boxFile.typeNames[1];
    // The selection window shows the new name: it is painted again once the dialog is done.
    QWidget* selection = selectionWidget();
    ASSERT_TRUE(processEventsUntil([&] { return !selection->visibleRegion().isEmpty(); }));
    QCoreApplication::processEvents();
    PaintCounter paints(selection);
    widget->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    ASSERT_TRUE(processEventsUntil([] { return !FindWindowA("BOTTOMDIALOG", nullptr); }));
    EXPECT_EQ(boxFile.classNames[PAINT], chosen);
    EXPECT_TRUE(processEventsUntil([&] { return paints.count > 0; }));
    // Leaving the editor closes a dialog still open.
    click(IDC_SEDRIX_DEL);
    ASSERT_TRUE(FindWindowA("DELTYPEDIALOG", nullptr));
    click(IDC_SEDRIX_MODE);
    EXPECT_TRUE(processEventsUntil([] { return !FindWindowA("DELTYPEDIALOG", nullptr); }));
}

TEST_F(BoxEditorOpen, NewRangesShowAndMakeTheBoxChanged)
{
    click(IDC_SEDRIX_SCALES);
    QWidget* dialog = win::widgetOf(FindWindowA("SCALESDIALOG", nullptr));
    ASSERT_NE(dialog, nullptr);
    const float before = boxFile.e1Max;
    dialog->findChild<QScrollBar*>(QString::number(IDC_E1MAX_SPIN))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    ASSERT_TRUE(processEventsUntil([] { return !FindWindowA("SCALESDIALOG", nullptr); }));
    ASSERT_NE(boxFile.e1Max, before);
    char shown[16];
    std::snprintf(shown, sizeof shown, "%1.2f", boxFile.e1Max);
    EXPECT_EQ(win::widgetOf(hwndSedrixWnd)->findChild<QLabel*>(QString::number(IDC_SEDRIX_E1MAX))->text().toStdString(),
              shown);
    win::scripted::queueAnswer(IDNO);
    click(IDC_SEDRIX_MODE);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, LEAVE_QUESTION);
}

TEST_F(BoxEditor, TheEditorHasAPositionOfItsOwnAndLeavingRestoresTheNormalOne)
{
    RECT normal{100, 120, 360, 440};
    SavePosition(&normal, "SedrixWnd");
    open();
    click(IDC_SEDRIX_MODE);
    // No editor position yet: the default, kept on the screen (the editor is 660 x 498 here).
    RECT r = screenRect(hwndSedrixWnd);
    EXPECT_EQ(r.left, 1024 - 660);
    EXPECT_EQ(r.top, 768 - 498);
    EXPECT_EQ(r.right - r.left, 55 * screenMetrics.unitEdit);
    click(IDC_SEDRIX_MODE);
    r = screenRect(hwndSedrixWnd);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 32 * screenMetrics.unit + 4);

    RECT edit{50, 60, 710, 558};
    SavePosition(&edit, "SedrixWndEdit");
    click(IDC_SEDRIX_MODE);
    r = screenRect(hwndSedrixWnd);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
}

TEST_F(BoxEditorOpen, ClosingTheWindowInTheEditorLeavesItFirst)
{
    chooseClass(PAINT);
    drag(cellCentre(1, 1, cell), cellCentre(1, 1, cell));
    win::scripted::queueAnswer(IDNO);
    CloseSedrixWindow();
    EXPECT_FALSE(hwndSedrixWnd);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, LEAVE_QUESTION);
}

TEST_F(BoxEditorOpen, DestroyedWithTheChartWindowTheEditorStillAsksToSave)
{
    chooseClass(PAINT);
    drag(cellCentre(2, 30, cell), cellCentre(2, 30, cell));
    win::scripted::queueAnswer(IDYES);
    win::scripted::queueDialog(SAVE_BOXFILE_TITLE, {IDOK, {{IDC_FILE_NAME, "atexit.box"}}});
    DestroyWindow(chartWindow);
    EXPECT_FALSE(hwndSedrixWnd);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, LEAVE_QUESTION);
    EXPECT_TRUE(std::filesystem::exists(home.driveC() / "varnel" / "BoxFiles" / "atexit.box"));
    // Its status stays on: it opens again at the next start.
    char status[8] = "";
    GetVarnelProfileString("SedrixWnd", "Status", status);
    EXPECT_STREQ(status, "On");
}

} // namespace
