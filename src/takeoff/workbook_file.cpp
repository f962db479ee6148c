// The workbook through libxlsxwriter, the CSV files through QSaveFile.
#include "takeoff/workbook_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QThread>

#include <filesystem>
#include <system_error>

#include <xlsxwriter.h>

#include "core/number_text.h"

namespace takeoff {

namespace {

using namespace Qt::StringLiterals;

QByteArray utf8(const QString& s) {
    return s.toUtf8();
}

// The printed page's header: "&" is the header's escape character.
QByteArray printHeader(const QStringList& lines) {
    QString text = lines.value(1) + u"  "_s + lines.value(2);
    text.replace(u"&"_s, u"&&"_s);
    return utf8(u"&L"_s + text.left(200));
}

struct Formats {
    lxw_format* title;
    lxw_format* heading;
    lxw_format* count;
    lxw_format* metres;
};

Formats makeFormats(lxw_workbook* book) {
    Formats f{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
              workbook_add_format(book)};
    format_set_bold(f.title);
    format_set_bold(f.heading);
    format_set_bottom(f.heading, LXW_BORDER_THIN);
    format_set_num_format(f.count, "0");
    format_set_num_format(f.metres, "#,##0.000");
    return f;
}

lxw_error writeSheet(lxw_workbook* book, const Formats& formats, const QStringList& header,
                     const Sheet& sheet) {
    const QByteArray name = utf8(sheet.name);
    if (const lxw_error refused = workbook_validate_sheet_name(book, name.constData())) {
        return refused;
    }
    lxw_worksheet* ws = workbook_add_worksheet(book, name.constData());
    if (ws == nullptr) {
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    worksheet_set_header(ws, printHeader(header).constData());
    // Printed on A4 across, as wide as the page: a sheet has a column per drawing.
    worksheet_set_paper(ws, 9);
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_set_column(ws, 0, 0, 28, nullptr);
    worksheet_set_column(ws, 1, 40, 14, nullptr);
    lxw_row_t row = 0;
    for (const QString& line : header) {
        worksheet_write_string(ws, row, 0, utf8(line).constData(),
                               row == 0 ? formats.title : nullptr);
        ++row;
    }
    lxw_error error = LXW_NO_ERROR;
    for (const Table& table : sheet.tables) {
        ++row;
        worksheet_write_string(ws, row++, 0, utf8(table.title).constData(), formats.title);
        for (const auto& cells : table.rows) {
            for (lxw_col_t col = 0; col < cells.size() && error == LXW_NO_ERROR; ++col) {
                const Cell& cell = cells[col];
                switch (cell.kind) {
                    case Cell::Kind::Empty:
                        break;
                    case Cell::Kind::Text:
                    case Cell::Kind::Heading:
                        error = worksheet_write_string(
                            ws, row, col, utf8(cell.text).constData(),
                            cell.kind == Cell::Kind::Heading ? formats.heading : nullptr);
                        break;
                    case Cell::Kind::Count:
                        error = worksheet_write_number(ws, row, col, cell.number, formats.count);
                        break;
                    case Cell::Kind::Metres:
                        error = worksheet_write_number(ws, row, col, cell.number, formats.metres);
                        break;
                }
            }
            ++row;
        }
    }
    return error;
}

QString cannotWrite(const QString& path, const QString& why) {
    return u"无法写入 %1：%2"_s.arg(QDir::toNativeSeparators(path), why);
}

// A temporary name beside the target, in ASCII, so the library never meets the folder's
// characters in a name of its own making.
QString temporaryBeside(const QString& path) {
    QTemporaryFile file(QFileInfo(path).absolutePath() + u"/.takeoff-XXXXXX.tmp"_s);
    file.setAutoRemove(false);
    if (!file.open()) {
        return QString();
    }
    return file.fileName();
}

// Puts the written file in the target's place in one step (the old workbook stays until then),
// retried for a moment: on Windows a scanner may hold a file just written. On failure the
// written file is kept under its temporary name, which the message gives.
QString replaceWith(const QString& temporary, const QString& path) {
    std::error_code error;
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::filesystem::rename(temporary.toStdU16String(), path.toStdU16String(), error);
        if (!error) {
            // The temporary file was private to the user; the workbook gets a file's usual mode.
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
            return QString();
        }
        QThread::msleep(200);
    }
    return cannotWrite(path, u"原文件无法替换，可能正在被其他程序打开；结果留在 %1"_s.arg(
                                 QDir::toNativeSeparators(temporary)));
}

QString csvField(const Cell& cell) {
    switch (cell.kind) {
        case Cell::Kind::Empty:
            return QString();
        case Cell::Kind::Count:
        case Cell::Kind::Metres:
            return core::numberText(cell.number);
        case Cell::Kind::Text:
        case Cell::Kind::Heading:
            break;
    }
    if (!cell.text.contains(u',') && !cell.text.contains(u'"') && !cell.text.contains(u'\n') &&
        !cell.text.contains(u'\r')) {
        return cell.text;
    }
    QString quoted = cell.text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

}  // namespace

QString writeWorkbook(const Report& report, const QString& path) {
    const QString temporary = temporaryBeside(path);
    if (temporary.isEmpty()) {
        return cannotWrite(path, u"所在文件夹不存在或不可写"_s);
    }
    // The library takes UTF-8 file names, on Windows too.
    lxw_workbook_options options{};
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(utf8(temporary).constData(), &options);
    if (book == nullptr) {
        QFile::remove(temporary);
        return cannotWrite(path, u"无法创建工作簿"_s);
    }
    const Formats formats = makeFormats(book);
    lxw_error error = LXW_NO_ERROR;
    for (const Sheet& sheet : report.sheets) {
        if (error == LXW_NO_ERROR) {
            error = writeSheet(book, formats, report.header, sheet);
        }
    }
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR) {
        error = closed;
    }
    if (error != LXW_NO_ERROR) {
        QFile::remove(temporary);
        return cannotWrite(path, QString::fromUtf8(lxw_strerror(error)));
    }
    return replaceWith(temporary, path);
    return QString();
}

QString writeCsvFiles(const Report& report, const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return cannotWrite(folder, u"无法创建文件夹"_s);
    }
    for (const Sheet& sheet : report.sheets) {
        QStringList lines;
        for (const QString& line : report.header) {
            lines << csvField(Cell::of(line));
        }
        for (const Table& table : sheet.tables) {
            lines << QString() << csvField(Cell::of(table.title));
            for (const auto& cells : table.rows) {
                QStringList fields;
                for (const Cell& cell : cells) {
                    fields << csvField(cell);
                }
                lines << fields.join(u',');
            }
        }
        const QString path = QDir(folder).filePath(sheet.name + u".csv"_s);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return cannotWrite(path, file.errorString());
        }
        file.write("\xEF\xBB\xBF");
        file.write(utf8(lines.join(u"\r\n"_s) + u"\r\n"_s));
        if (!file.commit()) {
            return cannotWrite(path, file.errorString());
        }
    }
    return QString();
}

}  // namespace takeoff
