// Stand-in for libFuzzer's main: feeds every file named on the command line (every file of a
// named folder, in name order), then a fixed series of pseudo-random inputs, to the target.
// Used where libFuzzer is not linked; CTest runs it over each target's corpus.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kelvara {
namespace {

void replayFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

// Bytes the parsers give meaning to: line ends, the end-of-file byte, separators,
// parentheses, label letters, lead and trail bytes (B3 5C is Big5 許, C3 FB GBK 名), the
// UTF-8 byte-order mark and a UTF-8 character. Random bytes alone rarely form a line.
constexpr std::string_view kMeaningful = "\r\n\n\x1A\\\\()  #7NnVvAaDdJjTtIiPpRrEe.\xB3\x5C\xC3\xFB"
                                         "\xB0\xCA\xEF\xBB\xBF\xE5\x90\x8D\x81\x40\xA1\xFE";

int run(int argc, char** argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            std::vector<std::filesystem::path> paths;
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file())
                    paths.push_back(entry.path());
            }
            std::sort(paths.begin(), paths.end());
            for (const auto& path : paths) {
                replayFile(path);
                ++files;
            }
        } else {
            replayFile(arg);
            ++files;
        }
    }
    std::mt19937 rng(20261207);
    std::vector<std::uint8_t> buf;
    constexpr int kRounds = 20000;
    for (int round = 0; round < kRounds; ++round) {
        buf.resize(rng() % 600);
        const bool meaningful = round % 2 == 1;
        for (auto& b : buf) {
            b = meaningful ? static_cast<std::uint8_t>(kMeaningful[rng() % kMeaningful.size()])
                           : static_cast<std::uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("replayed %d files and %d generated inputs\n", files, kRounds);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
