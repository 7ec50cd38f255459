// From "file chosen" to Routines enabled: ZEB against a minimal C++ UNO client and a
// Python-UNO script doing the same calls, on one warm private office, for workbooks of
// 1, 100 and 1000 sheets. Prints medians and ratios.

#include "drivers.h"
#include "forms/application.h"
#include "private_office.h"
#include "runtime/value.h"
#include "zeb_form.h"
#include "zeb_main.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

/// A workbook of `sheets` sheets, stored by the office itself.
std::string make_workbook(PrivateOffice& office, int sheets)
{
    const std::string path = office.scratch() + "/sheets_" + std::to_string(sheets) + ".ods";
    auto doc = office.desktop()
                   ->call("loadComponentFromURL", {rt::Value("private:factory/scalc"), rt::Value("_blank"),
                                                   rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                   .to_object();
    auto all = doc->get("Sheets").to_object();
    for (int i = 1; i < sheets; ++i)
        all->call("insertNewByName", {rt::Value("S" + std::to_string(i)), rt::Value(std::int16_t(i))});
    doc->call("storeToURL", {rt::Value(path_to_url(path)), rt::Value(std::vector<rt::Value>{})});
    doc->call("close", {rt::Value(true)});
    return path;
}

/// One run of ZEB: the real dialog answered with `path`; seconds from the Return key to
/// the end of start-up, when Routines is enabled.
double zeb_run(forms::Application& app, const std::string& path)
{
    printing::Printers printers;
    ZEB_main zeb(app, printers);
    ZEB_form form(zeb);
    clock_type::time_point chosen;
    when_modal_of<QFileDialog>([&](QFileDialog* d) {
        name_edit(d)->setText(QString::fromStdString(path));
        chosen = clock_type::now();
        QTest::keyClick(name_edit(d), Qt::Key_Return);
    });
    form.show();
    const double took = std::chrono::duration<double>(clock_type::now() - chosen).count();
    if (!zeb.wb_open)
        std::fprintf(stderr, "ZEB did not open %s\n", path.c_str());
    form.close();
    return took;
}

/// The sheet table as open_workbook fills it, through the same bridge, after the load.
double zeb_table(PrivateOffice& office, int sheets)
{
    const std::string path = office.scratch() + "/sheets_" + std::to_string(sheets) + ".ods";
    std::vector<double> runs;
    for (int r = 0; r < 1; ++r) {
        auto doc = office.desktop()
                       ->call("loadComponentFromURL", {rt::Value(path_to_url(path)), rt::Value("_blank"),
                                                       rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                       .to_object();
        const auto t0 = clock_type::now();
        const std::int16_t count = doc->get("Sheets").to_object()->get("Count").to_int16();
        std::vector<std::shared_ptr<rt::Object>> held(static_cast<std::size_t>(count));
        for (std::int16_t i = 0; i < count; ++i)
            held[static_cast<std::size_t>(i)] =
                doc->call("getSheets", {}).to_object()->call("getByIndex", {rt::Value(i)}).to_object();
        runs.push_back(std::chrono::duration<double>(clock_type::now() - t0).count());
        doc->call("close", {rt::Value(true)});
    }
    return median(runs);
}

/// The runs of a client program: each line gives the whole time and the sheet table's.
struct ClientRuns {
    std::vector<double> total, table;
};

ClientRuns client_runs(const std::string& command)
{
    ClientRuns out;
    if (FILE* p = popen(command.c_str(), "r")) {
        double total = 0, table = 0;
        while (std::fscanf(p, "%lf %lf", &total, &table) == 2) {
            out.total.push_back(total);
            out.table.push_back(table);
        }
        pclose(p);
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    forms::Application app(argc, argv);
    const std::string bench_dir = BENCH_SOURCE_DIR;
    const std::string minimal = argc > 1 ? argv[1] : "minimal_client";
    const int rounds = 7;
    PrivateOffice office;
    office.desktop(); // start it: everything below is warm

    std::printf("file chosen to Routines enabled, and the sheet table alone (Sheets.Count, then\n"
                "getSheets().getByIndex(i) per sheet); seconds, median of %d interleaved rounds, warm headless office\n",
                rounds);
    std::printf("%7s | %8s %8s %8s %7s %7s | %8s %8s %8s %7s\n", "sheets", "ZEB", "C++", "Python", "ZEB/C++",
                "Py/C++", "table", "C++", "Python", "ZEB/C++");
    for (int sheets : {1, 100, 1000}) {
        const std::string path = make_workbook(office, sheets);
        const std::string url = path_to_url(path);
        zeb_run(app, path); // the first load of a file is slower for everyone: not counted
        std::vector<double> zeb, zeb_tab;
        ClientRuns cpp, py;
        // One run of each in turn, so the machine's ups and downs reach all of them alike.
        for (int r = 0; r < rounds; ++r) {
            zeb.push_back(zeb_run(app, path));
            zeb_tab.push_back(zeb_table(office, sheets));
            const auto c = client_runs(minimal + " " + office.pipe() + " '" + url + "' 1");
            const auto p = client_runs("/usr/bin/python3 " + bench_dir + "/python_client.py " + office.pipe() + " '" +
                                       url + "' 1");
            cpp.total.insert(cpp.total.end(), c.total.begin(), c.total.end());
            cpp.table.insert(cpp.table.end(), c.table.begin(), c.table.end());
            py.total.insert(py.total.end(), p.total.begin(), p.total.end());
            py.table.insert(py.table.end(), p.table.begin(), p.table.end());
        }
        const double z = median(zeb), c = median(cpp.total), p = median(py.total);
        const double zt = median(zeb_tab), ct = median(cpp.table), pt = median(py.table);
        std::printf("%7d | %8.4f %8.4f %8.4f %6.2fx %6.2fx | %8.4f %8.4f %8.4f %6.2fx\n", sheets, z, c, p, z / c, p / c,
                    zt, ct, pt, zt / ct);
    }
    std::printf("targets: ZEB within 1.1x of the C++ client; the table of 1000 sheets under 0.5 s\n");
    return 0;
}
