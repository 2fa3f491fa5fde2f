// Random editing sessions over the reference engines, checked against a model of what the
// dictionary must hold: after every save the engine's own export is compared with the model,
// and every row shown as stored must be a sense the dictionary holds.

#include "access/EngineSessionFixture.h"
#include "lang/AccessMessages.h"
#include "lang/PartOfSpeech.h"

#include <algorithm>
#include <array>
#include <map>
#include <random>

namespace kelvara {
namespace {

constexpr std::array<const char*, 6> kCeWords = {"noun", "vt", "vi", "adj", "adv", "prep"};

struct CeSense
{
    std::string pos; ///< the engine's part-of-speech word
    std::string translation;
    bool operator==(const CeSense&) const = default;
};
using CeModel = std::map<std::string, std::vector<CeSense>>;

void PrintTo(const CeSense& s, std::ostream* os)
{
    *os << "(" << ::testing::PrintToString(s.pos) << " " << ::testing::PrintToString(s.translation)
        << ")";
}

/// Splits an engine export line "pos\source\target\" at the backslashes that are characters of
/// their own (a double-byte character may end in 0x5C).
std::vector<std::string> exportFields(const std::string& line, int codePage)
{
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (IsLeadByte(byte, codePage) && i + 1 < line.size()) {
            fields.back() += line.substr(i++, 2);
        } else if (line[i] == '\\' && fields.size() < 3) {
            fields.emplace_back();
        } else {
            fields.back() += line[i];
        }
    }
    if (!fields.back().empty() && fields.back().back() == '\\')
        fields.back().pop_back();
    return fields;
}

std::string trimBlanks(std::string s)
{
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

class CeSaveModelTest : public EngineSessionTest
{
public:
    void begin(bool traditional)
    {
        install(traditional ? "lang_tc.ini" : "lang_sc.ini", traditional);
        codePage = startup.codePage();
        labels = CePartOfSpeechLabels(traditional ? InterfaceLanguage::Traditional
                                                  : InterfaceLanguage::Simplified);
        access->ActionFileOpenCeExecute();
    }

    CeModel exportDictionary()
    {
        // The engine creates its export file new: the last one goes first.
        const fs::path file = folder / "export.txt";
        fs::remove(file);
        EXPECT_NE(ceEngine().dicOpen(startup.engineDirectoryBuffer), 0);
        Buffer256 path;
        EXPECT_TRUE(path.assign(file.string()));
        ceEngine().dicExport(path);
        EXPECT_NE(ceEngine().dicClose(), 0);
        CeModel out;
        std::ifstream in(file, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const auto f = exportFields(line, codePage);
            if (f.size() == 3)
                out[f[1]].push_back({f[0], f[2]});
        }
        return out;
    }

    /// Another program adds a sense: the engine stores it as it comes.
    void seed(const std::string& word, const CeSense& sense)
    {
        ASSERT_NE(ceEngine().dicOpen(startup.engineDirectoryBuffer), 0);
        std::int32_t mark = 0;
        ceEngine().markGStack(mark);
        ceEngine().dicAdd(Buffer128(word.c_str()), Buffer16(sense.pos.c_str()),
                          Buffer128(sense.translation.c_str()));
        ceEngine().releaseGStack(mark);
        ASSERT_NE(ceEngine().dicClose(), 0);
    }

    std::string labelOf(const std::string& pos) const
    {
        for (std::size_t i = 0; i < kCeWords.size(); ++i)
            if (pos == kCeWords[i])
                return std::string(labels[i]);
        return pos;
    }
    std::string posOf(const std::string& label) const
    {
        for (std::size_t i = 0; i < labels.size(); ++i)
            if (label == labels[i])
                return kCeWords[i];
        return label;
    }

    /// A translation a stored sense may hold without the save having a second reading of it.
    static bool plain(const std::vector<CeSense>& senses)
    {
        return std::all_of(senses.begin(), senses.end(), [](const CeSense& s) {
            return s.translation.find_first_of("()") == std::string::npos &&
                   s.translation.back() != ' ' && s.translation.front() != ' ';
        });
    }

    int codePage = kCodePageGbk;
    std::span<const std::string_view> labels;
};

/// One random session: Find, Add with a picked part of speech and a typed translation, Modify,
/// Delete, another program adding senses, Save; the model is checked after every save.
class CeSaveModelRun
{
public:
    CeSaveModelRun(CeSaveModelTest& t, std::vector<std::string> words,
                   std::vector<std::string> typed, std::vector<std::string> nasty, unsigned seed)
        : t(t), words(std::move(words)), typed(std::move(typed)), nasty(std::move(nasty)), rng(seed)
    {}

    /// Texts the refusing engine's rule may come to refuse ("" refuses none); empty when the
    /// engine is the reference engine alone.
    std::vector<std::string> refusable;

    void run(int operations)
    {
        model = t.exportDictionary();
        find(); // the grid of an earlier session is not this one's to track
        for (int op = 0; op < operations && !::testing::Test::HasFailure(); ++op) {
            switch (pick(refusable.empty() ? 6 : 7)) {
            case 6:
                // The engine's rules change under the dictionary (the other code page).
                RefusingCeEngine::instance().refusedText = any(refusable);
                break;
            case 0:
                find();
                break;
            case 1:
                add();
                break;
            case 2:
                modify();
                break;
            case 3:
                remove();
                break;
            case 4:
                seedNasty();
                break;
            default:
                save();
                break;
            }
        }
        save();
    }

    int saves = 0;
    int abandoned = 0;    ///< saves that stored nothing
    int refusedWords = 0; ///< words a save did not write
    int writtenWords = 0;

private:
    struct Tracked
    {
        std::optional<CeSense> origin; ///< the stored sense the row shows, when the test knows it
    };

    std::size_t pick(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    }
    template <typename T> const T& any(const std::vector<T>& v) { return v[pick(v.size())]; }
    std::vector<CeSense> sensesOf(const std::string& word) const
    {
        const auto at = model.find(word);
        return at == model.end() ? std::vector<CeSense>{} : at->second;
    }
    int rowCount() const { return t.editor->isPlaceholder() ? 0 : t.editor->dataRowCount(); }

    void find()
    {
        const std::string word = any(words);
        t.prompts->saveAnswers = {SavePromptAnswer::No};
        t.access->MenuItemFindClick(word);
        ASSERT_FALSE(t.editor->changed());
        // Find shows the senses last first; where each row is one sense, the test knows it.
        const std::vector<CeSense> senses = sensesOf(word);
        tracked.assign(static_cast<std::size_t>(rowCount()), {});
        if (static_cast<std::size_t>(rowCount()) != senses.size())
            return;
        for (int r = 1; r <= rowCount(); ++r) {
            const CeSense& s = senses[senses.size() - static_cast<std::size_t>(r)];
            if (t.editor->cell(kColPartOfSpeech, r) != t.labelOf(s.pos) ||
                t.editor->cell(kColTarget, r) != trimBlanks(s.translation)) {
                tracked.assign(tracked.size(), {});
                return;
            }
            tracked.at(static_cast<std::size_t>(r - 1)).origin = s;
        }
    }

    void add()
    {
        const bool placeholder = t.editor->isPlaceholder();
        ASSERT_TRUE(t.editor->MenuItemAddClick(any(words)));
        if (!placeholder)
            tracked.push_back({});
        else
            tracked.assign(1, {});
        const int r = t.editor->currentRow();
        if (pick(3) != 0) {
            ASSERT_TRUE(t.editor->selectCell(kColPartOfSpeech, r));
            ASSERT_TRUE(t.editor->MenuItemModifyClick());
            t.editor->ComboBoxTypeChange(static_cast<int>(pick(kCeWords.size())));
        }
        if (pick(5) != 0)
            type(r, any(typed));
    }

    void type(int r, const std::string& text)
    {
        ASSERT_TRUE(t.editor->selectCell(kColTarget, r));
        if (!t.editor->MenuItemModifyClick())
            return;
        // What the in-place editor refuses never reaches the grid.
        if (t.access->checkCellInput(kColTarget, text).empty())
            t.editor->StringGridDictSetEditText(kColTarget, r, text);
    }

    void modify()
    {
        if (rowCount() > 0)
            type(static_cast<int>(1 + pick(static_cast<std::size_t>(rowCount()))), any(typed));
    }

    void remove()
    {
        if (rowCount() == 0)
            return;
        ASSERT_TRUE(t.editor->selectCell(
            kColTarget, static_cast<int>(1 + pick(static_cast<std::size_t>(rowCount())))));
        if (t.editor->deleteAvailable(true)) {
            ASSERT_TRUE(t.editor->MenuItemDeleteClick());
        }
    }

    void seedNasty()
    {
        const std::string word = any(words);
        const CeSense sense{kCeWords[pick(kCeWords.size())], any(nasty)};
        t.seed(word, sense);
        auto& senses = model[word];
        if (std::find(senses.begin(), senses.end(), sense) == senses.end())
            senses.push_back(sense);
    }

    void save()
    {
        struct Before
        {
            std::string mark, source, label, target;
            std::optional<CeSense> origin;
        };
        std::vector<Before> before;
        for (int r = 1; r <= rowCount(); ++r)
            before.push_back({t.editor->mark(r), t.editor->cell(kColSource, r),
                              t.editor->cell(kColPartOfSpeech, r), t.editor->cell(kColTarget, r),
                              tracked.at(static_cast<std::size_t>(r - 1)).origin});
        const std::size_t messagesBefore = t.prompts->messages.size();
        const RefusingCeEngine& engine = RefusingCeEngine::instance();
        const int refusalsBefore = engine.refusedAdds + engine.refusedChecks;
        t.access->MenuItemSaveClick();
        ++saves;
        const CeModel stored = t.exportDictionary();
        const bool engineRefused = engine.refusedAdds + engine.refusedChecks != refusalsBefore;

        if (t.prompts->messages.size() > messagesBefore &&
            t.prompts->messages.back().text == DictionaryNotWrittenMessage(t.startup.language)) {
            // The save was abandoned: nothing of it is stored, every row asks what it asked.
            ++abandoned;
            EXPECT_TRUE(engineRefused) << "a save abandoned with nothing refused";
            EXPECT_EQ(stored, model) << "after abandoned save " << saves;
            ASSERT_EQ(static_cast<std::size_t>(rowCount()), before.size());
            for (int r = 1; r <= rowCount(); ++r)
                EXPECT_EQ(t.editor->mark(r), before[static_cast<std::size_t>(r - 1)].mark);
            EXPECT_TRUE(t.editor->changed());
            return;
        }

        // The rows after the save are the rows before, less the ones that left the grid.
        std::vector<std::size_t> kept; // index into before, per row now
        for (std::size_t b = 0;
             b < before.size() && kept.size() < static_cast<std::size_t>(rowCount()); ++b) {
            const int r = static_cast<int>(kept.size()) + 1;
            if (t.editor->cell(kColSource, r) == before[b].source &&
                t.editor->cell(kColPartOfSpeech, r) == before[b].label &&
                t.editor->cell(kColTarget, r) == before[b].target && before[b].mark != "d")
                kept.push_back(b);
        }
        ASSERT_EQ(kept.size(), static_cast<std::size_t>(rowCount())) << "rows changed their text";
        std::vector<std::string> after(before.size(), "gone");
        for (std::size_t r = 0; r < kept.size(); ++r)
            after[kept[r]] = t.editor->mark(static_cast<int>(r) + 1);

        CeModel expected = model;
        std::map<std::string, std::vector<std::size_t>> byWord;
        for (std::size_t b = 0; b < before.size(); ++b)
            if (before[b].mark == "A" || before[b].mark == "M" || before[b].mark == "D")
                byWord[before[b].source].push_back(b);
        for (const auto& [word, rows] : byWord) {
            std::vector<std::size_t> valid;
            for (const std::size_t b : rows) {
                if (before[b].mark != "D" && before[b].target.empty())
                    EXPECT_EQ(after[b], "E") << "a sense without translation shown as stored";
                else
                    valid.push_back(b);
            }
            const auto refused = std::count_if(valid.begin(), valid.end(),
                                               [&](std::size_t b) { return after[b] == "E"; });
            if (refused > 0) {
                EXPECT_EQ(static_cast<std::size_t>(refused), valid.size())
                    << "a word is written whole or not at all: " << [&] {
                           std::string out;
                           for (const std::size_t v : valid)
                               out += before[v].mark + "|" + before[v].label + "|" +
                                      before[v].target + "|" + (before[v].origin ? "known" : "-") +
                                      " -> " + after[v] + "\n";
                           return out;
                       }();
                const bool unknownOrigin =
                    std::any_of(valid.begin(), valid.end(), [&](std::size_t b) {
                        return before[b].mark != "A" && !before[b].origin;
                    });
                EXPECT_TRUE(unknownOrigin || engineRefused ||
                            !CeSaveModelTest::plain(sensesOf(word)))
                    << "a plain word was refused";
                ++refusedWords;
                continue; // nothing of the word may have changed
            }
            ++writtenWords;
            std::vector<CeSense>& senses = expected[word];
            for (const std::size_t b : valid) {
                if (before[b].mark == "A")
                    continue;
                ASSERT_TRUE(before[b].origin) << "a row of unknown origin was written";
                const auto at = std::find(senses.begin(), senses.end(), *before[b].origin);
                if (at != senses.end())
                    senses.erase(at);
            }
            for (const std::size_t b : valid) {
                const CeSense own{t.posOf(before[b].label), before[b].target};
                if (before[b].mark != "D" &&
                    std::find(senses.begin(), senses.end(), own) == senses.end())
                    senses.push_back(own);
            }
            if (senses.empty())
                expected.erase(word);
        }
        EXPECT_EQ(stored, expected) << "after save " << saves;
        model = stored;

        // Every row this save shows as stored is a sense the dictionary holds (rows Find showed
        // keep what Find made of the stored text); nothing is left pending.
        for (int r = 1; r <= rowCount(); ++r) {
            const std::string& mark = t.editor->mark(r);
            EXPECT_TRUE(mark == " " || mark == "E") << "row " << r << " marked \"" << mark << "\"";
            const std::string& was = before.at(kept.at(static_cast<std::size_t>(r - 1))).mark;
            if (mark != " " || (was != "A" && was != "M"))
                continue;
            const auto senses = sensesOf(t.editor->cell(kColSource, r));
            const bool held = std::any_of(senses.begin(), senses.end(), [&](const CeSense& s) {
                return t.labelOf(s.pos) == t.editor->cell(kColPartOfSpeech, r) &&
                       (s.translation == t.editor->cell(kColTarget, r) ||
                        trimBlanks(s.translation) == t.editor->cell(kColTarget, r));
            });
            EXPECT_TRUE(held) << "row " << r << " shown stored but not in the dictionary: "
                              << ::testing::PrintToString(t.rows());
        }
        EXPECT_EQ(t.editor->changed(), t.editor->countRowsMarked("E") > 0);
        EXPECT_LE(t.prompts->messages.size(), messagesBefore + 1) << "one message at most";

        // Rows written now show the sense they wrote; the others keep what they showed.
        std::vector<Tracked> next;
        for (const std::size_t b : kept) {
            Tracked row{before[b].origin};
            if ((before[b].mark == "A" || before[b].mark == "M") && after[b] == " ")
                row.origin = CeSense{t.posOf(before[b].label), before[b].target};
            next.push_back(row);
        }
        tracked = std::move(next);
    }

    CeSaveModelTest& t;
    std::vector<std::string> words, typed, nasty;
    std::mt19937 rng;
    CeModel model;
    std::vector<Tracked> tracked;
};

TEST_F(CeSaveModelTest, RandomSessionsStoreExactlyWhatTheRowsAsk)
{
    begin(false);
    // 乗 is 81 5C in GBK: its trail byte is a backslash.
    const std::vector<std::string> words{gbk(u"打"), gbk(u"书"), gbk(u"乗"), "\x81\x5C\x81\x5C",
                                         gbk(u"药")};
    const std::vector<std::string> typed{"apple",      "a b",      " lead", "trail ", "x",
                                         gbk(u"苹果"), "\x81\x5C", "",      "dozen",  "a (b)"};
    const std::vector<std::string> nasty{"apple (fruit) tree", "   ",  "a)b",    "x(",
                                         "tail (fruit)",       "end ", " both ", "plain",
                                         gbk(u"书本")};
    int saves = 0;
    for (unsigned seed = 1; seed <= 400 && !HasFailure(); ++seed) {
        CeSaveModelRun session(*this, words, typed, nasty, seed);
        session.run(25);
        saves += session.saves;
    }
    RecordProperty("saves", saves);
}

/// Over an engine whose rules change and that refuses adds at random, every save leaves each
/// word as it was or as its rows asked, and is abandoned whole when a word cannot be put back.
void RunRefusingSessions(CeSaveModelTest& t, bool engineChecks, unsigned seeds)
{
    t.begin(false);
    t.refuseCeAdds(engineChecks, true);
    RefusingCeEngine::instance().refusedPerMille = 30;
    // Senses that other programs add are ones the save can read back, so that words are
    // rewritten often; the rule then refuses some of them.
    const std::vector<std::string> words{gbk(u"打"), gbk(u"书"), gbk(u"乗"), "\x81\x5C\x81\x5C",
                                         gbk(u"药")};
    const std::vector<std::string> typed{"apple", "a b", " lead", "x", gbk(u"苹果"), "", "dozen"};
    const std::vector<std::string> nasty{"plain", gbk(u"书本"), "apple", "x y"};
    const std::vector<std::string> refusable{"", "", "apple", "x", "plain", "a", gbk(u"书本")};
    int saves = 0, abandoned = 0, refusedWords = 0, writtenWords = 0;
    for (unsigned seed = 1; seed <= seeds && !::testing::Test::HasFailure(); ++seed) {
        RefusingCeEngine::instance().refusedText.clear();
        RefusingCeEngine::instance().rng.seed(seed);
        CeSaveModelRun session(t, words, typed, nasty, 5000 + seed);
        session.refusable = refusable;
        session.run(25);
        saves += session.saves;
        abandoned += session.abandoned;
        refusedWords += session.refusedWords;
        writtenWords += session.writtenWords;
    }
    // Every way a save can end was taken.
    EXPECT_GT(abandoned, 0);
    EXPECT_GT(refusedWords, 0);
    EXPECT_GT(writtenWords, 100);
    if (engineChecks) {
        EXPECT_GT(RefusingCeEngine::instance().refusedChecks, 0);
    }
    ::testing::Test::RecordProperty("saves", saves);
    ::testing::Test::RecordProperty("abandoned", abandoned);
}

TEST_F(CeSaveModelTest, RandomSessionsOverAnEngineThatRefuses)
{
    RunRefusingSessions(*this, true, 200);
}

TEST_F(CeSaveModelTest, RandomSessionsOverAnEngineThatRefusesWithoutItsCheck)
{
    RunRefusingSessions(*this, false, 200);
}

TEST_F(CeSaveModelTest, RandomSessionsOnTheTraditionalPlatform)
{
    begin(true);
    // 許 (B3 5C) and 功 (A5 5C) end in a backslash byte in Big5.
    const std::vector<std::string> words{"\xB3\x5C", "\xA5\x5C\xB3\x5C", "\xA4\xA4"};
    const std::vector<std::string> typed{"allow", "\xB3\x5C", " x ", "", "merit"};
    const std::vector<std::string> nasty{"a (b) c", "   ", "\xB3\x5C", "q)"};
    for (unsigned seed = 1; seed <= 200 && !HasFailure(); ++seed) {
        CeSaveModelRun session(*this, words, typed, nasty, 1000 + seed);
        session.run(25);
    }
}

/// The E-C model: an entry is its source folded in ASCII case and its part-of-speech code.
struct EcEntry
{
    std::string source;
    std::string target;
    bool operator==(const EcEntry&) const = default;
};
using EcModel = std::map<std::pair<std::string, int>, EcEntry>;

std::string folded(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

class EcSaveModelTest : public EngineSessionTest
{
protected:
    EcModel exportDictionary()
    {
        static const std::array<std::string, 5> labels = {"Noun", "Verb", "Adj", "Adv", "Prep"};
        // The engine creates its export file new: the last one goes first.
        const fs::path file = folder / "export.txt";
        fs::remove(file);
        Buffer256 path;
        EXPECT_TRUE(path.assign(file.string()));
        EcModel out;
        if (startup.ec.getAllWordsToFile(path, Buffer256(state.ecPath.c_str())) == 0)
            return out;
        std::ifstream in(file, std::ios::binary);
        std::string lines[3];
        while (std::getline(in, lines[0]) && std::getline(in, lines[1]) &&
               std::getline(in, lines[2])) {
            for (std::string& l : lines)
                if (!l.empty() && l.back() == '\r')
                    l.pop_back();
            const auto code = std::find(labels.begin(), labels.end(), lines[1]) - labels.begin();
            out[{folded(lines[0]), static_cast<int>(code)}] = {lines[0], lines[2]};
        }
        return out;
    }
    void type(int r, const std::string& text)
    {
        ASSERT_TRUE(editor->selectCell(kColTarget, r));
        if (editor->MenuItemModifyClick() && access->checkCellInput(kColTarget, text).empty())
            editor->StringGridDictSetEditText(kColTarget, r, text);
    }
    int rowCount() const { return editor->isPlaceholder() ? 0 : editor->dataRowCount(); }
};

TEST_F(EcSaveModelTest, RandomSessionsStoreExactlyWhatTheRowsAsk)
{
    install("lang_sc.ini");
    access->MenuItemOpenEcClick();
    ASSERT_TRUE(state.open);
    const std::vector<std::string> words{"apple", "Apple", "a b", "(x)", "\x81\x5C", "pear"};
    const std::vector<std::string> typed{"x",          "",         " lead", "a (b) c",
                                         gbk(u"苹果"), "\x81\x5C", "y  "};
    std::mt19937 rng(7);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    EcModel model = exportDictionary();
    int saves = 0;
    for (int op = 0; op < 10000 && !HasFailure(); ++op) {
        switch (pick(5)) {
        case 0:
            prompts->saveAnswers = {SavePromptAnswer::No};
            access->MenuItemFindClick(words[pick(words.size())]);
            break;
        case 1:
            ASSERT_TRUE(editor->MenuItemAddClick(words[pick(words.size())]));
            if (pick(3) != 0) {
                ASSERT_TRUE(editor->selectCell(kColPartOfSpeech, editor->currentRow()));
                ASSERT_TRUE(editor->MenuItemModifyClick());
                editor->ComboBoxTypeChange(static_cast<int>(pick(kEcPartOfSpeechCount)));
            }
            type(editor->currentRow(), typed[pick(typed.size())]);
            break;
        case 2:
            if (rowCount() > 0)
                type(static_cast<int>(1 + pick(static_cast<std::size_t>(rowCount()))),
                     typed[pick(typed.size())]);
            break;
        case 3:
            if (rowCount() > 0 &&
                editor->selectCell(
                    kColTarget, static_cast<int>(1 + pick(static_cast<std::size_t>(rowCount())))) &&
                editor->deleteAvailable(true))
                editor->MenuItemDeleteClick();
            break;
        default: {
            // The engine takes the rows one by one, in order: predict each answer.
            EcModel expected = model;
            std::vector<std::string> marks;
            for (int r = 1; r <= rowCount(); ++r) {
                const std::string mark = editor->mark(r);
                const std::string& source = editor->cell(kColSource, r);
                const std::string& target = editor->cell(kColTarget, r);
                const int code = editor->partOfSpeechIndexOf(editor->cell(kColPartOfSpeech, r));
                const auto key = std::make_pair(folded(source), code);
                const bool held = expected.count(key) > 0;
                std::string after = mark;
                if (mark == "A") {
                    after = held || target.empty() ? "E" : " ";
                    if (after == " ")
                        expected[key] = {source, target};
                } else if (mark == "M") {
                    after = held && !target.empty() ? " " : "E";
                    if (after == " ")
                        expected[key] = {source, target};
                } else if (mark == "D") {
                    after = held ? "d" : "E";
                    expected.erase(key);
                }
                if (after != "d")
                    marks.push_back(after);
            }
            access->MenuItemSaveClick();
            ++saves;
            model = exportDictionary();
            ASSERT_EQ(model, expected) << "after save " << saves;
            std::vector<std::string> shown;
            for (int r = 1; r <= rowCount(); ++r)
                shown.push_back(editor->mark(r));
            EXPECT_EQ(shown, marks) << "after save " << saves;
            EXPECT_EQ(editor->changed(), editor->countRowsMarked("E") > 0);
        }
        }
    }
    EXPECT_GT(saves, 1500);
}

} // namespace
} // namespace kelvara
