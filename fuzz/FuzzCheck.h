#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep. A broken one ends the run the way a
// sanitizer report does, so the fuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,     \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// The input as the text the code under test takes.
#define FUZZ_TEXT(data, size) std::string(reinterpret_cast<const char*>(data), size)
