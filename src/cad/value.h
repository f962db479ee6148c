// cad::Value: what an automation member takes and gives, and cad::Object, the late-bound object.
#pragma once

#include <QString>
#include <memory>
#include <span>
#include <variant>
#include <vector>

#include "cad/error.h"
#include "cad/members.h"

namespace cad {

// A point in drawing units, as the automation interface passes it.
struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

class Object;
using ObjectRef = std::shared_ptr<Object>;
using ObjectList = std::vector<ObjectRef>;

// Empty, boolean, integer, double, text, point, array of doubles, object, array of objects.
// The to*() readers convert the way late binding does (an integer reads as a double, a point as
// three doubles) and throw cad::Error on anything else.
class Value {
public:
    Value() = default;
    Value(bool b) : m_v(b) {}
    Value(int i) : m_v(i) {}
    Value(double d) : m_v(d) {}
    Value(QString s) : m_v(std::move(s)) {}
    Value(const char16_t* s) : m_v(QString::fromUtf16(s)) {}
    Value(Point p) : m_v(p) {}
    Value(std::vector<double> d) : m_v(std::move(d)) {}
    Value(ObjectRef o) : m_v(std::move(o)) {}
    Value(ObjectList l) : m_v(std::move(l)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_v); }
    template <typename T>
    bool holds() const {
        return std::holds_alternative<T>(m_v);
    }

    bool toBool() const;
    int toInt() const;
    double toDouble() const;
    QString toText() const;
    Point toPoint() const;
    std::vector<double> toDoubles() const;
    ObjectRef toObject() const;
    const ObjectList& toObjects() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    [[noreturn]] void mismatch(const char16_t* wanted) const;

    std::variant<std::monostate, bool, int, double, QString, Point, std::vector<double>, ObjectRef,
                 ObjectList>
        m_v;
};

// An automation object: members are read, written and called by id. Any of the three may throw
// cad::Error; nothing else escapes.
class Object {
public:
    virtual ~Object() = default;

    virtual Value Get(Member m) = 0;
    virtual void Put(Member m, const Value& value) = 0;
    virtual Value Call(Member m, std::span<const Value> args) = 0;

    // The message of that failure.
    static QString noSuchMemberText(Member m);

protected:
    // The failure of a member this kind of object does not have.
    [[noreturn]] static void noSuchMember(Member m);
};

}  // namespace cad
