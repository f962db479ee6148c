// MTEXT rotation from and to the text direction vector that most CAD programs write.
#include "dxf/drawing.h"
#include "dxf/reader.h"
#include "dxf_test_support.h"

#include "cad/automation.h"
#include "cad/memory/application.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/linux_readers.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

constexpr double kDegree = std::numbers::pi / 180.0;

// How far apart two angles in degrees are, whole turns aside.
double degreesApart(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

QByteArray mtextFile(const QByteArray& turning) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
           "  0\nSECTION\n  2\nENTITIES\n"
           "  0\nMTEXT\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbMText\n"
           " 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n2.5\n  1\ntext\n"_ba +
           turning + "  0\nENDSEC\n  0\nEOF\n"_ba;
}

struct Turning {
    const char* name;
    QByteArray before;  // the groups that turn the text, as the file has them
    double loaded;      // degrees
    double turnedTo;    // radians
    QByteArray after;
};

void PrintTo(const Turning& turning, std::ostream* out) {
    *out << turning.name;
}

class TurnedMtext : public ::testing::TestWithParam<Turning> {};

// The direction vector gives the angle whenever the record has one; a changed rotation turns
// the vector and a group 50 beside it alike, an unchanged one leaves every byte.
TEST_P(TurnedMtext, LoadsAndSavesItsAngleWhereReadersLookForIt) {
    const Turning& turning = GetParam();
    const QByteArray bytes = mtextFile(turning.before);
    auto app = memory::Application::create();
    auto loaded = loadDrawingBytes(*app, bytes, u"t.dxf"_s);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    const cad::Document doc(loaded.value());
    const cad::Entity mtext = doc.ModelSpace().Item(0);
    EXPECT_NEAR(mtext.Rotation(), turning.loaded * kDegree, 1e-12);
    EXPECT_EQ(drawingBytes(*loaded.value()).toStdString(), bytes.toStdString());

    mtext.Rotation(turning.turnedTo);
    const QByteArray saved = drawingBytes(*loaded.value());
    EXPECT_EQ(saved.toStdString(), mtextFile(turning.after).toStdString());
    auto reloaded = loadDrawingBytes(*app, saved, u"t.dxf"_s);
    ASSERT_TRUE(reloaded.ok());
    EXPECT_NEAR(cad::Document(reloaded.value()).ModelSpace().Item(0).Rotation(), turning.turnedTo,
                1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    MtextRotation, TurnedMtext,
    ::testing::Values(
        Turning{"direction_only", " 11\n0.0\n 21\n-2.0\n 31\n0.0\n", 270, 0,
                " 11\n1.0\n 21\n0.0\n 31\n0.0\n"},
        Turning{"rotation_only", " 50\n30.0\n", 30, std::numbers::pi / 2, " 50\n90.0\n"},
        Turning{"direction_over_rotation", " 11\n-1.0\n 21\n0.0\n 31\n0.0\n 50\n10.0\n", 180, 0,
                " 11\n1.0\n 21\n0.0\n 31\n0.0\n 50\n0.0\n"},
        Turning{"planar_direction_stays_planar", " 50\n10.0\n 11\n0.0\n 21\n1.0\n", 90, 0,
                " 50\n0.0\n 11\n1.0\n 21\n0.0\n"},
        // 45 degrees: near a right angle the cosines of C libraries differ in the last digits.
        Turning{"zero_direction_leaves_rotation", " 11\n0.0\n 21\n0.0\n 31\n0.0\n 50\n30.0\n", 30,
                std::numbers::pi / 4,
                " 11\n0.7071067811865476\n 21\n0.7071067811865475\n 31\n0.0\n 50\n45.0\n"}),
    [](const ::testing::TestParamInfo<Turning>& info) { return std::string(info.param.name); });

// ezdxf's drawing: texts turned by direction, by rotation, by both; ezdxf reads back the
// angles given through the automation interface, and the text left alone keeps its record.
TEST(MtextRotation, EzdxfReadsTheAnglesGivenThroughTheInterface) {
    SKIP_UNLESS_LINUX_READERS();
    struct Expected {
        const char* text;
        double degrees;
        std::optional<double> turnedTo;  // degrees
    };
    const Expected expected[] = {
        {"by direction", 270, 30},
        {"by rotation", 45, 120},
        {"by both", 120, 200},
        {"kept", 60, std::nullopt},
    };
    const QString source = test::drawingsDir() + u"/mtext_rotation.dxf"_s;
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, source);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    const cad::ModelSpace space = cad::Document(loaded.value()).ModelSpace();
    ASSERT_EQ(space.Count(), int(std::size(expected)));
    QByteArray keptHandle;
    for (int i = 0; i < space.Count(); ++i) {
        const cad::Entity mtext = space.Item(i);
        const Expected& e = expected[i];
        ASSERT_EQ(mtext.TextString(), QString::fromUtf8(e.text));
        EXPECT_LT(degreesApart(mtext.Rotation() / kDegree, e.degrees), 1e-9) << e.text;
        if (e.turnedTo)
            mtext.Rotation(*e.turnedTo * kDegree);
        else
            keptHandle = mtext.Handle().toLatin1();
    }
    QTemporaryDir dir;
    const QString saved = dir.filePath(u"turned.dxf"_s);
    ASSERT_TRUE(saveDrawing(*loaded.value(), saved).ok());

    const QJsonObject original = test::readWithEzdxf(source);
    const QJsonObject reading = test::readWithEzdxf(saved);
    EXPECT_EQ(reading[u"errors"_s].toInt(), 0);
    const QJsonArray before = original[u"entities"_s].toArray();
    const QJsonArray after = reading[u"entities"_s].toArray();
    ASSERT_EQ(after.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < after.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(after[i][u"text"_s].toString(), QString::fromUtf8(e.text));
        EXPECT_LT(degreesApart(before[i][u"rotation"_s].toDouble(), e.degrees), 1e-6) << e.text;
        EXPECT_LT(degreesApart(after[i][u"rotation"_s].toDouble(), e.turnedTo.value_or(e.degrees)),
                  1e-6)
            << e.text;
    }

    const Result<Document> was = readFile(source);
    const Result<Document> now = readFile(saved);
    ASSERT_TRUE(was.ok() && now.ok());
    const test::Tags kept = test::recordTags(was.value(), "MTEXT", keptHandle);
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(test::lines(test::recordTags(now.value(), "MTEXT", keptHandle)), test::lines(kept));
}

}  // namespace
}  // namespace dxf
