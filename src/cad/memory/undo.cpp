// Document: undo and redo of the journal's steps.
#include "cad/memory/document.h"

namespace cad::memory {

namespace {

// Takes the record at index out of its table, or puts it back there: the same object, so its
// handle and whoever kept it stay as they were.
template <typename R>
void takeOut(std::vector<std::shared_ptr<R>>& table, const Change& change) {
    Q_ASSERT(change.index < int(table.size()) && table[change.index] == change.object);
    table.erase(table.begin() + change.index);
    change.object->detach();
}

template <typename R>
void putBack(std::vector<std::shared_ptr<R>>& table, const Change& change, Document* document) {
    Q_ASSERT(change.index <= int(table.size()));
    table.insert(table.begin() + change.index, std::static_pointer_cast<R>(change.object));
    change.object->attach(document);
}

}  // namespace

bool Document::canUndo() const {
    return m_undoDepth == 0 && !m_closed && m_journal.canUndo();
}

bool Document::canRedo() const {
    return m_undoDepth == 0 && !m_closed && m_journal.canRedo();
}

bool Document::undo() {
    if (!canUndo()) {
        return false;
    }
    const std::span<Change> step = m_journal.takeUndoStep();
    for (auto change = step.rbegin(); change != step.rend(); ++change) {
        apply(*change, Direction::Undo);
    }
    notifyChanged();
    return true;
}

bool Document::redo() {
    if (!canRedo()) {
        return false;
    }
    for (Change& change : m_journal.takeRedoStep()) {
        apply(change, Direction::Redo);
    }
    notifyChanged();
    return true;
}

void Document::swapActiveStyle(Value& other) {
    auto* style = static_cast<TextStyleRecord*>(other.toObject().get());
    for (const auto& s : m_styles) {
        if (s.get() == m_activeStyle) {
            other = ObjectRef(s);
            break;
        }
    }
    m_activeStyle = style;
}

void Document::apply(Change& change, Direction direction) {
    using K = Change::Kind;
    // Adding and erasing undo each other: whether the object goes in depends on both.
    const bool adds = change.kind != K::Erase && change.kind != K::DeleteStyle;
    const bool in = adds == (direction == Direction::Redo);
    auto moveIn = [&](auto& table) {
        if (in) {
            putBack(table, change, this);
        } else {
            takeOut(table, change);
        }
    };
    switch (change.kind) {
        case K::Member:
            static_cast<Entity&>(*change.object).swapSlotValue(change.index, change.value);
            break;
        case K::Append:
        case K::Erase:
            moveIn(change.block->entities);
            break;
        case K::AddLayer:
            moveIn(m_layers);
            break;
        case K::AddTextStyle:
        case K::DeleteStyle:
            moveIn(m_styles);
            break;
        case K::AddLinetype:
            moveIn(m_linetypes);
            break;
        case K::AddBlock:
            moveIn(m_blocks);
            break;
        case K::LayerColor: {
            auto& layer = static_cast<LayerRecord&>(*change.object);
            change.value = std::exchange(layer.color, change.value.toInt());
            break;
        }
        case K::LayerLinetype: {
            auto& layer = static_cast<LayerRecord&>(*change.object);
            change.value = std::exchange(layer.linetype, change.value.toText());
            break;
        }
        case K::LayerLock: {
            auto& layer = static_cast<LayerRecord&>(*change.object);
            change.value = std::exchange(layer.locked, change.value.toBool());
            break;
        }
        case K::ActiveStyle:
            swapActiveStyle(change.value);
            break;
        case K::CurrentLayer: {
            QString other = change.value.toText();
            std::swap(other, m_currentLayer);
            change.value = std::move(other);
            break;
        }
    }
}

}  // namespace cad::memory
