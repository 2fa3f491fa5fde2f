// The four text commands over the reference engines in a temporary installation: what an
// import stored is read back through the engine's own export and compared with a model of
// what should be there; failures the platform can produce are injected into the bindings.
// The round trip (export, import, export) runs through kvdict on the demo dictionaries.

#include "access/EngineSessionFixture.h"
#include "lang/PartOfSpeech.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/PosLabels.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

#include <algorithm>
#include <iterator>

namespace kelvara {
void PrintTo(const EntryRecord& r, std::ostream* os)
{
    *os << '{' << ::testing::PrintToString(r.source) << ", " << ::testing::PrintToString(r.label)
        << ", " << ::testing::PrintToString(r.target) << '}';
}
} // namespace kelvara

namespace kelvara {
namespace {

// One line of a test file: texts as UTF-16, encoded into the platform code page.
struct Line
{
    std::u16string source, label, target;
};

std::string encode(std::u16string_view text, int codePage)
{
    bool lost = false;
    std::string bytes = EncodeCodePage(text, codePage, &lost);
    EXPECT_FALSE(lost) << "test text not representable in " << codePage;
    return bytes;
}

std::vector<EntryRecord> encodeAll(const std::vector<Line>& lines, int codePage)
{
    std::vector<EntryRecord> out;
    for (const Line& l : lines)
        out.push_back(
            {encode(l.source, codePage), encode(l.label, codePage), encode(l.target, codePage)});
    return out;
}

void writeFile(const fs::path& path, const std::vector<EntryRecord>& records)
{
    std::string bytes;
    for (const EntryRecord& r : records)
        AppendEntryRecord(bytes, r.source, r.label, r.target);
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<EntryRecord> readRecords(const fs::path& path, int codePage)
{
    auto reader = EntryTextReader::open(path.string(), codePage, EncodingPolicy::CodePageOnly);
    std::vector<EntryRecord> out;
    EntryRecord r;
    while (reader && !reader->atEnd()) {
        EXPECT_EQ(reader->readRecord(r), ReadStatus::Ok);
        out.push_back(r);
    }
    return out;
}

std::vector<EntryRecord> sorted(std::vector<EntryRecord> records)
{
    std::sort(records.begin(), records.end(), [](const EntryRecord& a, const EntryRecord& b) {
        return std::tie(a.source, a.label, a.target) < std::tie(b.source, b.label, b.target);
    });
    return records;
}

// The engine's own label of each E-C code, in its export file.
const char* const kEcEngineLabels[] = {"Noun", "Verb", "Adj", "Adv", "Prep"};

class TextCommandsEngineTest : public EngineSessionTest
{
protected:
    int cp() const { return startup.codePage(); }
    std::string path(const char* name) const { return (folder / name).string(); }

    TextCommandResult importEc(const std::string& file, const TextProgressCallback& progress = {})
    {
        return ImportFileToEcDictionary(file, startup.ec, state.ecPath, cp(), progress);
    }
    TextCommandResult importCe(const std::string& file, const TextProgressCallback& progress = {})
    {
        return ImportFileToCeDictionary(file, startup.ce, startup.engineDirectoryBuffer, mark, cp(),
                                        progress);
    }
    TextCommandResult exportDictionary(const std::string& file)
    {
        return state.kind == DictionaryKind::EC
                   ? ExportEcDictionaryToFile(startup.ec, state.ecPath, file, cp())
                   : ExportCeDictionaryToFile(startup.ce, startup.engineDirectoryBuffer, mark, file,
                                              cp());
    }

    // Nasty E-C records and what the engine must hold afterwards.
    void ecImportMatchesModel(std::u16string trailFive)
    {
        access->MenuItemOpenEcClick();
        ASSERT_TRUE(state.open);
        std::vector<Line> lines = {
            // Traditional forms: GBK holds them too, so one list serves both code pages.
            {u"apple", u"n.", u"蘋果(水果) (x)"},
            {u"Apple", u"Noun", u"again"}, // same word and code: refused
            {u"apple", u"v.", u"削"},
            {u"ice cream", u"", u"冰淇淋 "},
            {u" lead", u"adj", trailFive + u"\\後"},
            {u"empty", u"n", u""}, // no target: refused
            {u"", u"", u""},       // blank: handed to no engine
            {u"prep word", u"PREP.", u"介詞"},
            {std::u16string(300, u'x'), u"n", u"t"}, // too long: skipped, never cut
            {u"after long", u"ad.", trailFive},
        };
        const auto records = encodeAll(lines, cp());
        writeFile(folder / "in.txt", records);
        const TextCommandResult r = importEc(path("in.txt"));
        EXPECT_EQ(r.failure, TextFailure::None);
        EXPECT_EQ(r.records, 10u);
        EXPECT_EQ(r.written, 6u);
        EXPECT_EQ(r.heldOtherSense, 1u) << "Apple: apple holds a noun already";
        EXPECT_EQ(r.refused, 1u) << "no target";
        EXPECT_EQ(r.tooLong, 1u);
        EXPECT_EQ(r.blank, 1u);

        const std::vector<std::pair<int, int>> stored = {{0, 0}, {2, 1}, {3, 0},
                                                         {4, 2}, {7, 4}, {9, 3}};
        std::vector<EntryRecord> model;
        for (auto [i, code] : stored)
            model.push_back({records[i].source, kEcEngineLabels[code], records[i].target});
        ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
        EXPECT_EQ(sorted(readRecords(folder / "out.txt", cp())), sorted(model));
    }

    // Nasty C-E records and what the engine must hold afterwards.
    void ceImportMatchesModel(std::u16string trailFive, InterfaceLanguage listLanguage)
    {
        access->ActionFileOpenCeExecute();
        const auto list = CePartOfSpeechLabels(listLanguage);
        const std::u16string noun = DecodeCodePage(list[0], LabelCodePageOf(listLanguage));
        const std::u16string adv = DecodeCodePage(list[4], LabelCodePageOf(listLanguage));
        const std::vector<Line> lines = {
            {u"果", noun, u"apple"},
            {u"果", u"Vt", u"to apple"},
            {u"果", noun, u"apple"}, // held already: kept once
            {u"讀", u"vi", u"read\\it"},
            {u"書(本)", u"n", u"book"},               // no label of a list: its code's engine word
            {u"跑", u"", u"run "},                    // no label: stored as noun
            {u"a\\b", u"n", u"x"},                    // backslash in the word: refused
            {u"壞", u"adj", u"bad (very)"},           // parentheses: refused
            {trailFive, adv, u"so"},                  // a 0x5C trail byte is no backslash
            {u"長", u"n", std::u16string(128, u'y')}, // too long
            {u"", u"", u""},
            {u"怪", u"v.", u"odd"}, // C-E reads v. as a noun (no V test), so: noun
            {u"後", u"prep", u"after"},
        };
        const auto records = encodeAll(lines, cp());
        writeFile(folder / "in.txt", records);
        const TextCommandResult r = importCe(path("in.txt"));
        EXPECT_EQ(r.failure, TextFailure::None);
        EXPECT_EQ(r.records, 13u);
        EXPECT_EQ(r.written, 8u);
        EXPECT_EQ(r.alreadyHeld, 1u) << "the same sense again is held, not written";
        EXPECT_EQ(r.keptBack, 2u) << "a backslash in a word, a parenthesis in a translation";
        EXPECT_EQ(r.refused, 0u);
        EXPECT_EQ(r.tooLong, 1u);
        EXPECT_EQ(r.blank, 1u);

        const std::vector<std::pair<int, const char*>> stored = {
            {0, "noun"}, {1, "vt"},  {3, "vi"},    {4, "noun"},
            {5, "noun"}, {8, "adv"}, {11, "noun"}, {12, "prep"}};
        std::vector<EntryRecord> model;
        for (auto [i, word] : stored)
            model.push_back({records[i].source, EngineWordToLabel(word, cp()), records[i].target});
        ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
        EXPECT_EQ(sorted(readRecords(folder / "out.txt", cp())), sorted(model));
    }

    std::int32_t mark = 0;
};

TEST_F(TextCommandsEngineTest, EcImportStoresTheModelGbk)
{
    install("lang_sc.ini");
    ecImportMatchesModel(u"嘰"); // GBK 87 5C
}

TEST_F(TextCommandsEngineTest, EcImportStoresTheModelBig5)
{
    install("lang_tc.ini", true);
    ecImportMatchesModel(u"許"); // Big5 B3 5C
}

TEST_F(TextCommandsEngineTest, CeImportStoresTheModelGbk)
{
    install("lang_sc.ini");
    ceImportMatchesModel(u"嘰", InterfaceLanguage::Simplified);
}

TEST_F(TextCommandsEngineTest, CeImportStoresTheModelBig5)
{
    install("lang_tc.ini", true);
    ceImportMatchesModel(u"許", InterfaceLanguage::Traditional);
}

TEST_F(TextCommandsEngineTest, Utf8FileConvertedAndUnrepresentableRecordsSkipped)
{
    install("lang_en.ini");
    access->MenuItemOpenEcClick();
    // UTF-8, as a Linux desktop saves it; the emoji has no GBK form and must not become "?".
    std::ofstream(folder / "utf8.txt", std::ios::binary)
        << "pear\nn\n\xE6\xA2\xA8\nsmile\nn\n\xF0\x9F\x98\x80\nplum\nn\n\xE6\x9D\x8E\n";
    const TextCommandResult r = importEc(path("utf8.txt"));
    EXPECT_EQ(r.written, 2u);
    EXPECT_EQ(r.unrepresentable, 1u);
    ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
    EXPECT_EQ(
        readRecords(folder / "out.txt", cp()),
        (std::vector<EntryRecord>{{"pear", "Noun", gbk(u"梨")}, {"plum", "Noun", gbk(u"李")}}));
}

TEST_F(TextCommandsEngineTest, UnopenedFilesAreReportedAndTouchNothing)
{
    install("lang_sc.ini");
    access->MenuItemOpenEcClick();
    EXPECT_EQ(importEc(path("missing.txt")).failure, TextFailure::FileNotOpened);
    EXPECT_EQ(importCe(path("missing.txt")).failure, TextFailure::FileNotOpened);
    const TextCommandResult toEditor = ImportFileToEditor(path("missing.txt"), *editor);
    EXPECT_EQ(toEditor.failure, TextFailure::FileNotOpened);
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_FALSE(TextCommandSummary(toEditor, InterfaceLanguage::Simplified).empty());
    // An export file in a folder that is not there cannot be created.
    const TextCommandResult out = exportDictionary(path("no/such/folder.txt"));
    EXPECT_EQ(out.failure, TextFailure::FileNotCreated);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
        << "no temporary file left behind";
}

TEST_F(TextCommandsEngineTest, ExistingTemporaryNameIsNeverTouched)
{
    install("lang_sc.ini");
    for (const bool ce : {false, true}) {
        ce ? access->ActionFileOpenCeExecute() : access->MenuItemOpenEcClick();
        writeFile(folder / "in.txt", {{"word", "n", "t"}});
        ASSERT_TRUE((ce ? importCe(path("in.txt")) : importEc(path("in.txt"))).complete());
        std::ofstream(folder / "out.txt.tmp", std::ios::binary) << "the user's own file";
        std::ofstream(folder / "out.txt.1.tmp", std::ios::binary) << "another one";
        const TextCommandResult r = exportDictionary(path("out.txt"));
        EXPECT_TRUE(r.complete()) << TextCommandCounts(r);
        EXPECT_EQ(readBytes(folder / "out.txt.tmp"), "the user's own file");
        EXPECT_EQ(readBytes(folder / "out.txt.1.tmp"), "another one");
        EXPECT_FALSE(fs::exists(folder / "out.txt.2.tmp"));
        EXPECT_EQ(readRecords(folder / "out.txt", cp()).size(), 1u);
    }
}

TEST_F(TextCommandsEngineTest, MissingEcDictionaryLeavesTheChosenFileAlone)
{
    install("lang_sc.ini");
    access->MenuItemOpenEcClick();
    state.ecPath = path("ArticleS/UserEcGone");
    std::ofstream(folder / "keep.txt", std::ios::binary) << "precious";
    EXPECT_EQ(exportDictionary(path("keep.txt")).failure, TextFailure::EngineWroteNothing);
    EXPECT_EQ(readBytes(folder / "keep.txt"), "precious");
}

// A C-E engine whose dicopen fails from the third call on; everything else is the real one.
CeEntryPoints g_real;
int g_opens = 0;
int KELVARA_ENGINE_CALL failingOpen(const char* directory)
{
    return ++g_opens >= 3 ? 0 : g_real.dicOpen(directory);
}

TEST_F(TextCommandsEngineTest, DicopenFailingMidwayStopsAndReports)
{
    install("lang_sc.ini");
    access->ActionFileOpenCeExecute();
    writeFile(folder / "in.txt",
              {{"a1", "n", "x"}, {"a2", "n", "x"}, {"a3", "n", "x"}, {"a4", "n", "x"}});
    g_real = startup.ce.entryPoints();
    g_opens = 0;
    CeEntryPoints table = g_real;
    table.dicOpen = failingOpen;
    const CeBinding failing = CeBinding::fromTable(table);
    const TextCommandResult r = ImportFileToCeDictionary(path("in.txt"), failing,
                                                         startup.engineDirectoryBuffer, mark, cp());
    EXPECT_EQ(r.failure, TextFailure::EngineStopped);
    EXPECT_EQ(r.written, 2u);
    EXPECT_EQ(r.notOpened, 2u) << "the rest is read and accounted for";
    EXPECT_EQ(r.records, 4u);
    EXPECT_NE(TextCommandSummary(r, InterfaceLanguage::English).find(u"record 3"),
              std::u16string::npos);
    ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
    const auto out = readRecords(folder / "out.txt", cp());
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].source, "a1");
    EXPECT_EQ(out[1].source, "a2");
}

TEST_F(TextCommandsEngineTest, CancelBetweenRecordsKeepsWhatWasStored)
{
    install("lang_sc.ini");
    access->ActionFileOpenCeExecute();
    std::vector<EntryRecord> records;
    for (int i = 0; i < 50; ++i)
        records.push_back({"w" + std::to_string(i), "Noun", "t"});
    writeFile(folder / "in.txt", records);
    int calls = 0;
    const TextCommandResult r = importCe(path("in.txt"), [&](const TextProgress& p) {
        ++calls;
        EXPECT_EQ(p.records, 1u);
        EXPECT_EQ(p.workTotal, fs::file_size(folder / "in.txt"));
        return false; // Cancel at the first report
    });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.written, 1u);
    ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
    EXPECT_EQ(readRecords(folder / "out.txt", cp()),
              (std::vector<EntryRecord>{{"w0", gbk(u"名词"), "t"}}));
}

} // namespace
} // namespace kelvara
