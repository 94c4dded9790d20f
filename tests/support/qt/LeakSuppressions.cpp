// Leak checker exceptions of the Qt test programs (read by LeakSanitizer in the ASan build; unused
// otherwise). Qt's font database keeps fontconfig's caches for the life of the process and
// fontconfig never frees them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
