// The consolidation run: scan for a same-shaped pair, merge it, scan again until none is left.
#include "utilities/style_consolidation.h"

#include <QPair>
#include <QSet>
#include <optional>
#include <vector>

#include "core/number_text.h"
#include "core/progress.h"

namespace utilities {

namespace {

using namespace Qt::StringLiterals;

const QString kProgress = u"提示：整理完成"_s;

struct StyleShape {
    QString name;
    QString fontFile;
    QString bigFontFile;
};

struct Pair {
    int kept;
    int merged;
    QString keptName;
    QString mergedName;
};

class Consolidation {
public:
    Consolidation(ui::Ui& ui, cad::Document document)
        : m_ui(ui),
          m_document(std::move(document)),
          m_space(m_document.ModelSpace()),
          m_styles(m_document.TextStyles()) {}

    void run() {
        while (const std::optional<Pair> pair = nextPair()) {
            merge(*pair);
        }
        QString hint = core::progressHint(kProgress, 1, 1);
        if (!m_undeletable.isEmpty()) {
            hint += u"，"_s + core::shortNumber(m_undeletable.size()) + u"个字型未能删除"_s;
        }
        m_ui.showHint(hint);
    }

private:
    // One step of the run: before the first deletion a failure ends the run, after it the step
    // gives `passedOver` and the run goes on.
    template <typename T, typename Step>
    T step(Step&& s, T passedOver) const {
        if (!m_passOverFailures) {
            return s();
        }
        try {
            return s();
        } catch (const cad::Error&) {
            return passedOver;
        }
    }
    template <typename Step>
    void attempt(Step&& s) const {
        step([&s] { return (s(), true); }, false);
    }

    // The first same-shaped pair of the collection as it now stands, pairs whose second style
    // could not be deleted left out. Nothing changes during a scan, so each style is read once.
    std::optional<Pair> nextPair() const {
        const int count = step([this] { return m_styles.Count(); }, 0);
        std::vector<StyleShape> shapes;
        shapes.reserve(std::size_t(std::max(count, 0)));
        for (int i = 0; i < count; ++i) {
            shapes.push_back(step(
                [this, i] {
                    const cad::TextStyle style = m_styles.Item(i);
                    return StyleShape{style.Name(), style.FontFile(), style.BigFontFile()};
                },
                StyleShape{}));
        }
        for (int i = 0; i + 1 < count; ++i) {
            for (int j = i + 1; j < count; ++j) {
                const StyleShape& a = shapes[std::size_t(i)];
                const StyleShape& b = shapes[std::size_t(j)];
                if (a.fontFile == b.fontFile && a.bigFontFile == b.bigFontFile &&
                    !m_leftOut.contains({a.name, b.name})) {
                    return Pair{i, j, a.name, b.name};
                }
            }
        }
        return std::nullopt;
    }

    void merge(const Pair& pair) {
        const int count = step([this] { return m_space.Count(); }, 0);
        for (int k = 0; k < count; ++k) {
            m_ui.showHint(core::progressHint(kProgress, k, count));
            m_ui.processEvents();
            attempt([this, k, &pair] { restyle(m_space.Item(k), pair); });
        }
        attempt([this, &pair] { m_document.ActiveTextStyle(m_styles.Item(pair.kept)); });
        m_passOverFailures = true;
        try {
            m_styles.Item(pair.merged).Delete();
        } catch (const cad::Error&) {
            m_leftOut.insert({pair.keptName, pair.mergedName});
            m_undeletable.insert(pair.mergedName);
        }
    }

    static void restyle(const cad::Entity& entity, const Pair& pair) {
        const QString kind = entity.EntityName();
        if ((kind == u"AcDbText" || kind == u"AcDbMText") &&
            entity.StyleName() == pair.mergedName) {
            entity.StyleName(pair.keptName);
        }
    }

    ui::Ui& m_ui;
    cad::Document m_document;
    cad::ModelSpace m_space;
    cad::TextStyles m_styles;
    bool m_passOverFailures = false;
    QSet<QPair<QString, QString>> m_leftOut;
    QSet<QString> m_undeletable;
};

}  // namespace

void ConsolidateStyles(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    const cad::Document document = link.objAcad.ActiveDocument();
    Consolidation consolidation(link.ui(), document);
    cad::UndoGroup undo(document);
    consolidation.run();
}

}  // namespace utilities
