#pragma once

// Every header of the POSIX backend includes this first. Only a target that links platform_posix
// carries VARNELLE_BACKEND_POSIX (a usage requirement of that library), and no core target may link a
// backend: core code that includes one of these headers stops the build here.
#ifndef VARNELLE_BACKEND_POSIX
#error "backend header outside a composition root: core code takes the service through its interface in platform/; a main, tool, test or benchmark links platform_posix"
#endif
