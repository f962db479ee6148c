// Where a served drawing listens and who may connect, on every platform.
#include <gtest/gtest.h>

#include <QLocalServer>
#include <QLocalSocket>

#include "cad/remote/local_endpoint.h"
#include "server_thread.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using namespace cad::remote;

TEST(LocalEndpoint, AProgIdThatIsNotAPlainNameHasNone) {
    EXPECT_FALSE(localEndpoint(u"../x"_s).has_value());
    EXPECT_FALSE(localEndpoint(u"a\\b"_s).has_value());
    EXPECT_FALSE(localEndpoint(QString()).has_value());
}

TEST(LocalEndpoint, EachRuntimeDirectoryHasItsOwn) {
    std::optional<LocalEndpoint> first;
    {
        PrivateRuntimeDir runtime;
        first = localEndpoint(u"AutoCAD.Application"_s);
    }
    PrivateRuntimeDir runtime;
    const std::optional<LocalEndpoint> second = localEndpoint(u"AutoCAD.Application"_s);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->name, second->name);
    EXPECT_NE(first->lockFile, second->lockFile);
}

TEST(LocalEndpoint, ThePeerCheckKnowsOurOwnProcessAtBothEnds) {
    PrivateRuntimeDir runtime;
    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = localEndpoint(u"AutoCAD.Application"_s)->name;
    ASSERT_TRUE(server.listen(name)) << server.errorString().toStdString();
    QLocalSocket client;
    client.connectToServer(name);
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(server.waitForNewConnection(5000));
    QLocalSocket* accepted = server.nextPendingConnection();
    ASSERT_NE(accepted, nullptr);
    EXPECT_TRUE(peerIsCurrentUser(accepted->socketDescriptor()));
    EXPECT_TRUE(peerIsCurrentUser(client.socketDescriptor()));
    EXPECT_FALSE(peerIsCurrentUser(-1));
}

}  // namespace
}  // namespace remote_test
