// The `cad …` commands: a new, opened or attached CAD application, saving, quitting, and the
// `pick …` answers queued on the drawing; publishing the drawing embedded or served.
#include "cad/running.h"
#include "dxf/drawing.h"
#include "shell/cad_locator.h"
#include "shell/script/runner.h"

namespace shell::script {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

namespace {

// The embedded drawing saves through the interface as sketchcad does: to DXF.
std::optional<QString> saveAsDxf(memory::Document& drawing, const QString& path) {
    const auto saved = dxf::saveDrawing(drawing, path);
    return saved.ok() ? std::nullopt : std::optional<QString>(saved.error().toString());
}

}  // namespace

void Runner::cadCommand() {
    const QString& what = word(1);
    if (what == u"new") {
        requireArguments(2, 2);
        auto application = memory::Application::create();
        application->newDocument(u"Drawing1.dwg"_s);
        publish(std::move(application));
    } else if (what == u"open") {
        requireArguments(3, 3);
        auto application = memory::Application::create();
        auto loaded = dxf::loadDrawing(*application, scriptPath(word(2)));
        if (!loaded.ok()) {
            throw ScriptError{loaded.error().toString()};
        }
        publish(std::move(application));
    } else if (what == u"exit") {
        requireArguments(2, 2);
        onDrawing([this] { cad().quit(); });
        if (m_serving != Served::No) {
            withdraw();  // sketchcad ends with its application
        }
    } else if (what == u"attach") {
        requireArguments(2, 2);
        if (m_serving != Served::No) {
            throw ScriptError{u"a run that serves its own drawing attaches to no other"_s};
        }
        withdraw();
        m_cad.reset();
        m_served = true;
        shell::installCadLocator([this] {
            if (m_window) {
                m_window->ui().showHint(QString::fromUtf16(shell::kCadBusyHint));
            }
        });
    } else if (what == u"saveas") {
        requireArguments(3, 3);
        const cad::Document document = automation().ActiveDocument();
        if (document.isEmpty()) {
            throw ScriptError{u"the CAD application has no drawing open"_s};
        }
        document.SaveAs(scriptPath(word(2)));
    } else if (what == u"quit") {
        requireArguments(2, 2);
        automation().object()->Call(cad::Member::Quit, {});
    } else {
        onDrawing([this] { drawingCommand(); });
    }
}

void Runner::publish(std::shared_ptr<memory::Application> application) {
    withdraw();
    m_cad = std::move(application);
    m_cad->setSaver(&saveAsDxf);
    if (m_serving == Served::No) {
        cad::registerRunningObject(QString::fromUtf16(cad::kAutoCadProgId), m_cad);
        return;
    }
    m_server = std::make_unique<cad::remote::ServerThread>(m_cad, m_picker, m_makeServer);
    if (const auto& why = m_server->listenResult()) {
        throw ScriptError{u"cannot serve the drawing: "_s + *why};
    }
    m_server->run([this] {
        m_picker.interaction = &m_server->server().interaction();
        m_picker.script = &m_cad->script();
    });
}

void Runner::withdraw() {
    if (m_server) {
        m_server.reset();
    } else if (m_cad) {
        cad::revokeRunningObject(m_cad.get());
    }
}

void Runner::onDrawing(const std::function<void()>& f) {
    if (m_server) {
        m_server->run(f);
    } else {
        f();
    }
}

// The commands that work on the embedded drawing itself.
void Runner::drawingCommand() {
    const QString& what = word(1);
    if (what == u"save") {
        requireArguments(3, 3);
        const auto saved = dxf::saveDrawing(*drawing(), scriptPath(word(2)));
        if (!saved.ok()) {
            throw ScriptError{saved.error().toString()};
        }
    } else if (what == u"close-all") {
        requireArguments(2, 2);
        const auto documents = cad().documents();
        for (const auto& doc : documents) {
            m_cad->closeDocument(*doc);
        }
    } else if (what == u"add") {
        addToDrawing();
    } else {
        throw ScriptError{u"unknown command cad "_s + what};
    }
}

void Runner::pickCommand() {
    const QString& what = word(1);
    memory::ScriptedInteraction& script = cad().script();
    if (what == u"objects") {
        QStringList handles;
        for (std::size_t i = 2; i < m_args->size(); ++i) {
            handles.append(resolved(i));
        }
        script.queueObjects(handles);
    } else if (what == u"point") {
        requireArguments(4, 5);
        script.queuePoint({number(2), number(3), m_args->size() > 4 ? number(4) : 0.0});
    } else if (what == u"cancel") {
        requireArguments(2, 2);
        script.queueCancel();
    } else {
        throw ScriptError{u"unknown command pick "_s + what};
    }
}

}  // namespace shell::script
