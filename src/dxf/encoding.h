// The character encoding of a drawing's texts: UTF-8 or a Windows code page, with DXF escapes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace dxf {

// How the texts of one file are stored. Decoding also resolves the "\U+XXXX" and "\M+nXXXX"
// escapes; encoding writes any character the encoding cannot hold as "\U+XXXX".
//
// The converters are created on first use and kept, so an Encoding must not be shared between
// threads; copies are independent.
class Encoding {
public:
    Encoding();  // UTF-8
    Encoding(const Encoding& other);
    Encoding& operator=(const Encoding& other);
    Encoding(Encoding&&) noexcept;
    Encoding& operator=(Encoding&&) noexcept;
    ~Encoding();

    static Encoding utf8();
    // The encoding a $DWGCODEPAGE value names ("ANSI_936", "ANSI_1252", "DOS850", ...), matched
    // without regard to case; nullopt for names this layer does not know.
    static std::optional<Encoding> fromCodePage(QByteArrayView dwgCodePage);
    // The encoding of a file with the given $ACADVER and $DWGCODEPAGE values and content.
    static Encoding forFile(QByteArrayView acadVer, QByteArrayView dwgCodePage,
                            QByteArrayView fileBytes);

    // The converter's name: "UTF-8", "GBK", "windows-1252", "Johab", ...
    QByteArray name() const;

    QString decodeText(QByteArrayView raw) const;
    QByteArray encodeText(QStringView text) const;

private:
    enum class Kind : quint8 { Utf8, Codec, Johab };
    struct Converters;

    Encoding(Kind kind, QByteArray codecName);
    Converters& converters() const;
    QString decodeBytes(QByteArrayView raw) const;
    // Whether text survives encoding and decoding unchanged; out receives the encoded bytes.
    bool encodesExactly(QStringView text, QByteArray& out) const;

    Kind m_kind = Kind::Utf8;
    QByteArray m_codecName;
    mutable std::unique_ptr<Converters> m_converters;
};

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(QByteArrayView bytes);
// Whether all bytes are below 0x80.
bool isAscii(QByteArrayView bytes);

// Johab (code page 1361), which ICU does not ship: Hangul syllables are computed from their
// letters, symbols and Hanja are rows of KS X 1001 reached through the Wansung converter.
QString decodeJohab(QByteArrayView bytes);
// Encodes text, or returns nullopt if a character has no Johab form.
std::optional<QByteArray> encodeJohab(QStringView text);

}  // namespace dxf
