// Message boxes, popup menus, pointer, clipboard and date of the headless
// UI services.
#include <gtest/gtest.h>

#include <ctime>

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "toolkit/HeadlessUi.h"
#include "toolkit/Keys.h"
#include "toolkit/UserControl.h"

using namespace tk;

TEST(HeadlessUi, UnscriptedBoxesAnswerWithTheirDefaultButton) {
    struct Case { int style, answer; };
    const Case cases[] = {
        {mb::OKOnly, mb::OK},
        {mb::YesNo + mb::DefaultButton2, mb::No},   // 260, the confirmations
        {mb::YesNo + mb::Question, mb::Yes},
        {mb::YesNoCancel + mb::DefaultButton3, mb::Cancel},
        {mb::AbortRetryIgnore + mb::DefaultButton2 + mb::Critical, mb::Retry},
        {mb::RetryCancel, mb::Retry},
        {mb::OKCancel + mb::DefaultButton3, mb::OK},   // no third button: the first
    };
    HeadlessUi ui;
    for (const Case& c : cases) EXPECT_EQ(ui.msgBox("p", c.style), c.answer) << c.style;
    EXPECT_EQ(ui.boxes().size(), std::size(cases));
}

TEST(HeadlessUi, ScriptedAnswersAreUsedInOrderAndLogged) {
    HeadlessUi ui;
    ui.queueAnswer(mb::Yes);
    ui.queueAnswer(mb::OK);
    EXPECT_EQ(ui.msgBox("Sicher Löschen", 260, "Inhalte Löschen"), mb::Yes);
    EXPECT_EQ(ui.msgBox("3021 Kein aktueller Datensatz."), mb::OK);
    EXPECT_EQ(ui.msgBox("again", 260), mb::No) << "script used up: default";
    ASSERT_EQ(ui.boxes().size(), 3u);
    EXPECT_EQ(ui.boxes()[0].prompt, "Sicher Löschen");
    EXPECT_EQ(ui.boxes()[0].style, 260);
    EXPECT_EQ(ui.boxes()[0].title, "Inhalte Löschen");
    EXPECT_EQ(ui.boxes()[0].answer, mb::Yes);
    EXPECT_EQ(ui.boxes()[1].title, "");

    ui.queueAnswer(mb::Yes);   // no Yes on an OK box: the script is wrong
    EXPECT_THROW(ui.msgBox("x", mb::OKOnly), rt::Error);
    EXPECT_EQ(ui.pendingAnswers(), 0u);
}

class PopupTest : public ::testing::Test {
protected:
    PopupTest() {
        tab = &uc.addMenu("mnuTabelle", "&Tabelle");
        tab->setVisible(false);
        for (auto [name, caption] : {std::pair{"mnuKopieren", "&Kopieren"}, {"mnuTabTrennung0", "-"},
                                     {"mnuGrenzwerte", "&Grenzwerte..."}, {"mnuInhalteLöschen", "&Inhalte Löschen"}})
            uc.addMenu(name, caption, tab).onClick = [this, n = std::string(name)] { clicked.push_back(n); };
        uc.menu("mnuKopieren").setVisible(false);
        uc.menu("mnuGrenzwerte").setEnabled(false);
        uc.menu("mnuInhalteLöschen").setShortcut(key::Delete);
    }
    UserControl uc{"Messungen"};
    HeadlessUi ui;
    MenuItem* tab = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(PopupTest, ChosenItemIsClickedBeforePopupReturns) {
    ui.queueMenuChoice("mnuinhaltelöschen");
    MenuItem* chosen = ui.popupMenu(*tab, 300, 400, kPopupRightButton);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->name(), "mnuInhalteLöschen");
    EXPECT_EQ(clicked, (std::vector<std::string>{"mnuInhalteLöschen"}));
    const auto& rec = ui.menus().at(0);
    EXPECT_EQ(rec.menu, "mnuTabelle");
    EXPECT_EQ(rec.x, 300);
    EXPECT_EQ(rec.flags, kPopupRightButton);
    EXPECT_EQ(rec.chosen, "mnuInhalteLöschen");
    ASSERT_EQ(rec.items.size(), 4u);
    EXPECT_FALSE(rec.item("mnuKopieren")->visible);
    EXPECT_FALSE(rec.item("mnuGrenzwerte")->enabled);
    EXPECT_TRUE(rec.item("mnuTabTrennung0")->separator);
}

TEST_F(PopupTest, WhatTheUserCannotClickChoosesNothing) {
    for (const char* name : {"mnuGrenzwerte", "mnuKopieren", "mnuTabTrennung0", ""}) {
        ui.queueMenuChoice(name);
        EXPECT_EQ(ui.popupMenu(*tab, 0, 0), nullptr) << name;
    }
    EXPECT_EQ(ui.popupMenu(*tab, 0, 0), nullptr) << "no script: nothing chosen";
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(ui.menus().size(), 5u);
    EXPECT_EQ(ui.menus()[0].chosen, "");
    ui.queueMenuChoice("mnuGibtEsNicht");
    EXPECT_THROW(ui.popupMenu(*tab, 0, 0), rt::Error);
}

TEST_F(PopupTest, ItemsOfADisabledSubmenuCannotBeChosen) {
    auto& sub = uc.addMenu("mnuMehr", "Mehr", tab);
    uc.addMenu("mnuUnten", "Unten", &sub).onClick = [this] { clicked.push_back("mnuUnten"); };
    ui.queueMenuChoice("mnuUnten");
    ui.queueMenuChoice("mnuMehr");   // a submenu is opened, not chosen
    ui.queueMenuChoice("mnuUnten");
    EXPECT_NE(ui.popupMenu(*tab, 0, 0), nullptr);
    EXPECT_EQ(ui.popupMenu(*tab, 0, 0), nullptr);
    sub.setEnabled(false);
    EXPECT_EQ(ui.popupMenu(*tab, 0, 0), nullptr);
    EXPECT_EQ(clicked, (std::vector<std::string>{"mnuUnten"}));
    EXPECT_EQ(ui.menus().back().item("mnuUnten")->depth, 1);
}

TEST(HeadlessUi, PointerClipboardVersionAndDate) {
    HeadlessUi ui;
    ui.setMousePointer(pointer::Hourglass);
    ui.setMousePointer(pointer::Default);
    EXPECT_EQ(ui.pointerHistory(), (std::vector<int>{0, 11, 0}));
    EXPECT_EQ(ui.mousePointer(), 0);

    EXPECT_FALSE(ui.clipboardHasText());
    EXPECT_EQ(ui.clipboardText(), "");
    ui.setClipboardText("");
    EXPECT_TRUE(ui.clipboardHasText()) << "empty text is still text";
    ui.setClipboardText("Prüfung");
    EXPECT_EQ(ui.clipboardText(), "Prüfung");
    ui.clearClipboard();
    EXPECT_FALSE(ui.clipboardHasText());

    ui.setVersion({1, 0, 21});
    EXPECT_EQ(ui.version().revision, 21);
    ui.setToday(rt::dateSerial(2026, 12, 9));
    EXPECT_EQ(ui.todayText(rt::Regional::german()), "09.12.2026");
    EXPECT_EQ(ui.todayText(rt::Regional::english()), "12/09/2026");
}

TEST(HeadlessUi, DefaultDateIsToday) {
    HeadlessUi ui;
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    EXPECT_NEAR(ui.today(), rt::dateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), 1.0);
    ui.doEvents();   // an empty queue is fine
}
