// Writes the demonstration data that KORVEN.EXE carries: a fixed number of
// bytes from a fixed-seed xorshift generator, the same on every build, and
// incompressible, so that the program's archive is as large as the program.
//
//   make_payload FILE BYTES
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Utilizare: make_payload FISIER OCTETI\n", stderr);
        return 2;
    }
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    unsigned long count = std::strtoul(argv[2], nullptr, 10);
    uint32_t state = 0x4B4F5256;  // any non-zero seed
    for (unsigned long i = 0; i < count; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        std::fputc(static_cast<int>(state >> 24), out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
