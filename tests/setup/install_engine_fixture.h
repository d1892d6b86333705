#pragma once

// The install engine's tests open it on a configuration in a real temporary world.

#include "setup/install_engine.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace setup::test {

// Two files and one folder; `extra` lines replace the defaults where given.
inline std::string Config(const std::string& dirdest = "bin;\r\n",
                          const std::string& sources = "a.exe;\r\nb.txt;\r\n",
                          const std::string& dests = "bin/a.exe;\r\nb.txt;\r\n",
                          const std::string& linkdir = "", const std::string& links = "*;\r\n*;\r\n",
                          const std::string& size = "2048;\r\n", const std::string& keys = "") {
    return "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n" + keys + "[INSTSIZE]\r\n" + size +
           "[LINKDIR]\r\n" + linkdir + "[DIRDEST]\r\n" + dirdest + "[FILESOURCE]\r\n" + sources +
           "[FILEDEST]\r\n" + dests + "[LINKDEST]\r\n" + links + "[LICAGREE]\r\n";
}

class InstallEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(world.SetupDir() + "a.exe", "program");
        WriteFile(world.SetupDir() + "b.txt", "text");
    }
    InstallEngine& Open(const std::string& config, std::string systemName = {}) {
        world.WriteConfig(config);
        engine = std::make_unique<InstallEngine>(world.services, std::move(systemName));
        engine->SetUp();
        return *engine;
    }
    std::string Target() const { return world.Root() + "/target"; }
    // Everything except the installation directory and the key store.
    Snapshot Outside(const std::string& installation) const {
        return TakeSnapshot(world.Root(), {installation, world.RegistryDir()});
    }
    std::string LogOf(const std::string& directory) const {
        return ReadFile(directory + "//Install.log");
    }

    SetupWorld world;
    std::unique_ptr<InstallEngine> engine;
};

}  // namespace setup::test
