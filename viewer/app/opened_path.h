#pragma once

#include "platform/file_system.h"

#include <optional>
#include <string>
#include <vector>

// A file manager starts the viewer with one argument, the absolute path of what was opened,
// spaces and all. Such a start is told apart from the two-token command line here.
struct OpenedPath {
    std::string startPath;   // the folder or collage file the document loads
    std::string firstSlide;  // for a picture: its file name, the slide shown first
};

// The opened path when `arguments` is exactly one absolute path of an existing picture
// (one of the slide extensions), collage file (.lit) or folder; none otherwise.
std::optional<OpenedPath> ReadOpenedPath(const std::vector<std::string>& arguments, const platform::FileSystem& fs);

// The two-token form's raw command line: the arguments joined with single spaces.
std::string JoinArguments(const std::vector<std::string>& arguments);
