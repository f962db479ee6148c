// Name table of the automation members.
#include "cad/members.h"

#include <QHash>
#include <array>
#include <string_view>

namespace cad {

namespace {

constexpr std::array<char16_t const*, kMemberCount> kNames = {
#define ELECAIDE_MEMBER_NAME(name, parameters) u## #name,
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_NAME)
#undef ELECAIDE_MEMBER_NAME
};

// Counts the parameters of a list such as "FullFileName, [SaveAsType], [SecurityParams]".
constexpr Arity arityOf(std::string_view parameters) {
    Arity a;
    while (!parameters.empty()) {
        const std::size_t comma = parameters.find(',');
        const std::string_view p = parameters.substr(0, comma);
        (p.find('[') != std::string_view::npos ? a.optional : a.required) += 1;
        parameters =
            comma == std::string_view::npos ? std::string_view() : parameters.substr(comma + 1);
    }
    return a;
}

constexpr std::array<Arity, kMemberCount> kArities = {
#define ELECAIDE_MEMBER_ARITY(name, parameters) arityOf(parameters),
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_ARITY)
#undef ELECAIDE_MEMBER_ARITY
};
static_assert(kArities[static_cast<int>(Member::SaveAs)].required == 1 &&
              kArities[static_cast<int>(Member::SaveAs)].optional == 2);

const QHash<QString, Member>& byFoldedName() {
    static const QHash<QString, Member> table = [] {
        QHash<QString, Member> t;
        for (int i = 0; i < kMemberCount; ++i) {
            t.insert(QString::fromUtf16(kNames[i]).toCaseFolded(), static_cast<Member>(i));
        }
        return t;
    }();
    return table;
}

}  // namespace

QStringView memberName(Member m) {
    return QStringView(kNames[static_cast<int>(m)]);
}

Arity memberArity(Member m) {
    return kArities[static_cast<int>(m)];
}

std::optional<Member> memberByName(QStringView name) {
    const auto& table = byFoldedName();
    auto it = table.constFind(name.toString().toCaseFolded());
    if (it == table.constEnd()) {
        return std::nullopt;
    }
    return it.value();
}

}  // namespace cad
