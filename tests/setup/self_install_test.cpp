// The product installing itself: Setup, run through its dialogs from the laid-out setup
// folder as an ordinary user with a scratch home, puts Varnelle into the application
// menu; Setup run from the installation folder takes it out again.

#include "dialog_driver.h"
#include "platform/fake/fake_display.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_operations.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell_links.h"
#include "platform/posix/posix_system_info.h"
#include "setup/qt/setup_dlg.h"
#include "setup/setup_config.h"
#include "setup_test_env.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace setup {
namespace {

namespace fs = std::filesystem;
using test::Press;

constexpr uid_t kNobody = 65534;

class SelfInstall : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(temp.path().c_str(), 0755);
        fs::copy(SETUP_FOLDER_DIR, Folder(), fs::copy_options::recursive);
        test::MakeDirectories(Home());
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(Home().c_str(), kNobody, kNobody), 0);
        }
    }
    std::string Folder() const { return temp.path() + "/setup-folder"; }
    std::string Home() const { return temp.path() + "/home"; }
    std::string Installed() const { return Home() + "/Varnelle/"; }
    std::string Menu() const { return Home() + "/.local/share/applications/Varnelle"; }

    // Runs Setup in `directory` in a child process (as nobody when the test runs as
    // root), pressing through `steps`; gives the boxes it showed, one "caption|text" a line.
    std::string RunSetup(const std::string& directory, std::deque<test::ScriptedRunner::Step> steps) {
        const std::string shown = Home() + "/messages.txt";
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(SetupChild(directory, std::move(steps), shown));
        int status = 0;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the Setup run failed: " << status;
        const std::string text = test::ReadFile(shown);
        std::remove(shown.c_str());
        return text;
    }

    int SetupChild(const std::string& directory, std::deque<test::ScriptedRunner::Step> steps,
                   const std::string& shown) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) return 2;
        ::setenv("HOME", Home().c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        if (::chdir(directory.c_str()) != 0) return 3;
        int argc = 1;
        char name[] = "Setup";
        char* argv[] = {name, nullptr};
        QApplication app(argc, argv);

        platform::posix::PosixFileSystem files;
        platform::posix::PosixFileOperations operations;
        // The scratch folder may sit on a RAM disk, where nothing may be installed.
        platform::fake::FakeDrives drives;
        drives.mounts = {{"/", platform::DriveType::Fixed}};
        platform::posix::PosixSystemInfo system;
        platform::posix::PosixRegistry registry(Home() + "/registry");
        platform::posix::PosixShellLinks links;
        platform::fake::RecordingMessageSink messages;
        platform::fake::FakeDisplay display(24);
        SetupServices core{files, operations, drives, system, registry, links, messages, display};
        platform::fake::RecordingProcessReplacer process;
        test::ScriptedRunner runner;
        runner.steps = std::move(steps);
        gui::SetupGuiServices services{core, process, runner};
        gui::CSetupApp(services).Run();

        std::ofstream out(shown, std::ios::trunc);
        for (const auto& m : messages.shown) out << m.caption << "|" << m.text << "\n";
        return ::testing::Test::HasFailure() || !runner.steps.empty() ? 1 : 0;
    }

    test::TempDir temp;
};

TEST_F(SelfInstall, InstallPutsVarnelleInTheMenuAndUninstallTakesItOut) {
    SetupConfig config;
    ASSERT_TRUE(ParseInstallConfig(test::ReadFile(Folder() + "/config.cfg"), &config));
    ASSERT_EQ(config.appName, "Varnelle");

    EXPECT_EQ(RunSetup(Folder(), {Press("Install..."), Press("Agree"), Press("Install")}),
              "Finished|Setup has finished installing Varnelle\n");
    const std::string i = Installed(), s = Folder() + "/", m = Menu();
    std::string log = "Creating the \"" + i + "\" directory...Success.\r\n"
                      "Creating the \"" + i + "samples\" directory...Success.\r\n";
    for (std::size_t n = 0; n < config.sources.size(); ++n)
        log += "Copying \"" + s + config.sources[n] + "\" to \"" + i + config.destinations[n] + "\"...Success.\r\n";
    log += "Deleting the \"" + m + "/Varnelle\" shortcut...Failed.\r\n"
           "Deleting the \"" + m + "/Varnelle Setup\" shortcut...Failed.\r\n"
           "Deleting the \"" + m + "\" shortcut directory...Failed.\r\n"
           "Creating the \"" + m + "\" shortcut directory...Success.\r\n"
           "Creating the \"Varnelle\" shortcut...Success.\r\n"
           "Creating the \"Varnelle Setup\" shortcut...Success.\r\n";
    EXPECT_EQ(test::ReadFile(i + "/Install.log"), log);
    EXPECT_EQ(test::ReadFile(i + "Varnelle"), test::ReadFile(s + "Varnelle"));
    EXPECT_EQ(::access((i + "Varnelle").c_str(), X_OK), 0);
    const std::string entry = test::ReadFile(m + "/Varnelle.desktop");
    EXPECT_NE(entry.find("Name=Varnelle\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Exec=\"" + i + "Varnelle\"\n"), std::string::npos) << entry;
    EXPECT_NE(test::ReadFile(m + "/Varnelle Setup.desktop").find("Path=" + i + "\n"), std::string::npos);

    const std::string shown = RunSetup(Installed(), {Press("Uninstall...")});
    EXPECT_EQ(shown.substr(0, shown.find('\n')), "Careful|Are you sure you want to uninstall Varnelle?");
    EXPECT_EQ(shown.substr(shown.find('\n') + 1, 5), "Note|");
    EXPECT_FALSE(test::Exists(m));
    EXPECT_TRUE(test::Exists(Home() + "/.local/share/applications"));
    const std::string uninstallLog = test::ReadFile(i + "/Uninstall.log");
    EXPECT_EQ(uninstallLog.find("Failed."), std::string::npos) << uninstallLog;
    // What stays: the installation folder with its two logs.
    std::vector<std::string> left;
    for (const auto& e : fs::recursive_directory_iterator(i)) left.push_back(e.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Install.log", "Uninstall.log"}));
}

}  // namespace
}  // namespace setup
