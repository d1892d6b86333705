#pragma once

#include "platform/drives.h"

#include <string>
#include <vector>

// The dialogs' rules that need no window: kept here so they are tested without one.
namespace setup {

// The editor unlocks only for the exact code typed into the directory box, and only
// when Setup runs from a removable, fixed or network drive (never a CD-ROM).
bool UnlocksEditor(const std::vector<platform::Mount>& mounts, const std::string& setupDirectory,
                   const std::string& boxText);

// The folder Explore shows: the setup directory without its trailing separator; the
// root stays "/" rather than becoming the empty text.
std::string ExploreFolder(const std::string& setupDirectory);

// A file's text with every line end as CR LF, as the configuration editor writes it.
std::string WithCrLf(const std::string& text);

}  // namespace setup
