// The control interface, exercised on the test control linked into the
// test program (the same code runs from the shared library in LoaderTests).
#include <gtest/gtest.h>

#include "Probe.h"
#include "TestHost.h"
#include "hosting/LibraryLoader.h"
#include "hosting/PropertyBag.h"
#include "runtime/Error.h"

using namespace hosting;

namespace {

struct Thing : rt::Object {
    std::string typeName() const override { return "Thing"; }
};

class ControlTest : public ::testing::Test {
protected:
    probe::ProbeLibrary descriptor;
    std::shared_ptr<Library> lib = LibraryLoader::wrap(descriptor, "pgtestcontrol");
    TestHost host;
    ControlPtr ctl = lib->create("Probe", host.site());
};

} // namespace

TEST_F(ControlTest, MembersAndEventsAreListedInDeclaredOrder) {
    const ControlClass& c = ctl->controlClass();
    std::vector<std::string> listed;
    for (const auto& m : c.members()) listed.push_back(m.name + ":" + kindName(m.kind) + ":" + std::to_string(m.dispId));
    const std::vector<std::string> expected{
        "Caption:PropertyGet:1", "Caption:PropertyLet:1", "Count:PropertyGet:2", "Count:PropertyLet:2",
        "Active:PropertyGet:3",  "Active:PropertyLet:3",  "Source:PropertyGet:4", "Source:PropertySet:4",
        "Item:PropertyGet:5",    "Item:PropertyLet:5",    "Shared:PropertyGet:6", "Shared:PropertyLet:6",
        "Instances:PropertyGet:7", "Twice:Method:8", "Rename:Method:9", "Ask:Method:10", "Fail:Method:11",
        "Crash:Method:12", "Mark:Method:13", "Popup:Method:14"};
    EXPECT_EQ(listed, expected);
    const MemberInfo* twice = c.findMember("TWICE", MemberKind::Method);
    ASSERT_NE(twice, nullptr);
    ASSERT_EQ(twice->params.size(), 1u);
    EXPECT_TRUE(twice->params[0].byRef);
    EXPECT_EQ(twice->params[0].type, ParamType::Long);
    EXPECT_EQ(c.findMember("Ask", MemberKind::Method)->helpText, "Asks a Yes/No question and returns the answer.");
    ASSERT_EQ(c.events().size(), 2u);
    EXPECT_EQ(c.events()[0].name, "Changing");
    EXPECT_EQ(c.eventInterface().name, "__Probe");
}

TEST_F(ControlTest, GetLetSetAndCallByNameIgnoringCase) {
    letProperty(*ctl, "caption", "Hallo");
    EXPECT_EQ(getProperty(*ctl, "CAPTION").stringValue(), "Hallo");
    letProperty(*ctl, "Count", "12");   // converted to the declared Long
    EXPECT_EQ(getProperty(*ctl, "Count").type(), rt::VarType::Long);
    EXPECT_EQ(getProperty(*ctl, "Count").longValue(), 12);
    letProperty(*ctl, "Active", std::int32_t(0));
    EXPECT_FALSE(getProperty(*ctl, "Active").boolValue());
    EXPECT_FALSE(ctl->userControl()->control("cmdGo").enabled());

    auto thing = std::make_shared<Thing>();
    setProperty(*ctl, "Source", rt::Variant(std::shared_ptr<rt::Object>(thing)));
    EXPECT_EQ(getProperty(*ctl, "Source").objectValue().get(), thing.get());

    letProperty(*ctl, "Item", "drei", {std::int32_t(3)});
    EXPECT_EQ(getProperty(*ctl, "Item", {std::int16_t(3)}).stringValue(), "drei");
    EXPECT_EQ((std::vector<std::string>{"Probe1 changed Caption", "Probe1 changed Active"}), host.log);
}

TEST_F(ControlTest, ByReferenceArgumentsComeBackByValueOnesDoNot) {
    std::vector<rt::Variant> args{std::int32_t(21)};
    EXPECT_EQ(callMethod(*ctl, "Twice", args).longValue(), 21);
    EXPECT_EQ(args[0].longValue(), 42);

    std::vector<rt::Variant> text{"5"};   // converted to Long, and comes back as Long
    callMethod(*ctl, "Twice", text);
    EXPECT_EQ(text[0].type(), rt::VarType::Long);
    EXPECT_EQ(text[0].longValue(), 10);

    std::vector<rt::Variant> byValue{"Neu"};
    host.onEvent = [](std::string_view, std::vector<rt::Variant>& a) { a[0] = "Geändert"; };
    EXPECT_EQ(callMethod(*ctl, "Rename", byValue).stringValue(), "Geändert");
    EXPECT_EQ(byValue[0].stringValue(), "Neu");
}

TEST_F(ControlTest, CallErrorsCarryNumberAndDescription) {
    std::vector<rt::Variant> none;
    EXPECT_RT_ERROR(ctl->invoke("Nonsense", MemberKind::PropertyGet, none), 438);
    EXPECT_RT_ERROR(setProperty(*ctl, "Caption", "x"), 438);        // Caption has no set
    EXPECT_RT_ERROR(letProperty(*ctl, "Instances", 1), 438);        // read-only
    EXPECT_RT_ERROR(callMethod(*ctl, "Twice"), 450);
    EXPECT_RT_ERROR(getProperty(*ctl, "Item"), 450);
    EXPECT_RT_ERROR(letProperty(*ctl, "Count", "zwölf"), 13);
    EXPECT_RT_ERROR(letProperty(*ctl, "Caption", rt::Variant::null()), 94);
    EXPECT_RT_ERROR(setProperty(*ctl, "Source", "no object"), 424);
    EXPECT_RT_ERROR(letProperty(*ctl, "Count", -1), 380);
    EXPECT_EQ(getProperty(*ctl, "Count").longValue(), 0);

    std::vector<rt::Variant> fail{std::int32_t(3021), "Kein aktueller Datensatz."};
    try {
        callMethod(*ctl, "Fail", fail);
        ADD_FAILURE();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 3021);
        EXPECT_EQ(e.description(), "Kein aktueller Datensatz.");
        EXPECT_EQ(e.source(), "pgtestcontrol");
    }
}

TEST_F(ControlTest, OtherExceptionsBecomeErrorsAtTheBoundary) {
    std::vector<rt::Variant> alloc{"alloc"}, logic{"logic"};
    EXPECT_RT_ERROR(callMethod(*ctl, "Crash", alloc), 7);
    try {
        callMethod(*ctl, "Crash", logic);
        ADD_FAILURE();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 51);
        EXPECT_EQ(e.description(), "Internal error (probe crashed)");
    }
    EXPECT_RT_ERROR(getProperty(*ctl, "Item", {std::int32_t(4)}), 9);   // std::out_of_range inside
}

TEST_F(ControlTest, EventArgumentsChangedByTheSinkReachTheControl) {
    host.onEvent = [](std::string_view name, std::vector<rt::Variant>& a) {
        if (name == "Changing" && a[0].stringValue() == "verboten") a[1] = true;
    };
    std::vector<rt::Variant> args{"verboten"};
    EXPECT_EQ(callMethod(*ctl, "Rename", args).stringValue(), "cancelled");
    EXPECT_EQ(getProperty(*ctl, "Caption").stringValue(), "");   // not renamed
    EXPECT_EQ(host.log.back(), "Probe1.Changing(\"verboten\", False)");   // as sent

    // A sink that throws does not break the control.
    host.onEvent = [](std::string_view, std::vector<rt::Variant>&) { throw std::runtime_error("host fault"); };
    std::vector<rt::Variant> ok{"erlaubt"};
    EXPECT_EQ(callMethod(*ctl, "Rename", ok).stringValue(), "erlaubt");

    // Child controls raise the control's events too.
    host.onEvent = nullptr;
    EXPECT_TRUE(ctl->userControl()->get<tk::CommandButton>("cmdGo").click());
    EXPECT_EQ(host.log.back(), "Probe1.Clicked()");
}

TEST_F(ControlTest, MessageBoxGoesThroughTheHostsUi) {
    host.ui.queueAnswer(tk::mb::No);
    std::vector<rt::Variant> args{"Löschen?"};
    EXPECT_EQ(callMethod(*ctl, "Ask", args).integerValue(), tk::mb::No);
    ASSERT_EQ(host.ui.boxes().size(), 1u);
    EXPECT_EQ(host.ui.boxes()[0].prompt, "Löschen?");
    EXPECT_EQ(host.ui.boxes()[0].style, tk::mb::YesNo | tk::mb::Question);

    HostSite bare;   // no UI given
    ControlPtr other = lib->create("Probe", bare);
    std::vector<rt::Variant> again{"?"};
    EXPECT_RT_ERROR(callMethod(*other, "Ask", again), 91);
}

TEST_F(ControlTest, PropertiesPersistThroughABagWithDefaultsLeftOut) {
    ctl->initProperties();
    PropertyBag fresh;
    ctl->writeProperties(fresh);
    EXPECT_EQ(fresh.toText(), "Caption = \"Probe\"\n");

    letProperty(*ctl, "Caption", "");
    letProperty(*ctl, "Count", 5);
    letProperty(*ctl, "Active", false);
    PropertyBag bag;
    ctl->writeProperties(bag);
    const std::string text = bag.toText();
    EXPECT_EQ(text, "Count = 5\nActive = False\n");

    ControlPtr loaded = lib->create("Probe", host.site("Probe2"));
    loaded->readProperties(PropertyBag::fromText(text));
    EXPECT_EQ(getProperty(*loaded, "Caption").stringValue(), "");
    EXPECT_EQ(getProperty(*loaded, "Count").longValue(), 5);
    EXPECT_FALSE(getProperty(*loaded, "Active").boolValue());

    loaded->resize(3000, 1200);
    EXPECT_EQ(loaded->userControl()->width(), 3000);
    EXPECT_EQ(loaded->userControl()->control("txtInput").width(), 2880);
}

TEST_F(ControlTest, CreatingByIdAndReleasingRunTheLifecycle) {
    EXPECT_EQ(getProperty(*ctl, "Instances").longValue(), 1);
    {
        ControlPtr second = lib->create("{9c1e4f3a-7b2d-4e6a-8f10-3a5b6c7d8e90}", host.site());
        EXPECT_EQ(second->controlClass().name(), "Probe");
        EXPECT_EQ(getProperty(*ctl, "Instances").longValue(), 2);
    }
    EXPECT_EQ(getProperty(*ctl, "Instances").longValue(), 1);   // Terminate ran on release
    EXPECT_RT_ERROR(lib->create("Sonde", host.site()), 429);
}
