// Leaks that are not ours, left out of the sanitizer build's leak check of GUI tests.
extern "C" const char* __lsan_default_suppressions() {
    // fontconfig keeps part of its parsed configuration when Qt fills its font database
    // (Debian 12, fontconfig 2.14).
    return "leak:libfontconfig.so\n";
}
