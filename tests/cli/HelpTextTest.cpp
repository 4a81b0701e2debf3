// The help of kalviro-cli against its parser: every command, option and
// positional the parser accepts is described in the help the program prints.

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <string>

#include "cli/CliCommands.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::runCli;

TEST(HelpTextTest, EveryCommandDescribesEveryOption) {
    CLI::App app;
    setUpCliApp(app);
    const auto commands = app.get_subcommands([](CLI::App*) { return true; });
    ASSERT_GE(commands.size(), 8u); // dump ir coords spectrum projection plot orbital render

    const auto top = runCli({"--help"});
    ASSERT_EQ(top.status, 0) << top.err;
    EXPECT_NE(top.out.find("--version"), std::string::npos);

    for (CLI::App* cmd : commands) {
        const std::string name = cmd->get_name();
        SCOPED_TRACE(name);
        EXPECT_FALSE(cmd->get_description().empty());
        EXPECT_NE(top.out.find("  " + name), std::string::npos) << top.out;

        const auto help = runCli({name, "--help"});
        ASSERT_EQ(help.status, 0) << help.err;
        const auto options = cmd->get_options();
        ASSERT_GT(options.size(), 1u); // more than --help
        for (const CLI::Option* o : options) {
            SCOPED_TRACE(o->get_name());
            EXPECT_FALSE(o->get_description().empty());
            EXPECT_NE(help.out.find(o->get_description()), std::string::npos) << help.out;
            if (o->get_positional()) {
                EXPECT_NE(help.out.find(o->get_name()), std::string::npos) << help.out;
            }
            for (const std::string& l : o->get_lnames())
                EXPECT_NE(help.out.find("--" + l), std::string::npos) << help.out;
            for (const std::string& s : o->get_snames())
                EXPECT_NE(help.out.find("-" + s + ","), std::string::npos) << help.out;
        }
    }
}

TEST(HelpTextTest, MistakesExitNonZeroAndPointToHelp) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"nosuchcommand"}, {"ir", "--no-such-option", "x.log"}}) {
        const auto r = runCli(args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace kalviro
