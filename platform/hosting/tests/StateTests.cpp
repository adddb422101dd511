// Library-wide state: one per library and thread.
#include <gtest/gtest.h>

#include <thread>

#include "Probe.h"
#include "TestHost.h"
#include "hosting/LibraryLoader.h"

using namespace hosting;

TEST(PerThreadState, ControlsOfOneLibraryShareItOnTheirThreadOnly) {
    probe::ProbeLibrary descriptor;
    auto lib = LibraryLoader::wrap(descriptor, "pgtestcontrol");
    ControlPtr a = lib->create("Probe", HostSite{});
    ControlPtr b = lib->create("Probe", HostSite{});
    letProperty(*a, "Shared", "von a");
    EXPECT_EQ(getProperty(*b, "Shared").stringValue(), "von a");

    rt::Variant seen = "unset";
    std::int32_t instancesThere = -1;
    std::thread other([&] {
        ControlPtr c = lib->create("Probe", HostSite{});
        seen = getProperty(*c, "Shared");
        letProperty(*c, "Shared", "von c");
        instancesThere = getProperty(*c, "Instances").longValue();
        c.reset();
        descriptor.shared.reset();   // the thread ends: its state goes
    });
    other.join();
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(instancesThere, 1);
    EXPECT_EQ(getProperty(*a, "Shared").stringValue(), "von a");
    EXPECT_EQ(getProperty(*a, "Instances").longValue(), 2);
    EXPECT_EQ(descriptor.shared.threadCount(), 1u);
}

TEST(PerThreadState, TwoLibraryInstancesNeverShare) {
    probe::ProbeLibrary first, second;
    auto lib1 = LibraryLoader::wrap(first, "one");
    auto lib2 = LibraryLoader::wrap(second, "two");
    auto loaded = LibraryLoader::load(PG_TESTCONTROL_PATH);
    ControlPtr a = lib1->create("Probe", HostSite{});
    ControlPtr b = lib2->create("Probe", HostSite{});
    ControlPtr c = loaded->create("Probe", HostSite{});
    letProperty(*a, "Shared", 1);
    letProperty(*b, "Shared", 2);
    letProperty(*c, "Shared", 3);
    EXPECT_EQ(getProperty(*a, "Shared").longValue(), 1);
    EXPECT_EQ(getProperty(*b, "Shared").longValue(), 2);
    EXPECT_EQ(getProperty(*c, "Shared").longValue(), 3);
}

TEST(PerThreadState, FactoryRunsOncePerThread) {
    int made = 0;
    PerThreadState<int> state([&] { ++made; return std::make_unique<int>(7); });
    EXPECT_EQ(state.find(), nullptr);
    state.get() = 8;
    EXPECT_EQ(state.get(), 8);
    EXPECT_EQ(made, 1);
    state.reset();
    EXPECT_EQ(state.get(), 7);
    EXPECT_EQ(made, 2);
}
