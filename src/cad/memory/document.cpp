// Document: tables, entities, variables and undo marks of one drawing.
#include "cad/memory/document.h"

#include <QFileInfo>
#include <cmath>

#include "cad/memory/application.h"
#include "cad/memory/standard_linetypes.h"

namespace cad::memory {

namespace {

bool isFinite(const Value& v, Type type) {
    switch (type) {
        case Type::Real:
        case Type::Angle:
            return std::isfinite(v.toDouble());
        case Type::Point: {
            Point p = v.toPoint();
            return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
        }
        case Type::Doubles:
            for (double d : v.toDoubles()) {
                if (!std::isfinite(d)) {
                    return false;
                }
            }
            return true;
        default:
            return true;
    }
}

// Converts to the member's own type, as late binding does for the value handed in.
Value coerce(const Value& v, Type type) {
    switch (type) {
        case Type::Text:
            return v.toText();
        case Type::Real:
        case Type::Angle:
            return v.toDouble();
        case Type::Int:
            return v.toInt();
        case Type::Point:
            return v.toPoint();
        case Type::Doubles: {
            auto d = v.toDoubles();
            if (d.size() % 3 != 0) {
                throw Error(QStringLiteral("点数组的长度须是 3 的倍数"));
            }
            return d;
        }
    }
    return v;
}

[[noreturn]] void invalidInput() {
    throw Error(QStringLiteral("无效的输入"));
}

}  // namespace

Document::Document(std::shared_ptr<Session> session, Application* app, QString name)
    : m_session(std::move(session)), m_app(app), m_name(std::move(name)) {
    addBlock(QStringLiteral("*Model_Space"));
    addBlock(QStringLiteral("*Paper_Space"));
    addLayer(QStringLiteral("0"));
    for (const char16_t* lt : {u"ByBlock", u"ByLayer", u"Continuous"}) {
        addLinetype(QString::fromUtf16(lt)).description =
            lt[0] == u'C' ? QStringLiteral("Solid line") : QString();
    }
    m_activeStyle = &addTextStyle(QStringLiteral("Standard"), QStringLiteral("txt"), QString());
    m_variables.insert(QStringLiteral("MODEMACRO"), QString());
    m_variables.insert(QStringLiteral("LTSCALE"), 1.0);

    m_layersNode = std::make_shared<CollectionNode>(this, CollectionNode::Of::Layers);
    m_stylesNode = std::make_shared<CollectionNode>(this, CollectionNode::Of::TextStyles);
    m_linetypesNode = std::make_shared<CollectionNode>(this, CollectionNode::Of::Linetypes);
    m_blocksNode = std::make_shared<CollectionNode>(this, CollectionNode::Of::Blocks);
    m_setsNode = std::make_shared<CollectionNode>(this, CollectionNode::Of::SelectionSets);
    m_utility = std::make_shared<UtilityNode>(this);
}

Document::~Document() {
    // Whoever still holds one of our objects gets a refusal, never a dangling document.
    auto detachAll = [](auto& table) {
        for (auto& r : table) {
            r->detach();
        }
    };
    for (auto& b : m_blocks) {
        detachAll(b->entities);
    }
    detachAll(m_blocks);
    detachAll(m_layers);
    detachAll(m_styles);
    detachAll(m_linetypes);
    detachAll(m_sets);
    for (auto* n : {m_layersNode.get(), m_stylesNode.get(), m_linetypesNode.get(),
                    m_blocksNode.get(), m_setsNode.get()}) {
        n->detach();
    }
    m_utility->detach();
}

void Document::enterFromNode() {
    m_session->enter();
    checkAvailable();
}

void Document::checkAvailable() const {
    m_session->checkRunning();
    if (m_closed) {
        throw Error(QStringLiteral("文档已关闭"));
    }
}

template <typename R>
R* Document::find(const std::vector<std::shared_ptr<R>>& table, QStringView name) const {
    for (const auto& r : table) {
        if (r->name == name) {
            return r.get();
        }
    }
    for (const auto& r : table) {
        if (name.compare(r->name, Qt::CaseInsensitive) == 0) {
            return r.get();
        }
    }
    return nullptr;
}

LayerRecord* Document::findLayer(QStringView name) const {
    return find(m_layers, name);
}
TextStyleRecord* Document::findTextStyle(QStringView name) const {
    return find(m_styles, name);
}
LinetypeRecord* Document::findLinetype(QStringView name) const {
    return find(m_linetypes, name);
}
BlockRecord* Document::findBlock(QStringView name) const {
    return find(m_blocks, name);
}

quint64 Document::takeHandle(quint64 handle) {
    if (handle == 0) {
        return nextHandle();
    }
    claimHandle(handle);
    return handle;
}

void Document::claimHandle(quint64 handle) {
    if (handle >= m_handseed) {
        m_handseed = handle + 1;
    }
}

LayerRecord& Document::addLayer(const QString& name, quint64 handle) {
    Q_ASSERT(!findLayer(name));
    m_layers.push_back(std::make_shared<LayerRecord>(this, name, takeHandle(handle)));
    return *m_layers.back();
}

TextStyleRecord& Document::addTextStyle(const QString& name, const QString& fontFile,
                                        const QString& bigFontFile, quint64 handle) {
    Q_ASSERT(!findTextStyle(name));
    m_styles.push_back(std::make_shared<TextStyleRecord>(this, name, takeHandle(handle)));
    m_styles.back()->fontFile = fontFile;
    m_styles.back()->bigFontFile = bigFontFile;
    return *m_styles.back();
}

LinetypeRecord& Document::addLinetype(const QString& name, quint64 handle) {
    Q_ASSERT(!findLinetype(name));
    m_linetypes.push_back(std::make_shared<LinetypeRecord>(this, name, takeHandle(handle)));
    return *m_linetypes.back();
}

BlockRecord& Document::addBlock(const QString& name, quint64 handle) {
    Q_ASSERT(!findBlock(name));
    m_blocks.push_back(std::make_shared<BlockRecord>(this, name, takeHandle(handle)));
    return *m_blocks.back();
}

std::shared_ptr<Entity> Document::makeEntity(const KindSpec& kind, quint64 handle) {
    auto e = std::make_shared<Entity>(this, kind, takeHandle(handle));
    e->setSlotValue(kLayerSlot, m_currentLayer);
    if (int s = kind.slot(Member::StyleName); s >= 0) {
        e->setSlotValue(s, m_activeStyle->name);
    }
    return e;
}

std::shared_ptr<Entity> Document::findEntity(QStringView handle) const {
    bool ok = false;
    const quint64 h = handle.toULongLong(&ok, 16);
    if (!ok) {
        return nullptr;
    }
    for (const auto& b : m_blocks) {
        for (const auto& e : b->entities) {
            if (e->handle() == h) {
                return e;
            }
        }
    }
    return nullptr;
}

void Document::defineVariable(const QString& name, const Value& value) {
    m_variables.insert(name.toUpper(), value);
}

Value Document::variable(const QString& name) const {
    const QString key = name.toUpper();
    if (key == u"CLAYER") {
        return m_currentLayer;
    }
    if (key == u"TEXTSTYLE") {
        return m_activeStyle->name;
    }
    auto it = m_variables.constFind(key);
    if (it == m_variables.constEnd()) {
        throw Error(QStringLiteral("未知的系统变量：%1").arg(name));
    }
    return it.value();
}

bool Document::isLayerLocked(const QString& name) const {
    const LayerRecord* layer = findLayer(name);
    return layer && layer->locked;
}

Value Document::checkedValue(const MemberSpec& memberSpec, const Value& value) const {
    Value v = coerce(value, memberSpec.type);
    if (!isFinite(v, memberSpec.type)) {
        invalidInput();
    }
    switch (memberSpec.rule) {
        case Rule::Any:
            return v;
        case Rule::Positive:
            if (!(v.toDouble() > 0)) {
                invalidInput();
            }
            return v;
        case Rule::NonNegative:
            if (!(v.toDouble() >= 0)) {
                invalidInput();
            }
            return v;
        case Rule::Range:
            if (v.toInt() < memberSpec.low || v.toInt() > memberSpec.high) {
                invalidInput();
            }
            return v;
        case Rule::LayerName:
            if (auto* r = findLayer(v.toText())) {
                return r->name;
            }
            break;
        case Rule::LinetypeName:
            if (auto* r = findLinetype(v.toText())) {
                return r->name;
            }
            break;
        case Rule::StyleName:
            if (auto* r = findTextStyle(v.toText())) {
                return r->name;
            }
            break;
        case Rule::BlockName:
            if (auto* r = findBlock(v.toText()); r && !r->name.startsWith(u'*')) {
                return r->name;
            }
            break;
    }
    throw Error(QStringLiteral("找不到名称：%1").arg(v.toText()));
}

void Document::record(Change&& change) {
    ++m_changes;
    m_journal.record(std::move(change));
    if (m_undoDepth == 0) {
        ++m_changesOutside;
        m_journal.closeStep();
    }
    notifyChanged();
}

void Document::notifyChanged() {
    if (Observer* observer = m_app ? m_app->observer() : nullptr) {
        observer->drawingChanged(*this);
    }
}

void Document::erase(Entity* entity) {
    for (auto& b : m_blocks) {
        auto it = std::find_if(b->entities.begin(), b->entities.end(),
                               [entity](const auto& e) { return e.get() == entity; });
        if (it != b->entities.end()) {
            std::shared_ptr<Entity> erased = std::move(*it);
            const int index = int(it - b->entities.begin());
            b->entities.erase(it);
            erased->detach();
            record({Change::Kind::Erase, index, std::move(erased), b.get(), {}});
            return;
        }
    }
}

Interaction& Document::interaction() const {
    Q_ASSERT(m_app);
    return m_app->interaction();
}

std::shared_ptr<SelectionSetNode> Document::addSelectionSet(const QString& name) {
    for (const auto& s : m_sets) {
        if (name.compare(s->name, Qt::CaseInsensitive) == 0) {
            throw Error(QStringLiteral("选择集已存在：%1").arg(name));
        }
    }
    if (name.trimmed().isEmpty()) {
        invalidInput();
    }
    m_sets.push_back(std::make_shared<SelectionSetNode>(this, name));
    return m_sets.back();
}

void Document::deleteSelectionSet(SelectionSetNode* set) {
    std::erase_if(m_sets, [set](const auto& s) { return s.get() == set; });
    set->detach();
}

bool Document::styleInUse(const QString& name) const {
    for (const auto& b : m_blocks) {
        for (const auto& e : b->entities) {
            const int s = e->kind().slot(Member::StyleName);
            if (s >= 0 && e->slotValue(s).toText().compare(name, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

void Document::deleteTextStyle(TextStyleRecord* style) {
    if (style == m_activeStyle || style->name.compare(u"Standard", Qt::CaseInsensitive) == 0) {
        throw Error(QStringLiteral("不能删除当前或标准文字样式"));
    }
    if (styleInUse(style->name)) {
        throw Error(QStringLiteral("文字样式仍被引用：%1").arg(style->name));
    }
    auto it = std::find_if(m_styles.begin(), m_styles.end(),
                           [style](const auto& s) { return s.get() == style; });
    Q_ASSERT(it != m_styles.end());
    std::shared_ptr<TextStyleRecord> deleted = std::move(*it);
    const int index = int(it - m_styles.begin());
    m_styles.erase(it);
    deleted->detach();
    record({Change::Kind::DeleteStyle, index, std::move(deleted), nullptr, {}});
}

void Document::loadLinetype(const QString& name, const QString& file) {
    const StandardLinetype* lt = standardLinetype(name);
    if (!isStandardLinetypeFile(file)) {
        throw Error(QStringLiteral("找不到线型文件：%1").arg(file));
    }
    if (!lt) {
        throw Error(QStringLiteral("线型文件中没有线型：%1").arg(name));
    }
    if (findLinetype(name)) {
        throw Error(QStringLiteral("线型已加载：%1").arg(name));
    }
    LinetypeRecord& r = addLinetype(lt->name);
    r.description = lt->description;
    r.pattern = lt->pattern;
    record(
        {Change::Kind::AddLinetype, int(m_linetypes.size()) - 1, m_linetypes.back(), nullptr, {}});
}

void Document::saveTo(const QString& path) {
    const Application::Saver* saver = m_app ? &m_app->saver() : nullptr;
    if (!saver || !*saver) {
        throw Error(QStringLiteral("此程序不能保存图形"));
    }
    if (const std::optional<QString> error = (*saver)(*this, path)) {
        throw Error(QStringLiteral("保存失败：%1").arg(*error));
    }
    markSaved();
}

Value Document::get(Member m) {
    switch (m) {
        case Member::Name:
            return m_name;
        case Member::ModelSpace:
            return ObjectRef(m_blocks[0]);
        case Member::PaperSpace:
            return ObjectRef(m_blocks[1]);
        case Member::Utility:
            return ObjectRef(m_utility);
        case Member::SelectionSets:
            return ObjectRef(m_setsNode);
        case Member::Layers:
            return ObjectRef(m_layersNode);
        case Member::TextStyles:
            return ObjectRef(m_stylesNode);
        case Member::Linetypes:
            return ObjectRef(m_linetypesNode);
        case Member::Blocks:
            return ObjectRef(m_blocksNode);
        case Member::ActiveTextStyle:
            for (const auto& s : m_styles) {
                if (s.get() == m_activeStyle) {
                    return ObjectRef(s);
                }
            }
            break;
        default:
            break;
    }
    noSuchMember(m);
}

void Document::put(Member m, const Value& value) {
    if (m != Member::ActiveTextStyle) {
        noSuchMember(m);
    }
    auto* style = dynamic_cast<TextStyleRecord*>(value.toObject().get());
    if (!style || style->document() != this) {
        invalidInput();
    }
    if (style != m_activeStyle) {
        Value other = ObjectRef(style->shared_from_this());
        swapActiveStyle(other);
        record({Change::Kind::ActiveStyle, 0, nullptr, nullptr, std::move(other)});
    }
}

Value Document::call(Member m, std::span<const Value> args) {
    switch (m) {
        case Member::SetVariable: {
            const QString name = arg(args, 0).toText().toUpper();
            const Value& v = arg(args, 1);
            if (name == u"CLAYER") {
                const LayerRecord* layer = findLayer(v.toText());
                if (!layer) {
                    invalidInput();
                }
                if (layer->name != m_currentLayer) {
                    QString other = layer->name;
                    std::swap(other, m_currentLayer);
                    record({Change::Kind::CurrentLayer, 0, nullptr, nullptr, std::move(other)});
                }
            } else if (name == u"TEXTSTYLE") {
                TextStyleRecord* style = findTextStyle(v.toText());
                if (!style) {
                    invalidInput();
                }
                if (style != m_activeStyle) {
                    Value other = ObjectRef(style->shared_from_this());
                    swapActiveStyle(other);
                    record({Change::Kind::ActiveStyle, 0, nullptr, nullptr, std::move(other)});
                }
            } else {
                auto it = m_variables.find(name);
                if (it == m_variables.end()) {
                    throw Error(QStringLiteral("未知的系统变量：%1").arg(name));
                }
                it.value() = it.value().holds<QString>() ? Value(v.toText()) : Value(v.toDouble());
                // Not undone, but shown (the status line shows MODEMACRO).
                notifyChanged();
            }
            return {};
        }
        case Member::GetVariable:
            return variable(arg(args, 0).toText());
        case Member::StartUndoMark:
            ++m_undoDepth;
            return {};
        case Member::EndUndoMark:
            if (m_undoDepth > 0 && --m_undoDepth == 0) {
                ++m_undoGroups;
                m_journal.closeStep();
            }
            return {};
        case Member::Save:
            if (m_path.isEmpty()) {
                throw Error(QStringLiteral("图形尚未命名，请用另存为"));
            }
            saveTo(m_path);
            return {};
        case Member::SaveAs: {
            const QString path = arg(args, 0).toText();
            if (path.isEmpty()) {
                invalidInput();
            }
            saveTo(path);
            m_path = path;
            m_name = QFileInfo(path).fileName();
            return {};
        }
        case Member::Close:
            if (m_app) {
                m_app->closeDocument(*this);
            }
            return {};
        default:
            noSuchMember(m);
    }
}

}  // namespace cad::memory
