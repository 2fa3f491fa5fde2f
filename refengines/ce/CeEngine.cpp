#include "ce/CeEngine.h"

#include "ce/CeLabels.h"
#include "common/ExportFile.h"
#include "engines/EngineAbi.h"

#include <new>
#include <vector>

namespace kelvara::ref {

namespace {

constexpr std::string_view kDefaultPos = "noun";

// What dicretrieve hands out when it has no sense list: never a null pointer.
const char* const kNoText = "";

} // namespace

CeEngine& TheCeEngine()
{
    static CeEngine engine;
    return engine;
}

std::string CeEngine::dictionaryPathFor(std::string_view engineDirectory) const
{
    const std::string_view key = TrimSeparators(engineDirectory);
    if (const auto it = m_created.find(key); it != m_created.end())
        return it->second;
    std::string path(key);
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    return path + kDictionaryName;
}

bool CeEngine::validWord(std::string_view word) const
{
    // A backslash would end the word early in the export line that dicexport writes.
    return !word.empty() && !HasLineBreak(word) && IsWellFormed(word, m_codePage) &&
           !HasSingleByteChar(word, '\\');
}

int CeEngine::open(const char* engineDirectory)
{
    const auto dir = BoundedText(engineDirectory, kPathCapacity);
    if (!dir || dir->empty())
        return 0;
    const std::string path = dictionaryPathFor(*dir);
    if (m_open) {
        if (m_store && m_store->database().stillAt(path))
            return 1;
        close();
    }
    m_codePage = CodePageOfFolder(*dir);
    if (!m_store || !m_store->database().stillAt(path)) {
        m_store.reset();
        m_store = CeStore::openOrCreate(path);
    }
    if (!m_store || !m_store->database().beginSession())
        return 0;
    m_open = true;
    return 1;
}

bool CeEngine::claimWrite()
{
    const Database::Claim claim = m_store->database().claimWrite();
    if (claim != Database::Claim::FileReplaced)
        return claim == Database::Claim::Writing;
    // The file at the path is another one since the open, which has not read anything yet:
    // the open moves to it, as a new open would.
    const std::string path = m_store->database().path();
    m_store.reset();
    m_store = CeStore::openOrCreate(path);
    if (!m_store || !m_store->database().beginSession()) {
        m_store.reset();
        m_open = false;
        return false;
    }
    return m_store->database().claimWrite() == Database::Claim::Writing;
}

int CeEngine::close()
{
    if (!m_open)
        return 0;
    m_open = false;
    return m_store && m_store->database().endSession() ? 1 : 0;
}

int CeEngine::markGStack(std::int32_t* mark)
{
    if (!mark)
        return 0;
    *mark = m_depth;
    if (m_depth < INT32_MAX)
        ++m_depth;
    return 1;
}

int CeEngine::releaseGStack(std::int32_t mark)
{
    // The sense list is deliberately left alone: the caller copies it after this call.
    if (mark < 0 || mark > m_depth)
        return 0;
    m_depth = mark;
    return 1;
}

int CeEngine::retrieve(const char* word, const char** senseList)
{
    if (!senseList)
        return 0;
    *senseList = kNoText;
    const auto w = BoundedText(word, kWordCapacity);
    if (!m_open || !w || w->empty())
        return 0;
    std::vector<CeSense> senses;
    if (!m_store->find(*w, senses))
        return 0;
    m_senseList.clear();
    for (const CeSense& s : senses) {
        m_senseList += '(';
        m_senseList += CeLabelFor(s.pos, m_codePage);
        m_senseList += ") ";
        m_senseList += s.translation;
    }
    *senseList = m_senseList.c_str();
    return senses.empty() ? kRetrieveAbsent : 2;
}

int CeEngine::remove(const char* word)
{
    const auto w = BoundedText(word, kWordCapacity);
    if (!m_open || !w || w->empty() || !claimWrite())
        return 0;
    bool ok = false;
    return m_store->removeWord(*w, ok) > 0 ? 1 : 0;
}

std::optional<CeSense> CeEngine::acceptable(const char* word, const char* pos,
                                            const char* translation,
                                            std::string_view& wordText) const
{
    const auto w = BoundedText(word, kWordCapacity);
    const auto p = BoundedText(pos, kPosCapacity);
    const auto t = BoundedText(translation, kWordCapacity);
    if (!m_open || !w || !p || !t || !validWord(*w))
        return std::nullopt;
    // An empty part of speech is the first of the list, as the utility's imports read it.
    const std::string_view posWord = p->empty() ? kDefaultPos : *p;
    if (HasLineBreak(posWord) || !IsWellFormed(posWord, m_codePage) ||
        HasSingleByteChar(posWord, '(') || HasSingleByteChar(posWord, ')') ||
        HasSingleByteChar(posWord, '\\'))
        return std::nullopt;
    if (t->empty() || HasLineBreak(*t) || !IsWellFormed(*t, m_codePage))
        return std::nullopt;
    wordText = *w;
    return CeSense{std::string(posWord), std::string(*t)};
}

int CeEngine::add(const char* word, const char* pos, const char* translation)
{
    std::string_view w;
    const std::optional<CeSense> sense = acceptable(word, pos, translation, w);
    if (!sense || !claimWrite())
        return 0;
    bool ok = false;
    // The same sense twice would show as two equal rows: it is kept once, and the answer
    // says so.
    if (m_store->holds(w, *sense, ok))
        return abi::kAddHeldAlready;
    return ok && m_store->add(w, *sense) ? 1 : 0;
}

int CeEngine::check(const char* word, const char* pos, const char* translation)
{
    std::string_view w;
    // The texts decide; the write lock is the add's own business, and a check takes none (it
    // only reads), so that a save's checks keep its later lock claim on the state it read.
    const std::optional<CeSense> sense = acceptable(word, pos, translation, w);
    if (!sense)
        return 0;
    bool ok = false;
    return m_store->holds(w, *sense, ok) ? abi::kAddHeldAlready : 1;
}

int CeEngine::abort()
{
    if (!m_open)
        return 0;
    m_open = false;
    if (m_store)
        m_store->database().rollback();
    return 1;
}

int CeEngine::exportTo(const char* textPath)
{
    const auto out = BoundedText(textPath, kPathCapacity);
    if (!m_open || !out || out->empty())
        return 0;
    const std::string outPath(*out);
    ExportFile text;
    if (!text.open(outPath.c_str()))
        return 0;
    bool ok = false;
    try {
        // The whole dictionary is held in memory for the sort: when it does not fit, the
        // export fails as a whole rather than leaving half a file.
        ExportRows rows;
        ok = m_store->readAll(rows);
        // posword \ source \ target, then our trailing character: one more backslash.
        for (std::size_t i = 0; ok && i < rows.size(); ++i) {
            const ExportRows::Row row = rows[i];
            text.append(row.first);
            text.append("\\");
            text.append(row.key);
            text.append("\\");
            text.append(row.second);
            text.append("\\\r\n");
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ok = text.close(ok);
    return ok ? 1 : 0;
}

int CeEngine::create(const char* engineDirectory, const char* path)
{
    const auto dir = BoundedText(engineDirectory, kPathCapacity);
    const auto file = BoundedText(path, kPathCapacity);
    if (!dir || dir->empty() || !file || file->empty())
        return 0;
    const std::string filePath(*file);
    if (CreateDictionaryFile(filePath, CeStore::format()) != CreateResult::Created)
        return 0;
    m_created[std::string(TrimSeparators(*dir))] = filePath;
    return 1;
}

int CeEngine::reset(const char* engineDirectory)
{
    const auto dir = BoundedText(engineDirectory, kPathCapacity);
    if (!dir || dir->empty())
        return 0;
    // An open dictionary stays open until dicclose; the next dicopen takes the folder's own.
    if (const auto it = m_created.find(TrimSeparators(*dir)); it != m_created.end())
        m_created.erase(it);
    return 1;
}

} // namespace kelvara::ref
