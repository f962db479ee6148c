// The fixture of the end-to-end tests: a served drawing and the assistant's locator.
#pragma once

#include <gtest/gtest.h>

#include "cad/remote/client.h"
#include "cad/running.h"
#include "server_thread.h"
#include "support/qstring_printer.h"

namespace remote_test {

class RemoteDrawing : public ::testing::Test {
protected:
    RemoteDrawing() { cad::remote::installRemoteLocator(); }
    void SetUp() override { ASSERT_FALSE(server.listenResult().has_value()); }

    static cad::Application attach() {
        return cad::GetRunningApplication(QString::fromUtf16(cad::kAutoCadProgId));
    }
    // The drawing as the server's own thread sees it, for checks made there.
    cad::Application local() const { return cad::Application(server.app); }

    PrivateRuntimeDir runtime;
    ServerThread server;
};

}  // namespace remote_test
