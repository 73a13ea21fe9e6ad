// What the exporter fuzz targets share: a check that aborts with its line, so the fuzzer keeps
// the input, and an exporter that writes into memory.
#pragma once

#include <cstdio>
#include <cstdlib>

#define CHECK(condition)                                                              \
    do {                                                                              \
        if (!(condition)) {                                                           \
            std::fprintf(stderr, "failed at line %d: %s\n", __LINE__, #condition);   \
            std::abort();                                                             \
        }                                                                             \
    } while (0)

template <class E>
struct TInMemory : E {
    using E::ExportToStream;
};
