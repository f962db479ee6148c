// The embedded CAD application: its documents, the picks, and the switches tests use to make it
// fail, close its drawings or quit.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "cad/memory/document.h"
#include "cad/memory/interaction.h"
#include "cad/memory/observer.h"

namespace cad::memory {

class Application : public Node {
public:
    static std::shared_ptr<Application> create();
    Application();
    ~Application() override;

    // A new, empty drawing (layer "0", text style "Standard", the by-layer, by-block and
    // continuous linetypes, model and paper space); it becomes the active document.
    std::shared_ptr<Document> newDocument(const QString& name);
    const std::vector<std::shared_ptr<Document>>& documents() const { return m_documents; }
    std::shared_ptr<Document> activeDocument() const;
    void setActiveDocument(const std::shared_ptr<Document>& document);
    // Closes a drawing: it leaves the document list and refuses every call from then on.
    void closeDocument(Document& document);
    // The application exits: every call of any of its objects fails from now on, and it leaves
    // the registry of running applications.
    void quit();
    bool isRunning() const { return m_session->running; }

    Interaction& interaction() const { return *m_interaction; }
    void setInteraction(std::shared_ptr<Interaction> interaction);
    // The default interaction, answering from a queue.
    ScriptedInteraction& script() const { return *m_script; }

    // The host program that hears about changes and a quit; null for none.
    Observer* observer() const { return m_observer; }
    void setObserver(Observer* observer) { m_observer = observer; }

    // Writes a document to a file for Save and SaveAs: an error text, or nullopt when saved.
    // Without one, the documents cannot be saved through the interface.
    using Saver = std::function<std::optional<QString>(Document&, const QString& path)>;
    const Saver& saver() const { return m_saver; }
    void setSaver(Saver saver) { m_saver = std::move(saver); }

    // The Nth automation call from now (1 = the next) fails with cad::Error.
    void failCall(qint64 nthFromNow) { m_session->failAt = m_session->calls + nthFromNow; }
    qint64 callCount() const { return m_session->calls; }

protected:
    void enter() override { m_session->enter(); }
    Value get(Member m) override;
    Value call(Member m, std::span<const Value> args) override;

private:
    std::shared_ptr<Session> m_session = std::make_shared<Session>();
    std::vector<std::shared_ptr<Document>> m_documents;
    std::shared_ptr<Document> m_active;
    std::shared_ptr<ScriptedInteraction> m_script = std::make_shared<ScriptedInteraction>();
    std::shared_ptr<Interaction> m_interaction = m_script;
    std::shared_ptr<Object> m_documentsNode;
    Observer* m_observer = nullptr;
    Saver m_saver;
};

}  // namespace cad::memory
