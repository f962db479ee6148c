// The named pipe: per user, by the SID of the process's token.
#include <gtest/gtest.h>

#include "cad/remote/local_endpoint.h"
#include "server_thread.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using namespace cad::remote;

TEST(NamedPipe, CarriesTheUsersSidAndKeepsItsLockInTheRuntimeDirectory) {
    PrivateRuntimeDir runtime;
    const std::optional<LocalEndpoint> endpoint = localEndpoint(u"AutoCAD.Application"_s);
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_TRUE(endpoint->name.startsWith(u"elecaide-S-1-"_s)) << endpoint->name.toStdString();
    EXPECT_TRUE(endpoint->name.endsWith(u"-autocad.application"_s));
    EXPECT_EQ(endpoint->lockFile,
              qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/elecaide/autocad.application.lock"_s);
}

}  // namespace
}  // namespace remote_test
