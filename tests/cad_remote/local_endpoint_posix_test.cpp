// The Unix socket's private directory, and a socket file a killed server left behind.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>

#include "cad/cad_link.h"
#include "cad/remote/client.h"
#include "cad/remote/local_endpoint.h"
#include "cad/running.h"
#include "server_thread.h"
#include "ui/recording_ui.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using namespace cad::remote;

QString socketOf(const QString& progId) {
    return localEndpoint(progId).value_or(LocalEndpoint{}).name;
}

TEST(SocketPlace, LivesInAPrivateDirectoryUnderTheRuntimeDirectory) {
    PrivateRuntimeDir runtime;
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    EXPECT_EQ(socketOf(u"AutoCAD.Application"_s),
              runtimeDir + u"/elecaide/autocad.application.sock"_s);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(runtimeDir + u"/elecaide"_s).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(SocketPlace, AServersSocketIsOpenOnlyToItsUser) {
    PrivateRuntimeDir runtime;
    ServerThread server;
    ASSERT_FALSE(server.listenResult().has_value());
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(socketOf(u"AutoCAD.Application"_s)).constData(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(SocketPlace, AnOpenRuntimeDirectoryIsNotUsed) {
    PrivateRuntimeDir runtime;
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    ::chmod(QFile::encodeName(runtimeDir).constData(), 0777);
    const QString path = socketOf(u"AutoCAD.Application"_s);
    EXPECT_FALSE(path.startsWith(runtimeDir)) << path.toStdString();
    EXPECT_TRUE(path.startsWith(u"/tmp/elecaide-%1/"_s.arg(::getuid()))) << path.toStdString();
}

TEST(SocketPlace, ASocketLeftByACrashedServerIsTakenOver) {
    PrivateRuntimeDir runtime;
    installRemoteLocator();
    // A bound socket nobody listens on, as a killed server leaves it.
    const QByteArray path = QFile::encodeName(socketOf(u"AutoCAD.Application"_s));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ServerThread server;
    EXPECT_FALSE(server.listenResult().has_value());
    ui::RecordingUi ui;
    cad::CadLink link{ui};
    link.AttachCad();
    EXPECT_TRUE(link.isAttached());
    cad::setPlatformLocator({});
}

}  // namespace
}  // namespace remote_test
