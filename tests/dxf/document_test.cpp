// Record lookups (handle, owner, layer, subclasses, xdata) and the edits a later layer makes.
#include "dxf/document.h"
#include "dxf/reader.h"
#include "dxf/writer.h"
#include "dxf_test_support.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;

// A GBK drawing with one TEXT in the R2000 layout and one R12-style LINE with xdata.
QByteArray drawing() {
    const QByteArray layer = QByteArray::fromHex("b5e7c6f8");  // 电气
    const QByteArray text = QByteArray::fromHex("d6d0cec4");   // 中文
    return "  0\nSECTION\n  2\nHEADER\n"
           "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_936\n"
           "  9\n$CLAYER\n  8\n0\n  9\n$HANDSEED\n  5\n2F\n"
           "  0\nENDSEC\n"
           "  0\nSECTION\n  2\nENTITIES\n"
           "  0\nTEXT\n  5\n2A\n102\n{ACAD_REACTORS\n330\n99\n102\n}\n"
           "102\n{ACAD_XDICTIONARY\n360\n98\n102\n}\n330\n1F\n"
           "100\nAcDbEntity\n102\n{FAKE\n  8\nnot the layer\n102\n}\n  8\n" +
           layer + "\n100\nAcDbText\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n2.5\n  1\n" + text +
           "\n100\nAcDbText\n 73\n0\n1001\nELECAIDE\n1000\nx\n 40\n9.9\n"
           "  0\nLINE\n  5\n2B\n  8\n0\n 10\n0\n 11\n1\n1001\nOTHER\n1001\nELECAIDE\n1070\n3\n"
           "  0\nENDSEC\n"
           "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nDIMSTYLE\n  0\nDIMSTYLE\n105\n27\n"
           "  2\nSTANDARD\n  5\nOLDBLOCK\n  0\nENDTAB\n  0\nENDSEC\n"
           "  0\nEOF\n";
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        Result<Document> doc = readBytes(drawing(), u"edit.dxf"_s);
        ASSERT_TRUE(doc.ok()) << doc.error().toString().toStdString();
        m_doc = std::move(doc).value();
    }

    Record& entity(size_t i) { return m_doc.section(SectionKind::Entities)->members[i]; }
    RecordView text() { return m_doc.view(entity(0)); }

    // Writes the document, reads it again and returns the new reading.
    Document reread() {
        Result<Document> doc = readBytes(writeBytes(m_doc), u"edit.dxf"_s);
        EXPECT_TRUE(doc.ok()) << doc.error().toString().toStdString();
        return doc.ok() ? std::move(doc).value() : Document();
    }

    Document m_doc;
};

TEST_F(DocumentTest, FindsCommonMembersOutsideApplicationGroups) {
    EXPECT_EQ(text().type(), "TEXT");
    EXPECT_EQ(text().handle(), "2A");
    EXPECT_EQ(text().owner(), "1F");
    EXPECT_EQ(m_doc.text(text()[text().find(8)]), u"电气"_s);
    EXPECT_EQ(m_doc.encoding().decodeText(text().layer()), u"电气"_s);
    const std::vector<QByteArrayView> subclasses = text().subclasses();
    const std::vector<QByteArrayView> expected = {"AcDbEntity", "AcDbText", "AcDbText"};
    EXPECT_EQ(subclasses, expected);

    const RecordView dimstyle =
        m_doc.view(m_doc.section(SectionKind::Tables)->groups[0].members[0]);
    EXPECT_EQ(dimstyle.handle(), "27");
    EXPECT_EQ(dimstyle.name(), "STANDARD");
}

TEST_F(DocumentTest, LooksUpMembersBySubclassAndStopsAtExtendedData) {
    struct Case {
        const char* subclass;
        int code;
        QByteArrayView value;  // empty: not found
    };
    const Case cases[] = {
        {"AcDbText", 40, "2.5"},  // not the 40 in the xdata
        {"AcDbText", 73, "0"},    // in the second AcDbText marker's part
        {"AcDbText", 8, ""},      // the layer belongs to AcDbEntity
        {"AcDbEntity", 40, ""},  {"AcDbMText", 1, ""}, {"", 40, "2.5"}, {"", 1000, ""},
    };
    for (const Case& c : cases) {
        const qsizetype index = text().findInSubclass(c.subclass, c.code);
        const QByteArrayView found = index < 0 ? QByteArrayView() : text()[index].value();
        EXPECT_EQ(found, c.value) << c.subclass << " " << c.code;
    }
    EXPECT_GE(text().findInSubclass("AcDbEntity", 8), 0);
    EXPECT_EQ(text()[text().dataEnd()].code(), 1001);
    EXPECT_EQ(text().findXdata("ELECAIDE"), text().dataEnd());

    const RecordView line = m_doc.view(entity(1));
    EXPECT_EQ(line[line.findXdata("ELECAIDE") + 1].value(), "3");
    EXPECT_EQ(line.findXdata("MISSING"), -1);
    EXPECT_EQ(line.owner(), "");
}

TEST_F(DocumentTest, ReplacesAValueInPlaceAndWritesOnlyThatChange) {
    const auto before = test::flatTags(m_doc);
    const quint32 begin = entity(0).begin;
    const qsizetype index = m_doc.setMember(entity(0), "AcDbText", 40, "5.0");
    EXPECT_EQ(entity(0).begin, begin);
    EXPECT_EQ(text()[index].value(), "5.0");

    auto expected = before;
    const auto changed =
        std::find(expected.begin(), expected.end(), std::pair(40, QByteArray("2.5")));
    ASSERT_NE(changed, expected.end());
    changed->second = "5.0";
    EXPECT_EQ(test::flatTags(reread()), expected);
}

TEST_F(DocumentTest, InsertsAMissingMemberAtTheEndOfItsSubclass) {
    const qsizetype index = m_doc.setMember(entity(0), "AcDbText", 41, "0.8");
    ASSERT_GE(index, 0);
    EXPECT_EQ(text()[index - 1].code(), 1);  // after the last tag of the first AcDbText part
    EXPECT_TRUE(text()[index + 1].is(100, "AcDbText"));

    // Without subclass markers the member goes at the end of the data, before the xdata.
    const qsizetype colour = m_doc.setMember(entity(1), {}, 62, "1");
    const RecordView line = m_doc.view(entity(1));
    EXPECT_EQ(line[colour + 1].code(), 1001);

    EXPECT_EQ(m_doc.setMember(entity(0), "AcDbMText", 1, "x"), -1);

    const Document again = reread();
    const RecordView text = again.view(again.section(SectionKind::Entities)->members[0]);
    EXPECT_EQ(text.value(41), "0.8");
    EXPECT_EQ(again.view(again.section(SectionKind::Entities)->members[1]).value(62), "1");
}

TEST_F(DocumentTest, RemovesTagsAndAddsRecords) {
    const qsizetype xdata = text().dataEnd();
    m_doc.removeTags(entity(0), xdata, text().size() - xdata);
    EXPECT_EQ(text().findXdata("ELECAIDE"), -1);

    const std::pair<int, QByteArray> tags[] = {{0, "LINE"}, {5, "2F"},   {8, "0"},   {10, "1.0"},
                                               {20, "2.0"}, {11, "3.0"}, {21, "4.0"}};
    m_doc.section(SectionKind::Entities)->members.push_back(m_doc.addRecord(tags));
    m_doc.setHeaderValue("$HANDSEED", 5, "30");

    const Document again = reread();
    const auto& members = again.section(SectionKind::Entities)->members;
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(again.view(members[0]).dataEnd(), again.view(members[0]).size());
    EXPECT_EQ(again.view(members[2]).handle(), "2F");
    EXPECT_EQ(again.view(members[2]).value(21), "4.0");
    EXPECT_EQ(again.headerValue("$HANDSEED"), "30");
}

TEST_F(DocumentTest, WritesChangedTextsInTheFilesEncoding) {
    m_doc.setText(entity(0), text().find(1), u"照明 한"_s);
    EXPECT_EQ(text().value(1), QByteArray::fromHex("d5d5c3f7") + " \\U+D55C");
    const Document again = reread();
    EXPECT_EQ(again.encoding().name(), "GBK");
    const RecordView changed = again.view(again.section(SectionKind::Entities)->members[0]);
    EXPECT_EQ(again.text(changed[changed.find(1)]), u"照明 한"_s);
}

TEST_F(DocumentTest, SetsExistingAndNewHeaderVariables) {
    EXPECT_TRUE(m_doc.setHeaderValue("$CLAYER", 8, QByteArray::fromHex("b5e7c6f8")));
    EXPECT_TRUE(m_doc.setHeaderValue("$TEXTSTYLE", 7, "Standard"));
    const Document again = reread();
    EXPECT_EQ(again.encoding().decodeText(again.headerValue("$CLAYER")), u"电气"_s);
    EXPECT_EQ(again.headerValue("$TEXTSTYLE"), "Standard");
    const Section* header = again.section(SectionKind::Header);
    EXPECT_EQ(again.view(header->members.back())[0].value(), "$TEXTSTYLE");

    Document empty;
    EXPECT_FALSE(empty.setHeaderValue("$CLAYER", 8, "0"));
}

TEST(Document, WritesANewDocumentWithAnEofTag) {
    Document document;
    EXPECT_EQ(writeBytes(document), QByteArray("  0\r\nEOF\r\n"));
}

}  // namespace
}  // namespace dxf
