// Save: the marked rows of the entry grid written back through the engine of the open kind.

#include "access/DictionaryAccess.h"
#include "access/SenseList.h"
#include "app/StartupState.h"
#include "editor/EntryEditor.h"
#include "lang/AccessMessages.h"
#include "lang/PartOfSpeech.h"
#include "platform/FixedBuffer.h"

namespace kelvara {

namespace {

bool isWriteMark(std::string_view mark)
{
    return !mark.empty() && (mark[0] == 'A' || mark[0] == 'D' || mark[0] == 'M');
}

} // namespace

void DictionaryAccess::SaveEcEdits()
{
    const EcBinding& ec = m_startup.ec;
    if (m_state.ecPath.empty()) {
        m_prompts.showInformation(SaveWithoutDictionaryMessage(m_startup.language), {});
        ec.closeCstmRw();
        return;
    }
    Buffer256 path;
    if (!path.assign(m_state.ecPath) || ec.openCstmRw(path) != 1) {
        ec.closeCstmRw();
        // Nothing was written and the edits stay pending: say so, or Save looks done.
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
        return;
    }

    // A cell edit still open when the column moves below then equals the baseline, so the
    // row just written is not marked "M" again.
    m_editor.setEditBaseline(m_editor.cell(m_editor.currentColumn(), m_editor.currentRow()));
    std::size_t unwritten = 0;
    std::size_t refused = 0;
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        const std::string mark = m_editor.mark(row);
        if (!isWriteMark(mark))
            continue;
        const int code = ecCodeOfLabel(m_editor.cell(kColPartOfSpeech, row));
        Buffer256 source;
        Buffer256 target;
        // A cut text would store another entry than the grid shows: such a row is refused.
        if (!source.assign(m_editor.cell(kColSource, row)) ||
            !target.assign(m_editor.cell(kColTarget, row))) {
            m_editor.setMark(row, kMarkFailed);
            ++unwritten;
            continue;
        }
        const int result =
            ec.modifyWord(mark[0], source, static_cast<unsigned char>(code & 0xFF), target);
        if (result == 1) {
            m_editor.setMark(row, mark == kMarkDeleted ? kMarkDropped : kMarkStored);
        } else {
            m_editor.setMark(row, kMarkFailed);
            ++refused;
        }
    }
    m_editor.CompactRows();
    m_editor.setChanged(false);
    endCellEditing();
    ec.closeCstmRw();
    reportUnwritten(unwritten);
    // The "E" in the narrow mark column is easy to miss: say what the engine refused.
    if (refused > 0)
        m_prompts.showInformation(RowsRefusedMessage(m_startup.language, refused), {});
}

bool DictionaryAccess::sameCeLabel(std::string_view a, std::string_view b) const
{
    Buffer16 wordA;
    Buffer16 wordB;
    if (!wordA.assign(a) || !wordB.assign(b))
        return false;
    PosLabelToEngineWord(wordA, m_editor.codePage());
    PosLabelToEngineWord(wordB, m_editor.codePage());
    return wordA.view() == wordB.view();
}

void DictionaryAccess::SaveCeEdits()
{
    const CeBinding& ce = m_startup.ce;
    if (ce.dicOpen(m_startup.engineDirectoryBuffer) == 0) {
        // Nothing was written and the edits stay pending: say so, or Save looks done.
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
        return;
    }

    m_editor.setEditBaseline(m_editor.cell(m_editor.currentColumn(), m_editor.currentRow()));
    const int codePage = m_editor.codePage();
    Buffer128 word;
    Buffer16 pos;
    Buffer128 translation;
    const auto add = [&](std::string_view label, std::string_view text) {
        (void)pos.assign(label);         // fits: checked before anything was deleted
        (void)translation.assign(text);  // fits: checked before anything was deleted
        ce.markGStack(m_stackMark);
        PosLabelToEngineWord(pos, codePage);
        ce.dicAdd(word, pos, translation);
        ce.releaseGStack(m_stackMark);
    };
    const auto fits = [](const Sense& sense) {
        return sense.label.size() <= kCeLabelLimit && sense.target.size() <= kCeTextLimit;
    };

    std::size_t unwritten = 0;
    for (int row = kFirstDataRow; row < m_editor.rowCount(); ++row) {
        const std::string mark = m_editor.mark(row);
        // Rows the save refused stay refused: resetting them to " " would show as stored a
        // sense that never reached the dictionary.
        if (mark.empty() || mark == kMarkFailed)
            continue;
        const bool deleting = mark[0] == 'D';
        const std::string& source = m_editor.cell(kColSource, row);
        const Sense own{m_editor.cell(kColPartOfSpeech, row), m_editor.cell(kColTarget, row)};
        // A deletion names the stored sense by its label alone; its target may be empty.
        const bool written = isWriteMark(mark) && (deleting || (!own.label.empty() && !own.target.empty()));

        bool refused = false;
        if (written) {
            refused = !word.assign(source) || own.label.size() > kCeLabelLimit ||
                      (!deleting && (!fits(own) || !IsStorableCeText(own.target) ||
                                     !IsStorableCeText(own.label) || !IsStorableCeWord(source)));
        }
        if (written && !refused) {
            const char* senseList = nullptr;
            ce.markGStack(m_stackMark);
            (void)ce.dicRetrieve(word, senseList);
            ce.releaseGStack(m_stackMark);
            const std::string stored = senseList ? senseList : "";

            const auto sameLabel = [&](std::string_view label) {
                return sameCeLabel(label, own.label);
            };
            const CeRewritePlan plan = stored.empty()
                                           ? CeRewritePlan{}
                                           : PlanCeRewrite(stored, own.label, sameLabel, own.target);
            bool safe = plan.safe;
            for (const Sense& kept : plan.keep)
                safe = safe && fits(kept);
            if (plan.found && !safe) {
                // Deleting the word would lose or rewrite senses the user did not touch.
                refused = true;
            } else {
                if (plan.found) {
                    ce.markGStack(m_stackMark);
                    ce.dicDelete(word);
                    ce.releaseGStack(m_stackMark);
                    for (const Sense& kept : plan.keep)
                        add(kept.label, kept.target);
                }
                if (!deleting)
                    add(own.label, own.target);
            }
        }

        if (refused) {
            m_editor.setMark(row, kMarkFailed);
            ++unwritten;
        } else {
            m_editor.setMark(row, mark[0] == 'D' || mark[0] == 'd' ? kMarkDropped : kMarkStored);
        }
    }
    m_editor.CompactRows();
    m_editor.setChanged(false);
    endCellEditing();
    ce.dicClose();
    reportUnwritten(unwritten);
}

} // namespace kelvara
