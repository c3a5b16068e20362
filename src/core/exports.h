// The C ABI the host sees: exactly these two functions.
#pragma once

#include <cstdint>

#if !defined(_WIN32)
#define OKZ_EXPORT __attribute__((visibility("default")))
#else
#define OKZ_EXPORT
#endif

#if defined(_WIN32)
#define OKZ_STDCALL __stdcall
#else
#define OKZ_STDCALL
#endif

extern "C" {

// Fills five buffers of `size` bytes each with at most size-1 characters and
// a terminating 0: name "DownlaodFunc", display title, credit, version, kind.
OKZ_EXPORT void OKZ_STDCALL funcGetInfo(char* name, char* title, char* credit, char* version, char* kind,
                             std::uint16_t size);

// Looks up every code of `isbnList` (one a line) and writes the found books
// to `resultPath`. `workFolder` ends with a path separator.
OKZ_EXPORT void OKZ_STDCALL DownlaodFunc(const char* workFolder, const char* resultPath, const char* isbnList);
}
