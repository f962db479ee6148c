// One late-bound call against a dispatch that records what reaches it.
#include <gtest/gtest.h>

#include "cad/com/invoke.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Value;
using cad::com::Access;
using cad::com::Variant;

// Records each Invoke; answers with `answer`, or fails with `failure` (and for
// DISP_E_EXCEPTION the description and code of `reported`).
class RecordingDispatch : public IDispatch {
public:
    DISPID id = 0;
    WORD flags = 0;
    std::vector<Value> arguments;  // as they arrived, last first
    std::vector<DISPID> named;
    bool resultAsked = false;
    double answer = 0;
    HRESULT failure = S_OK;
    QString description;
    HRESULT reported = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD how, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT*) override {
        id = member;
        flags = how;
        arguments.clear();
        for (UINT i = 0; i < params->cArgs; ++i) {
            arguments.push_back(cad::com::fromVariant(params->rgvarg[i], {}));
        }
        named.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
        resultAsked = result != nullptr;
        if (failure == DISP_E_EXCEPTION) {
            info->bstrDescription = cad::com::toBstr(description);
            info->scode = reported;
        }
        if (failure != S_OK) {
            return failure;
        }
        if (result != nullptr) {
            result->vt = VT_R8;
            result->dblVal = answer;
        }
        return S_OK;
    }
};

TEST(ComInvoke, ArgumentsArriveLastFirstAndAPutNamesItsValue) {
    RecordingDispatch d;
    d.answer = 2.5;
    std::vector<Variant> args;
    args.push_back(cad::com::toVariant(Value(u"图层"_s), {}));
    args.push_back(cad::com::toVariant(Value(7), {}));
    const Variant got = cad::com::invoke(d, 12, Access::Call, args);
    EXPECT_EQ(d.id, 12);
    EXPECT_EQ(d.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(d.arguments, (std::vector<Value>{Value(7), Value(u"图层"_s)}));
    EXPECT_TRUE(d.named.empty());
    EXPECT_EQ(cad::com::fromVariant(*got, {}), Value(2.5));

    std::vector<Variant> value;
    value.push_back(cad::com::toVariant(Value(3.5), {}));
    cad::com::invoke(d, 4, Access::Put, value);
    EXPECT_EQ(d.flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(d.arguments, std::vector<Value>{Value(3.5)});
    EXPECT_EQ(d.named, std::vector<DISPID>{DISPID_PROPERTYPUT});
    EXPECT_FALSE(d.resultAsked);
}

TEST(ComInvoke, FailuresCarryTheServersTextOrTheCode) {
    struct Case {
        HRESULT failure;
        QString description;
        HRESULT reported;
        HRESULT code;     // what CallFailed keeps
        QString message;  // what it says, or a part of it
    };
    const Case cases[] = {
        {DISP_E_EXCEPTION, u"图层“照明”已锁定"_s, E_FAIL, E_FAIL, u"图层“照明”已锁定"_s},
        {HRESULT(0x800706BA), {}, S_OK, HRESULT(0x800706BA), u"0x800706ba"_s},
        {RPC_E_DISCONNECTED, {}, S_OK, RPC_E_DISCONNECTED, u"0x80010108"_s},
    };
    for (const Case& c : cases) {
        RecordingDispatch d;
        d.failure = c.failure;
        d.description = c.description;
        d.reported = c.reported;
        try {
            cad::com::invoke(d, 1, Access::Get, {});
            ADD_FAILURE() << "no failure for " << std::hex << c.failure;
        } catch (const cad::com::CallFailed& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_TRUE(e.message().contains(c.message)) << e.what();
        }
    }
}

}  // namespace
