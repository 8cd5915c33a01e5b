// The dump tool's command line: options, exit status, output on stdout.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "load_helper.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
};

// Runs the tool with `args` (shell syntax) in `folder` (the current one when empty).
ToolRun runDump(const std::string& args, const std::string& folder = {}) {
    std::string cmd = std::string(QM_TOOLS_DIR) + "/quindlemini-dump " + args + " 2>/dev/null";
    if (!folder.empty()) cmd = "cd '" + folder + "' && " + cmd;
    ToolRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

} // namespace

TEST(DumpTool, ExitStatusAndOutput) {
    std::string plot = testhelp::writeTemp("SP1;PD10,10;PG;PD20,20;");
    ToolRun ok = runDump(plot);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out.substr(0, 8), "pages 1\n");

    ToolRun multi = runDump("--multipage " + plot);
    EXPECT_EQ(multi.status, 0);
    EXPECT_EQ(multi.out.substr(0, 8), "pages 2\n");

    EXPECT_EQ(runDump(testhelp::tempPath("absent")).status, 1);
    EXPECT_EQ(runDump("").status, 2);
    EXPECT_EQ(runDump("--bogus " + plot).status, 2);
    EXPECT_EQ(runDump(plot + " " + plot).status, 2);
}

TEST(DumpTool, PenToPenTableRenumbersPens) {
    std::string table;
    for (int i = 0; i < 256; ++i)
        table += std::to_string(i == 3 ? 300 : i) + "\r\n";
    table += "Swap\r\n";
    std::string tablePath = testhelp::writeTemp(table);
    std::string plot = testhelp::writeTemp("SP3;PD5,5;");
    ToolRun r = runDump("--penpen " + tablePath + " " + plot);
    EXPECT_EQ(r.status, 0);
    // 300 keeps its low eight bits: pen 44.
    EXPECT_NE(r.out.find("\n1 44\n"), std::string::npos) << r.out;
}

TEST(DumpTool, OutputFailureAndNamesStartingWithADash) {
    std::string plot = testhelp::writeTemp("SP1;PD10,10;");
    // A full device is a failure, not a success with a lost dump.
    EXPECT_EQ(runDump(plot + " >/dev/full").status, 1);

    // "--" ends the options, so a file may be called "-x.plt".
    const std::string folder = std::filesystem::path(plot).parent_path().string();
    const std::string dashed = folder + "/-x.plt";
    std::filesystem::copy_file(plot, dashed, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(runDump("-- -x.plt", folder).status, 0);
    ToolRun r = runDump("--multipage -- -x.plt", folder);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 8), "pages 1\n");
    EXPECT_EQ(runDump("-x.plt", folder).status, 2);
    std::filesystem::remove(dashed);
}
