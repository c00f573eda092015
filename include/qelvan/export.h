#pragma once
// Symbols a host may use across the shared-object boundary.
#if defined(_WIN32)
#  define QELVAN_EXPORT __declspec(dllexport)
#else
#  define QELVAN_EXPORT __attribute__((visibility("default")))
#endif
