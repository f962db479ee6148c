// registerForUser: three values under HKCU\Software\Classes.
#include "cad/com/registration.h"

#include <vector>

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

const wchar_t* wide(const QString& s) {
    return reinterpret_cast<const wchar_t*>(s.utf16());
}

// The key's default value; the system's error code on failure.
LSTATUS setDefault(HKEY root, const QString& key, const QString& value) {
    return RegSetKeyValueW(root, wide(key), nullptr, REG_SZ, wide(value),
                           DWORD((value.size() + 1) * sizeof(wchar_t)));
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

std::optional<QString> registerForUser(const QString& progId, const CLSID& clsid) {
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    const QString clsidText = QString::fromWCharArray(text);
    const QString classes = u"Software\\Classes\\"_s;
    const QString classKey = classes + u"CLSID\\"_s + clsidText;
    const std::pair<QString, QString> values[] = {
        {classes + progId + u"\\CLSID"_s, clsidText},
        {classKey + u"\\ProgID"_s, progId},
    };
    std::vector<HKEY> roots{HKEY_CURRENT_USER};
    if (underWine()) {
        roots.push_back(HKEY_LOCAL_MACHINE);
    }
    for (HKEY root : roots) {
        for (const auto& [key, value] : values) {
            if (const LSTATUS status = setDefault(root, key, value); status != ERROR_SUCCESS) {
                return u"无法登记 COM 类 %1（错误 %2）"_s.arg(progId).arg(status);
            }
        }
    }
    return std::nullopt;
}

}  // namespace cad::com
