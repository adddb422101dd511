// Container lookup, focus order and the events of moving the focus,
// pending events (DoEvents).
#include <gtest/gtest.h>

#include "Recorder.h"
#include "runtime/Error.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CommandButton.h"
#include "toolkit/EventQueue.h"
#include "toolkit/Label.h"
#include "toolkit/TextBox.h"
#include "toolkit/UserControl.h"
#include "ErrorNumber.h"

using namespace tk;
using Log = std::vector<std::string>;

using testsupport::errorNumber;

class FocusTest : public ::testing::Test {
protected:
    FocusTest() {
        uc.setTrace(&rec);
        uc.add<Label>("Label10");
        che.setTabIndex(0);
        grid.setTabIndex(4);
        txt.setTabIndex(5);
        btn.setTabIndex(1);
    }
    UserControl uc{"Messungen"};
    Recorder rec;
    CheckBox& che = uc.add<CheckBox>("CheSpalten");
    TextBox& grid = uc.add<TextBox>("fg2");
    TextBox& txt = uc.add<TextBox>("txtEdit");
    CommandButton& btn = uc.add<CommandButton>("ComKomprimieren");
};

TEST_F(FocusTest, LostFocusBeforeGotFocusAndEnterExitAroundThem) {
    txt.setFocus();
    grid.setFocus();
    grid.setFocus();   // already focused: nothing
    uc.focus().leave();
    uc.focus().leave();
    EXPECT_EQ(rec.log, (Log{"Messungen.EnterFocus", "txtEdit.GotFocus", "txtEdit.LostFocus", "fg2.GotFocus",
                            "fg2.LostFocus", "Messungen.ExitFocus"}));
    EXPECT_FALSE(uc.focus().active());
    EXPECT_FALSE(grid.hasFocus());
}

TEST_F(FocusTest, ControlsThatCannotTakeTheFocusRefuse) {
    grid.setFocus();
    rec.log.clear();
    txt.setVisible(false);
    EXPECT_EQ(errorNumber([&] { txt.setFocus(); }), 5);
    EXPECT_EQ(errorNumber([&] { uc.control("label10").setFocus(); }), 5);
    btn.setEnabled(false);
    EXPECT_EQ(errorNumber([&] { btn.setFocus(); }), 5);
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(FocusTest, HidingTheFocusedControlKeepsTheFocusUntilItMoves) {
    // The edit box is hidden on Escape; its LostFocus comes when the grid
    // takes the focus.
    txt.setFocus();
    txt.setVisible(false);
    EXPECT_TRUE(txt.hasFocus());
    rec.log.clear();
    bool visibleInLostFocus = true;
    txt.onLostFocus = [&] { visibleInLostFocus = txt.visible(); };
    grid.setFocus();
    EXPECT_EQ(rec.log, (Log{"txtEdit.LostFocus", "fg2.GotFocus"}));
    EXPECT_FALSE(visibleInLostFocus);
}

TEST_F(FocusTest, TabFollowsTabIndexSkippingWhatCannotTakeTheFocus) {
    btn.setEnabled(false);
    struct Step { bool forward; const char* expect; };
    const Step steps[] = {{true, "CheSpalten"}, {true, "fg2"},        {true, "txtEdit"},
                          {true, "CheSpalten"}, {false, "txtEdit"},   {false, "fg2"}};
    for (const Step& s : steps) {
        ASSERT_TRUE(uc.focus().tab(s.forward));
        EXPECT_EQ(uc.focus().focused()->name(), s.expect);
    }
    uc.focus().leave();
    ASSERT_TRUE(uc.focus().tab(false));
    EXPECT_EQ(uc.focus().focused()->name(), "txtEdit") << "Shift+Tab from outside starts at the end";
    txt.setTabStop(false);
    grid.setTabStop(false);
    che.setVisible(false);
    uc.focus().leave();
    EXPECT_FALSE(uc.focus().tab(true));
}

TEST_F(FocusTest, LostFocusHandlerThatMovesTheFocusOn) {
    txt.setFocus();
    txt.onLostFocus = [&] { btn.setFocus(); };
    rec.log.clear();
    grid.setFocus();
    EXPECT_EQ(rec.log, (Log{"txtEdit.LostFocus", "ComKomprimieren.GotFocus"}));
    EXPECT_TRUE(btn.hasFocus());
}

TEST_F(FocusTest, DeferredFocusEventsRunOnDoEvents) {
    EventQueue q;
    uc.focus().setDeferred(&q);
    txt.setFocus();
    grid.setFocus();
    EXPECT_TRUE(grid.hasFocus()) << "the focus itself moves at once";
    EXPECT_TRUE(rec.log.empty());
    q.doEvents();
    EXPECT_EQ(rec.log, (Log{"Messungen.EnterFocus", "txtEdit.GotFocus", "txtEdit.LostFocus", "fg2.GotFocus"}));
}

TEST(FocusDeferred, EventsOfAnEndedContainerAreDropped) {
    EventQueue q;
    int got = 0;
    {
        UserControl uc("uc");
        auto& t = uc.add<TextBox>("t");
        t.onGotFocus = [&] { ++got; };
        uc.focus().setDeferred(&q);
        t.setFocus();
    }
    EXPECT_EQ(q.doEvents(), 2u);
    EXPECT_EQ(got, 0);
}

TEST(Container, FindsByNameIgnoringCaseAndKeepsCreationOrder) {
    UserControl uc("Messungen");
    uc.add<Label>("Label10");
    auto& tab = uc.addMenu("mnuTabelle", "&Tabelle");
    uc.addMenu("mnuKopieren", "&Kopieren", &tab);
    uc.add<TextBox>("txtEdit");
    std::vector<std::string> names;
    for (Control* c : uc.controls()) names.push_back(c->name());
    EXPECT_EQ(names, (std::vector<std::string>{"Label10", "mnuTabelle", "mnuKopieren", "txtEdit"}));
    EXPECT_EQ(&uc.control("TXTEDIT"), uc.find("txtedit"));
    EXPECT_EQ(uc.get<TextBox>("txtEdit").kind(), "TextBox");
    EXPECT_EQ(uc.menu("MNUKOPIEREN").parentMenu(), &tab);
    EXPECT_EQ(uc.control("txtEdit").parent(), &uc);

    struct Case { std::function<void()> call; int number; };
    const Case cases[] = {
        {[&] { uc.add<TextBox>("TxtEdit"); }, 5},    // name in use, other case
        {[&] { uc.add<TextBox>(""); }, 5},
        {[&] { uc.control("fehlt"); }, 730},
        {[&] { uc.menu("txtEdit"); }, 730},           // not a menu
        {[&] { uc.get<CheckBox>("txtEdit"); }, 13},
    };
    for (const Case& c : cases) EXPECT_EQ(errorNumber(c.call), c.number);
    EXPECT_EQ(uc.count(), 4u);
}

TEST(Container, UserControlEventsAndSize) {
    UserControl uc("uc");
    Recorder rec;
    uc.setTrace(&rec);
    int resizes = 0;
    uc.onResize = [&] { ++resizes; };
    uc.initialize();
    uc.resize(9645, 3630);
    uc.paint();
    EXPECT_EQ(uc.width(), 9645);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(errorNumber([&] { uc.resize(-1, 10); }), 380);
    EXPECT_EQ(uc.width(), 9645);
    EXPECT_EQ(rec.log, (Log{"uc.Initialize", "uc.Resize", "uc.Paint"}));
}

TEST(DoEvents, RunsFifoIncludingActionsPostedMeanwhile) {
    EventQueue q;
    Log log;
    q.post([&] {
        log.push_back("a");
        q.post([&] { log.push_back("c"); });
    });
    q.post([&] { log.push_back("b"); });
    EXPECT_EQ(q.doEvents(), 3u);
    EXPECT_EQ(log, (Log{"a", "b", "c"}));
    EXPECT_EQ(q.doEvents(), 0u);
}

TEST(DoEvents, NestedDoEventsRunsEachActionOnce) {
    EventQueue q;
    Log log;
    q.post([&] {
        log.push_back("a");
        q.post([&] { log.push_back("c"); });
        q.doEvents();   // runs b and c, not a again
        log.push_back("a-end");
    });
    q.post([&] { log.push_back("b"); });
    q.doEvents();
    EXPECT_EQ(log, (Log{"a", "b", "c", "a-end"}));
    EXPECT_EQ(q.pending(), 0u);
}

TEST(DoEvents, ExceptionLeavesTheRestQueued) {
    EventQueue q;
    Log log;
    q.post([] { throw rt::Error(5, "x"); });
    q.post([&] { log.push_back("b"); });
    EXPECT_THROW(q.doEvents(), rt::Error);
    EXPECT_EQ(q.pending(), 1u);
    q.doEvents();
    EXPECT_EQ(log, (Log{"b"}));
}
