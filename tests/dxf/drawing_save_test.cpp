// Saving the embedded drawing: changes made through the automation interface reach the file,
// and ezdxf and librecad read the result with exactly those changes.
#include "dxf/drawing.h"
#include "dxf/reader.h"
#include "dxf_test_support.h"

#include "cad/automation.h"
#include "cad/memory/application.h"

#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/linux_readers.h"

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;
using cad::Point;

using test::readWithEzdxf;

// librecad converts the file to a PDF beside it; on a file it cannot read it opens a window
// instead, which the time guard ends.
void expectLibrecadConverts(const QString& path) {
    QProcess librecad;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    librecad.setProcessEnvironment(environment);
    librecad.setProcessChannelMode(QProcess::MergedChannels);
    librecad.start(u"librecad"_s, {u"dxf2pdf"_s, path});
    const bool finished = librecad.waitForFinished(120000);
    if (!finished)
        librecad.kill();
    const QByteArray output = librecad.readAll();
    EXPECT_TRUE(finished) << output.toStdString();
    EXPECT_EQ(librecad.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("DONE")) << output.toStdString();
    QString pdf = path;
    pdf.replace(u".dxf"_s, u".pdf"_s);
    EXPECT_GT(QFile(pdf).size(), 0) << pdf.toStdString();
}

QJsonArray without(const QJsonArray& items, const QString& handle) {
    QJsonArray out;
    for (const QJsonValue& v : items) {
        if (v[u"handle"_s].toString() != handle)
            out.append(v);
    }
    return out;
}

qsizetype indexOfHandle(const QJsonArray& items, const QString& handle) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i][u"handle"_s].toString() == handle)
            return i;
    }
    return -1;
}

QJsonArray withLayerRow(QJsonArray rows, const QString& name, int color, bool locked) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonArray row = rows[i].toArray();
        if (row[0].toString() == name) {
            row[1] = color;
            row[3] = locked;
            rows[i] = row;
        }
    }
    return rows;
}

cad::Entity firstOfKind(const cad::ModelSpace& space, const QString& className) {
    for (int i = 0; i < space.Count(); ++i) {
        if (space.Item(i).EntityName() == className)
            return space.Item(i);
    }
    throw cad::Error(u"no "_s + className);
}

template <typename Item, typename Collection>
Item named(const Collection& collection, const QString& name) {
    for (int i = 0; i < collection.Count(); ++i) {
        if (collection.Item(i).Name() == name)
            return collection.Item(i);
    }
    throw cad::Error(u"no "_s + name);
}

class ChangedDrawing : public ::testing::TestWithParam<const char*> {};

// Texts, heights, layers, colours, an erased entity, added entities and layers, a deleted
// style: ezdxf reads exactly those changes, and everything else (extended data, hatches,
// dimensions, blocks, paper space) as it was.
TEST_P(ChangedDrawing, ReadsInEzdxfWithExactlyTheChangesMade) {
    SKIP_UNLESS_LINUX_READERS();
    const QString name = QString::fromUtf8(GetParam());
    const QString source = test::drawingsDir() + u'/' + name;
    const bool r12 = name.startsWith(u"r12"_s);
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, source);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    const cad::Document doc(loaded.value());
    const cad::ModelSpace space = doc.ModelSpace();
    const QString firstLayer = space.Item(0).Layer();

    const cad::Entity text = firstOfKind(space, u"AcDbText"_s);
    text.TextString(u"改过的文字 №2 한글"_s);
    text.Height(3.75);
    const cad::Entity circle = firstOfKind(space, u"AcDbCircle"_s);
    circle.Color(1);
    circle.Layer(u"0"_s);
    const cad::Entity arc = firstOfKind(space, u"AcDbArc"_s);
    const QString arcHandle = arc.Handle();
    arc.Delete();
    doc.Layers().Add(u"新图层"_s).Color(6);
    named<cad::Layer>(doc.Layers(), u"OFF_LAYER"_s).Lock(true);
    named<cad::Layer>(doc.Layers(), firstLayer).Color(2);
    named<cad::TextStyle>(doc.TextStyles(), u"UNUSED_STYLE"_s).Delete();
    const cad::Entity line = space.AddLine(Point{1, 2, 0}, Point{3, 4, 0});
    line.Layer(u"新图层"_s);
    const cad::Entity added = space.AddText(u"新增文字"_s, Point{5, 6, 0}, 2.0);
    const cad::Entity ring = space.AddCircle(Point{7, 8, 0}, 3);
    QString longText;
    for (int i = 0; i < 60; ++i)
        longText += u"电缆桥架 WL%1\\P"_s.arg(i);
    std::optional<cad::Entity> mtext;
    if (!r12)
        mtext = space.AddMtext(Point{0, 50, 0}, 80, longText);

    QTemporaryDir dir;
    const QString saved = dir.filePath(u"changed.dxf"_s);
    const Result<Saved> written = saveDrawing(*loaded.value(), saved);
    ASSERT_TRUE(written.ok()) << written.error().toString().toStdString();

    const QJsonObject before = readWithEzdxf(source);
    const QJsonObject after = readWithEzdxf(saved);
    EXPECT_EQ(after[u"errors"_s].toInt(), 0);

    QJsonArray expected = without(before[u"entities"_s].toArray(), arcHandle);
    const qsizetype t = indexOfHandle(expected, text.Handle());
    QJsonObject changedText = expected[t].toObject();
    changedText[u"text"_s] = u"改过的文字 №2 한글"_s;
    changedText[u"height"_s] = 3.75;
    expected[t] = changedText;
    const qsizetype c = indexOfHandle(expected, circle.Handle());
    QJsonObject changedCircle = expected[c].toObject();
    changedCircle[u"color"_s] = 1;
    changedCircle[u"layer"_s] = u"0"_s;
    expected[c] = changedCircle;

    QJsonArray found = after[u"entities"_s].toArray();
    const qsizetype fresh = r12 ? 3 : 4;
    ASSERT_EQ(found.size(), expected.size() + fresh);
    QJsonArray addedFound;
    for (qsizetype i = 0; i < fresh; ++i)
        addedFound.prepend(found.takeAt(found.size() - 1));
    EXPECT_EQ(found, expected);

    const QJsonObject newLine = addedFound[0].toObject();
    EXPECT_EQ(newLine[u"handle"_s].toString(), line.Handle());
    EXPECT_EQ(newLine[u"layer"_s].toString(), u"新图层"_s);
    EXPECT_EQ(newLine[u"end"_s].toArray(), (QJsonArray{3.0, 4.0, 0.0}));
    const QJsonObject newText = addedFound[1].toObject();
    EXPECT_EQ(newText[u"handle"_s].toString(), added.Handle());
    EXPECT_EQ(newText[u"text"_s].toString(), u"新增文字"_s);
    EXPECT_EQ(newText[u"height"_s].toDouble(), 2.0);
    EXPECT_EQ(newText[u"insert"_s].toArray(), (QJsonArray{5.0, 6.0, 0.0}));
    EXPECT_EQ(addedFound[2][u"radius"_s].toDouble(), 3.0);
    EXPECT_EQ(addedFound[2][u"handle"_s].toString(), ring.Handle());
    if (mtext) {
        EXPECT_EQ(addedFound[3][u"text"_s].toString(), longText);
        EXPECT_EQ(addedFound[3][u"width"_s].toDouble(), 80.0);
    }

    QJsonArray layers = before[u"layerTable"_s].toArray();
    layers = withLayerRow(layers, u"OFF_LAYER"_s, 3, true);
    layers = withLayerRow(layers, firstLayer, 2, false);
    QJsonArray afterLayers = after[u"layerTable"_s].toArray();
    const qsizetype newLayer = [&] {
        for (qsizetype i = 0; i < afterLayers.size(); ++i) {
            if (afterLayers[i].toArray()[0].toString() == u"新图层"_s)
                return i;
        }
        return qsizetype(-1);
    }();
    ASSERT_GE(newLayer, 0);
    EXPECT_EQ(afterLayers.takeAt(newLayer).toArray(),
              (QJsonArray{u"新图层"_s, 6, false, false, u"Continuous"_s}));
    EXPECT_EQ(afterLayers, layers);

    QJsonArray styles = before[u"styles"_s].toArray();
    for (qsizetype i = styles.size(); i-- > 0;) {
        if (styles[i].toString() == u"UNUSED_STYLE"_s)
            styles.removeAt(i);
    }
    EXPECT_EQ(after[u"styles"_s].toArray(), styles);
    EXPECT_EQ(after[u"blocks"_s], before[u"blocks"_s]);
    EXPECT_EQ(after[u"paper"_s], before[u"paper"_s]);
    EXPECT_EQ(after[u"linetypes"_s], before[u"linetypes"_s]);

    // $HANDSEED follows the handles handed out.
    const Result<Document> tags = readFile(saved);
    ASSERT_TRUE(tags.ok());
    const quint64 seed = tags->headerValue("$HANDSEED").toULongLong(nullptr, 16);
    for (const QString& handle : {line.Handle(), added.Handle(), ring.Handle()})
        EXPECT_GT(seed, handle.toULongLong(nullptr, 16)) << handle.toStdString();

    // Our own reading agrees, and a second save of the reloaded file changes nothing.
    auto reloaded = loadDrawing(*app, saved);
    ASSERT_TRUE(reloaded.ok()) << reloaded.error().toString().toStdString();
    EXPECT_EQ(reloaded.value()->findEntity(added.Handle())->value(Member::TextString).toText(),
              u"新增文字"_s);
    EXPECT_EQ(drawingBytes(*reloaded.value()), test::fileBytes(saved));
    if (mtext) {
        EXPECT_EQ(reloaded.value()->findEntity(mtext->Handle())->value(Member::TextString).toText(),
                  longText);
    }
    expectLibrecadConverts(saved);
}

std::string testName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Drawing, ChangedDrawing,
                         ::testing::Values("r12.dxf", "r2000_gbk.dxf", "r2010.dxf", "r2018.dxf"),
                         testName);

// A drawing that was never loaded saves as a complete file both readers take.
TEST(DrawingSave, ANewDrawingSavesAsACompleteFile) {
    SKIP_UNLESS_LINUX_READERS();
    auto app = memory::Application::create();
    auto drawing = app->newDocument(u"Drawing1.dwg"_s);
    const cad::Document doc(drawing);
    doc.Layers().Add(u"电气-照明"_s).Color(1);
    doc.Linetypes().Load(u"CENTER"_s, u"acad.lin"_s);
    const cad::ModelSpace space = doc.ModelSpace();
    space.AddLine(Point{0, 0, 0}, Point{100, 0, 0}).Layer(u"电气-照明"_s);
    space.AddArc(Point{0, 0, 0}, 5, 0, 1.5707963267948966);
    space.AddText(u"配电箱 AL1"_s, Point{0, 10, 0}, 2.5);
    space.AddMtext(Point{0, 20, 0}, 50, u"第一行\\P第二行"_s);
    space.AddSpline({0, 0, 0, 1, 2, 0, 3, 1, 0, 5, 4, 0}, Point{}, Point{});
    space.AddPoint(Point{5, 5, 0});
    drawing->addBlock(u"LAMP"_s);
    auto insert = drawing->makeEntity(memory::kinds::insert());
    insert->setValue(Member::Name, u"LAMP"_s);
    drawing->modelSpace().append(insert);
    auto inBlock = drawing->makeEntity(memory::kinds::circle());
    drawing->findBlock(u"LAMP"_s)->append(inBlock);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"new.dxf"_s);
    ASSERT_TRUE(saveDrawing(*drawing, path).ok());
    const QJsonObject reading = readWithEzdxf(path);
    EXPECT_EQ(reading[u"errors"_s].toInt(), 0);
    QStringList kinds;
    for (const QJsonValue& e : reading[u"entities"_s].toArray())
        kinds << e[u"type"_s].toString();
    EXPECT_EQ(kinds, (QStringList{u"LINE"_s, u"ARC"_s, u"TEXT"_s, u"MTEXT"_s, u"SPLINE"_s,
                                  u"POINT"_s, u"INSERT"_s}));
    const QJsonArray entities = reading[u"entities"_s].toArray();
    EXPECT_EQ(entities[0][u"layer"_s].toString(), u"电气-照明"_s);
    EXPECT_EQ(entities[1][u"angles"_s].toArray(), (QJsonArray{0.0, 90.0}));
    EXPECT_EQ(entities[2][u"text"_s].toString(), u"配电箱 AL1"_s);
    EXPECT_EQ(entities[3][u"text"_s].toString(), u"第一行\\P第二行"_s);
    EXPECT_EQ(entities[4][u"fit_points"_s].toArray().size(), 4);
    EXPECT_EQ(reading[u"blocks"_s][u"LAMP"_s].toArray().size(), 1);
    EXPECT_TRUE(reading[u"linetypes"_s].toArray().contains(u"CENTER"_s));
    EXPECT_TRUE(reading[u"layers"_s].toArray().contains(u"电气-照明"_s));
    expectLibrecadConverts(path);

    // Saved again after a change, the file keeps what it had and takes the change.
    space.AddCircle(Point{1, 1, 0}, 1);
    ASSERT_TRUE(saveDrawing(*drawing, path).ok());
    const QJsonObject again = readWithEzdxf(path);
    EXPECT_EQ(again[u"errors"_s].toInt(), 0);
    EXPECT_EQ(again[u"entities"_s].toArray().size(), entities.size() + 1);

    auto reloaded = loadDrawing(*app, path);
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded.value()->modelSpace().entities.size(), 8u);
    EXPECT_EQ(drawingBytes(*reloaded.value()), test::fileBytes(path));
}

qint64 tableCount(const Document& file, QByteArrayView table) {
    for (const Group& group : file.section(SectionKind::Tables)->groups) {
        const RecordView head = file.view(group.head);
        if (trimmedBlanks(head.name()) == table)
            return toInteger(head.value(70)).value_or(-1);
    }
    return -1;
}

// The header follows the current layer and text style, and table counts follow the records.
TEST(DrawingSave, KeepsHeaderVariablesAndTableCountsInStep) {
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, test::drawingsDir() + u"/r2000_gbk.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    const Result<Document> before = readFile(test::drawingsDir() + u"/r2000_gbk.dxf"_s);
    ASSERT_TRUE(before.ok());
    const cad::Document doc(loaded.value());
    doc.Layers().Add(u"新图层"_s);
    doc.SetVariable(u"CLAYER"_s, u"电气-照明"_s);
    doc.SetVariable(u"TEXTSTYLE"_s, u"UNUSED_STYLE"_s);

    const Result<Document> after = readBytes(drawingBytes(*loaded.value()), u"after.dxf"_s);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(after->text(Tag(8, after->headerValue("$CLAYER"))), u"电气-照明"_s);
    EXPECT_EQ(after->text(Tag(7, after->headerValue("$TEXTSTYLE"))), u"UNUSED_STYLE"_s);
    EXPECT_EQ(tableCount(after.value(), "LAYER"), tableCount(before.value(), "LAYER") + 1);
    EXPECT_EQ(tableCount(after.value(), "STYLE"), tableCount(before.value(), "STYLE"));
}

// Members spread over several tags: an MTEXT's chunks and a spline's fit points with their
// count are replaced as a whole.
TEST(DrawingSave, RewritesMtextChunksAndSplineFitPoints) {
    SKIP_UNLESS_LINUX_READERS();
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, test::drawingsDir() + u"/r2010.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    std::shared_ptr<memory::Entity> mtext, spline;
    for (const auto& e : loaded.value()->modelSpace().entities) {
        if (e->kind().dxfName == u"MTEXT"_s)
            mtext = e;
        if (e->kind().dxfName == u"SPLINE"_s)
            spline = e;
    }
    ASSERT_TRUE(mtext && spline);
    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += u"第%1行 cable 3×2.5mm²\\P"_s.arg(i);
    mtext->setValue(Member::TextString, longText);
    const std::vector<double> fit = {0, 0, 0, 2, 3, 0, 4, 1, 0, 6, 5, 0, 8, 2, 0};
    spline->setValue(Member::FitPoints, fit);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"rewritten.dxf"_s);
    ASSERT_TRUE(saveDrawing(*loaded.value(), path).ok());
    const Result<Document> file = readFile(path);
    ASSERT_TRUE(file.ok());
    for (const Record& record : file->section(SectionKind::Entities)->members) {
        const RecordView view = file->view(record);
        if (view.type() == "MTEXT") {
            for (const Tag& tag : view.tags()) {
                if (tag.code() == 3 || tag.code() == 1) {
                    EXPECT_LE(file->text(tag).size(), 250);
                }
            }
        }
        if (view.type() == "SPLINE") {
            EXPECT_EQ(view.value(74), "5");
        }
    }
    auto reloaded = loadDrawing(*app, path);
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded.value()->findEntity(mtext->handleText())->value(Member::TextString),
              cad::Value(longText));
    EXPECT_EQ(reloaded.value()->findEntity(spline->handleText())->value(Member::FitPoints),
              cad::Value(fit));
    const QJsonArray ezdxf = readWithEzdxf(path)[u"entities"_s].toArray();
    EXPECT_EQ(ezdxf[indexOfHandle(ezdxf, mtext->handleText())][u"text"_s].toString(), longText);
    EXPECT_EQ(ezdxf[indexOfHandle(ezdxf, spline->handleText())][u"fit_points"_s].toArray().size(),
              5);
}

// What the drawing changed and nothing else: a member the file lacked is added at its place,
// a changed member keeps the tags around it.
TEST(DrawingSave, WritesOnlyTheMembersThatChanged) {
    const QByteArray bytes =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\nTEXT\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n 10\n1.50\n 20\n2\n"
        " 40\n2.5\n  1\nold\n100\nAcDbText\n"
        "1001\nAPP\n1000\nkept\n"
        "  0\nENDSEC\n  0\nEOF\n";
    auto app = memory::Application::create();
    auto loaded = loadDrawingBytes(*app, bytes, u"t.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    auto text = loaded.value()->modelSpace().entities[0];
    text->setValue(Member::TextString, u"new"_s);
    text->setValue(Member::VerticalAlignment, 2);
    text->setValue(Member::Rotation, 1.5707963267948966);
    EXPECT_EQ(drawingBytes(*loaded.value()),
              "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
              "  0\nSECTION\n  2\nENTITIES\n"
              "  0\nTEXT\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n 10\n1.50\n 20\n2\n"
              " 40\n2.5\n  1\nnew\n 50\n90.0\n100\nAcDbText\n 73\n2\n"
              "1001\nAPP\n1000\nkept\n"
              "  0\nENDSEC\n  0\nEOF\n");
}

using test::lines;
using test::recordTags;
using test::Tags;

Tags withoutCodes(Tags tags, std::initializer_list<int> codes) {
    std::erase_if(tags, [&](const auto& tag) {
        return std::find(codes.begin(), codes.end(), tag.first) != codes.end();
    });
    return tags;
}

QByteArray valueOf(const Tags& tags, int code) {
    for (const auto& [c, raw] : tags) {
        if (c == code)
            return raw;
    }
    return {};
}

// Drawings from other CAD programs carry a true colour (420) and a colour name (430) beside
// the colour number, and every reader shows those first: an entity or layer given a new colour
// loses them, or the saved file would still show the old colour. Records whose colour stayed
// keep every byte.
TEST(DrawingSave, ANewColourDropsTheTrueColourThatWouldHideIt) {
    SKIP_UNLESS_LINUX_READERS();
    struct Change {
        QByteArray type;        // the record's group 0
        const char* key;        // entity class name, or layer name
        int color;              // 0: left alone
        QByteArray savedColor;  // group 62 as saved
    };
    const Change entities[] = {
        {"LINE", "AcDbLine", 3, "3"},      // 62, 420 and 430
        {"CIRCLE", "AcDbCircle", 5, "5"},  // 420 without 62: by layer in number, red in truth
        {"ARC", "AcDbArc", 0, {}},
    };
    const Change layers[] = {
        {"LAYER", "TC_CHANGED", 3, "3"},
        {"LAYER", "TC_OFF", 4, "-4"},  // still off
        {"LAYER", "TC_KEPT", 0, {}},
    };
    const QString source = test::drawingsDir() + u"/true_color.dxf"_s;
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, source);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    const cad::Document doc(loaded.value());
    std::vector<QByteArray> handles;
    for (const Change& change : entities) {
        const cad::Entity entity = firstOfKind(doc.ModelSpace(), QString::fromUtf8(change.key));
        handles.push_back(entity.Handle().toLatin1());
        if (change.color)
            entity.Color(change.color);
    }
    for (const Change& change : layers) {
        if (change.color)
            named<cad::Layer>(doc.Layers(), QString::fromUtf8(change.key)).Color(change.color);
    }
    QTemporaryDir dir;
    const QString saved = dir.filePath(u"recoloured.dxf"_s);
    ASSERT_TRUE(saveDrawing(*loaded.value(), saved).ok());

    const Result<Document> before = readFile(source);
    const Result<Document> after = readFile(saved);
    ASSERT_TRUE(before.ok() && after.ok());
    auto expectTags = [&](const Change& change, QByteArrayView key) {
        const Tags old = recordTags(before.value(), change.type, key);
        const Tags now = recordTags(after.value(), change.type, key);
        ASSERT_FALSE(old.empty()) << change.key;
        ASSERT_NE(valueOf(old, 420), QByteArray()) << change.key;
        if (!change.color) {
            EXPECT_EQ(lines(now), lines(old)) << change.key;
            return;
        }
        EXPECT_EQ(valueOf(now, 62), change.savedColor) << change.key;
        EXPECT_EQ(lines(withoutCodes(now, {62})), lines(withoutCodes(old, {62, 420, 430})))
            << change.key;
    };
    for (size_t i = 0; i < std::size(entities); ++i)
        expectTags(entities[i], handles[i]);
    for (const Change& change : layers)
        expectTags(change, change.key);

    const QJsonObject reading = readWithEzdxf(saved);
    const QJsonObject original = readWithEzdxf(source);
    EXPECT_EQ(reading[u"errors"_s].toInt(), 0);
    const QJsonArray found = reading[u"entities"_s].toArray();
    const QJsonArray was = original[u"entities"_s].toArray();
    for (size_t i = 0; i < std::size(entities); ++i) {
        const QString handle = QString::fromLatin1(handles[i]);
        const QJsonObject e = found[indexOfHandle(found, handle)].toObject();
        if (!entities[i].color) {
            EXPECT_EQ(e, was[indexOfHandle(was, handle)].toObject()) << entities[i].key;
            continue;
        }
        EXPECT_EQ(e[u"color"_s].toInt(), entities[i].color) << entities[i].key;
        EXPECT_FALSE(e.contains(u"true_color"_s)) << entities[i].key;
        EXPECT_FALSE(e.contains(u"color_name"_s)) << entities[i].key;
    }
    const QJsonObject trueColors = reading[u"layerTrueColors"_s].toObject();
    QJsonArray rows = original[u"layerTable"_s].toArray();
    for (const Change& change : layers) {
        const QString name = QString::fromUtf8(change.key);
        EXPECT_EQ(trueColors.contains(name), !change.color) << change.key;
        if (change.color)
            rows = withLayerRow(rows, name, change.color, false);
    }
    EXPECT_EQ(reading[u"layerTable"_s].toArray(), rows);
}

struct Recolouring {
    const char* name;
    QByteArray before;  // the ENTITIES or TABLES section's records
    QByteArray after;
};

void PrintTo(const Recolouring& recolouring, std::ostream* out) {
    *out << recolouring.name;
}

class RecolouredRecord : public ::testing::TestWithParam<Recolouring> {};

// The tags around the ones a new colour replaces stay where they were: application groups,
// other subclasses, files without subclass markers.
TEST_P(RecolouredRecord, LosesItsTrueColourAndNothingElse) {
    const auto file = [](const char* version, const QByteArray& records) {
        return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n"_ba + version +
               "\n  0\nENDSEC\n"_ba + records + "  0\nEOF\n"_ba;
    };
    const bool markers = GetParam().before.contains("AcDb");
    const char* version = markers ? "AC1015" : "AC1009";
    auto app = memory::Application::create();
    auto loaded = loadDrawingBytes(*app, file(version, GetParam().before), u"t.dxf"_s);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    const cad::Document doc(loaded.value());
    if (loaded.value()->modelSpace().entities.empty())
        named<cad::Layer>(doc.Layers(), u"L"_s).Color(3);
    else
        loaded.value()->modelSpace().entities[0]->setValue(Member::Color, 3);
    EXPECT_EQ(drawingBytes(*loaded.value()).toStdString(),
              file(version, GetParam().after).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    DrawingSave, RecolouredRecord,
    ::testing::Values(
        Recolouring{
            "entity",
            "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n100\nAcDbEntity\n"
            "102\n{APP\n420\n255\n102\n}\n  8\n0\n 62\n1\n420\n16389140\n430\nRAL$RAL 3020\n"
            "100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n0.0\n"
            "1001\nAPP\n1071\n420\n  0\nENDSEC\n",
            "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n100\nAcDbEntity\n"
            "102\n{APP\n420\n255\n102\n}\n  8\n0\n 62\n3\n"
            "100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n0.0\n"
            "1001\nAPP\n1071\n420\n  0\nENDSEC\n"},
        Recolouring{"entity_without_markers",
                    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n420\n16389140\n"
                    " 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n0.0\n  0\nENDSEC\n",
                    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n"
                    " 11\n1.0\n 21\n0.0\n 62\n3\n  0\nENDSEC\n"},
        Recolouring{"layer",
                    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
                    "  0\nLAYER\n  5\n10\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n"
                    "  2\nL\n 70\n0\n 62\n-1\n420\n16389140\n430\nRAL$RAL 3020\n  6\nCONTINUOUS\n"
                    "  0\nENDTAB\n  0\nENDSEC\n",
                    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
                    "  0\nLAYER\n  5\n10\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n"
                    "  2\nL\n 70\n0\n 62\n-3\n  6\nCONTINUOUS\n"
                    "  0\nENDTAB\n  0\nENDSEC\n"}),
    [](const ::testing::TestParamInfo<Recolouring>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dxf
