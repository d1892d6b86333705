#include "viewer/app/opened_path.h"
#include "viewer/app/varnelle_app.h"

#include "platform/fake/fake_file_system.h"
#include "platform/fake/fixed_clock.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/fake_printers.h"

#include <gtest/gtest.h>

using platform::fake::FakeFileSystem;

namespace {

class StartHost final : public AppHost {
public:
    void LoadProfile(const std::string&, int) override {}
    bool NewDocument(const std::string& startPath, const std::string& firstSlide) override {
        starts.push_back({startPath, firstSlide});
        return true;
    }
    void ShowMainWindow() override {}
    bool ChooseFolder(const std::string&, const std::string&, std::string& result) override {
        result = "/chosen";
        return true;
    }
    void ShowPrintSetup() override {}

    std::vector<std::pair<std::string, std::string>> starts;  // start path, first slide
};

class OpenedPathTest : public ::testing::Test {
protected:
    OpenedPathTest() {
        fs.SetCurrentDirectory("/work");
        fs.AddFolder("/work");
        fs.AddFile("/home/u/My Pictures/b c.JPG");
        fs.AddFile("/home/u/My Pictures/notes.txt");
        fs.AddFile("/home/u/show.LIT");
        fs.AddFile("/top.png");
        fs.AddFile("/home/u/Phone/IMG_0001.HEIC");
    }
    std::vector<std::string> LogMessages() const {
        std::vector<std::string> m;
        for (std::size_t i = 1; i < app.m_astrLogLines.size(); i += 2) m.push_back(app.m_astrLogLines[i]);
        return m;
    }

    FakeFileSystem fs;
    platform::fake::RecordingMessageSink messages;
    platform::fake::FixedClock clock;
    testsupport::FakePrinters printers;
    CVarnelleApp app{{fs, messages, clock, printers}};
    StartHost host;
};

TEST_F(OpenedPathTest, APictureOpensItsFolderAtThatPicture) {
    const auto opened = ReadOpenedPath({"/home/u/My Pictures/b c.JPG"}, fs);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->startPath, "/home/u/My Pictures");
    EXPECT_EQ(opened->firstSlide, "b c.JPG");

    const auto top = ReadOpenedPath({"/top.png"}, fs);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->startPath, "/");
    EXPECT_EQ(top->firstSlide, "top.png");
}

TEST_F(OpenedPathTest, APhonePictureOfTheNewFormatsOpensItsFolderToo) {
    const auto opened = ReadOpenedPath({"/home/u/Phone/IMG_0001.HEIC"}, fs);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->startPath, "/home/u/Phone");
    EXPECT_EQ(opened->firstSlide, "IMG_0001.HEIC");
}

TEST_F(OpenedPathTest, ACollageFileOrFolderIsTheStartPathItself) {
    for (const char* path : {"/home/u/show.LIT", "/home/u/My Pictures", "/"}) {
        const auto opened = ReadOpenedPath({path}, fs);
        ASSERT_TRUE(opened) << path;
        EXPECT_EQ(opened->startPath, path);
        EXPECT_EQ(opened->firstSlide, "");
    }
}

TEST_F(OpenedPathTest, EveryOtherCommandLineIsNoOpenedPath) {
    const std::vector<std::vector<std::string>> others = {
        {},
        {"1"},
        {"0", "/home/u/show.LIT"},
        {"/home/u/show.LIT", "extra"},
        {"home/u/show.LIT"},             // relative
        {"/home/u/missing.jpg"},         // not there
        {"/home/u/My Pictures/notes.txt"},  // neither picture nor collage file
        {""},
    };
    for (const auto& arguments : others) EXPECT_FALSE(ReadOpenedPath(arguments, fs)) << JoinArguments(arguments);
}

TEST_F(OpenedPathTest, OpenedPictureStartsWithoutWritingTheLog) {
    ASSERT_TRUE(app.InitInstance(std::vector<std::string>{"/home/u/My Pictures/b c.JPG"}, host));
    EXPECT_EQ(host.starts, (std::vector<std::pair<std::string, std::string>>{{"/home/u/My Pictures", "b c.JPG"}}));
    EXPECT_EQ(app.m_strLogSwitch, "0");
    EXPECT_FALSE(fs.Exists("/work/Varnelle.log"));
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{"Check command line...\n", "Parse the command line...\n",
                                                       "Command line: /home/u/My Pictures/b c.JPG\n", "Log: 0\n",
                                                       "Path: /home/u/My Pictures/b c.JPG\n"}));
    // Both are used up: Close gives an empty show, Open a folder from its first slide.
    app.NewDocument(host);
    app.OnFileOpen(host);
    EXPECT_EQ(host.starts[1], (std::pair<std::string, std::string>{"", ""}));
    EXPECT_EQ(host.starts[2], (std::pair<std::string, std::string>{"/chosen", ""}));
}

TEST_F(OpenedPathTest, OtherArgumentsAreJoinedIntoTheTwoTokenCommandLine) {
    const struct {
        std::vector<std::string> arguments;
        const char* logSwitch;
        const char* startPath;
    } cases[] = {
        {{"0", "/home/u/My|Pictures"}, "0", "/home/u/My Pictures"},
        {{"/home/u/missing file.jpg"}, "/home/u/missing", "file.jpg"},  // split at its space as before
        {{"1"}, "1", ""},
        {{}, "0", ""},
    };
    for (const auto& c : cases) {
        CVarnelleApp other{{fs, messages, clock, printers}};
        StartHost otherHost;
        ASSERT_TRUE(other.InitInstance(c.arguments, otherHost));
        EXPECT_EQ(other.m_strLogSwitch, c.logSwitch);
        ASSERT_EQ(otherHost.starts.size(), 1u);
        EXPECT_EQ(otherHost.starts[0].first, c.startPath);
        EXPECT_EQ(otherHost.starts[0].second, "");
    }
    // The lone switch 1 still writes the log, with the joined text.
    EXPECT_NE(fs.Content("/work/Varnelle.log").find("Command line: 1\n"), std::string::npos);
}

}  // namespace
