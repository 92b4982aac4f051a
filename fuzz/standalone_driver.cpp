// Runs a fuzz target without libFuzzer: over the files named on the command line, or over
// `--runs N` inputs made of random bytes and of mutations of earlier inputs, from a fixed seed
// so that a failure repeats.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    long runs = 0;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::strtol(argv[++i], nullptr, 10);
        else
            files.emplace_back(argv[i]);
    }
    for (const std::string& name : files) {
        std::ifstream in(name, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::mt19937 rng(12345);
    std::vector<std::uint8_t> previous;
    // Bytes that matter to the parsers: quotes, TABs, commas, line ends, markers, nibbles E/F.
    const std::uint8_t interesting[] = {'"', '\t', ',', '\r', '\n', ' ', 0xAA, 0xBB, 0xCC,
                                        0xDD, 0xEE, 0xFF, 0x00, 0x80, 0xC3, '-', '.', '0'};
    for (long run = 0; run < runs; ++run) {
        std::vector<std::uint8_t> input;
        if (!previous.empty() && rng() % 2 == 0) {
            input = previous;
            const int mutations = 1 + static_cast<int>(rng() % 8);
            for (int m = 0; m < mutations && !input.empty(); ++m)
                input[rng() % input.size()] = interesting[rng() % sizeof interesting];
            if (rng() % 4 == 0) input.resize(rng() % (input.size() + 16));
        } else {
            input.resize(rng() % 512);
            for (auto& b : input)
                b = rng() % 3 == 0 ? interesting[rng() % sizeof interesting]
                                   : static_cast<std::uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
        previous = std::move(input);
    }
    return 0;
}
