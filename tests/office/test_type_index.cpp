// ZEB's reading of the type library on its own thread: what it says is ready is there, and
// it stops where it is when the connection ends.

#include "type_index.h"

#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

css::uno::Reference<css::uno::XComponentContext> local_runtime()
{
    rtl::Bootstrap::set(rtl::OUString::createFromAscii("URE_BOOTSTRAP"),
                        rtl::OUString::createFromAscii("vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc"));
    static const auto context = cppu::defaultBootstrap_InitialComponentContext();
    return context;
}

} // namespace

TEST(TypeLibrary, WhatItSaysIsReadIsThereTheMomentItSaysSo)
{
    office::TypeIndex index(local_runtime());
    // Watched without waiting on it, as a caller that only asks whether it is ready: the
    // data must have come before the word that it is read. (At the lowest priority on a
    // busy machine the reading can take many seconds.)
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(75);
    while (!index.ready() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    ASSERT_TRUE(index.ready());
    const auto& declared = index.declaring("loadcomponentfromurl");
    bool loader = false;
    for (const office::Declared& d : declared)
        loader = loader || d.iface == "com.sun.star.frame.XComponentLoader";
    EXPECT_TRUE(loader) << declared.size() << " interfaces declare it";
    EXPECT_GT(index.family("com.sun.star.frame.XDesktop2").size(), 3u);
}

TEST(TypeLibrary, ALibraryLetGoOfWhileItIsReadStopsAtOnce)
{
    for (const int ms : {0, 320, 450}) { // before the pause ends, and while reading
        auto index = std::make_unique<office::TypeIndex>(local_runtime());
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        const auto from = std::chrono::steady_clock::now();
        index.reset();
        // At the lowest priority on a busy machine the thread may wait its turn, but it does
        // not finish the whole reading first.
        EXPECT_LT(std::chrono::steady_clock::now() - from, std::chrono::seconds(5)) << "let go after " << ms << " ms";
    }
}
