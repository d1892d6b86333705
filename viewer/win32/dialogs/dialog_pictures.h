#pragma once

#include <string>

// The folder tree's nine pictures and the program icon, written as files for the resource
// compiler by the build machine's generator.

// The 16 x 16 picture of a resource number as a 24-bit BMP file; magenta is its mask colour.
void WriteFolderPicture(int resource, const std::string& path);
// The 32 x 32 program icon as an ICO file.
void WriteProgramIcon(const std::string& path);
