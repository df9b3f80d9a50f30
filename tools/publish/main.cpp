// pictorra-publish: writes a puzzle pack onto a copy of the game program.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "usage: pictorra-publish ...\n");
    return 2;
}
