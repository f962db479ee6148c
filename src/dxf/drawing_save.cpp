// Saving: the drawing's changes written into the file it came from, record by record, so that
// everything the drawing does not model stays as it was.
#include "dxf/drawing.h"
#include "dxf/drawing_origin.h"
#include "dxf/entity_codec.h"
#include "dxf/entity_records.h"
#include "dxf/new_drawing.h"
#include "dxf/r12_equivalents.h"
#include "dxf/safe_save.h"
#include "dxf/writer.h"

#include <QSet>

#include <algorithm>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

constexpr int kTrueColor = 420;
constexpr int kColorName = 430;

template <typename R>
QSet<const void*> pointers(const std::vector<std::shared_ptr<R>>& records) {
    QSet<const void*> set;
    for (const auto& r : records) {
        if (r)
            set.insert(r.get());
    }
    return set;
}

class Saver {
public:
    Saver(memory::Document& drawing, FileOrigin& origin)
        : m_drawing(drawing), m_origin(origin), m_file(origin.file) {}

    void run() {
        for (const void* record : m_origin.impliedRecords)
            m_implied.insert(record);
        for (const auto& entity : m_origin.entities)
            m_written.insert(entity.get());
        for (const auto& entities : m_origin.blockEntities) {
            for (const auto& entity : entities)
                m_written.insert(entity.get());
        }
        saveLinetypes();
        saveLayers();
        saveStyles();
        saveBlocks();
        saveEntities();
        saveHeader();
    }

    const VersionNotes& notes() const { return m_notes; }

private:
    const Encoding& encoding() const { return m_file.encoding(); }
    QByteArray text(const QString& s) const { return encoding().encodeText(s); }

    quint64 freshHandle() {
        m_added = true;
        return m_drawing.nextHandle();
    }

    // The first tag of the code in the record's data set to raw, added at its end if missing.
    void setCode(Record& record, int code, const QByteArray& raw) {
        const RecordView view = m_file.view(record);
        const qsizetype index = view.find(code);
        if (index >= 0)
            m_file.setValue(record, index, raw);
        else
            m_file.insertTag(record, view.dataEnd(), code, raw);
    }

    // A true colour (420) and a colour book name (430) take precedence over the colour number
    // in every reader, so a record given a new number loses them or it would keep showing its
    // old colour. They sit in the subclass, or anywhere in the data of a file without markers.
    void dropTrueColor(Record& record, QByteArrayView subclass) {
        for (const int code : {kTrueColor, kColorName}) {
            const RecordView view = m_file.view(record);
            const QByteArrayView in =
                view.subclassBegin(subclass) >= 0 ? subclass : QByteArrayView();
            const qsizetype index = view.findInSubclass(in, code);
            if (index >= 0)
                m_file.removeTags(record, index);
        }
    }

    // ---- tables ----

    Section& ensureSection(SectionKind kind, QByteArrayView name) {
        if (Section* existing = m_file.section(kind))
            return *existing;
        static constexpr SectionKind kOrder[] = {SectionKind::Header,   SectionKind::Classes,
                                                 SectionKind::Tables,   SectionKind::Blocks,
                                                 SectionKind::Entities, SectionKind::Objects};
        auto rank = [](SectionKind k) {
            return int(std::find(std::begin(kOrder), std::end(kOrder), k) - std::begin(kOrder));
        };
        Section section;
        section.kind = kind;
        section.name = name;
        const Tags head = {{0, "SECTION"_ba}, {2, name.toByteArray()}};
        const Tags tail = {{0, "ENDSEC"_ba}};
        section.head = m_file.addRecord(head);
        section.tail = m_file.addRecord(tail);
        auto& sections = m_file.sections();
        auto at = std::find_if(sections.begin(), sections.end(),
                               [&](const Section& s) { return rank(s.kind) > rank(kind); });
        return *sections.insert(at, std::move(section));
    }

    Group& ensureTable(Table table) {
        if (Group* existing = tableGroup(m_file, table))
            return *existing;
        Section& tables = ensureSection(SectionKind::Tables, "TABLES");
        Tags head = {{0, "TABLE"_ba}, {2, tableName(table).toByteArray()}};
        if (m_origin.markers) {
            head.emplace_back(5, handleText(freshHandle()));
            head.emplace_back(330, "0"_ba);
            head.emplace_back(100, "AcDbSymbolTable"_ba);
        }
        head.emplace_back(70, "0"_ba);
        Group group;
        group.head = m_file.addRecord(head);
        group.tail = m_file.addRecord(Tags{{0, "ENDTAB"_ba}});
        tables.groups.push_back(std::move(group));
        return tables.groups.back();
    }

    // The start of a new table record: type, handle, owner and markers as the version has them.
    Tags recordHead(QByteArrayView type, quint64 handle, QByteArrayView tableHandle,
                    QByteArrayView marker) const {
        Tags tags = {{0, type.toByteArray()}};
        if (m_origin.handles)
            tags.emplace_back(5, handleText(handle));
        if (m_origin.markers) {
            tags.emplace_back(330, tableHandle.isEmpty() ? "0"_ba : tableHandle.toByteArray());
            tags.emplace_back(100, "AcDbSymbolTableRecord"_ba);
            tags.emplace_back(100, marker.toByteArray());
        }
        return tags;
    }

    bool implied(const void* record) const { return m_implied.contains(record); }

    // Removes records the drawing deleted, updates the others, appends the new ones, and keeps
    // the table's count in step.
    template <typename R, typename Update, typename Make>
    void saveTable(Table table, std::vector<std::shared_ptr<R>>& parallel,
                   const std::vector<std::shared_ptr<R>>& current, Update update, Make make,
                   const QSet<const void*>& knownElsewhere = {}) {
        const QSet<const void*> present = pointers(current);
        const QSet<const void*> known = pointers(parallel) + knownElsewhere;
        std::vector<std::shared_ptr<R>> fresh;
        for (const auto& r : current) {
            if (!known.contains(r.get()) && !implied(r.get()))
                fresh.push_back(r);
        }
        Group* group = tableGroup(m_file, table);
        if (!group && fresh.empty())
            return;
        if (!group)
            group = &ensureTable(table);
        qint64 delta = 0;
        for (size_t i = parallel.size(); i-- > 0;) {
            if (!parallel[i])
                continue;
            if (!present.contains(parallel[i].get())) {
                group->members.erase(group->members.begin() + qsizetype(i));
                parallel.erase(parallel.begin() + qsizetype(i));
                --delta;
                continue;
            }
            update(group->members[i], *parallel[i]);
        }
        const QByteArray tableHandle = m_file.view(group->head).handle().toByteArray();
        for (const auto& r : fresh) {
            group->members.push_back(m_file.addRecord(make(*r, tableHandle)));
            parallel.push_back(r);
            m_added = true;
            ++delta;
        }
        if (delta != 0) {
            const RecordView head = m_file.view(group->head);
            const qsizetype index = head.find(70);
            const qint64 count = index >= 0 ? toInteger(head[index].value()).value_or(0) : 0;
            setCode(group->head, 70, formatInteger(std::max<qint64>(0, count + delta)));
        }
    }

    void saveLinetypes() {
        saveTable(
            Table::Linetype, m_origin.linetypes, m_drawing.linetypes(),
            [](Record&, const memory::LinetypeRecord&) {},
            [&](const memory::LinetypeRecord& lt, QByteArrayView table) {
                Tags tags = recordHead("LTYPE", lt.handle, table, "AcDbLinetypeTableRecord");
                double length = 0;
                for (const double dash : lt.pattern)
                    length += std::abs(dash);
                tags.insert(tags.end(), {{2, text(lt.name)},
                                         {70, "0"_ba},
                                         {3, text(lt.description)},
                                         {72, "65"_ba},
                                         {73, formatInteger(qint64(lt.pattern.size()))},
                                         {40, formatDouble(length)}});
                for (const double dash : lt.pattern) {
                    tags.emplace_back(49, formatDouble(dash));
                    if (m_origin.markers)
                        tags.emplace_back(74, "0"_ba);
                }
                return tags;
            });
    }

    void saveLayers() {
        // Implied layers the drawing changed become real ones.
        std::erase_if(m_origin.impliedLayers, [](const FileOrigin::Implied& i) {
            return i.layer->color != i.color || i.layer->locked != i.locked ||
                   i.layer->linetype != i.linetype;
        });
        for (const FileOrigin::Implied& i : m_origin.impliedLayers)
            m_implied.insert(i.layer.get());
        // Extra groups the file's layers carry (lineweight, plot style) go on new ones too.
        Tags extras;
        if (Group* group = tableGroup(m_file, Table::Layer)) {
            for (const Record& record : group->members) {
                const RecordView view = m_file.view(record);
                for (const int code : {370, 390}) {
                    const qsizetype index = view.find(code);
                    if (index >= 0)
                        extras.emplace_back(code, view[index].value().toByteArray());
                }
                if (!extras.empty())
                    break;
            }
        }
        saveTable(
            Table::Layer, m_origin.layers, m_drawing.layers(),
            [&](Record& record, const memory::LayerRecord& layer) { updateLayer(record, layer); },
            [&](const memory::LayerRecord& layer, QByteArrayView table) {
                Tags tags = recordHead("LAYER", layer.handle, table, "AcDbLayerTableRecord");
                tags.insert(tags.end(), {{2, text(layer.name)},
                                         {70, layer.locked ? "4"_ba : "0"_ba},
                                         {62, formatInteger(layer.color)},
                                         {6, text(layer.linetype)}});
                if (m_origin.markers)
                    tags.insert(tags.end(), extras.begin(), extras.end());
                return tags;
            });
    }

    void updateLayer(Record& record, const memory::LayerRecord& layer) {
        RecordView view = m_file.view(record);
        const qint64 color = toInteger(view.value(62)).value_or(7);
        if (qAbs(color) != layer.color) {  // a negative colour is a layer turned off: kept so
            setCode(record, 62, formatInteger(color < 0 ? -layer.color : layer.color));
            dropTrueColor(record, "AcDbLayerTableRecord");
        }
        view = m_file.view(record);
        const qint64 flags = toInteger(view.value(70)).value_or(0);
        if (((flags & 4) != 0) != layer.locked)
            setCode(record, 70, formatInteger(flags ^ 4));
        view = m_file.view(record);
        const QByteArrayView linetype = trimmedBlanks(view.value(6));
        const QString fileLinetype =
            linetype.isEmpty() ? u"Continuous"_s : normalLinetype(encoding().decodeText(linetype));
        if (fileLinetype != layer.linetype)
            setCode(record, 6, text(layer.linetype));
    }

    void saveStyles() {
        saveTable(
            Table::Style, m_origin.styles, m_drawing.textStyles(),
            [&](Record& record, const memory::TextStyleRecord& style) {
                for (const auto& [code, value] :
                     {std::pair{3, &style.fontFile}, std::pair{4, &style.bigFontFile}}) {
                    const RecordView view = m_file.view(record);
                    if (encoding().decodeText(trimmedBlanks(view.value(code))) != *value)
                        setCode(record, code, text(*value));
                }
            },
            [&](const memory::TextStyleRecord& style, QByteArrayView table) {
                Tags tags = recordHead("STYLE", style.handle, table, "AcDbTextStyleTableRecord");
                tags.insert(tags.end(), {{2, text(style.name)},
                                         {70, "0"_ba},
                                         {40, "0.0"_ba},
                                         {41, "1.0"_ba},
                                         {50, "0.0"_ba},
                                         {71, "0"_ba},
                                         {42, "2.5"_ba},
                                         {3, text(style.fontFile)},
                                         {4, text(style.bigFontFile)}});
                return tags;
            });
    }

    // ---- blocks and entities ----

    // The handle entities of the block name as their owner: its BLOCK_RECORD's.
    QByteArray ownerOf(const memory::BlockRecord& block) {
        if (Group* group = tableGroup(m_file, Table::BlockRecord)) {
            for (size_t i = 0; i < m_origin.blockRecords.size(); ++i) {
                if (m_origin.blockRecords[i].get() == &block)
                    return m_file.view(group->members[i]).handle().toByteArray();
            }
        }
        return handleText(block.handle);
    }

    void saveBlocks() {
        // Blocks the file has, by a BLOCK_RECORD or a BLOCK group; a file may lack one of the
        // two, which is no reason to add it.
        const QSet<const void*> inFile =
            pointers(m_origin.blockRecords) + pointers(m_origin.blocks);
        if (m_origin.markers) {
            saveTable(
                Table::BlockRecord, m_origin.blockRecords, m_drawing.blocks(),
                [](Record&, const memory::BlockRecord&) {},
                [&](const memory::BlockRecord& block, QByteArrayView table) {
                    Tags tags =
                        recordHead("BLOCK_RECORD", block.handle, table, "AcDbBlockTableRecord");
                    tags.emplace_back(2, text(block.name));
                    return tags;
                },
                inFile);
        }
        for (size_t g = 0; g < m_origin.blocks.size(); ++g) {
            const auto& block = m_origin.blocks[g];
            Group& group = m_file.section(SectionKind::Blocks)->groups[g];
            const bool layout =
                block.get() == &m_drawing.modelSpace() || block.get() == &m_drawing.paperSpace();
            updateMembers(group.members, m_origin.blockEntities[g]);
            if (block && !layout)
                appendNew(group.members, m_origin.blockEntities[g], *block, false);
        }
        for (const auto& block : m_drawing.blocks()) {
            if (inFile.contains(block.get()) || implied(block.get()))
                continue;
            addBlockGroup(block);
        }
    }

    void addBlockGroup(const std::shared_ptr<memory::BlockRecord>& block) {
        const QByteArray owner = ownerOf(*block);
        const QByteArray name = text(block->name);
        Tags head = {{0, "BLOCK"_ba}};
        Tags tail = {{0, "ENDBLK"_ba}};
        for (Tags* tags : {&head, &tail}) {
            if (m_origin.handles)
                tags->emplace_back(5, handleText(freshHandle()));
            if (m_origin.markers) {
                tags->emplace_back(330, owner);
                tags->emplace_back(100, "AcDbEntity"_ba);
            }
            tags->emplace_back(8, "0"_ba);
        }
        if (m_origin.markers) {
            head.emplace_back(100, "AcDbBlockBegin"_ba);
            tail.emplace_back(100, "AcDbBlockEnd"_ba);
        }
        head.insert(head.end(), {{2, name},
                                 {70, "0"_ba},
                                 {10, formatDouble(block->basePoint.x)},
                                 {20, formatDouble(block->basePoint.y)},
                                 {30, formatDouble(block->basePoint.z)},
                                 {3, name},
                                 {1, ""_ba}});
        Group group;
        group.head = m_file.addRecord(head);
        group.tail = m_file.addRecord(tail);
        ensureSection(SectionKind::Blocks, "BLOCKS").groups.push_back(std::move(group));
        m_origin.blocks.push_back(block);
        m_origin.blockEntities.emplace_back();
        m_added = true;
        appendNew(m_file.section(SectionKind::Blocks)->groups.back().members,
                  m_origin.blockEntities.back(), *block, false);
    }

    // Updates the records of the entities the drawing still has and drops the erased ones.
    void updateMembers(std::vector<Record>& members,
                       std::vector<std::shared_ptr<memory::Entity>>& parallel) {
        std::vector<Record> keptMembers;
        std::vector<std::shared_ptr<memory::Entity>> keptEntities;
        keptMembers.reserve(members.size());
        keptEntities.reserve(parallel.size());
        for (size_t i = 0; i < members.size(); ++i) {
            const auto& entity = parallel[i];
            if (entity && !entity->document()) {
                m_origin.equivalents.erase(entity.get());
                continue;
            }
            if (entity && m_origin.equivalents.contains(entity.get())) {
                if (!updateEquivalent(members[i], *entity)) {
                    m_origin.equivalents.erase(entity.get());
                    continue;
                }
            } else if (entity) {
                updateEntity(members[i], *entity);
            }
            keptMembers.push_back(members[i]);
            keptEntities.push_back(entity);
        }
        members = std::move(keptMembers);
        parallel = std::move(keptEntities);
    }

    // Appends records for the block's entities the file has none for: those added since the file
    // was read or saved, and those an undo brought back after a save dropped their records.
    void appendNew(std::vector<Record>& members,
                   std::vector<std::shared_ptr<memory::Entity>>& parallel,
                   const memory::BlockRecord& block, bool paper) {
        if (!hasNew(block))
            return;
        const QByteArray owner = m_origin.markers ? ownerOf(block) : QByteArray();
        for (const auto& entity : block.entities) {
            if (m_written.contains(entity.get()))
                continue;
            if (lacksKind(entity->kind())) {
                std::optional<Record> record = newEquivalent(*entity, owner, paper);
                if (!record)
                    continue;
                members.push_back(*record);
            } else {
                members.push_back(m_file.addRecord(newEntity(*entity, owner, paper)));
            }
            parallel.push_back(entity);
            m_written.insert(entity.get());
            m_added = true;
        }
    }

    bool hasNew(const memory::BlockRecord& block) const {
        return std::any_of(block.entities.begin(), block.entities.end(),
                           [&](const auto& entity) { return !m_written.contains(entity.get()); });
    }

    void updateEntity(Record& record, const memory::Entity& entity) {
        const KindCodec& codec = KindCodec::of(entity.kind());
        m_tags.find(codec, m_file.view(record));
        m_changed.clear();
        for (int slot = 0; slot < codec.memberCount(); ++slot) {
            if (!sameValue(m_tags.value(slot, encoding(), m_names), entity.slotValue(slot)))
                m_changed.push_back(slot);
        }
        for (const int slot : m_changed) {
            writeMember(m_file, record, codec, slot, entity.slotValue(slot));
            if (slot == memory::kColorSlot)
                dropTrueColor(record, "AcDbEntity");
        }
    }

    RecordPlace place(const QByteArray& owner, bool paper) const {
        return {&encoding(), m_origin.handles, m_origin.markers, owner, paper};
    }

    Tags newEntity(const memory::Entity& entity, const QByteArray& owner, bool paper) {
        return entityRecord(entity.kind(), entity.values(), entity.handle(), place(owner, paper));
    }

    // ---- kinds the file's version lacks ----

    // An R12 file (or one without a version) gets no record of a kind R12 lacks: every reader
    // that checks the structure would refuse the whole file.
    bool lacksKind(const memory::KindSpec& kind) const {
        return !m_origin.markers && !isR12Kind(kind.dxfName);
    }

    // The records standing for a new entity of a kind the version lacks, or none: the kind has
    // no equivalent (it is left out and named in the notes), or the entity comes to nothing
    // (a text of blank lines).
    std::optional<Record> newEquivalent(const memory::Entity& entity, const QByteArray& owner,
                                        bool paper) {
        const memory::KindSpec& kind = entity.kind();
        if (!hasR12Equivalent(kind)) {
            note(m_notes.leftOut, kind);
            return std::nullopt;
        }
        FileOrigin::Equivalent& equivalent = m_origin.equivalents[&entity];
        equivalent.owner = owner;
        equivalent.paper = paper;
        Tags tags = equivalentTags(entity, equivalent);
        if (tags.empty()) {
            m_origin.equivalents.erase(&entity);
            return std::nullopt;
        }
        return m_file.addRecord(tags);
    }

    // Writes the records anew when the entity changed since they were written; false when it
    // now comes to nothing, and its records go.
    bool updateEquivalent(Record& record, const memory::Entity& entity) {
        FileOrigin::Equivalent& equivalent = m_origin.equivalents.at(&entity);
        note(m_notes.converted, entity.kind());
        for (int slot = 0; slot < int(entity.kind().members.size()); ++slot) {
            if (!sameValue(equivalent.values[size_t(slot)], entity.slotValue(slot))) {
                const Tags tags = equivalentTags(entity, equivalent);
                if (tags.empty())
                    return false;
                record = m_file.addRecord(tags);
                return true;
            }
        }
        return true;
    }

    Tags equivalentTags(const memory::Entity& entity, FileOrigin::Equivalent& equivalent) {
        note(m_notes.converted, entity.kind());
        equivalent.values.assign(entity.values().begin(), entity.values().end());
        // The records after the first keep their handles from save to save.
        size_t used = 0;
        return r12EquivalentRecords(entity, place(equivalent.owner, equivalent.paper), [&] {
            if (used == equivalent.handles.size())
                equivalent.handles.push_back(freshHandle());
            return equivalent.handles[used++];
        });
    }

    static void note(QStringList& kinds, const memory::KindSpec& kind) {
        if (!kinds.contains(kind.dxfName))
            kinds.append(kind.dxfName);
    }

    void saveEntities() {
        Section* section = m_file.section(SectionKind::Entities);
        if (!section && !hasNew(m_drawing.modelSpace()) && !hasNew(m_drawing.paperSpace()))
            return;
        if (!section)
            section = &ensureSection(SectionKind::Entities, "ENTITIES");
        updateMembers(section->members, m_origin.entities);
        appendNew(section->members, m_origin.entities, m_drawing.modelSpace(), false);
        appendNew(section->members, m_origin.entities, m_drawing.paperSpace(), true);
    }

    void saveHeader() {
        const QString layer = m_origin.currentLayer.isEmpty() ? u"0"_s : m_origin.currentLayer;
        if (layer.compare(m_drawing.currentLayer(), Qt::CaseInsensitive) != 0) {
            m_file.setHeaderValue("$CLAYER", 8, text(m_drawing.currentLayer()));
            m_origin.currentLayer = m_drawing.currentLayer();
        }
        const QString style = m_origin.textStyle.isEmpty() ? u"Standard"_s : m_origin.textStyle;
        const QString active = m_drawing.activeTextStyle().name;
        if (style.compare(active, Qt::CaseInsensitive) != 0) {
            m_file.setHeaderValue("$TEXTSTYLE", 7, text(active));
            m_origin.textStyle = active;
        }
        if (m_added && m_file.headerVariable("$HANDSEED")) {
            const quint64 seed =
                std::max(parseHandle(m_file.headerValue("$HANDSEED")), m_drawing.handseed());
            m_file.setHeaderValue("$HANDSEED", 5, handleText(seed));
        }
    }

    memory::Document& m_drawing;
    FileOrigin& m_origin;
    Document& m_file;
    VersionNotes m_notes;
    bool m_added = false;
    QSet<const void*> m_implied;
    QSet<const void*> m_written;  // entities the file has a record for
    MemberTags m_tags;
    NameCache m_names;
    std::vector<int> m_changed;
};

}  // namespace

QByteArray drawingBytes(memory::Document& drawing, VersionNotes* notes) {
    auto* origin = dynamic_cast<FileOrigin*>(drawing.origin());
    if (!origin) {
        auto created = std::make_shared<FileOrigin>();
        created->file = newDrawingFile();
        bindFile(drawing, *created, BindMode::Template);
        origin = created.get();
        drawing.setOrigin(std::move(created));
    }
    Saver saver(drawing, *origin);
    saver.run();
    if (notes)
        *notes = saver.notes();
    return writeBytes(origin->file);
}

Result<Saved> saveDrawing(memory::Document& drawing, const QString& path) {
    Saved saved;
    const Result<qint64> written = writeFileSafely(path, drawingBytes(drawing, &saved.notes));
    if (!written)
        return written.error();
    saved.bytes = written.value();
    return saved;
}

}  // namespace dxf
