#include "engines/EngineSessions.h"

namespace kelvara {

EcSession::EcSession(const EcBinding& ec, const Buffer256& basePath) : m_ec(ec)
{
    m_open = m_ec.openCstmRw(basePath) == 1;
}

EcSession::~EcSession()
{
    (void)close();
}

bool EcSession::close()
{
    if (m_closed)
        return false;
    m_closed = true;
    const int committed = m_ec.closeCstmRw();
    return m_open && committed == 1;
}

CeSession::CeSession(const CeBinding& ce, const Buffer256& engineDirectory, std::int32_t& stackMark)
    : m_ce(ce), m_stackMark(stackMark)
{
    m_open = m_ce.dicOpen(engineDirectory) != 0;
}

CeSession::~CeSession()
{
    (void)close();
}

CeSession::Retrieved CeSession::retrieve(const Buffer128& word)
{
    Retrieved out;
    const char* senseList = nullptr;
    m_ce.markGStack(m_stackMark);
    out.result = m_ce.dicRetrieve(word, senseList);
    // Copied before the release: the engine may reuse the text at its next call.
    out.senseList = senseList ? senseList : "";
    m_ce.releaseGStack(m_stackMark);
    return out;
}

void CeSession::remove(const Buffer128& word)
{
    m_ce.markGStack(m_stackMark);
    m_ce.dicDelete(word);
    m_ce.releaseGStack(m_stackMark);
}

int CeSession::add(const Buffer128& word, const Buffer16& engineWord, const Buffer128& translation)
{
    m_ce.markGStack(m_stackMark);
    const int result = m_ce.dicAdd(word, engineWord, translation);
    m_ce.releaseGStack(m_stackMark);
    return result;
}

std::optional<int> CeSession::checkAdd(const Buffer128& word, const Buffer16& engineWord,
                                       const Buffer128& translation)
{
    if (!m_ce.canCheck())
        return std::nullopt;
    m_ce.markGStack(m_stackMark);
    const int result = m_ce.dicCheck(word, engineWord, translation);
    m_ce.releaseGStack(m_stackMark);
    return result;
}

std::optional<bool> CeSession::wouldAdd(const Buffer128& word, const Buffer16& engineWord,
                                        const Buffer128& translation)
{
    const std::optional<int> answer = checkAdd(word, engineWord, translation);
    if (!answer)
        return std::nullopt;
    return *answer != 0;
}

bool CeSession::abort()
{
    if (!m_open || m_closed || !m_ce.canAbort())
        return false;
    if (m_ce.dicAbort() == 0)
        return false;
    m_closed = true;
    return true;
}

bool CeSession::close()
{
    // A dictionary that did not open is not closed: dicclose belongs to a successful dicopen.
    if (!m_open || m_closed)
        return false;
    m_closed = true;
    return m_ce.dicClose() != 0;
}

} // namespace kelvara
