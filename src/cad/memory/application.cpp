// The embedded CAD application.
#include "cad/memory/application.h"

#include "cad/running.h"

namespace cad::memory {

namespace {

// Application.Documents: Count and Item over the open drawings.
class DocumentsNode : public Node {
public:
    DocumentsNode(std::shared_ptr<Session> s, Application* app)
        : m_session(std::move(s)), m_app(app) {}

protected:
    void enter() override { m_session->enter(); }
    Value get(Member m) override {
        if (m == Member::Count) {
            return static_cast<int>(m_app->documents().size());
        }
        noSuchMember(m);
    }
    Value call(Member m, std::span<const Value> args) override {
        if (m == Member::Item) {
            const int i = arg(args, 0).toInt();
            const auto& docs = m_app->documents();
            if (i < 0 || i >= static_cast<int>(docs.size())) {
                throw Error(QStringLiteral("索引无效"));
            }
            return ObjectRef(docs[i]);
        }
        noSuchMember(m);
    }

private:
    std::shared_ptr<Session> m_session;
    Application* m_app;
};

}  // namespace

std::shared_ptr<Application> Application::create() {
    return std::make_shared<Application>();
}

Application::Application() : m_documentsNode(std::make_shared<DocumentsNode>(m_session, this)) {}

Application::~Application() {
    m_session->running = false;
    for (auto& d : m_documents) {
        d->detachApplication();
    }
    revokeRunningObject(this);
}

std::shared_ptr<Document> Application::newDocument(const QString& name) {
    auto doc = std::make_shared<Document>(m_session, this, name);
    m_documents.push_back(doc);
    m_active = doc;
    return doc;
}

std::shared_ptr<Document> Application::activeDocument() const {
    return m_active;
}

void Application::setActiveDocument(const std::shared_ptr<Document>& document) {
    m_active = document;
}

void Application::closeDocument(Document& document) {
    document.markClosed();
    std::erase_if(m_documents, [&](const auto& d) { return d.get() == &document; });
    if (m_active.get() == &document) {
        m_active = m_documents.empty() ? nullptr : m_documents.back();
    }
}

void Application::quit() {
    m_session->running = false;
    revokeRunningObject(this);
}

void Application::setInteraction(std::shared_ptr<Interaction> interaction) {
    m_interaction = std::move(interaction);
}

Value Application::get(Member m) {
    switch (m) {
        case Member::ActiveDocument:
            if (!m_active) {
                throw Error(QStringLiteral("没有活动文档"));
            }
            return ObjectRef(m_active);
        case Member::Documents:
            return m_documentsNode;
        case Member::Version:
            return QStringLiteral("16.2s (ElecAide embedded)");
        default:
            noSuchMember(m);
    }
}

Value Application::call(Member m, std::span<const Value>) {
    if (m == Member::Quit) {
        quit();
        if (m_observer) {
            m_observer->applicationQuit();
        }
        return {};
    }
    noSuchMember(m);
}

}  // namespace cad::memory
