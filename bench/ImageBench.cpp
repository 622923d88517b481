// The parts of a program file alone (code, data, the interface's resources, the payload),
// without the install benchmark's rounds: bench_image [program]
#include <windows.h>

#include <cstdio>

#include "BenchImage.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_image PROGRAM\n");
        return 2;
    }
    PrintImageParts(argv[1]);
    return 0;
}
