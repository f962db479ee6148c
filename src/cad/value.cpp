// Conversions of automation values.
#include "cad/value.h"

#include <cmath>

namespace cad {

void Value::mismatch(const char16_t* wanted) const {
    static const char16_t* const kKinds[] = {u"空值", u"布尔值",   u"整数", u"实数",    u"文字",
                                             u"点",   u"实数数组", u"对象", u"对象数组"};
    throw Error(QStringLiteral("类型不匹配：需要%1，得到%2")
                    .arg(QString::fromUtf16(wanted), QString::fromUtf16(kKinds[m_v.index()])));
}

bool Value::toBool() const {
    if (auto b = std::get_if<bool>(&m_v)) {
        return *b;
    }
    if (auto i = std::get_if<int>(&m_v)) {
        return *i != 0;
    }
    mismatch(u"布尔值");
}

int Value::toInt() const {
    if (auto i = std::get_if<int>(&m_v)) {
        return *i;
    }
    if (auto b = std::get_if<bool>(&m_v)) {
        return *b ? -1 : 0;
    }
    if (auto d = std::get_if<double>(&m_v)) {
        // Late binding rounds a double handed to an integer member, halves to even.
        if (*d >= -2147483648.5 && *d < 2147483647.5) {
            return static_cast<int>(std::nearbyint(*d));
        }
        throw Error(QStringLiteral("数值溢出"));
    }
    mismatch(u"整数");
}

double Value::toDouble() const {
    if (auto d = std::get_if<double>(&m_v)) {
        return *d;
    }
    if (auto i = std::get_if<int>(&m_v)) {
        return *i;
    }
    mismatch(u"实数");
}

QString Value::toText() const {
    if (auto s = std::get_if<QString>(&m_v)) {
        return *s;
    }
    mismatch(u"文字");
}

Point Value::toPoint() const {
    if (auto p = std::get_if<Point>(&m_v)) {
        return *p;
    }
    if (auto d = std::get_if<std::vector<double>>(&m_v); d && d->size() == 3) {
        return {(*d)[0], (*d)[1], (*d)[2]};
    }
    mismatch(u"点");
}

std::vector<double> Value::toDoubles() const {
    if (auto d = std::get_if<std::vector<double>>(&m_v)) {
        return *d;
    }
    if (auto p = std::get_if<Point>(&m_v)) {
        return {p->x, p->y, p->z};
    }
    mismatch(u"实数数组");
}

ObjectRef Value::toObject() const {
    if (auto o = std::get_if<ObjectRef>(&m_v); o && *o) {
        return *o;
    }
    mismatch(u"对象");
}

const ObjectList& Value::toObjects() const {
    if (auto l = std::get_if<ObjectList>(&m_v)) {
        return *l;
    }
    mismatch(u"对象数组");
}

QString Object::noSuchMemberText(Member m) {
    return QStringLiteral("对象不支持此属性或方法：%1").arg(memberName(m));
}

void Object::noSuchMember(Member m) {
    throw Error(noSuchMemberText(m));
}

}  // namespace cad
