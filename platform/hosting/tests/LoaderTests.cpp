// Loading the test control library from its shared object, as a host does.
#include <gtest/gtest.h>

#include "TestHost.h"
#include "hosting/ControlClass.h"
#include "hosting/LibraryLoader.h"
#include "hosting/PropertyBag.h"
#include "runtime/Error.h"

using namespace hosting;

TEST(Loader, LoadsTheLibraryThroughItsEntryPoint) {
    auto lib = LibraryLoader::load(PG_TESTCONTROL_PATH);
    EXPECT_EQ(lib->descriptor().typeLibrary().name, "pgtestcontrol");
    EXPECT_EQ(lib->descriptor().typeLibrary().id, "5B7A61C0-2E44-4C1B-9A3E-0F6D1C2B7A10");
    ASSERT_EQ(lib->descriptor().classes().size(), 1u);
    const ControlClass* byId = lib->findClass("9C1E4F3A-7B2D-4E6A-8F10-3A5B6C7D8E90");
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(byId, lib->findClass("probe"));
    EXPECT_EQ(byId->defaultInterface().name, "_Probe");
    EXPECT_EQ(byId->members().front().name, "Caption");
    EXPECT_EQ(byId->members().back().name, "Popup");

    TestHost host;
    ControlPtr ctl = lib->create(byId->id(), host.site("P"));
    letProperty(*ctl, "Caption", "aus der Bibliothek");
    EXPECT_EQ(getProperty(*ctl, "caption").stringValue(), "aus der Bibliothek");
    std::vector<rt::Variant> args{std::int32_t(-4)};
    EXPECT_EQ(callMethod(*ctl, "Twice", args).longValue(), -4);
    EXPECT_EQ(args[0].longValue(), -8);

    host.onEvent = [](std::string_view, std::vector<rt::Variant>& a) { a[0] = "vom Host"; };
    std::vector<rt::Variant> rename{"x"};
    EXPECT_EQ(callMethod(*ctl, "Rename", rename).stringValue(), "vom Host");
    EXPECT_EQ(host.log.front(), "P changed Caption");

    host.ui.queueAnswer(tk::mb::Yes);
    std::vector<rt::Variant> ask{"Weiter?"};
    EXPECT_EQ(callMethod(*ctl, "Ask", ask).integerValue(), tk::mb::Yes);

    PropertyBag bag;
    ctl->writeProperties(bag);
    EXPECT_EQ(bag.toText(), "Caption = \"vom Host\"\n");
}

TEST(Loader, ErrorsFromTheLibraryCrossItsBoundaryAsRuntimeErrors) {
    auto lib = LibraryLoader::load(PG_TESTCONTROL_PATH);
    TestHost host;
    ControlPtr ctl = lib->create("Probe", host.site());
    std::vector<rt::Variant> fail{std::int32_t(3044), "Ungültiger Pfad."};
    try {
        callMethod(*ctl, "Fail", fail);
        ADD_FAILURE();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 3044);
        EXPECT_EQ(e.description(), "Ungültiger Pfad.");
    }
    std::vector<rt::Variant> crash{"logic"}, alloc{"alloc"};
    EXPECT_RT_ERROR(callMethod(*ctl, "Crash", crash), 51);
    EXPECT_RT_ERROR(callMethod(*ctl, "Crash", alloc), 7);
    EXPECT_RT_ERROR(ctl->invoke("Nichts", MemberKind::Method, crash), 438);
    EXPECT_RT_ERROR(lib->create("Nichts", host.site()), 429);
}

TEST(Loader, ControlsKeepTheLibraryLoaded) {
    ControlPtr ctl;
    {
        auto lib = LibraryLoader::load(PG_TESTCONTROL_PATH);
        TestHost host;
        ctl = lib->create("Probe", HostSite{});
    }
    letProperty(*ctl, "Count", 3);   // the code is still there
    EXPECT_EQ(getProperty(*ctl, "Count").longValue(), 3);
    ctl.reset();
}

TEST(Loader, ReportsWhatCannotBeLoaded) {
    EXPECT_RT_ERROR(LibraryLoader::load("./no-such-library.so"), 53);
    EXPECT_RT_ERROR(LibraryLoader::load("libm.so.6"), 453);   // a library without the entry point
    const std::string notElf = std::string(PG_TESTCONTROL_PATH) + ".txt";
    FILE* f = fopen(notElf.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fputs("not a shared object\n", f);
    fclose(f);
    EXPECT_RT_ERROR(LibraryLoader::load(notElf), 48);
    std::remove(notElf.c_str());
}
