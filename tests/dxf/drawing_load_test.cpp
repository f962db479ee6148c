// Loading drawings into the embedded drawing: ezdxf's drawings, hand-made edge cases, bad input.
#include "dxf/drawing.h"
#include "dxf/drawing_origin.h"
#include "dxf/reader.h"
#include "dxf/writer.h"
#include "dxf_test_support.h"

#include "cad/memory/application.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;

QStringList strings(const QJsonArray& array) {
    QStringList out;
    for (const QJsonValue& v : array)
        out << v.toString();
    return out;
}

template <typename Table>
QStringList namesOf(const Table& table) {
    QStringList out;
    for (const auto& r : table) {
        if (!r->name.startsWith(u'*') && !r->name.startsWith(u'$'))
            out << r->name;
    }
    return out;
}

class LoadedDrawing : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        m_name = QString::fromUtf8(GetParam());
        m_manifest = test::manifestOf(m_name);
        ASSERT_FALSE(m_manifest.isEmpty());
        auto loaded = loadDrawing(*m_app, test::drawingsDir() + u'/' + m_name);
        ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
        m_drawing = loaded.value();
    }

    std::shared_ptr<memory::Application> m_app = memory::Application::create();
    std::shared_ptr<memory::Document> m_drawing;
    QString m_name;
    QJsonObject m_manifest;
};

TEST_P(LoadedDrawing, HoldsModelSpaceKindsHandlesLayersAndTextsInFileOrder) {
    const QJsonArray expected = m_manifest[u"entities"_s].toArray();
    const auto& entities = m_drawing->modelSpace().entities;
    ASSERT_EQ(qsizetype(entities.size()), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QJsonObject item = expected[i].toObject();
        const memory::Entity& e = *entities[size_t(i)];
        EXPECT_EQ(e.kind().dxfName, item[u"type"_s].toString()) << i;
        EXPECT_EQ(e.handleText(), item[u"handle"_s].toString().toUpper()) << i;
        EXPECT_EQ(e.layer(), item[u"layer"_s].toString()) << i;
        if (item.contains(u"text"_s)) {
            EXPECT_EQ(e.value(Member::TextString).toText(), item[u"text"_s].toString()) << i;
        }
    }
}

TEST_P(LoadedDrawing, HoldsTheTablesBlocksAndPaperSpace) {
    EXPECT_EQ(namesOf(m_drawing->layers()), strings(m_manifest[u"layers"_s].toArray()));
    EXPECT_EQ(namesOf(m_drawing->textStyles()), strings(m_manifest[u"styles"_s].toArray()));
    EXPECT_EQ(namesOf(m_drawing->linetypes()), strings(m_manifest[u"linetypes"_s].toArray()));
    QStringList blocks = namesOf(m_drawing->blocks());
    EXPECT_EQ(blocks, strings(m_manifest[u"blocks"_s].toArray()));
    QStringList paper;
    for (const auto& e : m_drawing->paperSpace().entities)
        paper << e->kind().dxfName;
    EXPECT_EQ(paper, strings(m_manifest[u"paper"_s].toArray()));

    const memory::LayerRecord* off = m_drawing->findLayer(u"OFF_LAYER"_s);
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->color, 3);  // a layer turned off keeps its colour
    EXPECT_FALSE(off->locked);
    EXPECT_TRUE(m_drawing->findLayer(u"LOCKED_LAYER"_s)->locked);
    const memory::LinetypeRecord* dashed = m_drawing->findLinetype(u"DASHED"_s);
    ASSERT_NE(dashed, nullptr);
    EXPECT_EQ(dashed->description, u"Dashed __ __ __"_s);
    EXPECT_EQ(dashed->pattern, (std::vector<double>{0.5, -0.25}));
    EXPECT_EQ(m_drawing->findTextStyle(u"UNUSED_STYLE"_s)->fontFile, u"simplex.shx"_s);

    const memory::BlockRecord* lamp = m_drawing->findBlock(u"LAMP"_s);
    ASSERT_NE(lamp, nullptr);
    QStringList kinds;
    for (const auto& e : lamp->entities)
        kinds << e->kind().dxfName;
    EXPECT_EQ(kinds, (QStringList{u"CIRCLE"_s, u"LINE"_s, u"LINE"_s, u"ATTDEF"_s}));
}

TEST_P(LoadedDrawing, HandsOutHandlesAboveEveryHandleOfTheFile) {
    std::set<quint64> handles;
    for (const auto& block : m_drawing->blocks()) {
        for (const auto& e : block->entities)
            handles.insert(e->handle());
    }
    for (const auto& layer : m_drawing->layers())
        handles.insert(layer->handle);
    const quint64 fresh = m_drawing->nextHandle();
    EXPECT_GT(fresh, *handles.rbegin());
    const QByteArray file = test::fileBytes(test::drawingsDir() + u'/' + m_name);
    EXPECT_FALSE(file.contains("\n  5\n" + QByteArray::number(fresh, 16).toUpper() + "\r\n"));
}

TEST_P(LoadedDrawing, SavedUnchangedGivesTheSameBytes) {
    const QByteArray original = test::fileBytes(test::drawingsDir() + u'/' + m_name);
    EXPECT_EQ(drawingBytes(*m_drawing), original);
    // And again: a save leaves nothing behind that changes the next one.
    EXPECT_EQ(drawingBytes(*m_drawing), original);
}

TEST_P(LoadedDrawing, BecomesTheActiveDocumentNamedAfterTheFile) {
    EXPECT_EQ(m_app->activeDocument(), m_drawing);
    EXPECT_EQ(m_drawing->name(), m_name);
}

std::string testName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Drawing, LoadedDrawing,
                         ::testing::Values("r12.dxf", "r2000_gbk.dxf",
                                           "r2000_utf8_labelled_936.dxf", "r2010.dxf", "r2018.dxf"),
                         testName);

// ---- hand-made files ----

QByteArray dxfOf(std::initializer_list<std::pair<int, QByteArray>> tags) {
    QByteArray out;
    for (const auto& [code, value] : tags)
        out += QByteArray::number(code).rightJustified(3, ' ') + '\n' + value + '\n';
    return out;
}

std::shared_ptr<memory::Document> loadOk(memory::Application& app, const QByteArray& bytes) {
    auto loaded = loadDrawingBytes(app, bytes, u"hand.dxf"_s);
    EXPECT_TRUE(loaded.ok()) << (loaded.ok() ? "" : loaded.error().toString().toStdString());
    return loaded.ok() ? loaded.value() : nullptr;
}

// An R12 file without handles, with an entity on a layer its table lacks, "BYLAYER" spelled
// the old way, and a current layer and text style.
const QByteArray kR12 =
    dxfOf({{0, "SECTION"}, {2, "HEADER"},     {9, "$ACADVER"},   {1, "AC1009"},     {9, "$CLAYER"},
           {8, "WALLS"},   {9, "$TEXTSTYLE"}, {7, "NOTES"},      {0, "ENDSEC"},     {0, "SECTION"},
           {2, "TABLES"},  {0, "TABLE"},      {2, "LAYER"},      {70, "1"},         {0, "LAYER"},
           {2, "WALLS"},   {70, "0"},         {62, "-2"},        {6, "CONTINUOUS"}, {0, "ENDTAB"},
           {0, "TABLE"},   {2, "STYLE"},      {70, "1"},         {0, "STYLE"},      {2, "NOTES"},
           {70, "0"},      {3, "txt"},        {4, "gbcbig.shx"}, {0, "ENDTAB"},     {0, "ENDSEC"},
           {0, "SECTION"}, {2, "ENTITIES"},   {0, "LINE"},       {8, "WALLS"},      {6, "BYLAYER"},
           {10, "1.0"},    {20, "2.0"},       {11, "3.0"},       {21, "4.0"},       {0, "TEXT"},
           {8, "MISSING"}, {10, "0"},         {20, "0"},         {40, "2.5"},       {1, "Hello"},
           {0, "ENDSEC"},  {0, "EOF"}});

TEST(DrawingLoad, ReadsAnR12FileWithoutHandles) {
    auto app = memory::Application::create();
    auto drawing = loadOk(*app, kR12);
    ASSERT_TRUE(drawing);
    const auto& entities = drawing->modelSpace().entities;
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_NE(entities[0]->handle(), entities[1]->handle());
    EXPECT_EQ(entities[0]->value(Member::Linetype).toText(), u"ByLayer"_s);
    EXPECT_EQ(entities[0]->value(Member::EndPoint).toPoint(), (cad::Point{3, 4, 0}));
    EXPECT_EQ(entities[1]->value(Member::Height).toDouble(), 2.5);
    EXPECT_EQ(drawing->currentLayer(), u"WALLS"_s);
    EXPECT_EQ(drawing->activeTextStyle().name, u"NOTES"_s);
    EXPECT_EQ(drawing->activeTextStyle().bigFontFile, u"gbcbig.shx"_s);
    EXPECT_EQ(drawing->findLayer(u"WALLS"_s)->color, 2);
    EXPECT_EQ(drawing->findLayer(u"WALLS"_s)->linetype, u"CONTINUOUS"_s);
    // The layer only an entity names exists in the drawing, as after a CAD's audit.
    EXPECT_NE(drawing->findLayer(u"MISSING"_s), nullptr);
    EXPECT_EQ(drawingBytes(*drawing), kR12);
}

TEST(DrawingLoad, KeepsSixteenDigitHandlesAndHandsOutNewOnesAboveThem) {
    const QByteArray bytes = dxfOf({{0, "SECTION"},
                                    {2, "HEADER"},
                                    {9, "$ACADVER"},
                                    {1, "AC1015"},
                                    {9, "$HANDSEED"},
                                    {5, "20"},
                                    {0, "ENDSEC"},
                                    {0, "SECTION"},
                                    {2, "ENTITIES"},
                                    {0, "LINE"},
                                    {5, "A1B2C3D4E5F60718"},
                                    {100, "AcDbEntity"},
                                    {8, "0"},
                                    {100, "AcDbLine"},
                                    {10, "0"},
                                    {20, "0"},
                                    {11, "5"},
                                    {21, "0"},
                                    {0, "ENDSEC"},
                                    {0, "EOF"}});
    auto app = memory::Application::create();
    auto drawing = loadOk(*app, bytes);
    ASSERT_TRUE(drawing);
    const auto line = drawing->findEntity(u"A1B2C3D4E5F60718"_s);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->handleText(), u"A1B2C3D4E5F60718"_s);

    // A record added by a save takes a handle above the file's, and $HANDSEED stays above it.
    drawing->modelSpace().append(drawing->makeEntity(memory::kinds::point()));
    const quint64 added = drawing->modelSpace().entities.back()->handle();
    EXPECT_GT(added, 0xA1B2C3D4E5F60718u);
    const Result<Document> saved = readBytes(drawingBytes(*drawing), u"saved.dxf"_s);
    ASSERT_TRUE(saved.ok());
    EXPECT_GT(parseHandle(saved->headerValue("$HANDSEED")), added);
}

// Entities of add-on classes: a class the file marks as a proxy (280 = 1) allows what its
// capabilities (90) say, a proxy entity names its class by number (91: 500 + place), a class
// without the proxy mark and a kind without a class allow everything.
TEST(DrawingLoad, ProxiesRefuseTheEditsTheirClassForbids) {
    const QByteArray bytes = dxfOf({{0, "SECTION"},
                                    {2, "HEADER"},
                                    {9, "$ACADVER"},
                                    {1, "AC1015"},
                                    {0, "ENDSEC"},
                                    {0, "SECTION"},
                                    {2, "CLASSES"},
                                    {0, "CLASS"},
                                    {1, "ZW_WIRE"},
                                    {2, "ZwWire"},
                                    {3, "ZwElec"},
                                    {90, "5"},
                                    {280, "1"},
                                    {281, "1"},
                                    {0, "CLASS"},
                                    {1, "ZW_TRAY"},
                                    {2, "ZwTray"},
                                    {3, "ZwElec"},
                                    {90, "8"},
                                    {280, "1"},
                                    {281, "1"},
                                    {0, "CLASS"},
                                    {1, "LWPOLYLINE"},
                                    {2, "AcDbPolyline"},
                                    {3, "AutoCAD"},
                                    {90, "0"},
                                    {280, "0"},
                                    {281, "1"},
                                    {0, "ENDSEC"},
                                    {0, "SECTION"},
                                    {2, "ENTITIES"},
                                    {0, "ZW_WIRE"},
                                    {5, "30"},
                                    {8, "0"},
                                    {0, "ACAD_PROXY_ENTITY"},
                                    {5, "31"},
                                    {8, "0"},
                                    {90, "498"},
                                    {91, "501"},
                                    {0, "LWPOLYLINE"},
                                    {5, "32"},
                                    {8, "0"},
                                    {90, "0"},
                                    {0, "ZW_OTHER"},
                                    {5, "33"},
                                    {8, "0"},
                                    {0, "ENDSEC"},
                                    {0, "EOF"}});
    auto app = memory::Application::create();
    auto drawing = loadOk(*app, bytes);
    ASSERT_TRUE(drawing);
    drawing->addLayer(u"电气"_s);
    struct Case {
        const char* handle;
        bool color, layer, linetype, erase;
    };
    const Case cases[] = {
        {"30", true, false, false, true},   // colour and erase allowed
        {"31", false, true, false, false},  // ZW_TRAY: layer change only
        {"32", true, true, true, true},     // a built-in class, not a proxy
        {"33", true, true, true, true},     // no class entry
    };
    for (const Case& c : cases) {
        const auto entity = drawing->findEntity(QString::fromLatin1(c.handle));
        ASSERT_TRUE(entity) << c.handle;
        const std::pair<bool, std::function<void()>> edits[] = {
            {c.color, [&] { entity->Put(Member::Color, 1); }},
            {c.layer, [&] { entity->Put(Member::Layer, u"电气"_s); }},
            {c.linetype, [&] { entity->Put(Member::Linetype, u"ByBlock"_s); }},
            {c.erase, [&] { entity->Call(Member::Delete, {}); }},
        };
        for (const auto& [allowed, edit] : edits) {
            if (allowed) {
                EXPECT_NO_THROW(edit()) << c.handle;
                continue;
            }
            try {
                edit();
                ADD_FAILURE() << c.handle << " accepted a forbidden edit";
            } catch (const cad::Error& e) {
                EXPECT_EQ(e.message(), u"对象不允许此修改"_s) << c.handle;
            }
        }
    }
    EXPECT_EQ(drawing->findEntity(u"31"_s)->layer(), u"电气"_s);
    EXPECT_EQ(drawing->findEntity(u"31"_s)->slotValue(memory::kColorSlot).toInt(), 256);
}

TEST(DrawingLoad, JoinsMtextChunksBeforeDecodingSoSplitCharactersSurvive) {
    // "电气" in GBK is C B5 E7 C6 F8; the chunk boundary falls inside the second character.
    const QByteArray bytes = dxfOf({{0, "SECTION"}, {2, "HEADER"},       {9, "$ACADVER"},
                                    {1, "AC1015"},  {9, "$DWGCODEPAGE"}, {3, "ANSI_936"},
                                    {0, "ENDSEC"},  {0, "SECTION"},      {2, "ENTITIES"},
                                    {0, "MTEXT"},   {5, "2A"},           {100, "AcDbEntity"},
                                    {8, "0"},       {100, "AcDbMText"},  {10, "0"},
                                    {20, "0"},      {40, "2.5"},         {3, "\xB5\xE7\xC6"},
                                    {1, "\xF8"},    {0, "ENDSEC"},       {0, "EOF"}});
    auto app = memory::Application::create();
    auto drawing = loadOk(*app, bytes);
    ASSERT_TRUE(drawing);
    EXPECT_EQ(drawing->modelSpace().entities[0]->value(Member::TextString).toText(), u"电气"_s);
}

// Bad input returns the tag layer's error and leaves the application as it was.
TEST(DrawingLoad, BadFilesLeaveNoDrawingBehind) {
    const struct {
        const char* what;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"empty", "", "empty"},
        {"binary", "AutoCAD Binary DXF\r\n\x1a", "binary"},
        {"not a dxf", "hello world\n", "not a DXF"},
        {"truncated", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n", "cut short"},
        {"non-numeric", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n", "number"},
        {"no EOF", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n", "EOF"},
    };
    auto app = memory::Application::create();
    auto before = app->newDocument(u"Drawing1.dwg"_s);
    for (const auto& c : cases) {
        auto loaded = loadDrawingBytes(*app, c.bytes, u"bad.dxf"_s);
        ASSERT_FALSE(loaded.ok()) << c.what;
        EXPECT_TRUE(loaded.error().toString().contains(QString::fromUtf8(c.says)))
            << c.what << ": " << loaded.error().toString().toStdString();
        EXPECT_EQ(loaded.error().fileName, u"bad.dxf"_s) << c.what;
        EXPECT_EQ(app->documents().size(), 1u) << c.what;
        EXPECT_EQ(app->activeDocument(), before) << c.what;
    }
    auto missing = loadDrawing(*app, u"/nonexistent/folder/plan.dxf"_s);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(app->documents().size(), 1u);
}

// Inputs the fuzzer found or that are known to break other readers: they load or fail
// cleanly, and whatever loads saves back as the tag layer alone writes it.
TEST(DrawingLoad, HostileInputsLoadOrFailWithoutHarm) {
    const QDir dir(QString::fromUtf8(DXF_FUZZ_REGRESSIONS));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const QByteArray bytes = test::fileBytes(dir.filePath(file));
        auto app = memory::Application::create();
        auto loaded = loadDrawingBytes(*app, bytes, file);
        if (loaded.ok()) {
            const Result<Document> tags = readBytes(bytes, file);
            ASSERT_TRUE(tags.ok());
            EXPECT_EQ(drawingBytes(*loaded.value()), writeBytes(tags.value()))
                << file.toStdString();
        } else
            EXPECT_TRUE(app->documents().empty()) << file.toStdString();
    }
}

}  // namespace
}  // namespace dxf
