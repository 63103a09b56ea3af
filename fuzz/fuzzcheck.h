#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property of a fuzz target: print what broke and abort, so libFuzzer keeps the input.
#define KORVEL_FUZZ_CHECK(condition)                                                              \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
