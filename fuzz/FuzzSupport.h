#pragma once

#include <cstddef>
#include <cstdint>

#include <QString>

namespace veskar::fuzz {

/// A file of this process's own for the readers that take a path; removed when the process
/// ends. Each call replaces its content with the input.
QString WriteInputFile(const uint8_t* data, size_t size);

/// A second path beside it, for what a target writes itself.
QString OutputFilePath();

/// Reports a broken property of the code under test with the input's context and aborts, so
/// libFuzzer keeps the input as a finding.
[[noreturn]] void Fail(const char* file, int line, const char* condition);

} // namespace veskar::fuzz

/// Like assert, but also in release builds: a property every input must keep.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::veskar::fuzz::Fail(__FILE__, __LINE__, #condition);                                  \
        }                                                                                          \
    } while (false)
