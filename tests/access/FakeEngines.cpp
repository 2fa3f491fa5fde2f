#include "access/FakeEngines.h"

#include <algorithm>
#include <cstring>

namespace kelvara {

namespace {

void deliver(char* word, unsigned char* pos, char* translation, const EcFake::Entry& e)
{
    // The engine writes whole 256-byte buffers; longer texts are the engine's fault, not ours.
    std::strncpy(word, e.word.c_str(), 255);
    *pos = e.code;
    std::strncpy(translation, e.target.c_str(), 255);
}

int KELVARA_ENGINE_CALL ecOpen(const char* path)
{
    EcFake& f = EcFake::instance();
    f.calls.push_back(std::string("open ") + path);
    return f.openResult;
}

int KELVARA_ENGINE_CALL ecClose()
{
    EcFake::instance().calls.push_back("close");
    return EcFake::instance().closeResult;
}

int KELVARA_ENGINE_CALL ecSearch(char* word, unsigned char* pos, char* translation)
{
    EcFake& f = EcFake::instance();
    f.calls.push_back(std::string("search ") + word);
    f.nextEntry = 0;
    if (f.entries.empty())
        return 0;
    deliver(word, pos, translation, f.entries[f.nextEntry++]);
    return 1;
}

int KELVARA_ENGINE_CALL ecNext(char* word, unsigned char* pos, char* translation)
{
    EcFake& f = EcFake::instance();
    f.calls.push_back("next");
    if (f.nextEntry >= f.entries.size())
        return 0;
    deliver(word, pos, translation, f.entries[f.nextEntry++]);
    return 1;
}

int KELVARA_ENGINE_CALL ecModify(std::int32_t op, const char* source, std::int32_t pos,
                                 const char* target)
{
    EcFake& f = EcFake::instance();
    f.calls.push_back("modify " + std::string(1, static_cast<char>(op & 0xFF)) + "|" + source +
                      "|" + std::to_string(pos & 0xFF) + "|" + target);
    if (f.modifyResults.empty())
        return 1;
    const int result = f.modifyResults.front();
    f.modifyResults.erase(f.modifyResults.begin());
    return result;
}

int KELVARA_ENGINE_CALL ecDump(const char*, const char*)
{
    EcFake::instance().calls.push_back("dump");
    return 1;
}

int KELVARA_ENGINE_CALL ecUpdate()
{
    EcFake::instance().calls.push_back("update");
    return 1;
}

void spoilHandedOut(CeFake& f)
{
    std::fill(f.handedOut.begin(), f.handedOut.end(), 'X');
}

int KELVARA_ENGINE_CALL ceOpen(const char* dir)
{
    CeFake& f = CeFake::instance();
    spoilHandedOut(f);
    f.calls.push_back(std::string("open ") + dir);
    return f.openResult;
}

int KELVARA_ENGINE_CALL ceClose()
{
    CeFake& f = CeFake::instance();
    spoilHandedOut(f);
    f.calls.push_back("close");
    return f.closeResult;
}

int KELVARA_ENGINE_CALL ceMark(std::int32_t* mark)
{
    CeFake& f = CeFake::instance();
    spoilHandedOut(f);
    *mark = f.nextMark;
    f.calls.push_back("mark");
    return 1;
}

int KELVARA_ENGINE_CALL ceRelease(std::int32_t mark)
{
    CeFake& f = CeFake::instance();
    f.calls.push_back("release " + std::to_string(mark));
    return 1;
}

int KELVARA_ENGINE_CALL ceRetrieve(const char* word, const char** senseList)
{
    CeFake& f = CeFake::instance();
    f.calls.push_back(std::string("retrieve ") + word);
    const auto it = f.senses.find(word);
    f.handedOut = it == f.senses.end() ? std::string() : it->second;
    *senseList = f.handedOut.c_str();
    return it == f.senses.end() ? 0 : abi::kRetrieveFound;
}

int KELVARA_ENGINE_CALL ceDelete(const char* word)
{
    CeFake& f = CeFake::instance();
    spoilHandedOut(f);
    f.calls.push_back(std::string("delete ") + word);
    f.senses.erase(word);
    return 1;
}

int KELVARA_ENGINE_CALL ceAdd(const char* word, const char* pos, const char* translation)
{
    CeFake& f = CeFake::instance();
    spoilHandedOut(f);
    f.calls.push_back(std::string("add ") + word + "|" + pos + "|" + translation);
    // Like the engine: the six part-of-speech words show as their Chinese (GBK) labels.
    static const std::map<std::string, std::string> labels = {
        {"noun", "\xC3\xFB\xB4\xCA"},
        {"vt", "\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA"},
        {"vi", "\xB2\xBB\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA"},
        {"adj", "\xD0\xCE\xC8\xDD\xB4\xCA"},
        {"adv", "\xB8\xB1\xB4\xCA"},
        {"prep", "\xBD\xE9\xB4\xCA"}};
    const auto label = labels.find(pos);
    const std::string segment =
        std::string("(") + (label == labels.end() ? pos : label->second) + ") " + translation;
    std::string& text = f.senses[word];
    if (text.find(segment) == std::string::npos) // a sense is kept once
        text += segment;
    return 1;
}

int KELVARA_ENGINE_CALL ceExport(const char*)
{
    CeFake::instance().calls.push_back("export");
    return 1;
}

int KELVARA_ENGINE_CALL ceCreate(const char* dir, const char* path)
{
    CeFake& f = CeFake::instance();
    f.calls.push_back(std::string("create ") + dir + "|" + path);
    return f.createResult;
}

int KELVARA_ENGINE_CALL ceReset(const char* dir)
{
    CeFake::instance().calls.push_back(std::string("reset ") + dir);
    return 1;
}

} // namespace

EcFake& EcFake::instance()
{
    static EcFake fake;
    return fake;
}

EcBinding EcFake::reset()
{
    instance() = EcFake{};
    EcEntryPoints t;
    t.closeCstmRw = ecClose;
    t.getAllWordsToFile = ecDump;
    t.getNextWord = ecNext;
    t.modifyWord = ecModify;
    t.openCstmRw = ecOpen;
    t.searchWord = ecSearch;
    t.updateUserDict = ecUpdate;
    return EcBinding::fromTable(t);
}

CeFake& CeFake::instance()
{
    static CeFake fake;
    return fake;
}

CeBinding CeFake::reset()
{
    instance() = CeFake{};
    CeEntryPoints t;
    t.markGStack = ceMark;
    t.dicAdd = ceAdd;
    t.dicDelete = ceDelete;
    t.dicClose = ceClose;
    t.dicOpen = ceOpen;
    t.dicExport = ceExport;
    t.dicRetrieve = ceRetrieve;
    t.releaseGStack = ceRelease;
    t.dicCreate = ceCreate;
    t.dicReset = ceReset;
    return CeBinding::fromTable(t);
}

} // namespace kelvara
