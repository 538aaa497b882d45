// Export and import of KVLib's interface. KVLib.dll is built from the
// library's static archive with KVLIB_BUILD defined; the program and the
// tests that bind KVLib through its import library see dllimport.
#pragma once

// Native builds of the portable code have no DLL: the mark is empty.
#if !defined(_WIN32)
#define KVLIB_API
#elif defined(KVLIB_BUILD)
#define KVLIB_API __declspec(dllexport)
#else
#define KVLIB_API __declspec(dllimport)
#endif
