// Fontconfig keeps its font lists in memory-mapped cache files, which the
// leak checker of sanitizer builds does not scan, so what they hold looks
// lost. Only fontconfig's own allocations are excused.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
