// Save: the marked rows of the entry grid written back through the engine of the open kind.
//
// Nothing is shown as stored before the engine has committed it: the outcome of every row is
// collected while the engine works and applied to the grid only after the close (the commit)
// answered success. A close that fails leaves the grid as it was before the save.

#include "access/CeAddRules.h"
#include "access/CeSavePlan.h"
#include "access/DictionaryAccess.h"
#include "access/SenseList.h"
#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "lang/AccessMessages.h"
#include "lang/PartOfSpeech.h"
#include "platform/FixedBuffer.h"
#include "startup/StartupState.h"

#include <unordered_map>

namespace kelvara {

namespace {

bool isWriteMark(std::string_view mark)
{
    return !mark.empty() && (mark[0] == 'A' || mark[0] == 'D' || mark[0] == 'M');
}

} // namespace

/// What a save decided for one row, applied once the engine committed.
struct DictionaryAccess::RowOutcome
{
    std::string mark;
    std::string origin;
};

std::vector<DictionaryAccess::RowOutcome> DictionaryAccess::currentOutcomes() const
{
    std::vector<RowOutcome> outcomes(static_cast<std::size_t>(m_editor.rowCount()));
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row)
        outcomes[static_cast<std::size_t>(row)] = {m_editor.mark(row), m_editor.rowOrigin(row)};
    return outcomes;
}

void DictionaryAccess::applyOutcomes(const std::vector<RowOutcome>& outcomes)
{
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        const RowOutcome& outcome = outcomes[static_cast<std::size_t>(row)];
        m_editor.setMark(row, outcome.mark);
        m_editor.setRowOrigin(row, outcome.origin);
    }
    m_editor.CompactRows();
    // Rows the save could not write are edits still pending: the save prompt must not let
    // them go without asking.
    m_editor.setChanged(m_editor.countRowsMarked(kMarkFailed) > 0);
    m_editor.endEditing();
}

void DictionaryAccess::SaveEcEdits()
{
    const EcBinding& ec = m_startup.ec;
    if (m_state.ecPath.empty()) {
        m_prompts.showInformation(SaveWithoutDictionaryMessage(m_startup.language), {});
        ec.closeCstmRw();
        return;
    }
    Buffer256 path;
    if (!path.assign(m_state.ecPath)) {
        ec.closeCstmRw();
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
        return;
    }
    EcSession session(ec, path);
    if (!session.isOpen()) {
        session.close();
        // Nothing was written and the edits stay pending: say so, or Save looks done.
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
        return;
    }

    // A cell edit still open when the column moves below then equals the baseline, so the
    // row just written is not marked "M" again.
    m_editor.setEditBaseline(m_editor.cell(m_editor.currentColumn(), m_editor.currentRow()));
    std::vector<RowOutcome> outcomes = currentOutcomes();
    std::size_t unwritten = 0;
    std::size_t refused = 0;
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        const std::string& mark = m_editor.mark(row);
        if (!isWriteMark(mark))
            continue;
        std::string& outcome = outcomes[static_cast<std::size_t>(row)].mark;
        const int code = ecCodeOfLabel(m_editor.cell(kColPartOfSpeech, row));
        Buffer256 source;
        Buffer256 target;
        // A cut text would store another entry than the grid shows: such a row is refused.
        if (!source.assign(m_editor.cell(kColSource, row)) ||
            !target.assign(m_editor.cell(kColTarget, row))) {
            outcome = kMarkFailed;
            ++unwritten;
            continue;
        }
        if (ec.modifyWord(mark[0], source, static_cast<unsigned char>(code & 0xFF), target) == 1) {
            outcome = mark[0] == 'D' ? kMarkDropped : kMarkStored;
        } else {
            outcome = kMarkFailed;
            ++refused;
        }
    }
    if (!session.close()) {
        m_prompts.showInformation(DictionaryNotWrittenMessage(m_startup.language), {});
        return;
    }
    applyOutcomes(outcomes);
    reportUnwritten(unwritten);
    // The "E" in the narrow mark column is easy to miss: say what the engine refused.
    if (refused > 0)
        m_prompts.showInformation(RowsRefusedMessage(m_startup.language, refused), {});
}

void DictionaryAccess::SaveCeEdits()
{
    const CeBinding& ce = m_startup.ce;
    CeSession session(ce, m_startup.engineDirectoryBuffer, m_stackMark);
    if (!session.isOpen()) {
        // Nothing was written and the edits stay pending: say so, or Save looks done.
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
        return;
    }
    m_editor.setEditBaseline(m_editor.cell(m_editor.currentColumn(), m_editor.currentRow()));
    std::vector<RowOutcome> outcomes = currentOutcomes();
    std::size_t unwritten = 0;

    // The rows to write, by word in the order the words first appear. A row that cannot be
    // written as it stands is refused here, before anything reaches the engine.
    struct WordEdits
    {
        std::string word;
        std::vector<int> rows;
        std::vector<CeRowEdit> edits;
    };
    std::vector<WordEdits> words;
    std::unordered_map<std::string, std::size_t> wordIndex;
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        const std::string& mark = m_editor.mark(row);
        if (!isWriteMark(mark))
            continue;
        CeRowEdit edit{mark[0], m_editor.cell(kColPartOfSpeech, row),
                       m_editor.cell(kColTarget, row), m_editor.rowOrigin(row)};
        if (!canWriteCeRow(m_editor.cell(kColSource, row), edit)) {
            outcomes[static_cast<std::size_t>(row)].mark = kMarkFailed;
            ++unwritten;
            continue;
        }
        const std::string& source = m_editor.cell(kColSource, row);
        const auto [at, added] = wordIndex.try_emplace(source, words.size());
        if (added)
            words.push_back({source, {}, {}});
        words[at->second].rows.push_back(row);
        words[at->second].edits.push_back(std::move(edit));
    }

    std::size_t unrestored = 0;
    for (const WordEdits& entry : words) {
        const CeWordResult result =
            saveCeWord(session, entry.word, entry.rows, entry.edits, outcomes);
        if (result == CeWordResult::Refused) {
            unwritten += entry.rows.size();
        } else if (result == CeWordResult::Broken) {
            // A word that could not be put back: with the open abandoned nothing of this save
            // is stored and the grid stays as it was.
            if (session.abort()) {
                m_prompts.showInformation(DictionaryNotWrittenMessage(m_startup.language), {});
                return;
            }
            // An engine that cannot abandon an open commits what it holds: every row of the
            // word says it was not written (also the found ones, whose senses may be gone),
            // the words after it are not touched and their rows stay pending.
            for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row)
                if (m_editor.cell(kColSource, row) == entry.word)
                    outcomes[static_cast<std::size_t>(row)].mark = kMarkFailed;
            unrestored = 1;
            break;
        }
    }
    if (!session.close()) {
        m_prompts.showInformation(DictionaryNotWrittenMessage(m_startup.language), {});
        return;
    }
    dropMergedRows(outcomes);
    applyOutcomes(outcomes);
    if (unrestored > 0) {
        m_prompts.showInformation(WordsNotRestoredMessage(m_startup.language, unrestored), {});
        return;
    }
    reportUnwritten(unwritten);
}

bool DictionaryAccess::canWriteCeRow(const std::string& source, const CeRowEdit& edit) const
{
    if (source.size() > kCeTextLimit || !IsStorableCeWord(source) || source.empty())
        return false;
    // A modified or deleted row that does not know its stored sense refuses its whole word in
    // the plan: nothing of a word is written that cannot be written exactly.
    if (edit.mark == 'D' || (edit.mark == 'M' && edit.origin.empty()))
        return true;
    return !edit.label.empty() && !edit.target.empty() && edit.label.size() <= kCeLabelLimit &&
           edit.target.size() <= kCeTextLimit && IsStorableCeText(edit.label) &&
           IsStorableCeText(edit.target);
}

DictionaryAccess::CeWordResult DictionaryAccess::saveCeWord(CeSession& session,
                                                            const std::string& source,
                                                            const std::vector<int>& rows,
                                                            const std::vector<CeRowEdit>& edits,
                                                            std::vector<RowOutcome>& outcomes)
{
    const int codePage = m_editor.codePage();
    Buffer128 word;
    (void)word.assign(source); // fits: checked with the row
    const std::string stored = session.retrieve(word).senseList;
    const CeWordPlan plan = PlanCeWordSave(stored, edits, codePage);
    const auto refuseAll = [&] {
        for (const int row : rows)
            outcomes[static_cast<std::size_t>(row)].mark = kMarkFailed;
        return CeWordResult::Refused;
    };
    if (!plan.writable)
        return refuseAll();

    // Every sense the word is written with, in order, as the engine takes it.
    struct SenseToAdd
    {
        Buffer16 pos;
        Buffer128 translation;
    };
    std::vector<SenseToAdd> senses;
    const auto toAdd = [&](std::string_view label, std::string_view text) {
        SenseToAdd sense;
        (void)sense.pos.assign(label);        // fits: a stored label, or checked with the row
        (void)sense.translation.assign(text); // fits: a stored translation, or checked with the row
        PosLabelToEngineWord(sense.pos, codePage);
        senses.push_back(sense);
    };
    if (plan.deleteFirst)
        for (const StoredSense& kept : plan.kept)
            toAdd(kept.label, kept.translation);
    for (const std::size_t i : plan.adds)
        toAdd(edits[i].label, edits[i].target);
    // Before anything of the word is deleted, every sense to write must be one the engine
    // takes today: a sense stored under other rules (another program's bytes, the other code
    // page) would otherwise be deleted and not come back.
    for (const SenseToAdd& sense : senses) {
        const std::optional<bool> engineSays = session.wouldAdd(word, sense.pos, sense.translation);
        const bool takes = engineSays ? *engineSays
                                      : CeEngineWouldTake(word.view(), sense.pos.view(),
                                                          sense.translation.view(), codePage);
        if (!takes)
            return refuseAll();
    }

    if (plan.deleteFirst)
        session.remove(word);
    for (const SenseToAdd& sense : senses)
        session.add(word, sense.pos, sense.translation);

    // Read back what the engine holds now: a row is shown stored only when its sense is there,
    // and a word that does not read as asked is put back as it was.
    const std::string after = session.retrieve(word).senseList;
    const std::optional<std::vector<std::string>> origins =
        writtenOrigins(after, plan, edits, codePage);
    if (!origins)
        return restoreCeWord(session, word, stored, codePage) ? refuseAll() : CeWordResult::Broken;

    for (std::size_t i = 0; i < edits.size(); ++i) {
        RowOutcome& outcome = outcomes[static_cast<std::size_t>(rows[i])];
        if (edits[i].mark == 'D') {
            outcome = {std::string(kMarkDropped), {}};
        } else {
            outcome = {std::string(kMarkStored), (*origins)[i]};
        }
    }
    return CeWordResult::Written;
}

std::optional<std::vector<std::string>>
DictionaryAccess::writtenOrigins(const std::string& after, const CeWordPlan& plan,
                                 const std::vector<CeRowEdit>& edits, int codePage)
{
    const std::optional<std::vector<StoredSense>> appended =
        ReadAppendedSenses(after, plan.expectedPrefix);
    if (!appended)
        return std::nullopt;
    std::size_t next = 0; // the appended sense the next own sense must be
    std::vector<std::string> origins(edits.size());
    for (const std::size_t i : plan.adds) {
        const CeRowEdit& edit = edits[i];
        if (next < appended->size() && (*appended)[next].translation == edit.target &&
            SameCeLabel((*appended)[next].label, edit.label, codePage)) {
            origins[i] = (*appended)[next++].text;
            continue;
        }
        // The engine keeps a sense once: one it held already was not appended again.
        origins[i] = FindSense(after, edit.label, edit.target, codePage);
        if (origins[i].empty())
            return std::nullopt;
    }
    if (next != appended->size())
        return std::nullopt; // the engine appended something no row asked for
    return origins;
}

bool DictionaryAccess::restoreCeWord(CeSession& session, const Buffer128& word,
                                     const std::string& stored, int codePage)
{
    // What was there is written again in its order; the word is restored only when it reads
    // back byte for byte as before the save.
    const std::optional<std::vector<StoredSense>> senses = ReadStoredSenses(stored, codePage);
    if (!senses)
        return false;
    session.remove(word);
    for (const StoredSense& sense : *senses) {
        Buffer16 pos;
        Buffer128 translation;
        if (!pos.assign(sense.label) || !translation.assign(sense.translation))
            return false;
        PosLabelToEngineWord(pos, codePage);
        session.add(word, pos, translation);
    }
    return session.retrieve(word).senseList == stored;
}

void DictionaryAccess::dropMergedRows(std::vector<RowOutcome>& outcomes) const
{
    // A sense written now that the grid already shows in another row (the engine keeps a sense
    // once) would show twice: the row written now gives way to the one already there.
    std::unordered_map<std::string, int> shown; // source + origin -> row
    const auto key = [&](int row) {
        return m_editor.cell(kColSource, row) + '\n' +
               outcomes[static_cast<std::size_t>(row)].origin;
    };
    const auto storedNow = [&](int row) {
        return outcomes[static_cast<std::size_t>(row)].mark == kMarkStored &&
               !outcomes[static_cast<std::size_t>(row)].origin.empty();
    };
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row)
        if (storedNow(row) && !isWriteMark(m_editor.mark(row)))
            shown.try_emplace(key(row), row);
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        if (!storedNow(row) || !isWriteMark(m_editor.mark(row)))
            continue;
        if (!shown.try_emplace(key(row), row).second)
            outcomes[static_cast<std::size_t>(row)] = {std::string(kMarkDropped), {}};
    }
}

} // namespace kelvara
