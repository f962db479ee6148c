// The undo journal of a document: every change its objects make, in steps that undo as one.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "cad/value.h"

namespace cad::memory {

class BlockRecord;
class DocNode;

// One change. Changes that set a value keep the value on the other side: applying the change
// in either direction swaps it with the object's, so a record holds one value, never two.
struct Change {
    enum class Kind : std::uint8_t {
        Member,         // object: the entity; index: the member's slot
        Append,         // object: the entity appended to `block` at index
        Erase,          // object: the entity erased from `block` at index
        AddLayer,       // object: the record added to its table at index
        AddTextStyle,   //
        AddLinetype,    //
        AddBlock,       //
        DeleteStyle,    // object: the text style deleted from index
        LayerColor,     // object: the layer
        LayerLinetype,  //
        LayerLock,      //
        ActiveStyle,    // value: the other text style
        CurrentLayer,   // value: the other layer name
    };

    Kind kind;
    int index = 0;
    std::shared_ptr<DocNode> object;
    BlockRecord* block = nullptr;
    Value value;
};

// Changes in order, with the ends of the closed steps. The position counts the steps applied;
// steps past it were undone and can be redone until a new change drops them.
class Journal {
public:
    // A change of the open step. The document closes the step at once when no group is open.
    void record(Change&& change) {
        if (m_position < m_stepEnds.size()) {
            dropRedo();
        }
        m_changes.push_back(std::move(change));
    }
    // The open step's changes, if any, become one step.
    void closeStep() {
        if (hasOpenChanges()) {
            m_stepEnds.push_back(m_changes.size());
            m_position = m_stepEnds.size();
        }
    }

    bool canUndo() const { return m_position > 0 && !hasOpenChanges(); }
    bool canRedo() const { return m_position < m_stepEnds.size(); }
    // The changes of the step to undo or redo; the position moves past it.
    std::span<Change> takeUndoStep() {
        --m_position;
        return stepAt(m_position);
    }
    std::span<Change> takeRedoStep() { return stepAt(m_position++); }

    bool isModified() const { return applied() != m_saved; }
    void markSaved() { m_saved = applied(); }
    // Forgets every step; the drawing as it is stays saved or unsaved. Never with a step open.
    void clear() {
        Q_ASSERT(!hasOpenChanges());
        const bool modified = isModified();
        m_changes.clear();
        m_stepEnds.clear();
        m_position = 0;
        m_saved = modified ? kUnreachable : 0;
    }

private:
    static constexpr qint64 kUnreachable = -1;

    std::size_t appliedEnd() const { return m_position == 0 ? 0 : m_stepEnds[m_position - 1]; }
    bool hasOpenChanges() const {
        return m_changes.size() > (m_stepEnds.empty() ? 0 : m_stepEnds.back());
    }
    // How many changes made the drawing as it is now.
    qint64 applied() const { return qint64(hasOpenChanges() ? m_changes.size() : appliedEnd()); }
    std::span<Change> stepAt(std::size_t step) {
        const std::size_t begin = step == 0 ? 0 : m_stepEnds[step - 1];
        return {m_changes.data() + begin, m_stepEnds[step] - begin};
    }
    void dropRedo() {
        const std::size_t end = appliedEnd();
        m_changes.erase(m_changes.begin() + qsizetype(end), m_changes.end());
        m_stepEnds.resize(m_position);
        if (m_saved > qint64(end)) {
            m_saved = kUnreachable;
        }
    }

    std::vector<Change> m_changes;
    std::vector<std::size_t> m_stepEnds;
    std::size_t m_position = 0;
    qint64 m_saved = 0;  // how many changes the saved drawing had applied
};

}  // namespace cad::memory
