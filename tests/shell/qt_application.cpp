// The one QApplication of a widget test program, made before the first test and deleted after
// the last, while Qt's own globals still exist; in the programs' interface font.
#include <gtest/gtest.h>

#include <QApplication>

#include "desktop/program_start.h"

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        desktop::useInterfaceFont();
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[11] = "test_shell";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
