#include "access/RefusingCeEngine.h"

#include <cstring>

namespace kelvara {

namespace {

bool refusedByRule(const char* translation)
{
    const std::string& text = RefusingCeEngine::instance().refusedText;
    return !text.empty() && translation && std::strstr(translation, text.c_str()) != nullptr;
}

int KELVARA_ENGINE_CALL refusingAdd(const char* word, const char* pos, const char* translation)
{
    RefusingCeEngine& e = RefusingCeEngine::instance();
    const bool atRandom = e.refusedPerMille > 0 && std::uniform_int_distribution<unsigned>(0, 999)(
                                                       e.rng) < e.refusedPerMille;
    const bool next = e.refuseNextAdds > 0;
    if (next)
        --e.refuseNextAdds;
    if (refusedByRule(translation) || atRandom || next) {
        ++e.refusedAdds;
        return 0;
    }
    return e.real.dicAdd(word, pos, translation);
}

int KELVARA_ENGINE_CALL ruleCheck(const char* word, const char* pos, const char* translation)
{
    RefusingCeEngine& e = RefusingCeEngine::instance();
    const int answer = refusedByRule(translation) ? 0 : e.real.dicCheck(word, pos, translation);
    if (answer == 0)
        ++e.refusedChecks;
    return answer;
}

int KELVARA_ENGINE_CALL countedAbort()
{
    RefusingCeEngine& e = RefusingCeEngine::instance();
    ++e.aborts;
    return e.real.dicAbort();
}

} // namespace

RefusingCeEngine& RefusingCeEngine::instance()
{
    static RefusingCeEngine engine;
    return engine;
}

CeBinding RefusingCeEngine::wrap(const CeBinding& realEngine, bool withCheck, bool withAbort)
{
    RefusingCeEngine& e = instance();
    e = RefusingCeEngine{};
    e.real = realEngine.entryPoints();
    CeEntryPoints table = e.real;
    table.dicAdd = &refusingAdd;
    table.dicCheck = withCheck ? &ruleCheck : nullptr;
    table.dicAbort = withAbort ? &countedAbort : nullptr;
    return CeBinding::fromTable(table);
}

} // namespace kelvara
