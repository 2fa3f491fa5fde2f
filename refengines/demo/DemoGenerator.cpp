// Builds the sample dictionaries of one engine folder of the demo installation. It drives
// the engines through their entry points exactly as the utility does (open_cstm_RW,
// ModifyWord "A", close_cstm_RW; dicopen, a bracketed dicadd, dicclose per entry) from the
// UTF-8 sample list, converted to the folder's code page: Big5 for ArticleT, GBK otherwise.
//
//   kelvara_demo_generator <samples.txt> <engine folder> <E-C name> <Ecbank.dll> <Hanbank.dll>
//
// Existing dictionaries of that folder are replaced: the build keeps the generated ones in
// a folder of its own and copies them into the demo only where the demo has none.

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"
#include "platform/Paths.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace kelvara;

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

// UTF-8 to the engine folder's code page; false when a character has no form there.
bool convert(const std::string& utf8, const char* codePage, std::string& out)
{
    iconv_t cd = iconv_open(codePage, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string buffer(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const bool ok = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    out.assign(buffer.data(), buffer.size() - outLeft);
    return ok && inLeft == 0;
}

void removeDictionary(const std::string& path)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        ::unlink((path + suffix).c_str());
}

int fail(const std::string& what)
{
    std::fprintf(stderr, "kelvara_demo_generator: %s\n", what.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
        return fail("usage: <samples.txt> <engine folder> <E-C name> <Ecbank.dll> <Hanbank.dll>");
    const std::string samples = argv[1];
    std::string folder = argv[2];
    if (folder.empty() || folder.back() != kPathSeparator)
        folder.push_back(kPathSeparator);
    const std::string ecBase = folder + argv[3];
    const bool traditional = FileNameOf(folder.substr(0, folder.size() - 1)) == "ArticleT";
    const char* codePage = traditional ? "CP950" : "CP936";

    EcBinding ec;
    CeBinding ce;
    if (!ec.load(Buffer256(argv[4])) || !ce.load(Buffer256(argv[5])))
        return fail("cannot load the engines");

    std::ifstream in(samples);
    if (!in)
        return fail("cannot read " + samples);
    removeDictionary(ecBase + ".key");
    removeDictionary(folder + "UserCe.ext");

    const Buffer256 ecPath(ecBase);
    const Buffer256 engineDirectory(folder);
    if (ec.openCstmRw(ecPath) != 1)
        return fail("cannot create " + ecBase + ".key");
    int lineNumber = 0;
    int ecCount = 0;
    int ceCount = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = splitTabs(line);
        const std::string where = samples + ":" + std::to_string(lineNumber);
        if (f.size() == 5 && f[0] == "ec") {
            std::string target;
            if (!convert(traditional ? f[4] : f[3], codePage, target))
                return fail(where + ": the target has no form in " + codePage);
            Buffer256 source;
            Buffer256 targetBuffer;
            if (!source.assign(f[1]) || !targetBuffer.assign(target))
                return fail(where + ": text too long");
            const int pos = std::stoi(f[2]);
            if (ec.modifyWord('A', source, static_cast<unsigned char>(pos), targetBuffer) != 1)
                return fail(where + ": the E-C engine refused the entry");
            ++ecCount;
        } else if (f.size() == 5 && f[0] == "ce") {
            std::string word;
            if (!convert(traditional ? f[2] : f[1], codePage, word))
                return fail(where + ": the word has no form in " + codePage);
            Buffer128 wordBuffer;
            Buffer16 posBuffer;
            Buffer128 translation;
            if (!wordBuffer.assign(word) || !posBuffer.assign(f[3]) || !translation.assign(f[4]))
                return fail(where + ": text too long");
            if (ce.dicOpen(engineDirectory) == 0)
                return fail("cannot open the C-E dictionary in " + folder);
            std::int32_t mark = 0;
            ce.markGStack(mark);
            ce.dicAdd(wordBuffer, posBuffer, translation);
            ce.releaseGStack(mark);
            ce.dicClose();
            ++ceCount;
        } else {
            return fail(where + ": not a sample line");
        }
    }
    ec.closeCstmRw();
    // Unloading closes the engines' connections, which folds the write-ahead logs into the
    // dictionary files: each file is whole by itself afterwards.
    ec.unload();
    ce.unload();
    std::printf("%s: %d E-C and %d C-E sample entries (%s)\n", folder.c_str(), ecCount, ceCount,
                codePage);
    return 0;
}
