// The conversion pass and the per-kind rules of what matches and what is set.
#include "properties/property_convert.h"

#include <optional>

#include "core/progress.h"
#include "core/text.h"
#include "properties/conversion_entries.h"

using namespace Qt::StringLiterals;

namespace properties {

namespace {

const QString kProgress = u"提示：修改完成"_s;
const QString kStopped = u"提示：转换中途停止，已修改的对象保留"_s;

// The colour a list entry stands for: its first three characters without blanks, so
// "  1(红)" gives 1 and "256(BYLAYER)" 256.
QString colorKey(const QString& entry) {
    return core::trimBlanks(QStringView(entry).left(3));
}

// Matches compare the entity's colour written in digits with the key as texts; parsing the key
// once and writing it back keeps that comparison ("07" matches nothing) without a text per
// entity.
std::optional<int> sourceColor(const QString& entry) {
    const QString key = colorKey(entry);
    bool ok = false;
    const int color = key.toInt(&ok);
    if (ok && QString::number(color) == key) {
        return color;
    }
    return std::nullopt;
}

std::optional<int> targetColor(const QString& entry) {
    bool ok = false;
    const int color = colorKey(entry).toInt(&ok);
    return ok ? std::optional<int>(color) : std::nullopt;
}

// A rule changes one entity when it matches and says whether it did.
struct ColorChange {
    std::optional<int> source;
    int target;

    bool apply(const cad::Entity& entity) const {
        if (!source || entity.Color() != *source) {
            return false;
        }
        entity.Color(target);
        return true;
    }
};

struct LayerChange {
    const ConversionInput& input;

    bool apply(const cad::Entity& entity) const {
        if (entity.Layer() != input.source) {
            return false;
        }
        entity.Layer(input.target);
        return true;
    }
};

// Only single-line and multiline texts: attribute definitions and dimensions carry styles too,
// but keep theirs.
struct StyleChange {
    const ConversionInput& input;

    bool apply(const cad::Entity& entity) const {
        const QString kind = entity.EntityName();
        if (kind != u"AcDbText" && kind != u"AcDbMText") {
            return false;
        }
        if (entity.StyleName() != input.source) {
            return false;
        }
        entity.StyleName(input.target);
        return true;
    }
};

struct LinetypeChange {
    const ConversionInput& input;

    bool apply(const cad::Entity& entity) const {
        if (entity.Linetype() != input.source) {
            return false;
        }
        entity.Linetype(input.target);
        return true;
    }
};

using TakeItems = cad::Collection<cad::Entity> (*)(cad::CadLink&, const cad::Document&);

cad::Collection<cad::Entity> modelSpace(cad::CadLink&, const cad::Document& document) {
    return document.ModelSpace();
}

cad::Collection<cad::Entity> pickedObjects(cad::CadLink& link, const cad::Document&) {
    return link.PickSelection();
}

template <typename Change>
void convert(cad::CadLink& link, const Change& change, TakeItems takeItems) {
    if (!link.CheckCadReady()) {
        return;
    }
    ui::Ui& ui = link.ui();
    const cad::Document document = link.objAcad.ActiveDocument();
    {
        const cad::UndoGroup undo(document);
        // Deletes "SelPart" before the closing hint; a model-space pass has none to delete.
        const cad::CadLink::SelectionGuard selection(link);
        // Stopping here rather than in the window's guard keeps the hint specific to a pass
        // cut short, while the changes made so far stay in the one undo step.
        try {
            const cad::Collection<cad::Entity> items = takeItems(link, document);
            const int count = items.Count();
            for (int i = 0; i < count; ++i) {
                const cad::Entity entity = items.Item(i);
                if (change.apply(entity)) {
                    entity.Update();
                }
                ui.showHint(core::progressHint(kProgress, i, count));
            }
        } catch (const cad::Error&) {
            ui.showHint(kStopped);
            return;
        }
    }
    ui.showHint(core::progressHint(kProgress, 1, 1));
}

// Target entries come from the colour entries, which all start with a number; a text that does
// not is refused as the page refuses a colour that is no entry.
void convertColors(cad::CadLink& link, const ConversionInput& input, TakeItems takeItems) {
    const std::optional<int> target = targetColor(input.target);
    if (!target) {
        link.ui().showHint(unlistedHint(Property::Color));
        return;
    }
    convert(link, ColorChange{sourceColor(input.source), *target}, takeItems);
}

}  // namespace

void ColorConvertAll(cad::CadLink& link, const ConversionInput& input) {
    convertColors(link, input, modelSpace);
}

void ColorConvertPart(cad::CadLink& link, const ConversionInput& input) {
    convertColors(link, input, pickedObjects);
}

void LayerConvertAll(cad::CadLink& link, const ConversionInput& input) {
    convert(link, LayerChange{input}, modelSpace);
}

void LayerConvertPart(cad::CadLink& link, const ConversionInput& input) {
    convert(link, LayerChange{input}, pickedObjects);
}

void StyleConvertAll(cad::CadLink& link, const ConversionInput& input) {
    convert(link, StyleChange{input}, modelSpace);
}

void StyleConvertPart(cad::CadLink& link, const ConversionInput& input) {
    convert(link, StyleChange{input}, pickedObjects);
}

void TypeConvertAll(cad::CadLink& link, const ConversionInput& input) {
    convert(link, LinetypeChange{input}, modelSpace);
}

void TypeConvertPart(cad::CadLink& link, const ConversionInput& input) {
    convert(link, LinetypeChange{input}, pickedObjects);
}

}  // namespace properties
