// Runs a fuzz target without libFuzzer: over the files (or every file of the directories) named
// on the command line, then over `--runs N` inputs made of random bytes and of mutations of
// those files and of earlier inputs, from a fixed seed so that a failure repeats.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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
    // A directory stands for every file in it (a corpus), in name order so that runs repeat.
    std::vector<std::string> inputs;
    std::vector<std::vector<std::uint8_t>> corpus;
    for (const std::string& name : files) {
        if (!std::filesystem::is_directory(name)) {
            inputs.push_back(name);
            continue;
        }
        std::vector<std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(name))
            if (entry.is_regular_file()) entries.push_back(entry.path().string());
        std::sort(entries.begin(), entries.end());
        inputs.insert(inputs.end(), entries.begin(), entries.end());
    }
    for (const std::string& name : inputs) {
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", name.c_str());
            return 1;
        }
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        corpus.push_back(bytes);
    }
    std::mt19937 rng(12345);
    std::vector<std::uint8_t> previous;
    // Bytes that matter to the parsers: quotes, TABs, commas, line ends, markers, nibbles E/F.
    const std::uint8_t interesting[] = {'"',  '\t', ',',  '\r', '\n', ' ',  0xAA, 0xBB, 0xCC,
                                        0xDD, 0xEE, 0xFF, 0x00, 0x80, 0xC3, '-',  '.',  '0',
                                        '1',  '5',  '9',  0x0F, 0x99, 0x59, 0x23, 0x12};
    for (long run = 0; run < runs; ++run) {
        std::vector<std::uint8_t> input;
        if (!corpus.empty() && rng() % 4 == 0) previous = corpus[rng() % corpus.size()];
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
