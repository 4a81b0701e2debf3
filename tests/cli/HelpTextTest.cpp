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

// Every option of cmd, with a description, in the help text.
void expectOptionsDescribed(const CLI::App& cmd, const std::string& help) {
    for (const CLI::Option* o : cmd.get_options()) {
        SCOPED_TRACE(o->get_name());
        EXPECT_FALSE(o->get_description().empty());
        EXPECT_NE(help.find(o->get_description()), std::string::npos) << help;
        if (o->get_positional()) {
            EXPECT_NE(help.find(o->get_name()), std::string::npos) << help;
        }
        for (const std::string& l : o->get_lnames())
            EXPECT_NE(help.find("--" + l), std::string::npos) << help;
        for (const std::string& s : o->get_snames())
            EXPECT_NE(help.find("-" + s + ","), std::string::npos) << help;
    }
}

TEST(HelpTextTest, EveryCommandDescribesEveryOption) {
    CLI::App app;
    int status = 0;
    setUpCliApp(app, status);
    const auto commands = app.get_subcommands([](CLI::App*) { return true; });
    ASSERT_GE(commands.size(), 8u); // dump ir coords spectrum projection plot orbital render

    const auto top = runCli({"--help"});
    ASSERT_EQ(top.status, 0) << top.err;
    EXPECT_EQ(app.get_options().size(), 2u); // --help, --version
    expectOptionsDescribed(app, top.out);

    for (CLI::App* cmd : commands) {
        const std::string name = cmd->get_name();
        SCOPED_TRACE(name);
        EXPECT_FALSE(cmd->get_description().empty());
        EXPECT_NE(top.out.find("  " + name + " "), std::string::npos) << top.out;

        const auto help = runCli({name, "--help"});
        ASSERT_EQ(help.status, 0) << help.err;
        EXPECT_GT(cmd->get_options().size(), 1u); // more than --help
        expectOptionsDescribed(*cmd, help.out);
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
