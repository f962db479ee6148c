// The text editor's exchanges with the drawing.
#include "mtext/mtext_exchange.h"

#include <cmath>
#include <limits>

#include "core/number_syntax.h"
#include "core/number_text.h"
#include "mtext/busy_pointer.h"

namespace mtext {

namespace {

using namespace Qt::StringLiterals;

const QString kCrLf = u"\r\n"_s;
const QString kParagraph = u"\\P"_s;
const QString kMText = u"AcDbMText"_s;
const QString kText = u"AcDbText"_s;

// Runs one step of an operation that passes over failures: a step that fails is skipped and the
// next one goes on.
template <typename Step>
bool attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (const cad::Error&) {
        return false;
    }
}

std::optional<float> checkedWidth(ui::Ui& ui, QStringView widthText) {
    const std::optional<float> width = multilineWidth(widthText);
    if (!width) {
        ui.showHint(u"提示：多行字宽须是正整数"_s);
    }
    return width;
}

struct Imported {
    QString contents;
    int count = 0;
};

Imported collectMTexts(cad::CadLink& link) {
    BusyPointer busy(link.ui());
    const cad::ModelSpace modelSpace = link.objAcad.ActiveDocument().ModelSpace();
    Imported imported;
    const int count = modelSpace.Count();
    for (int i = 0; i < count; ++i) {
        const cad::Entity item = modelSpace.Item(i);
        if (item.EntityName() == kMText) {
            ++imported.count;
            imported.contents += item.TextString() + kCrLf;
        }
    }
    return imported;
}

// What the picked texts add up to when they are joined.
struct Joined {
    QString text;
    double height = 0;
    cad::Point insertion;
    int count = 0;
};

}  // namespace

std::optional<float> multilineWidth(QStringView widthText) {
    if (!core::isDecimalNumber(widthText)) {
        return std::nullopt;
    }
    const double w = core::leadingNumber(widthText);
    // A width beyond single precision would reach the drawing as infinity.
    if (!(w > 0) || w != std::round(w) || w > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(w);
}

QString paragraphBreaks(QString editorText) {
    // A CR LF pair never overlaps another, so replacing left to right is the scan pair by pair.
    return editorText.replace(kCrLf, kParagraph);
}

QString lineBreaks(QString contents) {
    return contents.replace(kParagraph, kCrLf);
}

void MTextToDrawing(cad::CadLink& link, const ToDrawingInput& input) {
    ui::Ui& ui = link.ui();
    const std::optional<float> width = checkedWidth(ui, input.widthText);
    if (!width) {
        return;
    }
    if (input.editorText.isEmpty()) {
        ui.showHint(u"提示：文本框中没有内容"_s);
        return;
    }
    if (!link.CheckCadReady()) {
        return;
    }
    try {
        ui.showHint(u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
        const cad::Document document = link.objAcad.ActiveDocument();
        const cad::Point insertion =
            document.Utility().GetPoint(std::nullopt, u"选择多行文字在图中的插入点: "_s);
        const QString contents = paragraphBreaks(input.editorText);
        const cad::ModelSpace modelSpace = document.ModelSpace();
        cad::UndoGroup undo(document);
        const cad::Entity mtext = modelSpace.AddMtext(insertion, *width, contents);
        mtext.Update();
    } catch (const cad::Error&) {
        // A cancelled pick or a failed placement ends the operation without a word.
        return;
    }
    ui.bringMainWindowToFront();
}

std::optional<QString> MTextFromDrawing(cad::CadLink& link, const QString& editorText) {
    if (!link.CheckCadReady()) {
        return std::nullopt;
    }
    const Imported imported = collectMTexts(link);
    link.ui().showHint(u"提示：导入图中"_s + core::shortNumber(imported.count) + u"处多行文字"_s);
    return editorText + kCrLf + lineBreaks(imported.contents);
}

void TextsToMText(cad::CadLink& link, const QString& widthText) {
    ui::Ui& ui = link.ui();
    const std::optional<float> width = checkedWidth(ui, widthText);
    if (!width || !link.CheckCadReady()) {
        return;
    }
    cad::CadLink::SelectionGuard selection(link);
    cad::Document document;
    cad::ModelSpace modelSpace;
    attempt([&] {
        document = link.objAcad.ActiveDocument();
        modelSpace = document.ModelSpace();
    });
    attempt([&] { link.PickSelection(); });

    // Opened before the first change and only if there is one, so a pick without texts leaves
    // no empty step in the CAD's undo list.
    std::optional<cad::UndoGroup> undo;
    Joined joined;
    int picked = 0;
    attempt([&] { picked = link.objSelSet.Count(); });
    for (int i = 0; i < picked; ++i) {
        cad::Entity text;
        QString kind;
        if (!attempt([&] {
                text = link.objSelSet.Item(i);
                kind = text.EntityName();
            }) ||
            (kind != kText && kind != kMText)) {
            continue;
        }
        attempt([&] { joined.text += text.TextString(); });
        if (joined.height == 0) {
            attempt([&] { joined.height = text.Height(); });
        }
        if (!undo) {
            attempt([&] { undo.emplace(document); });
        }
        attempt([&] { text.TextString(QString()); });
        if (++joined.count == 1) {
            attempt([&] {
                const cad::Point p = text.InsertionPoint();
                joined.insertion = {p.x, p.y + text.Height(), p.z};
            });
        }
    }

    if (joined.count > 0) {
        if (!undo) {
            attempt([&] { undo.emplace(document); });
        }
        // After a failed add the height goes to no text, and the operation ends there.
        cad::Entity mtext;
        attempt([&] { mtext = modelSpace.AddMtext(joined.insertion, *width, joined.text); });
        if (!attempt([&] { mtext.Height(joined.height); })) {
            return;
        }
    }
    ui.bringMainWindowToFront();
}

}  // namespace mtext
