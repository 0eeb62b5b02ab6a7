// Started by the shell through "OpenUrl": appends its arguments, one per line, to the
// file named by E2E_MARKER, so that the test sees every start and what it was given.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* path = std::getenv("E2E_MARKER");
    FILE* file = path ? std::fopen(path, "ab") : nullptr;
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}
