// Code pages through the system's tables (MultiByteToWideChar / WideCharToMultiByte), and
// GB18030 through core::Gb18030 on the GBK table: not every Windows has code page 54936.
#include <windows.h>

#include <array>

#include "core/code_page.h"
#include "core/gb18030.h"

namespace core {

namespace {

// The names the rest of the program uses, as Qt's converters spell them, matched without regard
// to case: a few by name, the rest as a prefix and the page's number.
struct NamedPage {
    QByteArrayView name;
    UINT page;
};
constexpr NamedPage kNamedPages[] = {{"gbk", 936}, {"macintosh", 10000}, {"utf-8", CP_UTF8}};
constexpr NamedPage kNumberedPages[] = {{"windows-", 0}, {"ibm", 0}, {"iso-8859-", 28590}};

UINT pageNumber(QByteArrayView name) {
    const QByteArray lower = name.toByteArray().toLower();
    for (const NamedPage& named : kNamedPages) {
        if (lower == named.name) {
            return named.page;
        }
    }
    for (const NamedPage& numbered : kNumberedPages) {
        bool ok = false;
        const uint number =
            lower.startsWith(numbered.name) ? lower.sliced(numbered.name.size()).toUInt(&ok) : 0;
        if (ok && number > 0 && number < 65536) {
            return numbered.page + number;
        }
    }
    return 0;
}

// Decodes bytes that are all characters of the page; -1 when some are not.
int decodeStrictly(UINT page, QByteArrayView bytes, wchar_t* out, int room) {
    const int n = ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), out, room);
    return n > 0 ? n : -1;
}

}  // namespace

struct CodePage::Converter {
    UINT page;
    std::optional<Gb18030> gb18030;  // instead of the page, for GB18030
};

std::optional<CodePage> CodePage::named(QByteArrayView name) {
    if (name.toByteArray().toLower() == "gb18030") {
        std::optional<CodePage> gbk = named("GBK");
        if (!gbk) {
            return std::nullopt;
        }
        return CodePage(name.toByteArray(),
                        std::make_shared<Converter>(Converter{0, Gb18030(std::move(*gbk))}));
    }
    const UINT page = pageNumber(name);
    if (page == 0 || !::IsValidCodePage(page)) {
        return std::nullopt;
    }
    return CodePage(name.toByteArray(), std::make_shared<Converter>(Converter{page, {}}));
}

QString CodePage::decode(QByteArrayView bytes) const {
    if (m_converter->gb18030) {
        return m_converter->gb18030->decode(bytes);
    }
    const UINT page = m_converter->page;
    if (bytes.isEmpty()) {
        return {};
    }
    QString out(bytes.size(), Qt::Uninitialized);
    const int whole = decodeStrictly(page, bytes, reinterpret_cast<wchar_t*>(out.data()),
                                     static_cast<int>(out.size()));
    if (whole > 0) {
        out.truncate(whole);
        return out;
    }
    // Some bytes are no character: character by character, the longest sequence the page
    // knows (one or two bytes here; GB18030 is decoded above), and U+FFFD for a byte that starts
    // none.
    out.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        std::array<wchar_t, 2> unit{};
        int length = 0;
        int units = -1;
        for (const int tried : {1, 2}) {
            if (i + tried <= bytes.size()) {
                units = decodeStrictly(page, bytes.sliced(i, tried), unit.data(), 2);
                if (units > 0) {
                    length = tried;
                    break;
                }
            }
        }
        if (units > 0) {
            out.append(reinterpret_cast<const QChar*>(unit.data()), units);
            i += length;
        } else {
            out += QChar::ReplacementCharacter;
            ++i;
        }
    }
    return out;
}

QByteArray CodePage::encode(QStringView text) const {
    if (m_converter->gb18030) {
        return m_converter->gb18030->encode(text);
    }
    const UINT page = m_converter->page;
    if (text.isEmpty()) {
        return {};
    }
    // No best fit: a character the page lacks becomes the page's default character, which a
    // caller's round trip then notices.
    // (UTF-8 takes no flags.)
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const auto wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(page, flags, wide, size, nullptr, 0, nullptr, nullptr);
    QByteArray out(n, Qt::Uninitialized);
    ::WideCharToMultiByte(page, flags, wide, size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace core
