#pragma once

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"
#include "platform/FixedBuffer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kelvara {

/// One conversation with the E-C engine: open_cstm_RW at construction, close_cstm_RW exactly
/// once, at close() or at the end of the scope. The close is the commit: only a close that
/// answered 1 means the engine stored what happened since the open.
class EcSession
{
public:
    /// Opens the dictionary at basePath. An open that fails still owes the engine its
    /// close_cstm_RW, which the scope makes.
    EcSession(const EcBinding& ec, const Buffer256& basePath);
    ~EcSession();
    EcSession(const EcSession&) = delete;
    EcSession& operator=(const EcSession&) = delete;

    bool isOpen() const { return m_open; }
    const EcBinding& engine() const { return m_ec; }

    /// Closes (commits) now; true when the engine opened and committed.
    bool close();

private:
    const EcBinding& m_ec;
    bool m_open = false;
    bool m_closed = false;
};

/// One conversation with the C-E engine: dicopen at construction and, when that succeeded,
/// dicclose exactly once. Every retrieve, delete and add is bracketed by the stack mark, and a
/// sense list is copied before anything else reaches the engine, which keeps the text
/// readable only until its next call.
class CeSession
{
public:
    CeSession(const CeBinding& ce, const Buffer256& engineDirectory, std::int32_t& stackMark);
    ~CeSession();
    CeSession(const CeSession&) = delete;
    CeSession& operator=(const CeSession&) = delete;

    bool isOpen() const { return m_open; }

    /// The result of one retrieve and the sense list copied out of the engine ("" for none).
    struct Retrieved
    {
        int result = 0;
        std::string senseList;
        bool found() const { return result == abi::kRetrieveFound; }
    };
    Retrieved retrieve(const Buffer128& word);
    void remove(const Buffer128& word);
    /// Adds one sense; engineWord is the engine's part-of-speech word ("noun", ...). Nonzero
    /// when the engine took it (stored only once the close commits); abi::kAddHeldAlready
    /// when the word held that sense already.
    int add(const Buffer128& word, const Buffer16& engineWord, const Buffer128& translation);

    /// Whether the engine would take the sense now, without storing it; nothing when the
    /// engine cannot say (it has no diccheck).
    std::optional<bool> wouldAdd(const Buffer128& word, const Buffer16& engineWord,
                                 const Buffer128& translation);
    /// diccheck's own answer (0 refuse, nonzero take, abi::kAddHeldAlready held already);
    /// nothing when the engine has no diccheck.
    std::optional<int> checkAdd(const Buffer128& word, const Buffer16& engineWord,
                                const Buffer128& translation);

    /// Closes (commits) now; true when the engine opened and committed.
    bool close();
    /// Abandons the open: true when the engine stored nothing of it (dicabort answered
    /// nonzero; no dicclose follows). False when the engine cannot abandon it: the open goes
    /// on and close() still commits it.
    bool abort();

private:
    const CeBinding& m_ce;
    std::int32_t& m_stackMark;
    bool m_open = false;
    bool m_closed = false;
};

} // namespace kelvara
