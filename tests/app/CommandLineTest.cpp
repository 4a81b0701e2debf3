// The desktop program's own arguments: the help lists every entry of the
// option table, and the parser answers every name the table gives.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLineLogic.h"

namespace kalviro {
namespace {

using Args = std::vector<std::string>;
using A = CommandLineAction;

TEST(CommandLineTest, HelpListsEveryOptionTheParserAccepts) {
    const std::string help = programHelpText();
    EXPECT_NE(help.find("FILE"), std::string::npos);
    for (const ProgramOption& o : kProgramOptions) {
        SCOPED_TRACE(o.name);
        ASSERT_NE(*o.description, '\0');
        EXPECT_NE(help.find(std::string(o.name) + "  "), std::string::npos) << help;
        EXPECT_NE(help.find(o.description), std::string::npos) << help;
        // The parser knows the name the help shows.
        const A expected = o.action == A::EndOfOptions ? A::Run : o.action;
        EXPECT_EQ(parseCommandLine({o.name}).action, expected);
        if (*o.shortName) {
            EXPECT_NE(help.find(std::string(o.shortName) + ", "), std::string::npos) << help;
            EXPECT_EQ(parseCommandLine({o.shortName}).action, expected);
        }
    }
}

TEST(CommandLineTest, ParsesFilesOptionsAndMistakes) {
    struct Case {
        Args args;
        A action;
        std::string file;
    };
    const Case cases[] = {
        {{}, A::Run, ""}, {{"/data/job.log"}, A::Run, "/data/job.log"}, {{"-"}, A::Run, "-"},
        {{"--", "-odd.log"}, A::Run, "-odd.log"}, {{"--", "--help"}, A::Run, "--help"},
        {{"--"}, A::Run, ""}, {{"job.log", "--version"}, A::Version, ""},
        {{"--version", "--help"}, A::Help, ""}, {{"--bogus", "--help"}, A::Help, ""},
        {{"--bogus", "--version"}, A::Version, ""}, {{"--version", "--bogus"}, A::Version, ""},
        {{"--bogus"}, A::Error, ""}, {{"-x", "job.log"}, A::Error, ""},
        {{"a.log", "b.log"}, A::Error, ""}, {{"--", "a.log", "--", "b.log"}, A::Error, ""},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.error.empty(), c.action != A::Error);
    }
}

TEST(CommandLineTest, ErrorNamesTheFirstMistake) {
    EXPECT_EQ(parseCommandLine({"--colour", "-q"}).error, "unknown option '--colour'");
    EXPECT_EQ(parseCommandLine({"a.log", "b.log", "c.log"}).error,
              "only one FILE can be opened at start ('b.log')");
}

} // namespace
} // namespace kalviro
