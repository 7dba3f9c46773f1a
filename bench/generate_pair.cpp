// Writes a generated pair for the scripts that time the real editor:
// tomecraft_generate_pair FOLDER BOOKS [TEMPLATES]
#include "PairGenerator.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s FOLDER BOOKS [TEMPLATES]\n", argv[0]);
        return 2;
    }
    try {
        const auto pair = tc::bench::GeneratePair(argv[1], std::stoul(argv[2]),
                                                  argc == 4 ? std::stoul(argv[3]) : 0);
        std::printf("%s\n%s\n", pair.lorePath.c_str(), pair.templatePath.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
