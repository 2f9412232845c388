// Defaults the sanitizer runtimes read at start-up, linked into every program
// of a PICTAVO_SANITIZE build (tests, fuzzers, the program and its replay
// driver), so a plain ctest run needs no environment.
//
// Two system libraries are outside our reach: fontconfig keeps its pattern
// cache for the life of the process behind Qt's font database, and Qt
// WebEngine (Chromium) leaves thread-local and singleton objects at exit and
// frees some objects with a sized delete that does not match their type.
// Their reports name only their own frames; ours stay fully checked for leaks.
// LSAN_OPTIONS / ASAN_OPTIONS set by hand still take precedence.

extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libQt6WebEngineCore.so\n";
}

extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "new_delete_type_mismatch=0";
}
