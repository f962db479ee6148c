// Values as COM's late binding passes them: cad::Value to VARIANT and back.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <functional>

#include "cad/value.h"

namespace cad::com {

// A VARIANT of its own: cleared when it goes, moved but never copied.
class Variant {
public:
    Variant() { VariantInit(&m_v); }
    ~Variant() { VariantClear(&m_v); }
    Variant(Variant&& other) noexcept : m_v(other.m_v) { VariantInit(&other.m_v); }
    Variant& operator=(Variant&& other) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &m_v; }
    const VARIANT& operator*() const { return m_v; }

private:
    VARIANT m_v;
};

// A text as a BSTR the caller owns, and a BSTR's text (embedded NULs kept; null reads as empty).
BSTR toBstr(const QString& text);
QString fromBstr(BSTR text);

// How objects cross: the IDispatch an object travels as (a reference of the caller's own), and
// the object an IDispatch arriving stands for (the IDispatch not yet taken over).
using DispatchOf = std::function<IDispatch*(const ObjectRef&)>;
using ObjectOf = std::function<ObjectRef(IDispatch*)>;

// Empty as VT_EMPTY, bool as VT_BOOL, int as VT_I4, double as VT_R8, text as VT_BSTR, a point
// and an array of doubles as VT_ARRAY|VT_R8, an object as VT_DISPATCH, an array of objects as
// VT_ARRAY|VT_VARIANT of VT_DISPATCH.
Variant toVariant(const Value& value, const DispatchOf& dispatchOf);

// An optional argument left out: VT_ERROR carrying DISP_E_PARAMNOTFOUND.
Variant omittedArgument();

// Integers of every width as int (refused beyond its range), reals and currency as double,
// VT_BOOL, BSTR, one-dimensional arrays of reals or of variants holding numbers as doubles (a
// point reads from three), arrays of objects, VT_DISPATCH, and VT_EMPTY, VT_NULL or an omitted
// argument as empty; a by-reference VARIANT as what it refers to. Throws cad::Error on any other
// kind.
Value fromVariant(const VARIANT& variant, const ObjectOf& objectOf);

}  // namespace cad::com
