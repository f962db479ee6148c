// A document of the embedded drawing: tables, model and paper space, selection sets, system
// variables, the active text style, the undo marks and the undo journal.
#pragma once

#include <QHash>
#include <QStringList>
#include <memory>

#include "cad/memory/journal.h"
#include "cad/memory/tables.h"

namespace cad::memory {

class Application;
class Interaction;

// What a file loader keeps beside a drawing so that saving writes back everything the file had,
// not only what the drawing models.
class Origin {
public:
    virtual ~Origin() = default;
};

class Document : public Node {
public:
    Document(std::shared_ptr<Session> session, Application* app, QString name);
    ~Document() override;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    // Where the drawing was last opened from or saved to; empty for a new drawing.
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    Application* application() const { return m_app; }
    bool isClosed() const { return m_closed; }
    Origin* origin() const { return m_origin.get(); }
    void setOrigin(std::shared_ptr<Origin> origin) { m_origin = std::move(origin); }

    // Tables, in table order. Names are looked up without regard to case.
    const std::vector<std::shared_ptr<LayerRecord>>& layers() const { return m_layers; }
    const std::vector<std::shared_ptr<TextStyleRecord>>& textStyles() const { return m_styles; }
    const std::vector<std::shared_ptr<LinetypeRecord>>& linetypes() const { return m_linetypes; }
    const std::vector<std::shared_ptr<BlockRecord>>& blocks() const { return m_blocks; }
    LayerRecord* findLayer(QStringView name) const;
    TextStyleRecord* findTextStyle(QStringView name) const;
    LinetypeRecord* findLinetype(QStringView name) const;
    BlockRecord* findBlock(QStringView name) const;
    // Adders for loading and tests; a handle of 0 takes a fresh one. The name must be new.
    LayerRecord& addLayer(const QString& name, quint64 handle = 0);
    TextStyleRecord& addTextStyle(const QString& name, const QString& fontFile,
                                  const QString& bigFontFile, quint64 handle = 0);
    LinetypeRecord& addLinetype(const QString& name, quint64 handle = 0);
    BlockRecord& addBlock(const QString& name, quint64 handle = 0);
    BlockRecord& modelSpace() const { return *m_blocks[0]; }
    BlockRecord& paperSpace() const { return *m_blocks[1]; }

    // A new entity of this document, not yet in any block.
    std::shared_ptr<Entity> makeEntity(const KindSpec& kind, quint64 handle = 0);
    std::shared_ptr<Entity> findEntity(QStringView handle) const;

    // Handles: unique per document; loaded ones are claimed so fresh ones never collide.
    quint64 nextHandle() { return m_handseed++; }
    void claimHandle(quint64 handle);
    quint64 handseed() const { return m_handseed; }

    const std::vector<std::shared_ptr<SelectionSetNode>>& selectionSets() const { return m_sets; }

    TextStyleRecord& activeTextStyle() const { return *m_activeStyle; }
    void setActiveTextStyle(TextStyleRecord& style) { m_activeStyle = &style; }
    const QString& currentLayer() const { return m_currentLayer; }
    void setCurrentLayer(const QString& name) { m_currentLayer = name; }

    // System variables other than those kept in fields (CLAYER, TEXTSTYLE).
    void defineVariable(const QString& name, const Value& value);
    Value variable(const QString& name) const;
    // A layout is current (TILEMODE defined as 0): on-screen picks land in paper space.
    bool layoutCurrent() const {
        const auto it = m_variables.constFind(QStringLiteral("TILEMODE"));
        return it != m_variables.constEnd() && it->toInt() == 0;
    }

    // Undo marks: one closed group per operation. Changes made outside a group are counted so
    // tests can prove every operation is one undo step.
    int undoGroups() const { return m_undoGroups; }
    int undoDepth() const { return m_undoDepth; }
    qint64 changes() const { return m_changes; }
    qint64 changesOutsideUndoGroups() const { return m_changesOutside; }

    // The journal: every change made through the interface, one step per closed outermost group
    // or per change outside any group. Loading and the direct setters record nothing. Undo and
    // redo refuse (false) while a group is open or when there is nothing to do.
    bool canUndo() const;
    bool canRedo() const;
    bool undo();
    bool redo();
    // Modified when the drawing differs from the one last saved (or loaded) by the journal.
    bool isModified() const { return m_journal.isModified(); }
    void markSaved() { m_journal.markSaved(); }
    // Forgets every step (never while a group is open).
    void clearUndo() { m_journal.clear(); }

    // Called by the objects of the document.
    void enterFromNode();
    // Refuses when the application quit or the document was closed; counts no call.
    void checkAvailable() const;
    bool isLayerLocked(const QString& name) const;
    Value checkedValue(const MemberSpec& memberSpec, const Value& value) const;
    void record(Change&& change);
    // Tells the host program the drawing changed without a change to record.
    void notifyChanged();
    void erase(Entity* entity);
    Interaction& interaction() const;
    std::shared_ptr<SelectionSetNode> addSelectionSet(const QString& name);
    void deleteSelectionSet(SelectionSetNode* set);
    void deleteTextStyle(TextStyleRecord* style);
    void loadLinetype(const QString& name, const QString& file);
    void markClosed() { m_closed = true; }
    void detachApplication() { m_app = nullptr; }

protected:
    void enter() override { enterFromNode(); }
    Value get(Member m) override;
    void put(Member m, const Value& value) override;
    Value call(Member m, std::span<const Value> args) override;

private:
    template <typename R>
    R* find(const std::vector<std::shared_ptr<R>>& table, QStringView name) const;
    bool styleInUse(const QString& name) const;
    quint64 takeHandle(quint64 handle);
    enum class Direction : std::uint8_t { Undo, Redo };
    void apply(Change& change, Direction direction);
    void swapActiveStyle(Value& other);
    void saveTo(const QString& path);

    std::shared_ptr<Session> m_session;
    Application* m_app;
    QString m_name;
    QString m_path;
    bool m_closed = false;
    std::shared_ptr<Origin> m_origin;

    std::vector<std::shared_ptr<LayerRecord>> m_layers;
    std::vector<std::shared_ptr<TextStyleRecord>> m_styles;
    std::vector<std::shared_ptr<LinetypeRecord>> m_linetypes;
    std::vector<std::shared_ptr<BlockRecord>> m_blocks;
    std::vector<std::shared_ptr<SelectionSetNode>> m_sets;

    std::shared_ptr<CollectionNode> m_layersNode, m_stylesNode, m_linetypesNode, m_blocksNode,
        m_setsNode;
    std::shared_ptr<UtilityNode> m_utility;

    TextStyleRecord* m_activeStyle = nullptr;
    QString m_currentLayer = QStringLiteral("0");
    QHash<QString, Value> m_variables;  // keyed by upper-case name
    quint64 m_handseed = 0x20;

    int m_undoDepth = 0;
    int m_undoGroups = 0;
    qint64 m_changes = 0;
    qint64 m_changesOutside = 0;
    Journal m_journal;
};

}  // namespace cad::memory
