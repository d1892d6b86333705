// The configuration tokenizer and its three readers on arbitrary file contents.

#include "platform/fake/fake_file_system.h"
#include "setup/entry_paths.h"
#include "setup/setup_config.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& token : setup::TokenizeConfig(bytes)) Require(token.size() <= bytes.size());
    (void)setup::ParseSizeKB(bytes);

    platform::fake::FakeFileSystem fs;
    fs.AddFile("/setup/config.cfg", bytes);
    setup::SetupConfig install, uninstall, summary;
    if (setup::ReadInstallConfig(fs, "/setup/", &install)) {
        Require(!install.destinations.empty());
        Require(install.sources.size() == install.destinations.size());
        Require(install.links.size() == install.destinations.size());
        for (const auto& d : install.destinations) Require(setup::IsContainedRelativePath(d));
        for (const auto& d : install.directories) Require(setup::IsContainedRelativePath(d));
    }
    if (setup::ReadUninstallConfig(fs, "/setup/", &uninstall)) {
        Require(uninstall.sources.empty());
        Require(uninstall.links.size() == uninstall.destinations.size());
        for (const auto& l : uninstall.links) Require(setup::IsPlainName(l));
    }
    setup::ReadConfigSummary(fs, "/setup/", &summary);
    return 0;
}
