// Block counting: the name search, the walk with its progress in both status lines, the results.
#include "statistics/block_count.h"

#include "core/number_text.h"
#include "core/progress.h"
#include "core/text.h"
#include "statistics/counting_rules.h"

namespace statistics {

namespace {

using namespace Qt::StringLiterals;

const QString kModeMacro = u"MODEMACRO"_s;

bool isLayoutBlock(const QString& name) {
    static const QString kLayouts[] = {u"*Model_Space"_s, u"*Paper_Space"_s, u"*Paper_Space0"_s};
    for (const QString& layout : kLayouts) {
        if (name.compare(layout, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The refusals before anything is touched; the texts are taken as they are, so blanks pass.
bool refused(ui::Ui& ui, const BlockCountInput& input) {
    if (input.blockName.isEmpty()) {
        ui.showHint(u"提示：输入块的名称"_s);
        return true;
    }
    if (input.layerName.isEmpty()) {
        ui.showHint(u"提示：输入层的名称"_s);
        return true;
    }
    return false;
}

// The references of the block among the items, compared without regard to case. The counters
// are wide: a drawing of any size is counted, where 16-bit counters ended large ones with a
// failure.
qint64 countReferences(const cad::Collection<cad::Entity>& items, ui::Ui& ui,
                       const BlockCountInput& input) {
    static const QString kProgress = u"提示：统计进程"_s;
    const QString block = core::trimBlanks(input.blockName).toLower();
    const QString layer = core::trimBlanks(input.layerName);
    const bool allLayers = layer == QStringView(kAllLayers);
    const QString lowerLayer = layer.toLower();

    qint64 found = 0;
    const qint64 count = items.Count();
    for (qint64 visited = 1; visited <= count; ++visited) {
        ui.showHint(core::progressHint(kProgress, visited, count));
        const cad::Entity entity = items.Item(int(visited - 1));
        if (isBlockReference(entity.EntityName()) && entity.Name().toLower() == block &&
            (allLayers || entity.Layer().toLower() == lowerLayer)) {
            ++found;
        }
    }
    return found;
}

// "正在数块..." in the CAD's status line while a count runs. The count empties it when done; a
// failure on the way empties it too, as far as the CAD still answers, so that the status line
// does not keep saying a count runs.
class CountingNote {
public:
    explicit CountingNote(const cad::Document& document) : m_document(document) {
        m_document.SetVariable(kModeMacro, u"正在数块..."_s);
    }
    ~CountingNote() {
        if (m_shown) {
            try {
                m_document.SetVariable(kModeMacro, QString());
            } catch (const cad::Error&) {
                // The CAD is gone, and its status line with it.
            }
        }
    }
    CountingNote(const CountingNote&) = delete;
    CountingNote& operator=(const CountingNote&) = delete;

    // Empties the status line; a failure passes on to the count, and the note tries once more
    // on its way out.
    void clear() {
        m_document.SetVariable(kModeMacro, QString());
        m_shown = false;
    }

private:
    const cad::Document& m_document;
    bool m_shown = true;
};

qint64 countShown(const cad::Document& document, const cad::Collection<cad::Entity>& items,
                  ui::Ui& ui, const BlockCountInput& input) {
    CountingNote note(document);
    const qint64 found = countReferences(items, ui, input);
    note.clear();
    return found;
}

void report(ui::Ui& ui, const QString& where, qint64 found, const BlockCountInput& input) {
    ui.showHint(where + core::shortNumber(found) + u"个"_s + input.blockName + u"块"_s);
    ui.setPointer(ui::Pointer::Default);
}

void fail(cad::CadLink& link) {
    link.DeleteSelection();
    link.ui().showHint(u"提示：服务器AutoCAD已经退出"_s);
    link.ui().setPointer(ui::Pointer::Default);
}

}  // namespace

void SearchBlocksLayers(cad::CadLink& link, filters::ChoiceBox& blockBox,
                        filters::ChoiceBox& layerBox) {
    if (!link.CheckCadReady()) {
        return;
    }
    try {
        const cad::Document document = link.objAcad.ActiveDocument();
        const cad::Blocks blocks = document.Blocks();
        const int blockCount = blocks.Count();
        for (int i = 0; i < blockCount; ++i) {
            const QString name = blocks.Item(i).Name();
            if (!isLayoutBlock(name)) {
                blockBox.append(name);
            }
        }
        blockBox.setText(blockBox.entryCount() > 0 ? blockBox.entry(0) : QString());

        const cad::Layers layers = document.Layers();
        const int layerCount = layers.Count();
        for (int i = 0; i < layerCount; ++i) {
            layerBox.append(layers.Item(i).Name());
        }
        const QString allLayers = QString::fromUtf16(kAllLayers);
        layerBox.append(allLayers);
        layerBox.setText(allLayers);
    } catch (const cad::Error&) {
        link.ui().showHint(u"提示：AutoCAD中无图形文档"_s);
    }
}

void countBlocks(cad::CadLink& link, const BlockCountInput& input, cad::Scope scope) {
    ui::Ui& ui = link.ui();
    if (!link.CheckCadReady() || refused(ui, input)) {
        return;
    }
    ui.setPointer(ui::Pointer::Busy);
    cad::CadLink::SelectionGuard selection(link);
    try {
        const cad::Document document = link.objAcad.ActiveDocument();
        if (scope == cad::Scope::ModelSpace) {
            const qint64 found = countShown(document, document.ModelSpace(), ui, input);
            report(ui, u"提示："_s + document.Name() + u"图中有"_s, found, input);
            return;
        }
        const cad::SelectionSet picked = link.PickSelection();
        ui.bringMainWindowToFront();
        const qint64 found = countShown(document, picked, ui, input);
        link.DeleteSelection();
        report(ui, u"提示：选择区域中有"_s, found, input);
    } catch (const cad::Error&) {
        fail(link);
    }
}

}  // namespace statistics
