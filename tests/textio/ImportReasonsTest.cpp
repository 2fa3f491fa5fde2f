// Every record of an import accounted for, over the reference engines: one fate per record,
// in a decided order; the records that did not go in written byte for byte, mended and
// imported again; the encoding guess on short and long files of both code pages; C-E labels
// the engine knows; a line too long to keep.

#include "access/EngineSessionFixture.h"
#include "engines/EngineSessions.h"
#include "textio/EcHeldEntries.h"
#include "textio/EncodingGuess.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/PosLabels.h"
#include "textio/RejectsFile.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

#include <iterator>
#include <random>
#include <sys/mount.h>

namespace kelvara {
namespace {

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t accounted(const TextCommandResult& r)
{
    return r.written + r.replaced + r.alreadyHeld + r.blank + r.tooLong + r.unrepresentable +
           r.controlByte + r.keptBack + r.heldOtherSense + r.refused + r.notOpened + r.notStored;
}

class ImportReasonsTest : public EngineSessionTest
{
protected:
    int cp() const { return startup.codePage(); }
    std::string path(const char* name) const { return (folder / name).string(); }
    void write(const char* name, const std::string& bytes)
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    TextCommandResult importEc(const char* name, const ImportOptions& options = {})
    {
        return ImportFileToEcDictionary(path(name), startup.ec, state.ecPath, cp(), {}, options);
    }
    TextCommandResult importCe(const char* name, const ImportOptions& options = {})
    {
        return ImportFileToCeDictionary(path(name), startup.ce, startup.engineDirectoryBuffer, mark,
                                        cp(), {}, options);
    }
    std::vector<EntryRecord> exported()
    {
        const TextCommandResult r =
            state.kind == DictionaryKind::EC
                ? ExportEcDictionaryToFile(startup.ec, state.ecPath, path("out.txt"), cp())
                : ExportCeDictionaryToFile(startup.ce, startup.engineDirectoryBuffer, mark,
                                           path("out.txt"), cp());
        EXPECT_TRUE(r.complete());
        auto reader = EntryTextReader::open(path("out.txt"), cp(), EncodingPolicy::CodePageOnly);
        std::vector<EntryRecord> out;
        EntryRecord record;
        while (reader && !reader->atEnd()) {
            reader->readRecord(record);
            out.push_back(record);
        }
        return out;
    }

    std::int32_t mark = 0;
};

// One record of each problem, some with several: the first problem found counts.
TEST_F(ImportReasonsTest, EcEveryRecordHasOneFateAndTheRejectsAreTheInputBytes)
{
    install("lang_sc.ini");
    access->MenuItemOpenEcClick();
    write("held.txt", "held\r\nn\r\n" + gbk(u"苹果") + "\r\n");
    ASSERT_TRUE(importEc("held.txt").complete());

    struct Case
    {
        std::string bytes;
        RecordFate fate;
    };
    const std::string longWord(300, 'x');
    const std::vector<Case> cases = {
        {"HELD\r\nNoun\r\n" + gbk(u"苹果") + "\r\n", RecordFate::AlreadyHeld},
        {"held\nn\nother\n", RecordFate::HeldOtherSense},
        {longWord + "\r\nn\r\nt\r\n", RecordFate::TooLong},
        {std::string("nul\0cut\r\nn\r\nt\r\n", 15), RecordFate::ControlByte},
        {"tab\r\nn\r\nbroken \x81\x20 text\r\n", RecordFate::Unrepresentable},
        {"\r\n\r\n\r\n", RecordFate::Blank},
        {"walk\r\nv\r\n" + gbk(u"走") + "\r\n", RecordFate::Written},
        {"empty\r\nn\r\n\r\n", RecordFate::Refused},
        // Several problems: too long comes before a control byte ...
        {longWord + "\r\nn\r\nx\ty\r\n", RecordFate::TooLong},
        // ... a text that is no GBK before a control byte, and a lone CR is dropped.
        {"t\tab\r\nn\r\n\x81\r\n", RecordFate::Unrepresentable},
        {"lone\rcr\r\nadj\r\n" + gbk(u"孤") + "\r\n", RecordFate::Written},
    };
    std::string file, expectedRejects;
    std::vector<std::uint64_t> expectedLines;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        file += cases[i].bytes;
        if (IsRejected(cases[i].fate)) {
            expectedRejects += cases[i].bytes;
            expectedLines.push_back(3 * i + 1);
        }
    }
    write("in.txt", file);

    RejectsFile rejects;
    std::vector<std::uint64_t> lines;
    std::vector<RecordFate> fates;
    rejects.setListener([&](const RecordRead& read, const RecordProblem& problem) {
        lines.push_back(read.lineNumber);
        fates.push_back(problem.fate);
        EXPECT_FALSE(DescribeProblem(problem).empty());
    });
    ImportOptions options;
    options.rejects = &rejects;
    const TextCommandResult r = importEc("in.txt", options);
    EXPECT_EQ(r.records, cases.size());
    EXPECT_EQ(accounted(r), r.records) << TextCommandCounts(r);
    EXPECT_EQ(r.written, 2u);
    EXPECT_EQ(r.alreadyHeld, 1u);
    EXPECT_EQ(r.heldOtherSense, 1u);
    EXPECT_EQ(r.tooLong, 2u);
    EXPECT_EQ(r.controlByte, 1u);
    EXPECT_EQ(r.unrepresentable, 2u);
    EXPECT_EQ(r.blank, 1u);
    EXPECT_EQ(r.refused, 1u);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(lines, expectedLines);
    EXPECT_EQ(fates, (std::vector<RecordFate>{RecordFate::HeldOtherSense, RecordFate::TooLong,
                                              RecordFate::ControlByte, RecordFate::Unrepresentable,
                                              RecordFate::Refused, RecordFate::TooLong,
                                              RecordFate::Unrepresentable}));
    ASSERT_TRUE(rejects.saveTo(path("rejects.txt")));
    EXPECT_EQ(readBytes(folder / "rejects.txt"), expectedRejects);
    // The NUL did not store a cut "nul".
    for (const EntryRecord& e : exported())
        EXPECT_NE(e.source, "nul");

    // Checked again, the same file is classed the same way, and nothing is written.
    const auto before = exported();
    ImportOptions check;
    check.checkOnly = true;
    const TextCommandResult c = importEc("in.txt", check);
    EXPECT_EQ(c.written, 0u) << "walk and lone cr are held now";
    EXPECT_EQ(c.alreadyHeld, 3u);
    EXPECT_EQ(c.heldOtherSense, r.heldOtherSense);
    EXPECT_EQ(c.refused, r.refused);
    EXPECT_EQ(exported(), before);

    // Mended (the target given, the NUL gone, the text made GBK), the rejects go in; the held
    // word with another sense is replaced with --replace.
    std::string mended = readBytes(folder / "rejects.txt");
    const auto mend = [&](const std::string& from, const std::string& to) {
        const std::size_t at = mended.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        mended.replace(at, from.size(), to);
    };
    mend(longWord, "long");
    mend(longWord, "longer");
    mend(std::string("nul\0cut", 7), "nulcut");
    mend("broken \x81\x20 text", "mended");
    mend("empty\r\nn\r\n\r\n", "empty\r\nn\r\nfull\r\n");
    mend("t\tab", "tab2");
    mend("\x81\r\n", "ok\r\n");
    mend("x\ty", "xy");
    write("mended.txt", mended);
    ImportOptions replace;
    replace.replace = true;
    const TextCommandResult again = importEc("mended.txt", replace);
    EXPECT_TRUE(again.complete()) << TextCommandCounts(again);
    EXPECT_EQ(again.written, 6u);
    EXPECT_EQ(again.replaced, 1u);
    std::vector<std::string> sources;
    for (const EntryRecord& e : exported()) {
        sources.push_back(e.source + "|" + e.target);
    }
    EXPECT_EQ(sources, (std::vector<std::string>{"empty|full", "held|other",
                                                 "lone"
                                                 "cr|" +
                                                     gbk(u"孤"),
                                                 "long|t", "longer|xy", "nulcut|t", "tab|mended",
                                                 "tab2|ok", "walk|" + gbk(u"走")}));
}

// A check that reads the whole dictionary from the engine's dump must answer as the engine's
// Find does (case folded in ASCII letters only, never in a trail byte) and as the import then
// does, record for record. Sources mix letter cases with double-byte characters whose trail
// byte is a capital letter or a backslash; the file repeats identities and empties fields.
TEST_F(ImportReasonsTest, CheckFromTheDumpAnswersAsFindAndTheImportDo)
{
    for (const bool traditional : {false, true}) {
        install("lang_sc.ini", traditional);
        access->MenuItemOpenEcClick();
        // GBK 81 41, 81 61, 81 5C; Big5 A4 41 (乙), A4 61, A5 5C (功): a fold of the trail
        // byte would take the first two for one character.
        const std::vector<std::string> pieces =
            traditional
                ? std::vector<std::string>{"a", "A", "b", "\xA4\x41", "\xA4\x61", "\xA5\x5C", " "}
                : std::vector<std::string>{"a", "A", "b", "\x81\x41", "\x81\x61", "\x81\x5C", " "};
        const char* const labels[] = {"Noun", "v", "adj", "Adv", "prep", "n."};
        const char* const targets[] = {"(t)", "t", "T", "x y", ""};
        std::mt19937 rng(traditional ? 7 : 3);
        const auto randomRecord = [&] {
            std::string source;
            for (std::size_t i = 0, n = 1 + rng() % 3; i < n; ++i)
                source += pieces[rng() % pieces.size()];
            return source + "\r\n" + labels[rng() % 6] + "\r\n" + targets[rng() % 5] + "\r\n";
        };
        std::string stored, asked;
        for (int i = 0; i < 150; ++i)
            stored += randomRecord();
        for (int i = 0; i < 2000; ++i)
            asked += randomRecord();
        write("stored.txt", stored);
        write("asked.txt", asked);
        ASSERT_GT(importEc("stored.txt").written, 20u);

        // Every source and code the file names, asked both ways.
        auto whole = EcHeldEntries::readWhole(startup.ec, state.ecPath, cp());
        ASSERT_TRUE(whole && whole->isWhole());
        {
            EcSession session(startup.ec, Buffer256(state.ecPath));
            const EcHeldEntries find(startup.ec, cp());
            auto reader =
                EntryTextReader::open(path("asked.txt"), cp(), EncodingPolicy::CodePageOnly);
            EntryRecord record;
            while (!reader->atEnd()) {
                reader->readRecord(record);
                const unsigned char code = PosLabelToCode(record.label, DictionaryKind::EC, cp());
                EXPECT_EQ(whole->targetOf(record.source, code), find.targetOf(record.source, code))
                    << record.source << " " << int(code);
            }
        }

        // The file is large beside the dictionary: the check reads it whole, and foretells
        // what the import does, with and without replace.
        ASSERT_TRUE(EcHeldEntries::forCheck(startup.ec, state.ecPath, cp(),
                                            fs::file_size(folder / "asked.txt"))
                        .isWhole());
        for (const bool replace : {false, true}) {
            ImportOptions check;
            check.checkOnly = true;
            check.replace = replace;
            const TextCommandResult c = importEc("asked.txt", check);
            ImportOptions import;
            import.replace = replace;
            const TextCommandResult r = importEc("asked.txt", import);
            EXPECT_EQ(TextCommandCounts(c), TextCommandCounts(r)) << "replace " << replace;
            EXPECT_EQ(accounted(c), c.records);
        }

        // A full temporary folder: the dump cannot be written whole, and Find answers.
        const fs::path disk = folder / "tmp";
        fs::create_directory(disk);
        if (!traditional && ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8192") == 0) {
            std::ofstream(disk / "filler", std::ios::binary) << std::string(8192, 'f');
            ::setenv("TMPDIR", disk.c_str(), 1);
            EXPECT_FALSE(EcHeldEntries::readWhole(startup.ec, state.ecPath, cp()));
            ImportOptions check;
            check.checkOnly = true;
            const TextCommandResult c = importEc("asked.txt", check);
            EXPECT_EQ(c.written, 0u) << "everything is held after the imports";
            EXPECT_EQ(c.alreadyHeld + c.heldOtherSense + c.refused, c.records);
            ::unsetenv("TMPDIR");
            ::umount2(disk.c_str(), MNT_DETACH);
        }
        TearDown();
    }
}

TEST_F(ImportReasonsTest, CeParenthesesKeptBackOrStoredFullWidthAndLabelsMended)
{
    install("lang_sc.ini");
    access->ActionFileOpenCeExecute();
    std::string file;
    AppendEntryRecord(file, gbk(u"坏"), "adj.", "bad (very)");
    AppendEntryRecord(file, gbk(u"书"), "n.", "book");
    AppendEntryRecord(file, gbk(u"跑"), "v.", "run");
    AppendEntryRecord(file, "a\\b", "vt", "x");
    AppendEntryRecord(file, gbk(u"读"), gbk(u"不及物动词"), "read");
    write("in.txt", file);
    RejectsFile rejects;
    ImportOptions options;
    options.rejects = &rejects;
    const TextCommandResult r = importCe("in.txt", options);
    EXPECT_EQ(r.keptBack, 2u);
    EXPECT_EQ(r.written, 3u);
    ASSERT_TRUE(rejects.saveTo(path("rejects.txt")));
    std::string expected;
    AppendEntryRecord(expected, gbk(u"坏"), "adj.", "bad (very)");
    AppendEntryRecord(expected, "a\\b", "vt", "x");
    EXPECT_EQ(readBytes(folder / "rejects.txt"), expected);

    options.fullWidthParentheses = true;
    options.rejects = nullptr;
    const TextCommandResult wide = importCe("rejects.txt", options);
    EXPECT_EQ(wide.written, 1u);
    EXPECT_EQ(wide.fullWidth, 1u);
    EXPECT_EQ(wide.keptBack, 1u) << "a backslash in a word has no full-width way out";
    // The labels reached the engine as its own words: n. and v. as noun, adj. as adj.
    std::vector<EntryRecord> expectedEntries = {
        {gbk(u"书"), EngineWordToLabel("noun", cp()), "book"},
        {gbk(u"坏"), EngineWordToLabel("adj", cp()), "bad " + gbk(u"（very）")},
        {gbk(u"读"), EngineWordToLabel("vi", cp()), "read"},
        {gbk(u"跑"), EngineWordToLabel("noun", cp()), "run"},
    };
    auto got = exported();
    std::sort(got.begin(), got.end(),
              [](const EntryRecord& a, const EntryRecord& b) { return a.source < b.source; });
    std::sort(expectedEntries.begin(), expectedEntries.end(),
              [](const EntryRecord& a, const EntryRecord& b) { return a.source < b.source; });
    EXPECT_EQ(got, expectedEntries);
}

// The C-E check asks diccheck in one open: senses held already (also earlier in the same
// file) and senses the engine would refuse are told as the import then counts them.
TEST_F(ImportReasonsTest, CeCheckForetellsTheImport)
{
    install("lang_sc.ini");
    access->ActionFileOpenCeExecute();
    const std::string words[] = {gbk(u"果"), gbk(u"书"), gbk(u"跑"), "a\\b"};
    const char* const labels[] = {"n", "vt", "adj", ""};
    const char* const targets[] = {"a", "b", "a b", "(c)", ""};
    std::mt19937 rng(11);
    std::string first, second;
    for (int i = 0; i < 300; ++i)
        AppendEntryRecord(i < 100 ? first : second, words[rng() % 4], labels[rng() % 4],
                          targets[rng() % 5]);
    write("first.txt", first);
    write("second.txt", second);
    ASSERT_GT(importCe("first.txt").written, 5u);
    ImportOptions check;
    check.checkOnly = true;
    const TextCommandResult c = importCe("second.txt", check);
    const TextCommandResult r = importCe("second.txt");
    EXPECT_EQ(TextCommandCounts(c), TextCommandCounts(r));
    EXPECT_GT(c.alreadyHeld, 50u);
    EXPECT_EQ(importCe("second.txt").written, 0u) << "everything is held the second time";
}

// A line over 1 MiB is not kept: its record is too long, the next record is read in its own
// lines, and the rejects file still gets the record whole, copied from the input.
TEST_F(ImportReasonsTest, HugeLineIsTooLongAndItsFramingKept)
{
    install("lang_sc.ini");
    access->ActionFileOpenCeExecute();
    const std::string huge(3 * kMaxLineBytes, 'y');
    const std::string first = gbk(u"长") + "\r\nn\r\n" + huge + "\r\n";
    std::string file = first;
    AppendEntryRecord(file, gbk(u"短"), "n", "short");
    write("in.txt", file);
    RejectsFile rejects;
    ImportOptions options;
    options.rejects = &rejects;
    const TextCommandResult r = importCe("in.txt", options);
    EXPECT_EQ(r.records, 2u);
    EXPECT_EQ(r.tooLong, 1u);
    EXPECT_EQ(r.written, 1u);
    ASSERT_TRUE(rejects.saveTo(path("rejects.txt")));
    EXPECT_TRUE(readBytes(folder / "rejects.txt") == first);
    EXPECT_EQ(exported().size(), 1u);
}

// The guess on files of 1, 10 and 10,000 records in GBK and Big5 that are also well-formed
// UTF-8, and in UTF-8.
TEST(EncodingGuessTest, CodePageFilesThatAreAlsoUtf8StayCodePage)
{
    struct Sample
    {
        int codePage;
        std::string word; // valid in the code page and as UTF-8
        bool utf8;
    };
    const std::vector<Sample> samples = {
        {kCodePageGbk, "\xD1\xA7\xCF\xB0", false},         // GBK 学习 (UTF-8: two letters)
        {kCodePageBig5, "\xC3\xA1\xC4\xA2", false},        // Big5 獺罌 (UTF-8: á Ģ)
        {kCodePageGbk, "\xE5\xAD\xA6\xE4\xB9\xA0", true},  // UTF-8 学习
        {kCodePageBig5, "\xE5\xAD\xB8\xE7\xBF\x92", true}, // UTF-8 學習
        {kCodePageGbk, "caf\xC3\xA9", true},               // UTF-8 café
        {kCodePageGbk, "na\xC3\xAFve", true},              // UTF-8 naïve
    };
    for (const Sample& s : samples) {
        for (const int records : {1, 10, 10000}) {
            std::string bytes;
            for (int i = 0; i < records; ++i)
                AppendEntryRecord(bytes, "w" + std::to_string(i), "n", s.word);
            SCOPED_TRACE(::testing::Message() << s.word << " x" << records);
            auto reader = EntryTextReader::fromBytes(bytes, s.codePage);
            EXPECT_EQ(reader.encoding(), s.utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage);
            EntryRecord r;
            int read = 0;
            while (!reader.atEnd()) {
                reader.readRecord(r);
                ++read;
            }
            EXPECT_EQ(read, records) << "the bytes looked at are read again";
            // The user's word overrides the guess.
            EXPECT_EQ(
                EntryTextReader::fromBytes(bytes, s.codePage, EncodingPolicy::Utf8Only).encoding(),
                TextEncoding::Utf8);
        }
    }
    // A broken double-byte text of the code page is UTF-8 when UTF-8 reads it whole.
    EncodingGuess guess(kCodePageGbk);
    guess.feed("\xE2\x82\xAC\n"); // €: the GBK reading meets LF where a trail byte should be
    EXPECT_TRUE(guess.isUtf8());
}

// A guess that looks through a large file hears the stop between two chunks.
TEST(EncodingGuessTest, StopDuringTheGuessIsHeard)
{
    const std::string ascii(8 * 1024 * 1024, 'a'); // no answer before its end
    std::uint64_t lastSeen = 0;
    int calls = 0;
    auto reader = EntryTextReader::fromBytes(ascii, kCodePageGbk, EncodingPolicy::Detect,
                                             [&](std::uint64_t scanned) {
                                                 EXPECT_GT(scanned, lastSeen);
                                                 lastSeen = scanned;
                                                 return ++calls < 3;
                                             });
    EXPECT_TRUE(reader.cancelled());
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
} // namespace kelvara
