// Writes the demo's sample titles (samples/stavik) into the folder given as the only argument.
#include <cstdio>

#include "support/InjectorTitleBuilders.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("Usage: make_stavik_sample <folder>\n", stderr);
        return 2;
    }
    test_support::writeStavikSample(argv[1]);
    return 0;
}
