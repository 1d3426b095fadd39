// One copy of a file's bytes from a source offset to an output offset with a chosen method, to
// time the methods of CopyFileRange against each other and against cp (bench/chop_vs_cp.sh).
//
//   bench_copy_methods SOURCE OUTPUT IN_OFFSET OUT_OFFSET kernel|buffer|best
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/cut/OutputFile.h"

int main(int argc, char** argv) {
    using namespace veskar;
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s SOURCE OUTPUT IN_OFFSET OUT_OFFSET kernel|buffer|best\n",
                     argv[0]);
        return 2;
    }
    const int64_t inOffset = std::atoll(argv[3]);
    const int64_t outOffset = std::atoll(argv[4]);
    const CopyMethod method = std::strcmp(argv[5], "kernel") == 0   ? CopyMethod::Kernel
                              : std::strcmp(argv[5], "buffer") == 0 ? CopyMethod::Buffer
                                                                    : CopyMethod::Best;
    Fd in(::open(argv[1], O_RDONLY | O_CLOEXEC));
    Fd out(::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    struct stat st {};
    if (!in.valid() || !out.valid() || ::fstat(in.get(), &st) != 0) {
        std::perror("bench_copy_methods");
        return 1;
    }
    const CopyResult result =
        CopyFileRange(in.get(), inOffset, out.get(), outOffset, st.st_size - inOffset, method);
    return result.failure == CopyFailure::None && out.Close() ? 0 : 1;
}
