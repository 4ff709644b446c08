// An editor that adds " edited" to the file it is given and ends, for the
// put-back of remote files opened for editing.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::FILE* f = std::fopen(argv[1], "ab");
    if (!f) return 1;
    std::fputs(" edited", f);
    std::fclose(f);
    return 0;
}
