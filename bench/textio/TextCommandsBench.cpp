// The import and export commands at scale, each beside the floor it aims at, measured in the
// same run on the same generated entries (GBK, three lines per record):
//
//   - E-C import of 100,000 records beside the sqlite3 shell's .import of the same entries
//     into a table with the engine's unique index (goal: within 1.3 times);
//   - C-E import of 100,000 records beside SQLite committing one record per transaction in
//     WAL mode with synchronous=NORMAL and a 16 MiB cache, the engine's settings (goal: at
//     least 0.85 times its rate);
//   - check of the same 100,000 records, E-C and C-E, beside their imports (goal: 5 times
//     faster); the E-C one also against a dictionary that holds a tenth of the file, and the
//     two ways it learns what the dictionary holds (its dump read whole, a Find per record);
//   - import of 100,000 records into the grid model, and the process's memory afterwards;
//   - export of 1,000,000 entries from each dictionary (goal: 500,000 entries/s).
//
//   textio_commands_bench [records, default 100000] [export entries, default 1000000]
#include "editor/EntryEditor.h"
#include "engines/CeBinding.h"
#include "engines/EcBinding.h"
#include "engines/EngineSessions.h"
#include "platform/CodePage.h"
#include "textio/EcHeldEntries.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace kelvara {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5; // this machine shares its cores: the best of five is steadier

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string chinese(std::mt19937& rng, std::size_t characters)
{
    std::string text;
    for (std::size_t i = 0; i < characters; ++i) {
        text.push_back(static_cast<char>(0xB0 + rng() % 0x28)); // GB2312 level-1 rows
        text.push_back(static_cast<char>(0xA1 + rng() % 0x5E));
    }
    return text;
}

// A word no other record has: letters, then the record's number in base 26.
std::string english(std::mt19937& rng, std::size_t n)
{
    std::string word;
    for (std::size_t i = 0, length = 3 + rng() % 8; i < length; ++i)
        word.push_back(static_cast<char>('a' + rng() % 26));
    word.push_back('-');
    do {
        word.push_back(static_cast<char>('a' + n % 26));
        n /= 26;
    } while (n > 0);
    return word;
}

const char* const kEcLabels[] = {"Noun", "Verb", "Adj", "Adv", "Prep", "n.", "\xC3\xFB\xB4\xCA"};
const char* const kCeLabels[] = {"\xC3\xFB\xB4\xCA", "Vt", "Vi", "Adj", "Adv", "Prep"};

void writeRecords(const fs::path& path, const std::vector<EntryRecord>& records)
{
    auto writer = EntryTextWriter::create(path.string());
    for (const EntryRecord& r : records)
        writer->writeRecord(r.source, r.label, r.target);
    writer->close();
}

long rssKib()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void removeDictionary(const fs::path& file)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(file.string() + suffix);
}

// SQLite's own per-record commit: one BEGIN, INSERT, COMMIT per record on a kept connection.
double perRecordCommitFloor(const fs::path& file, const std::vector<EntryRecord>& records)
{
    removeDictionary(file);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-16384;"
                 "CREATE TABLE sense(id INTEGER PRIMARY KEY, word BLOB NOT NULL,"
                 " pos BLOB NOT NULL, translation BLOB NOT NULL);"
                 "CREATE INDEX sense_word ON sense(word, id);",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *begin = nullptr, *insert = nullptr, *commit = nullptr;
    sqlite3_prepare_v2(db, "BEGIN IMMEDIATE", -1, &begin, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO sense(word, pos, translation) VALUES(?1, ?2, ?3)", -1,
                       &insert, nullptr);
    sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
    const auto start = Clock::now();
    for (const EntryRecord& r : records) {
        sqlite3_step(begin);
        sqlite3_reset(begin);
        sqlite3_bind_blob(insert, 1, r.source.data(), static_cast<int>(r.source.size()),
                          SQLITE_STATIC);
        sqlite3_bind_blob(insert, 2, "noun", 4, SQLITE_STATIC);
        sqlite3_bind_blob(insert, 3, r.target.data(), static_cast<int>(r.target.size()),
                          SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        sqlite3_step(commit);
        sqlite3_reset(commit);
    }
    const double seconds = secondsSince(start);
    sqlite3_finalize(begin);
    sqlite3_finalize(insert);
    sqlite3_finalize(commit);
    sqlite3_close_v2(db);
    return seconds;
}

// The sqlite3 shell's .import of the entries (tab-separated) into the E-C engine's table.
double shellImport(const fs::path& folder, const std::vector<EntryRecord>& records)
{
    const fs::path db = folder / "shell.db";
    const fs::path tsv = folder / "entries.tsv";
    removeDictionary(db);
    {
        std::ofstream out(tsv, std::ios::binary);
        for (std::size_t i = 0; i < records.size(); ++i) {
            std::string fold = records[i].source; // ASCII words: folding is lower-casing
            out << records[i].source << '\t' << fold << '\t' << i % 5 << '\t' << records[i].target
                << '\n';
        }
    }
    const std::string command =
        "sqlite3 '" + db.string() +
        "' 'PRAGMA journal_mode=WAL' 'PRAGMA synchronous=NORMAL' 'PRAGMA cache_size=-16384' "
        // The engine's table less its id column, which is the rowid either way.
        "'CREATE TABLE entry(source BLOB NOT NULL, fold BLOB NOT NULL,"
        " pos INTEGER NOT NULL, target BLOB NOT NULL)' "
        "'CREATE UNIQUE INDEX entry_identity ON entry(fold, pos)' "
        "'.mode tabs' '.import " +
        tsv.string() + " entry' >/dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "the sqlite3 shell failed (install the sqlite3 package)\n");
        std::exit(1);
    }
    return secondsSince(start);
}

template <typename Fn> double best(Fn fn)
{
    double seconds = 1e9;
    for (int run = 0; run < kRuns; ++run)
        seconds = std::min(seconds, fn(run));
    return seconds;
}

int run(int argc, char** argv)
{
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::size_t exportEntries = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
    const fs::path root = fs::temp_directory_path() / "kelvara-textio-commands-bench";
    fs::remove_all(root);
    const fs::path engines = root / "ArticleS"; // the folder name gives the engines GBK
    fs::create_directories(engines);

    EcBinding ec;
    CeBinding ce;
    if (!ec.load(Buffer256(KELVARA_EC_ENGINE)) || !ce.load(Buffer256(KELVARA_CE_ENGINE))) {
        std::fprintf(stderr, "cannot load the reference engines\n");
        return 1;
    }
    const Buffer256 engineDirectory((engines / "").string());
    std::int32_t mark = 0;

    std::mt19937 rng(2026);
    std::vector<EntryRecord> ecRecords(records), ceRecords(records);
    for (std::size_t i = 0; i < records; ++i) {
        ecRecords[i] = {english(rng, i), kEcLabels[i % 5], chinese(rng, 1 + rng() % 6)};
        ceRecords[i] = {chinese(rng, 1 + rng() % 4), kCeLabels[rng() % 6], english(rng, i)};
    }
    const fs::path ecFile = root / "ec.txt", ceFile = root / "ce.txt";
    writeRecords(ecFile, ecRecords);
    writeRecords(ceFile, ceRecords);

    std::printf("%zu records (GBK); best of %d runs, each beside its floor\n\n", records, kRuns);

    // ---- E-C import beside the sqlite3 shell
    double shell = 1e9;
    const double ecImport = best([&](int run) {
        shell = std::min(shell, shellImport(root, ecRecords));
        const fs::path base = engines / ("UserEcBench" + std::to_string(run));
        removeDictionary(base.string() + ".key");
        const auto start = Clock::now();
        const TextCommandResult r =
            ImportFileToEcDictionary(ecFile.string(), ec, base.string(), kCodePageGbk);
        const double seconds = secondsSince(start);
        if (r.written != records)
            std::fprintf(stderr, "E-C import stored %zu of %zu\n", r.written, records);
        return seconds;
    });
    std::printf("E-C import to the dictionary    %8.3f s  %9.0f records/s\n", ecImport,
                static_cast<double>(records) / ecImport);
    std::printf(
        "  floor: sqlite3 .import        %8.3f s  %9.0f records/s   ratio %.2fx (goal <= 1.3x)\n\n",
        shell, static_cast<double>(records) / shell, ecImport / shell);

    // ---- E-C check beside the import, on the dictionary the import made (every record is
    // looked up and found: the dearest case)
    {
        ImportOptions check;
        check.checkOnly = true;
        const fs::path base = engines / "UserEcBench0";
        const double ecCheck = best([&](int) {
            const auto start = Clock::now();
            const TextCommandResult r = ImportFileToEcDictionary(ecFile.string(), ec, base.string(),
                                                                 kCodePageGbk, {}, check);
            const double seconds = secondsSince(start);
            if (r.alreadyHeld != records)
                std::fprintf(stderr, "E-C check found %zu of %zu held\n", r.alreadyHeld, records);
            return seconds;
        });
        std::printf("E-C check of the same file      %8.3f s  %9.0f records/s   %.2fx faster than "
                    "the import (goal >= 5x)\n",
                    ecCheck, static_cast<double>(records) / ecCheck, ecImport / ecCheck);

        // The two ways a check learns what the dictionary holds, each alone: what the choice
        // between them (ReadWholeEcDictionary) weighs.
        const std::uint64_t inputBytes = fs::file_size(ecFile);
        const std::uint64_t dictionaryBytes = fs::file_size(base.string() + ".key");
        const double whole = best([&](int) {
            const auto start = Clock::now();
            const auto entries = EcHeldEntries::readWhole(ec, base.string(), kCodePageGbk);
            const double seconds = secondsSince(start);
            if (!entries)
                std::fprintf(stderr, "the E-C dump could not be read\n");
            return seconds;
        });
        const double finds = best([&](int) {
            EcSession session(ec, Buffer256(base.string()));
            const EcHeldEntries entries(ec, kCodePageGbk);
            std::size_t found = 0;
            const auto start = Clock::now();
            for (std::size_t i = 0; i < records; ++i)
                found += entries.targetOf(ecRecords[i].source, static_cast<unsigned char>(i % 5))
                             .has_value();
            const double seconds = secondsSince(start);
            if (found != records)
                std::fprintf(stderr, "Find found %zu of %zu\n", found, records);
            return seconds;
        });
        std::printf("  input %.1f MB, dictionary file %.1f MB: %s\n",
                    static_cast<double>(inputBytes) / 1e6,
                    static_cast<double>(dictionaryBytes) / 1e6,
                    ReadWholeEcDictionary(inputBytes, dictionaryBytes) ? "read whole" : "Find");
        std::printf("  the dictionary read whole     %8.3f s  %9.0f entries/s\n", whole,
                    static_cast<double>(records) / whole);
        std::printf("  a Find for every record       %8.3f s  %9.0f records/s\n", finds,
                    static_cast<double>(records) / finds);

        // The usual check: a new file against a dictionary that holds a tenth of it.
        const fs::path tenth = engines / "UserEcBenchTenth";
        {
            EcSession session(ec, Buffer256(tenth.string()));
            Buffer256 source, target;
            for (std::size_t i = 0; i < records; i += 10) {
                (void)source.assign(ecRecords[i].source);
                (void)target.assign(ecRecords[i].target);
                ec.modifyWord('A', source, static_cast<unsigned char>(i % 5), target);
            }
        }
        const double tenthCheck = best([&](int) {
            const auto start = Clock::now();
            const TextCommandResult r = ImportFileToEcDictionary(
                ecFile.string(), ec, tenth.string(), kCodePageGbk, {}, check);
            const double seconds = secondsSince(start);
            if (r.alreadyHeld != (records + 9) / 10)
                std::fprintf(stderr, "E-C check found %zu held\n", r.alreadyHeld);
            return seconds;
        });
        std::printf("E-C check against a dictionary of a tenth of it %8.3f s   %.2fx faster than "
                    "the import (goal >= 5x)\n\n",
                    tenthCheck, ecImport / tenthCheck);
    }

    // ---- C-E import beside one commit per record
    double floorSeconds = 1e9;
    const double ceImport = best([&](int) {
        floorSeconds = std::min(floorSeconds, perRecordCommitFloor(root / "floor.db", ceRecords));
        removeDictionary(engines / "UserCe.ext");
        const auto start = Clock::now();
        const TextCommandResult r =
            ImportFileToCeDictionary(ceFile.string(), ce, engineDirectory, mark, kCodePageGbk);
        const double seconds = secondsSince(start);
        if (r.written != records)
            std::fprintf(stderr, "C-E import stored %zu of %zu\n", r.written, records);
        return seconds;
    });
    std::printf("C-E import to the dictionary    %8.3f s  %9.0f records/s\n", ceImport,
                static_cast<double>(records) / ceImport);
    std::printf("  floor: a commit per record    %8.3f s  %9.0f records/s   rate %.2fx of it (goal "
                ">= 0.85x)\n\n",
                floorSeconds, static_cast<double>(records) / floorSeconds, floorSeconds / ceImport);

    // The engine's own calls for the same records, without the file: what the import adds.
    {
        const double calls = best([&](int) {
            removeDictionary(engines / "UserCe.ext");
            const auto start = Clock::now();
            Buffer128 word, translation;
            const Buffer16 engineWord("noun");
            for (const EntryRecord& r : ceRecords) {
                CeSession session(ce, engineDirectory, mark);
                (void)word.assign(r.source);
                (void)translation.assign(r.target);
                (void)session.add(word, engineWord, translation);
                (void)session.close();
            }
            return secondsSince(start);
        });
        std::printf("  the engine's calls alone      %8.3f s  %9.0f records/s   (the import is "
                    "%.2fx their rate)\n\n",
                    calls, static_cast<double>(records) / calls, calls / ceImport);
    }
    {
        ImportOptions check;
        check.checkOnly = true;
        const double ceCheck = best([&](int) {
            const auto start = Clock::now();
            const TextCommandResult r = ImportFileToCeDictionary(
                ceFile.string(), ce, engineDirectory, mark, kCodePageGbk, {}, check);
            const double seconds = secondsSince(start);
            if (r.written + r.alreadyHeld != records)
                std::fprintf(stderr, "C-E check passed %zu of %zu\n", r.written + r.alreadyHeld,
                             records);
            return seconds;
        });
        std::printf("C-E check of the same file      %8.3f s  %9.0f records/s   %.2fx faster than "
                    "the import (goal >= 5x)\n\n",
                    ceCheck, static_cast<double>(records) / ceCheck, ceImport / ceCheck);
    }

    // ---- into the grid model
    const long rssBefore = rssKib();
    double editorSeconds = 0;
    {
        const double seconds = best([&](int) {
            EntryEditor editor(InterfaceLanguage::Simplified, kCodePageGbk);
            editor.FillPartOfSpeechList(DictionaryKind::EC);
            const auto start = Clock::now();
            ImportFileToEditor(ecFile.string(), editor);
            return secondsSince(start);
        });
        editorSeconds = seconds;
    }
    EntryEditor kept(InterfaceLanguage::Simplified, kCodePageGbk);
    kept.FillPartOfSpeechList(DictionaryKind::EC);
    ImportFileToEditor(ecFile.string(), kept);
    const long rssAfter = rssKib();
    std::printf(
        "import to the grid model        %8.3f s  %9.0f records/s   (goal: shown grid < 1 s; "
        "the shown grid needs the window)\n",
        editorSeconds, static_cast<double>(records) / editorSeconds);
    std::printf("  memory: %ld KiB resident with %d rows in the grid, %ld KiB more than before\n\n",
                rssAfter, kept.dataRowCount(), rssAfter - rssBefore);

    // ---- export of a large dictionary of each kind
    {
        const fs::path base = engines / "UserEcLarge";
        EcSession session(ec, Buffer256(base.string()));
        Buffer256 source, target;
        for (std::size_t i = 0; i < exportEntries; ++i) {
            (void)source.assign(english(rng, i));
            (void)target.assign(chinese(rng, 1 + rng() % 6));
            ec.modifyWord('A', source, static_cast<unsigned char>(i % 5), target);
        }
        session.close();
        // What the engine's own dump costs, the part of the command that is not ours.
        double engineAlone = 1e9;
        const double seconds = best([&](int) {
            const auto dumpStart = Clock::now();
            ec.getAllWordsToFile(Buffer256((root / "ec-dump.txt").string()),
                                 Buffer256(base.string()));
            engineAlone = std::min(engineAlone, secondsSince(dumpStart));
            fs::remove(root / "ec-dump.txt");
            const auto start = Clock::now();
            const TextCommandResult r = ExportEcDictionaryToFile(
                ec, base.string(), (root / "ec-out.txt").string(), kCodePageGbk);
            const double s = secondsSince(start);
            if (r.written != exportEntries)
                std::fprintf(stderr, "E-C export wrote %zu of %zu\n", r.written, exportEntries);
            return s;
        });
        std::printf("E-C export of %zu entries  %8.3f s  %9.0f entries/s   (goal >= 500000)\n",
                    exportEntries, seconds, static_cast<double>(exportEntries) / seconds);
        std::printf("  the engine's GetAllWordsToFile alone %8.3f s  %9.0f entries/s\n",
                    engineAlone, static_cast<double>(exportEntries) / engineAlone);
    }
    {
        removeDictionary(engines / "UserCe.ext");
        CeSession session(ce, engineDirectory, mark);
        Buffer128 word, translation;
        const Buffer16 pos("noun");
        for (std::size_t i = 0; i < exportEntries; ++i) {
            (void)word.assign(chinese(rng, 1 + rng() % 4));
            (void)translation.assign(english(rng, i));
            session.add(word, pos, translation);
        }
        session.close();
        double engineAlone = 1e9;
        const double seconds = best([&](int) {
            const auto dumpStart = Clock::now();
            {
                CeSession dump(ce, engineDirectory, mark);
                ce.dicExport(Buffer256((root / "ce-dump.txt").string()));
            }
            engineAlone = std::min(engineAlone, secondsSince(dumpStart));
            fs::remove(root / "ce-dump.txt");
            const auto start = Clock::now();
            const TextCommandResult r = ExportCeDictionaryToFile(
                ce, engineDirectory, mark, (root / "ce-out.txt").string(), kCodePageGbk);
            const double s = secondsSince(start);
            if (r.written != exportEntries)
                std::fprintf(stderr, "C-E export wrote %zu of %zu\n", r.written, exportEntries);
            return s;
        });
        std::printf("C-E export of %zu entries  %8.3f s  %9.0f entries/s   (goal >= 500000)\n",
                    exportEntries, seconds, static_cast<double>(exportEntries) / seconds);
        std::printf("  the engine's dicexport alone     %8.3f s  %9.0f entries/s\n", engineAlone,
                    static_cast<double>(exportEntries) / engineAlone);
    }

    ec.unload();
    ce.unload();
    fs::remove_all(root);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
