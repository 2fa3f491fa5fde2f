// Stand-in for libFuzzer's main: feeds every file named on the command line, then a fixed
// series of pseudo-random inputs, to the target. Used where libFuzzer is not linked.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::mt19937 rng(20261207);
    std::vector<std::uint8_t> buf;
    for (int round = 0; round < 20000; ++round) {
        buf.resize(rng() % 600);
        for (auto& b : buf)
            b = static_cast<std::uint8_t>(rng());
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("replayed %d files and 20000 generated inputs\n", argc - 1);
    return 0;
}
