// A served drawing in a process of its own whose picks never end, for tests that make the
// server vanish while the assistant waits: says "serving" once listening and "picking" when a
// pick starts.
#include <QCoreApplication>
#include <cstdio>

#include "cad/remote/server.h"

namespace {

class SilentPicker : public cad::remote::Picker {
public:
    void startPoint(const QString&, const std::optional<cad::Point>&) override { say("picking"); }
    void startSelection(const QString&) override { say("picking"); }
    void abandon() override {}

    static void say(const char* line) {
        std::printf("%s\n", line);
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    auto app = cad::memory::Application::create();
    app->newDocument(QStringLiteral("Drawing1.dwg"));
    SilentPicker picker;
    cad::remote::Server server(app, picker);
    if (const std::optional<QString> failure = server.listen()) {
        std::fprintf(stderr, "%s\n", qPrintable(*failure));
        return 3;
    }
    SilentPicker::say("serving");
    return qt.exec();
}
