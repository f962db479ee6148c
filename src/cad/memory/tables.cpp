// Table records, blocks, selection sets and collections of a document.
#include "cad/memory/tables.h"

#include "cad/memory/document.h"
#include "cad/memory/interaction.h"

#include <utility>

namespace cad::memory {

namespace {

ObjectRef itemOf(const auto& table, const Value& key) {
    if (key.holds<QString>()) {
        const QString name = key.toText();
        for (const auto& r : table) {
            if (name.compare(r->name, Qt::CaseInsensitive) == 0) {
                return r;
            }
        }
        throw Error(QStringLiteral("找不到名称：%1").arg(name));
    }
    const int i = key.toInt();
    if (i < 0 || i >= static_cast<int>(table.size())) {
        throw Error(QStringLiteral("索引无效"));
    }
    return table[i];
}

// Layer names a real CAD refuses.
bool isValidName(const QString& name) {
    static const QString forbidden = QStringLiteral("<>/\\\":;?*|,=`");
    if (name.trimmed().isEmpty() || name.size() > 255) {
        return false;
    }
    for (QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20) {
            return false;
        }
    }
    return true;
}

}  // namespace

void DocNode::enter() {
    if (!m_document) {
        throw Error(QStringLiteral("对象已被删除"));
    }
    m_document->enterFromNode();
}

void DocNode::checkAvailable() const {
    if (!m_document) {
        throw Error(QStringLiteral("对象已被删除"));
    }
    m_document->checkAvailable();
}

Value LayerRecord::get(Member m) {
    switch (m) {
        case Member::Name:
            return name;
        case Member::Color:
            return color;
        case Member::Linetype:
            return linetype;
        case Member::Lock:
            return locked;
        case Member::Handle:
            return QString::number(handle, 16).toUpper();
        default:
            noSuchMember(m);
    }
}

void LayerRecord::put(Member m, const Value& value) {
    Change change{Change::Kind::LayerColor, 0, shared_from_this(), nullptr, {}};
    switch (m) {
        case Member::Color: {
            const int c = value.toInt();
            if (c < 1 || c > 255) {
                throw Error(QStringLiteral("无效的输入"));
            }
            change.value = std::exchange(color, c);
            break;
        }
        case Member::Linetype: {
            const LinetypeRecord* lt = doc().findLinetype(value.toText());
            if (!lt || lt->name.startsWith(u"By", Qt::CaseInsensitive)) {
                throw Error(QStringLiteral("找不到名称：%1").arg(value.toText()));
            }
            change.kind = Change::Kind::LayerLinetype;
            change.value = std::exchange(linetype, lt->name);
            break;
        }
        case Member::Lock:
            change.kind = Change::Kind::LayerLock;
            change.value = std::exchange(locked, value.toBool());
            break;
        default:
            noSuchMember(m);
    }
    doc().record(std::move(change));
}

Value TextStyleRecord::get(Member m) {
    switch (m) {
        case Member::Name:
            return name;
        case Member::FontFile:
            return fontFile;
        case Member::BigFontFile:
            return bigFontFile;
        case Member::Handle:
            return QString::number(handle, 16).toUpper();
        default:
            noSuchMember(m);
    }
}

Value TextStyleRecord::call(Member m, std::span<const Value>) {
    if (m != Member::Delete) {
        noSuchMember(m);
    }
    doc().deleteTextStyle(this);
    return {};
}

Value LinetypeRecord::get(Member m) {
    switch (m) {
        case Member::Name:
            return name;
        case Member::Description:
            return description;
        case Member::Handle:
            return QString::number(handle, 16).toUpper();
        default:
            noSuchMember(m);
    }
}

Entity& BlockRecord::append(std::shared_ptr<Entity> e) {
    Q_ASSERT(e->document() == document());
    entities.push_back(std::move(e));
    return *entities.back();
}

Value BlockRecord::get(Member m) {
    switch (m) {
        case Member::Name:
            return name;
        case Member::Count:
            return static_cast<int>(entities.size());
        case Member::Handle:
            return QString::number(handle, 16).toUpper();
        default:
            noSuchMember(m);
    }
}

Value BlockRecord::add(const KindSpec& kind,
                       std::initializer_list<std::pair<Member, Value>> values) {
    auto e = doc().makeEntity(kind);
    for (const auto& [member, value] : values) {
        const int s = kind.slot(member);
        e->setSlotValue(s, doc().checkedValue(kind.members[s], value));
    }
    append(e);
    doc().record({Change::Kind::Append, int(entities.size()) - 1, e, this, {}});
    return ObjectRef(std::move(e));
}

Value BlockRecord::call(Member m, std::span<const Value> args) {
    using M = Member;
    switch (m) {
        case M::Item: {
            const int i = arg(args, 0).toInt();
            if (i < 0 || i >= static_cast<int>(entities.size())) {
                throw Error(QStringLiteral("索引无效"));
            }
            return ObjectRef(entities[i]);
        }
        case M::AddLine:
            return add(kinds::line(), {{M::StartPoint, arg(args, 0)}, {M::EndPoint, arg(args, 1)}});
        case M::AddCircle:
            return add(kinds::circle(), {{M::Center, arg(args, 0)}, {M::Radius, arg(args, 1)}});
        case M::AddArc:
            return add(kinds::arc(), {{M::Center, arg(args, 0)},
                                      {M::Radius, arg(args, 1)},
                                      {M::StartAngle, arg(args, 2)},
                                      {M::EndAngle, arg(args, 3)}});
        case M::AddText:
            return add(kinds::text(), {{M::TextString, arg(args, 0)},
                                       {M::InsertionPoint, arg(args, 1)},
                                       {M::TextAlignmentPoint, arg(args, 1)},
                                       {M::Height, arg(args, 2)}});
        case M::AddMtext:
            return add(kinds::mtext(), {{M::InsertionPoint, arg(args, 0)},
                                        {M::Width, arg(args, 1)},
                                        {M::TextString, arg(args, 2)}});
        case M::AddSpline: {
            if (arg(args, 0).toDoubles().size() < 6) {
                throw Error(QStringLiteral("样条曲线至少需要两个拟合点"));
            }
            return add(kinds::spline(), {{M::FitPoints, arg(args, 0)},
                                         {M::StartTangent, arg(args, 1)},
                                         {M::EndTangent, arg(args, 2)}});
        }
        case M::AddPoint:
            return add(kinds::point(), {{M::Coordinates, arg(args, 0)}});
        default:
            noSuchMember(m);
    }
}

Value SelectionSetNode::get(Member m) {
    switch (m) {
        case Member::Name:
            return name;
        case Member::Count:
            return static_cast<int>(items.size());
        default:
            noSuchMember(m);
    }
}

Value SelectionSetNode::call(Member m, std::span<const Value> args) {
    switch (m) {
        case Member::Item: {
            const int i = arg(args, 0).toInt();
            if (i < 0 || i >= static_cast<int>(items.size())) {
                throw Error(QStringLiteral("索引无效"));
            }
            return ObjectRef(items[i]);
        }
        case Member::SelectOnScreen: {
            // A cancelled selection leaves the set as it was, as the CAD does. The user picks
            // in the space on screen: paper space while a layout is current.
            auto handles = doc().interaction().selectObjects(QStringLiteral("选择对象:"));
            checkAvailable();
            const BlockRecord& space =
                doc().layoutCurrent() ? doc().paperSpace() : doc().modelSpace();
            for (const QString& h : handles.value_or(QStringList())) {
                auto e = doc().findEntity(h);
                const bool inSpace = e && std::find(space.entities.begin(), space.entities.end(),
                                                    e) != space.entities.end();
                if (inSpace && std::find(items.begin(), items.end(), e) == items.end()) {
                    items.push_back(e);
                }
            }
            return {};
        }
        case Member::Delete:
            doc().deleteSelectionSet(this);
            return {};
        default:
            noSuchMember(m);
    }
}

Value CollectionNode::get(Member m) {
    if (m != Member::Count) {
        noSuchMember(m);
    }
    switch (m_of) {
        case Of::Layers:
            return static_cast<int>(doc().layers().size());
        case Of::TextStyles:
            return static_cast<int>(doc().textStyles().size());
        case Of::Linetypes:
            return static_cast<int>(doc().linetypes().size());
        case Of::Blocks:
            return static_cast<int>(doc().blocks().size());
        case Of::SelectionSets:
            return static_cast<int>(doc().selectionSets().size());
    }
    noSuchMember(m);
}

Value CollectionNode::call(Member m, std::span<const Value> args) {
    if (m == Member::Item) {
        const Value& key = arg(args, 0);
        switch (m_of) {
            case Of::Layers:
                return itemOf(doc().layers(), key);
            case Of::TextStyles:
                return itemOf(doc().textStyles(), key);
            case Of::Linetypes:
                return itemOf(doc().linetypes(), key);
            case Of::Blocks:
                return itemOf(doc().blocks(), key);
            case Of::SelectionSets:
                return itemOf(doc().selectionSets(), key);
        }
    }
    if (m == Member::Add && m_of == Of::Layers) {
        // Adding an existing layer gives that layer, as the CAD does.
        const QString name = arg(args, 0).toText();
        if (LayerRecord* existing = doc().findLayer(name)) {
            return itemOf(doc().layers(), existing->name);
        }
        if (!isValidName(name)) {
            throw Error(QStringLiteral("无效的图层名：%1").arg(name));
        }
        doc().addLayer(name);
        const auto& layers = doc().layers();
        doc().record({Change::Kind::AddLayer, int(layers.size()) - 1, layers.back(), nullptr, {}});
        return ObjectRef(layers.back());
    }
    if (m == Member::Add && m_of == Of::SelectionSets) {
        return ObjectRef(doc().addSelectionSet(arg(args, 0).toText()));
    }
    if (m == Member::Load && m_of == Of::Linetypes) {
        doc().loadLinetype(arg(args, 0).toText(), arg(args, 1).toText());
        return {};
    }
    noSuchMember(m);
}

Value UtilityNode::call(Member m, std::span<const Value> args) {
    if (m != Member::GetPoint) {
        noSuchMember(m);
    }
    const Value& base = arg(args, 0);
    std::optional<Point> basePoint;
    if (!base.isEmpty()) {
        basePoint = base.toPoint();
    }
    const QString prompt = args.size() > 1 ? args[1].toText() : QString();
    auto p = doc().interaction().getPoint(prompt, basePoint);
    checkAvailable();
    if (!p) {
        throw Error(QStringLiteral("用户取消了输入"));
    }
    return *p;
}

}  // namespace cad::memory
