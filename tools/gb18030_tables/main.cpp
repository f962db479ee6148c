// gb18030_tables: writes src/core/gb18030_tables.h, the tables of core::Gb18030, from the GB18030
// and GBK converters of this (Linux) build, which are ICU's:
//
//   build/tools/gb18030_tables/gb18030_tables > src/core/gb18030_tables.h
//   clang-format -i src/core/gb18030_tables.h
//
// It checks what the codec takes for granted and fails, printing nothing, when the converters
// break it: every one- and two-byte GB18030 code the tables do not list converts alike in GBK
// both ways, and the supplementary characters run on from 0x90308130 without a gap.
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/code_page.h"

namespace {

struct Difference {
    int code;
    int unicode;
};
struct Range {
    int first;
    int linear;
    int count;
};

int fail(const char* what, int value) {
    std::fprintf(stderr, "gb18030_tables: %s (%X)\n", what, value);
    return 1;
}

// Not QString::fromUcs4, which drops U+FEFF as a byte order mark.
QString scalar(char32_t u) {
    const auto units = QChar::fromUcs4(u);
    return QStringView(units).toString();
}

int fourByteLinear(QByteArrayView b) {
    const auto byte = [&](int i) { return static_cast<unsigned char>(b[i]); };
    return (((byte(0) - 0x81) * 10 + byte(1) - 0x30) * 126 + byte(2) - 0x81) * 10 + byte(3) - 0x30;
}

}  // namespace

int main() {
    const core::CodePage gb18030 = *core::CodePage::named("GB18030");
    const core::CodePage gbk = *core::CodePage::named("GBK");

    // The two-byte codes that GB18030 reads otherwise than GBK.
    std::vector<Difference> differences;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString text = gb18030.decode(QByteArrayView(pair, 2));
            if (text.size() != 1 || text[0] == QChar::ReplacementCharacter ||
                gb18030.encode(text) != QByteArrayView(pair, 2)) {
                return fail("a two-byte code that is no character", lead << 8 | trail);
            }
            if (gbk.decode(QByteArrayView(pair, 2)) != text) {
                differences.push_back({lead << 8 | trail, text[0].unicode()});
            }
        }
    }

    // The BMP characters of four bytes, as runs where character and linear index go up together,
    // and a check that GBK writes the others as GB18030 does.
    std::vector<Range> ranges;
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            continue;
        }
        const QByteArray bytes = gb18030.encode(scalar(u));
        if (bytes.size() == 4) {
            const int linear = fourByteLinear(bytes);
            if (gb18030.decode(bytes) != scalar(u)) {
                return fail("a four-byte code that does not read back", int(u));
            }
            Range* last = ranges.empty() ? nullptr : &ranges.back();
            if (last && last->first + last->count == int(u) &&
                last->linear + last->count == linear) {
                ++last->count;
            } else {
                ranges.push_back({int(u), linear, 1});
            }
            continue;
        }
        const bool listed = std::any_of(differences.begin(), differences.end(),
                                        [&](const Difference& d) { return d.unicode == int(u); });
        if (!listed && gbk.encode(scalar(u)) != bytes) {
            return fail("a character GBK writes otherwise", int(u));
        }
    }
    for (char32_t u = 0x10000; u <= 0x10FFFF; ++u) {
        const QByteArray bytes = gb18030.encode(scalar(u));
        if (bytes.size() != 4 ||
            fourByteLinear(bytes) - fourByteLinear("\x90\x30\x81\x30") != int(u) - 0x10000) {
            return fail("a supplementary character off the run", int(u));
        }
    }

    // ICU took up the mappings of the 2022 edition in version 73: A6D9 is then U+FE10.
    const bool edition2022 = gb18030.decode("\xA6\xD9") == QStringView(u"\uFE10");
    std::printf(
        "// The tables of core::Gb18030, written by tools/gb18030_tables from the GB18030 and GBK\n"
        "// converters of the Linux build, ICU's, with the mappings of GB18030-%d. Do not edit.\n"
        "#pragma once\n\n"
        "#include <array>\n\n"
        "namespace core::gb18030_tables {\n\n"
        "// A two-byte code GB18030 reads otherwise than GBK.\n"
        "struct Difference {\n"
        "    unsigned short code;\n"
        "    char16_t unicode;\n"
        "};\n\n"
        "// BMP characters first .. first + count - 1 are the four-byte codes of linear index\n"
        "// linear .. linear + count - 1, the index of b1 b2 b3 b4 being\n"
        "// (((b1 - 0x81) * 10 + b2 - 0x30) * 126 + b3 - 0x81) * 10 + b4 - 0x30.\n"
        "struct Range {\n"
        "    char16_t first;\n"
        "    unsigned short linear;\n"
        "    unsigned short count;\n"
        "};\n\n"
        "// By code.\n"
        "inline constexpr std::array<Difference, %zu> kDifferences{{\n",
        edition2022 ? 2022 : 2005, differences.size());
    for (const Difference& d : differences) {
        std::printf("    {0x%04X, 0x%04X},\n", d.code, d.unicode);
    }
    std::printf(
        "}};\n\n"
        "// By character.\n"
        "inline constexpr std::array<Range, %zu> kRanges{{\n",
        ranges.size());
    for (const Range& r : ranges) {
        std::printf("    {0x%04X, %d, %d},\n", r.first, r.linear, r.count);
    }
    std::printf("}};\n\n}  // namespace core::gb18030_tables\n");
    return 0;
}
