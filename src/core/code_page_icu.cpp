// Code pages through Qt's converters (ICU underneath).
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/code_page.h"

namespace core {

struct CodePage::Converter {
    explicit Converter(const QByteArray& name)
        : decoder(name.constData(), QStringConverter::Flag::Stateless),
          encoder(name.constData(), QStringConverter::Flag::Stateless) {}
    QStringDecoder decoder;
    QStringEncoder encoder;
};

std::optional<CodePage> CodePage::named(QByteArrayView name) {
    auto converter = std::make_shared<Converter>(name.toByteArray());
    if (!converter->decoder.isValid() || !converter->encoder.isValid()) {
        return std::nullopt;
    }
    return CodePage(name.toByteArray(), std::move(converter));
}

QString CodePage::decode(QByteArrayView bytes) const {
    m_converter->decoder.resetState();
    return m_converter->decoder.decode(bytes);
}

QByteArray CodePage::encode(QStringView text) const {
    m_converter->encoder.resetState();
    return m_converter->encoder.encode(text);
}

}  // namespace core
