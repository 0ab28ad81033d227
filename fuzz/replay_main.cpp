// Runs a fuzz target's entry once on each file named on the command line, as libFuzzer does with
// given files, but built by any compiler: the stored crash inputs become ordinary tests.
// Exits 0 when every input ran; an input that fails ends the program as it would end the
// fuzzer (an abort, a crash, a sanitizer report in sanitized builds).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (int k = 1; k < argc; ++k) {
        std::ifstream in(argv[k], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[k]);
            return 2;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        // A buffer of exactly the input's size, so that a read past its end leaves the
        // allocation, as it does under libFuzzer.
        const auto copy = std::make_unique<uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), copy.get());
        std::printf("%s\n", argv[k]);
        LLVMFuzzerTestOneInput(copy.get(), bytes.size());
    }
    std::printf("%d inputs ran clean\n", argc - 1);
    return 0;
}
