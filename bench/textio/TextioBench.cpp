// Reads a generated entry text file of 100,000 records (GBK, three lines each) the way the
// imports do, and prints the throughput beside the floor measured in the same run: a plain
// fread of the whole file into memory. Every figure is the best of several hot-cache runs.
#include "lang/Language.h"
#include "platform/CodePage.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/PosLabels.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kelvara {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;

// Labels as files hold them: the utility's own (GBK), the engine's English ones, abbreviations.
const char* const kLabels[] = {"\xC3\xFB\xB4\xCA",
                               "\xB6\xAF\xB4\xCA",
                               "\xD0\xCE\xC8\xDD\xB4\xCA",
                               "Noun",
                               "Verb",
                               "Adj",
                               "adv.",
                               "prep",
                               "vt",
                               "a."};

std::string chineseText(std::mt19937& rng, std::size_t characters)
{
    std::string text;
    for (std::size_t i = 0; i < characters; ++i) {
        text.push_back(static_cast<char>(0xB0 + rng() % 0x28)); // GB2312 level-1 rows
        text.push_back(static_cast<char>(0xA1 + rng() % 0x5E));
    }
    return text;
}

std::string englishWord(std::mt19937& rng)
{
    std::string word;
    const std::size_t length = 3 + rng() % 12;
    for (std::size_t i = 0; i < length; ++i)
        word.push_back(static_cast<char>('a' + rng() % 26));
    return word;
}

// Best wall time of fn over kRuns runs, in seconds; checksum keeps the work from vanishing.
double best(const std::function<std::size_t()>& fn, std::size_t& checksum)
{
    double bestSeconds = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        checksum += fn();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        bestSeconds = std::min(bestSeconds, seconds);
    }
    return bestSeconds;
}

int run(int argc, char** argv)
{
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const auto folder = std::filesystem::temp_directory_path() / "kelvara-textio-bench";
    std::filesystem::create_directories(folder);
    const std::string gbkPath = (folder / "entries-gbk.txt").string();
    const std::string utf8Path = (folder / "entries-utf8.txt").string();

    std::mt19937 rng(2026);
    std::vector<EntryRecord> entries(records);
    for (EntryRecord& e : entries)
        e = {englishWord(rng), kLabels[rng() % std::size(kLabels)],
             chineseText(rng, 1 + rng() % 8)};

    std::size_t checksum = 0;
    const double writeSeconds = best(
        [&] {
            auto writer = EntryTextWriter::create(gbkPath);
            for (const EntryRecord& e : entries)
                writer->writeRecord(e.source, e.label, e.target);
            return writer->close() ? std::size_t{1} : std::size_t{0};
        },
        checksum);
    {
        // The same entries as a UTF-8 file, as a Linux desktop would save them.
        std::FILE* out = std::fopen(utf8Path.c_str(), "wb");
        for (const EntryRecord& e : entries) {
            for (const std::string* field : {&e.source, &e.label, &e.target}) {
                std::string utf8;
                for (const char16_t c : DecodeCodePage(*field, kCodePageGbk)) {
                    if (c < 0x80) {
                        utf8.push_back(static_cast<char>(c));
                    } else if (c < 0x800) {
                        utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
                        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                    } else {
                        utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
                        utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
                        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                    }
                }
                utf8 += "\r\n";
                std::fwrite(utf8.data(), 1, utf8.size(), out);
            }
        }
        std::fclose(out);
    }
    const auto bytes = static_cast<double>(std::filesystem::file_size(gbkPath));

    const double floorSeconds = best(
        [&] {
            std::FILE* in = std::fopen(gbkPath.c_str(), "rb");
            std::vector<char> all(static_cast<std::size_t>(bytes));
            const std::size_t n = std::fread(all.data(), 1, all.size(), in);
            std::fclose(in);
            return n + static_cast<std::size_t>(all[n / 2]);
        },
        checksum);

    // Not a floor but a yardstick: the least any line reader does after the read.
    const double splitSeconds = best(
        [&] {
            std::FILE* in = std::fopen(gbkPath.c_str(), "rb");
            std::vector<char> all(static_cast<std::size_t>(bytes));
            const std::size_t n = std::fread(all.data(), 1, all.size(), in);
            std::fclose(in);
            std::size_t lines = 0;
            for (const char* p = all.data(); p < all.data() + n; ++lines) {
                const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(all.data() + n - p));
                p = lf ? static_cast<const char*>(lf) + 1 : all.data() + n;
            }
            return lines;
        },
        checksum);

    auto readWith = [&](const std::string& path, EncodingPolicy policy, bool parse) {
        return [&, path, policy, parse] {
            auto reader = EntryTextReader::open(path, kCodePageGbk, policy);
            EntryRecord record;
            std::size_t sum = 0;
            while (!reader->atEnd()) {
                if (reader->readRecord(record, FieldLimits::ecEngine()) != ReadStatus::Ok)
                    continue;
                sum += parse ? PosLabelToCode(record.label, DictionaryKind::EC, kCodePageGbk)
                             : record.source.size();
            }
            return sum;
        };
    };
    const double rawRead = best(readWith(gbkPath, EncodingPolicy::CodePageOnly, false), checksum);
    const double detectRead = best(readWith(gbkPath, EncodingPolicy::Detect, false), checksum);
    const double parseRead = best(readWith(gbkPath, EncodingPolicy::Detect, true), checksum);
    const double utf8Read = best(readWith(utf8Path, EncodingPolicy::Detect, true), checksum);

    const auto row = [&](const char* what, double seconds) {
        std::printf("%-46s %9.2f ms %9.0f MB/s %11.0f records/s %7.2fx floor\n", what,
                    seconds * 1e3, bytes / seconds / 1e6, static_cast<double>(records) / seconds,
                    seconds / floorSeconds);
    };
    std::printf("%zu records, %.1f MB (GBK); best of %d hot-cache runs\n", records, bytes / 1e6,
                kRuns);
    row("floor: fread of the whole file", floorSeconds);
    row("fread + memchr for each line end", splitSeconds);
    row("read records, code page only", rawRead);
    row("read records, UTF-8 test first", detectRead);
    row("read + PosLabelToCode (E-C)", parseRead);
    row("same entries as UTF-8: read, convert, parse", utf8Read);
    row("write records", writeSeconds);
    std::printf("(checksum %zu)\n", checksum);
    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
