// Name table of the automation members.
#include "cad/members.h"

#include <QHash>
#include <array>

namespace cad {

namespace {

constexpr std::array<char16_t const*, kMemberCount> kNames = {
#define ELECAIDE_MEMBER_NAME(name) u## #name,
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_NAME)
#undef ELECAIDE_MEMBER_NAME
};

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

std::optional<Member> memberByName(QStringView name) {
    const auto& table = byFoldedName();
    auto it = table.constFind(name.toString().toCaseFolded());
    if (it == table.constEnd()) {
        return std::nullopt;
    }
    return it.value();
}

}  // namespace cad
