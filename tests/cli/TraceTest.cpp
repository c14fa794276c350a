// Frame traces of the tool's runs: RADLINK_TRACE or --trace, and tshark decoding a pcapng trace with the
// shipped dissector.
#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "SimModule.h"

namespace clitest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using TraceTest = CliTest;

std::vector<std::string> Tshark(const std::string& trace, const std::string& fields) {
    const std::string command = std::string(TSHARK) + " -X lua_script:" + RADLINK_DISSECTOR + " -r " + trace +
                                " -T fields " + fields + " 2>/dev/null";
    std::vector<std::string> lines;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p)) {
            std::string line(buffer);
            if (!line.empty() && line.back() == '\n') line.pop_back();
            lines.push_back(line);
        }
        ::pclose(p);
    }
    return lines;
}

TEST_F(TraceTest, TsharkDecodesAWriteWithTheShippedDissector) {
    auto server = ServeCel();
    const std::string trace = files_.file("write.pcapng");
    const auto r = run({"--trace", trace, "write", server->devicePath(), "channel=20", "--password", "123456"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(Tshark(trace, "-e radlink.direction -e radlink.command -e radlink.address"),
                ElementsAre("0\tCEL/ORLNET READ_LOCAL\t", "1\tCEL/ORLNET READ_LOCAL\t",
                            "0\tCEL/ORLNET WRITE_CONFIG\t0x0010", "1\tCEL/ORLNET WRITE_CONFIG\t",
                            "0\tCEL/ORLNET RESTART\t0x0010",  // a restart is not answered
                            "0\tCEL/ORLNET READ_LOCAL\t", "1\tCEL/ORLNET READ_LOCAL\t"));
}

TEST_F(TraceTest, TsharkNamesSnapRegisters) {
    sim::ScenarioOptions o;
    o.family = "snap";
    auto server = ServeModule(o);
    const std::string trace = files_.file("snap.pcapng");
    ASSERT_EQ(run({"read", server->devicePath(), "--family", "snap"}, {"RADLINK_TRACE=" + trace}).exitCode, 0);
    const auto lines = Tshark(trace, "-e radlink.direction -e radlink.family -e radlink.snap.operation");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "0\tSNAP\t0x55");
}

TEST_F(TraceTest, EnvironmentVariableWritesReadableText) {
    auto server = ServeCel();
    const std::string trace = files_.file("read.txt");
    ASSERT_EQ(run({"read", server->devicePath()}, {"RADLINK_TRACE=" + trace}).exitCode, 0);
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_THAT(text.str(), HasSubstr("->   5  AB BC CD D1 05  CEL/ORLNET READ_LOCAL"));
    EXPECT_THAT(text.str(), HasSubstr("<-  85  AB BC CD D1"));
}

}  // namespace
}  // namespace clitest
