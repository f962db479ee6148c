// Value ⇄ VARIANT.
#include "cad/com/variant.h"

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

[[noreturn]] void refuse(VARTYPE type) {
    throw Error(u"无法转换的 COM 值类型 0x%1"_s.arg(type, 4, 16, QLatin1Char('0')));
}

SAFEARRAY* doubleArray(const std::vector<double>& values) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, ULONG(values.size()));
    if (array == nullptr) {
        throw Error(u"内存不足"_s);
    }
    for (LONG i = 0; i < LONG(values.size()); ++i) {
        SafeArrayPutElement(array, &i, const_cast<double*>(&values[size_t(i)]));
    }
    return array;
}

// The number a VARIANT holds, converted to TYPE, or nullopt when it holds no number.
std::optional<VARIANT> number(const VARIANT& v, VARTYPE type) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, type))) {
        return std::nullopt;
    }
    return converted;
}

// A one-dimensional SAFEARRAY's elements, each handed to READ as a VARIANT.
template <typename Read>
void eachElement(const SAFEARRAY* array, VARTYPE element, Read read) {
    if (SafeArrayGetDim(const_cast<SAFEARRAY*>(array)) != 1) {
        refuse(VARTYPE(VT_ARRAY | element));
    }
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(const_cast<SAFEARRAY*>(array), 1, &low);
    SafeArrayGetUBound(const_cast<SAFEARRAY*>(array), 1, &high);
    for (LONG i = low; i <= high; ++i) {
        Variant item;
        if (element == VT_VARIANT) {
            SafeArrayGetElement(const_cast<SAFEARRAY*>(array), &i, item.get());
        } else {
            item.get()->vt = element;
            SafeArrayGetElement(const_cast<SAFEARRAY*>(array), &i, &item.get()->dblVal);
        }
        read(*item);
    }
}

Value fromArray(const VARIANT& v, const ObjectOf& objectOf) {
    const auto element = VARTYPE(v.vt & VT_TYPEMASK);
    if (element != VT_R8 && element != VT_R4 && element != VT_VARIANT && element != VT_DISPATCH) {
        refuse(v.vt);
    }
    std::vector<double> doubles;
    ObjectList objects;
    eachElement(v.parray, element, [&](const VARIANT& item) {
        if (item.vt == VT_DISPATCH && doubles.empty()) {
            objects.push_back(objectOf(item.pdispVal));
        } else if (auto real = number(item, VT_R8); real && objects.empty()) {
            doubles.push_back(real->dblVal);
        } else {
            refuse(v.vt);
        }
    });
    return objects.empty() ? Value(std::move(doubles)) : Value(std::move(objects));
}

}  // namespace

BSTR toBstr(const QString& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), UINT(text.size()));
}

QString fromBstr(BSTR text) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text),
                              qsizetype(SysStringLen(text)));
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&m_v);
        m_v = other.m_v;
        VariantInit(&other.m_v);
    }
    return *this;
}

Variant toVariant(const Value& value, const DispatchOf& dispatchOf) {
    Variant result;
    VARIANT& v = *result.get();
    if (value.isEmpty()) {
        v.vt = VT_EMPTY;
    } else if (value.holds<bool>()) {
        v.vt = VT_BOOL;
        v.boolVal = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (value.holds<int>()) {
        v.vt = VT_I4;
        v.lVal = value.toInt();
    } else if (value.holds<double>()) {
        v.vt = VT_R8;
        v.dblVal = value.toDouble();
    } else if (value.holds<QString>()) {
        v.vt = VT_BSTR;
        v.bstrVal = toBstr(value.toText());
    } else if (value.holds<Point>() || value.holds<std::vector<double>>()) {
        v.vt = VT_ARRAY | VT_R8;
        v.parray = doubleArray(value.toDoubles());
    } else if (value.holds<ObjectRef>()) {
        v.vt = VT_DISPATCH;
        v.pdispVal = dispatchOf(value.toObject());
    } else {
        const ObjectList& objects = value.toObjects();
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(objects.size()));
        if (array == nullptr) {
            throw Error(u"内存不足"_s);
        }
        v.vt = VT_ARRAY | VT_VARIANT;
        v.parray = array;
        for (LONG i = 0; i < LONG(objects.size()); ++i) {
            Variant item;
            item.get()->vt = VT_DISPATCH;
            item.get()->pdispVal = dispatchOf(objects[size_t(i)]);
            SafeArrayPutElement(array, &i, item.get());
        }
    }
    return result;
}

Variant omittedArgument() {
    Variant result;
    result.get()->vt = VT_ERROR;
    result.get()->scode = DISP_E_PARAMNOTFOUND;
    return result;
}

Value fromVariant(const VARIANT& v, const ObjectOf& objectOf) {
    if (v.vt & VT_BYREF) {
        Variant direct;
        if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&v)))) {
            refuse(v.vt);
        }
        return fromVariant(*direct, objectOf);
    }
    if (v.vt & VT_ARRAY) {
        return fromArray(v, objectOf);
    }
    switch (v.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return {};
        case VT_ERROR:
            if (v.scode == DISP_E_PARAMNOTFOUND) {
                return {};
            }
            refuse(v.vt);
        case VT_BOOL:
            return v.boolVal != VARIANT_FALSE;
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8: {
            const auto i = number(v, VT_I4);
            if (!i) {
                throw Error(u"数值溢出"_s);
            }
            return int(i->lVal);
        }
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DECIMAL:
            return number(v, VT_R8)->dblVal;
        case VT_BSTR:
            return fromBstr(v.bstrVal);
        case VT_DISPATCH:
            return v.pdispVal == nullptr ? Value(ObjectRef()) : Value(objectOf(v.pdispVal));
        default:
            refuse(v.vt);
    }
}

}  // namespace cad::com
