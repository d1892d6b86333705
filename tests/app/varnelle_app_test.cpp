#include "viewer/app/varnelle_app.h"

#include "platform/fake/fake_file_system.h"
#include "platform/fake/fixed_clock.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/comma_locale.h"
#include "tests/support/fake_printers.h"
#include "viewer/app/text_tools.h"
#include "viewer/frame/shell_commands.h"
#include "viewer/res/command_ids.h"

#include <gtest/gtest.h>

using platform::fake::FakeFileSystem;
using platform::fake::FixedClock;
using platform::fake::RecordingMessageSink;

namespace {

class RecordingHost final : public AppHost {
public:
    void LoadProfile(const std::string& key, int recent) override { calls.push_back("profile " + key + " " + std::to_string(recent)); }
    bool NewDocument(const std::string& startPath, const std::string& firstSlide) override {
        calls.push_back("new");
        paths.push_back(startPath);
        firstSlides.push_back(firstSlide);
        return newDocumentResult;
    }
    void ShowMainWindow() override { calls.push_back("show"); }
    bool ChooseFolder(const std::string& title, const std::string& initial, std::string& result) override {
        calls.push_back("choose " + title + " " + initial);
        result = chosen;
        return !chosen.empty();
    }
    void ShowPrintSetup() override { calls.push_back("print setup"); }

    std::vector<std::string> calls;
    std::vector<std::string> paths;  // the start path of each new document
    std::vector<std::string> firstSlides;
    bool newDocumentResult = true;
    std::string chosen;
};

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        fs.SetCurrentDirectory("/work");
        fs.AddFolder("/work");
        clock.now = {2026, 12, 7, 14, 18, 6, 45};
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> m;
        for (std::size_t i = 1; i < app.m_astrLogLines.size(); i += 2) m.push_back(app.m_astrLogLines[i]);
        return m;
    }

    FakeFileSystem fs;
    RecordingMessageSink messages;
    FixedClock clock;
    testsupport::FakePrinters printers;
    CVarnelleApp app{{fs, messages, clock, printers}};
    RecordingHost host;
};

TEST_F(AppTest, SplitTakesTwoTokensSeparatedBySpacesAndTabs) {
    const struct {
        const char* raw;
        const char* logSwitch;
        const char* path;
    } cases[] = {
        {"1 /a/b", "1", "/a/b"},
        {" \t 0\t\t/x  extra tokens", "0", "/x"},
        {"1", "1", ""},
        {"   ", "", ""},
        {"1 \"/quoted path\"", "1", "\"/quoted"},
        {"1\n/x", "1\n/x", ""},  // only space and tab separate
    };
    for (const auto& c : cases) {
        std::string sw = "?", path = "?";
        app.SplitCommandLine(c.raw, sw, path);
        EXPECT_EQ(sw, c.logSwitch) << c.raw;
        EXPECT_EQ(path, c.path) << c.raw;
    }
}

TEST_F(AppTest, LogPrefixUsesTwelveHourClockAndPlainMilliseconds) {
    app.AddLogLine("x\n");
    clock.now = {2009, 1, 2, 0, 5, 9, 7};
    app.AddLogLine("y\n");
    clock.now = {2010, 11, 30, 12, 0, 0, 999};
    app.AddLogLine("z\n");
    ASSERT_EQ(app.m_astrLogLines.size(), 6u);
    EXPECT_EQ(app.m_astrLogLines[0], "12/07/26, 02:18:06:45- ");
    EXPECT_EQ(app.m_astrLogLines[1], "x\n");
    EXPECT_EQ(app.m_astrLogLines[2], "01/02/09, 12:05:09:7- ");
    EXPECT_EQ(app.m_astrLogLines[4], "11/30/10, 12:00:00:999- ");
}

// The run log and the viewer's number texts read the same whatever the user's locale.
class AppInACommaLocale : public AppTest {
protected:
    void SetUp() override { VARNELLE_ENTER_COMMA_LOCALE(locale_); }
    testsupport::CommaLocale locale_;
};

TEST_F(AppInACommaLocale, LogAndNumberTextsKeepThePoint) {
    ASSERT_TRUE(app.InitInstance("1 /show", host));
    const std::string p = "12/07/26, 02:18:06:45- ";
    EXPECT_EQ(fs.Content("/work/Varnelle.log"), p + "Check command line...\n" + p + "Parse the command line...\n" + p +
                                                   "Command line: 1 /show\n" + p + "Log: 1\n" + p + "Path: /show\n\n");
    const CTextTools tools;
    EXPECT_EQ(tools.FloatToText(0.75f), "0.75");
    EXPECT_EQ(tools.TextToFloat("2.5"), 2.5f);
    EXPECT_EQ(tools.IntToText(1234567), "1234567");
    EXPECT_EQ(tools.TextToInt("1234567"), 1234567);
}

TEST_F(AppTest, StartUpWithSwitchOneWritesFiveEntriesAndAnEmptyLine) {
    ASSERT_TRUE(app.InitInstance("1 /My|Shows/a.lit", host));
    EXPECT_EQ(app.m_strLogSwitch, "1");
    EXPECT_EQ(host.paths, std::vector<std::string>{"/My Shows/a.lit"});
    const std::string p = "12/07/26, 02:18:06:45- ";
    EXPECT_EQ(fs.Content("/work/Varnelle.log"), p + "Check command line...\n" + p + "Parse the command line...\n" + p +
                                                   "Command line: 1 /My|Shows/a.lit\n" + p + "Log: 1\n" + p +
                                                   "Path: /My Shows/a.lit\n" + "\n");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"profile Local AppWizard-Generated Applications 4", "new", "show"}));
}

TEST_F(AppTest, LogIsWrittenOnlyForTheExactSwitchOne) {
    for (const char* raw : {"0 /x", "01 /x", "1| /x", " 2"}) {
        CVarnelleApp other{{fs, messages, clock, printers}};
        ASSERT_TRUE(other.InitInstance(raw, host));
        EXPECT_FALSE(fs.Exists("/work/Varnelle.log")) << raw;
    }
    CVarnelleApp bar{{fs, messages, clock, printers}};
    bar.InitInstance("1| /x", host);
    EXPECT_EQ(bar.m_strLogSwitch, "1 ");
}

TEST_F(AppTest, EmptyCommandLineKeepsTheLogInMemory) {
    app.m_strStartPath = "stale";
    ASSERT_TRUE(app.InitInstance("", host));
    EXPECT_EQ(app.m_strLogSwitch, "0");
    EXPECT_EQ(app.m_strStartPath, "");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Check command line...\n", "Empty command line!\n"}));
    EXPECT_FALSE(fs.Exists("/work/Varnelle.log"));
}

TEST_F(AppTest, SwitchAloneWritesTheLogWithAnEmptyPath) {
    ASSERT_TRUE(app.InitInstance("1", host));
    EXPECT_EQ(app.m_strStartPath, "");
    EXPECT_EQ(Messages().back(), "Path: \n");
    EXPECT_TRUE(fs.Exists("/work/Varnelle.log"));
}

TEST_F(AppTest, FailedNewDocumentEndsStartUp) {
    host.newDocumentResult = false;
    EXPECT_FALSE(app.InitInstance("0 /x", host));
    EXPECT_EQ(host.calls.back(), "new");
}

TEST_F(AppTest, OldLogIsKeptUpToTheLimitAndCutAtItsFirstZeroByte) {
    const auto run = [&](const std::string& old) {
        fs.AddFile("/work/Varnelle.log", old);
        CVarnelleApp a{{fs, messages, clock, printers}};
        a.m_strLogSwitch = "1";
        a.m_astrLogLines = {"P", "M"};
        a.WriteLogFile();
        return fs.Content("/work/Varnelle.log");
    };
    const std::string atLimit(CVarnelleApp::kMaxOldLogBytes, 'o');
    EXPECT_EQ(run(atLimit), atLimit + "PM\n");
    EXPECT_EQ(run(atLimit + "o"), "PM\n");
    EXPECT_EQ(run(std::string("ab\0cdefghij", 11)), "abPM\n");  // nothing of the old tail remains
    EXPECT_EQ(run(std::string("\0", 1) + std::string(200000, 'x')), "PM\n");
}

TEST_F(AppTest, LogThatCannotBeOpenedIsSilentlySkipped) {
    fs.AddFile("/work/Varnelle.log", "old");
    fs.Lock("/work/Varnelle.log");
    app.m_strLogSwitch = "1";
    app.WriteLogFile();
    EXPECT_EQ(fs.Content("/work/Varnelle.log"), "old");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppTest, UnreadableLogIsNotOverwritten) {
    fs.AddFile("/work/Varnelle.log", "precious");
    fs.FailReads("/work/Varnelle.log", platform::FileCause::HardIO);
    app.m_strLogSwitch = "1";
    app.WriteLogFile();
    EXPECT_EQ(fs.Content("/work/Varnelle.log"), "precious");
}

TEST_F(AppTest, PrinterSettingsNeedADefaultPrinter) {
    app.ApplyPrinterSettings({"drv", "Office", "lp0"}, {"Office", PrintOrientation::Landscape, {}});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "There is no default printer setup.");
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_FALSE(app.Printer());

    printers.printer = PrinterSettings{{"d", "Default", "o"}, {"Default", PrintOrientation::Portrait, {}}};
    app.ApplyPrinterSettings({"drv", "Office", "lp0"}, {"Office", PrintOrientation::Landscape, {"A5", 148, 210}});
    ASSERT_TRUE(app.Printer());
    EXPECT_EQ(app.Printer()->mode.orientation, PrintOrientation::Landscape);
    EXPECT_EQ(app.Printer()->mode.paper, (PaperSize{"A5", 148, 210}));
    EXPECT_EQ(app.Printer()->names.device, "Office");
}

TEST_F(AppTest, APrinterPickedInPrintSetupCountsWithoutASystemDefault) {
    EXPECT_FALSE(app.GetPrinterDeviceDefaults());
    app.SelectPrinter({{"", "Picked", ""}, {"Picked", PrintOrientation::Portrait, {}}});
    ASSERT_TRUE(app.GetPrinterDeviceDefaults());
    EXPECT_EQ(app.GetPrinterDeviceDefaults()->names.device, "Picked");
    app.ApplyPrinterSettings({"", "Picked", ""}, {"Picked", PrintOrientation::Landscape, {}});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(app.Printer()->mode.orientation, PrintOrientation::Landscape);

    // The chosen printer goes before the system's default.
    printers.printer = PrinterSettings{{"d", "Default", "o"}, {"Default", PrintOrientation::Portrait, {}}};
    EXPECT_EQ(app.GetPrinterDeviceDefaults()->names.device, "Picked");
}

TEST_F(AppTest, OpenCommandLoadsTheChosenFolderAndCancelDoesNothing) {
    ApplicationCommands commands(app, host, [] {}, [] {});
    app.m_strStartPath = "/old";
    EXPECT_TRUE(commands.OnCommand(cmd::ID_FILE_OPEN));
    EXPECT_EQ(app.m_strStartPath, "");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"choose Folder Select /"}));

    host.calls.clear();
    host.chosen = "/pictures";
    commands.OnCommand(cmd::ID_FILE_OPEN);
    EXPECT_EQ(host.paths, (std::vector<std::string>{"/pictures"}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"choose Folder Select /", "new"}));
    EXPECT_FALSE(commands.OnCommand(12345));
}

// The start path is used once, loaded or not: Close afterwards is an empty show rather than
// another try at the same path.
TEST_F(AppTest, CloseAfterAShowIsAnEmptyShow) {
    ApplicationCommands commands(app, host, [] {}, [] {});
    for (bool loads : {true, false}) {
        host.paths.clear();
        host.newDocumentResult = loads;
        app.m_strStartPath = "/broken.lit";
        EXPECT_EQ(app.NewDocument(host), loads);
        EXPECT_EQ(app.m_strStartPath, "");
        commands.OnCommand(cmd::ID_FILE_NEW);
        EXPECT_EQ(host.paths, (std::vector<std::string>{"/broken.lit", ""}));
    }
}

}  // namespace
