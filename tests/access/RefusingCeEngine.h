#pragma once

// The reference C-E engine behind a binding that refuses adds: by a rule that can change
// while a dictionary is in use (as the code page's rules do when ChineseType changes) and at
// random (a full disk, a lost lock). A refused add stores nothing. diccheck answers by the
// rule only, since nobody can foresee the random refusals; it and dicabort can be left out.

#include "engines/CeBinding.h"

#include <cstdint>
#include <random>
#include <string>

namespace kelvara {

struct RefusingCeEngine
{
    CeEntryPoints real;      ///< the loaded engine's entry points
    std::string refusedText; ///< a translation holding it is refused ("" refuses none)
    unsigned refusedPerMille = 0;
    int refuseNextAdds = 0; ///< the next so many adds are refused, whatever they hold
    std::mt19937 rng{1};
    int refusedAdds = 0;   ///< adds refused so far, by rule or at random
    int refusedChecks = 0; ///< diccheck answers of 0 so far
    int aborts = 0;        ///< dicabort calls so far

    static RefusingCeEngine& instance();
    /// A binding over the real engine's table with the refusing dicadd; withCheck and
    /// withAbort bind diccheck and dicabort.
    static CeBinding wrap(const CeBinding& realEngine, bool withCheck, bool withAbort);
};

} // namespace kelvara
