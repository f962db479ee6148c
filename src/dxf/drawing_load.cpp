// Loading: the file's tables, blocks and entities become the drawing's, read through the
// member tables; the file stays beside the drawing for saving.
#include "dxf/drawing.h"
#include "dxf/drawing_origin.h"
#include "dxf/entity_codec.h"
#include "dxf/reader.h"

#include <QFileInfo>
#include <QSet>

#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

// Handles are 64-bit, and some exporters use all 16 digits. Only the top 2^32 values are
// refused: a file claiming one would leave the handle seed no room for new handles, so such a
// record gets a fresh handle in the drawing, as a record without one does.
constexpr quint64 kMaxHandle = ~quint64(0) - (quint64(1) << 32);
// Kind names made on sight live as long as the program; a process that has seen this many
// unknown names keeps further ones under one shared kind.
constexpr qsizetype kMaxUnknownKinds = 512;

bool isModelSpaceName(QStringView name) {
    return name.compare(u"*Model_Space"_s, Qt::CaseInsensitive) == 0 ||
           name.compare(u"$MODEL_SPACE"_s, Qt::CaseInsensitive) == 0;
}

bool isPaperSpaceName(QStringView name) {
    return name.compare(u"*Paper_Space"_s, Qt::CaseInsensitive) == 0 ||
           name.compare(u"$PAPER_SPACE"_s, Qt::CaseInsensitive) == 0;
}

bool isPlausibleKindName(QByteArrayView name) {
    if (name.isEmpty() || name.size() > 48)
        return false;
    for (const char c : name) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!allowed)
            return false;
    }
    return true;
}

const memory::KindSpec& kindFor(QByteArrayView type) {
    static std::mutex mutex;
    static QSet<QString> seen;
    const QString name = QString::fromLatin1(type);
    if (!isPlausibleKindName(type))
        return memory::kindByDxfName(u"ACAD_PROXY_ENTITY"_s);
    const std::lock_guard lock(mutex);
    if (!seen.contains(name)) {
        if (seen.size() >= kMaxUnknownKinds)
            return memory::kindByDxfName(u"ACAD_PROXY_ENTITY"_s);
        seen.insert(name);
    }
    return memory::kindByDxfName(name);
}

// Table records by case-folded name: drawings with many thousands of layers or blocks must
// not make loading quadratic, which the drawing's own linear lookups would.
template <typename R>
class NameIndex {
public:
    void fill(const std::vector<std::shared_ptr<R>>& table) {
        for (const auto& r : table)
            add(r.get());
    }
    R* find(const QString& name) const { return m_byName.value(name.toCaseFolded()); }
    void add(R* record) {
        const QString key = record->name.toCaseFolded();
        if (!m_byName.contains(key))
            m_byName.insert(key, record);
    }

private:
    QHash<QString, R*> m_byName;
};

class Binder {
public:
    Binder(memory::Document& drawing, FileOrigin& origin, BindMode mode)
        : m_drawing(drawing),
          m_origin(origin),
          m_file(origin.file),
          m_encoding(origin.file.encoding()),
          m_load(mode == BindMode::Load) {}

    void run() {
        m_layerIndex.fill(m_drawing.layers());
        m_styleIndex.fill(m_drawing.textStyles());
        m_linetypeIndex.fill(m_drawing.linetypes());
        m_blockIndex.fill(m_drawing.blocks());
        const QByteArrayView version = trimmedBlanks(m_file.headerValue("$ACADVER"));
        m_origin.markers = !version.isEmpty() && version > "AC1009";
        m_origin.handles = m_origin.markers || m_file.headerVariable("$HANDSEED");
        if (m_load) {
            claim(m_file.headerValue("$HANDSEED"));
            claimOtherHandles();
        }
        bindLinetypes();
        bindLayers();
        bindStyles();
        bindBlockRecords();
        if (m_load)
            readClasses();
        bindBlocks();
        if (m_load)
            loadEntities();
        if (m_load)
            noteImplied();
        readHeader();
    }

private:
    QString name(const RecordView& record) const {
        return m_encoding.decodeText(trimmedBlanks(record.name()));
    }

    void claim(QByteArrayView text) {
        if (const quint64 handle = parseHandle(text))
            m_drawing.claimHandle(handle);
    }

    // Handles of records the drawing does not model, so that fresh ones never collide with
    // them even when $HANDSEED is wrong.
    void claimOtherHandles() {
        for (const Section& section : m_file.sections()) {
            if (section.kind == SectionKind::Entities)
                continue;
            for (const Group& group : section.groups) {
                claim(m_file.view(group.head).handle());
                claim(m_file.view(group.tail).handle());
                if (section.kind == SectionKind::Tables) {
                    for (const Record& record : group.members)
                        claim(m_file.view(record).handle());
                }
            }
            if (section.kind == SectionKind::Objects) {
                for (const Record& record : section.members)
                    claim(m_file.view(record).handle());
            }
        }
    }

    // Binds a table record to the drawing's record of that name: a default of the new drawing
    // the first time, nothing for a second record of the name. Returns the record or null.
    template <typename R>
    std::shared_ptr<R> existing(const std::vector<std::shared_ptr<R>>& table, R* found,
                                quint64 handle) {
        if (!found || m_bound.contains(found))
            return nullptr;
        m_bound.insert(found);
        if (m_load && handle) {
            found->handle = handle;
            m_drawing.claimHandle(handle);
        }
        for (const auto& r : table) {
            if (r.get() == found)
                return r;
        }
        return nullptr;
    }

    template <typename Bind>
    void forEachRecord(Table table, auto& parallel, Bind bind) {
        parallel.clear();
        Group* group = tableGroup(m_file, table);
        if (!group)
            return;
        for (const Record& record : group->members)
            parallel.push_back(bind(m_file.view(record)));
    }

    void bindLinetypes() {
        forEachRecord(Table::Linetype, m_origin.linetypes, [&](const RecordView& record) {
            const QString n = name(record);
            const quint64 handle = parseHandle(record.handle());
            auto bound = existing(m_drawing.linetypes(), m_linetypeIndex.find(n), handle);
            if (bound || !m_load || n.isEmpty() || m_linetypeIndex.find(n))
                return bound;
            memory::LinetypeRecord& lt = m_drawing.addLinetype(n, handle);
            m_linetypeIndex.add(&lt);
            lt.description = m_encoding.decodeText(record.value(3));
            for (qsizetype i = record.find(49); i >= 0; i = record.find(49, i + 1))
                lt.pattern.push_back(toDouble(record[i].value()).value_or(0));
            m_bound.insert(&lt);
            return m_drawing.linetypes().back();
        });
    }

    void bindLayers() {
        forEachRecord(Table::Layer, m_origin.layers, [&](const RecordView& record) {
            const QString n = name(record);
            const quint64 handle = parseHandle(record.handle());
            auto bound = existing(m_drawing.layers(), m_layerIndex.find(n), handle);
            if (!bound && (!m_load || n.isEmpty() || m_layerIndex.find(n)))
                return bound;
            if (!bound) {
                m_layerIndex.add(&m_drawing.addLayer(n, handle));
                bound = m_drawing.layers().back();
                m_bound.insert(bound.get());
            }
            if (m_load) {
                const qint64 color = toInteger(record.value(62)).value_or(7);
                bound->color = int(std::min<qint64>(qAbs(color), 256));
                bound->locked = (toInteger(record.value(70)).value_or(0) & 4) != 0;
                const QByteArrayView linetype = trimmedBlanks(record.value(6));
                bound->linetype = linetype.isEmpty()
                                      ? u"Continuous"_s
                                      : normalLinetype(m_encoding.decodeText(linetype));
            }
            return bound;
        });
    }

    void bindStyles() {
        forEachRecord(Table::Style, m_origin.styles, [&](const RecordView& record) {
            const QString n = name(record);
            const bool shapeFile = (toInteger(record.value(70)).value_or(0) & 1) != 0;
            if (n.isEmpty() || shapeFile)
                return std::shared_ptr<memory::TextStyleRecord>();
            const quint64 handle = parseHandle(record.handle());
            const QString font = m_encoding.decodeText(trimmedBlanks(record.value(3)));
            const QString bigFont = m_encoding.decodeText(trimmedBlanks(record.value(4)));
            auto bound = existing(m_drawing.textStyles(), m_styleIndex.find(n), handle);
            if (bound && m_load) {
                bound->fontFile = font;
                bound->bigFontFile = bigFont;
            }
            if (bound || !m_load || m_styleIndex.find(n))
                return bound;
            m_styleIndex.add(&m_drawing.addTextStyle(n, font, bigFont, handle));
            m_bound.insert(m_drawing.textStyles().back().get());
            return m_drawing.textStyles().back();
        });
    }

    std::shared_ptr<memory::BlockRecord> blockNamed(const QString& n, quint64 handle) {
        memory::BlockRecord* found = isModelSpaceName(n)   ? &m_drawing.modelSpace()
                                     : isPaperSpaceName(n) ? &m_drawing.paperSpace()
                                                           : m_blockIndex.find(n);
        auto bound = existing(m_drawing.blocks(), found, handle);
        if (bound || !m_load || n.isEmpty() || found)
            return bound;
        m_blockIndex.add(&m_drawing.addBlock(n, handle));
        m_bound.insert(m_drawing.blocks().back().get());
        return m_drawing.blocks().back();
    }

    void bindBlockRecords() {
        forEachRecord(Table::BlockRecord, m_origin.blockRecords, [&](const RecordView& record) {
            const QString n = name(record);
            auto bound = blockNamed(n, parseHandle(record.handle()));
            if (bound) {
                m_recordHandles.insert(bound.get(), record.handle().toByteArray());
                m_recordBlocks.insert(bound->name.toCaseFolded(), bound);
            }
            return bound;
        });
    }

    void bindBlocks() {
        m_origin.blocks.clear();
        m_origin.blockEntities.clear();
        Section* section = m_file.section(SectionKind::Blocks);
        if (!section)
            return;
        for (const Group& group : section->groups) {
            const RecordView head = m_file.view(group.head);
            const QString n = name(head);
            std::shared_ptr<memory::BlockRecord> block;
            // With a BLOCK_RECORD table the block was bound there; only the group is new.
            const QString key = isModelSpaceName(n)   ? m_drawing.modelSpace().name.toCaseFolded()
                                : isPaperSpaceName(n) ? m_drawing.paperSpace().name.toCaseFolded()
                                                      : n.toCaseFolded();
            if (auto candidate = m_recordBlocks.value(key);
                candidate && !m_groupBound.contains(candidate.get()))
                block = candidate;
            if (!block)
                block = blockNamed(n, parseHandle(head.handle()));
            if (block) {
                m_groupBound.insert(block.get());
                if (m_load) {
                    block->basePoint = cad::Point{toDouble(head.value(10)).value_or(0),
                                                  toDouble(head.value(20)).value_or(0),
                                                  toDouble(head.value(30)).value_or(0)};
                }
            }
            m_origin.blocks.push_back(block);
            auto& entities = m_origin.blockEntities.emplace_back();
            entities.reserve(group.members.size());
            for (const Record& record : group.members)
                entities.push_back(block && m_load ? loadEntity(m_file.view(record), block.get())
                                                   : nullptr);
        }
    }

    void loadEntities() {
        m_origin.entities.clear();
        Section* section = m_file.section(SectionKind::Entities);
        if (!section)
            return;
        const QByteArray paperHandle = m_recordHandles.value(&m_drawing.paperSpace());
        m_origin.entities.reserve(section->members.size());
        for (const Record& record : section->members)
            m_origin.entities.push_back(loadEntity(m_file.view(record), nullptr, paperHandle));
    }

    // The classes of the CLASSES section, in file order: a proxy entity names its class by its
    // place there (group 91, counted from 500).
    struct FileClass {
        QByteArrayView name;  // group 1, the record type of its objects
        std::uint16_t edits;  // group 90, the proxy capabilities
        bool proxy;           // group 280: the add-on was not loaded when the file was written
    };
    static constexpr qint64 kFirstClassId = 500;

    void readClasses() {
        const Section* section = m_file.section(SectionKind::Classes);
        if (!section)
            return;
        for (const Record& record : section->members) {
            const RecordView view = m_file.view(record);
            if (view.type() != "CLASS")
                continue;
            m_classes.push_back({trimmedBlanks(view.value(1)),
                                 std::uint16_t(toInteger(view.value(90)).value_or(0)),
                                 toInteger(view.value(280)).value_or(0) != 0});
        }
    }

    // The edits an entity of the type allows: those of its class when the file marks the class
    // as a proxy, -1 (all) otherwise. A proxy entity's class is read from each record.
    int proxyEditsOfType(QByteArrayView type) const {
        for (const FileClass& c : m_classes) {
            if (c.proxy && c.name == type)
                return c.edits;
        }
        return -1;
    }

    int proxyEditsOfRecord(const RecordView& record) const {
        const qint64 index = toInteger(record.value(91)).value_or(-1) - kFirstClassId;
        return index >= 0 && index < qint64(m_classes.size()) ? m_classes[size_t(index)].edits : -1;
    }

    struct KindEntry {
        const memory::KindSpec* kind;
        const KindCodec* codec;
        bool proxyEntity;  // ACAD_PROXY_ENTITY
        int proxyEdits;    // of a proxy class, or -1
    };

    // An entity of the block, or of model or paper space as its record says when block is null.
    std::shared_ptr<memory::Entity> loadEntity(const RecordView& record, memory::BlockRecord* block,
                                               QByteArrayView paperHandle = {}) {
        const QByteArrayView type = record.type();
        auto [it, added] = m_kinds.try_emplace(std::string_view(type.data(), size_t(type.size())));
        if (added) {
            const memory::KindSpec& kind = kindFor(type);
            it->second = KindEntry{&kind, &KindCodec::of(kind), type == "ACAD_PROXY_ENTITY",
                                   proxyEditsOfType(type)};
        }
        const KindEntry& entry = it->second;
        const KindCodec& codec = *entry.codec;
        auto entity = m_drawing.makeEntity(*entry.kind, parseHandle(record.handle()));
        if (const int edits = entry.proxyEntity ? proxyEditsOfRecord(record) : entry.proxyEdits;
            edits >= 0)
            entity->setAllowedEdits(std::uint16_t(edits));
        m_tags.find(codec, record);
        for (int slot = 0; slot < codec.memberCount(); ++slot)
            entity->setSlotValue(slot, m_tags.value(slot, m_encoding, m_names));
        // Layer names come from the name cache, one string per name, so the string's data tells
        // names apart without hashing their characters.
        const QString& layer = entity->slotValue(memory::kLayerSlot).toText();
        if (m_knownLayers.insert(layer.constData()).second) {
            m_keptLayers.push_back(layer);  // keeps the data the set points at alive
            if (!m_layerIndex.find(layer))  // left unbound: noteImplied marks it implied
                m_layerIndex.add(&m_drawing.addLayer(layer));
        }
        if (!block) {
            const bool paper =
                m_tags.inPaperSpace() || (!paperHandle.isEmpty() && m_tags.owner() == paperHandle);
            block = paper ? &m_drawing.paperSpace() : &m_drawing.modelSpace();
        }
        block->append(entity);
        return entity;
    }

    void noteImplied() {
        for (const auto& layer : m_drawing.layers()) {
            const bool implied = !m_bound.contains(layer.get());
            if (implied)
                m_origin.impliedLayers.push_back(
                    {layer, layer->color, layer->locked, layer->linetype});
        }
        auto note = [&](const auto& table) {
            for (const auto& r : table) {
                if (!m_bound.contains(r.get()))
                    m_origin.impliedRecords.push_back(r.get());
            }
        };
        note(m_drawing.textStyles());
        note(m_drawing.linetypes());
        note(m_drawing.blocks());
    }

    // The current layer and text style as the drawing had them when it matched the file; a
    // header naming a layer or style that does not exist leaves the drawing's default, and
    // only a change of the drawing's own makes a save write the variable.
    void readHeader() {
        const QString layer = m_encoding.decodeText(trimmedBlanks(m_file.headerValue("$CLAYER")));
        const QString style =
            m_encoding.decodeText(trimmedBlanks(m_file.headerValue("$TEXTSTYLE")));
        if (m_load) {
            if (const memory::LayerRecord* found = m_drawing.findLayer(layer);
                found && !layer.isEmpty())
                m_drawing.setCurrentLayer(found->name);
            if (memory::TextStyleRecord* found = m_drawing.findTextStyle(style);
                found && !style.isEmpty())
                m_drawing.setActiveTextStyle(*found);
        }
        m_origin.currentLayer = m_load ? m_drawing.currentLayer() : layer;
        m_origin.textStyle = m_load ? m_drawing.activeTextStyle().name : style;
    }

    memory::Document& m_drawing;
    FileOrigin& m_origin;
    Document& m_file;
    const Encoding& m_encoding;
    bool m_load;
    QSet<const void*> m_bound;
    QSet<const void*> m_groupBound;
    QHash<const void*, QByteArray> m_recordHandles;
    std::vector<FileClass> m_classes;
    std::unordered_map<std::string_view, KindEntry> m_kinds;
    NameCache m_names;
    MemberTags m_tags;
    std::unordered_set<const QChar*> m_knownLayers;
    NameIndex<memory::LayerRecord> m_layerIndex;
    NameIndex<memory::TextStyleRecord> m_styleIndex;
    NameIndex<memory::LinetypeRecord> m_linetypeIndex;
    NameIndex<memory::BlockRecord> m_blockIndex;
    QHash<QString, std::shared_ptr<memory::BlockRecord>> m_recordBlocks;
    std::vector<QString> m_keptLayers;
};

}  // namespace

QByteArrayView tableName(Table table) {
    switch (table) {
        case Table::Layer:
            return "LAYER";
        case Table::Style:
            return "STYLE";
        case Table::Linetype:
            return "LTYPE";
        case Table::BlockRecord:
            return "BLOCK_RECORD";
    }
    return {};
}

Group* tableGroup(Document& file, Table table) {
    Section* tables = file.section(SectionKind::Tables);
    if (!tables)
        return nullptr;
    for (Group& group : tables->groups) {
        if (trimmedBlanks(file.view(group.head).name()) == tableName(table))
            return &group;
    }
    return nullptr;
}

quint64 parseHandle(QByteArrayView text) {
    text = trimmedBlanks(text);
    if (text.isEmpty() || text.size() > 16)
        return 0;
    bool ok = false;
    const quint64 handle = text.toULongLong(&ok, 16);
    return ok && handle < kMaxHandle ? handle : 0;
}

QByteArray handleText(quint64 handle) {
    return QByteArray::number(handle, 16).toUpper();
}

void bindFile(memory::Document& drawing, FileOrigin& origin, BindMode mode) {
    Binder(drawing, origin, mode).run();
}

namespace {

Result<std::shared_ptr<memory::Document>> bound(memory::Application& application,
                                                Result<Document> file) {
    if (!file)
        return file.error();
    // The tag layer has checked all that can fail; binding the file to a drawing cannot.
    auto origin = std::make_shared<FileOrigin>();
    origin->file = std::move(file.value());
    auto drawing = application.newDocument(QFileInfo(origin->file.fileName()).fileName());
    bindFile(*drawing, *origin, BindMode::Load);
    drawing->setOrigin(std::move(origin));
    return drawing;
}

}  // namespace

Result<std::shared_ptr<memory::Document>> loadDrawingBytes(memory::Application& application,
                                                           QByteArray bytes,
                                                           const QString& fileName) {
    return bound(application, readBytes(std::move(bytes), fileName));
}

Result<std::shared_ptr<memory::Document>> loadDrawing(memory::Application& application,
                                                      const QString& path) {
    auto loaded = bound(application, readFile(path));
    if (loaded)
        loaded.value()->setPath(path);
    return loaded;
}

}  // namespace dxf
