// Reading: bad files and where they are reported, odd but valid files, hostile input, and the
// structure found in drawings written by ezdxf.
#include "dxf/reader.h"
#include "dxf/writer.h"
#include "dxf_test_support.h"
#include "support/qstring_printer.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string_view>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
using namespace std::string_view_literals;

QByteArray bytesOf(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

// An ENTITIES section around body; body line k is line 4 + k of the file.
QByteArray entities(const QByteArray& body) {
    return "  0\nSECTION\n  2\nENTITIES\n" + body + "  0\nENDSEC\n  0\nEOF\n";
}

struct BadFile {
    const char* name;
    QByteArray content;
    qint64 line;
    const char* messagePart;
};

class BadFileIsRefused : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFileIsRefused, WithTheFileNameAndTheLineWhereReadingStopped) {
    const BadFile& bad = GetParam();
    const Result<Document> result = readBytes(bad.content, u"drawing.dxf"_s);
    ASSERT_FALSE(result.ok());
    const Error& error = result.error();
    EXPECT_EQ(error.fileName, u"drawing.dxf"_s);
    EXPECT_EQ(error.line, bad.line);
    EXPECT_TRUE(error.message.contains(QString::fromUtf8(bad.messagePart)))
        << error.message.toStdString();
    EXPECT_TRUE(error.toString().startsWith(u"drawing.dxf, line %1: "_s.arg(bad.line)))
        << error.toString().toStdString();
}

const QByteArray kComplete = entities("  0\nLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n");

INSTANTIATE_TEST_SUITE_P(
    Reader, BadFileIsRefused,
    ::testing::Values(
        BadFile{"empty", "", 1, "empty"}, BadFile{"blank_lines_only", "\n  \r\n\t\n", 1, "empty"},
        BadFile{"binary", bytesOf("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION"sv), 1,
                "binary DXF is not supported"},
        BadFile{"text_file", "hello world\nsecond line\n", 1, "not a DXF file"},
        BadFile{"image", bytesOf("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"sv), 1, "not a DXF file"},
        BadFile{"first_record_not_a_section", "  0\nLINE\n  8\n0\n  0\nEOF\n", 1, "not a DXF file"},
        BadFile{"odd_number_of_lines", kComplete.chopped(4), 15, "cut short"},
        BadFile{"last_code_without_line_end", kComplete.chopped(5), 15, "cut short"},
        BadFile{"code_with_a_letter", entities("  0\nLINE\n1O\n0.0\n"), 7,
                "group code \"1O\" is not a number"},
        BadFile{"code_too_large", entities("  0\nLINE\n99999999999\n0.0\n"), 7, "is not a number"},
        BadFile{"blank_code_line", entities("  0\nLINE\n\n0.0\n"), 7, "is not a number"},
        BadFile{"letters_in_a_coordinate", entities("  0\nLINE\n 10\nabc\n"), 8,
                "group code 10 needs a number, found \"abc\""},
        BadFile{"empty_coordinate", entities("  0\nLINE\n 10\n\n"), 8, "needs a number"},
        BadFile{"comma_decimal", entities("  0\nLINE\n 40\n2,5\n"), 8, "needs a number"},
        BadFile{"colour_word", entities("  0\nLINE\n 62\nred\n"), 8, "group code 62"},
        BadFile{"vertex_count_word", entities("  0\nLWPOLYLINE\n 90\nmany\n"), 8, "group code 90"},
        BadFile{"bool_word", entities("  0\nLINE\n290\nyes\n"), 8, "group code 290"},
        BadFile{"xdata_real_word", entities("  0\nLINE\n1001\nAPP\n1040\nx\n"), 10,
                "group code 1040"},
        BadFile{"missing_endsec_at_end", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n", 8,
                "section ENTITIES (line 1) has no ENDSEC before the end of the file"},
        BadFile{"missing_endsec_before_section",
                "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  0\nSECTION\n  2\nOBJECTS\n"
                "  0\nENDSEC\n  0\nEOF\n",
                7, "has no ENDSEC before 0 \"SECTION\""},
        BadFile{"missing_endsec_before_eof", "  0\nSECTION\n  2\nHEADER\n  0\nEOF\n", 5,
                "section HEADER (line 1) has no ENDSEC"},
        BadFile{"missing_eof", kComplete.chopped(8), 14, "ends without EOF"},
        BadFile{"section_without_name", "  0\nSECTION\n  0\nENDSEC\n  0\nEOF\n", 3, "has no name"},
        BadFile{"table_without_endtab",
                "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  0\nLAYER\n  2\nA\n"
                "  0\nENDSEC\n  0\nEOF\n",
                13, "TABLE \"LAYER\" (line 5) has no ENDTAB"},
        BadFile{"block_without_endblk",
                "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nLAMP\n  0\nLINE\n  0\nBLOCK\n"
                "  2\nB2\n  0\nENDBLK\n  0\nENDSEC\n  0\nEOF\n",
                11, "BLOCK \"LAMP\" (line 5) has no ENDBLK"},
        BadFile{"entity_among_tables", "  0\nSECTION\n  2\nTABLES\n  0\nLINE\n  0\nENDSEC\n", 5,
                "unexpected 0 \"LINE\" in the TABLES section, expected TABLE"},
        BadFile{"entity_in_header",
                "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nLINE\n"
                "  0\nENDSEC\n  0\nEOF\n",
                9, "unexpected 0 \"LINE\" in the HEADER section"},
        BadFile{"record_between_sections",
                "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nLINE\n  0\nEOF\n", 7,
                "expected SECTION or EOF, found 0 \"LINE\""}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

struct OddFile {
    const char* name;
    QByteArray content;
    bool byteExact;  // whether the file's layout is one the writer reproduces
};

class OddButValidFile : public ::testing::TestWithParam<OddFile> {};

TEST_P(OddButValidFile, IsReadAndWrittenBackWithTheSameTags) {
    const OddFile& odd = GetParam();
    const QByteArray written = test::expectSameTagsAfterRoundTrip(odd.content, u"odd.dxf"_s);
    if (odd.byteExact) {
        EXPECT_EQ(written, odd.content);
    }
}

QByteArray withLineEnding(QByteArray text, const char* ending) {
    return text.replace("\n", ending);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, OddButValidFile,
    ::testing::Values(
        OddFile{"crlf", withLineEnding(kComplete, "\r\n"), true},
        OddFile{"cr_only", withLineEnding(kComplete, "\r"), true},
        OddFile{"unpadded_codes", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1.0\n0\nENDSEC\n0\nEOF\n",
                true},
        OddFile{"no_line_end_after_eof", kComplete.chopped(1), true},
        OddFile{"ctrl_z_and_junk_after_eof", kComplete + "\x1a garbage\nmore", true},
        OddFile{"blank_lines_after_eof", kComplete + "\n\n  \n", true},
        OddFile{"byte_order_mark", "\xEF\xBB\xBF" + kComplete, true},
        OddFile{"comments",
                "999\nmade by hand\n" + kComplete.chopped(8) +
                    "999\nbetween\n  0\nSECTION\n  2\nOBJECTS\n999\ninside\n"
                    "  0\nENDSEC\n  0\nEOF\n",
                true},
        OddFile{"unknown_section",
                "  0\nSECTION\n  2\nTHUMBNAILIMAGE\n 90\n4\n310\nDEADBEEF\n  0\nENDSEC\n"
                "  0\nSECTION\n  2\nACDSDATA\n 70\n2\n  0\nACDSSCHEMA\n 90\n0\n  0\nENDSEC\n"
                "  0\nEOF\n",
                true},
        OddFile{"number_spellings",
                entities("  0\nLINE\n 10\n+1.5\n 20\n  -2  \n 30\n1e3\n 11\n.5\n 21\n-0\n"
                         " 62\n1.0\n 70\n     1\n290\n1\n1071\n-7\n"),
                true},
        OddFile{"blanks_kept_in_values", entities("  0\nLINE  \n  8\n layer with blanks \n"), true},
        OddFile{"hostile_declared_counts",
                entities(" 0\nLWPOLYLINE\n 90\n2147483647\n 10\n0\n 20\n0\n 10\n1\n 20\n1\n"
                         "  0\nLWPOLYLINE\n 90\n-5\n"
                         "  0\nHATCH\n 91\n4294967295\n 92\n1\n 93\n999999999\n 72\n1\n"
                         " 10\n0\n 20\n0\n 11\n1\n 21\n0\n 97\n-1\n 98\n2147483647\n"
                         "  0\nSPLINE\n 72\n2147483647\n 73\n-32768\n 74\n99999\n 40\n0\n"
                         "  0\nPOLYLINE\n 66\n1\n 76\n32767\n  0\nSEQEND\n"),
                false},
        OddFile{"mixed_line_ends",
                "  0\r\nSECTION\n  2\r\nENTITIES\r\n  0\nENDSEC\r\n  0\r\nEOF\r\n", false},
        OddFile{"uneven_code_padding", "  0\nSECTION\n2\nENTITIES\n 0\nENDSEC\n  0\nEOF\n", false},
        OddFile{"only_eof", "  0\nEOF\n", true},
        OddFile{"orphan_seqend_and_vertex", entities("  0\nSEQEND\n  0\nVERTEX\n 10\n0\n"), true}),
    [](const ::testing::TestParamInfo<OddFile>& info) { return std::string(info.param.name); });

TEST(Reader, KeepsTheLineEndingAndCodeLayoutOfTheFile) {
    struct Case {
        QByteArray content;
        LineEnding lineEnding;
        bool padCodes;
    };
    const Case cases[] = {
        {kComplete, LineEnding::Lf, true},
        {withLineEnding(kComplete, "\r\n"), LineEnding::CrLf, true},
        {withLineEnding(kComplete, "\r"), LineEnding::Cr, true},
        {"0\nEOF\n", LineEnding::Lf, false},
    };
    for (const Case& c : cases) {
        const Result<Document> doc = readBytes(c.content, u"layout.dxf"_s);
        ASSERT_TRUE(doc.ok()) << doc.error().toString().toStdString();
        EXPECT_EQ(doc->layout().lineEnding, c.lineEnding) << c.content.left(12).toStdString();
        EXPECT_EQ(doc->layout().padCodes, c.padCodes) << c.content.left(12).toStdString();
    }
}

TEST(Reader, KeepsAPolylineOrBlockReferenceWithTheRecordsThatFollowItAsOneUnit) {
    const QByteArray content = entities(
        "  0\nPOLYLINE\n 66\n1\n  0\nVERTEX\n 10\n0\n  0\nVERTEX\n 10\n1\n  0\nSEQEND\n"
        "  0\nINSERT\n 66\n1\n  2\nLAMP\n  0\nATTRIB\n  1\nL1\n  0\nSEQEND\n"
        "  0\nINSERT\n  2\nLAMP\n"
        "  0\nLINE\n  0\nVERTEX\n");
    const Result<Document> doc = readBytes(content, u"units.dxf"_s);
    ASSERT_TRUE(doc.ok()) << doc.error().toString().toStdString();
    const Section* section = doc->section(SectionKind::Entities);
    ASSERT_NE(section, nullptr);
    std::vector<std::pair<QByteArray, qsizetype>> units;
    for (const Record& member : section->members) {
        const RecordView view = doc->view(member);
        units.emplace_back(view.type().toByteArray(), qsizetype(view.recordStarts().size()));
    }
    const std::vector<std::pair<QByteArray, qsizetype>> expected = {
        {"POLYLINE", 4}, {"INSERT", 3}, {"INSERT", 1}, {"LINE", 1}, {"VERTEX", 1}};
    EXPECT_EQ(units, expected);
}

TEST(Reader, GroupsTablesAndBlocksWithTheirEntries) {
    const QByteArray content =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$EXTMIN\n 10\n0\n 20\n0\n"
        "  0\nENDSEC\n"
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n2\n  0\nLAYER\n  2\nA\n"
        "  0\nLAYER\n  2\nB\n  0\nENDTAB\n  0\nTABLE\n  2\nSTYLE\n  0\nENDTAB\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nLAMP\n  0\nCIRCLE\n 40\n1\n"
        "  0\nINSERT\n 66\n1\n  0\nATTRIB\n  0\nSEQEND\n  0\nENDBLK\n  0\nENDSEC\n"
        "  0\nEOF\n";
    const Result<Document> doc = readBytes(content, u"groups.dxf"_s);
    ASSERT_TRUE(doc.ok()) << doc.error().toString().toStdString();

    const Section* header = doc->section(SectionKind::Header);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->members.size(), 2u);
    EXPECT_EQ(doc->headerValue("$ACADVER"), "AC1015");
    EXPECT_EQ(doc->headerVariable("$EXTMIN")->size(), 3);
    EXPECT_EQ(doc->headerVariable("$NOSUCH"), nullptr);

    const Section* tables = doc->section(SectionKind::Tables);
    ASSERT_EQ(tables->groups.size(), 2u);
    EXPECT_EQ(doc->view(tables->groups[0].head).name(), "LAYER");
    ASSERT_EQ(tables->groups[0].members.size(), 2u);
    EXPECT_EQ(doc->view(tables->groups[0].members[1]).name(), "B");
    EXPECT_TRUE(tables->groups[1].members.empty());

    const Section* blocks = doc->section(SectionKind::Blocks);
    ASSERT_EQ(blocks->groups.size(), 1u);
    ASSERT_EQ(blocks->groups[0].members.size(), 2u);
    EXPECT_EQ(doc->view(blocks->groups[0].members[1]).recordStarts().size(), 3u);
    EXPECT_EQ(doc->view(blocks->groups[0].tail).type(), "ENDBLK");
}

// Random damage to real drawings: every result is a document or an error that names the
// file and a line inside it, never a crash or a hang.
TEST(Reader, SurvivesRandomDamageToRealDrawings) {
    std::mt19937 random(20240611);
    for (const QString& name : {u"r12.dxf"_s, u"r2000_gbk.dxf"_s, u"r2018.dxf"_s}) {
        const QByteArray original = test::fileBytes(test::drawingsDir() + u'/' + name);
        ASSERT_FALSE(original.isEmpty());
        for (int round = 0; round < 700; ++round) {
            QByteArray damaged = original;
            const int edits = 1 + int(random() % 4);
            for (int e = 0; e < edits && !damaged.isEmpty(); ++e) {
                const qsizetype at = qsizetype(random() % quint32(damaged.size()));
                switch (random() % 6) {
                    case 0:
                        damaged[at] = char(random());
                        break;
                    case 1:
                        damaged.truncate(at);
                        break;
                    case 2:
                        damaged.remove(at, qsizetype(random() % 40));
                        break;
                    case 3:
                        damaged.insert(at, "\n  0\nSECTION\n");
                        break;
                    case 4:
                        damaged.insert(at,
                                       damaged.mid(qsizetype(random() % quint32(damaged.size())),
                                                   qsizetype(random() % 200)));
                        break;
                    default:
                        damaged.insert(at, "\n 90\n2147483647\n 73\n-1\n");
                        break;
                }
            }
            const Result<Document> doc = readBytes(damaged, name);
            if (doc.ok()) {
                test::expectSameTagsAfterRoundTrip(damaged, name);
            } else {
                EXPECT_EQ(doc.error().fileName, name);
                EXPECT_GE(doc.error().line, 1);
                const qsizetype lines = std::max(damaged.count('\n'), damaged.count('\r'));
                EXPECT_LE(doc.error().line, lines + 1);
            }
        }
    }
}

TEST(Reader, ReadsManyTinyRecordsAndOneHugeValue) {
    QByteArray tiny = "  0\nSECTION\n  2\nENTITIES\n";
    for (int i = 0; i < 300000; ++i)
        tiny += "0\nA\n";
    tiny += "0\nENDSEC\n0\nEOF\n";
    QByteArray huge = entities("  0\nMTEXT\n  1\n" + QByteArray(20 << 20, 'x') + "\n");

    const Result<Document> tinyDoc = readBytes(tiny, u"tiny.dxf"_s);
    const Result<Document> hugeDoc = readBytes(huge, u"huge.dxf"_s);
    ASSERT_TRUE(tinyDoc.ok());
    ASSERT_TRUE(hugeDoc.ok());
    EXPECT_EQ(tinyDoc->section(SectionKind::Entities)->members.size(), 300000u);
    EXPECT_EQ(writeBytes(hugeDoc.value()), huge);
}

TEST(Reader, ReportsAFileThatCannotBeOpened) {
    const Result<Document> doc = readFile(u"/nonexistent/folder/plan.dxf"_s);
    ASSERT_FALSE(doc.ok());
    EXPECT_EQ(doc.error().fileName, u"/nonexistent/folder/plan.dxf"_s);
    EXPECT_TRUE(doc.error().message.contains(u"cannot open"_s));
}

// ---- drawings written by ezdxf ----

class GeneratedDrawing : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        m_name = QString::fromUtf8(GetParam());
        Result<Document> doc = readFile(test::drawingsDir() + u'/' + m_name);
        ASSERT_TRUE(doc.ok()) << doc.error().toString().toStdString();
        m_doc = std::move(doc).value();
        m_manifest = test::manifestOf(m_name);
        ASSERT_FALSE(m_manifest.isEmpty());
    }

    QString decoded(QByteArrayView raw) const { return m_doc.encoding().decodeText(raw); }

    // Decoded group 2 of each record, sorted.
    QStringList names(const std::vector<Record>& records, bool skipLayouts) const {
        QStringList out;
        for (const Record& record : records) {
            const QString name = decoded(m_doc.view(record).name());
            // Layout blocks: "*Model_Space", or "$MODEL_SPACE" as ezdxf spells them in R12.
            if (!(skipLayouts && (name.startsWith(u'*') || name.startsWith(u'$'))))
                out << name;
        }
        out.sort();
        return out;
    }

    static QStringList sortedStrings(const QJsonArray& array) {
        QStringList out;
        for (const QJsonValue& value : array)
            out << value.toString();
        out.sort();
        return out;
    }

    QString m_name;
    Document m_doc;
    QJsonObject m_manifest;
};

TEST_P(GeneratedDrawing, HasTheVersionAndEncodingItWasWrittenWith) {
    EXPECT_EQ(QString::fromLatin1(m_doc.headerValue("$ACADVER")),
              m_manifest[u"version"_s].toString());
    EXPECT_EQ(QString::fromLatin1(m_doc.encoding().name()), m_manifest[u"encoding"_s].toString());
    EXPECT_FALSE(m_doc.headerValue("$HANDSEED").isEmpty());
}

TEST_P(GeneratedDrawing, HasTheLayersAndBlocksWithTheNamesTheAuthorTyped) {
    const Section* tables = m_doc.section(SectionKind::Tables);
    ASSERT_NE(tables, nullptr);
    const auto layerTable =
        std::find_if(tables->groups.begin(), tables->groups.end(),
                     [&](const Group& g) { return m_doc.view(g.head).name() == "LAYER"; });
    ASSERT_NE(layerTable, tables->groups.end());
    EXPECT_EQ(names(layerTable->members, false), sortedStrings(m_manifest[u"layers"_s].toArray()));

    const Section* blocks = m_doc.section(SectionKind::Blocks);
    ASSERT_NE(blocks, nullptr);
    std::vector<Record> heads;
    for (const Group& group : blocks->groups)
        heads.push_back(group.head);
    EXPECT_EQ(names(heads, true), sortedStrings(m_manifest[u"blocks"_s].toArray()));
}

TEST_P(GeneratedDrawing, HasTheModelSpaceEntitiesInFileOrderWithTheirHandlesLayersAndTexts) {
    const Section* section = m_doc.section(SectionKind::Entities);
    ASSERT_NE(section, nullptr);
    const QJsonArray expected = m_manifest[u"entities"_s].toArray();
    // Paper-space entities share the section; group 67 marks them.
    std::vector<Record> modelSpace;
    for (const Record& member : section->members) {
        if (trimmedBlanks(m_doc.view(member).value(67)) != "1")
            modelSpace.push_back(member);
    }
    ASSERT_EQ(qsizetype(modelSpace.size()), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QJsonObject want = expected[i].toObject();
        const RecordView entity = m_doc.view(modelSpace[size_t(i)]);
        const QString where = u"entity %1 of %2"_s.arg(i).arg(m_name);
        SCOPED_TRACE(where.toStdString());
        EXPECT_EQ(QString::fromLatin1(entity.type()), want[u"type"_s].toString());
        EXPECT_EQ(QString::fromLatin1(entity.handle()), want[u"handle"_s].toString());
        EXPECT_EQ(decoded(entity.layer()), want[u"layer"_s].toString());
        if (want.contains(u"text"_s)) {
            EXPECT_EQ(decoded(entity.value(1)), want[u"text"_s].toString());
        }

        // The records a unit carries: vertices of a polyline, attributes of an insert.
        QStringList carried;
        qsizetype vertices = 0;
        for (const qsizetype start : entity.recordStarts()) {
            const RecordView sub(entity.tags().subspan(size_t(start)));
            if (sub.type() == "ATTRIB")
                carried << decoded(sub.value(1));
            vertices += sub.type() == "VERTEX";
        }
        if (want.contains(u"attribs"_s)) {
            QStringList attribs;
            for (const QJsonValue& value : want[u"attribs"_s].toArray())
                attribs << value.toString();
            EXPECT_EQ(carried, attribs);
        }
        if (want.contains(u"vertices"_s)) {
            EXPECT_EQ(vertices, want[u"vertices"_s].toInt());
        }
    }
}

// Drawings of R2000 and later, whose entities name their owner and subclasses.
class GeneratedModernDrawing : public GeneratedDrawing {};

TEST_P(GeneratedModernDrawing, KnowsEachEntitysOwnerAndSubclasses) {
    QByteArrayView modelSpace;
    for (const Group& group : m_doc.section(SectionKind::Tables)->groups) {
        for (const Record& entry : group.members) {
            const RecordView view = m_doc.view(entry);
            if (view.type() == "BLOCK_RECORD" && view.name() == "*Model_Space")
                modelSpace = view.handle();
        }
    }
    ASSERT_FALSE(modelSpace.isEmpty());
    for (const Record& member : m_doc.section(SectionKind::Entities)->members) {
        const RecordView entity = m_doc.view(member);
        if (trimmedBlanks(entity.value(67)) == "1")
            continue;  // paper space
        EXPECT_EQ(entity.owner(), modelSpace) << entity.type().toByteArray().toStdString();
        ASSERT_FALSE(entity.subclasses().empty());
        EXPECT_EQ(entity.subclasses().front(), "AcDbEntity");
    }
}

TEST_P(GeneratedDrawing, KeepsTheExtendedDataOfTheFirstLine) {
    const Section* section = m_doc.section(SectionKind::Entities);
    const RecordView line = m_doc.view(section->members.front());
    ASSERT_EQ(line.type(), "LINE");
    const qsizetype xdata = line.findXdata("ELECAIDE");
    ASSERT_GE(xdata, 0);
    EXPECT_EQ(line[xdata + 1].code(), 1000);
    const QJsonObject firstText = m_manifest[u"entities"_s].toArray()[3].toObject();
    EXPECT_EQ(decoded(line[xdata + 1].value()), firstText[u"text"_s].toString());
    EXPECT_EQ(toDouble(line[xdata + 2].value()), 3.5);
}

std::string testName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Reader, GeneratedDrawing,
                         ::testing::Values("r12.dxf", "r2000_gbk.dxf",
                                           "r2000_utf8_labelled_936.dxf", "r2010.dxf", "r2018.dxf"),
                         testName);
INSTANTIATE_TEST_SUITE_P(Reader, GeneratedModernDrawing,
                         ::testing::Values("r2000_gbk.dxf", "r2000_utf8_labelled_936.dxf",
                                           "r2010.dxf", "r2018.dxf"),
                         testName);

}  // namespace
}  // namespace dxf
