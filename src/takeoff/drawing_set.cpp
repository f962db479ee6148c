// Finding the drawings and reading the scales file.
#include "takeoff/drawing_set.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

#include "core/code_page.h"
#include "core/scale_notation.h"
#include "core/text.h"

namespace takeoff {

namespace {

using namespace Qt::StringLiterals;

bool isDxf(const QString& fileName) {
    return fileName.endsWith(u".dxf"_s, Qt::CaseInsensitive);
}

std::vector<DrawingEntry> inFolder(const QString& folder, const QString& scale) {
    std::vector<DrawingEntry> found;
    const QDir root(QFileInfo(folder).absoluteFilePath());
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (isDxf(path)) {
            found.push_back({path, root.relativeFilePath(path), scale});
        }
    }
    std::sort(found.begin(), found.end(), [before = NameOrder()](const auto& a, const auto& b) {
        return before(a.name, b.name);
    });
    return found;
}

// UTF-16 or UTF-8 by their byte order marks (Excel's "Unicode text" is UTF-16), UTF-8 without
// one, or else GBK, in which a Chinese Excel saves CSV.
QString scalesText(const QByteArray& bytes) {
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    QString text = decoder(bytes);
    if (decoder.hasError() && !marked) {
        if (const std::optional<core::CodePage> gbk = core::CodePage::named("GBK")) {
            text = gbk->decode(bytes);
        }
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

// A name as a spreadsheet writes it: in double quotes when it holds a separator, a quote inside
// doubled.
QString unquoted(const QString& name) {
    if (name.size() < 2 || !name.startsWith(u'"') || !name.endsWith(u'"')) {
        return name;
    }
    return name.mid(1, name.size() - 2).replace(u"\"\""_s, u"\""_s);
}

bool namesDrawing(const QString& key, const DrawingEntry& entry) {
    const QString fileName = QFileInfo(entry.path).fileName();
    return key.compare(entry.name, Qt::CaseInsensitive) == 0 ||
           key.compare(fileName, Qt::CaseInsensitive) == 0 ||
           (isDxf(fileName) && key.compare(fileName.chopped(4), Qt::CaseInsensitive) == 0);
}

}  // namespace

DrawingSet findDrawings(const QStringList& paths, const QString& scale) {
    DrawingSet set;
    QSet<QString> names;
    QSet<QString> files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        std::vector<DrawingEntry> found;
        if (info.isDir()) {
            found = inFolder(path, scale);
        } else if (info.isFile()) {
            found.push_back({path, info.fileName(), scale});
        } else {
            set.errors << u"找不到 %1"_s.arg(QDir::toNativeSeparators(path));
            continue;
        }
        for (DrawingEntry& entry : found) {
            // A file reached twice (a folder and a file in it, a folder given twice) is taken off
            // once.
            const QString file = QFileInfo(entry.path).canonicalFilePath();
            if (files.contains(file)) {
                continue;
            }
            files.insert(file);
            // Two folders may hold drawings of the same name: the second goes by its full path.
            if (names.contains(entry.name)) {
                entry.name = QDir::toNativeSeparators(QFileInfo(entry.path).absoluteFilePath());
            }
            names.insert(entry.name);
            set.entries.push_back(std::move(entry));
        }
    }
    return set;
}

QStringList applyScales(const QString& scalesFile, std::vector<DrawingEntry>& entries,
                        QStringList& notes) {
    QFile file(scalesFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return {u"无法读取比例文件 %1：%2"_s.arg(QDir::toNativeSeparators(scalesFile),
                                                 file.errorString())};
    }
    QString text = scalesText(file.readAll());
    static const QRegularExpression kSeparator(u"[,\t;]"_s);
    QStringList errors;
    const QStringList lines = text.split(QRegularExpression(u"\r\n|\n|\r"_s));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = core::trimBlanks(lines[n]);
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const qsizetype at = line.lastIndexOf(kSeparator);
        const QString key = unquoted(core::trimBlanks(at < 0 ? line : line.left(at)));
        const QString scale = at < 0 ? QString() : core::trimBlanks(line.mid(at + 1));
        if (!core::CheckScale(scale)) {
            if (n > 0 || scale.contains(u':')) {
                errors << u"比例文件第 %1 行：比例数值无效！形式应为x:xxxx"_s.arg(n + 1);
            }
            continue;
        }
        bool matched = false;
        for (DrawingEntry& entry : entries) {
            if (namesDrawing(key, entry)) {
                entry.scale = scale;
                matched = true;
            }
        }
        if (!matched) {
            notes << u"比例文件第 %1 行的 %2 不是要统计的图纸"_s.arg(n + 1).arg(key);
        }
    }
    return errors;
}

}  // namespace takeoff
