// Check boxes, buttons, text boxes and combo boxes: values, event order,
// selection in characters.
#include <gtest/gtest.h>

#include <algorithm>

#include "Recorder.h"
#include "runtime/Error.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/CommandButton.h"
#include "toolkit/Keys.h"
#include "toolkit/TextBox.h"
#include "toolkit/UserControl.h"
#include "ErrorNumber.h"

using namespace tk;
using Log = std::vector<std::string>;

using testsupport::errorNumber;

TEST(CheckBox, SettingValueRaisesClickOnlyOnChange) {
    struct Case { int from, to, clicks; };
    for (Case c : {Case{0, 1, 1}, Case{1, 0, 1}, Case{0, 2, 1}, Case{2, 1, 1}, Case{0, 0, 0}, Case{1, 1, 0}}) {
        CheckBox box("CheSpalten");
        box.setValue(c.from);
        int clicks = 0, valueSeen = -1;
        box.onClick = [&] { ++clicks; valueSeen = box.value(); };
        box.setValue(c.to);
        EXPECT_EQ(clicks, c.clicks) << c.from << "->" << c.to;
        EXPECT_EQ(box.value(), c.to);
        if (c.clicks) {
            EXPECT_EQ(valueSeen, c.to) << "Click sees the new value";
        }
    }
}

TEST(CheckBox, UserClickTogglesAndRefusesWhenDisabled) {
    struct Case { int from, after; bool enabled; int clicks; };
    for (Case c : {Case{0, 1, true, 1}, Case{1, 0, true, 1}, Case{2, 1, true, 1}, Case{0, 0, false, 0}}) {
        CheckBox box("c");
        box.setValue(c.from);
        box.setEnabled(c.enabled);
        int clicks = 0;
        box.onClick = [&] { ++clicks; };
        EXPECT_EQ(box.click(), c.enabled);
        EXPECT_EQ(box.value(), c.after);
        EXPECT_EQ(clicks, c.clicks);
    }
    CheckBox box("c");
    EXPECT_EQ(errorNumber([&] { box.setValue(3); }), 380);
    EXPECT_EQ(errorNumber([&] { box.setValue(-1); }), 380);
    EXPECT_EQ(box.value(), 0);
}

TEST(CommandButton, UserClickFocusesThenClicksOnlyWhenUsable) {
    UserControl uc("Messungen");
    Recorder rec;
    uc.setTrace(&rec);
    auto& txt = uc.add<TextBox>("txtEdit");
    auto& btn = uc.add<CommandButton>("ComLöschen");
    txt.setFocus();
    rec.log.clear();
    EXPECT_TRUE(btn.click());
    EXPECT_EQ(rec.log, (Log{"txtEdit.LostFocus", "ComLöschen.GotFocus", "ComLöschen.Click"}));
    rec.log.clear();
    btn.setVisible(false);
    EXPECT_FALSE(btn.click());
    btn.setVisible(true);
    btn.setEnabled(false);
    EXPECT_FALSE(btn.click());
    EXPECT_TRUE(rec.log.empty());
    btn.raiseClick();   // from code, whatever the state
    EXPECT_EQ(rec.log, (Log{"ComLöschen.Click"}));
}

class TextBoxTest : public ::testing::Test {
protected:
    TextBoxTest() { box.setTrace(&rec); }
    void set(const char* text, long start, long length) {
        box.onChange = nullptr;
        box.setText(text);
        box.setSelStart(start);
        box.setSelLength(length);
        rec.log.clear();
    }
    TextBox box{"txtEdit"};
    Recorder rec;
};

TEST_F(TextBoxTest, TypingRaisesKeyDownKeyPressChangeKeyUp) {
    box.typeText("aÄ");
    EXPECT_EQ(rec.log, (Log{"txtEdit.KeyDown(65,0)", "txtEdit.KeyPress(97)", "txtEdit.Change", "txtEdit.KeyUp(65,0)",
                            "txtEdit.KeyDown(0,0)", "txtEdit.KeyPress(196)", "txtEdit.Change",
                            "txtEdit.KeyUp(0,0)"}));
    EXPECT_EQ(box.text(), "aÄ");
    EXPECT_EQ(box.selStart(), 2);
}

TEST_F(TextBoxTest, KeyPressHandlerSwallowsOrReplacesTheCharacter) {
    box.onKeyPress = [](int& k) {
        if (k == 'x') k = 0;
        else if (k == 'a') k = 'A';
    };
    box.typeText("xab");
    EXPECT_EQ(box.text(), "Ab");
    EXPECT_EQ(rec.log[0], "txtEdit.KeyDown(88,0)");
    EXPECT_EQ(rec.log[1], "txtEdit.KeyPress(120)");
    EXPECT_EQ(rec.log[2], "txtEdit.KeyUp(88,0)") << "a swallowed key changes nothing";
}

TEST_F(TextBoxTest, KeyDownZeroStopsEditingKeysButNotKeyPress) {
    set("abc", 0, 0);
    int presses = 0;
    box.onKeyDown = [](int& code, int&) { code = 0; };
    box.onKeyPress = [&](int&) { ++presses; };
    box.pressKey(key::Delete);
    EXPECT_EQ(box.text(), "abc");
    box.pressKey(key::Return);
    EXPECT_EQ(presses, 1) << "Enter still reaches KeyPress";
    EXPECT_EQ(rec.log.back(), "txtEdit.KeyUp(13,0)") << "KeyUp reports the key as pressed";
}

TEST_F(TextBoxTest, LockedRefusesUserChangesOnly) {
    set("Wert", 2, 0);
    box.setLocked(true);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.typeText("x");
    box.pressKey(key::Back);
    box.pressKey(key::Delete);
    EXPECT_EQ(box.text(), "Wert");
    EXPECT_EQ(changes, 0);
    box.pressKey(key::End);
    EXPECT_EQ(box.selStart(), 4) << "the caret still moves";
    box.setSelText("!");
    box.setText("neu");
    EXPECT_EQ(box.text(), "neu");
    EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxTest, MaxLengthLimitsTypingNotCode) {
    box.setMaxLength(3);
    box.typeText("abcd");
    EXPECT_EQ(box.text(), "abc");
    box.setSelStart(1);
    box.setSelLength(1);
    box.typeText("ü");
    EXPECT_EQ(box.text(), "aüc") << "typing over a selection replaces it";
    box.setText("länger");
    EXPECT_EQ(box.text(), "länger");
    EXPECT_EQ(errorNumber([&] { box.setMaxLength(-1); }), 380);
}

TEST_F(TextBoxTest, SelectionCountsCharacters) {
    struct Case { long start, length; const char* selText; long startAfter, lengthAfter; };
    const Case cases[] = {
        {2, 3, "üfg", 2, 3},
        {0, 100, "Prüfgerät", 0, 9},   // length limited to the rest
        {100, 5, "", 9, 0},            // start limited to the end
        {7, 1, "ä", 7, 1},
        {9, 0, "", 9, 0},
    };
    for (const Case& c : cases) {
        box.setText("Prüfgerät");
        box.setSelStart(c.start);
        box.setSelLength(c.length);
        EXPECT_EQ(box.selText(), c.selText) << c.start;
        EXPECT_EQ(box.selStart(), c.startAfter);
        EXPECT_EQ(box.selLength(), c.lengthAfter);
    }
    box.setText("Prüfgerät");
    box.setSelStart(2);
    box.setSelLength(3);
    box.setSelText("ÜX");
    EXPECT_EQ(box.text(), "PrÜXerät");
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelText("ß");   // no selection: inserted at the caret
    EXPECT_EQ(box.text(), "PrÜXßerät");
    EXPECT_EQ(errorNumber([&] { box.setSelStart(-1); }), 380);
    EXPECT_EQ(errorNumber([&] { box.setSelLength(-1); }), 380);
    EXPECT_EQ(box.selStart(), 5);
}

TEST_F(TextBoxTest, EditingKeys) {
    struct Case { const char* text; long start, length; int key, shift; const char* after; long s, l; bool change; };
    const Case cases[] = {
        {"äöü", 3, 0, key::Back, 0, "äö", 2, 0, true},
        {"äöü", 0, 0, key::Back, 0, "äöü", 0, 0, false},
        {"äöü", 0, 0, key::Delete, 0, "öü", 0, 0, true},
        {"äöü", 3, 0, key::Delete, 0, "äöü", 3, 0, false},
        {"äöü", 1, 2, key::Delete, 0, "ä", 1, 0, true},
        {"äöü", 0, 3, key::Back, 0, "", 0, 0, true},
        {"äöü", 1, 1, key::Left, 0, "äöü", 1, 0, false},
        {"äöü", 1, 1, key::Right, 0, "äöü", 2, 0, false},
        {"äöü", 1, 0, key::Right, shift::Shift, "äöü", 1, 1, false},
        {"äöü", 2, 0, key::Home, shift::Shift, "äöü", 0, 2, false},
        {"äöü", 1, 0, key::End, 0, "äöü", 3, 0, false},
        {"äöü", 0, 0, key::Left, 0, "äöü", 0, 0, false},
    };
    for (const Case& c : cases) {
        set(c.text, c.start, c.length);
        int changes = 0;
        box.onChange = [&] { ++changes; };
        box.pressKey(c.key, c.shift);
        EXPECT_EQ(box.text(), c.after) << c.text << " key " << c.key;
        EXPECT_EQ(box.selStart(), c.s) << c.text << " key " << c.key;
        EXPECT_EQ(box.selLength(), c.l) << c.text << " key " << c.key;
        EXPECT_EQ(changes, c.change ? 1 : 0) << c.text << " key " << c.key;
    }
}

TEST_F(TextBoxTest, SettingTextRaisesChangeOnlyWhenDifferentAndResetsCaret) {
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText("005");
    box.setText("005");
    EXPECT_EQ(changes, 1);
    box.setSelStart(2);
    box.setText("006");
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 0);
}

TEST_F(TextBoxTest, InputIgnoredWhileHiddenOrDisabled) {
    box.setVisible(false);
    EXPECT_FALSE(box.typeText("a"));
    box.setVisible(true);
    box.setEnabled(false);
    EXPECT_FALSE(box.pressKey(key::Back));
    EXPECT_FALSE(box.mouseDown(button::Right, 0, 1, 1));
    EXPECT_TRUE(rec.log.empty());
}

TEST(TextBoxMouse, LeftButtonFocusesBeforeMouseDownRightDoesNot) {
    UserControl uc("uc");
    Recorder rec;
    uc.setTrace(&rec);
    auto& other = uc.add<TextBox>("other");
    auto& box = uc.add<TextBox>("txtEdit");
    other.setFocus();
    rec.log.clear();
    box.mouseDown(button::Right, 0, 10, 20);
    EXPECT_EQ(rec.log, (Log{"txtEdit.MouseDown(2,0,10,20)"}));
    rec.log.clear();
    box.mouseDown(button::Left, shift::Shift, 5, 6);
    EXPECT_EQ(rec.log, (Log{"other.LostFocus", "txtEdit.GotFocus", "txtEdit.MouseDown(1,1,5,6)"}));
}

class ComboTest : public ::testing::Test {
protected:
    ComboTest() {
        combo.setTrace(&rec);
        for (const char* s : {"Messgerät", "Prüfer", "Datum"}) combo.addItem(s);
    }
    ComboBox combo{"ComboEdit"};
    Recorder rec;
};

TEST_F(ComboTest, ListIndexSelectsWithClickNotChange) {
    combo.setListIndex(1);
    EXPECT_EQ(combo.text(), "Prüfer");
    EXPECT_EQ(rec.log, (Log{"ComboEdit.Click"}));
    combo.setListIndex(1);
    EXPECT_EQ(rec.log.size(), 1u) << "same index: nothing";
    combo.setListIndex(-1);
    EXPECT_EQ(combo.text(), "");
    EXPECT_EQ(errorNumber([&] { combo.setListIndex(3); }), 380);
    EXPECT_EQ(errorNumber([&] { combo.setListIndex(-2); }), 380);
    EXPECT_EQ(combo.listIndex(), -1);
}

TEST_F(ComboTest, ListEditingAndBadIndexes) {
    combo.setListIndex(2);
    combo.addItem("Anfang", 0);
    EXPECT_EQ(combo.listIndex(), 3) << "the selected entry moved down";
    combo.removeItem(0);
    EXPECT_EQ(combo.listIndex(), 2);
    combo.removeItem(2);
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.listCount(), 2);
    EXPECT_EQ(combo.list(1), "Prüfer");
    EXPECT_EQ(errorNumber([&] { combo.list(2); }), 9);
    EXPECT_EQ(errorNumber([&] { combo.removeItem(5); }), 9);
    EXPECT_EQ(errorNumber([&] { combo.addItem("x", 3); }), 5);
    EXPECT_EQ(combo.listCount(), 2);
    combo.clear();
    EXPECT_EQ(combo.listCount(), 0);
    EXPECT_EQ(combo.text(), "");
}

TEST_F(ComboTest, TypingAndArrowKeys) {
    combo.typeText("Datum");
    EXPECT_EQ(combo.listIndex(), 2) << "the typed text matches an entry";
    combo.pressKey(key::Back);
    EXPECT_EQ(combo.listIndex(), -1);
    rec.log.clear();
    combo.pressKey(key::Down);
    EXPECT_EQ(combo.listIndex(), 0);
    EXPECT_EQ(combo.text(), "Messgerät");
    EXPECT_EQ(combo.selLength(), 9);
    combo.pressKey(key::Down);
    combo.pressKey(key::Up);
    EXPECT_EQ(combo.listIndex(), 0);
    EXPECT_EQ(std::count(rec.log.begin(), rec.log.end(), "ComboEdit.Click"), 3);
    EXPECT_EQ(std::count(rec.log.begin(), rec.log.end(), "ComboEdit.Change"), 0);
    combo.pressKey(key::F4);
    EXPECT_TRUE(combo.droppedDown());
    EXPECT_TRUE(combo.chooseItem(2));
    EXPECT_FALSE(combo.droppedDown());
    EXPECT_EQ(combo.text(), "Datum");
    EXPECT_EQ(rec.log.back(), "ComboEdit.Click");
}

TEST_F(ComboTest, CaretBeyondTheEndIsLimited) {
    combo.setText("Prüfer");
    combo.setSelStart(1000);
    EXPECT_EQ(combo.selStart(), 6);
}
