// Exits with the code given as its first argument and prints a marker line,
// so the Wine runner can be checked to pass both through unchanged.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int code = argc > 1 ? std::atoi(argv[1]) : 0;
    std::printf("exit-code-probe %d\n", code);
    return code;
}
