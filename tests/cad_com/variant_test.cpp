// Values to VARIANTs and back, and the VARIANTs other programs send.
#include <gtest/gtest.h>

#include "cad/com/variant.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Point;
using cad::Value;
using cad::com::Variant;

// A dispatch that only counts its references, and the object it stands for.
class CountedDispatch : public IDispatch {
public:
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

class Stand : public cad::Object {
public:
    explicit Stand(CountedDispatch* d) : dispatch(d) {}
    Value Get(cad::Member m) override { noSuchMember(m); }
    void Put(cad::Member m, const Value&) override { noSuchMember(m); }
    Value Call(cad::Member m, std::span<const Value>) override { noSuchMember(m); }
    CountedDispatch* dispatch;
};

struct Objects {
    CountedDispatch dispatch;
    cad::com::DispatchOf dispatchOf = [](const cad::ObjectRef& o) -> IDispatch* {
        auto* d = static_cast<Stand&>(*o).dispatch;
        d->AddRef();
        return d;
    };
    cad::com::ObjectOf objectOf = [](IDispatch* d) -> cad::ObjectRef {
        return std::make_shared<Stand>(static_cast<CountedDispatch*>(d));
    };
};

TEST(ComVariant, EveryValueKindComesBackAsItWent) {
    Objects o;
    const auto object = std::make_shared<Stand>(&o.dispatch);
    const std::vector<std::pair<Value, VARTYPE>> cases = {
        {Value(), VT_EMPTY},
        {Value(true), VT_BOOL},
        {Value(false), VT_BOOL},
        {Value(-2147483647 - 1), VT_I4},
        {Value(0.1), VT_R8},
        {Value(u"照明 WL1\u0000尾"_s), VT_BSTR},  // an embedded NUL survives
        {Value(std::vector<double>{1.5, -2, 1e300}), VT_ARRAY | VT_R8},
        {Value(std::vector<double>{}), VT_ARRAY | VT_R8},
    };
    for (const auto& [value, type] : cases) {
        const Variant v = cad::com::toVariant(value, o.dispatchOf);
        EXPECT_EQ((*v).vt, type);
        EXPECT_EQ(cad::com::fromVariant(*v, o.objectOf), value) << type;
    }
    // A point travels as three doubles and reads back as one.
    const Variant point = cad::com::toVariant(Point{1, 2, 3}, o.dispatchOf);
    EXPECT_EQ((*point).vt, VT_ARRAY | VT_R8);
    EXPECT_EQ(cad::com::fromVariant(*point, o.objectOf).toPoint(), (Point{1, 2, 3}));
    {
        const Variant one = cad::com::toVariant(Value(cad::ObjectRef(object)), o.dispatchOf);
        const Variant list =
            cad::com::toVariant(Value(cad::ObjectList{object, object}), o.dispatchOf);
        EXPECT_EQ((*list).vt, VT_ARRAY | VT_VARIANT);
        EXPECT_EQ(o.dispatch.references, 4u);
        const auto back = cad::com::fromVariant(*list, o.objectOf).toObjects();
        ASSERT_EQ(back.size(), 2u);
        EXPECT_EQ(static_cast<Stand&>(*back[1]).dispatch, &o.dispatch);
        EXPECT_EQ(static_cast<Stand&>(*cad::com::fromVariant(*one, o.objectOf).toObject()).dispatch,
                  &o.dispatch);
    }
    EXPECT_EQ(o.dispatch.references, 1u);  // every reference given was taken back
}

// What another program may send: other widths, variants holding numbers, references.
TEST(ComVariant, ForeignKindsReadAsTheValueTheyHold) {
    Objects o;
    auto read = [&](const VARIANT& v) { return cad::com::fromVariant(v, o.objectOf); };
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = -7;
    EXPECT_EQ(read(v), Value(-7));
    v.vt = VT_UI1;
    v.bVal = 200;
    EXPECT_EQ(read(v), Value(200));
    v.vt = VT_R4;
    v.fltVal = 0.5f;
    EXPECT_EQ(read(v), Value(0.5));
    v.vt = VT_I8;
    v.llVal = 1LL << 40;
    EXPECT_THROW(read(v), cad::Error);  // beyond int: refused, never wrapped
    v.vt = VT_DATE;
    v.date = 1;
    EXPECT_THROW(read(v), cad::Error);
    EXPECT_EQ(read(*cad::com::omittedArgument()), Value());

    // Coordinates as an array of variants holding numbers of mixed widths.
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    const double x = 2.5;
    const short y = 4;
    for (LONG i = 0; i < 3; ++i) {
        Variant item;
        item.get()->vt = i == 1 ? VT_I2 : VT_R8;
        if (i == 1) {
            item.get()->iVal = y;
        } else {
            item.get()->dblVal = x * (i + 1);
        }
        SafeArrayPutElement(array, &i, item.get());
    }
    Variant coordinates;
    coordinates.get()->vt = VT_ARRAY | VT_VARIANT;
    coordinates.get()->parray = array;
    EXPECT_EQ(read(*coordinates), Value(std::vector<double>{2.5, 4, 7.5}));

    // By reference, as some callers pass arguments.
    VARIANT referred;
    referred.vt = VT_BYREF | VT_VARIANT;
    referred.pvarVal = coordinates.get();
    EXPECT_EQ(read(referred), Value(std::vector<double>{2.5, 4, 7.5}));

    // An array holding a text is no value of the interface.
    Variant texts;
    texts.get()->vt = VT_ARRAY | VT_VARIANT;
    texts.get()->parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    Variant text;
    text.get()->vt = VT_BSTR;
    text.get()->bstrVal = SysAllocString(L"x");
    LONG zero = 0;
    SafeArrayPutElement(texts.get()->parray, &zero, text.get());
    EXPECT_THROW(read(*texts), cad::Error);
}

}  // namespace
