// The COM locator: ProgID to CLSID to the running object table.
#include "cad/com/locator.h"

#include <QSettings>
#include <memory>

#include "cad/com/com_object.h"
#include "cad/running.h"

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

IDispatch* activeObject(const CLSID& clsid) {
    IUnknown* unknown = nullptr;
    if (FAILED(GetActiveObject(clsid, nullptr, &unknown)) || unknown == nullptr) {
        return nullptr;  // MK_E_UNAVAILABLE: installed, not running
    }
    IDispatch* dispatch = nullptr;
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    unknown->Release();
    return dispatch;
}

// The GUI thread's apartment and busy filter, once per locator installed.
void joinApartment(const RetryPolicy& retry, const std::function<void()>& onWaiting) {
    // S_FALSE when the thread is in its apartment already (Qt's windows platform makes it one).
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    static std::unique_ptr<BusyFilter> filter;
    filter.reset();
    filter = std::make_unique<BusyFilter>(retry, onWaiting);
}

}  // namespace

ObjectRef attachRunning(const CLSID& clsid, const RetryPolicy& retry,
                        const std::function<void()>& onWaiting) {
    IDispatch* found = activeObject(clsid);
    return found != nullptr ? applicationObject(found, retry, onWaiting) : nullptr;
}

QStringList defaultProgIds() {
    return {u"AutoCAD.Application"_s, u"ZWCAD.Application"_s,           u"GStarCAD.Application"_s,
            u"Gcad.Application"_s,    u"BricscadApp.AcadApplication"_s, u"Sketchcad.Application"_s};
}

LocatorSettings readLocatorSettings(const QString& iniPath) {
    LocatorSettings settings{defaultProgIds(), {}};
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(u"cad"_s);
    QStringList listed;
    for (const QString& id : ini.value(u"ProgIDs"_s).toStringList()) {
        if (!id.trimmed().isEmpty()) {
            listed.append(id.trimmed());
        }
    }
    if (!listed.isEmpty()) {
        settings.progIds = listed;
    }
    bool ok = false;
    const double seconds = ini.value(u"BusyWaitSeconds"_s).toDouble(&ok);
    if (ok && seconds >= 0 && seconds <= 3600) {
        settings.retry.limitMs = DWORD(seconds * 1000);
    }
    return settings;
}

ObjectRef findRunning(const QStringList& progIds, const RetryPolicy& retry,
                      const std::function<void()>& onWaiting) {
    for (const QString& progId : progIds) {
        CLSID clsid{};
        if (SUCCEEDED(CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(progId.utf16()), &clsid))) {
            if (ObjectRef found = attachRunning(clsid, retry, onWaiting)) {
                return found;
            }
        }  // else not installed
    }
    return nullptr;
}

void installComLocator(LocatorSettings settings, std::function<void()> onWaiting) {
    joinApartment(settings.retry, onWaiting);
    setPlatformLocator([settings = std::move(settings),
                        onWaiting = std::move(onWaiting)](const QString& progId) {
        const bool anyCad = progId.compare(QStringView(kAutoCadProgId), Qt::CaseInsensitive) == 0;
        return findRunning(anyCad ? settings.progIds : QStringList{progId}, settings.retry,
                           onWaiting);
    });
}

void installClassLocator(const CLSID& clsid) {
    joinApartment({}, {});
    setPlatformLocator([clsid](const QString&) { return attachRunning(clsid, {}, {}); });
}

}  // namespace cad::com
