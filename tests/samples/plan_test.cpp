// The generated sample plan: what ezdxf reads from it, and our loader reading it back.
#include <gtest/gtest.h>

#include "support/linux_readers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <cmath>

#include "cad/memory/application.h"
#include "cad/memory/entity.h"
#include "cad/memory/tables.h"
#include "dxf/drawing.h"
#include "samples/electrical_plan.h"

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

QJsonObject readWithEzdxf(const QString& path) {
    QProcess python;
    python.start(u"/usr/bin/python3"_s, {QStringLiteral(READ_WITH_EZDXF), path});
    if (!python.waitForFinished(120'000) || python.exitCode() != 0) {
        ADD_FAILURE() << "ezdxf could not read " << path.toStdString() << ": "
                      << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

const QJsonObject& plan() {
    static const QJsonObject read = readWithEzdxf(QStringLiteral(SAMPLE_PLAN));
    return read;
}

QJsonArray entities() {
    return plan().value(u"entities").toArray();
}

int countOf(const QString& type, const QString& layer, const QString& name = {}) {
    int n = 0;
    for (const QJsonValue& v : entities()) {
        const QJsonObject e = v.toObject();
        n += e.value(u"type").toString() == type && e.value(u"layer").toString() == layer &&
             (name.isEmpty() || e.value(u"name").toString() == name);
    }
    return n;
}

QStringList textsOn(const QString& layer) {
    QStringList texts;
    for (const QJsonValue& v : entities()) {
        const QJsonObject e = v.toObject();
        if (e.value(u"type").toString() == u"TEXT" && e.value(u"layer").toString() == layer) {
            texts.append(e.value(u"text").toString());
        }
    }
    return texts;
}

TEST(SamplePlan, EzdxfReadsItWithoutAuditErrors) {
    SKIP_UNLESS_LINUX_READERS();
    EXPECT_EQ(plan().value(u"errors").toInt(-1), 0);
    EXPECT_FALSE(entities().isEmpty());
}

TEST(SamplePlan, SymbolsAreBlockReferencesOnTheirLayers) {
    SKIP_UNLESS_LINUX_READERS();
    struct Row {
        QString type, layer, block;
        int count;
    };
    // 47 lamps in twelve rooms and the corridor, a switch per room and the corridor's, the
    // board; one more of each in the legend. A door leaf and its swing per room.
    const Row rows[] = {
        {u"INSERT"_s, u"照明"_s, u"LAMP"_s, 48},
        {u"INSERT"_s, u"开关"_s, u"SWITCH"_s, 14},
        {u"INSERT"_s, u"配电箱"_s, u"PANEL"_s, 2},
        {u"ARC"_s, u"门窗"_s, {}, 12},
        {u"LINE"_s, u"门窗"_s, {}, 12},
        {u"MTEXT"_s, u"说明"_s, {}, 2},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(countOf(row.type, row.layer, row.block), row.count)
            << row.type.toStdString() << " " << row.block.toStdString() << " on "
            << row.layer.toStdString();
    }
    for (const QJsonValue& v : entities()) {
        const QJsonObject e = v.toObject();
        if (e.value(u"type").toString() == u"INSERT") {
            EXPECT_TRUE(QSet<QString>({u"LAMP"_s, u"SWITCH"_s, u"PANEL"_s})
                            .contains(e.value(u"name").toString()));
        }
    }
}

TEST(SamplePlan, CableRunsAreLinesAndArcsOnTheCableLayer) {
    SKIP_UNLESS_LINUX_READERS();
    EXPECT_GT(countOf(u"LINE"_s, u"照明线路"_s), 20);
    EXPECT_GT(countOf(u"ARC"_s, u"照明线路"_s), 30);
    EXPECT_GT(countOf(u"LINE"_s, u"墙体"_s), 100);
    EXPECT_EQ(countOf(u"ARC"_s, u"墙体"_s) + countOf(u"CIRCLE"_s, u"墙体"_s), 0);
}

TEST(SamplePlan, EveryEntityIsOnALayerOfTheTable) {
    SKIP_UNLESS_LINUX_READERS();
    const QJsonArray table = plan().value(u"layers").toArray();
    QSet<QString> layers;
    for (const QJsonValue& v : table) {
        layers.insert(v.toString());
    }
    for (const QString& name :
         {u"墙体"_s, u"门窗"_s, u"照明"_s, u"开关"_s, u"配电箱"_s, u"照明线路"_s, u"房间名称"_s,
          u"尺寸标注"_s, u"图框"_s, u"说明"_s}) {
        EXPECT_TRUE(layers.contains(name)) << name.toStdString();
    }
    for (const QJsonValue& v : entities()) {
        EXPECT_TRUE(layers.contains(v.toObject().value(u"layer").toString()));
    }
}

TEST(SamplePlan, RoomsAreNamedAndNumbered) {
    SKIP_UNLESS_LINUX_READERS();
    const QStringList names = textsOn(u"房间名称"_s);
    for (const QString& room : {u"办公室一"_s, u"卫生间"_s, u"会议室"_s, u"经理室"_s, u"前台"_s,
                                u"配电间"_s, u"财务室"_s, u"档案室"_s, u"资料室"_s, u"走廊"_s}) {
        EXPECT_TRUE(names.contains(room)) << room.toStdString();
    }
    for (int number = 101; number <= 112; ++number) {
        EXPECT_TRUE(names.contains(QString::number(number))) << number;
    }
    EXPECT_TRUE(textsOn(u"照明"_s).contains(u"2x40W"_s));
}

TEST(SamplePlan, ChainDimensionsAddUpToTheOverallOnes) {
    SKIP_UNLESS_LINUX_READERS();
    const QStringList dims = textsOn(u"尺寸标注"_s);
    // Six bays along the south side, three spans up the west side, and the two overall sizes.
    ASSERT_EQ(dims.size(), 11);
    EXPECT_TRUE(dims.contains(u"3600"_s));
    int bays = 0;
    for (int i = 0; i < 6; ++i) {
        bays += dims.at(i).toInt();
    }
    EXPECT_EQ(bays, dims.at(6).toInt());
    EXPECT_EQ(dims.at(7).toInt() + dims.at(8).toInt() + dims.at(9).toInt(), dims.at(10).toInt());
}

TEST(SamplePlan, TheFrameIsAnA1SheetAtOneToHundredHoldingEverything) {
    SKIP_UNLESS_LINUX_READERS();
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const QJsonValue& v : entities()) {
        const QJsonObject e = v.toObject();
        for (const char16_t* key : {u"start", u"end", u"insert", u"center"}) {
            const QJsonArray p = e.value(QStringView(key)).toArray();
            if (p.size() >= 2) {
                minX = std::min(minX, p[0].toDouble());
                maxX = std::max(maxX, p[0].toDouble());
                minY = std::min(minY, p[1].toDouble());
                maxY = std::max(maxY, p[1].toDouble());
            }
        }
    }
    EXPECT_EQ(minX, 0);
    EXPECT_EQ(minY, 0);
    EXPECT_EQ(maxX, samples::kSheetWidth);
    EXPECT_EQ(maxY, samples::kSheetHeight);
    EXPECT_EQ(samples::kSheetWidth, 841 * 100);
    EXPECT_EQ(samples::kSheetHeight, 594 * 100);
    EXPECT_GT(countOf(u"TEXT"_s, u"图框"_s), 10);
}

TEST(SamplePlan, SymbolBlocksHoldTheirShapesOnLayerZero) {
    SKIP_UNLESS_LINUX_READERS();
    const QJsonObject blocks = plan().value(u"blocks").toObject();
    struct Row {
        QString block;
        QStringList kinds;
    };
    const Row rows[] = {
        {u"LAMP"_s, {u"CIRCLE"_s, u"LINE"_s, u"LINE"_s}},
        {u"SWITCH"_s, {u"CIRCLE"_s, u"CIRCLE"_s, u"LINE"_s, u"LINE"_s}},
        {u"PANEL"_s, {u"LINE"_s, u"LINE"_s, u"LINE"_s, u"LINE"_s, u"LINE"_s}},
    };
    for (const Row& row : rows) {
        QStringList kinds;
        for (const QJsonValue& v : blocks.value(row.block).toArray()) {
            kinds.append(v.toObject().value(u"type").toString());
            EXPECT_EQ(v.toObject().value(u"layer").toString(), u"0"_s);
        }
        EXPECT_EQ(kinds, row.kinds) << row.block.toStdString();
    }
}

bool sameValue(const cad::Value& a, const cad::Value& b) {
    if (a.holds<double>() && b.holds<double>()) {
        return std::abs(a.toDouble() - b.toDouble()) < 1e-9;
    }
    if (a.holds<cad::Point>() && b.holds<cad::Point>()) {
        const cad::Point p = a.toPoint(), q = b.toPoint();
        return std::abs(p.x - q.x) < 1e-9 && std::abs(p.y - q.y) < 1e-9 &&
               std::abs(p.z - q.z) < 1e-9;
    }
    return a == b;
}

TEST(SamplePlan, OurLoaderReadsBackExactlyWhatTheGeneratorDrew) {
    auto drawn = memory::Application::create();
    auto expected = drawn->newDocument(u"plan.dwg"_s);
    samples::drawElectricalPlan(*expected);

    auto loaded = memory::Application::create();
    const auto read = dxf::loadDrawing(*loaded, QStringLiteral(SAMPLE_PLAN));
    ASSERT_TRUE(read.ok()) << read.error().toString().toStdString();
    const memory::Document& got = *read.value();

    const auto& want = expected->modelSpace().entities;
    const auto& have = got.modelSpace().entities;
    ASSERT_EQ(have.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const memory::KindSpec& kind = want[i]->kind();
        ASSERT_EQ(have[i]->kind().dxfName, kind.dxfName) << i;
        for (const memory::MemberSpec& m : kind.members) {
            EXPECT_TRUE(sameValue(have[i]->value(m.member), want[i]->value(m.member)))
                << kind.dxfName.toStdString() << " " << i << " member " << int(m.member);
        }
    }
    for (const QString& block : {u"LAMP"_s, u"SWITCH"_s, u"PANEL"_s}) {
        ASSERT_NE(got.findBlock(block), nullptr);
        EXPECT_EQ(got.findBlock(block)->entities.size(),
                  expected->findBlock(block)->entities.size());
    }
}

TEST(SamplePlan, GeneratingAgainGivesTheSameFile) {
    auto application = memory::Application::create();
    auto drawing = application->newDocument(u"plan.dwg"_s);
    samples::drawElectricalPlan(*drawing);
    QFile file(QStringLiteral(SAMPLE_PLAN));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(dxf::drawingBytes(*drawing), file.readAll());
}

}  // namespace
