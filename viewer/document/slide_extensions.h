#pragma once

#include <string>

// Whether a lower-cased extension names a picture the viewer shows: the folder filter and
// the view's loader accept exactly these.
bool IsSlideExtension(const std::string& extension);
