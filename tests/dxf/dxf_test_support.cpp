// Generating the test drawings with ezdxf, and tag-level comparisons of documents.
#include "dxf_test_support.h"

#include "dxf/reader.h"
#include "dxf/writer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace dxf::test {

using namespace Qt::StringLiterals;

const QString& drawingsDir() {
    static const QString path = QString::fromUtf8(DXF_DRAWINGS_DIR);
    return path;
}

QStringList drawingNames() {
    return QDir(drawingsDir()).entryList({u"*.dxf"_s}, QDir::Files, QDir::Name);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot open " << path.toStdString();
    return file.readAll();
}

QJsonObject manifestOf(const QString& drawingName) {
    QString path = drawingsDir() + u'/' + drawingName;
    path.replace(u".dxf"_s, u".json"_s);
    return QJsonDocument::fromJson(fileBytes(path)).object();
}

std::vector<std::pair<int, QByteArray>> flatTags(const Document& document) {
    std::vector<std::pair<int, QByteArray>> out;
    auto add = [&](Record record) {
        for (const Tag& tag : document.tags(record))
            out.emplace_back(tag.code(), tag.value().toByteArray());
    };
    add(document.prologue());
    for (const Section& section : document.sections()) {
        add(section.head);
        for (const Record& member : section.members)
            add(member);
        for (const Group& group : section.groups) {
            add(group.head);
            for (const Record& member : group.members)
                add(member);
            add(group.tail);
        }
        add(section.tail);
    }
    add(document.eof());
    return out;
}

QByteArray expectSameTagsAfterRoundTrip(const QByteArray& bytes, const QString& name) {
    Result<Document> first = readBytes(bytes, name);
    if (!first) {
        ADD_FAILURE() << name.toStdString() << ": " << first.error().toString().toStdString();
        return {};
    }
    const QByteArray written = writeBytes(first.value());
    Result<Document> second = readBytes(written, name);
    if (!second) {
        ADD_FAILURE() << name.toStdString()
                      << " written back: " << second.error().toString().toStdString();
        return written;
    }
    EXPECT_EQ(flatTags(first.value()), flatTags(second.value())) << name.toStdString();
    return written;
}

namespace {

QJsonDocument pythonOutput(const char* script, const QString& argument) {
    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PYTHONIOENCODING"_s, u"utf-8"_s);
    python.setProcessEnvironment(environment);
    python.start(u"/usr/bin/python3"_s, {QString::fromUtf8(script), argument});
    EXPECT_TRUE(python.waitForFinished(120000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput());
}

}  // namespace

QJsonObject readWithEzdxf(const QString& path) {
    return pythonOutput(DXF_READ_WITH_EZDXF, path).object();
}

QJsonArray cadSplinePoints(const QJsonObject& spline) {
    return pythonOutput(DXF_CAD_SPLINE_POINTS,
                        QString::fromUtf8(QJsonDocument(spline).toJson(QJsonDocument::Compact)))
        .array();
}

std::string lines(const Tags& tags) {
    std::string out;
    for (const auto& [code, raw] : tags)
        out += std::to_string(code) + '=' + raw.toStdString() + '\n';
    return out;
}

Tags recordTags(const Document& file, QByteArrayView type, QByteArrayView key) {
    auto matches = [&](const Record& record) {
        const RecordView view = file.view(record);
        return view.type() == type && (view.handle() == key || trimmedBlanks(view.name()) == key);
    };
    Tags out;
    auto take = [&](const Record& record) {
        for (const Tag& tag : file.view(record).tags().first(size_t(file.view(record).headEnd())))
            out.emplace_back(tag.code(), tag.value().toByteArray());
    };
    for (const Section& section : file.sections()) {
        for (const Record& record : section.members) {
            if (matches(record)) {
                take(record);
                return out;
            }
        }
        for (const Group& group : section.groups) {
            for (const Record& record : group.members) {
                if (matches(record)) {
                    take(record);
                    return out;
                }
            }
        }
    }
    return out;
}

}  // namespace dxf::test
