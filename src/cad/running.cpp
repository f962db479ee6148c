// The in-process registry of running automation objects.
#include "cad/running.h"

#include <QHash>

namespace cad {

namespace {

struct Registry {
    QHash<QString, ObjectRef> objects;  // keyed by case-folded ProgID
    PlatformLocator platform;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

void registerRunningObject(const QString& progId, ObjectRef application) {
    registry().objects.insert(progId.toCaseFolded(), std::move(application));
}

void revokeRunningObject(const QString& progId) {
    registry().objects.remove(progId.toCaseFolded());
}

void revokeRunningObject(const Object* application) {
    registry().objects.removeIf(
        [application](const auto& it) { return it.value().get() == application; });
}

void setPlatformLocator(PlatformLocator locator) {
    registry().platform = std::move(locator);
}

Application GetRunningApplication(const QString& progId) {
    auto& r = registry();
    if (auto it = r.objects.constFind(progId.toCaseFolded()); it != r.objects.constEnd()) {
        return Application(it.value());
    }
    if (r.platform) {
        if (ObjectRef found = r.platform(progId)) {
            return Application(std::move(found));
        }
    }
    throw Error(QStringLiteral("没有正在运行的 %1").arg(progId));
}

}  // namespace cad
