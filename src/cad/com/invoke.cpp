// invoke(): arguments reversed for Invoke, failures as CallFailed.
#include "cad/com/invoke.h"

#include <vector>

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

QString systemText(HRESULT code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message =
        length == 0 ? QString() : QString::fromWCharArray(text, int(length)).trimmed();
    LocalFree(text);
    return message;
}

[[noreturn]] void fail(HRESULT code, EXCEPINFO& info) {
    if (code == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn != nullptr) {
            info.pfnDeferredFillIn(&info);
        }
        const QString description = fromBstr(info.bstrDescription);
        const HRESULT reported = info.scode != 0 ? info.scode : HRESULT(info.wCode);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        throw CallFailed(description.isEmpty() ? systemText(reported) : description, reported);
    }
    const QString text = systemText(code);
    throw CallFailed(u"COM 调用失败 0x%1%2"_s.arg(quint32(code), 8, 16, QLatin1Char('0'))
                         .arg(text.isEmpty() ? QString() : u"："_s + text),
                     code);
}

}  // namespace

Variant invoke(IDispatch& dispatch, DISPID id, Access access, std::span<Variant> args) {
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it) {
        reversed.push_back(*(*it).get());  // borrowed: the caller's Variants still own them
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    const bool put = access == Access::Put || access == Access::PutRef;
    if (put) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO info{};
    UINT badArgument = 0;
    const HRESULT code = dispatch.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, WORD(access), &params,
                                         put ? nullptr : result.get(), &info, &badArgument);
    if (FAILED(code)) {
        fail(code, info);
    }
    return result;
}

}  // namespace cad::com
