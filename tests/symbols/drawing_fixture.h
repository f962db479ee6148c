// A drawing to put symbols into: the embedded CAD behind a CadLink, with every call recorded.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "symbols/symbol_drawing.h"
#include "symbols/symbol_table.h"
#include "ui/recording_ui.h"

namespace symbols::testing {

// One automation call as the symbol code made it.
struct CallRecord {
    enum class Op { Get, Put, Call } op;
    cad::Member member;
    std::vector<cad::Value> args;
};

// Passes every call through to the real object and records it; objects it hands out are
// wrapped the same way, so the whole conversation is seen.
class RecordingObject : public cad::Object {
public:
    RecordingObject(cad::ObjectRef inner, std::shared_ptr<std::vector<CallRecord>> log)
        : m_inner(std::move(inner)), m_log(std::move(log)) {}

    cad::Value Get(cad::Member m) override {
        m_log->push_back({CallRecord::Op::Get, m, {}});
        return wrap(m_inner->Get(m));
    }
    void Put(cad::Member m, const cad::Value& v) override {
        m_log->push_back({CallRecord::Op::Put, m, {v}});
        m_inner->Put(m, v);
    }
    cad::Value Call(cad::Member m, std::span<const cad::Value> args) override {
        m_log->push_back({CallRecord::Op::Call, m, {args.begin(), args.end()}});
        return wrap(m_inner->Call(m, args));
    }

private:
    cad::Value wrap(cad::Value v) const {
        if (v.holds<cad::ObjectRef>() && v.toObject()) {
            return cad::ObjectRef(std::make_shared<RecordingObject>(v.toObject(), m_log));
        }
        return v;
    }

    cad::ObjectRef m_inner;
    std::shared_ptr<std::vector<CallRecord>> m_log;
};

// The entities of model space, sorted by kind, in drawing order.
struct Drawn {
    std::vector<cad::Entity> lines, circles, arcs, texts;
    int total = 0;
};

class DrawingFixture : public ::testing::Test {
protected:
    DrawingFixture() {
        using namespace Qt::StringLiterals;
        doc = app->newDocument(u"Drawing1.dwg"_s);
        link.objAcad = cad::Application(std::make_shared<RecordingObject>(app, log));
        const cad::Document active = link.objAcad.ActiveDocument();
        link.objUtility = active.Utility();
        link.objLinetypes = active.Linetypes();
        log->clear();
    }

    void draw(const QString& name) { drawSymbol(link, *findSymbol(name)); }

    Drawn drawn() const {
        Drawn d;
        const cad::ModelSpace space = cad::Document(doc).ModelSpace();
        d.total = space.Count();
        for (int i = 0; i < d.total; ++i) {
            const cad::Entity e = space.Item(i);
            const QString kind = e.EntityName();
            if (kind == u"AcDbLine") {
                d.lines.push_back(e);
            } else if (kind == u"AcDbCircle") {
                d.circles.push_back(e);
            } else if (kind == u"AcDbArc") {
                d.arcs.push_back(e);
            } else if (kind == u"AcDbText") {
                d.texts.push_back(e);
            }
        }
        return d;
    }

    // The members called or written, in order; reads are left out except model space.
    QStringList conversation() const {
        QStringList names;
        for (const CallRecord& r : *log) {
            if (r.op != CallRecord::Op::Get || r.member == cad::Member::ModelSpace) {
                names.append(cad::memberName(r.member).toString());
            }
        }
        return names;
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc;
    std::shared_ptr<std::vector<CallRecord>> log = std::make_shared<std::vector<CallRecord>>();
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};

}  // namespace symbols::testing
