// The cross-checks that read our files with the independent DXF readers (ezdxf, librecad): Linux
// programs, which a Windows test program under Wine can start but not wait for. There they are
// skipped, by name in the test output; the Linux suite runs them on the same writer.
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#define SKIP_UNLESS_LINUX_READERS() GTEST_SKIP() << "ezdxf and librecad run in the Linux suite"
#else
#define SKIP_UNLESS_LINUX_READERS() static_cast<void>(0)
#endif
