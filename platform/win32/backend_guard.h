#pragma once

// Every header of the Win32 backend includes this first. Only a target that links platform_win32
// carries VARNELLE_BACKEND_WIN32 (a usage requirement of that library), and no core target may link a
// backend: core code that includes one of these headers stops the build here.
#ifndef VARNELLE_BACKEND_WIN32
#error "backend header outside a composition root: core code takes the service through its interface in platform/; a main, tool, test or benchmark links platform_win32"
#endif
