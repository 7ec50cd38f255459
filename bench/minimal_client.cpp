// The least a C++ program can do to open a workbook through UNO: typed calls, nothing else.
// Usage: minimal_client PIPE URL RUNS. Prints one line per run: seconds from the load call
// to the last sheet held, then the seconds of the sheet table alone.

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace css;

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const rtl::OUString pipe = rtl::OUString::createFromAscii(argv[1]);
    const rtl::OUString url = rtl::OStringToOUString(argv[2], RTL_TEXTENCODING_UTF8);
    const int runs = std::atoi(argv[3]);
    rtl::Bootstrap::set(rtl::OUString::createFromAscii("URE_BOOTSTRAP"),
                        rtl::OUString::createFromAscii("vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc"));
    auto local = cppu::defaultBootstrap_InitialComponentContext();
    auto resolver = bridge::UnoUrlResolver::create(local);
    uno::Reference<uno::XComponentContext> remote(
        resolver->resolve("uno:pipe,name=" + pipe + ";urp;StarOffice.ComponentContext"), uno::UNO_QUERY_THROW);
    auto desktop = frame::Desktop::create(remote);

    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        uno::Reference<sheet::XSpreadsheetDocument> doc(
            desktop->loadComponentFromURL(url, "_blank", 0, uno::Sequence<beans::PropertyValue>()), uno::UNO_QUERY_THROW);
        const auto loaded = std::chrono::steady_clock::now();
        uno::Reference<container::XIndexAccess> sheets(doc->getSheets(), uno::UNO_QUERY_THROW);
        const sal_Int32 count = sheets->getCount();
        std::vector<uno::Any> held(static_cast<std::size_t>(count));
        for (sal_Int32 i = 0; i < count; ++i) {
            uno::Reference<container::XIndexAccess> again(doc->getSheets(), uno::UNO_QUERY_THROW);
            held[static_cast<std::size_t>(i)] = again->getByIndex(i);
        }
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double table = std::chrono::duration<double>(std::chrono::steady_clock::now() - loaded).count();
        std::printf("%.6f %.6f\n", took, table);
        std::fflush(stdout);
        uno::Reference<util::XCloseable>(doc, uno::UNO_QUERY_THROW)->close(true);
    }
    // As the SDK's own clients do: let go of the bridge before the process ends.
    uno::Reference<lang::XComponent>(local, uno::UNO_QUERY_THROW)->dispose();
    std::fflush(stdout);
    _exit(0); // the figures are out; nothing at exit is worth a crash in the office's libraries

}
