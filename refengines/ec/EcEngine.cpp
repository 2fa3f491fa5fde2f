#include "ec/EcEngine.h"

#include "common/ExportFile.h"

#include <new>

namespace kelvara::ref {

namespace {

// ASCII labels read back to the same code by the utility's import in either code page.
constexpr std::string_view kExportLabels[EcEngine::kPosCount] = {"Noun", "Verb", "Adj", "Adv",
                                                                 "Prep"};

constexpr std::string_view kLineEnd = "\r\n";

std::string dictionaryFileOf(std::string_view basePath)
{
    return std::string(basePath) + ".key";
}

} // namespace

EcEngine& TheEcEngine()
{
    static EcEngine engine;
    return engine;
}

std::string EcExportLabel(int pos)
{
    if (pos >= 0 && pos < EcEngine::kPosCount)
        return std::string(kExportLabels[pos]);
    return std::to_string(pos);
}

EcStore* EcEngine::storeFor(const std::string& filePath, bool create)
{
    if (m_store && m_store->database().stillAt(filePath))
        return m_store.get();
    m_store.reset();
    m_store = create ? EcStore::openOrCreate(filePath) : EcStore::openExisting(filePath);
    return m_store.get();
}

bool EcEngine::validText(std::string_view text) const
{
    return !text.empty() && !HasLineBreak(text) && IsWellFormed(text, m_codePage);
}

int EcEngine::open(const char* basePath)
{
    const auto base = BoundedText(basePath, kTextCapacity);
    if (!base || base->empty())
        return 0;
    const std::string file = dictionaryFileOf(*base);
    if (m_open) {
        if (m_store && m_store->database().stillAt(file))
            return 1;
        close();
    }
    m_found.clear();
    m_next = 0;
    m_codePage = CodePageOfFolder(FolderPart(*base));
    EcStore* store = storeFor(file, true);
    if (!store || !store->database().beginSession())
        return 0;
    m_open = true;
    return 1;
}

bool EcEngine::claimWrite()
{
    const Database::Claim claim = m_store->database().claimWrite();
    if (claim != Database::Claim::FileReplaced)
        return claim == Database::Claim::Writing;
    // The file at the path is another one since the open, which has not read anything yet:
    // the open moves to it, as a new open would.
    const std::string file = m_store->database().path();
    m_store.reset();
    if (!storeFor(file, true) || !m_store->database().beginSession()) {
        m_store.reset();
        m_open = false;
        return false;
    }
    return m_store->database().claimWrite() == Database::Claim::Writing;
}

int EcEngine::close()
{
    m_found.clear();
    m_next = 0;
    if (!m_open)
        return 0;
    m_open = false;
    return m_store && m_store->database().endSession() ? 1 : 0;
}

int EcEngine::deliver(char* word, unsigned char* pos, char* translation)
{
    if (m_next >= m_found.size())
        return 0;
    const EcEntry& e = m_found[m_next++];
    CopyToBuffer(e.source, word, kTextCapacity);
    *pos = static_cast<unsigned char>(e.pos);
    CopyToBuffer(e.target, translation, kTextCapacity);
    return 1;
}

int EcEngine::searchWord(char* word, unsigned char* pos, char* translation)
{
    m_found.clear();
    m_next = 0;
    if (!m_open || !pos || !translation)
        return 0;
    const auto term = BoundedText(word, kTextCapacity);
    if (!term || term->empty())
        return 0;
    if (!m_store->find(FoldAsciiCase(*term), m_found)) {
        m_found.clear();
        return 0;
    }
    return deliver(word, pos, translation);
}

int EcEngine::getNextWord(char* word, unsigned char* pos, char* translation)
{
    if (!m_open || !word || !pos || !translation)
        return 0;
    return deliver(word, pos, translation);
}

int EcEngine::modifyWord(std::int32_t op, const char* source, std::int32_t pos, const char* target)
{
    if (!m_open)
        return 0;
    const char letter = static_cast<char>(op & 0xFF);
    const int code = pos & 0xFF;
    const auto src = BoundedText(source, kTextCapacity);
    if (!src || !validText(*src) || code >= kPosCount)
        return 0;
    const std::string fold = FoldAsciiCase(*src);
    if (letter == 'D')
        return claimWrite() && m_store->remove(fold, code) ? 1 : 0;
    if (letter != 'A' && letter != 'M')
        return 0;
    const auto tgt = BoundedText(target, kTextCapacity);
    if (!tgt || !validText(*tgt) || !claimWrite())
        return 0;
    const EcEntry entry{std::string(*src), code, std::string(*tgt)};
    // "A" of an entry that exists is refused rather than overwriting it.
    const bool done = letter == 'A' ? m_store->add(entry, fold) : m_store->modify(entry, fold);
    return done ? 1 : 0;
}

int EcEngine::getAllWordsToFile(const char* textPath, const char* basePath)
{
    const auto out = BoundedText(textPath, kTextCapacity);
    const auto base = BoundedText(basePath, kTextCapacity);
    if (!out || out->empty() || !base || base->empty())
        return 0;
    const std::string file = dictionaryFileOf(*base);
    // Called outside open/close: read the dictionary in a transaction of its own, unless the
    // caller holds it open, and never create one.
    const bool ownTransaction = !(m_open && m_store && m_store->database().stillAt(file));
    if (ownTransaction && m_open)
        close();
    EcStore* store = ownTransaction ? storeFor(file, false) : m_store.get();
    if (!store)
        return 0;
    if (ownTransaction && !store->database().beginSession())
        return 0;

    const std::string outPath(*out);
    ExportFile text;
    bool ok = text.open(outPath.c_str());
    if (ok) {
        try {
            // The whole dictionary is held in memory for the sort: when it does not fit, the
            // export fails as a whole rather than leaving half a file.
            ExportRows rows;
            ok = store->readAll(rows);
            for (std::size_t i = 0; ok && i < rows.size(); ++i) {
                const ExportRows::Row row = rows[i];
                text.append(row.first);
                text.append(kLineEnd);
                const int pos = static_cast<int>(row.number);
                if (pos >= 0 && pos < kPosCount)
                    text.append(kExportLabels[pos]);
                else
                    text.append(EcExportLabel(pos));
                text.append(kLineEnd);
                text.append(row.second);
                text.append(kLineEnd);
            }
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        ok = text.close(ok);
    }
    if (ownTransaction)
        store->database().rollback();
    return ok ? 1 : 0;
}

} // namespace kelvara::ref
