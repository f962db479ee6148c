// Arguments, the progress line, the report files and the exit status.
#include "takeoff/takeoff_command.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <optional>

#include "core/scale_notation.h"
#include "takeoff/drawing_set.h"
#include "takeoff/report.h"
#include "takeoff/workbook_file.h"

namespace takeoff {

namespace {

using namespace Qt::StringLiterals;

const QString kDefaultScale = u"1:100"_s;

const char16_t kUsage[] =
    u"用法：elecaide takeoff [选项] 路径…\n"
    u"统计 DXF 图纸（文件，或文件夹及其子文件夹中的全部 .dxf）的块个数和线长，写入 Excel 工作簿。\n"
    u"  --scale 1:100       全部图纸的作图比例（默认 1:100）\n"
    u"  --scales 文件       各图纸的比例：每行“图纸名,比例”，未列出的图纸用 --scale\n"
    u"  --blocks 名,…       只统计这些块（不分大小写）\n"
    u"  --layers 名,…       只统计这些图层上的块和线（不分大小写）\n"
    u"  --output 文件.xlsx  工作簿（默认当前文件夹的 takeoff.xlsx）\n"
    u"  --csv 文件夹        另写 CSV 文件（UTF-8，带 BOM），每张表一个；只给 --csv 时不写工作簿\n"
    u"  --jobs N            同时读取的图纸数（默认为处理器核数）\n"
    u"退出码：0 全部统计完成，1 有图纸读取失败或结果未能写入，2 参数有误。\n";

struct Options {
    QStringList paths;
    QString scale = kDefaultScale;
    QString scales;
    Filters filters;
    QString output;
    QString csv;
    int jobs = QThread::idealThreadCount();
    QString error;  // what is wrong with the arguments
};

QStringList nameList(const QString& text) {
    QStringList names;
    for (const QString& name : text.split(u',', Qt::SkipEmptyParts)) {
        names << name.trimmed();
    }
    return names;
}

Options parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--"_s)) {
            o.paths << arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            o.error = u"%1 后面缺少值"_s.arg(arg);
            break;
        }
        const QString value = args[++i];
        if (arg == u"--scale") {
            o.scale = value.trimmed();
            if (!core::CheckScale(o.scale)) {
                o.error = u"比例数值无效！形式应为x:xxxx"_s;
            }
        } else if (arg == u"--scales") {
            o.scales = value;
        } else if (arg == u"--blocks") {
            o.filters.blocks.names = nameList(value);
        } else if (arg == u"--layers") {
            o.filters.layers.names = nameList(value);
        } else if (arg == u"--output") {
            o.output = value;
        } else if (arg == u"--csv") {
            o.csv = value;
        } else if (arg == u"--jobs") {
            bool ok = false;
            o.jobs = value.toInt(&ok);
            if (!ok || o.jobs < 1) {
                o.error = u"--jobs 应为正整数"_s;
            }
        } else {
            o.error = u"不认识的选项 %1"_s.arg(arg);
        }
    }
    if (o.error.isEmpty() && o.paths.isEmpty()) {
        o.error = u"没有给出图纸或文件夹"_s;
    }
    if (o.output.isEmpty() && o.csv.isEmpty()) {
        o.output = u"takeoff.xlsx"_s;
    }
    return o;
}

QString seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1);
}

// "已读 12/200 张图纸，用时 3.1 秒，预计还需 4.0 秒", redrawn in place at most ten times a second.
class ProgressLine {
public:
    ProgressLine(QTextStream& err, bool shown) : m_err(err), m_shown(shown) { m_clock.start(); }

    void update(int done, int total) {
        if (!m_shown || (done < total && m_clock.elapsed() - m_drawnAt < 100)) {
            return;
        }
        m_drawnAt = m_clock.elapsed();
        const qint64 left = done == 0 ? 0 : m_drawnAt * (total - done) / done;
        m_err << u"\r已读 %1/%2 张图纸，用时 %3 秒，预计还需 %4 秒 "_s.arg(done).arg(total).arg(
                     seconds(m_drawnAt), seconds(left))
              << Qt::flush;
    }

    void finish() {
        if (m_shown) {
            m_err << Qt::endl;
        }
    }

    qint64 elapsed() const { return m_clock.elapsed(); }

private:
    QTextStream& m_err;
    bool m_shown;
    QElapsedTimer m_clock;
    qint64 m_drawnAt = -1000;
};

}  // namespace

QString commandLine(const QStringList& args) {
    QStringList quoted{u"elecaide"_s, u"takeoff"_s};
    for (const QString& arg : args) {
        quoted << (arg.contains(u' ') || arg.isEmpty() ? u'"' + arg + u'"' : arg);
    }
    return quoted.join(u' ');
}

int runTakeoffCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                      bool errIsTerminal) {
    if (arguments.contains(u"--help"_s) || arguments.contains(u"-h"_s)) {
        out << QString::fromUtf16(kUsage) << Qt::flush;
        return kAllTakenOff;
    }
    const Options options = parse(arguments);
    DrawingSet set;
    QStringList notes;
    QStringList errors;
    if (options.error.isEmpty()) {
        set = findDrawings(options.paths, options.scale);
        errors = set.errors;
        if (!options.scales.isEmpty()) {
            errors << applyScales(options.scales, set.entries, notes);
        }
        if (errors.isEmpty() && set.entries.empty()) {
            errors << u"没有找到 DXF 图纸"_s;
        }
    } else {
        errors << options.error;
    }
    if (!errors.isEmpty()) {
        for (const QString& e : errors) {
            err << u"elecaide takeoff：%1"_s.arg(e) << Qt::endl;
        }
        err << QString::fromUtf16(kUsage) << Qt::flush;
        return kBadArguments;
    }
    for (const QString& note : notes) {
        err << u"注意："_s << note << Qt::endl;
    }

    ProgressLine progress(err, errIsTerminal);
    const std::vector<DrawingResult> results =
        takeOffAll(set.entries, options.filters, options.jobs,
                   [&progress](int done, int total) { progress.update(done, total); });
    progress.finish();

    const ReportHeader header{commandLine(arguments),
                              QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm"_s),
                              options.scale};
    const Report report = buildReport(results, header);
    int status = kAllTakenOff;
    int loaded = 0;
    for (const DrawingResult& r : results) {
        if (r.figures) {
            ++loaded;
        } else {
            err << u"读取失败：%1：%2"_s.arg(r.entry.name, r.error) << Qt::endl;
            status = kSomeFailed;
        }
    }
    QStringList written;
    for (const auto& [target, write] :
         {std::pair{options.output, &writeWorkbook}, std::pair{options.csv, &writeCsvFiles}}) {
        if (target.isEmpty()) {
            continue;
        }
        if (const QString failure = write(report, target); !failure.isEmpty()) {
            err << failure << Qt::endl;
            status = kSomeFailed;
        } else {
            written << QDir::toNativeSeparators(target);
        }
    }
    out << u"已统计 %1/%2 张图纸，用时 %3 秒"_s.arg(loaded)
               .arg(results.size())
               .arg(seconds(progress.elapsed()));
    if (!written.isEmpty()) {
        out << u"，已写入 "_s << written.join(u"、"_s);
    }
    out << Qt::endl;
    return status;
}

}  // namespace takeoff
