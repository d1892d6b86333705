#pragma once

#include "platform/display.h"
#include "platform/drives.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "platform/system_info.h"

namespace setup {

// The platform services the engines work through; the program hands in the real
// ones, tests hand in temporary folders and fakes.
struct SetupServices {
    platform::FileSystem& files;
    platform::FileOperations& operations;
    platform::Drives& drives;
    platform::SystemInfo& system;
    platform::Registry& registry;
    platform::ShellLinks& links;
    platform::MessageSink& messages;
    const platform::Display& display;
};

}  // namespace setup
