#include "textio/EcHeldEntries.h"

#include "access/DictionaryNaming.h"
#include "engines/EcBinding.h"
#include "lang/PartOfSpeech.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/SignalCleanup.h"
#include "textio/EngineDumpFile.h"
#include "textio/EntryTextReader.h"
#include "textio/ExportTemporaryFile.h"
#include "textio/PosLabels.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kelvara {

namespace {

// Measured on the reference engines (textio_commands_bench, and kvdict on dictionaries of
// 100,000 to 430,000 entries): a Find costs about 2 us; an entry read from the dump costs
// 0.5 us in a dictionary of 100,000 and 1.5 us in one of 220,000, as the engine's sort and
// the map outgrow the processor's caches. A dictionary file spends some 2.5 times the bytes a
// text file gives a record: reading whole wins up to about three times the file's bytes at
// 16 MiB (by a fifth there, threefold at 7 MB), and adds at most some 40 MiB of memory.
constexpr std::uint64_t kMaxWholeDictionaryBytes = 16u << 20;
constexpr std::uint64_t kWholeReadBreakEven = 3;

std::optional<std::string> temporaryDumpPath()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        return std::nullopt;
    return FreeTemporaryExportPath(
        (folder / ("kvdict-check-" + std::to_string(::getpid()))).string());
}

// The source as the engine matches it, into key (emptied first).
void FoldEcSource(std::string_view source, int codePage, std::string& key)
{
    key.assign(source);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto b = static_cast<unsigned char>(key[i]);
        if (b >= 0x80 && IsLeadByte(b, codePage) && i + 1 < key.size())
            ++i; // the trail byte stays as it is
        else if (b >= 'A' && b <= 'Z')
            key[i] = static_cast<char>(b - 'A' + 'a');
    }
}

} // namespace

std::string EcIdentity(std::string_view source, unsigned char code, int codePage)
{
    std::string key;
    FoldEcSource(source, codePage, key);
    key.push_back('\0');
    key.push_back(static_cast<char>(code));
    return key;
}

EcHeldEntries::EcHeldEntries(const EcBinding& ec, int codePage) : m_ec(&ec), m_codePage(codePage) {}

std::optional<EcHeldEntries> EcHeldEntries::readWhole(const EcBinding& ec,
                                                      const std::string& ecPath, int codePage)
{
    const auto path = temporaryDumpPath();
    Buffer256 base;
    if (!path || !base.assign(ecPath))
        return std::nullopt;
    const EngineDumpFile dump(*path);
    int answer = 0;
    {
        const UninterruptibleEngineCall call;
        answer = ec.getAllWordsToFile(Buffer256(dump.path()), base);
    }
    // A dump cut short (a full disk) would make held records look new: only a dump the
    // engine says it finished is taken, otherwise Find answers.
    if (answer != 1 || !dump.written())
        return std::nullopt;
    auto reader = EntryTextReader::open(dump.path(), codePage, EncodingPolicy::CodePageOnly);
    if (!reader)
        return std::nullopt;
    ByteStringMap whole;
    const auto dumpBytes = static_cast<std::size_t>(FileSizeOrZero(dump.path()));
    whole.reserve(dumpBytes / 24, dumpBytes);
    // Three lines an entry, each view valid until the next read; the dump has a few labels.
    std::string identity;
    std::string lastLabel;
    unsigned char code = 0;
    while (!reader->atEnd()) {
        const std::string_view source = reader->readLineView();
        FoldEcSource(source, codePage, identity);
        const std::string_view label = reader->readLineView();
        if (lastLabel.empty() || label != lastLabel) {
            lastLabel.assign(label);
            code = PosLabelToCode(label, DictionaryKind::EC, codePage);
        }
        identity.push_back('\0');
        identity.push_back(static_cast<char>(code));
        if (!whole.assign(identity, reader->readLineView()))
            return std::nullopt;
    }
    if (reader->failed())
        return std::nullopt;
    EcHeldEntries entries(ec, codePage);
    entries.m_whole = std::move(whole);
    return entries;
}

EcHeldEntries EcHeldEntries::forCheck(const EcBinding& ec, const std::string& ecPath, int codePage,
                                      std::uint64_t inputBytes)
{
    if (ReadWholeEcDictionary(inputBytes, FileSizeOrZero(EcDictionaryFileOf(ecPath)))) {
        if (auto whole = readWhole(ec, ecPath, codePage))
            return std::move(*whole);
    }
    return EcHeldEntries(ec, codePage);
}

std::optional<std::string> EcHeldEntries::targetOf(const std::string& source,
                                                   unsigned char code) const
{
    if (m_whole) {
        const auto found = m_whole->find(EcIdentity(source, code, m_codePage));
        if (!found)
            return std::nullopt;
        return std::string(*found);
    }
    Buffer256 word(source);
    Buffer256 translation;
    unsigned char pos = 0;
    int found = m_ec->searchWord(word, pos, translation);
    while (found == 1) {
        if (pos == code)
            return translation.str();
        found = m_ec->getNextWord(word, pos, translation);
    }
    return std::nullopt;
}

bool ReadWholeEcDictionary(std::uint64_t inputBytes, std::uint64_t dictionaryBytes)
{
    return dictionaryBytes > 0 && dictionaryBytes <= kMaxWholeDictionaryBytes &&
           dictionaryBytes <= inputBytes * kWholeReadBreakEven;
}

} // namespace kelvara
