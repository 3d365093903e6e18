// Fontconfig keeps its parsed configuration for the life of the process and
// never frees it; Qt loads it as soon as a widget lays out text. Those blocks
// are not ours to free, so the leak checker is told to pass over them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
