#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"

#include "platform/CodePage.h"
#include "platform/TestTempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sys/stat.h>

namespace kelvara {
namespace {

// Every record of the bytes, read as an import does: the end tested before each record.
std::vector<EntryRecord> ReadAll(std::string bytes, int codePage = kCodePageGbk,
                                 EncodingPolicy policy = EncodingPolicy::Detect)
{
    EntryTextReader reader = EntryTextReader::fromBytes(std::move(bytes), codePage, policy);
    std::vector<EntryRecord> records;
    EntryRecord record;
    while (!reader.atEnd()) {
        EXPECT_EQ(reader.readRecord(record), ReadStatus::Ok);
        records.push_back(record);
    }
    return records;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(EntryTextReaderTest, LineEndsAndLoneCarriageReturns)
{
    const std::vector<EntryRecord> expected{{"apple", "n.", "ping guo"}, {"run", "vi", "pao"}};
    EXPECT_EQ(ReadAll("apple\r\nn.\r\nping guo\r\nrun\r\nvi\r\npao\r\n"), expected);
    EXPECT_EQ(ReadAll("apple\nn.\nping guo\nrun\nvi\npao\n"), expected);
    // A CR not followed by LF leaves the field, wherever it stands; CR CR LF is one line end.
    EXPECT_EQ(ReadAll("ap\rple\r\r\nn.\nping\r guo\r\nrun\nvi\r\npao"),
              (std::vector<EntryRecord>{{"apple", "n.", "ping guo"}, {"run", "vi", "pao"}}));
}

TEST(EntryTextReaderTest, EndOfFileByteEndsTheFile)
{
    EXPECT_EQ(ReadAll("a\r\nb\r\nc\r\n\x1A"
                      "d\r\ne\r\nf\r\n"),
              (std::vector<EntryRecord>{{"a", "b", "c"}}));
    // Inside a record the lines after it are missing, so they are empty fields.
    EXPECT_EQ(ReadAll("a\r\nb\x1A"
                      "c\r\n"),
              (std::vector<EntryRecord>{{"a", "b", ""}}));
    EXPECT_TRUE(ReadAll("\x1A"
                        "a\r\nb\r\nc\r\n")
                    .empty());
}

TEST(EntryTextReaderTest, MissingLinesAreEmptyFields)
{
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_EQ(ReadAll("a\r\nb"), (std::vector<EntryRecord>{{"a", "b", ""}}));
    // An empty line after the last record starts one more record of empty fields.
    EXPECT_EQ(ReadAll("a\r\nb\r\nc\r\n\r\n"),
              (std::vector<EntryRecord>{{"a", "b", "c"}, {"", "", ""}}));
    // Empty lines are fields, never skipped: the line count alone frames the records.
    EXPECT_EQ(ReadAll("\r\n\r\nc\r\nd\r\n\r\n\r\n"),
              (std::vector<EntryRecord>{{"", "", "c"}, {"d", "", ""}}));
}

TEST(EntryTextReaderTest, SevenLineTemporaryFileCopiesToNineLines)
{
    // The E-C export copies the engine's file three lines at a time.
    EntryTextReader reader = EntryTextReader::fromBytes(
        "s1\r\nl1\r\nt1\r\ns2\r\nl2\r\nt2\r\ns3\r\n", kCodePageGbk, EncodingPolicy::CodePageOnly);
    std::string copy;
    EntryRecord record;
    while (!reader.atEnd()) {
        ASSERT_EQ(reader.readRecord(record, {255, 255, 255}), ReadStatus::Ok);
        AppendEntryRecord(copy, record.source, record.label, record.target);
    }
    EXPECT_EQ(copy, "s1\r\nl1\r\nt1\r\ns2\r\nl2\r\nt2\r\ns3\r\n\r\n\r\n");
}

TEST(EntryTextReaderTest, LineViewsReadWhatLinesRead)
{
    // Lines across the reader's chunks, lone CRs and CR CR LF, a last line without LF, and a
    // 0x1A byte that ends the file; then a UTF-8 file, whose lines are converted.
    std::mt19937 rng(42);
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        bytes += std::string(rng() % 40, static_cast<char>('a' + i % 26));
        const char* const ends[] = {"\r\n", "\n", "\r\r\n", "x\ry\r\n", "\xC6\xBB\r\n"};
        bytes += ends[rng() % std::size(ends)];
    }
    bytes += std::string(70000, 'L') + "\r\nlast";
    const std::string utf8 = "\xE6\xA2\xA8\r\npear\nplum";
    struct Case
    {
        std::string text;
        std::size_t length; // of what is read of it
        EncodingPolicy policy;
    };
    for (const Case& c :
         {Case{bytes + "\x1A" + "after\r\n", bytes.size(), EncodingPolicy::CodePageOnly},
          Case{utf8, utf8.size(), EncodingPolicy::Detect}}) {
        EntryTextReader lines = EntryTextReader::fromBytes(c.text, kCodePageGbk, c.policy);
        EntryTextReader views = EntryTextReader::fromBytes(c.text, kCodePageGbk, c.policy);
        std::string line;
        std::size_t count = 0;
        while (!lines.atEnd()) {
            ASSERT_FALSE(views.atEnd());
            ASSERT_EQ(lines.readLine(line), ReadStatus::Ok);
            ASSERT_EQ(views.readLineView(), line) << "line " << count;
            ASSERT_EQ(views.bytesConsumed(), lines.bytesConsumed());
            ++count;
        }
        EXPECT_TRUE(views.atEnd());
        EXPECT_EQ(views.bytesConsumed(), c.length);
        EXPECT_GT(count, 2u);
    }
}

TEST(EntryTextReaderTest, TooLongFieldSkipsTheRecordNotTheFraming)
{
    const std::string longSource(300, 'x');
    const std::string bytes = longSource + "\r\nn.\r\nlong\r\nnext\r\nv.\r\nafter\r\n";

    EntryTextReader ec = EntryTextReader::fromBytes(bytes, kCodePageGbk);
    EntryRecord record;
    EXPECT_EQ(ec.readRecord(record, FieldLimits::ecEngine()), ReadStatus::TooLong);
    EXPECT_EQ(record, EntryRecord{});
    ASSERT_FALSE(ec.atEnd());
    EXPECT_EQ(ec.readRecord(record, FieldLimits::ecEngine()), ReadStatus::Ok);
    EXPECT_EQ(record, (EntryRecord{"next", "v.", "after"}));
    EXPECT_TRUE(ec.atEnd());

    // Unbounded, the editor's import takes the line whole.
    EXPECT_EQ(ReadAll(bytes).front().source, longSource);
}

TEST(EntryTextReaderTest, LimitsCountBytesAndNeverCutACharacter)
{
    const std::string chinese = "\xC6\xBB\xB9\xFB"; // 苹果, four bytes
    std::string fits(251, 'a');
    fits += chinese; // 255 bytes
    std::string over(252, 'a');
    over += chinese; // 256: a cut at 255 would split 果
    EntryTextReader reader = EntryTextReader::fromBytes(
        fits + "\r\n\r\nt\r\n" + over + "\r\n\r\nt\r\n" + std::string(127, 'w') + "\r\n" +
            std::string(16, 'p') + "\r\nt\r\n",
        kCodePageGbk);
    EntryRecord record;
    EXPECT_EQ(reader.readRecord(record, FieldLimits::ecEngine()), ReadStatus::Ok);
    EXPECT_EQ(record.source, fits);
    EXPECT_EQ(reader.readRecord(record, FieldLimits::ecEngine()), ReadStatus::TooLong);
    // A 16-byte label is over the C-E engine's 15 even when source and target fit.
    EXPECT_EQ(reader.readRecord(record, FieldLimits::ceEngine()), ReadStatus::TooLong);
    EXPECT_TRUE(reader.atEnd());
}

TEST(EntryTextReaderTest, Utf8FilesAreConvertedToTheCodePage)
{
    const std::string appleUtf8 = "\xE8\x8B\xB9\xE6\x9E\x9C"; // 苹果
    const std::string appleGbk = "\xC6\xBB\xB9\xFB";
    const std::string nounUtf8 = "\xE5\x90\x8D\xE8\xAF\x8D"; // 名词
    const std::string nounGbk = "\xC3\xFB\xB4\xCA";
    const std::string body = "apple\r\n" + nounUtf8 + "\r\n" + appleUtf8 + "\r\n";

    EntryTextReader noBom = EntryTextReader::fromBytes(body, kCodePageGbk);
    EXPECT_EQ(noBom.encoding(), TextEncoding::Utf8);
    EntryRecord record;
    EXPECT_EQ(noBom.readRecord(record), ReadStatus::Ok);
    EXPECT_EQ(record, (EntryRecord{"apple", nounGbk, appleGbk}));

    // The mark alone decides, also for a file of ASCII text, and is not part of the first field.
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF"
                      "a\r\nb\r\nc\r\n"),
              (std::vector<EntryRecord>{{"a", "b", "c"}}));
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF" + body),
              (std::vector<EntryRecord>{{"apple", nounGbk, appleGbk}}));

    // GBK bytes are no valid UTF-8: read as they are.
    const std::string gbk = "apple\r\n" + nounGbk + "\r\n" + appleGbk + "\r\n";
    EntryTextReader codePage = EntryTextReader::fromBytes(gbk, kCodePageGbk);
    EXPECT_EQ(codePage.encoding(), TextEncoding::CodePage);
    EXPECT_EQ(ReadAll(gbk), (std::vector<EntryRecord>{{"apple", nounGbk, appleGbk}}));
    // The engine's own file is never taken for UTF-8.
    EXPECT_EQ(
        EntryTextReader::fromBytes(body, kCodePageGbk, EncodingPolicy::CodePageOnly).encoding(),
        TextEncoding::CodePage);
}

TEST(EntryTextReaderTest, Utf8CharacterTheCodePageLacksSkipsTheRecord)
{
    // 词 has no Big5 form, an emoji no form in either code page.
    const std::string word = "\xE8\xAF\x8D";
    const std::string emoji = "\xF0\x9F\x98\x80";
    const std::string bytes = "a\r\nn.\r\n" + word + "\r\nb\r\nn.\r\n" + emoji +
                              "\r\nc\r\nn.\r\n\xE8\xA8\xB1\r\n"; // 許 is in Big5
    EntryTextReader reader = EntryTextReader::fromBytes(bytes, kCodePageBig5);
    EntryRecord record;
    EXPECT_EQ(reader.readRecord(record), ReadStatus::Unrepresentable);
    EXPECT_EQ(record, EntryRecord{});
    EXPECT_EQ(reader.readRecord(record), ReadStatus::Unrepresentable);
    EXPECT_EQ(reader.readRecord(record), ReadStatus::Ok);
    EXPECT_EQ(record, (EntryRecord{"c", "n.", "\xB3\x5C"}));
    EXPECT_TRUE(reader.atEnd());
    // Behind a byte-order mark, bytes that are no UTF-8 stand for nothing the record can keep.
    EntryTextReader marked = EntryTextReader::fromBytes("\xEF\xBB\xBF"
                                                        "a\r\nb\r\n\xC6\xBB\r\n",
                                                        kCodePageGbk);
    EXPECT_EQ(marked.readRecord(record), ReadStatus::Unrepresentable);
}

TEST(EntryTextReaderTest, Utf8LimitsCountCodePageBytes)
{
    std::string fits, over;
    for (int i = 0; i < 127; ++i)
        fits += "\xE5\x90\x8D"; // 名: three UTF-8 bytes, two GBK bytes
    over = fits + "\xE5\x90\x8D";
    EntryTextReader reader =
        EntryTextReader::fromBytes(fits + "\r\n\r\nt\r\n" + over + "\r\n\r\nt\r\n", kCodePageGbk);
    EntryRecord record;
    EXPECT_EQ(reader.readRecord(record, FieldLimits::ecEngine()), ReadStatus::Ok);
    EXPECT_EQ(record.source.size(), 254u);
    EXPECT_EQ(reader.readRecord(record, FieldLimits::ecEngine()), ReadStatus::TooLong);
    EXPECT_TRUE(reader.atEnd());
}

// Fields as a grid or an engine may hold them: blanks, parentheses, empty text, and
// double-byte characters whose trail byte is a backslash or an ASCII letter.
std::string NastyField(std::mt19937& rng, int codePage)
{
    static const char* const kGbkPieces[] = {
        " ", "(", ")", "\\", "a", "Z", "\t", "\xC6\xBB", "\x81\x5C", "\x95\x61", "\xB9\xFB", "#7",
    };
    static const char* const kBig5Pieces[] = {
        " ", "(", ")", "\\", "a", "Z", "\t", "\xB3\x5C", "\xA6\x57", "\xA5\x5C", "\xA4\x40", "#7",
    };
    const auto& pieces = codePage == kCodePageBig5 ? kBig5Pieces : kGbkPieces;
    std::string field;
    const std::size_t count = rng() % 40;
    for (std::size_t i = 0; i < count; ++i)
        field += pieces[rng() % std::size(pieces)];
    return field;
}

TEST(EntryTextFileTest, WriteThenReadGivesTheSameRecords)
{
    TestTempFolder folder;
    std::mt19937 rng(5101);
    for (const int codePage : {kCodePageGbk, kCodePageBig5}) {
        // Enough records that lines and line ends straddle the reader's chunks.
        std::vector<EntryRecord> written(4000);
        for (EntryRecord& r : written)
            r = {NastyField(rng, codePage), NastyField(rng, codePage), NastyField(rng, codePage)};
        // A double-byte character in the file keeps it from reading as UTF-8.
        written.front().source = "\xC6\xBB\x81\x5C";
        const auto path = folder.path() / ("records" + std::to_string(codePage) + ".txt");
        auto writer = EntryTextWriter::create(path.string());
        ASSERT_TRUE(writer);
        for (const EntryRecord& r : written)
            ASSERT_TRUE(writer->writeRecord(r.source, r.label, r.target));
        ASSERT_TRUE(writer->close());

        auto reader = EntryTextReader::open(path.string(), codePage);
        ASSERT_TRUE(reader);
        EXPECT_EQ(reader->encoding(), TextEncoding::CodePage);
        std::vector<EntryRecord> read;
        EntryRecord record;
        while (!reader->atEnd()) {
            ASSERT_EQ(reader->readRecord(record, FieldLimits::ecEngine()), ReadStatus::Ok);
            read.push_back(record);
        }
        EXPECT_FALSE(reader->failed());
        EXPECT_EQ(reader->bytesConsumed(), std::filesystem::file_size(path));
        ASSERT_EQ(read.size(), written.size());
        EXPECT_EQ(read, written);
    }
}

TEST(EntryTextFileTest, WriterEndsEveryLineWithCarriageReturnLineFeed)
{
    TestTempFolder folder;
    const auto path = folder.path() / "one.txt";
    std::ofstream(path) << "old content that must go";
    auto writer = EntryTextWriter::create(path.string());
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->writeRecord("", "", ""));
    EXPECT_TRUE(writer->writeRecord("apple", "Noun", "\xC6\xBB\xB9\xFB"));
    EXPECT_TRUE(writer->close());
    EXPECT_EQ(ReadFile(path), "\r\n\r\n\r\napple\r\nNoun\r\n\xC6\xBB\xB9\xFB\r\n");
}

TEST(EntryTextFileTest, WriterHandsOnEveryLineAcrossBlocksAndWithoutClose)
{
    TestTempFolder folder;
    const auto path = folder.path() / "blocks.txt";
    std::string expected;
    {
        auto writer = EntryTextWriter::create(path.string());
        ASSERT_TRUE(writer);
        // Three blocks and a piece: records across the block ends, and one line longer than
        // a block.
        const std::string longLine(EntryTextWriter::kBlockSize + 7, 'w');
        ASSERT_TRUE(writer->writeLine(longLine));
        expected += longLine + "\r\n";
        for (int i = 0; expected.size() < 3 * EntryTextWriter::kBlockSize + 100; ++i) {
            const std::string n = std::to_string(i);
            ASSERT_TRUE(writer->writeRecord("source " + n, "n.", "target " + n));
            AppendEntryRecord(expected, "source " + n, "n.", "target " + n);
        }
        // Moved, then dropped without close: what it gathered still reaches the file.
        EntryTextWriter moved = std::move(*writer);
        ASSERT_TRUE(moved.writeLine("end"));
        expected += "end\r\n";
    }
    EXPECT_EQ(ReadFile(path), expected);
}

TEST(EntryTextFileTest, FailuresAreReportedError)
{
    TestTempFolder folder;
    EXPECT_FALSE(EntryTextReader::open((folder.path() / "missing.txt").string(), kCodePageGbk));
    EXPECT_FALSE(EntryTextReader::open(folder.path().string(), kCodePageGbk));
    // Opening a FIFO for reading would wait for a writer forever.
    const auto fifo = folder.path() / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(EntryTextReader::open(fifo.string(), kCodePageGbk));

    EXPECT_FALSE(EntryTextWriter::create((folder.path() / "no" / "such.txt").string()));
    // A full disk shows when the buffered bytes are flushed: the close must say so.
    if (std::filesystem::exists("/dev/full")) {
        auto full = EntryTextWriter::create("/dev/full");
        ASSERT_TRUE(full);
        (void)full->writeRecord("a", "b", "c");
        EXPECT_FALSE(full->close());
    }
}

} // namespace
} // namespace kelvara
