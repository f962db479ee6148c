// Writing back: drawings come out byte for byte, in every line layout, through devices, and
// edited drawings read correctly in ezdxf.
#include "dxf/reader.h"
#include "dxf/writer.h"
#include "dxf_test_support.h"
#include "support/qstring_printer.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/linux_readers.h"

namespace dxf {
namespace {

using namespace Qt::StringLiterals;

// The same drawing with its group codes written without alignment blanks.
QByteArray withBareCodes(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        lines[i] = lines[i].trimmed();
    return lines.join('\n');
}

class GeneratedDrawingRoundTrip : public ::testing::TestWithParam<const char*> {
protected:
    QByteArray original() const {
        return test::fileBytes(test::drawingsDir() + u'/' + QString::fromUtf8(GetParam()));
    }
};

TEST_P(GeneratedDrawingRoundTrip, WritesBackByteForByte) {
    const QByteArray bytes = original();
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(test::expectSameTagsAfterRoundTrip(bytes, u"a.dxf"_s), bytes);
}

TEST_P(GeneratedDrawingRoundTrip, WritesBackByteForByteWithWindowsLineEnds) {
    const QByteArray bytes = original().replace("\n", "\r\n");
    EXPECT_EQ(test::expectSameTagsAfterRoundTrip(bytes, u"a.dxf"_s), bytes);
}

TEST_P(GeneratedDrawingRoundTrip, WritesBackByteForByteWithBareGroupCodes) {
    const QByteArray bytes = withBareCodes(original());
    EXPECT_EQ(test::expectSameTagsAfterRoundTrip(bytes, u"a.dxf"_s), bytes);
}

TEST_P(GeneratedDrawingRoundTrip, WritesTheSameBytesToADevice) {
    const Result<Document> doc = readBytes(original(), u"a.dxf"_s);
    ASSERT_TRUE(doc.ok());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const Result<qint64> written = writeTo(doc.value(), buffer);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value(), original().size());
    EXPECT_EQ(buffer.data(), original());
}

INSTANTIATE_TEST_SUITE_P(Writer, GeneratedDrawingRoundTrip,
                         ::testing::Values("r12.dxf", "r2000_gbk.dxf",
                                           "r2000_utf8_labelled_936.dxf", "r2010.dxf", "r2018.dxf"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

TEST(Writer, ReportsADeviceThatRefusesTheBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.dxf"_s);
    {
        QFile create(path);
        ASSERT_TRUE(create.open(QIODevice::WriteOnly));
    }
    QFile readOnly(path);
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    const Result<Document> doc = readBytes("  0\nEOF\n", u"plan.dxf"_s);
    ASSERT_TRUE(doc.ok());
    const Result<qint64> written = writeTo(doc.value(), readOnly);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().fileName, path);
    EXPECT_TRUE(written.error().message.contains(u"cannot write"_s));
}

QJsonObject entityWithHandle(const QJsonObject& reading, const QString& handle) {
    for (const QJsonValue& value : reading[u"entities"_s].toArray()) {
        if (value[u"handle"_s].toString() == handle)
            return value.toObject();
    }
    return {};
}

// Changes through the tag layer, checked by an independent reader: ezdxf sees exactly the
// changed texts, height and the added line, and everything else as before.
TEST(Writer, EditedCodePageDrawingReadsInEzdxfWithExactlyThoseChanges) {
    SKIP_UNLESS_LINUX_READERS();
    const QString source = test::drawingsDir() + u"/r2000_gbk.dxf"_s;
    Result<Document> read = readFile(source);
    ASSERT_TRUE(read.ok()) << read.error().toString().toStdString();
    Document& doc = read.value();
    std::vector<Record>& entities = doc.section(SectionKind::Entities)->members;

    Record* text = nullptr;
    for (Record& member : entities) {
        if (doc.view(member).type() == "TEXT") {
            text = &member;
            break;
        }
    }
    ASSERT_NE(text, nullptr);
    const QString textHandle = QString::fromLatin1(doc.view(*text).handle());
    doc.setText(*text, doc.view(*text).findInSubclass("AcDbText", 1), u"新的文本 한글 №1"_s);
    doc.setMember(*text, "AcDbText", 40, formatDouble(3.75));

    const QByteArray seed = doc.headerValue("$HANDSEED").toByteArray();
    const QByteArray owner = doc.view(entities.front()).owner().toByteArray();
    const std::pair<int, QByteArray> line[] = {
        {0, "LINE"}, {5, seed},   {330, owner}, {100, "AcDbEntity"}, {8, "0"},    {100, "AcDbLine"},
        {10, "0.0"}, {20, "0.0"}, {30, "0.0"},  {11, "7.0"},         {21, "8.0"}, {31, "0.0"}};
    entities.push_back(doc.addRecord(line));
    doc.setHeaderValue("$HANDSEED", 5,
                       QByteArray::number(seed.toLongLong(nullptr, 16) + 1, 16).toUpper());

    QTemporaryDir dir;
    const QString editedPath = dir.filePath(u"edited.dxf"_s);
    {
        QFile out(editedPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(writeTo(doc, out).ok());
    }

    const QJsonObject before = test::readWithEzdxf(source);
    const QJsonObject after = test::readWithEzdxf(editedPath);
    EXPECT_EQ(after[u"errors"_s].toInt(), 0);
    EXPECT_EQ(after[u"layers"_s], before[u"layers"_s]);

    const QJsonObject changed = entityWithHandle(after, textHandle);
    EXPECT_EQ(changed[u"text"_s].toString(), u"新的文本 한글 №1"_s);
    EXPECT_EQ(changed[u"height"_s].toDouble(), 3.75);
    const QJsonObject added = entityWithHandle(after, QString::fromLatin1(seed));
    EXPECT_EQ(added[u"type"_s].toString(), u"LINE"_s);
    EXPECT_EQ(added[u"end"_s].toArray()[1].toDouble(), 8.0);

    QJsonArray unchangedBefore = before[u"entities"_s].toArray();
    QJsonArray unchangedAfter = after[u"entities"_s].toArray();
    ASSERT_EQ(unchangedAfter.size(), unchangedBefore.size() + 1);
    unchangedAfter.removeLast();
    for (qsizetype i = 0; i < unchangedBefore.size(); ++i) {
        if (unchangedBefore[i][u"handle"_s].toString() != textHandle) {
            EXPECT_EQ(unchangedAfter[i], unchangedBefore[i]) << i;
        }
    }
}

}  // namespace
}  // namespace dxf
