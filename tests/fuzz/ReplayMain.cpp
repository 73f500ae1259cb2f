// Replays every file of the given folders (or single files) through the fuzz
// target once. Used when the build has no libFuzzer.
// With `--mutate SECONDS` it then keeps feeding random mutations of those
// inputs (bit flips, byte changes, cuts, splices, inserted runs) until the
// time is up: not coverage-guided, but it runs under the sanitizer build of
// the ordinary test command.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using TInput = std::vector<uint8_t>;

TInput ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TInput((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Run(const TInput& input) { LLVMFuzzerTestOneInput(input.data(), input.size()); }

TInput Mutate(const std::vector<TInput>& corpus, std::mt19937& rng) {
    TInput out = corpus[rng() % corpus.size()];
    int steps = 1 + static_cast<int>(rng() % 4);
    for (int s = 0; s < steps; ++s) {
        size_t size = out.size();
        switch (rng() % 6) {
        case 0: // flip a bit
            if (size) out[rng() % size] ^= static_cast<uint8_t>(1u << (rng() % 8));
            break;
        case 1: { // an interesting byte or 32-bit value
            static const uint32_t values[] = {0, 1, 0x7F, 0x80, 0xFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 24, 77};
            if (size < 4) break;
            uint32_t v = values[rng() % (sizeof values / sizeof values[0])];
            size_t at = rng() % (size - 3);
            for (int k = 0; k < 4; ++k) out[at + k] = static_cast<uint8_t>(v >> (8 * k));
            break;
        }
        case 2: // cut
            if (size) out.resize(rng() % size);
            break;
        case 3: { // splice with another input
            const TInput& other = corpus[rng() % corpus.size()];
            if (other.empty()) break;
            size_t from = rng() % other.size();
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(size ? rng() % size : 0), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
            break;
        }
        case 4: // insert a run of one byte
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(size ? rng() % size : 0), 1 + rng() % 64, static_cast<uint8_t>(rng()));
            break;
        default: // random byte
            if (size) out[rng() % size] = static_cast<uint8_t>(rng());
            break;
        }
        if (out.size() > (1u << 20)) out.resize(1u << 20);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<TInput> corpus;
    double seconds = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--mutate" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
            continue;
        }
        std::filesystem::path path(arg);
        if (std::filesystem::is_directory(path)) {
            for (auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
        } else if (std::filesystem::is_regular_file(path)) {
            corpus.push_back(ReadFile(path));
        }
    }
    for (const TInput& input : corpus) Run(input);
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("replayed %zu inputs\n", corpus.size());
    if (seconds <= 0 || corpus.empty()) return 0;
    std::mt19937 rng(12345);
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    size_t runs = 0;
    while (std::chrono::steady_clock::now() < until) {
        Run(Mutate(corpus, rng));
        ++runs;
    }
    std::printf("ran %zu mutated inputs in %.0f s\n", runs, seconds);
    return 0;
}
