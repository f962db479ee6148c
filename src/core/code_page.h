// Text to and from the bytes of a legacy code page ("GBK", "windows-1252", "GB18030", "IBM850",
// ...). The platform seam of text conversion: Qt's converters, which reach ICU, on Linux
// (code_page_icu.cpp); the system's code page tables on Windows, where Qt has no ICU, and GB18030
// there by core::Gb18030 on the GBK table, the same on every system (code_page_windows.cpp).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace core {

// Stateless: every call converts a whole piece on its own. One converter must not be used by two
// threads at once; copies are independent.
class CodePage {
public:
    // Nothing when this platform cannot convert the encoding of that name.
    static std::optional<CodePage> named(QByteArrayView name);

    // A copy has a converter of its own.
    CodePage(const CodePage& other);
    CodePage& operator=(const CodePage& other);
    CodePage(CodePage&&) noexcept = default;
    CodePage& operator=(CodePage&&) noexcept = default;
    ~CodePage() = default;

    QByteArray name() const { return m_name; }
    // Bytes that are no character of the page become U+FFFD, one per byte sequence.
    QString decode(QByteArrayView bytes) const;
    // Characters the page lacks are substituted or best-fitted: a caller who must know whether
    // the text survived decodes the bytes again and compares.
    QByteArray encode(QStringView text) const;

private:
    struct Converter;
    CodePage(QByteArray name, std::shared_ptr<Converter> converter)
        : m_name(std::move(name)), m_converter(std::move(converter)) {}

    QByteArray m_name;
    std::shared_ptr<Converter> m_converter;  // owned alone; shared_ptr for its type-erased deleter
};

}  // namespace core
