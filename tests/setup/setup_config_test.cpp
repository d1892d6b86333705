#include "setup/setup_config.h"

#include "setup_test_env.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

using Tokens = std::vector<std::string>;

TEST(TokenizeConfig, SplitsAtSemicolonsAndAfterBrackets) {
    struct Case {
        const char* text;
        Tokens tokens;
    };
    const Case cases[] = {
        {"[APPNAME]Viewer;", {"[APPNAME]", "Viewer"}},
        {"[APPNAME]\r\nViewer;\r\n", {"[APPNAME]", "Viewer"}},
        // Runs of ';' and line breaks make no empty tokens.
        {"[DIRDEST]\r\n;\r\n;\r\n[FILEDEST]", {"[DIRDEST]", "[FILEDEST]"}},
        // Blanks stay, so a header after a blank is no header.
        {" [APPNAME]  a b ;", {" [APPNAME]", "  a b "}},
        // A value without ';' swallows the next header up to its ']'.
        {"[APPNAME]\r\nViewer\r\n[DELREGKEY]", {"[APPNAME]", "Viewer\r\n[DELREGKEY]"}},
        // A ']' inside a value ends the token there.
        {"[X]a]b;", {"[X]", "a]", "b"}},
        // Text after the last ';' or ']' forms no token.
        {"[A]tail", {"[A]"}},
        {";x;", {"", "x"}},
        {"", {}},
        {"\r\n[A]", {"\r\n[A]"}},
    };
    for (const auto& c : cases) EXPECT_EQ(TokenizeConfig(c.text), c.tokens) << c.text;
}

TEST(ParseSizeKB, DigitsByPlaceValue) {
    EXPECT_EQ(ParseSizeKB("2048"), 2048);
    EXPECT_EQ(ParseSizeKB(""), 0);
    EXPECT_EQ(ParseSizeKB("0007"), 7);
    EXPECT_EQ(ParseSizeKB("2048 "), 20479);  // a non-digit counts as -1 at its place
    EXPECT_EQ(ParseSizeKB("2147483647"), 2147483647);
    EXPECT_EQ(ParseSizeKB("4294967297"), 1);  // wraps, never traps
    (void)ParseSizeKB(std::string(300, '9'));
}

// A complete, valid file in the usual order; tests replace parts of it.
std::string ValidConfig(const std::string& dirdest = "bin;\r\n", const std::string& linkdir = "Viewer;\r\n",
                        const std::string& sources = "a.exe;\r\nb.txt;\r\n",
                        const std::string& dests = "bin/a.exe;\r\nb.txt;\r\n",
                        const std::string& links = "Viewer;\r\n*;\r\n",
                        const std::string& licence = "Be nice; [x]\r\n") {
    return "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\nHKEY_CLASSES_ROOT\\.vwr;\r\n[INSTSIZE]\r\n2048;\r\n"
           "[LINKDIR]\r\n" + linkdir + "[DIRDEST]\r\n" + dirdest + "[FILESOURCE]\r\n" + sources +
           "[FILEDEST]\r\n" + dests + "[LINKDEST]\r\n" + links + "[LICAGREE]\r\n" + licence;
}

TEST(ReadInstallConfig, FillsEveryList) {
    SetupConfig c;
    ASSERT_TRUE(ParseInstallConfig(ValidConfig(), &c));
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.appName, "Viewer");
    EXPECT_EQ(c.registryKeys, Tokens{"HKEY_CLASSES_ROOT\\.vwr"});
    EXPECT_EQ(c.sizeText, "2048");
    EXPECT_EQ(c.linkDir, "Viewer");
    EXPECT_EQ(c.directories, Tokens{"bin"});
    EXPECT_EQ(c.sources, (Tokens{"a.exe", "b.txt"}));
    EXPECT_EQ(c.destinations, (Tokens{"bin/a.exe", "b.txt"}));
    EXPECT_EQ(c.links, (Tokens{"Viewer", ""}));
    EXPECT_EQ(c.licenceText, "");  // only the summary reads the licence
}

TEST(ReadInstallConfig, SecondReadStartsFromNothing) {
    SetupConfig c;
    ASSERT_TRUE(ParseInstallConfig(ValidConfig(), &c));
    ASSERT_TRUE(ParseInstallConfig(ValidConfig("", "", "a;b;", "a;b;", "*;*;"), &c));
    EXPECT_TRUE(c.directories.empty());
    EXPECT_EQ(c.sources.size(), 2u);
    EXPECT_EQ(c.linkDir, "");
}

TEST(ReadInstallConfig, LaterSingleValueReplacesEarlier) {
    SetupConfig c;
    std::string text = ValidConfig();
    text.replace(text.find("Viewer;"), 7, "First;Second;");
    ASSERT_TRUE(ParseInstallConfig(text, &c));
    EXPECT_EQ(c.appName, "Second");
}

struct ReadCase {
    const char* name;
    std::string text;
    bool install;
    bool uninstall;
    bool summary;
};

std::vector<ReadCase> ReadCases() {
    const std::string valid = ValidConfig();
    std::vector<ReadCase> cases = {
        {"valid", valid, true, true, true},
        {"byte-order mark", "\xEF\xBB\xBF" + valid, false, false, false},
        {"leading empty line", "\r\n" + valid, false, false, false},
        {"leading blank", " " + valid, false, false, false},
        {"value without ';' swallows a header",
         ValidConfig("bin\r\n"), false, false, false},
        {"lone ';' lines make an empty DIRDEST", ValidConfig(";\r\n;\r\n"), true, true, true},
        {"empty link dir with a named link", ValidConfig("bin;", ""), false, false, true},
        {"empty link dir, every link '*'", ValidConfig("bin;", "", "a;b;", "a;b;", "*;*;"), true, true,
         true},
        {"3 sources, 3 files, 2 links", ValidConfig("", "L;", "a;b;c;", "a;b;c;", "*;*;"), false,
         false, true},
        {"2 sources, 3 files, 3 links", ValidConfig("", "L;", "a;b;", "a;b;c;", "*;*;*;"), false,
         true, true},
        {"no file entries", ValidConfig("", "L;", "", "", ""), false, false, true},
        {"licence holding a header", ValidConfig("bin;", "V;", "a.exe;b.txt;", "bin/a.exe;b.txt;",
                                                  "V;*;", "Terms;\r\n[APPNAME]\r\nmore"),
         false, false, false},
        {"no licence header", valid.substr(0, valid.find("[LICAGREE]")), false, false, true},
        {"header twice", valid + "[DIRDEST]", false, false, false},
        {"template", "[APPNAME]\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n[LINKDIR]\r\n[DIRDEST]\r\n"
                     "[FILESOURCE]\r\n[FILEDEST]\r\n[LINKDEST]\r\n",
         false, false, true},
        {"empty APPNAME section", "[APPNAME]\r\n" + valid.substr(valid.find("[DELREGKEY]")), true, true,
         true},
        // Entries joined to the installation or shortcut folder must stay inside it.
        {"absolute FILEDEST", ValidConfig("bin;", "V;", "a;b;", "/etc/passwd;b;"), false, false, true},
        {"FILEDEST climbing out", ValidConfig("bin;", "V;", "a;b;", "bin/../../x;b;"), false, false,
         true},
        {"FILEDEST '..' with backslashes", ValidConfig("bin;", "V;", "a;b;", "..\\x;b;"), false, false,
         true},
        {"drive-qualified FILEDEST", ValidConfig("bin;", "V;", "a;b;", "C:x;b;"), false, false, true},
        {"DIRDEST '..'", ValidConfig("..;"), false, false, true},
        {"absolute DIRDEST", ValidConfig("/tmp/x;"), false, false, true},
        {"LINKDIR climbing out", ValidConfig("bin;", "../../x;"), false, false, true},
        {"absolute LINKDIR", ValidConfig("bin;", "/x;"), false, false, true},
        {"LINKDEST with a separator", ValidConfig("bin;", "V;", "a;b;", "a;b;", "../x;*;"), false,
         false, true},
        {"FILESOURCE may climb out", ValidConfig("bin;", "V;", "../payload/a;/abs/b;", "a;b;"), true,
         true, true},
        {"names with dots inside stay", ValidConfig("bin..x;", "V.1;", "a;b;", "..a;b..;"), true, true,
         true},
    };
    return cases;
}

TEST(ConfigReaders, AcceptOrRefuseEachFile) {
    for (const auto& c : ReadCases()) {
        SetupConfig install, uninstall, summary;
        EXPECT_EQ(ParseInstallConfig(c.text, &install), c.install) << c.name;
        EXPECT_EQ(install.valid, c.install) << c.name;
        EXPECT_EQ(ParseUninstallConfig(c.text, &uninstall), c.uninstall) << c.name;
        EXPECT_EQ(ParseConfigSummary(c.text, &summary), c.summary) << c.name;
    }
}

TEST(ReadUninstallConfig, KeepsNeitherSourcesNorSize) {
    SetupConfig c;
    ASSERT_TRUE(ParseUninstallConfig(ValidConfig(), &c));
    EXPECT_TRUE(c.sources.empty());
    EXPECT_EQ(c.sizeText, "");
    EXPECT_EQ(c.destinations.size(), 2u);
    EXPECT_EQ(c.directories, Tokens{"bin"});
}

TEST(ReadInstallConfig, LicenceLinesAreNeverEntries) {
    SetupConfig c;
    ASSERT_TRUE(ParseInstallConfig(ValidConfig("bin;", "V;", "a.exe;b.txt;", "bin/a.exe;b.txt;",
                                               "V;*;", "x;\r\ny;\r\n"),
                                   &c));
    EXPECT_EQ(c.links, (Tokens{"V", ""}));
}

TEST(ReadConfigSummary, LicenceIsVerbatimAfterLeadingBreaks) {
    SetupConfig c;
    ASSERT_TRUE(ParseConfigSummary(ValidConfig("bin;", "V;", "a;b;", "a;b;", "V;*;",
                                               "\r\n\r\nTerms; more [x]\r\n\r\n"),
                                   &c));
    EXPECT_EQ(c.appName, "Viewer");
    EXPECT_EQ(c.licenceText, "Terms; more [x]\r\n\r\n");
}

TEST(ReadConfigSummary, FailedCountLeavesNameEmpty) {
    SetupConfig c;
    c.appName = "old";
    EXPECT_FALSE(ParseConfigSummary("[APPNAME]Viewer;[LICAGREE]text", &c));
    EXPECT_EQ(c.appName, "");
    EXPECT_EQ(c.licenceText, "text");
}

TEST(ReadConfigSummary, NoAppNameHeaderAmongEight) {
    SetupConfig c;
    // Eight counted headers without APPNAME: the name stays empty, nothing breaks.
    EXPECT_TRUE(ParseConfigSummary("[DELREGKEY][DELREGKEY][INSTSIZE][LINKDIR][DIRDEST][FILESOURCE]"
                                   "[FILEDEST][LINKDEST]",
                                   &c));
    EXPECT_EQ(c.appName, "");
}

// The readers on real files.
class ConfigFile : public ::testing::Test {
protected:
    test::SetupWorld world;
    SetupConfig config;
};

TEST_F(ConfigFile, MissingFileKeepsTheRecord) {
    config.appName = "kept";
    EXPECT_FALSE(ReadInstallConfig(world.files, world.SetupDir(), &config));
    EXPECT_FALSE(ReadUninstallConfig(world.files, world.SetupDir(), &config));
    EXPECT_FALSE(ReadConfigSummary(world.files, world.SetupDir(), &config));
    EXPECT_EQ(config.appName, "kept");
}

TEST_F(ConfigFile, ReadsUpToTheFirstNul) {
    world.WriteConfig(ValidConfig() + std::string(1, '\0') + "[APPNAME]more;");
    EXPECT_TRUE(ReadInstallConfig(world.files, world.SetupDir(), &config));
    // Cut before the licence header, the file lacks it.
    std::string cut = ValidConfig();
    cut.insert(cut.find("[LICAGREE]"), 1, '\0');
    world.WriteConfig(cut);
    EXPECT_FALSE(ReadInstallConfig(world.files, world.SetupDir(), &config));
}

TEST_F(ConfigFile, ByteOrderMarkFailsEveryReader) {
    world.WriteConfig("\xEF\xBB\xBF" + ValidConfig());
    EXPECT_FALSE(ReadInstallConfig(world.files, world.SetupDir(), &config));
    EXPECT_FALSE(ReadUninstallConfig(world.files, world.SetupDir(), &config));
    EXPECT_FALSE(ReadConfigSummary(world.files, world.SetupDir(), &config));
}

TEST_F(ConfigFile, FolderNamedConfigCannotBeRead) {
    test::MakeDirectories(world.SetupDir() + "config.cfg");
    EXPECT_FALSE(ReadInstallConfig(world.files, world.SetupDir(), &config));
}

}  // namespace
}  // namespace setup
